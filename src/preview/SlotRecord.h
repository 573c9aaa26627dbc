#pragma once

#include "board/MotionRecord.h"

#include <QString>
#include <optional>

namespace qvx {

class BoardCommands;

// Reads one record of a motion slot from the board, to draw its pose: the
// slot's table entry first (how many records it holds), then the record. Only
// reads: the robot keeps playing, sleeping or standing as it was.
class SlotRecord {
  public:
    explicit SlotRecord(BoardCommands& board) : m_board(board) {}

    // Record `index` (from 0; messages count from 1, "M3 record 5") of the
    // motion in `slot`, when the slot holds it and it is a pose; nothing
    // otherwise, with failure() saying why.
    std::optional<MotionRecord> read(int slot, int index);
    const QString& failure() const { return m_failure; }

  private:
    std::optional<MotionRecord> failed(const QString& text);

    BoardCommands& m_board;
    QString m_failure;
};

} // namespace qvx
