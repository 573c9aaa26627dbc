#include "sim/BoardSimulator.h"

#include "board/AnalogFormat.h"
#include "board/BoardCommands.h"
#include "board/ReceiverFormat.h"
#include "sim/SimPlayer.h"
#include "sim/SimStateFile.h"

#include <QFile>
#include <utility>

namespace qvx {

Q_LOGGING_CATEGORY(lcSim, "qvx.sim", QtWarningMsg)

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

int byteAt(const QByteArray& f, int i) {
    return quint8(f[i]);
}

bool storedFlag(const QByteArray& f) {
    return byteAt(f, 1) & 0x02;
}

QByteArray ackAnswer() {
    return QByteArray(1, char(QmxBoard::kAck));
}

QByteArray nakAnswer() {
    return QByteArray(1, char(QmxBoard::kNak));
}

QByteArray wordAnswer(quint16 w) {
    QByteArray b;
    BigEndian::appendWord(b, w);
    return withSum(b);
}

} // namespace

BoardSimulator::BoardSimulator()
    : m_player(std::make_unique<SimPlayer>(SimPlayer::Board{
          m_stored, m_working, m_pose, m_stored.buttonInput, m_stored.receiverInputs,
          startedMotions, executedRecords, afterEachTick})) {
    QByteArray empty(kEntrySize, '\0');
    for (int i = 4; i <= 9; ++i)
        empty[i] = char(0xFF);
    m_stored.table.fill(empty);
    MotionRecord end;
    end.lead = 1;
    end.words.fill(0xFFFF);
    m_stored.records.assign(kRecords, end);
    // A new board's trim leaves every servo's centre alone.
    m_stored.trim.fill(QmxBoard::kNeutralTrim);
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

BoardSimulator::~BoardSimulator() {
    flushState();
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
    m_player->reset();
    m_rx = RxState::Idle;
    m_frame.clear();
    // The power-on start motion, when the stored options ask for it.
    if ((m_working.option & BoardCommands::kOptPowerOnStart) && m_stored.powerOnStart < kEntries)
        m_player->startPlay(m_stored.powerOnStart);
}

const MotionRecord& BoardSimulator::record(int slot, int index) const {
    return m_stored.records[size_t(slot * kRecordsPerSlot + index)];
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
            if (b == QmxBoard::kAttention) {
                m_rx = RxState::Frame;
                m_frame.clear();
                if (!m_silent) out.push_back({ackAnswer(), 0});
                continue;
            }
            if (m_rx == RxState::Idle) continue;
            if (QmxBoard::FrameLength(b) == 0) {
                m_rx = RxState::Idle;
                continue;
            }
        }
        m_frame.append(ch);
        if (m_frame.size() < QmxBoard::FrameLength(quint8(m_frame[0]))) continue;
        const QByteArray frame = m_frame;
        m_frame.clear();
        m_rx = RxState::Idle;
        frames.append(frame);
        qCDebug(lcSim) << "took" << frame.toHex(' ').toUpper();
        std::optional<QByteArray> answer;
        if (quint8(frame.back()) != sumOf(frame.left(frame.size() - 1)))
            answer = nakAnswer();
        else
            answer = execute(frame);
        if (!answer) {
            qCDebug(lcSim) << "no answer";
            continue;
        }
        qCDebug(lcSim) << "answer" << answer->toHex(' ').toUpper();
        for (Chunk& c : applyFault(*answer))
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
        answer[0] = char(QmxBoard::kNak);
        break;
    case Fault::Delay:
        return {{answer, m_faultDelayMs}};
    case Fault::ReportAfterAnswer:
        answer += PlaybackReport(0);
        break;
    case Fault::ReportInAnswer: {
        const qsizetype half = answer.size() / 2;
        answer = answer.left(half) + PlaybackReport(0) + answer.mid(half);
        break;
    }
    }
    return {{answer, 0}};
}

void BoardSimulator::storedChanged() {
    if (m_stateWriter && !m_unsavedSince) m_unsavedSince = std::chrono::steady_clock::now();
}

// ---- commands: one handler per command byte ----
//
// A handler gets the whole frame (command byte first, checksum last) and
// returns the answer, or nothing for the commands the board does not answer.

