#include "compiler/HexText.h"

namespace qvx {

namespace {

// Writes the value as upper-case hex digits and returns the position after them.
QChar* putHex(QChar* out, unsigned value, int digits) {
    static const char kDigits[] = "0123456789ABCDEF";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        *out++ = QLatin1Char(kDigits[(value >> shift) & 0xF]);
    return out;
}

} // namespace

QString HexText::FormatItemHex(const Item& item) {
    QString out(2 + 4 * kChannelCount, Qt::Uninitialized);
    QChar* p = putHex(out.data(), item.lead, 2);
    for (quint16 v : item.values)
        p = putHex(p, v, 4);
    return out;
}

QString HexText::FormatRecordHex(const MotionRecord& record) {
    QString out(2 + 4 * MotionRecord::kWords, Qt::Uninitialized);
    QChar* p = putHex(out.data(), record.lead, 2);
    for (quint16 w : record.words)
        p = putHex(p, w, 4);
    return out;
}

QString HexText::HexRow(int index, const MotionRecord& record) {
    const QString number = QString::number(index + 1).rightJustified(3, u'0');
    QString out(number.size() + 3 + 5 * MotionRecord::kWords, Qt::Uninitialized);
    QChar* p = out.data();
    for (QChar c : number)
        *p++ = c;
    *p++ = u' ';
    p = putHex(p, record.lead, 2);
    for (quint16 w : record.words) {
        *p++ = u' ';
        p = putHex(p, w, 4);
    }
    return out;
}

QStringList HexText::HexRows(const std::vector<MotionRecord>& image) {
    QStringList rows;
    rows.reserve(qsizetype(image.size()));
    for (size_t i = 0; i < image.size(); ++i)
        rows << HexRow(int(i), image[i]);
    return rows;
}

} // namespace qvx
