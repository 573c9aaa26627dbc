#include "common/RecordingServices.h"

namespace qvxtest {

int RecordingServices::ShowMessageBox(qvx::MsgIcon icon, qvx::MsgButtons buttons, int textIndex,
                                      qvx::MsgLanguage language, const QString& text) {
    boxes.push_back({int(icon), int(buttons), textIndex, int(language), text});
    if (boxAnswers.empty()) return defaultBoxAnswer;
    const int a = boxAnswers.front();
    boxAnswers.pop_front();
    return a;
}

std::optional<int> RecordingServices::PickNumber(const QString& caption, const QString& prompt,
                                                 const QString& choices, int preselected) {
    picks.push_back({caption, prompt, choices, preselected});
    if (pickAnswers.empty()) return std::nullopt;
    auto a = pickAnswers.front();
    pickAnswers.pop_front();
    return a;
}

void RecordingServices::SetBusy(bool busy) {
    busyDepth += busy ? 1 : -1;
    if (busy) ++busyMarks;
}

void RecordingServices::clear() {
    statuses.clear();
    boxes.clear();
    picks.clear();
    boxAnswers.clear();
    pickAnswers.clear();
    fileDialogs = 0;
    openFolders.clear();
}

} // namespace qvxtest
