#include "preview/SlotRecord.h"

#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "board/MotionTable.h"
#include "board/WordClasses.h"
#include "compiler/MotionTransfer.h"

namespace qvx {

std::optional<MotionRecord> SlotRecord::failed(const QString& text) {
    m_failure = text;
    return std::nullopt;
}

std::optional<MotionRecord> SlotRecord::read(int slot, int index) {
    m_failure.clear();
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return failed(BoardLink::BusyText());
    const QString slotName = MotionTable::Caption(slot);
    QByteArray entry;
    if (!m_board.ReadTableEntry(slot, entry))
        return failed(link.failureWith(QStringLiteral("reading the table entry of ") + slotName));
    const int count = MotionTable::EntryCount(entry);
    if (count == 0) return failed(slotName + QStringLiteral(" holds no motion"));
    if (index >= count)
        return failed(QStringLiteral("%1 holds %2 record%3; there is no record %4")
                          .arg(slotName)
                          .arg(count)
                          .arg(count == 1 ? QString() : QStringLiteral("s"))
                          .arg(index + 1));
    MotionRecord record;
    const QString recordName = MotionTransfer::RecordName(slot, index);
    if (!m_board.ReadMotionRecord(true, slot, index, record))
        return failed(link.failureWith(QStringLiteral("reading ") + recordName));
    if (MotionTransfer::ClassifyRecord(record) != RecordPos)
        return failed(recordName + QStringLiteral(" is no pose (a setting, branch, jump or end)"));
    return record;
}

} // namespace qvx
