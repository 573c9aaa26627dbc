#pragma once

#include "board/BoardProtocol.h"
#include "board/MotionRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <array>
#include <optional>

namespace qvx {

class BoardLink;

// The board's command set: one function per command, each returning true or
// false, plus the composite operations built from them and the decoders of the
// reports the board sends on its own. Commands show nothing; callers report.
// Data answers are handed back without their checksum byte.
class BoardCommands : public QObject {
    Q_OBJECT
  public:
    using Words = BigEndian::Words;
    using Command = QmxBoard::Command;


    // Option word bits.
    static constexpr quint16 kOptSleep = 0x0001;
    static constexpr quint16 kOptPause = 0x0002;
    static constexpr quint16 kOptReceiverReports = 0x0004;
    static constexpr quint16 kOptWrx1 = 0x0008;
    static constexpr quint16 kOptDataDialog = 0x0020;
    static constexpr quint16 kOptAdReports = 0x0100;
    static constexpr quint16 kOptPlaybackReport = 0x0200;
    static constexpr quint16 kOptAlarm = 0x0400;
    static constexpr quint16 kOptPowerOnStart = 0x0800;
    static constexpr quint16 kOptButtonStart = 0x1000;
    static constexpr quint16 kOptTransmitter = 0x2000;
    static constexpr quint16 kOptSvp = 0x4000;

    explicit BoardCommands(BoardLink& link, QObject* parent = nullptr);

    BoardLink& link() { return m_link; }

    // What a flow says when it stops with the robot asleep (beside its cause).
    static QString LeftAsleepText();
    // "why. The robot is left asleep: ...": a failure that left it asleep.
    static QString LeftAsleep(const QString& why) {
        return tr("%1. %2").arg(why, LeftAsleepText());
    }
    // The causes of a flow stopping because the robot would not go to sleep
    // before it, or would not wake after it.
    static QString SleepFailedText() { return tr("the robot could not be put to sleep"); }
    static QString WakeFailedText() { return tr("The robot could not be woken"); }

    // Flag byte of a read: 0x02 for the stored copy, 0x00 for the working copy.
    static quint8 ReadFlag(bool stored) { return stored ? 0x02 : 0x00; }
    // Flag byte of a write: bit 0 always (every caller asks for it), bit 1 for
    // the stored copy.
    static quint8 WriteFlag(bool stored) { return stored ? 0x03 : 0x01; }

    // --- commands, by command byte ---
    bool ReadBoardInfo(QByteArray& text);         // 0xFF, 64 bytes
    bool MoveChannel(int channel, quint16 value); // 0xFE
    bool WriteMotionRecord(bool stored, int slot, int index, const MotionRecord& record); // 0xFD
    bool ReadMotionRecord(bool stored, int slot, int index, MotionRecord& record);        // 0xFC
    bool SetTrimLive(int channel, quint16 value);                     // 0xFB, always false
    bool WriteTrimData(bool stored, const Words& trim);               // 0xFA
    bool ReadTrimData(bool stored, Words& trim);                      // 0xF9
    bool WriteScenarioStep(int scenario, int step, int motion);       // 0xF8
    bool ReadScenarioStep(int scenario, int step, int& motion);       // 0xF7
    bool WriteTableEntry(int entry, const QByteArray& data);          // 0xF6, 42 bytes
    bool ReadTableEntry(int entry, QByteArray& data);                 // 0xF5, 42 bytes
    bool PlayMotion(int number);                                      // 0xF4
    bool StopMotion();                                                // 0xF3
    bool WriteOptionWord(bool stored, quint16 word);                  // 0xF2
    bool ReadOptionWord(bool stored, quint16& word);                  // 0xF1
    bool ReadCurrentPose(Words& pose);                                // 0xF0
    bool WriteStartMotions(int buttonStart, int powerOnStart);        // 0xEF
    bool ReadStartMotions(int& buttonStart, int& powerOnStart);       // 0xEE
    bool ReadButtonInput(QByteArray& data);                           // 0xED, 7 bytes
    bool WriteAlarmSetting(int motion, quint16 voltage);              // 0xEC
    bool ReadAlarmSetting(int& motion, quint16& voltage);             // 0xEB
    bool SetAdLive(int input, quint16 value);                         // 0xE7, always true
    bool WriteAdReference(bool stored, const QByteArray& data);       // 0xE6, 6 bytes
    bool ReadAdReference(bool stored, QByteArray& data);              // 0xE5
    bool WriteMixing(bool stored, int index, const QByteArray& data); // 0xE4, 24 bytes
    bool ReadMixing(bool stored, int index, QByteArray& data);        // 0xE3
    bool WriteAdSettings(bool stored, const QByteArray& data);        // 0xE2, 18 bytes
    bool ReadAdSettings(bool stored, QByteArray& data);               // 0xE1
    bool WriteReceiverReference(bool stored, const QByteArray& data); // 0xE0, 4 bytes
    bool ReadReceiverReference(bool stored, QByteArray& data);        // 0xDF
    bool SendExpandedSerial(const QByteArray& data);                  // 0xDE, 7 bytes
    bool WriteSvpChannels(const QByteArray& mask);                    // 0xDD, 3 bytes
    bool ReadSvpChannels(QByteArray& mask);                           // 0xDC
    bool WriteServoParams(int servo, const QByteArray& data);         // 0xDB, 17 bytes
    bool ReadServoParams(int servo, QByteArray& data);                // 0xDA
    bool WriteHomePosition(const Words& pose);                        // 0xD3
    bool ReadHomePosition(Words& pose);                               // 0xD2
    bool WriteChannelName(int channel, const QString& name);          // 0xD1
    bool ReadChannelName(int channel, QString& name);                 // 0xD0
    // The same two commands with the name's 32 bytes as the board keeps them
    // (a shorter array is padded with zero bytes).
    bool WriteChannelNameBytes(int channel, const QByteArray& bytes);
    bool ReadChannelNameBytes(int channel, QByteArray& bytes);

