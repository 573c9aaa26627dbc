#include "sim/SimPlayer.h"

#include "board/BoardProtocol.h"
#include "compiler/WordClasses.h"

namespace qvx {

namespace {

constexpr int kTickMs = BoardSimulator::kTickMs;
constexpr int kMotionSlots = BoardSimulator::kMotionSlots;
constexpr int kRecordsPerSlot = BoardSimulator::kRecordsPerSlot;
constexpr int kRecords = BoardSimulator::kRecords;
constexpr int kScenarioSteps = BoardSimulator::kScenarioSteps;

bool isPosition(quint16 v) {
    return v >= 1 && v <= 0x7FFF;
}

} // namespace

QByteArray SimPlayer::advance(int ms, int reportPeriodMs) {
    m_clockMs += ms;
    while (m_clockMs >= kTickMs) {
        m_clockMs -= kTickMs;
        tick();
        m_reportClockMs += kTickMs;
        if (reportPeriodMs > 0 && m_reportClockMs >= reportPeriodMs) {
            m_reportClockMs = 0;
            if (m_b.working.option & 0x0004) {
                QByteArray r(9, '\0');
                r[0] = char(0xFD);
                BigEndian::putWord(r, 2, m_b.buttonInput);
                for (int i = 0; i < 4; ++i)
                    r[4 + i] = char(m_b.receiver[size_t(i)]);
                m_reports += r;
            }
            if (m_b.working.option & 0x0100) {
                QByteArray r(10, '\0');
                r[0] = char(0xFE);
                for (int i = 0; i < 4; ++i) {
                    const int v = qBound(0, m_b.ad[size_t(i)], 0x3FFF);
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

void SimPlayer::startPlay(int number) {
    m_play = Play{};
    m_play.number = number;
    if (number >= kMotionSlots) {
        const int s = number - kMotionSlots;
        const int steps = quint8(m_b.stored.table[size_t(number)][0]);
        if (steps == 0) return;
        m_play.active = true;
        m_play.scenario = s;
        m_play.step = 0;
        startMotion(m_b.stored.scenarios[size_t(s)][0]);
    } else {
        m_play.active = true;
        startMotion(number);
    }
}

void SimPlayer::startMotion(int motion) {
    m_play.motion = motion;
    m_play.pc = 0;
    m_play.count = motion < kMotionSlots ? quint8(m_b.stored.table[size_t(motion)][0]) : 0;
    m_b.startedMotions.append(motion);
}

void SimPlayer::finishMotion() {
    if (m_play.scenario >= 0) {
        const int steps =
            qMin(int(quint8(m_b.stored.table[size_t(kMotionSlots + m_play.scenario)][0])),
                 kScenarioSteps);
        if (++m_play.step < steps) {
            startMotion(m_b.stored.scenarios[size_t(m_play.scenario)][size_t(m_play.step)]);
            return;
        }
    }
    m_play.active = false;
    if (m_b.working.option & 0x0200) m_reports += BoardSimulator::PlaybackReport(m_play.number);
}

void SimPlayer::tick() {
    if (m_b.working.option & 0x0002) return; // paused
    // Records that do not move the robot run without waiting, up to the next
    // pose; the bound keeps a jump onto itself from stalling the board.
    for (int guard = 0; m_play.active && !m_move.active && guard < 256; ++guard)
        executeRecord();
    if (m_move.active) stepMove();
}

int SimPlayer::classify(const MotionRecord& r) {
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

int SimPlayer::target(const MotionRecord& r) {
    // The jump target is the argument of the first word whose base differs from
    // the words before it, else of the last word.
    const int first = WordClasses::SplitValue(r.words[0]).base;
    for (quint16 w : r.words) {
        const CodeSplit c = WordClasses::SplitValue(w);
        if (c.base != first) return c.argument;
    }
    return WordClasses::SplitValue(r.words[23]).argument;
}

void SimPlayer::executeRecord() {
    const int at = m_play.motion * kRecordsPerSlot + m_play.pc;
    if (m_play.pc < 0 || m_play.pc >= m_play.count || m_play.motion >= kMotionSlots ||
        at >= kRecords) {
        finishMotion();
        return;
    }
    const MotionRecord& r = m_b.stored.records[size_t(at)];
    m_b.executedRecords.append(m_play.pc);
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

bool SimPlayer::condition(int base) {
    auto change = [](int value, int reference) { return qAbs(value - reference); };
    auto ref = [](const QByteArray& b, int i) {
        return i * 2 + 1 < b.size() ? int(BigEndian::word(b, 2 * i)) : 0;
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
        return change(m_b.ad[size_t(i + 1)], ref(m_b.working.adReference, i)) > m_compare;
    }
    case 0x9206:
    case 0x9306:
    case 0x9406:
    case 0x9506: {
        const int i = (base - 0x9206) / 0x100;
        return change(m_b.receiver[size_t(i)], quint8(m_b.working.receiverReference[i])) >
               m_compare;
    }
    case 0x9A06:
        return int(m_b.buttonInput) == m_compare;
    case 0x9B06:
        return (int(m_b.buttonInput) & m_compare) != 0;
    default:
        return false;
    }
}

void SimPlayer::applySet(const MotionRecord& r) {
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
            BigEndian::putWord(m_b.working.adReference, 2 * i, quint16(m_b.ad[size_t(i + 1)]));
            break;
        }
        case 0xFEF7:
            m_sensorFlags = quint8(arg);
            break;
        case 0x8006:
            m_b.working.livePose.words[size_t(k)] = m_b.pose[size_t(k)];
            break;
        default:
            break;
        }
    }
}

void SimPlayer::startMove(const MotionRecord& target) {
    m_move.active = true;
    m_move.from = m_b.pose;
    m_move.to = target.words;
    m_move.ticks = qMax(1, int(target.lead));
    m_move.done = 0;
}

void SimPlayer::stepMove() {
    ++m_move.done;
    for (int k = 0; k < 24; ++k) {
        const quint16 from = m_move.from[size_t(k)], to = m_move.to[size_t(k)];
        if (to == 0) continue; // 0 leaves the channel as it is
        // A released servo (FREE, or the teach code) goes limp: it stays where
        // it is until a hand moves it.
        if (to == 0x8002 || to == 0x8006) continue;
        if (isPosition(from) && isPosition(to))
            m_b.pose[size_t(k)] =
                quint16(from + (int(to) - int(from)) * m_move.done / m_move.ticks);
        else
            m_b.pose[size_t(k)] = to; // outputs, FREE and the SET codes switch at once
    }
    if (m_move.done >= m_move.ticks) m_move.active = false;
}

void SimPlayer::stop() {
    m_play.active = false;
    m_move.active = false;
}

void SimPlayer::reset() {
    m_play = Play{};
    m_move = Move{};
}

} // namespace qvx
