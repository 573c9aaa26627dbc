#pragma once

#include "board/AnalogFormat.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace qvx {

class BoardCommands;

// What the analog dialog holds for the three analog inputs AD1..AD3 (k = 0..2):
// the references, the measured values, the gain of every channel for every
// input, and the two sensor interrupts of every input (slots 2k and 2k + 1).
struct AnalogSettings {
    static constexpr int kInputs = QmxBoard::Analog::kInputs;
    static constexpr int kSlots = QmxBoard::Analog::kSensorSlots;
    static constexpr int kChannels = QmxBoard::Analog::kChannels;
    // Gain list index of "OFF".
    static constexpr int kGainOff = QmxBoard::Analog::kGainMax;
    // Entries of the gain list: "x -63" .. "x -1", "OFF", "x 1" .. "x 63".
    static constexpr int kGainCount = 2 * QmxBoard::Analog::kGainMax + 1;
    // Motion selections: 0 none ("OFF"), j = 1..85 table entry j - 1.
    static constexpr int kSelections = 86;

    std::array<int, kInputs> ref{};
    // From the analog reports; 0 until the first one.
    std::array<int, kInputs> meas{};
    // Gain list index per input and channel (CH1 first).
    std::array<std::array<int, kChannels>, kInputs> gain;
    std::array<int, kSlots> thr{};
    std::array<int, kSlots> sel{};
    // The four raw values of the last analog report: supply, AD1, AD2, AD3.
    std::array<int, 4> raw{};

    AnalogSettings() {
        for (auto& g : gain)
            g.fill(kGainOff);
    }

    // "Amount": measured minus reference.
    int amount(int k) const { return meas[size_t(k)] - ref[size_t(k)]; }

    // The 127 texts of the gain list, index 0 first.
    static QStringList GainList();
    static QString GainText(int index);
    // The index of a gain list text, or nothing when no entry reads so.
    static std::optional<int> GainIndexOf(const QString& text);
    // Gain list index <-> mixing byte. A byte without its mixing bit reads as
    // "OFF" whatever its other bits.
    static quint8 MixingByteOf(int index);
    static int GainIndexOfByte(quint8 byte);

    // The board's formats of the references and of one input's mixing table.
    QByteArray referenceBytes() const;
    QByteArray mixingBytes(int k) const;
    // Reads thresholds and selections from the 18 sensor setting bytes.
    void takeSensorBytes(const QByteArray& bytes);
    // The 18 bytes to write, starting from the bytes read back from the board:
    // a slot set to "OFF" keeps the board's entry byte.
    static QByteArray SensorBytes(QByteArray fromBoard, const std::array<int, kSlots>& thr,
                                  const std::array<int, kSlots>& sel);

    // "M1".."M80", "S1".."S5" for selections 1..85, "OFF" for 0.
    static QString SelectionCaption(int sel);
    // The selection a caption names (case does not matter), or nothing.
    static std::optional<int> SelectionOf(const QString& caption);
};

// The analog dialog's exchanges with the board as core code, run by the
// window and by `qvx board analog` alike. Every change goes to the board's
// working copy at once; WriteAll saves everything to the stored copies.
//
// Each flow copies what it sends before its first exchange and writes what it
// read into the settings only after its last one, so a click while it waits
// cannot change what it sends. Flows refuse to start while another one runs
// (the window then shows its controls as the settings hold them).
class AnalogFlows {
  public:
    AnalogFlows(BoardCommands& board, AnalogSettings& settings);

    // What a failure that leaves option bit 8 set means.
    static QString StillReportingText() {
        return QCoreApplication::translate(
            "AnalogFlows", "The board still sends analog reports: open and close the analog "
                           "window again to stop them");
    }
    static QString ReadFailedText() {
        return QCoreApplication::translate("AnalogFlows",
                                           "The analog settings could not be read from the board");
    }
    static QString ReportsFailedText() {
        return QCoreApplication::translate("AnalogFlows",
                                           "The analog reports could not be switched on");
    }
    static QString ReportsOffFailedText() {
        return QCoreApplication::translate("AnalogFlows",
                                           "The analog reports could not be switched off");
    }
    static QString SaveFailedText() {
        return QCoreApplication::translate(
            "AnalogFlows", "The analog settings were not saved to the stored copies");
    }

    // Loads references, mixing tables and sensor settings from the stored
    // copies, in that order; nothing changes unless every read succeeds.
    bool ReadAll();
    // Saves references, the three mixing tables and the sensor settings to
    // the stored copies, in that order, stopping at the first failure.
    bool WriteAll();

    // The analog button's opening: ReadAll, then (when it succeeded) the report
    // buffer is emptied and option bit 8 set so that the board sends its
    // analog reports. False when loading failed: the dialog is not shown.
    // `reportsOn` tells whether the option bit could be set.
    bool Open(bool* reportsOn = nullptr);
    // The closing: option bit 8 cleared, then WriteAll (whether or not the
    // bit could be cleared). True when both succeeded.
    bool Close();
    // Why the last opening or closing failed, with the link's cause, and
    // StillReportingText() when bit 8 stays set; empty after a success or a
    // refusal. Also set when the opening succeeded but could not switch the
    // reports on. The window shows it in the status line, qvx on standard
    // error.
    const QString& problem() const { return m_problem; }

    // One scroll event of the reference bar of input k: the reference takes
    // the position and goes to the board as a live value.
    bool DragReference(int k, int position);
    // AUTO: the board calibrates input k, then the working references are
    // read back.
    bool AutoCalibrate(int k);
    // A gain chosen for channel 1..24 of input k: the input's mixing table
    // goes to the working copy.
    bool ChooseGain(int k, int channel, int index);
    // A motion chosen for a sensor slot: the sensor settings go to the
    // working copy.
    bool ChooseMotion(int slot, int selection);
    // One scroll event of a threshold bar: the threshold changes, nothing is
    // sent. False when refused.
    bool MoveThreshold(int slot, int threshold);
    // The end of a threshold bar's scroll: the sensor settings go to the
    // working copy.
    bool EndThreshold(int slot);

    // An analog report's four values (supply, AD1..AD3).
    void TakeReport(const QList<int>& values);

  private:
    bool readAll();
    bool writeAll();
    bool writeSensorSettings(bool stored);

    BoardCommands& m_board;
    AnalogSettings& m_settings;
    QString m_problem;
};

} // namespace qvx
