#include "cli/CliServices.h"

#include <cstdio>

namespace qvx {

CliServices::CliServices() : m_out(stdout), m_err(stderr) {}

void CliServices::ShowStatus(const QString& message) {
    if (!quiet) m_out << message << Qt::endl;
}

int CliServices::ShowMessageBox(int icon, int buttons, int textIndex, int language, const QString& text) {
    ++messageCount;
    m_err << MessageBoxText(textIndex, text) << Qt::endl;
    switch (buttons) {
    case ButtonsOkCancel: return assumeYes ? ResultOk : ResultCancel;
    case ButtonsYesNo:
    case ButtonsYesNoCancel: return assumeYes ? ResultYes : ResultNo;
    case ButtonsRetryCancel: return ResultCancel;
    case ButtonsAbortRetryIgnore: return ResultAbort;
    default: (void)icon; (void)language; return ResultOk;
    }
}

std::optional<int> CliServices::PickNumber(const QString&, const QString&, const QString&, int) {
    return pickAnswer;
}

} // namespace qvx
