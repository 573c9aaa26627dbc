#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace qvx {

// The board's analog settings as bytes: reference values, mixing tables and
// the two sensor interrupts of each analog input. Shared by the analog dialog,
// the command-line tool and the simulated board, so both ends read the bytes
// the same way.
namespace QmxBoard::Analog {

inline constexpr int kInputs = 3;
// Two sensor interrupts per input: slots 2k and 2k + 1 belong to input k.
inline constexpr int kSensorSlots = 2 * kInputs;
inline constexpr int kChannels = 24;

inline constexpr int kReferenceSize = 2 * kInputs; // ref[0..2], high byte first
inline constexpr int kMixingSize = kChannels;      // one mixing byte per channel
inline constexpr int kSettingsSize = 18;           // 6 entry bytes, 6 threshold words
inline constexpr int kThresholdWordsAt = kSensorSlots;

inline constexpr int kReferenceMax = 1023;
inline constexpr int kThresholdMax = 1023;
// A live reference of this value makes the board calibrate from its input.
inline constexpr quint16 kAutoCalibrate = 0xFFFF;
// Analog values in a report are 14 bits, sent as two 7-bit bytes.
inline constexpr int kReportValueMax = 0x3FFF;

// Mixing byte: bit 7 mixing on, bit 6 negative gain, bits 0..5 magnitude.
inline constexpr quint8 kMixOn = 0x80;
inline constexpr quint8 kMixNegative = 0x40;
inline constexpr quint8 kMixMagnitude = 0x3F;
inline constexpr int kGainMax = 63;

// Threshold word: bit 15 negative, bit 14 interrupt enabled, bits 0..9
// magnitude; bits 10..13 mean nothing.
inline constexpr quint16 kThresholdNegative = 0x8000;
inline constexpr quint16 kThresholdEnabled = 0x4000;
inline constexpr quint16 kThresholdMagnitude = 0x03FF;

// The signed gain a mixing byte gives (-63..63); 0 when mixing is off.
constexpr int SignedGain(quint8 byte) {
    if (!(byte & kMixOn)) return 0;
    const int magnitude = byte & kMixMagnitude;
    return (byte & kMixNegative) ? -magnitude : magnitude;
}

// The mixing byte of a signed gain (-63..63); 0 (off) for gain 0.
constexpr quint8 MixingByte(int gain) {
    if (gain == 0) return 0;
    if (gain > 0) return quint8(kMixOn | (gain & kMixMagnitude));
    return quint8(kMixOn | kMixNegative | (-gain & kMixMagnitude));
}

// The signed threshold of a threshold word.
constexpr int ThresholdOf(quint16 word) {
    const int magnitude = word & kThresholdMagnitude;
    return (word & kThresholdNegative) ? -magnitude : magnitude;
}

constexpr bool ThresholdEnabled(quint16 word) {
    return word & kThresholdEnabled;
}

// The threshold word of a signed threshold, enabled or not.
constexpr quint16 ThresholdWord(int threshold, bool enabled) {
    const int magnitude = threshold < 0 ? -threshold : threshold;
    quint16 w = quint16(magnitude & kThresholdMagnitude);
    if (threshold < 0) w |= kThresholdNegative;
    if (enabled) w |= kThresholdEnabled;
    return w;
}

// The threshold word of a sensor slot in the 18 settings bytes.
inline quint16 SettingsWord(const QByteArray& settings, int slot) {
    const int at = kThresholdWordsAt + 2 * slot;
    if (at + 1 >= settings.size()) return 0;
    return quint16(quint8(settings[at]) << 8 | quint8(settings[at + 1]));
}

} // namespace QmxBoard::Analog

} // namespace qvx
