#include "sim/BoardSimulator.h"

#include "sim/SimPlayer.h"
#include "sim/SimStateFile.h"

#include <QFile>
#include <utility>

namespace qvx {

namespace {

quint8 sumOf(const QByteArray& b) {
    quint8 s = 0;
    for (char c : b)
        s = quint8(s + quint8(c));
    return s;
}

QByteArray withSum(QByteArray b) {
    b.append(char(sumOf(b)));
    return b;
}

QByteArray padded(const char* text, int size) {
    QByteArray b(text);
    b = b.leftJustified(size, ' ', true);
    return b;
}

} // namespace

BoardSimulator::BoardSimulator()
    : m_player(std::make_unique<SimPlayer>(SimPlayer::Board{m_stored, m_working, m_pose,
                                                            m_buttonInput, m_ad, m_receiver,
                                                            startedMotions, executedRecords})) {
    QByteArray empty(kEntrySize, '\0');
    for (int i = 4; i <= 9; ++i)
        empty[i] = char(0xFF);
    m_stored.table.fill(empty);
    MotionRecord end;
    end.lead = 1;
    end.words.fill(0xFFFF);
    m_stored.records.assign(kRecords, end);
    m_stored.trim.fill(0);
    m_stored.adSettings = QByteArray(18, '\0');
    m_stored.adReference = QByteArray(6, '\0');
    m_stored.receiverReference = QByteArray(4, '\0');
    m_stored.mixing.fill(QByteArray(24, '\0'));
    m_stored.svpChannels = QByteArray(3, '\0');
    m_stored.servoParams.fill(QByteArray(17, '\0'));
    m_stored.home.fill(16384);
    for (int c = 0; c < 24; ++c)
        m_stored.channelNames[size_t(c)] =
            QByteArray("CH" + QByteArray::number(c + 1)).leftJustified(32, '\0');
    m_stored.info = padded("QMX SIMULATOR", 16) + padded("Quorvex board", 16) +
                    padded("85 slots 24 ch", 16) + padded("ver 2006/10/06", 16);
    powerOn();
}

BoardSimulator::~BoardSimulator() = default;

void BoardSimulator::powerOn() {
    m_working.option = m_stored.option;
    m_working.trim = m_stored.trim;
    m_working.adSettings = m_stored.adSettings;
    m_working.adReference = m_stored.adReference;
    m_working.receiverReference = m_stored.receiverReference;
    m_working.mixing = m_stored.mixing;
    m_working.livePose.lead = 1;
    m_working.livePose.words = m_stored.home;
    m_pose = m_stored.home;
    m_player->reset();
    m_rx = RxState::Idle;
    m_frame.clear();
    // The power-on start motion, when the stored options ask for it.
    if ((m_working.option & 0x0800) && m_stored.powerOnStart < kEntries)
        m_player->startPlay(m_stored.powerOnStart);
}

const MotionRecord& BoardSimulator::record(int slot, int index) const {
    return m_stored.records[size_t(slot * kRecordsPerSlot + index)];
}

int BoardSimulator::FrameLength(quint8 c) {
    // Total frame lengths by command byte; 0 marks a byte that is no command.
    static constexpr std::pair<quint8, quint8> kKnown[] = {
        {0xFF, 2},  {0xFE, 7}, {0xFD, 54}, {0xFC, 5},  {0xFB, 6}, {0xFA, 51}, {0xF9, 3},
        {0xF8, 6},  {0xF7, 4}, {0xF6, 46}, {0xF5, 3},  {0xF4, 4}, {0xF3, 6},  {0xF2, 5},
        {0xF1, 3},  {0xF0, 2}, {0xEF, 5},  {0xEE, 2},  {0xED, 2}, {0xEC, 6},  {0xEB, 2},
        {0xE7, 6},  {0xE6, 9}, {0xE5, 3},  {0xE4, 28}, {0xE3, 4}, {0xE2, 21}, {0xE1, 3},
        {0xE0, 7},  {0xDF, 3}, {0xDE, 10}, {0xDD, 6},  {0xDC, 2}, {0xDB, 20}, {0xDA, 3},
        {0xD3, 51}, {0xD2, 2}, {0xD1, 36}, {0xD0, 3}};
    static constexpr std::array<quint8, 256> kLengths = [] {
        std::array<quint8, 256> t{};
        for (const auto& [command, length] : kKnown)
            t[command] = length;
        return t;
    }();
    return kLengths[c];
}

QByteArray BoardSimulator::PlaybackReport(int number) {
    QByteArray r(32, '\0');
    r[0] = char(0xFF);
    r[1] = 0x01;
    r[7] = char(number);
    r[31] = char(sumOf(r.left(31)));
    return r;
}

// ---- protocol ----

QByteArray BoardSimulator::WordBytes(const Words& w) {
    QByteArray b;
    for (quint16 v : w) {
        b.append(char(v >> 8));
        b.append(char(v & 0xFF));
    }
    return b;
}

BoardSimulator::Words BoardSimulator::BytesWords(const QByteArray& b) {
    Words w{};
    for (int k = 0; k < 24; ++k)
        w[size_t(k)] = quint16((quint8(b[2 * k]) << 8) | quint8(b[2 * k + 1]));
    return w;
}

std::vector<BoardSimulator::Chunk> BoardSimulator::receive(const QByteArray& bytes) {
    std::vector<Chunk> out;
    for (char ch : bytes) {
        const quint8 b = quint8(ch);
        if (m_rx == RxState::Idle || m_frame.isEmpty()) {
            // 0x0D is never a command byte: in command position it is a new
            // attention byte, so an abandoned exchange cannot wedge the board.
            if (b == 0x0D) {
                m_rx = RxState::Frame;
                m_frame.clear();
                if (!m_silent) out.push_back({QByteArray(1, char(kAck)), 0});
                continue;
            }
            if (m_rx == RxState::Idle) continue;
            if (FrameLength(b) == 0) {
                m_rx = RxState::Idle;
                continue;
            }
        }
        m_frame.append(ch);
        if (m_frame.size() < FrameLength(quint8(m_frame[0]))) continue;
        const QByteArray frame = m_frame;
        m_frame.clear();
        m_rx = RxState::Idle;
        frames.append(frame);
        bool hasAnswer = true;
        QByteArray answer;
        if (quint8(frame.back()) != sumOf(frame.left(frame.size() - 1)))
            answer = QByteArray(1, char(kNak));
        else
            answer = execute(frame, hasAnswer);
        if (!hasAnswer) continue;
        for (Chunk& c : applyFault(answer))
            out.push_back(std::move(c));
    }
    return out;
}

void BoardSimulator::injectFault(Fault fault, int count, int skip) {
    m_faultSkip = skip;
    for (int i = 0; i < count; ++i)
        m_faults.push_back(fault);
}

void BoardSimulator::clearFaults() {
    m_faults.clear();
    m_faultSkip = 0;
    m_silent = false;
}

std::vector<BoardSimulator::Chunk> BoardSimulator::applyFault(QByteArray answer) {
    if (m_faults.empty()) return {{answer, 0}};
    if (m_faultSkip > 0) {
        --m_faultSkip;
        return {{answer, 0}};
    }
    const Fault f = m_faults.front();
    m_faults.pop_front();
    switch (f) {
    case Fault::NoAnswer:
        return {};
    case Fault::ShortAnswer:
        answer.chop(1);
        return {{answer, 0}};
    case Fault::BadChecksum:
        answer.back() = char(quint8(answer.back()) ^ 0x5A);
        break;
    case Fault::BadAck:
        answer[0] = char(kNak);
        break;
    case Fault::Delay:
        return {{answer, m_faultDelayMs}};
    case Fault::ReportInAnswer: {
        const qsizetype half = answer.size() / 2;
        answer = answer.left(half) + PlaybackReport(0) + answer.mid(half);
        break;
    }
    }
    return {{answer, 0}};
}

void BoardSimulator::storedChanged() {
    if (!m_statePath.isEmpty()) saveState(m_statePath);
}

QByteArray BoardSimulator::execute(const QByteArray& f, bool& hasAnswer) {
    const QByteArray ack(1, char(kAck));
    const QByteArray nak(1, char(kNak));
    auto u = [&](int i) { return int(quint8(f[i])); };
    const quint8 cmd = quint8(f[0]);
    switch (cmd) {
    case 0xFF:
        return withSum(m_stored.info.leftJustified(64, '\0', true));
    case 0xFE: { // live move of one channel
        hasAnswer = false;
        const int ch = u(2);
        if (ch < 24) {
            MotionRecord target;
            target.lead = quint8(qMax(1, u(3)));
            target.words = m_pose;
            target.words[size_t(ch)] = quint16((u(4) << 8) | u(5));
            m_working.livePose.words[size_t(ch)] = target.words[size_t(ch)];
            if (!m_player->playing()) m_player->startMove(target);
        }
        return {};
    }
    case 0xFD: {
        const bool stored = u(1) & 0x02;
        const int slot = u(2), index = u(3);
        const MotionRecord r = *MotionRecord::fromBytes(f.mid(4, 49));
        if (!stored && slot == 0 && index == 0) {
            m_working.livePose = r;
            if (!m_player->playing()) m_player->startMove(r);
            return ack;
        }
        const int at = slot * kRecordsPerSlot + index;
        if (slot >= kMotionSlots || at >= kRecords) return nak;
        m_stored.records[size_t(at)] = r;
        storedChanged();
        return ack;
    }
    case 0xFC: {
        const bool stored = u(1) & 0x02;
        const int slot = u(2), index = u(3);
        if (!stored && slot == 0 && index == 0) return withSum(m_working.livePose.toBytes());
        const int at = slot * kRecordsPerSlot + index;
        if (slot >= kMotionSlots || at >= kRecords) return nak;
        return withSum(m_stored.records[size_t(at)].toBytes());
    }
    case 0xFB:
        hasAnswer = false;
        if (u(2) < 24) m_working.trim[size_t(u(2))] = quint16((u(3) << 8) | u(4));
        return {};
    case 0xFA:
        if (u(1) & 0x02) {
            m_stored.trim = BytesWords(f.mid(2, 48));
            storedChanged();
        } else {
            m_working.trim = BytesWords(f.mid(2, 48));
        }
        return ack;
    case 0xF9:
        return withSum(WordBytes((u(1) & 0x02) ? m_stored.trim : m_working.trim));
    case 0xF8:
        if (u(2) >= kScenarios || u(3) >= kScenarioSteps) return nak;
        m_stored.scenarios[size_t(u(2))][size_t(u(3))] = quint8(u(4));
        storedChanged();
        return ack;
    case 0xF7:
        if (u(1) >= kScenarios || u(2) >= kScenarioSteps) return nak;
        return withSum(QByteArray(1, char(m_stored.scenarios[size_t(u(1))][size_t(u(2))])));
    case 0xF6:
        if (u(2) >= kEntries) return nak;
        m_stored.table[size_t(u(2))] = f.mid(3, kEntrySize);
        storedChanged();
        return ack;
    case 0xF5:
        if (u(1) >= kEntries) return nak;
        return withSum(m_stored.table[size_t(u(1))]);
    case 0xF4:
        if (u(2) >= kEntries) return nak;
        m_player->startPlay(u(2));
        return ack;
    case 0xF3:
        m_player->stop();
        return ack;
    case 0xF2: {
        const quint16 w = quint16((u(2) << 8) | u(3));
        if (u(1) & 0x02) {
            m_stored.option = w;
            storedChanged();
        } else {
            m_working.option = w;
        }
        return ack;
    }
    case 0xF1: {
        const quint16 w = (u(1) & 0x02) ? m_stored.option : m_working.option;
        QByteArray b;
        b.append(char(w >> 8));
        b.append(char(w & 0xFF));
        return withSum(b);
    }
    case 0xF0:
        return withSum(WordBytes(m_pose));
    case 0xEF:
        m_stored.buttonStart = quint8(u(2));
        m_stored.powerOnStart = quint8(u(3));
        storedChanged();
        return ack;
    case 0xEE: {
        QByteArray b;
        b.append(char(m_stored.buttonStart));
        b.append(char(m_stored.powerOnStart));
        return withSum(b);
    }
    case 0xED: {
        QByteArray b(7, '\0');
        b[1] = char(m_buttonInput >> 8);
        b[2] = char(m_buttonInput & 0xFF);
        for (int i = 0; i < 4; ++i)
            b[3 + i] = char(m_receiver[size_t(i)]);
        return withSum(b);
    }
    case 0xEC:
        m_stored.alarmMotion = quint8(u(2));
        m_stored.alarmVoltage = quint16((u(3) << 8) | u(4));
        storedChanged();
        return ack;
    case 0xEB: {
        QByteArray b;
        b.append(char(m_stored.alarmMotion));
        b.append(char(m_stored.alarmVoltage >> 8));
        b.append(char(m_stored.alarmVoltage & 0xFF));
        return withSum(b);
    }
    case 0xE7: { // live analog reference; 0xFFFF calibrates from the present input
        hasAnswer = false;
        const int input = u(2);
        if (input < 3) {
            const int v = (u(3) << 8) | u(4);
            const int ref = v == 0xFFFF ? m_ad[size_t(input + 1)] : v;
            m_working.adReference[2 * input] = char(ref >> 8);
            m_working.adReference[2 * input + 1] = char(ref & 0xFF);
        }
        return {};
    }
    case 0xE6:
    case 0xE2:
    case 0xE0: {
        const bool stored = u(1) & 0x02;
        const int n = cmd == 0xE6 ? 6 : cmd == 0xE2 ? 18 : 4;
        QByteArray& dst = cmd == 0xE6 ? (stored ? m_stored.adReference : m_working.adReference)
                          : cmd == 0xE2
                              ? (stored ? m_stored.adSettings : m_working.adSettings)
                              : (stored ? m_stored.receiverReference : m_working.receiverReference);
        dst = f.mid(2, n);
        if (stored) storedChanged();
        return ack;
    }
    case 0xE5:
        return withSum((u(1) & 0x02) ? m_stored.adReference : m_working.adReference);
    case 0xE1:
        return withSum((u(1) & 0x02) ? m_stored.adSettings : m_working.adSettings);
    case 0xDF:
        return withSum((u(1) & 0x02) ? m_stored.receiverReference : m_working.receiverReference);
    case 0xE4:
        if (u(2) >= 3) return nak;
        if (u(1) & 0x02) {
            m_stored.mixing[size_t(u(2))] = f.mid(3, 24);
            storedChanged();
        } else {
            m_working.mixing[size_t(u(2))] = f.mid(3, 24);
        }
        return ack;
    case 0xE3:
        if (u(2) >= 3) return nak;
        return withSum(((u(1) & 0x02) ? m_stored.mixing : m_working.mixing)[size_t(u(2))]);
    case 0xDE:
        expandedSerial = f.mid(2, 7);
        return ack;
    case 0xDD:
        m_stored.svpChannels = f.mid(2, 3);
        storedChanged();
        return ack;
    case 0xDC:
        return withSum(m_stored.svpChannels);
    case 0xDB:
        m_stored.servoParams[size_t(u(1))] = f.mid(2, 17);
        storedChanged();
        return ack;
    case 0xDA:
        return withSum(m_stored.servoParams[size_t(u(1))]);
    case 0xD3:
        m_stored.home = BytesWords(f.mid(2, 48));
        storedChanged();
        return ack;
    case 0xD2:
        return withSum(WordBytes(m_stored.home));
    case 0xD1:
        if (u(2) >= 24) return nak;
        m_stored.channelNames[size_t(u(2))] = f.mid(3, 32);
        storedChanged();
        return ack;
    case 0xD0:
        if (u(1) >= 24) return nak;
        return withSum(m_stored.channelNames[size_t(u(1))]);
    default:
        hasAnswer = false;
        return {};
    }
}

// ---- state file ----

bool BoardSimulator::attachStateFile(const QString& path) {
    m_statePath.clear();
    if (QFile::exists(path) && !loadState(path)) return false;
    m_statePath = path;
    return true;
}

bool BoardSimulator::saveState(const QString& path) const {
    return SimStateFile::Write(path, m_stored);
}

bool BoardSimulator::loadState(const QString& path) {
    if (!SimStateFile::Read(path, m_stored)) return false;
    powerOn();
    return true;
}

// ---- playback ----

QByteArray BoardSimulator::advance(int ms) {
    return m_player->advance(ms, reportPeriodMs);
}

bool BoardSimulator::playing() const {
    return m_player->playing();
}

int BoardSimulator::loopCounter() const {
    return m_player->loopCounter();
}

int BoardSimulator::compareRegister() const {
    return m_player->compareRegister();
}

} // namespace qvx
