#pragma once

#include "board/MotionRecord.h"
#include "document/ChartTypes.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace qvx {

// The text forms of items and motion records: the 98-digit hex text of an item
// in the listing and the rows of the hex view on the LIST page. Hex digits are
// upper case.
class HexText {
  public:
    // The lead byte as two hex digits followed by the 24 values as four digits
    // each, without separators.
    static QString FormatItemHex(const Item& item);
    // The same text for a record's lead byte and words.
    static QString FormatRecordHex(const MotionRecord& record);
    // Row of record `index` (0-based) of the hex view: the 1-based record number
    // with three digits at least, a blank, the lead byte, then a blank and four
    // hex digits for every word, e.g. "001 01 FFFF FFFF ...".
    static QString HexRow(int index, const MotionRecord& record);
    // One row per record of the image.
    static QStringList HexRows(const std::vector<MotionRecord>& image);
};

} // namespace qvx
