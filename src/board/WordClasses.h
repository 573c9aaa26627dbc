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

// The code bases of the settings, conditions and jumps a record can hold, by
// what the board does with them. A code is its base plus its argument.
namespace CodeBase {
// SET: the value measured by teaching goes into the parameter (no argument).
inline constexpr quint16 TeachValue = 0x8006;
// JMP: continue at the target record.
inline constexpr quint16 Jump = 0x8107;
// SET: load the loop counter with the argument.
inline constexpr quint16 LoopCounter = 0x8207;
// CMP: jump to the target record when the loop counter is not 0.
inline constexpr quint16 LoopNotZero = 0x8307;
// CMP: jump when the change of AD1, AD2, AD3 exceeds the compare register.
inline constexpr quint16 Ad1Change = 0x8C06;
inline constexpr quint16 Ad2Change = 0x8D06;
inline constexpr quint16 Ad3Change = 0x8E06;
// CMP: jump when the change of receiver input PA1..PA4 exceeds the compare register.
inline constexpr quint16 Pa1Change = 0x9206;
inline constexpr quint16 Pa2Change = 0x9306;
inline constexpr quint16 Pa3Change = 0x9406;
inline constexpr quint16 Pa4Change = 0x9506;
// CMP: jump when the button input equals the compare register, or when the
// two have a bit in common.
inline constexpr quint16 ButtonEquals = 0x9A06;
inline constexpr quint16 ButtonAnd = 0x9B06;
// SET: load the compare register with the argument minus 1023.
inline constexpr quint16 CompareRegister = 0x9C06;
// SET: playing from the receiver, argument 0 on, 1 off.
inline constexpr quint16 Receiver = 0xFBF2;
// SET: mixing of AD1, AD2, AD3 into the channel; the argument is the mixing byte.
inline constexpr quint16 MixAd1 = 0xFBF4;
inline constexpr quint16 MixAd2 = 0xFCF4;
inline constexpr quint16 MixAd3 = 0xFDF4;
// SET: the present value of AD1, AD2, AD3 (argument 0, 1, 2) becomes its reference.
inline constexpr quint16 AdReference = 0xFEF4;
// SET: switch the six sensor interrupts, one bit each.
inline constexpr quint16 SensorControl = 0xFEF7;
// The end of the motion.
inline constexpr quint16 EndMark = 0xFFFF;
} // namespace CodeBase

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
