#include "cli/CliServices.h"

#include "compiler/MotionTransfer.h"

#include <QFile>
#include <QRegularExpression>
#include <cstdio>

namespace qvx {

CliServices::CliServices() : m_out(stdout), m_err(stderr) {}

void CliServices::ShowStatus(const QString& message) {
    if (quiet) return;
    // The command line speaks English, also where the window shows the
    // design's Japanese line.
    m_out << (message == MotionTransfer::PctReadText() ? MotionTransfer::PctReadEnglishText()
                                                       : message)
          << Qt::endl;
}

int CliServices::ShowMessageBox(MsgIcon icon, MsgButtons buttons, int textIndex,
                                MsgLanguage language, const QString& text) {
    ++messageCount;
    // A question answered by --yes is not asked: its text would only read as
    // if the tool were waiting for an answer.
    const bool question = buttons == MsgButtons::OkCancel || buttons == MsgButtons::YesNo ||
                          buttons == MsgButtons::YesNoCancel;
    m_lastMessage = MessageBoxText(textIndex, text);
    const bool held = holdErrors && icon == MsgIcon::Error;
    // Lines end as on a terminal.
    if (!held && !(question && assumeYes)) m_err << heldError() << Qt::endl;
    if (question && !assumeYes) m_declined = true;
    switch (buttons) {
    case MsgButtons::OkCancel:
        return assumeYes ? ResultOk : ResultCancel;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return assumeYes ? ResultYes : ResultNo;
    case MsgButtons::RetryCancel:
        return ResultCancel;
    case MsgButtons::AbortRetryIgnore:
        return ResultAbort;
    default:
        (void)language;
        return ResultOk;
    }
}

QString CliServices::failureCause(const QString& linkCause) const {
    if (!linkCause.isEmpty()) return linkCause;
    if (m_declined) return Cli::tr("the question was not answered Yes (--yes answers it)");
    // The message's first line, which says what went wrong.
    return m_lastMessage.section(QRegularExpression(QStringLiteral("\r?\n")), 0, 0);
}

QString CliServices::heldError() const {
    // The message boxes' texts end their lines with CR LF.
    return QString(m_lastMessage).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

bool CliServices::canRead(const QString& command, const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) return true;
    failed(command, Cli::tr("cannot read %1: %2").arg(path, file.errorString()));
    return false;
}

void CliServices::failed(const QString& command, const QString& cause) {
    m_err << Cli::tr("qvx %1 failed: %2").arg(command, cause) << Qt::endl;
}

void CliServices::note(const QString& command, const QString& text) {
    // not translated: a form
    m_err << QStringLiteral("qvx %1: %2").arg(command, text) << Qt::endl;
}

std::optional<int> CliServices::PickNumber(const QString&, const QString&, const QString&, int) {
    return pickAnswer;
}

} // namespace qvx
