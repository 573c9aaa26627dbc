#include "board/BoardCommands.h"

#include "base/Services.h"
#include "board/BoardLink.h"
#include "base/Cp932.h"

#include <algorithm>

namespace qvx {

namespace {

// Sets the busy title for the lifetime of one command.
class BusyMark {
  public:
    explicit BusyMark(BoardLink& link) : m_link(link) { m_link.beginBusy(); }
    ~BusyMark() { m_link.endBusy(); }

  private:
    BoardLink& m_link;
};

// Runs the servo-parameter commands with the longer receive time-out (and,
// when asked, a single attempt), and puts the normal values back on every path.
class ServoTiming {
  public:
    ServoTiming(BoardLink& link, bool singleAttempt) : m_link(link) {
        m_link.receiveTimeoutMs = m_link.servoTimeoutMs();
        if (singleAttempt) m_link.AttemptCount = 1;
    }
    ~ServoTiming() {
        m_link.receiveTimeoutMs = m_link.normalTimeoutMs();
        m_link.AttemptCount = BoardLink::kDefaultAttempts;
    }

  private:
    BoardLink& m_link;
};

// Data of a fixed size: shorter data are padded with zero bytes, longer cut, so
// a frame always has the length the board expects.
QByteArray fit(const QByteArray& data, int size) {
    QByteArray b = data.left(size);
    if (b.size() < size) b.append(QByteArray(size - b.size(), '\0'));
    return b;
}

QByteArray wordBytes(quint16 value) {
    QByteArray b;
    BigEndian::appendWord(b, value);
    return b;
}

bool inRange(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

} // namespace

BoardCommands::BoardCommands(BoardLink& link, QObject* parent) : QObject(parent), m_link(link) {
    connect(&m_link, &BoardLink::reportReceived, this, &BoardCommands::HandleReport);
}

QByteArray BoardCommands::Frame(Command command, std::initializer_list<int> params,
                                const QByteArray& data) {
    QByteArray f(1, char(command));
    for (int b : params)
        f.append(char(quint8(b)));
    f.append(data);
    BoardLink::AppendSum(f);
    return f;
}

bool BoardCommands::ack(const QByteArray& frame) {
    BusyMark busy(m_link);
    const QByteArray answer = m_link.Transact(frame, 1);
    if (answer.size() != 1) return false;
    if (quint8(answer[0]) != QmxBoard::kAck) {
        m_link.setLastFailure(tr("the board answered %1 instead of the acknowledge byte")
                                  .arg(QString::asprintf("%02X", quint8(answer[0]))));
        return false;
    }
    return true;
}

bool BoardCommands::data(const QByteArray& frame, int length, QByteArray& out) {
    BusyMark busy(m_link);
    QByteArray answer = m_link.Transact(frame, length);
    if (answer.size() != length) return false;
    if (!BoardLink::CheckAnswerSum(answer)) {
        m_link.setLastFailure(tr("the board's answer had a wrong checksum"));
        return false;
    }
    answer.chop(1);
    out = answer;
    return true;
}

void BoardCommands::none(const QByteArray& frame) {
    BusyMark busy(m_link);
    m_link.Transact(frame, 0);
}

// ---- commands ----

QString BoardCommands::LeftAsleepText() {
    return tr("The robot is left asleep: press Sleep to wake it");
}

bool BoardCommands::ReadBoardInfo(QByteArray& text) {
    return data(Frame(Command::ReadBoardInfo, {}), 65, text);
}

bool BoardCommands::MoveChannel(int channel, quint16 value) {
    if (!inRange(channel, 0, 23)) return false;
    none(Frame(Command::MoveChannel, {0x00, channel, 1}, wordBytes(value)));
    return true;
}

bool BoardCommands::WriteMotionRecord(bool stored, int slot, int index,
                                      const MotionRecord& record) {
    if (!inRange(slot, 0, 79) || !inRange(index, 0, 255)) return false;
    return ack(Frame(Command::WriteMotionRecord, {WriteFlag(stored), slot, index}, record.toBytes()));
}

bool BoardCommands::ReadMotionRecord(bool stored, int slot, int index, MotionRecord& record) {
    if (!inRange(slot, 0, 79) || !inRange(index, 0, 255)) return false;
    QByteArray b;
    if (!data(Frame(Command::ReadMotionRecord, {ReadFlag(stored), slot, index}), 50, b)) return false;
    record = *MotionRecord::fromBytes(b);
    return true;
}

bool BoardCommands::SetTrimLive(int channel, quint16 value) {
    if (!inRange(channel, 0, 23)) return false;
    none(Frame(Command::SetTrimLive, {0x00, channel}, wordBytes(value)));
    // Callers ignore the result; the command has no answer to judge by.
    return false;
}

bool BoardCommands::WriteTrimData(bool stored, const Words& trim) {
    return ack(Frame(Command::WriteTrimData, {WriteFlag(stored)}, BigEndian::fromWords(trim)));
}

bool BoardCommands::ReadTrimData(bool stored, Words& trim) {
    QByteArray b;
    if (!data(Frame(Command::ReadTrimData, {ReadFlag(stored)}), 49, b)) return false;
    trim = BigEndian::toWords(b);
    return true;
}

bool BoardCommands::WriteScenarioStep(int scenario, int step, int motion) {
    if (!inRange(scenario, 0, 4) || !inRange(step, 0, 199) || !inRange(motion, 0, 255))
        return false;
    return ack(Frame(Command::WriteScenarioStep, {0x01, scenario, step, motion}));
}

bool BoardCommands::ReadScenarioStep(int scenario, int step, int& motion) {
    if (!inRange(scenario, 0, 4) || !inRange(step, 0, 199)) return false;
    QByteArray b;
    if (!data(Frame(Command::ReadScenarioStep, {scenario, step}), 2, b)) return false;
    motion = quint8(b[0]);
    return true;
}

bool BoardCommands::WriteTableEntry(int entry, const QByteArray& entryData) {
    if (!inRange(entry, 0, QmxBoard::kTableEntries - 1)) return false;
    return ack(Frame(Command::WriteTableEntry, {0x01, entry}, fit(entryData, QmxBoard::kEntrySize)));
}

bool BoardCommands::ReadTableEntry(int entry, QByteArray& entryData) {
    if (!inRange(entry, 0, QmxBoard::kTableEntries - 1)) return false;
    return data(Frame(Command::ReadTableEntry, {entry}), 43, entryData);
}

bool BoardCommands::PlayMotion(int number) {
    if (!inRange(number, 0, QmxBoard::kTableEntries - 1)) return false;
    return ack(Frame(Command::PlayMotion, {0x05, number}));
}

bool BoardCommands::StopMotion() {
    return ack(Frame(Command::StopMotion, {0x01, 0xFF, 0xFF, 0xFF}));
}

bool BoardCommands::WriteOptionWord(bool stored, quint16 word) {
    return ack(Frame(Command::WriteOptionWord, {WriteFlag(stored)}, wordBytes(word)));
}

bool BoardCommands::ReadOptionWord(bool stored, quint16& word) {
    QByteArray b;
    if (!data(Frame(Command::ReadOptionWord, {ReadFlag(stored)}), 3, b)) return false;
    word = BigEndian::word(b, 0);
    return true;
}

bool BoardCommands::ReadCurrentPose(Words& pose) {
    QByteArray b;
    if (!data(Frame(Command::ReadCurrentPose, {}), 49, b)) return false;
    pose = BigEndian::toWords(b);
    return true;
}

bool BoardCommands::WriteStartMotions(int buttonStart, int powerOnStart) {
    return ack(Frame(Command::WriteStartMotions, {0x01, buttonStart & 0xFF, powerOnStart & 0xFF}));
}

bool BoardCommands::ReadStartMotions(int& buttonStart, int& powerOnStart) {
    QByteArray b;
    if (!data(Frame(Command::ReadStartMotions, {}), 3, b)) return false;
    buttonStart = quint8(b[0]);
    powerOnStart = quint8(b[1]);
    return true;
}

bool BoardCommands::ReadButtonInput(QByteArray& out) {
    return data(Frame(Command::ReadButtonInput, {}), 8, out);
}

bool BoardCommands::WriteAlarmSetting(int motion, quint16 voltage) {
    return ack(Frame(Command::WriteAlarmSetting, {0x01, motion & 0xFF}, wordBytes(voltage)));
}

bool BoardCommands::ReadAlarmSetting(int& motion, quint16& voltage) {
    QByteArray b;
    if (!data(Frame(Command::ReadAlarmSetting, {}), 4, b)) return false;
    motion = quint8(b[0]);
    voltage = BigEndian::word(b, 1);
    return true;
}

bool BoardCommands::SetAdLive(int input, quint16 value) {
    if (!inRange(input, 0, 2)) return false;
    none(Frame(Command::SetAdLive, {0x00, input}, wordBytes(value)));
    return true;
}

bool BoardCommands::WriteAdReference(bool stored, const QByteArray& d) {
    return ack(Frame(Command::WriteAdReference, {WriteFlag(stored)}, fit(d, 6)));
}

bool BoardCommands::ReadAdReference(bool stored, QByteArray& out) {
    return data(Frame(Command::ReadAdReference, {ReadFlag(stored)}), 7, out);
}

bool BoardCommands::WriteMixing(bool stored, int index, const QByteArray& d) {
    if (!inRange(index, 0, 2)) return false;
    return ack(Frame(Command::WriteMixing, {WriteFlag(stored), index}, fit(d, 24)));
}

bool BoardCommands::ReadMixing(bool stored, int index, QByteArray& out) {
    if (!inRange(index, 0, 2)) return false;
    return data(Frame(Command::ReadMixing, {ReadFlag(stored), index}), 25, out);
}

bool BoardCommands::WriteAdSettings(bool stored, const QByteArray& d) {
    return ack(Frame(Command::WriteAdSettings, {WriteFlag(stored)}, fit(d, 18)));
}

bool BoardCommands::ReadAdSettings(bool stored, QByteArray& out) {
    return data(Frame(Command::ReadAdSettings, {ReadFlag(stored)}), 19, out);
}

bool BoardCommands::WriteReceiverReference(bool stored, const QByteArray& d) {
    return ack(Frame(Command::WriteReceiverReference, {WriteFlag(stored)}, fit(d, 4)));
}

bool BoardCommands::ReadReceiverReference(bool stored, QByteArray& out) {
    return data(Frame(Command::ReadReceiverReference, {ReadFlag(stored)}), 5, out);
}

bool BoardCommands::SendExpandedSerial(const QByteArray& d) {
    return ack(Frame(Command::SendExpandedSerial, {0x01}, fit(d, 7)));
}

bool BoardCommands::WriteSvpChannels(const QByteArray& mask) {
    return ack(Frame(Command::WriteSvpChannels, {0x01}, fit(mask, 3)));
}

bool BoardCommands::ReadSvpChannels(QByteArray& mask) {
    return data(Frame(Command::ReadSvpChannels, {}), 4, mask);
}

bool BoardCommands::WriteServoParams(int servo, const QByteArray& d) {
    if (!inRange(servo, 0, 255)) return false;
    ServoTiming timing(m_link, false);
    return ack(Frame(Command::WriteServoParams, {servo}, fit(d, 17)));
}

bool BoardCommands::ReadServoParams(int servo, QByteArray& out) {
    if (!inRange(servo, 0, 255)) return false;
    ServoTiming timing(m_link, true);
    return data(Frame(Command::ReadServoParams, {servo}), 18, out);
}

bool BoardCommands::WriteHomePosition(const Words& pose) {
    return ack(Frame(Command::WriteHomePosition, {0x01}, BigEndian::fromWords(pose)));
}

bool BoardCommands::ReadHomePosition(Words& pose) {
    QByteArray b;
    if (!data(Frame(Command::ReadHomePosition, {}), 49, b)) return false;
    pose = BigEndian::toWords(b);
    return true;
}

bool BoardCommands::WriteChannelName(int channel, const QString& name) {
    return WriteChannelNameBytes(channel, Cp932::encodeCut(name, QmxBoard::kChannelNameSize));
}

bool BoardCommands::ReadChannelName(int channel, QString& name) {
    QByteArray b;
    if (!ReadChannelNameBytes(channel, b)) return false;
    const qsizetype nul = b.indexOf('\0');
    name = Cp932::decode(nul < 0 ? b : b.left(nul));
    return true;
}

bool BoardCommands::WriteChannelNameBytes(int channel, const QByteArray& bytes) {
    if (!inRange(channel, 0, 23)) return false;
    return ack(Frame(Command::WriteChannelName, {0x01, channel},
                     fit(bytes, QmxBoard::kChannelNameSize)));
}

bool BoardCommands::ReadChannelNameBytes(int channel, QByteArray& bytes) {
    if (!inRange(channel, 0, 23)) return false;
    return data(Frame(Command::ReadChannelName, {channel}), 33, bytes);
}

// ---- composite operations ----

bool BoardCommands::SetSleep(int mode) {
    quint16 word = 0;
    if (!ReadOptionWord(false, word)) return false;
    if (mode == 0)
        word |= kOptSleep;
    else if (mode == 1)
        word &= quint16(~kOptSleep);
    else
        word ^= kOptSleep;

    if (word & kOptSleep) {
        MotionRecord live;
        if (!ReadMotionRecord(false, 0, 0, live)) return false;
        live.lead = 1;
        const MotionRecord kept = live;
        // Release every servo: positions and the servo-like codes become FREE;
        // outputs (0x8000, 0x8001) and the codes from 0x8107 up stay.
        for (quint16& w : live.words)
            if (w < 0x8000 || (w >= 0x8002 && w <= 0x8106)) w = 0x8002;
        if (!WriteMotionRecord(false, 0, 0, live)) return false;
        if (!WriteOptionWord(false, word)) return false;
        if (!WriteMotionRecord(false, 0, 0, kept)) return false;
        emit sleepPanelChanged(QStringLiteral("Sleep"));
        return true;
    }
    if (!WriteOptionWord(false, word)) return false;
    emit sleepPanelChanged(QStringLiteral("RUN"));
    return true;
}

bool BoardCommands::optionBit(bool stored, quint16 bit, int setMode, int clearMode, bool toggles,
                              int mode) {
    quint16 word = 0;
    if (!ReadOptionWord(stored, word)) return false;
    if (mode == setMode)
        word |= bit;
    else if (mode == clearMode)
        word &= quint16(~bit);
    else if (toggles && mode == 2)
        word ^= bit;
    return WriteOptionWord(stored, word);
}

bool BoardCommands::SetOptionBit1(int mode) {
    return optionBit(false, kOptPause, 0, 1, true, mode);
}
bool BoardCommands::SetOptionBit2(int mode) {
    return optionBit(false, kOptReceiverReports, 1, 0, false, mode);
}
bool BoardCommands::SetOptionBit5(int mode) {
    return optionBit(false, kOptDataDialog, 0, 1, false, mode);
}
bool BoardCommands::SetOptionBit8(int mode) {
    return optionBit(false, kOptAdReports, 0, 1, true, mode);
}
bool BoardCommands::SetOptionBit14(int mode) {
    return optionBit(true, kOptSvp, 0, 1, false, mode);
}

bool BoardCommands::UpdateTableEntry(int entry, int count, int port, const QString& name,
                                     const std::optional<QDateTime>& date, int ctrl) {
    QByteArray e;
    if (!ReadTableEntry(entry, e)) return false;
    if (count != -1) e[0] = char(count);
    if (port != -1) {
        e[1] = char(port & 0xFF);
        e[2] = char((port >> 8) & 0xFF);
        e[3] = char((port >> 16) & 0xFF);
    }
    if (date) {
        const QDateTime when = date->isValid() ? *date : QDateTime::currentDateTime();
        e[4] = char(when.date().month());
        e[5] = char(when.date().day());
        e[6] = char(when.time().hour());
        e[7] = char(when.time().minute());
    }
    if (ctrl != -1) {
        BigEndian::putWord(e, 8, quint16(ctrl));
    }
    e.replace(10, 32, fit(Cp932::encodeCut(name, QmxBoard::kChannelNameSize), QmxBoard::kChannelNameSize));
    if (!WriteTableEntry(entry, e)) return false;
    emit tableEntryWritten(entry, e);
    return true;
}

bool BoardCommands::ClearTableEntry(int entry) {
    QByteArray e;
    if (!ReadTableEntry(entry, e)) return false;
    e = QByteArray(QmxBoard::kEntrySize, '\0');
    for (int i = 4; i <= 9; ++i)
        e[i] = char(0xFF);
    if (!WriteTableEntry(entry, e)) return false;
    emit tableEntryWritten(entry, e);
    return true;
}

// ---- reports ----

void BoardCommands::HandleReport(const QByteArray& report) {
    if (report.isEmpty()) return;
    switch (QmxBoard::Report(report[0])) {
    case QmxBoard::Report::Receiver:
        OnReceiverReport(report);
        break;
    case QmxBoard::Report::Analog:
        OnAdReport(report);
        break;
    case QmxBoard::Report::PlaybackDone:
        OnPlaybackDone(report);
        break;
    }
}

void BoardCommands::OnReceiverReport(const QByteArray& r) {
    if (r.size() < 9) return;
    const int button = BigEndian::word(r, 2);
    QList<int> values;
    for (int i = 4; i <= 7; ++i)
        values << quint8(r[i]);
    emit receiverReport(button, values);
}

void BoardCommands::OnAdReport(const QByteArray& r) {
    if (r.size() < 10) return;
    QList<int> values;
    for (int i = 0; i < 4; ++i)
        values << quint8(r[1 + 2 * i]) * 128 + quint8(r[2 + 2 * i]);
    emit adReport(values);
}

QList<int> BoardCommands::PlaybackNumbers(const QByteArray& r) {
    QList<int> numbers;
    if (r.size() < 31) return numbers;
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 4; ++j)
            if (quint8(r[1 + i]) & (1 << j)) numbers << quint8(r[7 + 4 * i + j]);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

void BoardCommands::OnPlaybackDone(const QByteArray& report) {
    const QList<int> numbers = PlaybackNumbers(report);
    if (Services* s = m_link.services())
        for (int n : numbers)
            s->ShowStatus(tr("[%1]Playback is done").arg(n));
    emit playbackDone(numbers);
}

QString BoardCommands::AdVoltText(int input, int raw) {
    if (input == 0) return QString::asprintf("%05.2fV", raw * 0.01539);
    return QString::asprintf("%4.2fV", raw * 0.00532);
}

} // namespace qvx
