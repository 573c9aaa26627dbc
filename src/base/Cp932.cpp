#include "base/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace qvx {

namespace {
constexpr const char* kCodec = "windows-31j";

bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// For each code below 0x80, whether the converter turns that byte into the
// character of the same code and back. Asked of the converter itself once, so
// that a control code it maps otherwise is never copied straight.
const std::array<bool, 128>& plainCodes() {
    static const std::array<bool, 128> table = [] {
        std::array<bool, 128> plain{};
        QStringDecoder d(kCodec);
        if (!d.isValid()) {
            // Without the converter the text is Latin-1, which keeps every ASCII code.
            plain.fill(true);
            return plain;
        }
        for (int c = 0; c < 128; ++c) {
            const QByteArray byte(1, char(c));
            const QString decoded = QStringDecoder(kCodec).decode(byte);
            const QByteArray encoded = QStringEncoder(kCodec).encode(QString(QChar(c)));
            plain[size_t(c)] = decoded == QString(QChar(c)) && encoded == byte;
        }
        return plain;
    }();
    return table;
}

// One converter each way a thread, set back to its start before each use:
// opening a converter costs ten times more than converting a name with it,
// and a document may hold a hundred thousand names.
QStringDecoder& freshDecoder() {
    thread_local QStringDecoder d(kCodec);
    d.resetState();
    return d;
}

QStringEncoder& freshEncoder() {
    thread_local QStringEncoder e(kCodec);
    e.resetState();
    return e;
}

bool isPlainByte(char c, const std::array<bool, 128>& plain) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x80 && plain[u];
}

bool isPlainBytes(QByteArrayView bytes, const std::array<bool, 128>& plain) {
    for (char c : bytes)
        if (!isPlainByte(c, plain)) return false;
    return true;
}
} // namespace

bool Cp932::available() {
    QStringDecoder d(kCodec);
    return d.isValid();
}

bool Cp932::isPlain(QStringView text) {
    const std::array<bool, 128>& plain = plainCodes();
    for (QChar c : text)
        if (c.unicode() >= 0x80 || !plain[c.unicode()]) return false;
    return true;
}

bool Cp932::isPlain(QByteArrayView bytes) {
    return isPlainBytes(bytes, plainCodes());
}

QString Cp932::decode(const QByteArray& bytes) {
    const std::array<bool, 128>& plain = plainCodes();
    if (isPlainBytes(bytes, plain)) return QString::fromLatin1(bytes);
    QStringDecoder& d = freshDecoder();
    if (!d.isValid()) return QString::fromLatin1(bytes);
    // Line by line: runs of lines of plain bytes are copied, the other lines go
    // through one converter, each with its line end. No CP932 character holds
    // the byte 0x0A, so after a line end the converter holds nothing back, and
    // the result is the same as converting the whole text at once.
    QString text;
    text.reserve(bytes.size());
    const QByteArrayView all(bytes);
    qsizetype plainFrom = 0, at = 0;
    while (at < all.size()) {
        const qsizetype nl = all.indexOf('\n', at);
        const qsizetype end = nl < 0 ? all.size() : nl + 1;
        const QByteArrayView line = all.sliced(at, end - at);
        if (!isPlainBytes(line, plain)) {
            text += QLatin1StringView(all.sliced(plainFrom, at - plainFrom));
            text += d.decode(line);
            plainFrom = end;
        }
        at = end;
    }
    text += QLatin1StringView(all.sliced(plainFrom));
    return text;
}

QByteArray Cp932::encode(const QString& text) {
    if (isPlain(text)) return text.toLatin1();
    QStringEncoder& e = freshEncoder();
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
