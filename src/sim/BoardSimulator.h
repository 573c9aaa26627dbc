#pragma once

#include "board/BoardProtocol.h"
#include "board/MotionRecord.h"

#include <QByteArray>
#include <QList>
#include <QLoggingCategory>
#include <QString>
#include <array>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace qvx {

// Frames the simulated board took and what it answered (off by default).
Q_DECLARE_LOGGING_CATEGORY(lcSim)

class SimPlayer;
class SimStateWriter;

// A simulated QMX board: the board side of the serial protocol with the board's
// memory, and playback of stored motions and scenarios. It is pure state: bytes
// go in with receive(), answers come back as chunks to send; advance() moves
// time on and returns the reports the board sends on its own. Drivers connect it
// to an in-memory device (SimTransport) or a pseudo-terminal (SimPtyHost).
class BoardSimulator {
  public:
    using Words = BigEndian::Words;

    static constexpr int kEntries = QmxBoard::kTableEntries;
    static constexpr int kEntrySize = QmxBoard::kEntrySize;
    static constexpr int kMotionSlots = QmxBoard::kMotionSlots;
    static constexpr int kRecordsPerSlot = QmxBoard::kRecordsPerSlot;
    static constexpr int kRecords = kMotionSlots * kRecordsPerSlot;
    static constexpr int kScenarios = QmxBoard::kScenarioSlots;
    static constexpr int kScenarioSteps = QmxBoard::kScenarioSteps;
    static constexpr int kServos = QmxBoard::kServos;
    static constexpr int kTickMs = 10;
    // A healthy supply: 7.2 V.
    static constexpr int kDefaultSupply = 468;

    // Bytes to send, after a delay counted from the moment they were produced.
    struct Chunk {
        QByteArray bytes;
        int delayMs = 0;
    };

    // Faults a test can ask for; each applies to the answer of one command that
    // has an answer (the next one, or the one after `skip` good answers).
    // ReportInAnswer puts a playback report in the middle of the answer,
    // ReportAfterAnswer right behind it in the same burst of bytes.
    enum class Fault {
        NoAnswer,
        ShortAnswer,
        BadChecksum,
        BadAck,
        Delay,
        ReportInAnswer,
        ReportAfterAnswer
    };

    // What survives a restart (and is written to the state file).
    struct Stored {
        std::array<QByteArray, kEntries> table;
        std::vector<MotionRecord> records;
        std::array<std::array<quint8, kScenarioSteps>, kScenarios> scenarios{};
        quint16 option = 0;
        Words trim{};
        QByteArray adSettings, adReference, receiverReference;
        std::array<QByteArray, 3> mixing;
        quint8 buttonStart = 0xFF, powerOnStart = 0xFF;
        quint8 alarmMotion = 0xFF;
        quint16 alarmVoltage = 0;
        QByteArray svpChannels;
        std::array<QByteArray, kServos> servoParams;
        Words home{};
        std::array<QByteArray, 24> channelNames;
        QByteArray info;
        // The analog inputs as the board measures them (14 bits each): the
        // supply voltage (x 0.01539 V, the scale of the alarm voltage), then
        // AD1..AD3. Not board memory, but kept with it so that a simulated
        // robot keeps its sensors' state across a restart too.
        std::array<int, 4> analogInputs{kDefaultSupply, 0, 0, 0};
        // The receiver inputs as the board measures them, kept for the same
        // reason: the button input and PA1..PA4.
        quint16 buttonInput = 0;
        std::array<quint8, 4> receiverInputs{};
    };
    // The working copies, loaded from the stored ones at power-on.
    struct Working {
        quint16 option = 0;
        Words trim{};
        QByteArray adSettings, adReference, receiverReference;
        std::array<QByteArray, 3> mixing;
        MotionRecord livePose;
    };

    BoardSimulator();
    ~BoardSimulator();
    // The player works on this object's members: no copies.
    BoardSimulator(const BoardSimulator&) = delete;
    BoardSimulator& operator=(const BoardSimulator&) = delete;

    // --- protocol ---
    std::vector<Chunk> receive(const QByteArray& bytes);
    // Moves time on by ms; returns report bytes the board sends meanwhile.
    QByteArray advance(int ms);

    // --- faults ---
    void injectFault(Fault fault, int count = 1, int skip = 0);
    void setFaultDelayMs(int ms) { m_faultDelayMs = ms; }
    // A silent board does not even answer the attention byte.
    void setSilent(bool silent) { m_silent = silent; }
    // A worn memory cell: stored writes of this record (slot * 30 + index)
    // are acknowledged, but the record keeps its last word inverted. -1 for
    // none.
    void setFaultyRecord(int at) { m_faultyRecord = at; }
    void clearFaults();

