#pragma once

#include "sim/BoardSimulator.h"

#include <QString>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace qvx {

// The simulated board's stored memory as a file: a fixed-size image, written
// whole and read back whole, so a simulated board keeps its memory across runs.
class SimStateFile {
  public:
    // Replaces the file in one step (a new file is written, synced and renamed
    // over the old one): a reader sees the old image or the new one, never a
    // half-written file.
    static bool Write(const QString& path, const BoardSimulator::Stored& stored);
    // Replaces `stored` only when the file reads as a complete state file
    // whose checksum matches; otherwise false, with the reason in `error`.
    static bool Read(const QString& path, BoardSimulator::Stored& stored, QString* error = nullptr);
};

// Writes the state file on a thread of its own, so that no answer of the
// simulated board waits for the disk. Only the newest copy handed over is
// written: copies that a newer one replaced before their turn are dropped. A
// write that fails is tried again a second later, unless a newer copy comes.
class SimStateWriter {
  public:
    explicit SimStateWriter(const QString& path);
    // Writes the copy still waiting, if any, then stops.
    ~SimStateWriter();

    SimStateWriter(const SimStateWriter&) = delete;
    SimStateWriter& operator=(const SimStateWriter&) = delete;

    void post(const BoardSimulator::Stored& stored);
    // Waits until the newest copy handed over is written; false when that
    // write failed. A copy waiting to be tried again is tried at once.
    bool flush();
    const QString& path() const { return m_path; }

    static constexpr std::chrono::milliseconds kRetryDelay{1000};

  private:
    void run();

    const QString m_path;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::optional<BoardSimulator::Stored> m_pending;
    std::optional<BoardSimulator::Stored> m_retry;
    std::chrono::steady_clock::time_point m_retryAt;
    bool m_writing = false;
    bool m_lastOk = true;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace qvx
