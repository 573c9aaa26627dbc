#include "board/WordClasses.h"

#include <algorithm>
#include <array>

namespace qvx {

namespace {

constexpr WordClass row(int number, RecordKind kind, int first, int last, int base) {
    return WordClass{number, kind, quint16(first), quint16(last), quint16(base)};
}
constexpr WordClass unassigned(int first, int last) {
    return WordClass{-1, RecordNone, quint16(first), quint16(last), 0};
}

// The board's word classes in ascending order of their words.
constexpr std::array kTable = {
    row(0, RecordPos, 0x0000, 0x0000, 0x0000),
    row(1, RecordPos, 0x0001, 0x8005, 0x0001),
    row(2, RecordSet, 0x8006, 0x8006, 0x8006),
    row(3, RecordPos, 0x8007, 0x8086, 0x8007),
    row(4, RecordPos, 0x8087, 0x8106, 0x8087),
    row(5, RecordJmp, 0x8107, 0x8206, 0x8107),
    row(6, RecordSet, 0x8207, 0x8306, 0x8207),
    row(7, RecordCmp, 0x8307, 0x8406, 0x8307),
    unassigned(0x8407, 0x8C05),
    row(9, RecordCmp, 0x8C06, 0x8D05, 0x8C06),
    row(10, RecordCmp, 0x8D06, 0x8E05, 0x8D06),
    row(11, RecordCmp, 0x8E06, 0x8F05, 0x8E06),
    row(12, RecordSet, 0x8F06, 0x9005, 0x8F06),
    row(13, RecordSet, 0x9006, 0x9105, 0x9006),
    row(14, RecordSet, 0x9106, 0x9205, 0x9106),
    row(15, RecordCmp, 0x9206, 0x9305, 0x9206),
    row(16, RecordCmp, 0x9306, 0x9405, 0x9306),
    row(17, RecordCmp, 0x9406, 0x9505, 0x9406),
    row(18, RecordCmp, 0x9506, 0x9605, 0x9506),
    row(19, RecordSet, 0x9606, 0x9705, 0x9606),
    row(20, RecordSet, 0x9706, 0x9805, 0x9706),
    row(21, RecordSet, 0x9806, 0x9905, 0x9806),
    row(22, RecordSet, 0x9906, 0x9A05, 0x9906),
    row(34, RecordCmp, 0x9A06, 0x9B05, 0x9A06),
    row(35, RecordCmp, 0x9B06, 0x9C05, 0x9B06),
    row(8, RecordSet, 0x9C06, 0xE004, 0x9C06),
    unassigned(0xE005, 0xFBEF),
    row(33, RecordSet, 0xFBF0, 0xFBF1, 0xFBF0),
    row(32, RecordSet, 0xFBF2, 0xFBF3, 0xFBF2),
    row(23, RecordSet, 0xFBF4, 0xFCF3, 0xFBF4),
    row(24, RecordSet, 0xFCF4, 0xFDF3, 0xFCF4),
    row(25, RecordSet, 0xFDF4, 0xFEF3, 0xFDF4),
    row(26, RecordSet, 0xFEF4, 0xFEF4, 0xFEF4),
    row(27, RecordSet, 0xFEF5, 0xFEF5, 0xFEF4),
    row(28, RecordSet, 0xFEF6, 0xFEF6, 0xFEF4),
    row(29, RecordSet, 0xFEF7, 0xFFF6, 0xFEF7),
    row(30, RecordSet, 0xFFF7, 0xFFFE, 0xFFF7),
    row(31, RecordEnd, 0xFFFF, 0xFFFF, 0xFFFF),
};

// The named code bases are the bases of their classes.
constexpr quint16 kNamedBases[] = {CodeBase::TeachValue,  CodeBase::Jump,
                                   CodeBase::LoopCounter, CodeBase::LoopNotZero,
                                   CodeBase::Ad1Change,   CodeBase::Ad2Change,
                                   CodeBase::Ad3Change,   CodeBase::Pa1Change,
                                   CodeBase::Pa2Change,   CodeBase::Pa3Change,
                                   CodeBase::Pa4Change,   CodeBase::ButtonEquals,
                                   CodeBase::ButtonAnd,   CodeBase::CompareRegister,
                                   CodeBase::Receiver,    CodeBase::MixAd1,
                                   CodeBase::MixAd2,      CodeBase::MixAd3,
                                   CodeBase::AdReference, CodeBase::SensorControl,
                                   CodeBase::EndMark};
constexpr bool namedBasesAreBases() {
    for (quint16 word : kNamedBases) {
        const auto c = std::find_if(kTable.begin(), kTable.end(), [&](const WordClass& w) {
            return w.first <= word && word <= w.last;
        });
        if (c->number < 0 || c->base != word) return false;
    }
    return true;
}
static_assert(namedBasesAreBases());

template <typename WordAt> CodeSplit commonBase(WordAt wordAt) {
    CodeSplit previous = WordClasses::SplitValue(wordAt(0));
    for (int k = 1; k < kChannelCount; ++k) {
        const CodeSplit s = WordClasses::SplitValue(wordAt(k));
        if (s.base != previous.base) return CodeSplit{0, s.argument};
        previous = s;
    }
    return previous;
}

} // namespace

std::span<const WordClass> WordClasses::table() {
    return kTable;
}

const WordClass& WordClasses::ValueKind(quint16 word) {
    // The last range whose first word is not above the word.
    auto it = std::upper_bound(kTable.begin(), kTable.end(), word,
                               [](quint16 w, const WordClass& c) { return w < c.first; });
    return *(it - 1);
}

CodeSplit WordClasses::SplitValue(quint16 word) {
    const WordClass& c = ValueKind(word);
    if (!c.assigned()) return CodeSplit{int(word) + 1, -1};
    return CodeSplit{c.base, int(word) - int(c.base)};
}

CodeSplit WordClasses::CommonCodeBase(const ChannelValues& values) {
    return commonBase([&](int k) { return values[size_t(k)]; });
}

CodeSplit WordClasses::RecordCodeBase(const MotionRecord& record) {
    return commonBase([&](int k) { return record.words[size_t(k)]; });
}

CodeSplit WordClasses::RecordCodeBase(const QByteArray& bytes) {
    const auto record = MotionRecord::fromBytes(bytes);
    if (!record) return CodeSplit{0, -1};
    return RecordCodeBase(*record);
}

} // namespace qvx
