#pragma once

#include "board/WordClasses.h"
#include "settings/AnalogFlows.h"
#include "document/ChartTypes.h"

#include <QString>
#include <QStringList>
#include <array>

namespace qvx {

// What a SET item does, as its values say: the options of the SET dialog.
enum class SetVariant {
    None, // no option: mixed kinds, all 0, reserved or invalid codes
    TeachValue,
    LoopCounter,
    CompareRegister,
    AdReference,
    SensorControl,
    Receiver,
    Mixing,
};

// A SET item read back: its operation and the code argument that goes with it.
struct SetChoice {
    SetVariant variant = SetVariant::None;
    int argument = 0;

    bool operator==(const SetChoice&) const = default;
};

// One channel's mixing as the SET dialog's lists show it: the source index
// (0 "OFF", 1..3 "AD1-R".."AD3-R") and the index into the analog dialog's
// gain list.
struct MixingChoice {
    int source = 0;
    int gain = AnalogSettings::kGainOff;

    bool operator==(const MixingChoice&) const = default;
};

// One sensor interrupt as the analog dialog holds it: the change threshold and
// the motion selection (0 none, j = motion table row j - 1).
struct SensorInterrupt {
    int threshold = 0;
    int selection = 0;
};
// AD1 first, AD1 second, AD2 first, AD2 second, AD3 first, AD3 second.
using SensorInterrupts = std::array<SensorInterrupt, AnalogSettings::kSlots>;

// The value codes of SET items: building each operation's code, reading an
// item's values back into the dialog's choices, the mixing codes of the
// mixing page and the texts of the dialog's lists. The gains are those of the
// analog dialog's gain list (AnalogSettings).
class SetCodes {
  public:
    static constexpr int kMinLoopCount = 1;
    static constexpr int kMaxLoopCount = 255;
    static constexpr int kMinCompare = -1023;
    static constexpr int kMaxCompare = 16383;
    static constexpr int kAdInputs = AnalogSettings::kInputs;
    static constexpr int kSensors = AnalogSettings::kSlots;
    static constexpr int kSources = kAdInputs + 1;

    // Codes of the operations. Arguments outside their range are clamped.
    static quint16 LoopCounterCode(int count);
    static quint16 CompareRegisterCode(int value);
    static quint16 AdReferenceCode(int input);
    static quint16 ReceiverCode(bool on);
    // flags: bit 0..5 switch the six sensor interrupts.
    static quint16 SensorControlCode(int flags);

    // The code of one channel: source OFF keeps the gain in the AD1 range
    // with bit 7 clear; a source puts it with bit 7 set in that source's range.
    static quint16 MixingCode(const MixingChoice& choice);
    // The lists' choices of one channel's value. Only the AD mixing ranges
    // with bit 7 set name a source; the gain comes from the argument whatever
    // the range, so 0 reads as gain and source "OFF".
    static MixingChoice DecodeMixing(quint16 value);

    // The operation of a SET item and its argument. Values of 0 are skipped;
    // every mixing range counts as one kind; the item is of no operation when
    // two values differ in kind or all are 0. The argument is that of the last
    // value that is not 0.
    static SetChoice ReadSetItem(const ChannelValues& values);

    // A loop count typed into its box: the number, or `current` when the text
    // is not a number or lies outside 1..255.
    static int ReadLoopCount(const QString& text, int current);
    // A compare register value typed into its box: 0 when the text is not a
    // number, clamped to -1023..16383.
    static int ReadCompareValue(const QString& text);

    // "OFF", "AD1-R", "AD2-R", "AD3-R".
    static QStringList SourceList();
    // The caption of sensor check box k (0..5) for the interrupt it switches.
    static QString SensorCaption(int k, const SensorInterrupt& interrupt);
};

// The ten conditions of a CMP item, by the tag of the CMP dialog's radio buttons.
class CmpCodes {
  public:
    static constexpr int kConditions = 10;
    // The code base of condition `tag` (0..9).
    static quint16 ConditionCode(int tag);
    // The condition the item's 24 values share, -1 when they share none. Only
    // the code base counts: a compiled target in the argument does not matter.
    static int ConditionOf(const ChannelValues& values);
};

} // namespace qvx
