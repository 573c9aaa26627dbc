#pragma once

#include "app/Services.h"

#include <QStringList>
#include <deque>

namespace qvxtest {

// Services for tests: records what would be shown and answers questions from
// queues the test fills (a default answer when a queue is empty).
class RecordingServices : public qvx::Services {
public:
    struct Box {
        int icon, buttons, textIndex, language;
        QString text;
    };
    struct Pick {
        QString caption, prompt, choices;
        int preselected;
    };

    QStringList statuses;
    std::vector<Box> boxes;
    std::vector<Pick> picks;
    std::deque<int> boxAnswers;            // MsgResult values
    std::deque<std::optional<int>> pickAnswers;
    int defaultBoxAnswer = qvx::ResultOk;
    int busyDepth = 0;
    int busyMarks = 0;

    void ShowStatus(const QString& message) override { statuses << message; }
    int ShowMessageBox(int icon, int buttons, int textIndex, int language, const QString& text) override;
    std::optional<int> PickNumber(const QString& caption, const QString& prompt, const QString& choices,
                                  int preselected) override;
    void SetBusy(bool busy) override;

    QString lastBoxText() const { return boxes.empty() ? QString() : boxes.back().text; }
    void clear();
};

} // namespace qvxtest