const BoardSimulator::HandlerTable& BoardSimulator::handlers() {
    using C = QmxBoard::Command;
    using B = BoardSimulator;
    static const HandlerTable table = [] {
        HandlerTable t{};
        const std::pair<C, Handler> known[] = {
            {C::ReadBoardInfo, &B::handleReadBoardInfo},
            {C::MoveChannel, &B::handleMoveChannel},
            {C::WriteMotionRecord, &B::handleWriteMotionRecord},
            {C::ReadMotionRecord, &B::handleReadMotionRecord},
            {C::SetTrimLive, &B::handleSetTrimLive},
            {C::WriteTrimData, &B::handleWriteTrimData},
            {C::ReadTrimData, &B::handleReadTrimData},
            {C::WriteScenarioStep, &B::handleWriteScenarioStep},
            {C::ReadScenarioStep, &B::handleReadScenarioStep},
            {C::WriteTableEntry, &B::handleWriteTableEntry},
            {C::ReadTableEntry, &B::handleReadTableEntry},
            {C::PlayMotion, &B::handlePlayMotion},
            {C::StopMotion, &B::handleStopMotion},
            {C::WriteOptionWord, &B::handleWriteOptionWord},
            {C::ReadOptionWord, &B::handleReadOptionWord},
            {C::ReadCurrentPose, &B::handleReadCurrentPose},
            {C::WriteStartMotions, &B::handleWriteStartMotions},
            {C::ReadStartMotions, &B::handleReadStartMotions},
            {C::ReadButtonInput, &B::handleReadButtonInput},
            {C::WriteAlarmSetting, &B::handleWriteAlarmSetting},
            {C::ReadAlarmSetting, &B::handleReadAlarmSetting},
            {C::SetAdLive, &B::handleSetAdLive},
            {C::WriteAdReference, &B::handleWriteAdReference},
            {C::ReadAdReference, &B::handleReadAdReference},
            {C::WriteMixing, &B::handleWriteMixing},
            {C::ReadMixing, &B::handleReadMixing},
            {C::WriteAdSettings, &B::handleWriteAdSettings},
            {C::ReadAdSettings, &B::handleReadAdSettings},
            {C::WriteReceiverReference, &B::handleWriteReceiverReference},
            {C::ReadReceiverReference, &B::handleReadReceiverReference},
            {C::SendExpandedSerial, &B::handleSendExpandedSerial},
            {C::WriteSvpChannels, &B::handleWriteSvpChannels},
            {C::ReadSvpChannels, &B::handleReadSvpChannels},
            {C::WriteServoParams, &B::handleWriteServoParams},
            {C::ReadServoParams, &B::handleReadServoParams},
            {C::WriteHomePosition, &B::handleWriteHomePosition},
            {C::ReadHomePosition, &B::handleReadHomePosition},
            {C::WriteChannelName, &B::handleWriteChannelName},
            {C::ReadChannelName, &B::handleReadChannelName},
        };
        for (const auto& [command, handler] : known)
            t[quint8(command)] = handler;
        return t;
    }();
    return table;
}

std::optional<QByteArray> BoardSimulator::execute(const QByteArray& frame) {
    const Handler h = handlers()[quint8(frame[0])];
    if (!h) return std::nullopt;
    return (this->*h)(frame);
}

std::optional<QByteArray> BoardSimulator::handleReadBoardInfo(const QByteArray&) {
    return withSum(m_stored.info.leftJustified(QmxBoard::kBoardInfoSize, '\0', true));
}

std::optional<QByteArray> BoardSimulator::handleMoveChannel(const QByteArray& f) {
    // A live move of one channel; the board does not answer it.
    const int ch = byteAt(f, 2);
    if (ch < QmxBoard::kChannels) {
        MotionRecord target;
        target.lead = quint8(qMax(1, byteAt(f, 3)));
        target.words = m_pose;
        target.words[size_t(ch)] = BigEndian::word(f, 4);
        m_working.livePose.words[size_t(ch)] = target.words[size_t(ch)];
        if (!m_player->playing()) m_player->startMove(target);
    }
    return std::nullopt;
}

std::optional<QByteArray> BoardSimulator::handleWriteMotionRecord(const QByteArray& f) {
    const int slot = byteAt(f, 2), index = byteAt(f, 3);
    const MotionRecord r = *MotionRecord::fromBytes(f.mid(4, MotionRecord::kSize));
    // Record 0 of slot 0 in the working copy is the live pose.
    if (!storedFlag(f) && slot == 0 && index == 0) {
        m_working.livePose = r;
        if (!m_player->playing()) m_player->applyLive(r);
        return ackAnswer();
    }
    const int at = slot * kRecordsPerSlot + index;
    if (slot >= kMotionSlots || at >= kRecords) return nakAnswer();
    m_stored.records[size_t(at)] = r;
    if (at == m_faultyRecord) m_stored.records[size_t(at)].words.back() ^= 0xFFFF;
    storedChanged();
    return ackAnswer();
}

