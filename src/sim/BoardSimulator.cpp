#include "sim/BoardSimulator.h"

#include "compiler/WordClasses.h"

#include <QFile>
#include <QSaveFile>

namespace qvx {

namespace {

constexpr char kStateMagic[] = "QVXSIM01";

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

QByteArray wordBytes(const BoardSimulator::Words& w) {
    QByteArray b;
    for (quint16 v : w) {
        b.append(char(v >> 8));
        b.append(char(v & 0xFF));
    }
    return b;
}

BoardSimulator::Words bytesWords(const QByteArray& b) {
    BoardSimulator::Words w{};
    for (int k = 0; k < 24; ++k)
        w[size_t(k)] = quint16((quint8(b[2 * k]) << 8) | quint8(b[2 * k + 1]));
    return w;
}

QByteArray padded(const char* text, int size) {
    QByteArray b(text);
    b = b.leftJustified(size, ' ', true);
    return b;
}

bool isPosition(quint16 v) {
    return v >= 1 && v <= 0x7FFF;
}

} // namespace

BoardSimulator::BoardSimulator() {
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
    m_play = Play{};
    m_move = Move{};
    m_rx = RxState::Idle;
    m_frame.clear();
    // The power-on start motion, when the stored options ask for it.
    if ((m_working.option & 0x0800) && m_stored.powerOnStart < kEntries)
        startPlay(m_stored.powerOnStart);
}

const MotionRecord& BoardSimulator::record(int slot, int index) const {
    return m_stored.records[size_t(slot * kRecordsPerSlot + index)];
}

int BoardSimulator::FrameLength(quint8 c) {
    switch (c) {
    case 0xFF:
        return 2;
    case 0xFE:
        return 7;
    case 0xFD:
        return 54;
    case 0xFC:
        return 5;
    case 0xFB:
        return 6;
    case 0xFA:
        return 51;
    case 0xF9:
        return 3;
    case 0xF8:
        return 6;
    case 0xF7:
        return 4;
    case 0xF6:
        return 46;
    case 0xF5:
        return 3;
    case 0xF4:
        return 4;
    case 0xF3:
        return 6;
    case 0xF2:
        return 5;
    case 0xF1:
        return 3;
    case 0xF0:
        return 2;
    case 0xEF:
        return 5;
    case 0xEE:
        return 2;
    case 0xED:
        return 2;
    case 0xEC:
        return 6;
    case 0xEB:
        return 2;
    case 0xE7:
        return 6;
    case 0xE6:
        return 9;
    case 0xE5:
        return 3;
    case 0xE4:
        return 28;
    case 0xE3:
        return 4;
    case 0xE2:
        return 21;
    case 0xE1:
        return 3;
    case 0xE0:
        return 7;
    case 0xDF:
        return 3;
    case 0xDE:
        return 10;
    case 0xDD:
        return 6;
    case 0xDC:
        return 2;
    case 0xDB:
        return 20;
    case 0xDA:
        return 3;
    case 0xD3:
        return 51;
    case 0xD2:
        return 2;
    case 0xD1:
        return 36;
    case 0xD0:
        return 3;
    default:
        return 0;
    }
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
            if (!m_play.active) startMove(target);
        }
        return {};
    }
    case 0xFD: {
        const bool stored = u(1) & 0x02;
        const int slot = u(2), index = u(3);
        const MotionRecord r = *MotionRecord::fromBytes(f.mid(4, 49));
        if (!stored && slot == 0 && index == 0) {
            m_working.livePose = r;
            if (!m_play.active) startMove(r);
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
            m_stored.trim = bytesWords(f.mid(2, 48));
            storedChanged();
        } else {
            m_working.trim = bytesWords(f.mid(2, 48));
        }
        return ack;
    case 0xF9:
        return withSum(wordBytes((u(1) & 0x02) ? m_stored.trim : m_working.trim));
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
        startPlay(u(2));
        return ack;
    case 0xF3:
        m_play.active = false;
        m_move.active = false;
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
        return withSum(wordBytes(m_pose));
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
        m_stored.home = bytesWords(f.mid(2, 48));
        storedChanged();
        return ack;
    case 0xD2:
        return withSum(wordBytes(m_stored.home));
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
    QByteArray b(kStateMagic);
    for (const QByteArray& e : m_stored.table)
        b += e;
    for (const MotionRecord& r : m_stored.records)
        b += r.toBytes();
    for (const auto& s : m_stored.scenarios)
        b += QByteArray(reinterpret_cast<const char*>(s.data()), int(s.size()));
    b += char(m_stored.option >> 8);
    b += char(m_stored.option & 0xFF);
    b += wordBytes(m_stored.trim);
    b += m_stored.adSettings + m_stored.adReference + m_stored.receiverReference;
    for (const QByteArray& m : m_stored.mixing)
        b += m;
    b += char(m_stored.buttonStart);
    b += char(m_stored.powerOnStart);
    b += char(m_stored.alarmMotion);
    b += char(m_stored.alarmVoltage >> 8);
    b += char(m_stored.alarmVoltage & 0xFF);
    b += m_stored.svpChannels;
    for (const QByteArray& p : m_stored.servoParams)
        b += p;
    b += wordBytes(m_stored.home);
    for (const QByteArray& n : m_stored.channelNames)
        b += n;
    b += m_stored.info;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(b);
    return file.commit();
}

