#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace qvx {

// Message box icons.
enum class MsgIcon { Warning = 0, Information = 1, Question = 2, Error = 3 };
// Message box button sets.
enum class MsgButtons {
    AbortRetryIgnore = 0,
    OkHelp = 1,
    Ok = 2,
    OkCancel = 3,
    RetryCancel = 4,
    YesNo = 5,
    YesNoCancel = 6,
    // Save / Discard / Cancel, for work that would be lost.
    SaveDiscardCancel = 7,
};
// Button codes a message box returns.
enum MsgResult {
    ResultOk = 1,
    ResultCancel = 2,
    ResultAbort = 3,
    ResultRetry = 4,
    ResultIgnore = 5,
    ResultYes = 6,
    ResultNo = 7,
    // Beyond the system's codes: the answers of MsgButtons::SaveDiscardCancel.
    ResultSave = 10,
    ResultDiscard = 11,
};
// Caption languages of a message box.
enum class MsgLanguage { Japanese = 0, English = 1 };

// The only way core code talks to the user: the status line, the message box,
// the number picker and the busy mark of the window title. The desktop program
// shows them with widgets, the command-line tool on the terminal, tests record them.
class Services {
public:
    virtual ~Services() = default;

    virtual void ShowStatus(const QString& message) = 0;
    // Returns the pressed button (MsgResult).
    virtual int ShowMessageBox(MsgIcon icon, MsgButtons buttons, int textIndex,
                               MsgLanguage language, const QString& text) = 0;
    // Returns the chosen index (-1 when OK was pressed with nothing chosen), or
    // nothing when the picker was cancelled.
    virtual std::optional<int> PickNumber(const QString& caption, const QString& prompt,
                                          const QString& choices, int preselected) = 0;
    // Marks the window title while a board command runs.
    virtual void SetBusy(bool busy) = 0;

    // The caption a message box gets for its icon and language.
    static QString MessageBoxCaption(MsgIcon icon, MsgLanguage language);
    // The text a message box shows: an entry of the fixed table when textIndex is
    // not 0, else the given text.
    static QString MessageBoxText(int textIndex, const QString& text);
};

} // namespace qvx
