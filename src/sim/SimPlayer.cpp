#include "sim/SimPlayer.h"

#include "board/AnalogFormat.h"
#include "board/BoardCommands.h"
#include "board/BoardProtocol.h"
#include "board/WordClasses.h"

namespace qvx {

namespace {

constexpr int kTickMs = BoardSimulator::kTickMs;
constexpr int kMotionSlots = BoardSimulator::kMotionSlots;
constexpr int kRecordsPerSlot = BoardSimulator::kRecordsPerSlot;
constexpr int kRecords = BoardSimulator::kRecords;
constexpr int kScenarioSteps = BoardSimulator::kScenarioSteps;
constexpr int kEntries = BoardSimulator::kEntries;
constexpr quint16 kOptAdReports = BoardCommands::kOptAdReports;
constexpr quint16 kOptAlarm = BoardCommands::kOptAlarm;
constexpr quint16 kOptPause = BoardCommands::kOptPause;
constexpr quint16 kOptPlaybackReport = BoardCommands::kOptPlaybackReport;
constexpr quint16 kOptReceiverReports = BoardCommands::kOptReceiverReports;
namespace Analog = QmxBoard::Analog;

constexpr quint16 kLowestPosition = 1;
constexpr quint16 kHighestPosition = 0x7FFF;
// Servo words that let a hand move the servo: FREE, SET1..SET3 and the
// teach code. The servo keeps the position it is at (or is moved to).
constexpr quint16 kFree = 0x8002;
// Mixing moves a channel by gain x change / kMixingDivisor: at the highest
// gain a change of 16 moves it 63 steps.
constexpr int kMixingDivisor = 16;

bool isPosition(quint16 v) {
    return v >= kLowestPosition && v <= kHighestPosition;
}

bool releases(quint16 v) {
    return v >= kFree && v <= CodeBase::TeachValue;
}

int byteOr(const QByteArray& b, int i, int fallback) {
    return i >= 0 && i < b.size() ? quint8(b[i]) : fallback;
}

} // namespace

QByteArray SimPlayer::advance(int ms, int reportPeriodMs) {
    m_clockMs += ms;
    while (m_clockMs >= kTickMs) {
        m_clockMs -= kTickMs;
        watchInputs();
        tick();
        if (m_b.afterTick) m_b.afterTick();
        m_reportClockMs += kTickMs;
        if (reportPeriodMs > 0 && m_reportClockMs >= reportPeriodMs) {
            m_reportClockMs = 0;
            if (m_b.working.option & kOptReceiverReports) {
                QByteArray r(9, '\0');
                r[0] = char(0xFD);
                BigEndian::putWord(r, 2, m_b.buttonInput);
                for (int i = 0; i < 4; ++i)
                    r[4 + i] = char(m_b.receiver[size_t(i)]);
                m_reports += r;
            }
            if (m_b.working.option & kOptAdReports) {
                QByteArray r(10, '\0');
                r[0] = char(0xFE);
                for (int i = 0; i < 4; ++i) {
                    const int v =
                        qBound(0, m_b.stored.analogInputs[size_t(i)], Analog::kReportValueMax);
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
    if (m_b.working.option & kOptPlaybackReport)
        m_reports += BoardSimulator::PlaybackReport(m_play.number);
}

void SimPlayer::tick() {
    if (m_b.working.option & kOptPause) return; // paused
    // Records that do not move the robot run without waiting, up to the next
    // pose; the bound keeps a jump onto itself from stalling the board.
    for (int guard = 0; m_play.active && !m_move.active && guard < 256; ++guard)
        executeRecord();
    if (m_move.active) stepMove();
}

void SimPlayer::applyLive(const MotionRecord& r) {
    if (classify(r) == RecordSet) applySet(r);
    else startMove(r);
}

int SimPlayer::classify(const MotionRecord& r) {
    // A record is of the kind its words agree on. Unused channels (0) have no
    // say, so a SET record may leave channels empty; a position, or words of
    // different kinds, make it a pose (a pose may carry codes in some
    // channels, such as the teach code).
    int agreed = RecordPos;
    bool any = false;
    for (quint16 w : r.words) {
        if (w == 0) continue;
        const int c = WordClasses::ValueKind(w).kind;
        if (c == RecordPos) return RecordPos;
        if (any && agreed != c) return RecordPos;
        agreed = c;
        any = true;
    }
    return agreed;
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
    // A change is the measured value minus its reference, with its sign: a
    // negative compare register tests for a drop.
    auto paReference = [this](int i) { return byteOr(m_b.working.receiverReference, i, 0); };
    switch (base) {
    case CodeBase::LoopNotZero: {
        // The loop counter counts down on every test: a loop loaded with n runs
        // its body n times.
        if (m_loopCounter > 0) --m_loopCounter;
        return m_loopCounter != 0;
    }
    case CodeBase::Ad1Change:
    case CodeBase::Ad2Change:
    case CodeBase::Ad3Change:
        return amount((base - CodeBase::Ad1Change) / 0x100) > m_compare;
    case CodeBase::Pa1Change:
    case CodeBase::Pa2Change:
    case CodeBase::Pa3Change:
    case CodeBase::Pa4Change: {
        const int i = (base - CodeBase::Pa1Change) / 0x100;
        return int(m_b.receiver[size_t(i)]) - paReference(i) > m_compare;
    }
    case CodeBase::ButtonEquals:
        return int(m_b.buttonInput) == m_compare;
    case CodeBase::ButtonAnd:
        return (int(m_b.buttonInput) & m_compare) != 0;
    default:
        return false;
    }
}

void SimPlayer::applySet(const MotionRecord& r) {
    // Teaching measures what the servos show before anything else changes.
    const Words shown = servoOutput();
    for (int k = 0; k < 24; ++k) {
        const quint16 w = r.words[size_t(k)];
        const CodeSplit c = WordClasses::SplitValue(w);
        const int arg = c.argument;
        switch (c.base) {
        case CodeBase::LoopCounter:
            m_loopCounter = arg;
            break;
        case CodeBase::CompareRegister:
            m_compare = arg - 1023;
            break;
        case CodeBase::Receiver:
            m_receiverPlay = arg == 0;
            break;
        case CodeBase::MixAd1:
        case CodeBase::MixAd2:
        case CodeBase::MixAd3:
            setMixing(k, c.base, quint8(arg));
            break;
        case CodeBase::AdReference: {
            const int i = arg; // AD1..AD3: the present value becomes the reference
            BigEndian::putWord(m_b.working.adReference, 2 * i,
                               quint16(m_b.stored.analogInputs[size_t(i + 1)]));
            break;
        }
        case CodeBase::SensorControl:
            m_sensorFlags = quint8(arg) & kAllSensors;
            break;
        case CodeBase::TeachValue:
            // The position the servo was taught (moved to by hand) is measured
            // and becomes its live target: the servo holds it from now on.
            m_teach[size_t(k)] = shown[size_t(k)];
            m_b.working.livePose.words[size_t(k)] = shown[size_t(k)];
            m_released[size_t(k)] = false;
            break;
        default:
            break;
        }
    }
}

void SimPlayer::setMixing(int channel, int base, quint8 byte) {
    // One source per channel: the code names the input that mixes into the
    // channel (the mixing bit says whether it does), and the channel leaves
    // the other inputs' tables.
    const int source = (base - CodeBase::MixAd1) / 0x100;
    for (int i = 0; i < Analog::kInputs; ++i) {
        QByteArray& table = m_b.working.mixing[size_t(i)];
        if (table.size() < Analog::kMixingSize)
            table.append(QByteArray(Analog::kMixingSize - table.size(), '\0'));
        if (i == source)
            table[channel] = char(byte);
        else
            table[channel] = char(quint8(table[channel]) & ~Analog::kMixOn);
    }
}

int SimPlayer::amount(int input) const {
    const QByteArray& ref = m_b.working.adReference;
    const int reference = 2 * input + 1 < ref.size() ? int(BigEndian::word(ref, 2 * input)) : 0;
    return m_b.stored.analogInputs[size_t(input + 1)] - reference;
}

SimPlayer::Words SimPlayer::servoOutput() const {
    Words out = m_b.pose;
    for (int c = 0; c < 24; ++c) {
        const quint16 base = out[size_t(c)];
        if (!isPosition(base) || m_released[size_t(c)]) continue;
        int offset = 0;
        for (int i = 0; i < Analog::kInputs; ++i)
            offset +=
                Analog::SignedGain(quint8(byteOr(m_b.working.mixing[size_t(i)], c, 0))) * amount(i);
        out[size_t(c)] = quint16(
            qBound(int(kLowestPosition), base + offset / kMixingDivisor, int(kHighestPosition)));
    }
    return out;
}

void SimPlayer::interrupt(int number) {
    // An interrupt replaces what plays, but does not restart its own motion.
    if (m_play.active && m_play.number == number) return;
    startPlay(number);
}

bool SimPlayer::watchSupply() {
    const bool low = m_b.stored.analogInputs[0] < int(m_b.stored.alarmVoltage);
    if (!low) {
        m_alarmStarted = false;
        return false;
    }
    const int motion = m_b.stored.alarmMotion;
    if (m_alarmStarted || !(m_b.working.option & kOptAlarm) || motion >= kEntries) return false;
    // Once per drop: the alarm motion starts again only after the supply recovered.
    m_alarmStarted = true;
    interrupt(motion);
    return true;
}

void SimPlayer::watchInputs() {
    bool started = watchSupply();
    const QByteArray& settings = m_b.working.adSettings;
    for (int i = 0; i < Analog::kInputs; ++i) {
        const int now = amount(i);
        const int before = m_amountsKnown ? m_lastAmount[size_t(i)] : now;
        m_lastAmount[size_t(i)] = now;
        for (int slot = 2 * i; slot < 2 * i + 2 && !started; ++slot) {
            const quint16 word = Analog::SettingsWord(settings, slot);
            const int entry = byteOr(settings, slot, 0xFF);
            if (!Analog::ThresholdEnabled(word) || entry >= kEntries ||
                !(m_sensorFlags & (1 << slot)))
                continue;
            // The change must cross the threshold: a negative one from above,
            // any other from below.
            const int t = Analog::ThresholdOf(word);
            const bool crossed = t < 0 ? before >= t && now < t : before <= t && now > t;
            if (!crossed) continue;
            interrupt(entry);
            started = true;
        }
    }
    m_amountsKnown = true;
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
        // A released servo (FREE, SET1..3, the teach code) goes limp: it stays
        // where it is until a hand moves it.
        m_released[size_t(k)] = releases(to);
        if (releases(to)) continue;
        if (isPosition(from) && isPosition(to))
            m_b.pose[size_t(k)] =
                quint16(from + (int(to) - int(from)) * m_move.done / m_move.ticks);
        else
            m_b.pose[size_t(k)] = to; // outputs and other codes switch at once
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
    m_sensorFlags = kAllSensors;
    m_released.fill(false);
    m_amountsKnown = false;
    m_alarmStarted = false;
}

} // namespace qvx
