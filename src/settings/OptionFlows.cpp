#include "settings/OptionFlows.h"

#include "board/BoardLink.h"
#include "board/MotionTable.h"
#include "base/CommaList.h"

#include <algorithm>

namespace qvx {

namespace {

// The dialog reads and writes the stored copy of the option word first.
constexpr bool kStored = true;
constexpr bool kWorking = false;

// Sets or clears one bit.
quint16 withBit(quint16 word, quint16 bit, bool on) {
    return on ? quint16(word | bit) : quint16(word & ~bit);
}

// num / den for num >= 0, den > 0, rounded to the nearest integer, halves to even.
qint64 divideRounded(qint64 num, qint64 den) {
    qint64 q = num / den;
    const qint64 twice = 2 * (num % den);
    if (twice > den || (twice == den && (q & 1))) ++q;
    return q;
}

bool validChoice(int index) {
    return index >= 0 && index < OptionFlows::kChoices;
}

// The table entry a choice stands for; nothing for "OFF".
std::optional<int> entryOf(int index) {
    if (index <= 0) return std::nullopt;
    return index - 1;
}

} // namespace

OptionFlows::OptionFlows(BoardCommands& board, const MotionTable& table)
    : m_board(board), m_table(table) {}

quint16 OptionFlows::ComposeOptionWord(quint16 stored, const OptionSettings& s) {
    quint16 w = stored;
    w = withBit(w, BoardCommands::kOptTransmitter, s.transmitter);
    w = withBit(w, BoardCommands::kOptButtonStart, s.buttonStart != 0);
    w = withBit(w, BoardCommands::kOptPowerOnStart, s.powerOnStart != 0);
    w = withBit(w, BoardCommands::kOptAlarm, s.alarm != 0);
    w = withBit(w, BoardCommands::kOptPlaybackReport, s.replyAtEnd);
    w = withBit(w, BoardCommands::kOptWrx1, s.wrx1);
    return quint16(w & ~kClearedBits);
}

int OptionFlows::VoltsToRaw(int tenths) {
    // tenths / 0.15359 = tenths x 100000 / 15359, worked out exactly.
    return int(divideRounded(qint64(std::max(tenths, 0)) * 100000, 15359));
}

int OptionFlows::RawToVolts(int raw) {
    // raw x 0.1539 = raw x 1539 / 10000, worked out exactly.
    return int(divideRounded(qint64(std::max(raw, 0)) * 1539, 10000));
}

QString OptionFlows::VoltText(int tenths) {
    return QStringLiteral("%1.%2V").arg(tenths / 10, 2, 10, QLatin1Char('0')).arg(tenths % 10);
}

QString OptionFlows::ChoiceCaption(int index) {
    if (!validChoice(index) || index == 0) return QStringLiteral("OFF");
    return MotionTable::Caption(index - 1);
}

QStringList OptionFlows::MotionChoiceList(const MotionTable& table) {
    // The table's lists quote every element, so a name holding a comma
    // cannot shift the entries.
    return QStringList{QStringLiteral("OFF")} + CommaList::split(table.AllList());
}

QByteArray OptionFlows::SvpBytes(quint32 mask) {
    QByteArray b(3, '\0');
    for (int i = 0; i < 3; ++i)
        b[i] = char((mask >> (8 * i)) & 0xFF);
    return b;
}

quint32 OptionFlows::SvpMask(const QByteArray& bytes) {
    quint32 mask = 0;
    for (int i = 0; i < 3 && i < bytes.size(); ++i)
        mask |= quint32(quint8(bytes[i])) << (8 * i);
    return mask;
}

int OptionFlows::ChoiceOf(bool enabled, int entry) {
    return enabled && entry >= 0 && entry < QmxBoard::kTableEntries ? entry + 1 : 0;
}

// ---- flows ----

bool OptionFlows::Open() {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    if (!m_board.SetSleep(0)) return false;
    if (readAll() && m_board.SetSleep(1)) return true;
    // Stops at the first failure: a failed load leaves the robot asleep, as
    // the other flows that sleep around their reads do, and says so.
    link.setLastFailure(BoardCommands::LeftAsleep(link.lastFailure()));
    return false;
}

bool OptionFlows::ReadAll() {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    return readAll();
}

bool OptionFlows::readAll() {
    OptionSettings s;
    quint16 word = 0;
    if (!m_board.ReadOptionWord(kStored, word)) return false;
    s.transmitter = word & BoardCommands::kOptTransmitter;
    s.replyAtEnd = word & BoardCommands::kOptPlaybackReport;
    s.wrx1 = word & BoardCommands::kOptWrx1;
    const QStringList choices = MotionChoiceList(m_table);

    int button = 0, powerOn = 0;
    if (!m_board.ReadStartMotions(button, powerOn)) return false;
    s.buttonStart = ChoiceOf(word & BoardCommands::kOptButtonStart, button);
    s.powerOnStart = ChoiceOf(word & BoardCommands::kOptPowerOnStart, powerOn);

    int alarm = 0;
    quint16 raw = 0;
    if (!m_board.ReadAlarmSetting(alarm, raw)) return false;
    s.alarm = ChoiceOf(word & BoardCommands::kOptAlarm, alarm);
    // The up-down cannot go outside its range; a board value beyond it shows
    // at the nearest end, which is what a later write then sends.
    s.alarmTenths = std::clamp(RawToVolts(raw), kVoltMin, kVoltMax);

    QByteArray svp;
    if (!m_board.ReadSvpChannels(svp)) return false;
    s.svp = SvpMask(svp);

    m_settings = s;
    m_optionWord = word;
    m_choices = choices;
    return true;
}

template <typename Sequence>
bool OptionFlows::change(const OptionSettings& next, Sequence sequence) {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    m_settings = next;
    // The sequence works on its own copy: nothing a click changes meanwhile
    // reaches the bytes it sends.
    const OptionSettings copy = next;
    return sequence(copy);
}

bool OptionFlows::writeOptionWord(const OptionSettings& s) {
    quint16 word = 0;
    if (!m_board.ReadOptionWord(kStored, word)) return false;
    word = ComposeOptionWord(word, s);
    if (!m_board.WriteOptionWord(kStored, word)) return false;
    m_optionWord = word;
    return m_board.WriteOptionWord(kWorking, word);
}

bool OptionFlows::writeStartMotions(const OptionSettings& s) {
    int button = 0, powerOn = 0;
    if (!m_board.ReadStartMotions(button, powerOn)) return false;
    // The option word's outcome does not stop the assignments.
    const bool word = writeOptionWord(s);
    // A list on "OFF" keeps the board's byte; only its enable bit is cleared.
    if (const auto e = entryOf(s.buttonStart)) button = *e;
    if (const auto e = entryOf(s.powerOnStart)) powerOn = *e;
    return m_board.WriteStartMotions(button, powerOn) && word;
}

bool OptionFlows::writeAlarmSetting(const OptionSettings& s) {
    const bool word = writeOptionWord(s);
    int motion = 0;
    quint16 raw = 0;
    if (!m_board.ReadAlarmSetting(motion, raw)) return false;
    if (const auto e = entryOf(s.alarm)) motion = *e;
    return m_board.WriteAlarmSetting(motion, quint16(VoltsToRaw(s.alarmTenths))) && word;
}

bool OptionFlows::SetReplyAtEnd(bool on) {
    OptionSettings next = m_settings;
    next.replyAtEnd = on;
    return change(next, [this](const OptionSettings& s) { return writeOptionWord(s); });
}

bool OptionFlows::SetTransmitter(bool on) {
    OptionSettings next = m_settings;
    next.transmitter = on;
    return change(next, [this](const OptionSettings& s) { return writeOptionWord(s); });
}

bool OptionFlows::SetWrx1(bool on) {
    OptionSettings next = m_settings;
    next.wrx1 = on;
    return change(next, [this](const OptionSettings& s) { return writeOptionWord(s); });
}

bool OptionFlows::SetButtonStart(int index) {
    if (!validChoice(index)) return false;
    OptionSettings next = m_settings;
    next.buttonStart = index;
    return change(next, [this](const OptionSettings& s) { return writeStartMotions(s); });
}

bool OptionFlows::SetPowerOnStart(int index) {
    if (!validChoice(index)) return false;
    OptionSettings next = m_settings;
    next.powerOnStart = index;
    return change(next, [this](const OptionSettings& s) { return writeStartMotions(s); });
}

bool OptionFlows::SetAlarm(int index) {
    if (!validChoice(index)) return false;
    OptionSettings next = m_settings;
    next.alarm = index;
    return change(next, [this](const OptionSettings& s) { return writeAlarmSetting(s); });
}

bool OptionFlows::SetAlarmVolts(int tenths) {
    if (tenths < kVoltMin || tenths > kVoltMax) return false;
    OptionSettings next = m_settings;
    next.alarmTenths = tenths;
    return change(next, [this](const OptionSettings& s) { return writeAlarmSetting(s); });
}

bool OptionFlows::SetSvpChannels(quint32 mask) {
    if (mask > 0xFFFFFF) return false;
    OptionSettings next = m_settings;
    next.svp = mask;
    return change(next, [this](const OptionSettings& s) {
        return m_board.WriteSvpChannels(SvpBytes(s.svp));
    });
}

} // namespace qvx
