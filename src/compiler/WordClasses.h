#pragma once

#include "board/MotionRecord.h"
#include "document/ChartTypes.h"

#include <QtGlobal>
#include <span>

namespace qvx {

// What a record holding words of a class is: a pose, a setting, a conditional
// branch, a jump or the end mark. Words of an unassigned range count as a kind
// of their own.
enum RecordKind : int {
    RecordPos = 0,
    RecordSet = 1,
    RecordCmp = 2,
    RecordJmp = 3,
    RecordEnd = 4,
    RecordNone = 5,
};

// One range of 16-bit words. Every word from 0 to 0xFFFF lies in exactly one
// range of the table; the ranges nobody uses have class number -1.
struct WordClass {
    int number;      // class number, -1 for an unassigned range
    RecordKind kind; // RecordNone for an unassigned range
    quint16 first;   // lowest word of the range
    quint16 last;    // highest word of the range
    quint16 base;    // code base: the first word, except classes 27 and 28 (0xFEF4)

    bool assigned() const { return number >= 0; }
    int size() const { return int(last) - int(first) + 1; }
};

// A word split into its code base and code argument (word minus base). For an
// unassigned word the base is the word plus 1 and the argument -1, so it
// matches no code.
struct CodeSplit {
    int base = 0;
    int argument = 0;

    bool operator==(const CodeSplit&) const = default;
};

// The word classes of channel values and record words: the one table that the
// compiler, the chart rebuilder, the board simulator and the item dialogs ask
// which kind of code a word is.
class WordClasses {
  public:
    // Every range in ascending order, covering 0 to 0xFFFF without gaps.
    static std::span<const WordClass> table();

    // The class (number, record kind and range) the word belongs to.
    static const WordClass& ValueKind(quint16 word);
    // The code base and code argument of the word.
    static CodeSplit SplitValue(quint16 word);

    // The common code base of 24 values taken in channel order: when every base
    // is equal, that base with the argument of the last value; otherwise base 0
    // with the argument of the first value whose base differs from the one
    // before it.
    static CodeSplit CommonCodeBase(const ChannelValues& values);
    // The common code base of the 24 words of a motion record (0 when two words
    // fall under different bases).
    static CodeSplit RecordCodeBase(const MotionRecord& record);
    // The same for a record given as its 49 bytes; base 0 and argument -1 when
    // fewer than 49 bytes are given.
    static CodeSplit RecordCodeBase(const QByteArray& bytes);
};

} // namespace qvx
