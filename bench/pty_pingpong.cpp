// The machine's own floor for the board link: how long a turn-around over a
// pseudo-terminal takes when nothing but two threads, poll() and write() are
// in the loop (no project code, no event loop, no pacing). One thread stands
// for the editor, the other for the board: the editor sends one byte or a
// 54-byte frame, the board answers one byte as soon as it has it all, and the
// editor waits for the answer. The 30-record write makes 60 such turn-arounds
// (attention byte and answer, frame and acknowledge), so 60 times the floor
// is what any program on this machine loses beside the 148 ms on the wire;
// bench_board_link prints ours.
//
// Hot, the two threads answer each other at once and the processors never
// rest. Paced, the board holds each answer back until the request and the
// answer would have crossed a 115200 bit/s line (counted from when it has read
// the request, as the simulated board counts), sleeping until shortly before
// and then polling, as the simulated board does; the editor waits in plain
// poll(). Between the exchanges both threads sleep, as in a real transfer, so
// the paced floor holds the wake-ups of idle processors as well.
#include "Median.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <stdlib.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Waits for and reads exactly n bytes; false when the other side went away.
bool readAll(int fd, unsigned char* buf, size_t n) {
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

void makeRaw(int fd) {
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
}

constexpr auto kByteTime = std::chrono::nanoseconds(10LL * 1000000000LL / 115200);

// Sleeps until shortly before `due`, then polls the clock up to it.
void holdUntil(Clock::time_point due) {
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

// Median and 90th percentile of the round trips, in microseconds, of
// `rounds` requests of `requestBytes` each answered by one byte; paced, less
// the wire time of the request and the answer.
std::pair<double, double> pingPong(size_t requestBytes, int rounds, bool paced) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return {-1, -1};
    const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    if (slave < 0) return {-1, -1};
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
    if (us.empty()) return {-1, -1};
    std::sort(us.begin(), us.end());
    return {median(us), us[us.size() * 9 / 10]};
}

} // namespace

int main() {
    for (const bool paced : {false, true}) {
        const int rounds = paced ? 600 : 4000;
        const auto [byteMedian, byteP90] = pingPong(1, rounds, paced);
        const auto [frameMedian, frameP90] = pingPong(54, rounds / 2, paced);
        if (byteMedian < 0 || frameMedian < 0) {
            std::fprintf(stderr, "no pseudo-terminal\n");
            return 1;
        }
        const char* how = paced ? "paced" : "hot";
        std::printf("pseudo-terminal turn-around, two threads and poll(), %s%s: 1 byte median "
                    "%.1f us (p90 %.1f), 54-byte frame median %.1f us (p90 %.1f)\n",
                    how, paced ? " (beyond the wire time)" : "", byteMedian, byteP90, frameMedian,
                    frameP90);
        // The 30-record write: 30 attention bytes and 30 frames, each answered.
        constexpr double kWireMs = 148.4;
        const double floorMs = 30 * (byteMedian + frameMedian) / 1000;
        std::printf("  30-record write, %s: the machine's floor is %.1f ms of turn-arounds beside "
                    "%.1f ms on the wire, ratio %.3f (goal for ours: overhead <= 1.1 x this "
                    "floor, ratio <= %.3f)\n",
                    how, floorMs, kWireMs, (kWireMs + floorMs) / kWireMs,
                    (kWireMs + 1.1 * floorMs) / kWireMs);
    }
    return 0;
}
