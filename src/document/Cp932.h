#pragma once

#include <QByteArray>
#include <QString>

namespace qvx {

// Conversion between the program's texts and CP932 (Shift-JIS with the Windows
// extensions), the code page of every file the program reads and writes and of
// the names it sends to the board.
class Cp932 {
public:
    static QString decode(const QByteArray& bytes);
    static QByteArray encode(const QString& text);
    // Encodes text and cuts it to at most maxBytes bytes without splitting a
    // double-byte character.
    static QByteArray encodeCut(const QString& text, int maxBytes);
    // True when the converter is available (Qt built with ICU).
    static bool available();
};

} // namespace qvx
