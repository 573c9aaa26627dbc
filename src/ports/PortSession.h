#pragma once

#include "board/BoardProtocol.h"

#include <QString>
#include <memory>
#include <optional>

namespace qvx {

class BoardLink;
class SimPtyHost;

// What the program talks to: a serial device chosen in the port box (COMn), a
// device given by its path, or the simulated board, started when it is chosen.
// Owns the simulated board while it runs and opens the link on the chosen
// device. The main window and qvx both open their ports through it.
class PortSession {
  public:
    explicit PortSession(BoardLink& link);
    ~PortSession();
    PortSession(const PortSession&) = delete;
    PortSession& operator=(const PortSession&) = delete;

    // Where the simulated board keeps its memory between runs (empty: only
    // in memory).
    void setSimStatePath(const QString& path) { m_simStatePath = path; }

    // Applies a port box choice and shows the result in the status line:
    // 0 closes the port ("Close"); 1..20 opens the device given for COMn;
    // kSimIndex starts the simulated board and opens it, or, while it is
    // already the open port, switches it off and on. The simulated board stops
    // once another port is chosen. False when nothing was opened.
    bool choose(int index, const QString& device);

    // Applies a port box choice of a device found on this machine (boxIndex
    // past SIM), named by its path in every message.
    bool chooseDevice(int boxIndex, const QString& path);

    // Opens a device given by its path (qvx --port PATH). Shows nothing: every
    // later message names the port by this path, and when it will not open,
    // openFailure() tells why, the device's own message included.
    bool openPath(const QString& path);
    QString openFailure() const { return m_openFailure; }

    // The device the simulated board answers on; empty while it does not run.
    QString simDevice() const;
    // True while the simulated board runs and the link is open on it.
    bool simIsOpen() const;
    // The simulated board's servo outputs now (what its robot shows), while
    // it is the open port; nothing otherwise.
    std::optional<BigEndian::Words> simServoOutput() const;
    // Switches the simulated board off and on; it keeps its memory. Only while
    // it runs.
    void powerCycleSim();
    // Writes what the simulated board has not written to its state file yet.
    void flushSim();

  private:
    bool startSim();

    BoardLink& m_link;
    std::unique_ptr<SimPtyHost> m_simHost;
    QString m_simStatePath;
    QString m_openFailure;
};

} // namespace qvx