std::optional<QByteArray> BoardSimulator::handleReadMotionRecord(const QByteArray& f) {
    const int slot = byteAt(f, 2), index = byteAt(f, 3);
    if (!storedFlag(f) && slot == 0 && index == 0) return withSum(m_working.livePose.toBytes());
    const int at = slot * kRecordsPerSlot + index;
    if (slot >= kMotionSlots || at >= kRecords) return nakAnswer();
    return withSum(m_stored.records[size_t(at)].toBytes());
}

std::optional<QByteArray> BoardSimulator::handleSetTrimLive(const QByteArray& f) {
    const int ch = byteAt(f, 2);
    if (ch < QmxBoard::kChannels) m_working.trim[size_t(ch)] = BigEndian::word(f, 3);
    return std::nullopt;
}

std::optional<QByteArray> BoardSimulator::handleWriteTrimData(const QByteArray& f) {
    const Words trim = BigEndian::toWords(f, 2);
    if (storedFlag(f)) {
        m_stored.trim = trim;
        storedChanged();
    } else {
        m_working.trim = trim;
    }
    return ackAnswer();
}

std::optional<QByteArray> BoardSimulator::handleReadTrimData(const QByteArray& f) {
    return withSum(BigEndian::fromWords(storedFlag(f) ? m_stored.trim : m_working.trim));
}

std::optional<QByteArray> BoardSimulator::handleWriteScenarioStep(const QByteArray& f) {
    const int scenario = byteAt(f, 2), step = byteAt(f, 3);
    if (scenario >= kScenarios || step >= kScenarioSteps) return nakAnswer();
    m_stored.scenarios[size_t(scenario)][size_t(step)] = quint8(byteAt(f, 4));
    storedChanged();
    return ackAnswer();
}

std::optional<QByteArray> BoardSimulator::handleReadScenarioStep(const QByteArray& f) {
    const int scenario = byteAt(f, 1), step = byteAt(f, 2);
    if (scenario >= kScenarios || step >= kScenarioSteps) return nakAnswer();
    return withSum(QByteArray(1, char(m_stored.scenarios[size_t(scenario)][size_t(step)])));
}

std::optional<QByteArray> BoardSimulator::handleWriteTableEntry(const QByteArray& f) {
    const int entry = byteAt(f, 2);
    if (entry >= kEntries) return nakAnswer();
    m_stored.table[size_t(entry)] = f.mid(3, kEntrySize);
    storedChanged();
    return ackAnswer();
}

std::optional<QByteArray> BoardSimulator::handleReadTableEntry(const QByteArray& f) {
    const int entry = byteAt(f, 1);
    if (entry >= kEntries) return nakAnswer();
    return withSum(m_stored.table[size_t(entry)]);
}

std::optional<QByteArray> BoardSimulator::handlePlayMotion(const QByteArray& f) {
    const int number = byteAt(f, 2);
    if (number >= kEntries) return nakAnswer();
    startPlay(number);
    return ackAnswer();
}

std::optional<QByteArray> BoardSimulator::handleStopMotion(const QByteArray&) {
    m_player->stop();
    return ackAnswer();
}

std::optional<QByteArray> BoardSimulator::handleWriteOptionWord(const QByteArray& f) {
    const quint16 w = BigEndian::word(f, 2);
    if (storedFlag(f)) {
        m_stored.option = w;
        storedChanged();
    } else {
        // SVP mode (bit 14) is taken from the stored word at power-up only;
        // a write to the working copy cannot switch it.
        m_working.option =
            quint16((w & ~BoardCommands::kOptSvp) | (m_working.option & BoardCommands::kOptSvp));
    }
    return ackAnswer();
}

std::optional<QByteArray> BoardSimulator::handleReadOptionWord(const QByteArray& f) {
    return wordAnswer(storedFlag(f) ? m_stored.option : m_working.option);
}

std::optional<QByteArray> BoardSimulator::handleReadCurrentPose(const QByteArray&) {
    return withSum(BigEndian::fromWords(servoOutput()));
}

std::optional<QByteArray> BoardSimulator::handleWriteStartMotions(const QByteArray& f) {
    m_stored.buttonStart = quint8(byteAt(f, 2));
    m_stored.powerOnStart = quint8(byteAt(f, 3));
    storedChanged();
    return ackAnswer();
}

std::optional<QByteArray> BoardSimulator::handleReadStartMotions(const QByteArray&) {
    QByteArray b;
    b.append(char(m_stored.buttonStart));
    b.append(char(m_stored.powerOnStart));
    return withSum(b);
}

