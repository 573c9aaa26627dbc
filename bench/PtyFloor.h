#pragma once

// The machine's own floor for the board link: how long a turn-around over a
// pseudo-terminal takes when nothing but two threads, poll() and write() are
// in the loop (no project code, no event loop). One thread stands for the
// editor, the other for the board: the editor sends one byte or a 54-byte
// frame, the board answers one byte, and the editor waits for the answer in
// plain poll().
//
// Hot, the board answers as soon as it has the request and the processors
// never rest. Paced, it holds each answer back until the request and the
// answer would have crossed a 115200 bit/s line (counted from when it has read
// the request, as the simulated board counts), sleeping until shortly before
// and then polling, as the simulated board does. Between the exchanges both
// threads sleep, as in a real transfer, so the paced floor holds the wake-ups
// of idle processors as well.

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace ptyfloor {

using Clock = std::chrono::steady_clock;

constexpr auto kByteTime = std::chrono::nanoseconds(10LL * 1000000000LL / 115200);

// Waits for and reads exactly n bytes; false when the other side went away.
inline bool readAll(int fd, unsigned char* buf, size_t n) {
    size_t got = 0;
    while (got < n) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 2000) <= 0) return false;
        const ssize_t r = read(fd, buf + got, n - got);
        if (r <= 0) return false;
        got += size_t(r);
    }
    return true;
}

inline void makeRaw(int fd) {
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
}

// Sleeps until shortly before `due`, then polls the clock up to it.
inline void holdUntil(Clock::time_point due) {
    const Clock::time_point wake = due - std::chrono::microseconds(200);
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wake.time_since_epoch());
    timespec ts{};
    ts.tv_sec = time_t(ns.count() / 1000000000LL);
    ts.tv_nsec = long(ns.count() % 1000000000LL);
    if (wake > Clock::now())
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) != 0) {
        }
    while (Clock::now() < due) {
    }
}

// The round trips, in microseconds, of `rounds` requests of `requestBytes`
// each answered by one byte; paced, less the wire time of the request and
// the answer. Empty when no pseudo-terminal could be made.
inline std::vector<double> pingPong(size_t requestBytes, int rounds, bool paced) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return {};
    const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    if (slave < 0) return {};
    makeRaw(master);
    makeRaw(slave);
    const auto wire = paced ? kByteTime * int(requestBytes + 1) : std::chrono::nanoseconds(0);
    std::thread board([slave, requestBytes, rounds, paced, wire] {
        std::vector<unsigned char> buf(requestBytes);
        const unsigned char ack = 0x06;
        for (int i = 0; i < rounds; ++i) {
            if (!readAll(slave, buf.data(), requestBytes)) return;
            if (paced) holdUntil(Clock::now() + wire);
            if (write(slave, &ack, 1) != 1) return;
        }
    });
    std::vector<unsigned char> request(requestBytes, 0x55);
    std::vector<double> us;
    us.reserve(size_t(rounds));
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        if (write(master, request.data(), requestBytes) != ssize_t(requestBytes)) break;
        unsigned char answer = 0;
        if (!readAll(master, &answer, 1)) break;
        us.push_back(
            std::chrono::duration<double, std::micro>(Clock::now() - start - wire).count());
    }
    board.join();
    close(slave);
    close(master);
    return us;
}

// The floor of a paced write of `records` records: for each, an attention
// byte and a 54-byte frame, each answered by one byte. Milliseconds beyond
// the wire time, or -1 without a pseudo-terminal.
inline double pacedWriteFloorMs(int records) {
    double ms = 0;
    for (const size_t bytes : {size_t(1), size_t(54)}) {
        const std::vector<double> us = pingPong(bytes, records, true);
        if (int(us.size()) != records) return -1;
        for (double u : us)
            ms += u / 1000;
    }
    return ms;
}

// Threads that keep the processors busy while they live, for the rows
// measured on a loaded machine.
class BusyThreads {
  public:
    explicit BusyThreads(int n) {
        for (int i = 0; i < n; ++i)
            m_threads.emplace_back([this] {
                while (!m_stop.load(std::memory_order_relaxed)) {
                }
            });
    }
    ~BusyThreads() {
        m_stop = true;
        for (std::thread& t : m_threads)
            t.join();
    }

  private:
    std::atomic<bool> m_stop{false};
    std::vector<std::thread> m_threads;
};

} // namespace ptyfloor
