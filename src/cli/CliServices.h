#pragma once

#include "base/Services.h"

#include <QCoreApplication>
#include <QTextStream>

namespace qvx {

// qvx's texts for the user, in the language chosen at start (Cli::tr).
struct Cli {
    Q_DECLARE_TR_FUNCTIONS(qvx::Cli)
};

// The services on a terminal: status lines go to standard output, message box
// texts to standard error. Questions take the answer given on the command line
// (assumeYes), else the cautious one (No or Cancel); the number picker takes the
// number given on the command line.
class CliServices : public Services {
  public:
    CliServices();

    bool assumeYes = false;
    bool quiet = false;
    // Error messages are kept (heldError) instead of printed, for a verb
    // whose failure line carries them.
    bool holdErrors = false;
    std::optional<int> pickAnswer;
    int messageCount = 0;

    void ShowStatus(const QString& message) override;
    int ShowMessageBox(MsgIcon icon, MsgButtons buttons, int textIndex, MsgLanguage language,
                       const QString& text) override;
    std::optional<int> PickNumber(const QString& caption, const QString& prompt,
                                  const QString& choices, int preselected) override;
    void SetBusy(bool) override {}

    // Whether the file at path opens for reading; when it does not, says
    // "qvx COMMAND failed: cannot read PATH: REASON" on standard error.
    bool canRead(const QString& command, const QString& path);

    // "qvx COMMAND failed: CAUSE" on standard error.
    void failed(const QString& command, const QString& cause);
    // "qvx COMMAND: TEXT" on standard error: a warning, or a failure whose
    // text says what failed.
    void note(const QString& command, const QString& text);

    // Why a flow failed that kept no text of its own: the cause of the link's
    // last exchange (linkCause), else a question not answered Yes, else the
    // last message shown.
    QString failureCause(const QString& linkCause) const;
    // The last message (the error held), its lines ended as on a terminal.
    QString heldError() const;

    QTextStream& out() { return m_out; }
    QTextStream& err() { return m_err; }

  private:
    QString m_lastMessage;
    bool m_declined = false;
    QTextStream m_out;
    QTextStream m_err;
};

} // namespace qvx
