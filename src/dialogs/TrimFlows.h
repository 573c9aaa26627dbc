#pragma once

#include "board/BoardProtocol.h"

#include <QString>
#include <array>

namespace qvx {

class BoardCommands;
class Services;

// The trim window's exchanges with the board as core code: the opening and
// closing sequences with their sleeps, the live trim of one channel as its
// bar or its edit box makes it, and the trim file's loading and saving. The
// window and `qvx board trim` both run these, so the board sees the same bytes
// from either.
//
// The flows hold what the controls show: each channel's bar position and the
// offset its edit box shows. A change asked for while another flow or
// exchange is under way is refused (with the busy text) and changes nothing,
// so the window then shows these values again.
class TrimFlows {
  public:
    using Words = BigEndian::Words;

    // A trim word's neutral and the range the window lets it take.
    static constexpr int kNeutral = 16384;
    static constexpr int kSpan = 345;
    static constexpr int kMin = kNeutral - kSpan;
    static constexpr int kMax = kNeutral + kSpan;

    enum class LoadResult {
        Loaded,      // shown and written to the board's working copy
        Unusable,    // the warning was shown; nothing changed
        BoardFailed, // shown, but the board did not take it
        Refused      // another flow was under way; nothing changed
    };

    TrimFlows(BoardCommands& board, Services& services);

    // Bar positions (within kMin..kMax) and edit box offsets, CH1 at index 0.
    // An edit box shows the value as read even where the bar had to clamp it.
    const Words& positions() const { return m_positions; }
    const std::array<int, QmxBoard::kChannels>& offsets() const { return m_offsets; }

    // The main window's trim button, before the window shows: sleep, read the
    // stored trim and show it, run. True only when all three succeeded; a
    // failure after the sleep leaves the robot asleep.
    bool Open();
    // After the window closed: sleep, write the bars' positions to the stored
    // copy, run. True only when all three succeeded.
    bool Close();

    // Bar n (1..24) moved to `position` (clamped to the bar's range): the edit
    // box follows and the trim goes to the board at once. False when refused.
    bool SetPosition(int channel, int position);
    // Enter in edit box n: the typed integer offset, or the shown one when the
    // text is none, sets the bar; the edit box then shows the bar's offset and
    // the trim goes to the board at once. False when refused.
    bool EnterOffset(int channel, const QString& text);

    // Loads a trim file: shows it and writes it to the board's working copy,
    // each of sleep, write and run only when the one before succeeded.
    LoadResult LoadFile(const QString& path);
    // Saves the bar positions as a trim file under exactly this name; false
    // (after the error message) when the place cannot be written.
    bool SaveFile(const QString& path);

    // The bars' positions as the board's 48-byte trim block.
    QByteArray CollectBlock() const;
    // Shows a block of trim words: bars clamped, edit boxes unclamped.
    void ShowWords(const Words& trim);

    static QString CantUseText() { return QStringLiteral("The designated file can't be used"); }
    static QString CantKeepText() {
        return QStringLiteral("It can't be kept in the designated place");
    }

  private:
    void setChannel(int channel, int position);

    BoardCommands& m_board;
    Services& m_services;
    Words m_positions{};
    std::array<int, QmxBoard::kChannels> m_offsets{};
};

} // namespace qvx
