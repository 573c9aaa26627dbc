#pragma once

#include "compiler/MotionRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <deque>
#include <vector>

namespace qvx {

// A simulated QMX board: the board side of the serial protocol with the board's
// memory, and playback of stored motions and scenarios. It is pure state: bytes
// go in with receive(), answers come back as chunks to send; advance() moves
// time on and returns the reports the board sends on its own. Drivers connect it
// to an in-memory device (SimTransport) or a pseudo-terminal (SimPtyHost).
class BoardSimulator {
  public:
    using Words = std::array<quint16, 24>;

    static constexpr int kEntries = 85;
    static constexpr int kEntrySize = 42;
    static constexpr int kMotionSlots = 80;
    static constexpr int kRecordsPerSlot = 30;
    static constexpr int kRecords = kMotionSlots * kRecordsPerSlot;
    static constexpr int kScenarios = 5;
    static constexpr int kScenarioSteps = 200;
    static constexpr int kServos = 256;
    static constexpr int kTickMs = 10;
    static constexpr quint8 kAck = 0x06;
    static constexpr quint8 kNak = 0x15;

    // Bytes to send, after a delay counted from the moment they were produced.
    struct Chunk {
        QByteArray bytes;
        int delayMs = 0;
    };

    // Faults a test can ask for; each applies to the answer of one command that
    // has an answer (the next one, or the one after `skip` good answers).
    enum class Fault { NoAnswer, ShortAnswer, BadChecksum, BadAck, Delay, ReportInAnswer };

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

    // --- protocol ---
    std::vector<Chunk> receive(const QByteArray& bytes);
    // Moves time on by ms; returns report bytes the board sends meanwhile.
    QByteArray advance(int ms);

    // --- faults ---
    void injectFault(Fault fault, int count = 1, int skip = 0);
    void setFaultDelayMs(int ms) { m_faultDelayMs = ms; }
    // A silent board does not even answer the attention byte.
    void setSilent(bool silent) { m_silent = silent; }
    void clearFaults();

    // --- memory ---
    // Keeps the stored memory in a file: loads it now (when it exists) and
    // rewrites it after every change to stored data. False when the file exists
    // but cannot be read as a state file.
    bool attachStateFile(const QString& path);
    bool saveState(const QString& path) const;
    bool loadState(const QString& path);
    // Power-on: working copies from the stored ones, nothing playing.
    void powerOn();

    Stored& stored() { return m_stored; }
    Working& working() { return m_working; }
    const MotionRecord& record(int slot, int index) const;

    // --- inputs and outputs of the simulated robot ---
    const Words& pose() const { return m_pose; }
    void setButtonInput(quint16 v) { m_buttonInput = v; }
    void setAdValues(const std::array<int, 4>& v) { m_ad = v; }
    void setReceiverValues(const std::array<quint8, 4>& v) { m_receiver = v; }
    int reportPeriodMs = 100;

    // --- playback, for inspection ---
    bool playing() const { return m_play.active; }
    int loopCounter() const { return m_loopCounter; }
    int compareRegister() const { return m_compare; }
    // Motion numbers in the order playback started them (scenarios list their motions).
    QList<int> startedMotions;
    // Indexes of the records executed, in order, within their motion.
    QList<int> executedRecords;
    // The last seven bytes forwarded with the expanded serial command.
    QByteArray expandedSerial;
    // Every command frame received, checksum included (for tests).
    QList<QByteArray> frames;

    // Total frame length (command byte and checksum included) of a command, 0
    // for an unknown command byte.
    static int FrameLength(quint8 command);
    // A playback-finished report for one motion number.
    static QByteArray PlaybackReport(int number);

  private:
    enum class RxState { Idle, Frame };

    QByteArray execute(const QByteArray& frame, bool& hasAnswer);
    std::vector<Chunk> applyFault(QByteArray answer);
    void storedChanged();

    void startPlay(int number);
    void startMotion(int motion);
    void finishMotion();
    void tick();
    void executeRecord();
    bool condition(int base);
    void applySet(const MotionRecord& r);
    void startMove(const MotionRecord& target);
    void stepMove();
    static int classify(const MotionRecord& r);
    static int target(const MotionRecord& r);

    Stored m_stored;
    Working m_working;
    QString m_statePath;

    RxState m_rx = RxState::Idle;
    QByteArray m_frame;
    bool m_silent = false;
    std::deque<Fault> m_faults;
    int m_faultSkip = 0;
    int m_faultDelayMs = 1000;

    Words m_pose{};
    quint16 m_buttonInput = 0;
    std::array<int, 4> m_ad{};
    std::array<quint8, 4> m_receiver{};
    std::array<quint8, 24> m_mixingBytes{};
    quint8 m_sensorFlags = 0;
    bool m_receiverPlay = false;
    int m_loopCounter = 0;
    int m_compare = 0;

    struct Play {
        bool active = false;
        int number = 0;    // what PlayMotion asked for
        int scenario = -1; // scenario being played, -1 for a single motion
        int step = 0;      // scenario step
        int motion = 0;    // motion slot being played
        int pc = 0;        // record index within the motion
        int count = 0;     // records of the motion
    } m_play;
    struct Move {
        bool active = false;
        Words from{}, to{};
        int ticks = 0, done = 0;
    } m_move;
    int m_clockMs = 0;
    int m_reportClockMs = 0;
    QByteArray m_reports;
};

} // namespace qvx
