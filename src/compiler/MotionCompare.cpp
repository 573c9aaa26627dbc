#include "compiler/MotionCompare.h"

#include "board/MotionTable.h"
#include "compiler/HexText.h"
#include "base/Cp932.h"

#include <algorithm>

namespace qvx {

namespace {

// The name a write puts into an entry: cut to the entry's 32 bytes.
QStringList nameDifference(const MotionHeader& header, const QByteArray& entry) {
    const QString name = Cp932::decode(Cp932::encodeCut(header.MotionName, 32));
    if (MotionTable::EntryName(entry) == name) return {};
    return {
        QStringLiteral("name: file \"%1\", board \"%2\"").arg(name, MotionTable::EntryName(entry))};
}

QString motionCaption(int motion) {
    return QStringLiteral("M") + QString::number(motion + 1);
}

// The elements of two lists that differ (one missing counts as different),
// each written by `show` (given null for a missing side), at most `limit`,
// followed by a count of the rest.
template <typename T, typename Show>
void listDifferences(QStringList& out, const std::vector<T>& file, const std::vector<T>& board,
                     int limit, const QString& noun, Show show) {
    const size_t n = std::max(file.size(), board.size());
    int shown = 0, more = 0;
    for (size_t i = 0; i < n; ++i) {
        const T* f = i < file.size() ? &file[i] : nullptr;
        const T* b = i < board.size() ? &board[i] : nullptr;
        if (f && b && *f == *b) continue;
        if (shown == limit) {
            ++more;
            continue;
        }
        ++shown;
        show(int(i), f, b);
    }
    if (more > 0) out << QStringLiteral("... and %1 more %2 differ").arg(more).arg(noun);
}

} // namespace

QStringList MotionCompare::ScenarioDifferences(const std::vector<int>& file,
                                               const MotionHeader& header, const QByteArray& entry,
                                               const std::vector<int>& board, int stepLimit) {
    QStringList out;
    const int count = MotionTable::EntryCount(entry);
    if (count != int(file.size()))
        out << QStringLiteral("steps: file %1, board %2").arg(file.size()).arg(count);
    out << nameDifference(header, entry);
    const QString none = QStringLiteral("(none)");
    listDifferences(out, file, board, stepLimit, QStringLiteral("steps"),
                    [&](int i, const int* f, const int* b) {
                        out << QStringLiteral("step %1: file %2, board %3")
                                   .arg(i + 1)
                                   .arg(f ? motionCaption(*f) : none, b ? motionCaption(*b) : none);
                    });
    return out;
}

QStringList MotionCompare::Differences(const std::vector<MotionRecord>& file,
                                       const MotionHeader& header, const QByteArray& entry,
                                       const std::vector<MotionRecord>& board, int recordLimit) {
    QStringList out;
    // The entry holds what a write of this document would have put there: the
    // name cut to the entry's 32 bytes, the port's three bytes, the control word.
    const int count = MotionTable::EntryCount(entry);
    if (count != int(file.size()))
        out << QStringLiteral("records: file %1, board %2").arg(file.size()).arg(count);
    out << nameDifference(header, entry);
    auto hex = [](quint32 v, int digits) {
        return QString::number(v, 16).toUpper().rightJustified(digits, u'0');
    };
    const quint32 port = header.MotionPort & 0xFFFFFF;
    if (MotionTable::EntryPort(entry) != port)
        out << QStringLiteral("port: file %1, board %2")
                   .arg(hex(port, 6), hex(MotionTable::EntryPort(entry), 6));
    const quint32 ctrl = header.MotionCtrl & 0xFFFF;
    if (quint32(MotionTable::EntryControl(entry)) != ctrl)
        out << QStringLiteral("control: file %1, board %2")
                   .arg(hex(ctrl, 4), hex(quint32(MotionTable::EntryControl(entry)), 4));

    const QString none = QStringLiteral("(none)");
    listDifferences(out, file, board, recordLimit, QStringLiteral("records"),
                    [&](int i, const MotionRecord* f, const MotionRecord* b) {
                        out << QStringLiteral("file  ") + (f ? HexText::HexRow(i, *f) : none);
                        out << QStringLiteral("board ") + (b ? HexText::HexRow(i, *b) : none);
                    });
    return out;
}

} // namespace qvx