bool BoardSimulator::loadState(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray b = file.readAll();
    constexpr int magic = int(sizeof(kStateMagic)) - 1;
    constexpr int size = magic + kEntries * kEntrySize + kRecords * MotionRecord::kSize +
                         kScenarios * kScenarioSteps + 2 + 48 + 18 + 6 + 4 + 3 * 24 + 2 + 3 + 3 +
                         kServos * 17 + 48 + 24 * 32 + 64;
    if (b.size() != size || !b.startsWith(kStateMagic)) return false;
    int at = magic;
    auto take = [&](int n) {
        const QByteArray part = b.mid(at, n);
        at += n;
        return part;
    };
    Stored s = m_stored;
    for (QByteArray& e : s.table)
        e = take(kEntrySize);
    for (MotionRecord& r : s.records)
        r = *MotionRecord::fromBytes(take(MotionRecord::kSize));
    for (auto& sc : s.scenarios) {
        const QByteArray part = take(kScenarioSteps);
        for (int i = 0; i < kScenarioSteps; ++i)
            sc[size_t(i)] = quint8(part[i]);
    }
    QByteArray o = take(2);
    s.option = quint16((quint8(o[0]) << 8) | quint8(o[1]));
    s.trim = bytesWords(take(48));
    s.adSettings = take(18);
    s.adReference = take(6);
    s.receiverReference = take(4);
    for (QByteArray& m : s.mixing)
        m = take(24);
    o = take(2);
    s.buttonStart = quint8(o[0]);
    s.powerOnStart = quint8(o[1]);
    o = take(3);
    s.alarmMotion = quint8(o[0]);
    s.alarmVoltage = quint16((quint8(o[1]) << 8) | quint8(o[2]));
    s.svpChannels = take(3);
    for (QByteArray& p : s.servoParams)
        p = take(17);
    s.home = bytesWords(take(48));
    for (QByteArray& n : s.channelNames)
        n = take(32);
    s.info = take(64);
    m_stored = std::move(s);
    powerOn();
    return true;
}

// ---- playback ----

