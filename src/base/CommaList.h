#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

namespace qvx {

// Comma-separated lists as used inside settings values, item parameters,
// bending points and pose tables.
//
// Reading: fields are separated by commas; a blank or control character outside
// double quotes also ends a field and blanks around a comma are skipped; a field
// may be enclosed in double quotes, inside which commas and blanks belong to the
// field and a doubled quote stands for one quote; two commas in a row give an
// empty field and a comma at the very end gives a final empty field.
//
// Writing: an element holding a blank, comma, double quote or control character
// is enclosed in double quotes with inner quotes doubled.
class CommaList {
public:
    static QStringList split(const QString& text);
    // Hands the fields of text, as split() finds them, to `field` one by one
    // without making a list; a quoted field with a doubled quote is made anew,
    // the others are views of text. Stops when `field` returns false, and then
    // returns false.
    static bool scan(QStringView text, const std::function<bool(QStringView)>& field);
    // The same for bytes whose codes are their characters, such as ASCII text
    // read straight from a file.
    static bool scan(QByteArrayView bytes, const std::function<bool(QByteArrayView)>& field);
    static QString join(const QStringList& elements);
    static QString quoteIfNeeded(const QString& element);
};

} // namespace qvx
