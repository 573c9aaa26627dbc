#pragma once

#include <QObject>

#include <QList>

class QSocketNotifier;

namespace qvx {

// SIGTERM, SIGINT and SIGHUP as an orderly request to end: a desktop session
// that logs out, `kill`, or Ctrl+C in the terminal that started the editor.
// The signal handler only writes the signal's number into one end of a socket
// pair; the other end wakes the event loop, which emits received(), so all
// the work of ending is done outside the handler. While the object lives the
// three signals no longer end the process by themselves.
//
// One object per process: a signal handler can reach only process-wide
// state, so the socket pair is kept there, and a second object is refused.
class ExitSignals : public QObject {
    Q_OBJECT
  public:
    // `also` names further signals delivered the same way (qvx sim's SIGUSR1,
    // which switches the simulated board off and on).
    explicit ExitSignals(const QList<int>& also = {}, QObject* parent = nullptr);
    // Gives the signals back their default action.
    ~ExitSignals() override;

    // False when the handlers could not be installed (the signals then end
    // the process as before).
    bool isActive() const { return m_notifier != nullptr; }

  signals:
    void received(int signal);

  private:
    void readSignals();

    QSocketNotifier* m_notifier = nullptr;
    QList<int> m_signals;
};

} // namespace qvx
