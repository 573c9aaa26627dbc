#include "preview/SlotRecord.h"

#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "board/MotionTable.h"
#include "board/WordClasses.h"
#include "compiler/MotionTransfer.h"

#include <QCoreApplication>

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
        return failed(link.failureWith(
            QCoreApplication::translate("SlotRecord", "reading the table entry of %1")
                .arg(slotName)));
    const int count = MotionTable::EntryCount(entry);
    if (count == 0)
        return failed(
            QCoreApplication::translate("SlotRecord", "%1 holds no motion").arg(slotName));
    if (index >= count)
        return failed((count == 1 ? QCoreApplication::translate(
                                        "SlotRecord", "%1 holds %2 record; there is no record %3")
                                  : QCoreApplication::translate(
                                        "SlotRecord", "%1 holds %2 records; there is no record %3"))
                          .arg(slotName)
                          .arg(count)
                          .arg(index + 1));
    MotionRecord record;
    const QString recordName = MotionTransfer::RecordName(slot, index);
    if (!m_board.ReadMotionRecord(true, slot, index, record))
        return failed(link.failureWith(
            QCoreApplication::translate("SlotRecord", "reading %1").arg(recordName)));
    if (MotionTransfer::ClassifyRecord(record) != RecordPos)
        return failed(QCoreApplication::translate("SlotRecord",
                                                  "%1 is no pose (a setting, branch, jump or end)")
                          .arg(recordName));
    return record;
}

} // namespace qvx
