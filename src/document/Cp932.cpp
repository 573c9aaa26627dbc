#include "document/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace qvx {

namespace {
constexpr const char* kCodec = "windows-31j";

bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
} // namespace

bool Cp932::available() {
    QStringDecoder d(kCodec);
    return d.isValid();
}

QString Cp932::decode(const QByteArray& bytes) {
    QStringDecoder d(kCodec);
    if (!d.isValid()) return QString::fromLatin1(bytes);
    return d.decode(bytes);
}

QByteArray Cp932::encode(const QString& text) {
    QStringEncoder e(kCodec);
    if (!e.isValid()) return text.toLatin1();
    return e.encode(text);
}

QByteArray Cp932::encodeCut(const QString& text, int maxBytes) {
    QByteArray bytes = encode(text);
    if (bytes.size() <= maxBytes) return bytes;
    // Walk the characters so that a cut never leaves half of a double-byte one.
    int pos = 0;
    while (pos < bytes.size()) {
        int len = isLeadByte(static_cast<unsigned char>(bytes[pos])) ? 2 : 1;
        if (pos + len > maxBytes) break;
        pos += len;
    }
    return bytes.left(pos);
}

} // namespace qvx
