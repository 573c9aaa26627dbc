#pragma once

#include "board/BoardProtocol.h"
#include "checks/Finding.h"

#include <QByteArray>
#include <array>
#include <optional>

namespace qvx {

class Chart;
class MotionTable;
struct BoardBackup;

// What the board keeps that decides whether an input a CMP item tests can
// change at all: the stored option word and the analog references.
struct BoardCheckSettings {
    quint16 optionWord = 0;
    // AD1..AD3 references, 16 bits each, high byte first (6 bytes).
    QByteArray adReference;

    static BoardCheckSettings FromBackup(const BoardBackup& backup);
};

// What the checks compare a chart with besides the chart itself. Everything
// is optional: a check whose facts are missing finds nothing.
struct ChartCheckOptions {
    // The channels the data dialog marks used (bit n - 1 = CHn), as the
    // document's header keeps them.
    quint32 usedChannels = 0xFFFFFF;
    // The board's settings, from a board or from a backup file.
    std::optional<BoardCheckSettings> board;
    // The motion slot the chart is to be written to (-1 for none) and the
    // records of its compiled motion (0 when it did not compile).
    int slot = -1;
    int records = 0;
    // The table entries of the motion slots as far as they are known; an
    // empty entry is one not known.
    std::array<QByteArray, QmxBoard::kMotionSlots> entries;

    // Copies the motion rows of the table that were read from the board.
    void takeKnownEntries(const MotionTable& table);
};

// Runs every check of a chart before it is written and returns what they
// found: the whole chart's findings first, then item by item. Each check is
// linear in the items and links (the graph walks keep their own stacks), so
// charts of any size and cycles of any length are checked in bounded time.
Findings RunChartChecks(const Chart& chart, const ChartCheckOptions& options);

} // namespace qvx