    // --- composite operations; each stops at the first failed command ---
    // mode 0 = sleep, 1 = run, 2 = toggle.
    bool SetSleep(int mode);
    bool SetOptionBit1(int mode);  // pause 0x0002: 0 sets, 1 clears, 2 toggles
    bool SetOptionBit2(int mode);  // 0x0004: 0 clears, 1 sets
    bool SetOptionBit5(int mode);  // 0x0020: 0 sets, 1 clears
    bool SetOptionBit8(int mode);  // 0x0100: 0 sets, 1 clears, 2 toggles
    bool SetOptionBit14(int mode); // 0x4000 of the stored copy: 0 sets, 1 clears
    // Rewrites a table entry. count, port and ctrl of -1 keep the board's
    // values; date nullopt keeps the board's date, an invalid QDateTime means
    // now. The name is always written (CP932, cut or padded to 32 bytes).
    bool UpdateTableEntry(int entry, int count, int port, const QString& name,
                          const std::optional<QDateTime>& date, int ctrl);
    bool ClearTableEntry(int entry);

    // --- reports ---
    // Hands a framed report to its decoder by its lead byte.
    void HandleReport(const QByteArray& report);
    void OnReceiverReport(const QByteArray& report);
    void OnAdReport(const QByteArray& report);
    void OnPlaybackDone(const QByteArray& report);
    // The motion numbers a playback-finished report marks valid, ascending, no repeats.
    static QList<int> PlaybackNumbers(const QByteArray& report);
    // Texts of the analog values: input 0 as "00.00V" (x 0.01539), the others
    // as "0.00V" (x 0.00532).
    static QString AdVoltText(int input, int raw);

    // Builds the frame of a command with its checksum (used by every command).
    static QByteArray Frame(Command command, std::initializer_list<int> params,
                            const QByteArray& data = {});

  signals:
    // Text for panel 1 of the status bar: "Sleep" or "RUN".
    void sleepPanelChanged(const QString& text);
    // A table entry was written; data are its 42 bytes.
    void tableEntryWritten(int entry, const QByteArray& data);
    void receiverReport(int buttonInput, const QList<int>& values);
    void adReport(const QList<int>& values);
    void playbackDone(const QList<int>& numbers);

  private:
    // One command: busy mark, frame, exchange, check by answer kind.
    bool ack(const QByteArray& frame);
    bool data(const QByteArray& frame, int length, QByteArray& out);
    void none(const QByteArray& frame);
    bool optionBit(bool stored, quint16 bit, int setMode, int clearMode, bool toggles, int mode);

    BoardLink& m_link;
};

} // namespace qvx
