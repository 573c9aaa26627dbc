#pragma once

#include "board/BoardCommands.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <optional>

namespace qvx {

class MotionTable;

// What the options dialog's controls hold, in the board's terms.
struct OptionSettings {
    bool replyAtEnd = false;  // Check5: option bit 9, a report when a motion has played
    bool transmitter = false; // Check1: option bit 13, playing from the transmitter
    bool wrx1 = false;        // Check7: option bit 3, control through WRX-1
    // BtnList, StartList, AlarmList: 0 is "OFF", k is table entry k - 1.
    int buttonStart = 0;
    int powerOnStart = 0;
    int alarm = 0;
    // AlmVoltBtn: the alarm voltage in tenths of a volt.
    int alarmTenths = 60;
    // SVP_C1..SVP_C24: bit n - 1 set when CHn drives its servo through SVP.
    quint32 svp = 0;

    bool operator==(const OptionSettings&) const = default;
};

// The options dialog's exchanges with the board as core code: the opening
// sequence, loading every control, and one function per control that runs
// exactly that control's board sequence. The window and `qvx board options`
// both run these, so the board sees the same bytes from either.
//
// Each function starts from a copy of the controls taken before its first
// exchange, and refuses (changing nothing) while another flow or exchange is
// under way: a click made while an answer is awaited cannot slip in between.
class OptionFlows {
  public:
    // Range and starting position of the alarm voltage, in tenths of a volt.
    static constexpr int kVoltMin = 55;
    static constexpr int kVoltMax = 150;
    static constexpr int kVoltStart = 60;
    // Entries of each motion choice list: "OFF", then the 85 table entries.
    static constexpr int kChoices = 1 + QmxBoard::kTableEntries;
    // Option bits every write from the dialog clears (bits 4 to 8).
    static constexpr quint16 kClearedBits = 0x01F0;
    // Option bits the dialog's controls decide.
    static constexpr quint16 kOwnedBits =
        BoardCommands::kOptWrx1 | BoardCommands::kOptPlaybackReport | BoardCommands::kOptAlarm |
        BoardCommands::kOptPowerOnStart | BoardCommands::kOptButtonStart |
        BoardCommands::kOptTransmitter;

    OptionFlows(BoardCommands& board, const MotionTable& table);
    BoardCommands& board() { return m_board; }
    // What a failed opening says before its cause.
    static QString OpenFailedText() {
        return QCoreApplication::translate("OptionFlows",
                                           "The options could not be read from the board");
    }

    // The controls as last loaded or changed.
    const OptionSettings& settings() const { return m_settings; }
    // The stored option word as last read or written.
    quint16 optionWord() const { return m_optionWord; }
    // The motion choice list the three lists were filled with on loading.
    const QStringList& choices() const { return m_choices; }

    // The main window's options button: sleep, load every control, run. True
    // only when all three succeeded; the dialog is shown only then.
    bool Open();
    // Loads every control from the board, stopping at the first failed read;
    // the controls change only when everything was read.
    bool ReadAll();

    // One function per control; each runs that control's board sequence and
    // is true only when every command it sent succeeded. A value the control
    // cannot take is refused before anything is sent.
    bool SetReplyAtEnd(bool on);       // Check5
    bool SetTransmitter(bool on);      // Check1
    bool SetWrx1(bool on);             // Check7
    bool SetButtonStart(int index);    // BtnList closed up
    bool SetPowerOnStart(int index);   // StartList closed up
    bool SetAlarm(int index);          // AlarmList closed up
    bool SetAlarmVolts(int tenths);    // AlmVoltBtn released
    bool SetSvpChannels(quint32 mask); // any of SVP_C1..SVP_C24

    // The stored word with the dialog's bits set from the controls and bits 4
    // to 8 cleared; every other bit stays as read.
    static quint16 ComposeOptionWord(quint16 stored, const OptionSettings& s);
    // Alarm voltage conversions, rounding halves to even: the board's raw
    // value of a voltage (tenths / 0.15359), and the voltage of a raw value
    // (raw x 0.1539). The factors differ; every voltage of the range survives
    // a write followed by a read.
    static int VoltsToRaw(int tenths);
    static int RawToVolts(int raw);
    // "00.0V" applied to tenths / 10: 60 gives "06.0V".
    static QString VoltText(int tenths);
    // "OFF", then "M1".."M80" and "S1".."S5" for choice indexes 1..85.
    static QString ChoiceCaption(int index);
    // The motion choice list: "OFF", then the elements of the motion and the
    // scenario lists of the table.
    static QStringList MotionChoiceList(const MotionTable& table);
    // The three SVP bytes of a channel mask (CH1 in bit 0 of byte 0) and back.
    static QByteArray SvpBytes(quint32 mask);
    static quint32 SvpMask(const QByteArray& bytes);
    // The choice index a board byte shows: entry + 1 when its option bit is
    // set and the entry exists, else 0 ("OFF").
    static int ChoiceOf(bool enabled, int entry);

  private:
    // Runs a change on a copy of the controls, inside one flow.
    template <typename Sequence> bool change(const OptionSettings& next, Sequence sequence);
    bool readAll();
    bool writeOptionWord(const OptionSettings& s);
    bool writeStartMotions(const OptionSettings& s);
    bool writeAlarmSetting(const OptionSettings& s);

    BoardCommands& m_board;
    const MotionTable& m_table;
    OptionSettings m_settings;
    quint16 m_optionWord = 0;
    QStringList m_choices;
};

} // namespace qvx