std::optional<QByteArray> BoardSimulator::handleReadButtonInput(const QByteArray&) {
    QByteArray b(1, '\0');
    BigEndian::appendWord(b, m_stored.buttonInput);
    for (quint8 v : m_stored.receiverInputs)
        b.append(char(v));
    return withSum(b);
}

std::optional<QByteArray> BoardSimulator::handleWriteAlarmSetting(const QByteArray& f) {
    m_stored.alarmMotion = quint8(byteAt(f, 2));
    m_stored.alarmVoltage = BigEndian::word(f, 3);
    storedChanged();
    return ackAnswer();
}

std::optional<QByteArray> BoardSimulator::handleReadAlarmSetting(const QByteArray&) {
    QByteArray b(1, char(m_stored.alarmMotion));
    BigEndian::appendWord(b, m_stored.alarmVoltage);
    return withSum(b);
}

std::optional<QByteArray> BoardSimulator::handleSetAdLive(const QByteArray& f) {
    // A live analog reference; 0xFFFF calibrates from the present input.
    const int input = byteAt(f, 2);
    if (input < QmxBoard::Analog::kInputs) {
        const quint16 v = BigEndian::word(f, 3);
        const quint16 ref = v == QmxBoard::Analog::kAutoCalibrate
                                ? quint16(m_stored.analogInputs[size_t(input + 1)])
                                : v;
        BigEndian::putWord(m_working.adReference, 2 * input, ref);
    }
    return std::nullopt;
}

std::optional<QByteArray> BoardSimulator::writeBlock(const QByteArray& f, QByteArray& stored,
                                                     QByteArray& working, int size) {
    if (storedFlag(f)) {
        stored = f.mid(2, size);
        storedChanged();
    } else {
        working = f.mid(2, size);
    }
    return ackAnswer();
}

std::optional<QByteArray> BoardSimulator::handleWriteAdReference(const QByteArray& f) {
    return writeBlock(f, m_stored.adReference, m_working.adReference, 6);
}

std::optional<QByteArray> BoardSimulator::handleReadAdReference(const QByteArray& f) {
    return withSum(storedFlag(f) ? m_stored.adReference : m_working.adReference);
}

std::optional<QByteArray> BoardSimulator::handleWriteMixing(const QByteArray& f) {
    const int index = byteAt(f, 2);
    if (index >= 3) return nakAnswer();
    (storedFlag(f) ? m_stored.mixing : m_working.mixing)[size_t(index)] = f.mid(3, 24);
    if (storedFlag(f)) storedChanged();
    return ackAnswer();
}

std::optional<QByteArray> BoardSimulator::handleReadMixing(const QByteArray& f) {
    const int index = byteAt(f, 2);
    if (index >= 3) return nakAnswer();
    return withSum((storedFlag(f) ? m_stored.mixing : m_working.mixing)[size_t(index)]);
}

std::optional<QByteArray> BoardSimulator::handleWriteAdSettings(const QByteArray& f) {
    return writeBlock(f, m_stored.adSettings, m_working.adSettings, 18);
}

std::optional<QByteArray> BoardSimulator::handleReadAdSettings(const QByteArray& f) {
    return withSum(storedFlag(f) ? m_stored.adSettings : m_working.adSettings);
}

std::optional<QByteArray> BoardSimulator::handleWriteReceiverReference(const QByteArray& f) {
    // A reference byte 0xFF calibrates that input: it takes the value measured now.
    QByteArray frame = f;
    for (int n = 0; n < QmxBoard::Receiver::kInputs; ++n)
        if (quint8(byteAt(frame, 2 + n)) == QmxBoard::Receiver::kAutoCalibrate)
            frame[2 + n] = char(m_stored.receiverInputs[size_t(n)]);
    return writeBlock(frame, m_stored.receiverReference, m_working.receiverReference,
                      QmxBoard::Receiver::kReferenceSize);
}

std::optional<QByteArray> BoardSimulator::handleReadReceiverReference(const QByteArray& f) {
    return withSum(storedFlag(f) ? m_stored.receiverReference : m_working.receiverReference);
}

std::optional<QByteArray> BoardSimulator::handleSendExpandedSerial(const QByteArray& f) {
    expandedSerial = f.mid(2, 7);
    return ackAnswer();
}

std::optional<QByteArray> BoardSimulator::handleWriteSvpChannels(const QByteArray& f) {
    m_stored.svpChannels = f.mid(2, 3);
    storedChanged();
    return ackAnswer();
}

std::optional<QByteArray> BoardSimulator::handleReadSvpChannels(const QByteArray&) {
    return withSum(m_stored.svpChannels);
}

bool BoardSimulator::svpMode() const {
    return m_working.option & BoardCommands::kOptSvp;
}