    // --- memory ---
    // Keeps the stored memory in a file: loads it now (when it exists) and
    // writes it again after changes to stored data. False when the file exists
    // but cannot be read as a state file.
    //
    // The file is written behind the board's answers, on a thread of its own:
    // a change only marks the memory unsaved. saveStateWhenDue() hands a copy
    // to that thread once the oldest unsaved change is kSaveDelayMs old (many
    // changes in a row cost one write); flushState() and the destructor write
    // what is unsaved at once.
    // With `fresh`, the file is not read: the memory stays a new board's and
    // replaces the file at once. A file that cannot be read is left as it is;
    // the reason goes to `error`.
    bool attachStateFile(const QString& path, QString* error = nullptr, bool fresh = false);
    static constexpr int kSaveDelayMs = 250;
    void saveStateWhenDue();
    // Writes what is unsaved and waits for the file; false when that fails.
    // True at once when no state file is attached or nothing is unsaved.
    bool flushState();
    bool hasUnsavedState() const { return m_unsavedSince.has_value(); }
    bool saveState(const QString& path) const;
    bool loadState(const QString& path, QString* error = nullptr);
    // Power-on: working copies from the stored ones, nothing playing. The
    // board runs in SVP mode (working option bit 14) until the next power-on
    // when bit 14 of the stored word is set now; writes to the working word
    // do not change the mode.
    void powerOn();
    bool svpMode() const;

    Stored& stored() { return m_stored; }
    Working& working() { return m_working; }
    const MotionRecord& record(int slot, int index) const;

    // --- inputs and outputs of the simulated robot ---
    const Words& pose() const { return m_pose; }
    // Moves one servo (channel 0..23) by hand: its present position, as
    // ReadCurrentPose answers it. A released servo stays there.
    void setPresentPosition(int channel, quint16 position) {
        if (channel >= 0 && channel < QmxBoard::kChannels) m_pose[size_t(channel)] = position;
    }
    // Receiver inputs: the button input and the measured PA1..PA4. They reach
    // the receiver reports, the branches and AUTO calibration.
    void setButtonInput(quint16 v);
    // Analog inputs: 0 the supply voltage, 1..3 AD1..AD3; values are kept to
    // 0..0x3FFF. A change reaches the reports, the branches, the mixing and
    // the sensor interrupts from the next tick on.
    void setAdValues(const std::array<int, 4>& v);
    void setAdValue(int input, int value);
    const std::array<int, 4>& adValues() const { return m_stored.analogInputs; }
    void setReceiverValues(const std::array<quint8, 4>& v);
    quint16 buttonInput() const { return m_stored.buttonInput; }
    const std::array<quint8, 4>& receiverValues() const { return m_stored.receiverInputs; }
    int reportPeriodMs = 100;

    // The servos' positions with the real time mixing added: what the robot
    // shows and ReadCurrentPose answers. pose() is without the mixing.
    Words servoOutput() const;

    // --- playback, for inspection ---
    // Starts motion or scenario `number` as PlayMotion does, without a frame:
    // for running the board's player on a clock of one's own.
    void startPlay(int number);
    bool playing() const;
    // A move towards a pose is under way (played, or sent live); a motion
    // started meanwhile begins only once it is done.
    bool moving() const;
    int loopCounter() const;
    int compareRegister() const;
    // The compare register as earlier motions left it (0 at power-on).
    void setCompareRegister(int value);
    // Called after every tick of playback time (10 ms), on the thread that
    // moves time on; for watching the servo outputs tick by tick.
    std::function<void()> afterEachTick;
    // Which of the six sensor interrupts are switched on (bits 0..5; all at
    // power-on, then as the last sensor control code of a motion set them).
    quint8 sensorControl() const;
    // The positions measured by the last teaching code (0 for channels it
    // did not name).
    Words teachValues() const;
    // Motion numbers in the order playback started them (scenarios list their motions).
    QList<int> startedMotions;
    // Indexes of the records executed, in order, within their motion.
    QList<int> executedRecords;
    // The last seven bytes forwarded with the expanded serial command.
    QByteArray expandedSerial;
    // Every command frame received, checksum included (for tests).
    QList<QByteArray> frames;

    // A playback-finished report for one motion number.
    static QByteArray PlaybackReport(int number);