QByteArray BoardSimulator::advance(int ms) {
    m_clockMs += ms;
    while (m_clockMs >= kTickMs) {
        m_clockMs -= kTickMs;
        tick();
        m_reportClockMs += kTickMs;
        if (reportPeriodMs > 0 && m_reportClockMs >= reportPeriodMs) {
            m_reportClockMs = 0;
            if (m_working.option & 0x0004) {
                QByteArray r(9, '\0');
                r[0] = char(0xFD);
                r[2] = char(m_buttonInput >> 8);
                r[3] = char(m_buttonInput & 0xFF);
                for (int i = 0; i < 4; ++i)
                    r[4 + i] = char(m_receiver[size_t(i)]);
                m_reports += r;
            }
            if (m_working.option & 0x0100) {
                QByteArray r(10, '\0');
                r[0] = char(0xFE);
                for (int i = 0; i < 4; ++i) {
                    const int v = qBound(0, m_ad[size_t(i)], 0x3FFF);
                    r[1 + 2 * i] = char(v >> 7);
                    r[2 + 2 * i] = char(v & 0x7F);
                }
                m_reports += r;
            }
        }
    }
    QByteArray out = m_reports;
    m_reports.clear();
    return out;
}

void BoardSimulator::startPlay(int number) {
    m_play = Play{};
    m_play.number = number;
    if (number >= kMotionSlots) {
        const int s = number - kMotionSlots;
        const int steps = quint8(m_stored.table[size_t(number)][0]);
        if (steps == 0) return;
        m_play.active = true;
        m_play.scenario = s;
        m_play.step = 0;
        startMotion(m_stored.scenarios[size_t(s)][0]);
    } else {
        m_play.active = true;
        startMotion(number);
    }
}

void BoardSimulator::startMotion(int motion) {
    m_play.motion = motion;
    m_play.pc = 0;
    m_play.count = motion < kMotionSlots ? quint8(m_stored.table[size_t(motion)][0]) : 0;
    startedMotions.append(motion);
}

void BoardSimulator::finishMotion() {
    if (m_play.scenario >= 0) {
        const int steps = qMin(
            int(quint8(m_stored.table[size_t(kMotionSlots + m_play.scenario)][0])), kScenarioSteps);
        if (++m_play.step < steps) {
            startMotion(m_stored.scenarios[size_t(m_play.scenario)][size_t(m_play.step)]);
            return;
        }
    }
    m_play.active = false;
    if (m_working.option & 0x0200) m_reports += PlaybackReport(m_play.number);
}

void BoardSimulator::tick() {
    if (m_working.option & 0x0002) return; // paused
    // Records that do not move the robot run without waiting, up to the next
    // pose; the bound keeps a jump onto itself from stalling the board.
    for (int guard = 0; m_play.active && !m_move.active && guard < 256; ++guard)
        executeRecord();
    if (m_move.active) stepMove();
}

int BoardSimulator::classify(const MotionRecord& r) {
    // A record is of the kind its words agree on; words of a different kind
    // mixed in make it a pose.
    int agreed = RecordPos;
    for (quint16 w : r.words) {
        const int c = WordClasses::ValueKind(w).kind;
        if (c == RecordPos) continue;
        if (agreed == RecordPos)
            agreed = c;
        else if (agreed != c)
            return RecordPos;
    }
    return WordClasses::ValueKind(r.words[23]).kind;
}

int BoardSimulator::target(const MotionRecord& r) {
    // The jump target is the argument of the first word whose base differs from
    // the words before it, else of the last word.
    const int first = WordClasses::SplitValue(r.words[0]).base;
    for (quint16 w : r.words) {
        const CodeSplit c = WordClasses::SplitValue(w);
        if (c.base != first) return c.argument;
    }
    return WordClasses::SplitValue(r.words[23]).argument;
}

