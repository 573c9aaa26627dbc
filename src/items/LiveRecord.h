#pragma once

#include "board/MotionRecord.h"
#include "document/ChartTypes.h"

namespace qvx {

class BoardCommands;

// The live record of the board (slot 0, record 0 of the working copy): a
// record written there is executed at once.
class LiveRecord {
  public:
    // An item's motion record: its lead byte and its 24 values.
    static MotionRecord Of(const Item& item);
    // Writes the record as one flow; false when a flow already runs (the user
    // is told) or the board does not take it.
    static bool Send(BoardCommands& board, const MotionRecord& record);
};

} // namespace qvx