std::optional<QByteArray> BoardSimulator::handleWriteServoParams(const QByteArray& f) {
    m_stored.servoParams[size_t(byteAt(f, 1))] = f.mid(2, 17);
    storedChanged();
    return ackAnswer();
}

std::optional<QByteArray> BoardSimulator::handleReadServoParams(const QByteArray& f) {
    return withSum(m_stored.servoParams[size_t(byteAt(f, 1))]);
}

std::optional<QByteArray> BoardSimulator::handleWriteHomePosition(const QByteArray& f) {
    m_stored.home = BigEndian::toWords(f, 2);
    storedChanged();
    return ackAnswer();
}

std::optional<QByteArray> BoardSimulator::handleReadHomePosition(const QByteArray&) {
    return withSum(BigEndian::fromWords(m_stored.home));
}

std::optional<QByteArray> BoardSimulator::handleWriteChannelName(const QByteArray& f) {
    const int ch = byteAt(f, 2);
    if (ch >= QmxBoard::kChannels) return nakAnswer();
    m_stored.channelNames[size_t(ch)] = f.mid(3, QmxBoard::kChannelNameSize);
    storedChanged();
    return ackAnswer();
}

std::optional<QByteArray> BoardSimulator::handleReadChannelName(const QByteArray& f) {
    const int ch = byteAt(f, 1);
    if (ch >= QmxBoard::kChannels) return nakAnswer();
    return withSum(m_stored.channelNames[size_t(ch)]);
}

// ---- state file ----

bool BoardSimulator::attachStateFile(const QString& path, QString* error, bool fresh) {
    // What belongs to a file attached before goes there first.
    flushState();
    m_stateWriter.reset();
    if (!fresh && QFile::exists(path) && !loadState(path, error)) return false;
    m_stateWriter = std::make_unique<SimStateWriter>(path);
    if (fresh) m_stateWriter->post(m_stored);
    return true;
}

void BoardSimulator::saveStateWhenDue() {
    using namespace std::chrono;
    if (!m_unsavedSince || steady_clock::now() - *m_unsavedSince < milliseconds(kSaveDelayMs))
        return;
    // The writer gets a copy: the memory goes on changing while the file is written.
    m_stateWriter->post(m_stored);
    m_unsavedSince.reset();
}

bool BoardSimulator::flushState() {
    if (!m_stateWriter) return true;
    if (m_unsavedSince) {
        m_stateWriter->post(m_stored);
        m_unsavedSince.reset();
    }
    return m_stateWriter->flush();
}

bool BoardSimulator::saveState(const QString& path) const {
    return SimStateFile::Write(path, m_stored);
}

bool BoardSimulator::loadState(const QString& path, QString* error) {
    if (!SimStateFile::Read(path, m_stored, error)) return false;
    powerOn();
    return true;
}

// ---- playback ----

QByteArray BoardSimulator::advance(int ms) {
    return m_player->advance(ms, reportPeriodMs);
}

void BoardSimulator::startPlay(int number) {
    m_player->startPlay(number);
}

bool BoardSimulator::playing() const {
    return m_player->playing();
}

bool BoardSimulator::moving() const {
    return m_player->moving();
}

int BoardSimulator::loopCounter() const {
    return m_player->loopCounter();
}

int BoardSimulator::compareRegister() const {
    return m_player->compareRegister();
}

void BoardSimulator::setCompareRegister(int value) {
    m_player->setCompareRegister(value);
}

quint8 BoardSimulator::sensorControl() const {
    return m_player->sensorControl();
}

BoardSimulator::Words BoardSimulator::teachValues() const {
    return m_player->teachValues();
}

BoardSimulator::Words BoardSimulator::servoOutput() const {
    return m_player->servoOutput();
}

// ---- inputs ----

void BoardSimulator::setAdValue(int input, int value) {
    if (input < 0 || input >= int(m_stored.analogInputs.size())) return;
    m_stored.analogInputs[size_t(input)] = qBound(0, value, QmxBoard::Analog::kReportValueMax);
    storedChanged();
}

void BoardSimulator::setButtonInput(quint16 v) {
    m_stored.buttonInput = v;
    storedChanged();
}

void BoardSimulator::setReceiverValues(const std::array<quint8, 4>& v) {
    m_stored.receiverInputs = v;
    storedChanged();
}

void BoardSimulator::setAdValues(const std::array<int, 4>& v) {
    for (size_t i = 0; i < v.size(); ++i)
        m_stored.analogInputs[i] = qBound(0, v[i], QmxBoard::Analog::kReportValueMax);
    storedChanged();
}

} // namespace qvx
