#pragma once

#include <QByteArray>
#include <QtEndian>
#include <array>

namespace qvx {

// The facts of the QMX board's serial protocol, named once for the command
// layer, the simulated board, the transfers and the tests.
namespace QmxBoard {

inline constexpr int kChannels = 24;
inline constexpr int kMotionSlots = 80;
inline constexpr int kScenarioSlots = 5;
// Table entries: the motion slots, then the scenario slots.
inline constexpr int kTableEntries = kMotionSlots + kScenarioSlots;
inline constexpr int kScenarioEntryBase = kMotionSlots;
inline constexpr int kEntrySize = 42;
// Records a motion slot holds; a longer motion runs on into the next slots.
inline constexpr int kRecordsPerSlot = 30;
// The record count of a table entry is one byte.
inline constexpr int kMaxRecords = 255;
inline constexpr int kScenarioSteps = 200;
inline constexpr int kServos = 256;
inline constexpr int kChannelNameSize = 32;
inline constexpr int kBoardInfoSize = 64;
// A trim word that leaves a servo's centre where it is.
inline constexpr quint16 kNeutralTrim = 16384;

// The line: 115200 bit/s, each byte 10 bits on the wire (start, 8 data, stop).
inline constexpr int kBitsPerSecond = 115200;
inline constexpr qint64 kByteNs = 10LL * 1000000000LL / kBitsPerSecond;

// Bytes of the exchange itself.
inline constexpr quint8 kAttention = 0x0D;
inline constexpr quint8 kAck = 0x06;
inline constexpr quint8 kNak = 0x15;

// Command bytes, by what they do.
enum class Command : quint8 {
    ReadBoardInfo = 0xFF,
    MoveChannel = 0xFE,
    WriteMotionRecord = 0xFD,
    ReadMotionRecord = 0xFC,
    SetTrimLive = 0xFB,
    WriteTrimData = 0xFA,
    ReadTrimData = 0xF9,
    WriteScenarioStep = 0xF8,
    ReadScenarioStep = 0xF7,
    WriteTableEntry = 0xF6,
    ReadTableEntry = 0xF5,
    PlayMotion = 0xF4,
    StopMotion = 0xF3,
    WriteOptionWord = 0xF2,
    ReadOptionWord = 0xF1,
    ReadCurrentPose = 0xF0,
    WriteStartMotions = 0xEF,
    ReadStartMotions = 0xEE,
    ReadButtonInput = 0xED,
    WriteAlarmSetting = 0xEC,
    ReadAlarmSetting = 0xEB,
    SetAdLive = 0xE7,
    WriteAdReference = 0xE6,
    ReadAdReference = 0xE5,
    WriteMixing = 0xE4,
    ReadMixing = 0xE3,
    WriteAdSettings = 0xE2,
    ReadAdSettings = 0xE1,
    WriteReceiverReference = 0xE0,
    ReadReceiverReference = 0xDF,
    SendExpandedSerial = 0xDE,
    WriteSvpChannels = 0xDD,
    ReadSvpChannels = 0xDC,
    WriteServoParams = 0xDB,
    ReadServoParams = 0xDA,
    WriteHomePosition = 0xD3,
    ReadHomePosition = 0xD2,
    WriteChannelName = 0xD1,
    ReadChannelName = 0xD0,
};

// Lead bytes of the reports the board sends on its own.
enum class Report : quint8 {
    Receiver = 0xFD,
    Analog = 0xFE,
    PlaybackDone = 0xFF,
};

// Total frame length of a request (command byte and checksum included); 0 for
// a byte that is no command.
int FrameLength(quint8 command);
inline int FrameLength(Command command) {
    return FrameLength(quint8(command));
}
// Report length by lead byte, lead byte included; 0 for any other byte.
int ReportLength(quint8 lead);

} // namespace QmxBoard

// Big-endian words as the board sends them: high byte first.
namespace BigEndian {

using Words = std::array<quint16, QmxBoard::kChannels>;

inline quint16 word(const QByteArray& bytes, qsizetype at) {
    return qFromBigEndian<quint16>(bytes.constData() + at);
}
inline void appendWord(QByteArray& bytes, quint16 value) {
    char b[2];
    qToBigEndian(value, b);
    bytes.append(b, 2);
}
inline void putWord(QByteArray& bytes, qsizetype at, quint16 value) {
    qToBigEndian(value, bytes.data() + at);
}
// 24 words as 48 bytes, and back from the bytes at `at` (missing bytes read as 0).
inline QByteArray fromWords(const Words& words) {
    QByteArray b;
    b.reserve(2 * QmxBoard::kChannels);
    for (quint16 w : words)
        appendWord(b, w);
    return b;
}
inline Words toWords(const QByteArray& bytes, qsizetype at = 0) {
    Words w{};
    for (int k = 0; k < QmxBoard::kChannels && at + 2 * k + 1 < bytes.size(); ++k)
        w[size_t(k)] = word(bytes, at + 2 * k);
    return w;
}

} // namespace BigEndian

} // namespace qvx
