#pragma once

#include "board/ReceiverFormat.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <array>

namespace qvx {

class BoardCommands;

// What the receiver dialog holds for the proportional inputs PA1..PA4
// (n = 0..3) and the button input.
struct ReceiverSettings {
    static constexpr int kInputs = QmxBoard::Receiver::kInputs;

    std::array<int, kInputs> ref{};
    // From the receiver reports; 0 until the first one.
    std::array<int, kInputs> meas{};
    int button = 0;

    // "Amount": measured minus reference.
    int amount(int n) const { return meas[size_t(n)] - ref[size_t(n)]; }
    // The four reference bytes, PA1 first.
    QByteArray referenceBytes() const;
};

// The receiver dialog's exchanges with the board as core code, run by the
// window and by `qvx board receiver` alike. A reference goes to the board's
// working copy when its bar's scroll ends or AUTO is pressed; closing saves
// the references to the stored copy.
//
// Each flow copies what it sends before its first exchange and writes what it
// read into the settings only after its last one. Flows refuse to start while
// another one runs (the window then shows its controls as the settings hold them).
class ReceiverFlows {
  public:
    ReceiverFlows(BoardCommands& board, ReceiverSettings& settings);

    // The status text of a failed opening or closing (with its cause).
    static QString FailedText() {
        return QCoreApplication::translate("ReceiverFlows", "Connection failed");
    }
    // What a failure that leaves option bit 2 set means.
    static QString StillReportingText() {
        return QCoreApplication::translate(
            "ReceiverFlows", "The board still sends receiver reports: open and close the "
                             "receiver window again to stop them");
    }

    // Loads the references from the stored copy; nothing changes unless the
    // read succeeds.
    bool ReadAll();
    // Saves the references to the stored copy.
    bool WriteAll();

    // The receiver button's opening: option bit 2 set, so that the board sends
    // its receiver reports, then ReadAll. When either fails the dialog is not
    // shown; a bit that was set is cleared again so that the board does not
    // keep reporting.
    bool Open();
    // The closing: WriteAll, then option bit 2 cleared. A failed save leaves
    // the bit set; so does a failed clear.
    bool Close();
    // Why the last opening or closing failed: "Connection failed" with the
    // link's cause, and StillReportingText() when the bit stays set; empty
    // after a success or a refusal. The window shows it in the status line,
    // qvx on standard error.
    const QString& problem() const { return m_problem; }

    // One scroll event of the reference bar of input n: the reference takes
    // the position, nothing is sent. False when refused.
    bool MoveReference(int n, int position);
    // The end of a scroll of a reference bar: the four references go to the
    // working copy.
    bool EndReference(int n);
    // AUTO: the board calibrates input n (0xFF in its place, the others as
    // held), then the working references are read back.
    bool AutoCalibrate(int n);

    // A receiver report's button input and the four measured values.
    void TakeReport(int button, const QList<int>& values);

  private:
    bool readAll();
    bool writeAll();
    // Ends a failed opening or closing; the bit stays set unless `bitCleared`.
    bool failed(const QString& cause, bool bitCleared);

    BoardCommands& m_board;
    ReceiverSettings& m_settings;
    QString m_problem;
};

} // namespace qvx
