#include "items/SetCodes.h"

#include "board/MotionTable.h"

#include <QCoreApplication>

#include <algorithm>
#include <optional>

namespace qvx {

namespace {

using QmxBoard::Analog::kMixMagnitude;
using QmxBoard::Analog::kMixNegative;
using QmxBoard::Analog::kMixOn;
constexpr int kGainOff = AnalogSettings::kGainOff;

// The sources of the mixing page in list order after "OFF".
constexpr std::array<quint16, SetCodes::kAdInputs> kMixSources = {
    CodeBase::MixAd1, CodeBase::MixAd2, CodeBase::MixAd3};

// Class numbers of the ranges that hold mixing bytes: the seven ranges the
// dialog never writes and the three AD ranges it writes.
constexpr std::array kMixingClasses = {12, 13, 14, 19, 20, 21, 22, 23, 24, 25};

// All mixing ranges are one kind when an item is classified.
constexpr int kMixingKind = -2;

int kindOf(quint16 value) {
    const int number = WordClasses::ValueKind(value).number;
    const bool mixing =
        std::find(kMixingClasses.begin(), kMixingClasses.end(), number) != kMixingClasses.end();
    return mixing ? kMixingKind : number;
}

SetVariant variantOf(quint16 value) {
    if (kindOf(value) == kMixingKind) return SetVariant::Mixing;
    const WordClass& c = WordClasses::ValueKind(value);
    if (!c.assigned() || c.kind != RecordSet) return SetVariant::None;
    switch (c.base) {
    case CodeBase::TeachValue:
        return SetVariant::TeachValue;
    case CodeBase::LoopCounter:
        return SetVariant::LoopCounter;
    case CodeBase::CompareRegister:
        return SetVariant::CompareRegister;
    case CodeBase::AdReference:
        return SetVariant::AdReference;
    case CodeBase::SensorControl:
        return SetVariant::SensorControl;
    case CodeBase::Receiver:
        return SetVariant::Receiver;
    default:
        return SetVariant::None; // reserved codes
    }
}

constexpr std::array<quint16, CmpCodes::kConditions> kConditionCodes = {
    CodeBase::LoopNotZero,  CodeBase::Ad1Change, CodeBase::Ad2Change, CodeBase::Ad3Change,
    CodeBase::Pa1Change,    CodeBase::Pa2Change, CodeBase::Pa3Change, CodeBase::Pa4Change,
    CodeBase::ButtonEquals, CodeBase::ButtonAnd};

} // namespace

quint16 SetCodes::LoopCounterCode(int count) {
    return quint16(CodeBase::LoopCounter + std::clamp(count, kMinLoopCount, kMaxLoopCount));
}

quint16 SetCodes::CompareRegisterCode(int value) {
    return quint16(CodeBase::CompareRegister + std::clamp(value, kMinCompare, kMaxCompare) -
                   kMinCompare);
}

quint16 SetCodes::AdReferenceCode(int input) {
    return quint16(CodeBase::AdReference + std::clamp(input, 0, kAdInputs - 1));
}

quint16 SetCodes::ReceiverCode(bool on) {
    return quint16(CodeBase::Receiver + (on ? 0 : 1));
}

quint16 SetCodes::SensorControlCode(int flags) {
    return quint16(CodeBase::SensorControl + (flags & ((1 << kSensors) - 1)));
}

quint16 SetCodes::MixingCode(const MixingChoice& choice) {
    const quint8 m = AnalogSettings::MixingByteOf(choice.gain);
    if (choice.source <= 0 || choice.source > kAdInputs)
        return quint16(CodeBase::MixAd1 + (m & ~kMixOn & 0xFF));
    return quint16(kMixSources[size_t(choice.source - 1)] + (m | kMixOn));
}

MixingChoice SetCodes::DecodeMixing(quint16 value) {
    const CodeSplit split = WordClasses::SplitValue(value);
    const quint8 a = quint8(split.argument);
    MixingChoice choice;
    const int magnitude = a & kMixMagnitude;
    choice.gain = (a & kMixNegative) ? kGainOff - magnitude : kGainOff + magnitude;
    if (a & kMixOn) {
        const auto it = std::find(kMixSources.begin(), kMixSources.end(), split.base);
        if (it != kMixSources.end()) choice.source = int(it - kMixSources.begin()) + 1;
    }
    return choice;
}

SetChoice SetCodes::ReadSetItem(const ChannelValues& values) {
    std::optional<int> kind;
    quint16 last = 0;
    for (quint16 v : values) {
        if (v == 0) continue;
        const int k = kindOf(v);
        if (kind && *kind != k) return SetChoice{};
        kind = k;
        last = v;
    }
    if (!kind) return SetChoice{};
    // Zeros are skipped here too: a channel left at 0 does not stand for the
    // argument the other channels carry.
    return SetChoice{variantOf(last), WordClasses::SplitValue(last).argument};
}

int SetCodes::ReadLoopCount(const QString& text, int current) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < kMinLoopCount || n > kMaxLoopCount) return current;
    return n;
}

int SetCodes::ReadCompareValue(const QString& text) {
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok);
    if (!ok) return 0;
    return int(std::clamp<qlonglong>(n, kMinCompare, kMaxCompare));
}

QStringList SetCodes::SourceList() {
    return QStringLiteral("OFF,AD1-R,AD2-R,AD3-R").split(u',');
}

QString SetCodes::SensorCaption(int k, const SensorInterrupt& interrupt) {
    const QString base = QStringLiteral("AD") + QString::number(k / 2 + 1);
    if (interrupt.selection == 0) return base + QStringLiteral(" OFF");
    // A selection beyond the table has no row to name.
    const int row = interrupt.selection - 1;
    const QString motion =
        row >= 0 && row < MotionTable::kRows ? MotionTable::Caption(row) : QString();
    return QCoreApplication::translate("SetCodes", "%1 Playing%2when an amount of %3change exceeds")
        .arg(base, QString::number(interrupt.threshold), motion);
}

quint16 CmpCodes::ConditionCode(int tag) {
    return kConditionCodes[size_t(std::clamp(tag, 0, kConditions - 1))];
}

int CmpCodes::ConditionOf(const ChannelValues& values) {
    const int base = WordClasses::CommonCodeBase(values).base;
    const auto it = std::find(kConditionCodes.begin(), kConditionCodes.end(), base);
    return it == kConditionCodes.end() ? -1 : int(it - kConditionCodes.begin());
}

} // namespace qvx
