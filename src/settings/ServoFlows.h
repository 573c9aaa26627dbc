#pragma once

#include "settings/ServoParams.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace qvx {

class BoardCommands;

// The servo setup dialog's exchanges with the board as core code: the main
// window's opening and closing, the SVP mode check, reading every SVP servo,
// editing one servo and copying one servo's parameters to another. The window
// and `qvx board servos` both run these, so the board sees the same bytes.
//
// Row r (0..23) is channel r + 1, whose servo has the ID r. Each flow refuses,
// changing nothing, while another flow or exchange is under way.
class ServoFlows {
  public:
    static constexpr int kRows = 24;

    // What one row knows: whether its channel drives an SVP servo, and that
    // servo's parameter block once it was read.
    struct Row {
        bool svp = false;
        std::optional<QByteArray> block;
    };
    // Given the controls the block opens with and the parameter dialog's
    // caption; leaves in the controls what the dialog holds when it closes.
    using Editor = std::function<void(ServoControls& controls, const QString& caption)>;

    static QString SvpModeWarning() {
        return QCoreApplication::translate("ServoFlows",
                                           "Put power supply again and change to SVP mode");
    }
    static QString ReadFailedText() {
        return QCoreApplication::translate("ServoFlows",
                                           "The SVP channels could not be read from the board");
    }
    static QString SetFailedText() {
        return QCoreApplication::translate("ServoFlows", "Option bit 14 could not be set");
    }
    static QString ClearFailedText() {
        return QCoreApplication::translate("ServoFlows", "Option bit 14 could not be cleared");
    }
    // What a failure that leaves bit 14 of the stored word set means.
    static QString StillSvpText() {
        return QCoreApplication::translate(
            "ServoFlows", "The board starts in SVP mode at every power-up: open and close "
                          "the servo setup window again to stop that");
    }

    explicit ServoFlows(BoardCommands& board);

    // The names the list shows (the pose window's channel names); a channel
    // without one shows as "CHn".
    void SetChannelNames(const QStringList& names);
    QString name(int row) const;
    const Row& row(int r) const { return m_rows[size_t(r)]; }
    QStringList rowTexts(int r) const;
    static bool validRow(int r) { return r >= 0 && r < kRows; }

    // The main window's servo setup button before showing the dialog: reads
    // the SVP channels, then sets option bit 14 of the stored word so that
    // the board starts in SVP mode at its next power-up; fills the list only
    // when both succeeded. False when the dialog must not be shown.
    bool Open();
    // After the dialog closed: clears option bit 14 of the stored word, so
    // that the board leaves SVP mode at its next start.
    bool Close();
    // Why the last opening or closing failed, with the link's cause, and
    // StillSvpText() when bit 14 stays set; empty after a success or a
    // refusal. The window shows it in the status line, qvx on standard error.
    const QString& problem() const { return m_problem; }
    // Reads the SVP channel set; the rows keep their parameters.
    bool ReadAll();
    // 24 rows with number, name and servo kind, no parameters.
    void FillList();
    // True when the board runs in SVP mode (bit 14 of its working option
    // word); warns when it does not, says nothing when the word cannot be read.
    bool CheckSvpMode();

    // The read button: every SVP servo is asked once; a servo that does not
    // answer leaves its row without parameters. True when the board was in
    // SVP mode and every SVP servo answered.
    bool ReadServos();
    // Double click on row r: reads that servo, lets `edit` change the
    // controls, stores them into the block, refills the row and writes the
    // block back. False (nothing written) when the board is not in SVP mode,
    // the row is no SVP channel or the read failed; false too when the write
    // failed, and the row then shows the block as read again.
    bool EditServo(int r, const Editor& edit);
    // Whether the row `from` may be dropped on the row `to`: both SVP channels.
    bool CanDrop(int from, int to) const;
    // Drop of row `from` on row `to`: reads the source servo and writes that
    // block, unchanged, under the target's ID. The target row shows it once
    // the write succeeded.
    bool CopyServo(int from, int to);

  private:
    bool checkSvpMode();
    QString caption(int r) const;

    BoardCommands& m_board;
    std::array<Row, kRows> m_rows{};
    QStringList m_names;
    QString m_problem;
};

} // namespace qvx
