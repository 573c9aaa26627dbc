#include "compiler/HexText.h"

namespace qvx {

namespace {

void appendHex(QString& out, unsigned value, int digits) {
    static const char kDigits[] = "0123456789ABCDEF";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += QLatin1Char(kDigits[(value >> shift) & 0xF]);
}

} // namespace

QString HexText::FormatItemHex(const Item& item) {
    QString out;
    out.reserve(2 + 4 * kChannelCount);
    appendHex(out, item.lead, 2);
    for (quint16 v : item.values)
        appendHex(out, v, 4);
    return out;
}

QString HexText::HexRow(int index, const MotionRecord& record) {
    QString out = QString::number(index + 1).rightJustified(3, u'0');
    out.reserve(out.size() + 3 + 5 * MotionRecord::kWords);
    out += u' ';
    appendHex(out, record.lead, 2);
    for (quint16 w : record.words) {
        out += u' ';
        appendHex(out, w, 4);
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
