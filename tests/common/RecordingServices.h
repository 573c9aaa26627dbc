#pragma once

#include "base/UiServices.h"

#include <QStringList>
#include <deque>

namespace qvxtest {

// Services for tests: records what would be shown and answers questions from
// queues the test fills (a default answer when a queue is empty).
class RecordingServices : public qvx::UiServices {
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
    int ShowMessageBox(qvx::MsgIcon icon, qvx::MsgButtons buttons, int textIndex,
                       qvx::MsgLanguage language, const QString& text) override;
    std::optional<int> PickNumber(const QString& caption, const QString& prompt, const QString& choices,
                                  int preselected) override;
    void SetBusy(bool busy) override;

    std::deque<std::optional<qvx::FileChoice>> openAnswers;
    std::deque<std::optional<qvx::FileChoice>> saveAnswers;
    std::deque<std::optional<QColor>> colourAnswers;
    int fileDialogs = 0;

    QStringList openFolders; // the folder each open dialog started in

    std::optional<qvx::FileChoice> GetOpenFileName(const QString&, const QStringList&,
                                                   const QString& folder) override {
        openFolders << folder;
        return take(openAnswers);
    }
    std::optional<qvx::FileChoice> GetSaveFileName(const QString&, const QStringList&) override {
        return take(saveAnswers);
    }
    std::optional<QColor> PickColour(const QColor&) override { return take(colourAnswers); }

    QString lastBoxText() const { return boxes.empty() ? QString() : boxes.back().text; }
    void clear();

private:
    template <typename T> std::optional<T> take(std::deque<std::optional<T>>& q) {
        ++fileDialogs;
        if (q.empty()) return std::nullopt;
        // Copies the answer itself rather than the optional around it, which
        // GCC's optimiser takes for possibly uninitialised.
        if (!q.front()) {
            q.pop_front();
            return std::nullopt;
        }
        T answer = *q.front();
        q.pop_front();
        return answer;
    }
};

} // namespace qvxtest
