#pragma once

#include "board/MotionRecord.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <functional>

namespace qvx {

class BoardCommands;
class Chart;
class Compiler;
class MotionTable;
class Services;
struct MotionHeader;

// Moves a compiled motion or scenario between the open document and the
// board's storage, and turns what was read back into a chart. Works on the
// compiler's state (image, steps) and the document's header values.
//
// Every exchange waits in an event loop that keeps the windows live, so a
// transfer never holds a reference across one: a write sends a copy of what
// was compiled when it began, a read collects what it reads and puts it in
// place once it is complete, and a rebuild reads from the board first and
// builds the chart afterwards.
class MotionTransfer {
    Q_DECLARE_TR_FUNCTIONS(MotionTransfer)

  public:
    static constexpr int kRecordsPerSlot = QmxBoard::kRecordsPerSlot;
    static constexpr int kMotionSlots = QmxBoard::kMotionSlots;
    static constexpr int kMaxRecords = QmxBoard::kMaxRecords;
    static constexpr int kMaxSteps = QmxBoard::kScenarioSteps;
    static constexpr int kScenarioEntryBase = QmxBoard::kScenarioEntryBase;
    // The status line once a motion's table entry was read; the window shows
    // it in Japanese, as designed, the command line in English.
    static QString PctReadText() { return QString::fromUtf8("ＰＣＴを読み込みました"); }
    static QString PctReadEnglishText() { return QStringLiteral("PCT is read"); }

    MotionTransfer(Compiler& compiler, MotionHeader& header, BoardCommands& board,
                   Services& services);

    // When on, every record written is read back and compared; a record that
    // reads back differently fails the write, before the table entry is
    // written, with a message naming it.
    void setVerify(bool on) { m_verify = on; }
    bool verify() const { return m_verify; }
    // Rows shown again after every read of an entry (may be null).
    void setTable(MotionTable* table) { m_table = table; }
    // Told after each record or step written or read: (done, total).
    void setProgress(std::function<void(int, int)> progress) { m_progress = std::move(progress); }
    // Height of the canvas image: rebuilt items wrap into the next column before it.
    void setCanvasHeight(int height) { m_canvasHeight = height; }
    // Pixel width of a text in the window font; by default 7 pixels a character.
    void setTextWidth(std::function<int(const QString&)> width) { m_textWidth = std::move(width); }

    // The LIST view rows of the last read: hex rows of the records, or the
    // motion list of a scenario.
    const QStringList& listRows() const { return m_listRows; }

    // False, after an error box, when the compiled motion cannot be stored from
    // the slot on: more records than a table entry counts, or past the last slot.
    // Checked before anything is sent.
    bool CheckMotionFits(int slot);
    // The questions of a write: whether a motion longer than a slot may
    // overwrite the slots after it, whether a scenario of more than 200 steps
    // may be cut. False on No. The write flow asks them before the robot is
    // put to sleep, so that a No leaves it as it was, and tells the write.
    bool ConfirmMotionWrite(int slot);
    bool ConfirmScenarioWrite();
    // Writes the compiled motion into a motion slot and its table entry; asks
    // its question first unless `confirmed`.
    bool WriteMotionToBoard(int slot, bool confirmed = false);
    // Reads a motion slot into the image and the header values.
    bool ReadMotionFromBoard(int slot);
    // Writes the compiled scenario (the MOT items of the chart in playing order).
    bool WriteScenarioToBoard(const Chart& chart, int scenario, bool confirmed = false);
    // Reads a scenario slot into the step list (motion numbers) and the header values.
    bool ReadScenarioFromBoard(int scenario);

    // What made the last transfer fail, with the link's cause ("M3 record 5:
    // the board's answer had a wrong checksum"); empty after a success, a No
    // to a question or an empty slot.
    const QString& failure() const { return m_failure; }
    // "M3 record 5": record `index` (from 0) of the motion in `slot`.
    static QString RecordName(int slot, int index);

    // The kind of a record (RecordKind): POS, SET, CMP, JMP, END, or RecordNone
    // when any of its words lies in an unassigned range.
    static int ClassifyRecord(const MotionRecord& record);
    // The item a step leads to, following jumps; -1 when none.
    int ResolveStep(int step) const;
    // Rebuilds the (emptied) chart from the motion image.
    void RebuildChart(Chart& chart);
    // Rebuilds the (emptied) chart as a chain of MOT items from the steps read.
    void RebuildScenarioChart(Chart& chart);

    // The LIST row of a record read from the board: "001 64 1f 40 ..." with a
    // blank after every byte.
    static QString ReadRow(int index, const MotionRecord& record);

  private:
    void report(int done, int total);
    void readHeader(const QByteArray& entry);
    // Reads a written record back; false, after a message when it differs.
    bool verifyRecord(int slot, int index, const MotionRecord& written);
    // Keeps what failed with the link's cause; false.
    bool failed(const QString& what);
    void advance(int& x, int& y) const;

    Compiler& m_compiler;
    MotionHeader& m_header;
    BoardCommands& m_board;
    Services& m_services;
    QStringList m_listRows;
    QString m_failure;
    MotionTable* m_table = nullptr;
    std::function<void(int, int)> m_progress;
    bool m_verify = false;
    int m_canvasHeight = 480;
    std::function<int(const QString&)> m_textWidth;
};

} // namespace qvx
