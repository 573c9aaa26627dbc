#pragma once

#include "board/BoardProtocol.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

namespace qvx {

class BoardCommands;

// What the program knows of the board's 85-entry motion table: one row per
// entry (0..79 motions "M1".."M80", 80..84 scenarios "S1".."S5"), each holding
// the entry's 42 bytes as last read or written. It gives the texts of the
// motion table window and the choice lists of every slot picker.
//
// A row is "read" once the board's entry has been seen (read, written or
// cleared) since the port was opened; until then it holds the empty entry,
// which says nothing about what the board keeps in that slot.
class MotionTable : public QObject {
    Q_OBJECT
  public:
    static constexpr int kRows = QmxBoard::kTableEntries;
    static constexpr int kMotionRows = QmxBoard::kMotionSlots;
    static constexpr int kScenarioRows = QmxBoard::kScenarioSlots;
    static constexpr int kEntrySize = QmxBoard::kEntrySize;

    explicit MotionTable(QObject* parent = nullptr);

    // 42 NUL bytes with bytes 4..9 set to 0xFF: no name, count 0, no date,
    // control 65535.
    static QByteArray EmptyEntry();
    // "M" + (row + 1) for motion rows, "S" + (row - 79) for scenario rows.
    static QString Caption(int row);
    // Bytes 10..41 up to the first NUL byte, as CP932 text.
    static QString EntryName(const QByteArray& entry);
    static int EntryCount(const QByteArray& entry);
    // "--/-- --:--" when byte 4 is 255, else e.g. "3/7 09:05".
    static QString DateText(const QByteArray& entry);
    // Bytes 8..9, high byte first.
    static int EntryControl(const QByteArray& entry);
    // Bytes 1..3, low byte first.
    static quint32 EntryPort(const QByteArray& entry);

    const QByteArray& entry(int row) const { return m_rows[size_t(row)]; }
    QString name(int row) const { return EntryName(entry(row)); }
    // The texts of the window's columns: caption, name, count, date, control.
    QStringList rowTexts(int row) const;

    // Shows an entry read from or written to the board in its row (which
    // counts as read now) and keeps its port mask for the data dialog.
    void ShowTableRow(const QByteArray& entry, int row);
    // Every row back to the empty entry, and not read.
    void clear();
    bool isRead(int row) const { return m_read[size_t(row)]; }
    // True when every row has been read since the port was opened.
    bool allRead() const;
    // Port mask of the entry shown last.
    quint32 lastPortMask() const { return m_lastPort; }

    // The choices of the slot pickers: one quoted element per row, caption,
    // name and date separated by blanks; element k of the motion list is row
    // k, element k of the scenario list row 80 + k.
    QString MotionList() const;
    QString ScenarioList() const;
    // Motion rows followed by the scenario rows.
    QString AllList() const;

    // Reads the whole table from the board: sleep, the 85 entries, run. A
    // failed command stops the read with the rows read so far (and the robot
    // asleep when it was a motion entry), and woken again when it can be. True
    // when every entry was read; otherwise what failed, with its cause, in
    // `failure` when given ("Reading the table entry of M6 failed: ...",
    // ending with the note that the robot is left asleep when it is).
    bool ReadFromBoard(BoardCommands& board, QString* failure = nullptr);

    // Keeps the rows in step with every entry the command layer writes, and
    // forgets them when a port is opened.
    void follow(BoardCommands& board);

  signals:
    void rowChanged(int row);
    void cleared();

  private:
    QString listOf(int first, int count) const;

    std::array<QByteArray, kRows> m_rows;
    std::array<bool, kRows> m_read{};
    quint32 m_lastPort = 0;
};

} // namespace qvx
