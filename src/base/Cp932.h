#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace qvx {

// Conversion between the program's texts and CP932 (Shift-JIS with the Windows
// extensions), the code page of every file the program reads and writes and of
// the names it sends to the board.
//
// Most of what the program converts is ASCII, which CP932 holds as single bytes
// of the same code. Text made only of such characters is copied straight
// instead of going through the converter; the result is the same bytes.
class Cp932 {
public:
    static QString decode(const QByteArray& bytes);
    static QByteArray encode(const QString& text);
    // Encodes text and cuts it to at most maxBytes bytes without splitting a
    // double-byte character.
    static QByteArray encodeCut(const QString& text, int maxBytes);
    // True when the converter is available (Qt built with ICU).
    static bool available();
    // True when every character of text is one that CP932 writes as the single
    // byte of the same code, so that encoding it is a plain copy.
    static bool isPlain(QStringView text);
    // True when every byte is one that CP932 reads as the character of the
    // same code, so that decoding the bytes is a plain copy.
    static bool isPlain(QByteArrayView bytes);
};

} // namespace qvx