  private:
    enum class RxState { Idle, Frame };

    // One handler per command byte: the answer, or nothing for commands the
    // board does not answer.
    using Handler = std::optional<QByteArray> (BoardSimulator::*)(const QByteArray& frame);
    using HandlerTable = std::array<Handler, 256>;
    static const HandlerTable& handlers();
    std::optional<QByteArray> execute(const QByteArray& frame);
    std::optional<QByteArray> writeBlock(const QByteArray& frame, QByteArray& stored,
                                         QByteArray& working, int size);
    std::optional<QByteArray> handleReadBoardInfo(const QByteArray& frame);
    std::optional<QByteArray> handleMoveChannel(const QByteArray& frame);
    std::optional<QByteArray> handleWriteMotionRecord(const QByteArray& frame);
    std::optional<QByteArray> handleReadMotionRecord(const QByteArray& frame);
    std::optional<QByteArray> handleSetTrimLive(const QByteArray& frame);
    std::optional<QByteArray> handleWriteTrimData(const QByteArray& frame);
    std::optional<QByteArray> handleReadTrimData(const QByteArray& frame);
    std::optional<QByteArray> handleWriteScenarioStep(const QByteArray& frame);
    std::optional<QByteArray> handleReadScenarioStep(const QByteArray& frame);
    std::optional<QByteArray> handleWriteTableEntry(const QByteArray& frame);
    std::optional<QByteArray> handleReadTableEntry(const QByteArray& frame);
    std::optional<QByteArray> handlePlayMotion(const QByteArray& frame);
    std::optional<QByteArray> handleStopMotion(const QByteArray& frame);
    std::optional<QByteArray> handleWriteOptionWord(const QByteArray& frame);
    std::optional<QByteArray> handleReadOptionWord(const QByteArray& frame);
    std::optional<QByteArray> handleReadCurrentPose(const QByteArray& frame);
    std::optional<QByteArray> handleWriteStartMotions(const QByteArray& frame);
    std::optional<QByteArray> handleReadStartMotions(const QByteArray& frame);
    std::optional<QByteArray> handleReadButtonInput(const QByteArray& frame);
    std::optional<QByteArray> handleWriteAlarmSetting(const QByteArray& frame);
    std::optional<QByteArray> handleReadAlarmSetting(const QByteArray& frame);
    std::optional<QByteArray> handleSetAdLive(const QByteArray& frame);
    std::optional<QByteArray> handleWriteAdReference(const QByteArray& frame);
    std::optional<QByteArray> handleReadAdReference(const QByteArray& frame);
    std::optional<QByteArray> handleWriteMixing(const QByteArray& frame);
    std::optional<QByteArray> handleReadMixing(const QByteArray& frame);
    std::optional<QByteArray> handleWriteAdSettings(const QByteArray& frame);
    std::optional<QByteArray> handleReadAdSettings(const QByteArray& frame);
    std::optional<QByteArray> handleWriteReceiverReference(const QByteArray& frame);
    std::optional<QByteArray> handleReadReceiverReference(const QByteArray& frame);
    std::optional<QByteArray> handleSendExpandedSerial(const QByteArray& frame);
    std::optional<QByteArray> handleWriteSvpChannels(const QByteArray& frame);
    std::optional<QByteArray> handleReadSvpChannels(const QByteArray& frame);
    std::optional<QByteArray> handleWriteServoParams(const QByteArray& frame);
    std::optional<QByteArray> handleReadServoParams(const QByteArray& frame);
    std::optional<QByteArray> handleWriteHomePosition(const QByteArray& frame);
    std::optional<QByteArray> handleReadHomePosition(const QByteArray& frame);
    std::optional<QByteArray> handleWriteChannelName(const QByteArray& frame);
    std::optional<QByteArray> handleReadChannelName(const QByteArray& frame);
    std::vector<Chunk> applyFault(QByteArray answer);
    void storedChanged();

    Stored m_stored;
    Working m_working;
    std::unique_ptr<SimStateWriter> m_stateWriter;
    std::optional<std::chrono::steady_clock::time_point> m_unsavedSince;

    RxState m_rx = RxState::Idle;
    QByteArray m_frame;
    bool m_silent = false;
    int m_faultyRecord = -1;
    std::deque<Fault> m_faults;
    int m_faultSkip = 0;
    int m_faultDelayMs = 1000;

    Words m_pose{};
    std::unique_ptr<SimPlayer> m_player;
};

} // namespace qvx