void BoardSimulator::executeRecord() {
    const int at = m_play.motion * kRecordsPerSlot + m_play.pc;
    if (m_play.pc < 0 || m_play.pc >= m_play.count || m_play.motion >= kMotionSlots ||
        at >= kRecords) {
        finishMotion();
        return;
    }
    const MotionRecord& r = m_stored.records[size_t(at)];
    executedRecords.append(m_play.pc);
    switch (classify(r)) {
    case RecordEnd:
        finishMotion();
        return;
    case RecordJmp:
        m_play.pc = target(r);
        return;
    case RecordCmp:
        m_play.pc = condition(WordClasses::SplitValue(r.words[0]).base) ? target(r) : m_play.pc + 1;
        return;
    case RecordSet:
        applySet(r);
        ++m_play.pc;
        return;
    case RecordPos:
        startMove(r);
        ++m_play.pc;
        return;
    default:
        ++m_play.pc;
        return; // unassigned words: the record is skipped
    }
}

bool BoardSimulator::condition(int base) {
    auto change = [](int value, int reference) { return qAbs(value - reference); };
    auto ref = [this](const QByteArray& b, int i) {
        return i * 2 + 1 < b.size() ? (quint8(b[2 * i]) << 8) | quint8(b[2 * i + 1]) : 0;
    };
    switch (base) {
    case 0x8307: {
        // The loop counter counts down on every test: a loop loaded with n runs
        // its body n times.
        if (m_loopCounter > 0) --m_loopCounter;
        return m_loopCounter != 0;
    }
    case 0x8C06:
    case 0x8D06:
    case 0x8E06: {
        const int i = (base - 0x8C06) / 0x100;
        return change(m_ad[size_t(i + 1)], ref(m_working.adReference, i)) > m_compare;
    }
    case 0x9206:
    case 0x9306:
    case 0x9406:
    case 0x9506: {
        const int i = (base - 0x9206) / 0x100;
        return change(m_receiver[size_t(i)], quint8(m_working.receiverReference[i])) > m_compare;
    }
    case 0x9A06:
        return int(m_buttonInput) == m_compare;
    case 0x9B06:
        return (int(m_buttonInput) & m_compare) != 0;
    default:
        return false;
    }
}

void BoardSimulator::applySet(const MotionRecord& r) {
    for (int k = 0; k < 24; ++k) {
        const quint16 w = r.words[size_t(k)];
        const CodeSplit c = WordClasses::SplitValue(w);
        const int arg = c.argument;
        switch (c.base) {
        case 0x8207:
            m_loopCounter = arg;
            break;
        case 0x9C06:
            m_compare = arg - 1023;
            break;
        case 0xFBF2:
            m_receiverPlay = arg == 0;
            break;
        case 0xFBF4:
        case 0xFCF4:
        case 0xFDF4:
            m_mixingBytes[size_t(k)] = quint8(arg);
            break;
        case 0xFEF4: {
            const int i = arg; // AD1..AD3: the present value becomes the reference
            m_working.adReference[2 * i] = char(m_ad[size_t(i + 1)] >> 8);
            m_working.adReference[2 * i + 1] = char(m_ad[size_t(i + 1)] & 0xFF);
            break;
        }
        case 0xFEF7:
            m_sensorFlags = quint8(arg);
            break;
        case 0x8006:
            m_working.livePose.words[size_t(k)] = m_pose[size_t(k)];
            break;
        default:
            break;
        }
    }
}

void BoardSimulator::startMove(const MotionRecord& target) {
    m_move.active = true;
    m_move.from = m_pose;
    m_move.to = target.words;
    m_move.ticks = qMax(1, int(target.lead));
    m_move.done = 0;
}

void BoardSimulator::stepMove() {
    ++m_move.done;
    for (int k = 0; k < 24; ++k) {
        const quint16 from = m_move.from[size_t(k)], to = m_move.to[size_t(k)];
        if (to == 0) continue; // 0 leaves the channel as it is
        if (isPosition(from) && isPosition(to))
            m_pose[size_t(k)] = quint16(from + (int(to) - int(from)) * m_move.done / m_move.ticks);
        else
            m_pose[size_t(k)] = to; // outputs, FREE and the SET codes switch at once
    }
    if (m_move.done >= m_move.ticks) m_move.active = false;
}

} // namespace qvx
