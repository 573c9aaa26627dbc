#include "cli/CliServices.h"

#include <QFile>
#include <cstdio>

namespace qvx {

CliServices::CliServices() : m_out(stdout), m_err(stderr) {}

void CliServices::ShowStatus(const QString& message) {
    if (!quiet) m_out << message << Qt::endl;
}

int CliServices::ShowMessageBox(MsgIcon icon, MsgButtons buttons, int textIndex,
                                MsgLanguage language, const QString& text) {
    ++messageCount;
    // A question answered by --yes is not asked: its text would only read as
    // if the tool were waiting for an answer.
    const bool question = buttons == MsgButtons::OkCancel || buttons == MsgButtons::YesNo ||
                          buttons == MsgButtons::YesNoCancel;
    if (!(question && assumeYes)) m_err << MessageBoxText(textIndex, text) << Qt::endl;
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
    default: (void)icon; (void)language; return ResultOk;
    }
}

bool CliServices::canRead(const QString& command, const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) return true;
    m_err << "qvx " << command << " failed: cannot read " << path << ": " << file.errorString()
          << Qt::endl;
    return false;
}

std::optional<int> CliServices::PickNumber(const QString&, const QString&, const QString&, int) {
    return pickAnswer;
}

} // namespace qvx
