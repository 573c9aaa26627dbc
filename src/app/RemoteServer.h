#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QLocalServer;
class QLocalSocket;

namespace qvx {

// Remote command messages from other programs: a local socket in the runtime
// directory that only the owner may use. A message is two 32-bit numbers,
// wParam and lParam, sent as 8 bytes (each high byte first); the running
// editor answers each with one byte, 1 when it sent a command that succeeded
// and 0 when it ignored the message or the command failed.
class RemoteServer : public QObject {
    Q_OBJECT
  public:
    static constexpr int kMessageSize = 8;

    explicit RemoteServer(QObject* parent = nullptr);
    ~RemoteServer() override;

    // The socket's path: "quorvex-remote" in the runtime directory.
    static QString DefaultPath();

    // Starts listening at the path (default path when empty). A socket left
    // by a program that no longer runs is removed first; the caller holds the
    // single-instance lock, so no other editor listens there.
    bool listen(const QString& path = {});
    QString path() const { return m_path; }

    // Handles each message; its result is the answer byte.
    std::function<bool(quint32 wParam, quint32 lParam)> handler;

    // Sends one message to the running editor and waits for its answer.
    // Nothing (with a reason in error) when no editor listens or it does not answer.
    static std::optional<bool> Send(quint32 wParam, quint32 lParam, QString* error,
                                    const QString& path = {}, int timeoutMs = 5000);

  signals:
    void messageReceived(quint32 wParam, quint32 lParam);

  private:
    void onConnection();
    void onReadyRead(QLocalSocket* socket);

    QLocalServer* m_server = nullptr;
    QString m_path;
};

} // namespace qvx
