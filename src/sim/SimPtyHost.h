#pragma once

#include "sim/BoardSimulator.h"

#include <QLockFile>
#include <QString>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

namespace qvx {

// Runs a simulated board behind a pseudo-terminal, on a thread of its own, so
// that any program (QSerialPort included) can open the slave side as a serial
// port. The main window's "SIM" port entry starts one in-process; `qvx sim`
// runs one until it is killed.
class SimPtyHost {
  public:
    struct Options {
        // When set, a symbolic link to the slave device is made here (replacing
        // an old link) and removed again when the host stops, unless it was
        // replaced meanwhile. A host already running on the path refuses the
        // start.
        QString linkPath;
        // When set, the board's stored memory is kept in this file.
        QString statePath;
        // Starts with a new board's memory instead of the file's, which it
        // replaces (a damaged file is otherwise refused and left as it is).
        bool freshState = false;
        // Sends and takes bytes no faster than 115200 bit/s (10 bits a byte).
        bool pace = false;
    };

    // Starts a host; null with a reason in error when it cannot.
    static std::unique_ptr<SimPtyHost> Start(const Options& options, QString* error);
    ~SimPtyHost();

    SimPtyHost(const SimPtyHost&) = delete;
    SimPtyHost& operator=(const SimPtyHost&) = delete;

    // The path to open: the link when one was asked for, else the slave device.
    QString devicePath() const { return m_link.isEmpty() ? m_slavePath : m_link; }
    QString slavePath() const { return m_slavePath; }

    // Runs f on the simulator while the host thread keeps off it.
    template <typename F> auto withSimulator(F&& f) {
        std::lock_guard<std::mutex> lock(m_mutex);
        return f(m_sim);
    }

    // Switches the board off and on again: it keeps its stored memory and
    // starts as at power-up (working copies from the stored ones, SVP mode
    // from bit 14 of the stored option word); answers and reports that had
    // not gone out yet are lost. The line stays open, as a serial adapter's
    // does when only the board loses power.
    void powerCycle();
    static QString PowerCycledText() {
        return QStringLiteral("The simulated board was switched off and on; it keeps its memory");
    }

    // Writes what the simulated board stored to its state file now (it is
    // otherwise written shortly after a change, on the host's own thread);
    // false when that fails.
    bool flushState() {
        return withSimulator([](BoardSimulator& sim) { return sim.flushState(); });
    }

    // Time of one byte on the wire, in nanoseconds.
    static constexpr qint64 kByteNs = QmxBoard::kByteNs;
    // Paced, bytes go to the master side in slices of at most this many, each
    // once its last byte would be completely on the wire.
    static constexpr int kSliceBytes = 16;

  private:
    SimPtyHost() = default;
    void run();

    BoardSimulator m_sim;
    std::mutex m_mutex;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    // Set by powerCycle(): the host thread drops the bytes still waiting.
    std::atomic<bool> m_dropOutput{false};
    int m_master = -1;
    int m_slave = -1;
    int m_wake[2] = {-1, -1};
    bool m_pace = false;
    QString m_slavePath;
    QString m_link;
    // Held while the link is ours (PATH.lock beside it).
    std::unique_ptr<QLockFile> m_linkLock;
};

} // namespace qvx
