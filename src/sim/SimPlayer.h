#pragma once

#include "sim/BoardSimulator.h"

#include <functional>

namespace qvx {

// Playback on the simulated board: runs stored motions and scenarios record by
// record (poses, jumps, conditions, SET codes, the end mark), moves the pose,
// watches the analog inputs (sensor interrupts, the low-voltage alarm, real
// time mixing) and produces the reports the board sends on its own. It works
// on the memory, pose and inputs of the simulator that owns it.
class SimPlayer {
  public:
    using Words = BoardSimulator::Words;

    // The parts of the simulator the player reads and writes.
    struct Board {
        BoardSimulator::Stored& stored;
        BoardSimulator::Working& working;
        Words& pose;
        const quint16& buttonInput;
        const std::array<quint8, 4>& receiver;
        QList<int>& startedMotions;
        QList<int>& executedRecords;
        // Called after every tick of 10 ms, when set.
        const std::function<void()>& afterTick;
    };

    explicit SimPlayer(const Board& board) : m_b(board) {}

    // Moves time on by ms; returns the report bytes produced meanwhile.
    QByteArray advance(int ms, int reportPeriodMs);
    // Plays a motion, or a scenario for numbers past the motion slots.
    void startPlay(int number);
    // Moves the pose towards a target over the target's lead ticks.
    void startMove(const MotionRecord& target);
    // A record written to the live record: a SET record takes effect at once
    // (mixing, loop counter, sensor switches ...), anything else is a pose to move to.
    void applyLive(const MotionRecord& r);
    // Stops playback and any move.
    void stop();
    // Nothing playing, nothing moving (power-on).
    void reset();

    bool playing() const { return m_play.active; }
    bool moving() const { return m_move.active; }
    int loopCounter() const { return m_loopCounter; }
    int compareRegister() const { return m_compare; }
    // The compare register as earlier motions left it.
    void setCompareRegister(int value) { m_compare = value; }
    quint8 sensorControl() const { return m_sensorFlags; }
    Words teachValues() const { return m_teach; }
    // The pose with the real time mixing of the working mixing tables added.
    Words servoOutput() const;

  private:
    void startMotion(int motion);
    void finishMotion();
    void tick();
    void executeRecord();
    bool condition(int base);
    void applySet(const MotionRecord& r);
    void setMixing(int channel, int base, quint8 byte);
    void stepMove();
    // Starts the alarm motion or a sensor interrupt's motion when the inputs
    // ask for it.
    void watchInputs();
    bool watchSupply();
    void interrupt(int number);
    // Measured minus reference of AD1..AD3 (input 0..2).
    int amount(int input) const;
    static int classify(const MotionRecord& r);
    static int target(const MotionRecord& r);

    Board m_b;
    quint8 m_sensorFlags = kAllSensors;
    bool m_receiverPlay = false;
    int m_loopCounter = 0;
    int m_compare = 0;
    Words m_teach{};
    // Servos gone limp (FREE, SET1..3, the teach code): no mixing moves them.
    std::array<bool, 24> m_released{};
    // The change of each input at the last tick, for seeing a threshold crossed.
    std::array<int, 3> m_lastAmount{};
    bool m_amountsKnown = false;
    // The alarm motion was started and the supply has not recovered since.
    bool m_alarmStarted = false;
    static constexpr quint8 kAllSensors = 0x3F;

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
