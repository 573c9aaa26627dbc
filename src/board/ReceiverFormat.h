#pragma once

#include <QtGlobal>

namespace qvx {

// The board's receiver inputs as bytes: the four reference values of PA1..PA4
// and the receiver report. Shared by the receiver dialog, the command-line tool
// and the simulated board, so both ends read the bytes the same way.
namespace QmxBoard::Receiver {

inline constexpr int kInputs = 4;
// One reference byte per input, PA1 first.
inline constexpr int kReferenceSize = kInputs;
// The receiver dialog sets references 0..127.
inline constexpr int kReferenceMax = 127;
// A reference byte of this value in a write makes the board calibrate that
// input from what it measures.
inline constexpr quint8 kAutoCalibrate = 0xFF;

// Receiver report (lead byte included): the button input, high byte first,
// then the measured values of PA1..PA4.
inline constexpr int kReportButtonAt = 2;
inline constexpr int kReportValuesAt = 4;

} // namespace QmxBoard::Receiver

} // namespace qvx
