#include "cli/CliServices.h"

#include <cstdio>

namespace qvx {

CliServices::CliServices() : m_out(stdout), m_err(stderr) {}

void CliServices::ShowStatus(const QString& message) {
    if (!quiet) m_out << message << Qt::endl;
}

int CliServices::ShowMessageBox(MsgIcon icon, MsgButtons buttons, int textIndex,
                                MsgLanguage language, const QString& text) {
    ++messageCount;
    m_err << MessageBoxText(textIndex, text) << Qt::endl;
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

std::optional<int> CliServices::PickNumber(const QString&, const QString&, const QString&, int) {
    return pickAnswer;
}

} // namespace qvx
