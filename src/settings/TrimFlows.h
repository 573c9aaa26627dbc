#pragma once

#include "board/BoardProtocol.h"

#include <QCoreApplication>
#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace qvx {

class BoardCommands;
class Services;

// The trim window's exchanges with the board as core code: the opening and
// closing sequences with their sleeps, the live trim of one channel as its
// bar or its edit box makes it, and the trim file's loading and saving. The
// window and `qvx board trim` both run these, so the board sees the same bytes
// from either.
//
// The flows hold each channel's trim word: the board's own until the user
// changes that channel, so that closing writes back unchanged what nobody
// touched, even a word outside the bar's range. A change asked for while
// another flow or exchange is under way is refused (with the busy text) and
// changes nothing, so the window then shows these values again.
class TrimFlows {
  public:
    using Words = BigEndian::Words;
    using Offsets = std::array<int, QmxBoard::kChannels>;

    // A trim word's neutral and the range the window lets it take.
    static constexpr int kNeutral = QmxBoard::kNeutralTrim;
    static constexpr int kSpan = 345;
    static constexpr int kMin = kNeutral - kSpan;
    static constexpr int kMax = kNeutral + kSpan;

    enum class LoadResult {
        Loaded,      // shown and written to the board's working copy
        Unusable,    // the warning was shown; nothing changed
        BoardFailed, // the board did not take it (see problem())
        Refused      // another flow was under way; nothing changed
    };

    TrimFlows(BoardCommands& board, Services& services);

    // The trim words as held, CH1 at index 0.
    const Words& values() const { return m_values; }
    // Bar positions: the words clamped to the bar's range.
    Words positions() const;
    // Edit box offsets: each word minus the neutral, unclamped.
    Offsets offsets() const;

    // The main window's trim button, before the window shows: sleep, read the
    // stored trim and show it, run. True only when all three succeeded.
    bool Open();
    // After the window closed: sleep, write the held words to the stored
    // copy, run. True only when all three succeeded.
    bool Close();

    // Bar n (1..24) moved to `position` (clamped to the bar's range): the edit
    // box follows and the trim goes to the board at once. False when refused.
    bool SetPosition(int channel, int position);
    // Enter in edit box n: the typed integer offset, or the shown one when the
    // text is none, sets the bar; the edit box then shows the bar's offset and
    // the trim goes to the board at once. False when refused.
    bool EnterOffset(int channel, const QString& text);

    // The words of a trim file, or nothing after the warning "The designated
    // file can't be used". Sends nothing.
    std::optional<Words> CheckFile(const QString& path);
    // Writes loaded words to the board's working copy (sleep, write, run) and
    // shows them once the board has taken them.
    LoadResult LoadWords(const Words& trim);
    // CheckFile, then LoadWords.
    LoadResult LoadFile(const QString& path);
    // Whether a trim file can be saved under this name, without writing it;
    // false after the error message "It can't be kept in the designated place".
    bool CheckSavePlace(const QString& path);
    // Saves the bar positions as a trim file under exactly this name; false
    // (after the error message) when the place cannot be written.
    bool SaveFile(const QString& path);

    // The held words as the board's 48-byte trim block.
    QByteArray CollectBlock() const;
    // Shows a block of trim words as the board holds them.
    void ShowWords(const Words& trim);

    // Why the last flow with the board failed, with the link's cause, and
    // "The robot is left asleep: ..." when it could not wake the robot again;
    // empty after a success or a refusal. The window shows it in the status
    // line, qvx on standard error.
    const QString& problem() const { return m_problem; }

    static QString ReadFailedText() {
        return QCoreApplication::translate("TrimFlows",
                                           "The trim could not be read from the board");
    }
    static QString WriteFailedText() {
        return QCoreApplication::translate(
            "TrimFlows", "The trim could not be written to the board's stored copy");
    }
    static QString LoadFailedText() {
        return QCoreApplication::translate("TrimFlows",
                                           "The loaded trim could not be written to the board");
    }

  private:
    void setChannel(int channel, int position);
    // Sleep, `work`, run: a failed `work` still wakes the robot.
    bool whileAsleep(const QString& what, const std::function<bool()>& work);

    BoardCommands& m_board;
    Services& m_services;
    Words m_values{};
    QString m_problem;
};

} // namespace qvx
