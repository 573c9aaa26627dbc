#include "items/LiveRecord.h"

#include "board/BoardCommands.h"
#include "board/BoardLink.h"

namespace qvx {

namespace {

constexpr bool kWorkingCopy = false;
constexpr int kLiveSlot = 0;
constexpr int kLiveRecord = 0;

} // namespace

MotionRecord LiveRecord::Of(const Item& item) {
    MotionRecord r;
    r.lead = item.lead;
    r.words = item.values;
    return r;
}

bool LiveRecord::Send(BoardCommands& board, const MotionRecord& record) {
    BoardLink& link = board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    return board.WriteMotionRecord(kWorkingCopy, kLiveSlot, kLiveRecord, record);
}

} // namespace qvx
