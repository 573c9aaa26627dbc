#include "sim/SimPtyHost.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace qvx {

namespace {

using Clock = std::chrono::steady_clock;

void sleepUntil(Clock::time_point t) {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch());
    timespec ts{};
    ts.tv_sec = time_t(ns.count() / 1000000000LL);
    ts.tv_nsec = long(ns.count() % 1000000000LL);
    // steady_clock is CLOCK_MONOTONIC on Linux.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

QString errnoText(const char* what) {
    return QString::fromLatin1(what) + QStringLiteral(": ") +
           QString::fromLocal8Bit(strerror(errno));
}

} // namespace

std::unique_ptr<SimPtyHost> SimPtyHost::Start(const Options& options, QString* error) {
    std::unique_ptr<SimPtyHost> host(new SimPtyHost);
    host->m_pace = options.pace;
    if (!options.statePath.isEmpty() && !host->m_sim.attachStateFile(options.statePath)) {
        if (error) *error = QStringLiteral("cannot read the state file ") + options.statePath;
        return nullptr;
    }
    host->m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (host->m_master < 0 || grantpt(host->m_master) != 0 || unlockpt(host->m_master) != 0) {
        if (error) *error = errnoText("posix_openpt");
        return nullptr;
    }
    char name[256];
    if (ptsname_r(host->m_master, name, sizeof name) != 0) {
        if (error) *error = errnoText("ptsname");
        return nullptr;
    }
    host->m_slavePath = QString::fromLocal8Bit(name);
    // The host keeps the slave open itself: the line stays configured between
    // clients and the master never sees a hang-up while no client is there.
    host->m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (host->m_slave < 0) {
        if (error) *error = errnoText("open slave");
        return nullptr;
    }
    termios tio{};
    tcgetattr(host->m_slave, &tio);
    cfmakeraw(&tio);
    cfsetispeed(&tio, B115200);
    cfsetospeed(&tio, B115200);
    tcsetattr(host->m_slave, TCSANOW, &tio);
    fcntl(host->m_master, F_SETFL, fcntl(host->m_master, F_GETFL) | O_NONBLOCK);
    if (pipe(host->m_wake) != 0) {
        if (error) *error = errnoText("pipe");
        return nullptr;
    }
    if (!options.linkPath.isEmpty()) {
        const QFileInfo old(options.linkPath);
        if (old.isSymLink()) QFile::remove(options.linkPath);
        if (!QFile::link(host->m_slavePath, options.linkPath)) {
            if (error) *error = QStringLiteral("cannot make the link ") + options.linkPath;
            return nullptr;
        }
        host->m_link = options.linkPath;
    }
    host->m_thread = std::thread([h = host.get()] { h->run(); });
    return host;
}

SimPtyHost::~SimPtyHost() {
    m_stop = true;
    if (m_wake[1] >= 0) {
        const char c = 1;
        [[maybe_unused]] ssize_t n = ::write(m_wake[1], &c, 1);
    }
    if (m_thread.joinable()) m_thread.join();
    // The host thread has stopped: what the board stored since the last save
    // goes to the state file now.
    m_sim.flushState();
    for (int fd : {m_master, m_slave, m_wake[0], m_wake[1]})
        if (fd >= 0) ::close(fd);
    if (!m_link.isEmpty() && QFileInfo(m_link).isSymLink()) QFile::remove(m_link);
}

void SimPtyHost::run() {
    // Wake-ups as close to the byte times as the kernel allows.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    const auto byteTime = std::chrono::nanoseconds(kByteNs);
    const auto tick = std::chrono::milliseconds(BoardSimulator::kTickMs);
    struct Pending {
        Clock::time_point due;
        QByteArray bytes;
    };
    std::deque<Pending> out;
    Clock::time_point nextTick = Clock::now() + tick;
    Clock::time_point rxFree = Clock::now(), txFree = Clock::now();
    char buf[4096];

    auto enqueue = [&](Clock::time_point due, const QByteArray& bytes) {
        if (bytes.isEmpty()) return;
        auto it = out.begin();
        while (it != out.end() && it->due <= due)
            ++it;
        out.insert(it, {due, bytes});
    };
    // When the first byte of a chunk queued for `due` would be completely on
    // the wire (the line may still be busy with earlier bytes).
    auto firstByteAt = [&](Clock::time_point due) {
        return m_pace ? std::max(txFree, due) + byteTime : due;
    };
    auto send = [&](const QByteArray& bytes, Clock::time_point due) {
        if (!m_pace) {
            [[maybe_unused]] ssize_t n = ::write(m_master, bytes.constData(), size_t(bytes.size()));
            return;
        }
        // Each byte leaves when it would have been completely on the wire.
        qsizetype sent = 0;
        const Clock::time_point start = std::max(txFree, due);
        while (sent < bytes.size()) {
            const auto now = Clock::now();
            qsizetype ready = qsizetype((now - start) / byteTime);
            ready = std::min(ready, bytes.size());
            if (ready > sent) {
                [[maybe_unused]] ssize_t n =
                    ::write(m_master, bytes.constData() + sent, size_t(ready - sent));
                sent = ready;
            } else {
                sleepUntil(start + byteTime * (sent + 1));
            }
        }
        txFree = start + byteTime * bytes.size();
    };

    while (!m_stop) {
        auto now = Clock::now();
        Clock::time_point wakeAt = nextTick;
        if (!out.empty()) wakeAt = std::min(wakeAt, firstByteAt(out.front().due));
        const auto wait =
            std::max<std::chrono::nanoseconds>(std::chrono::nanoseconds(0), wakeAt - now);
        timespec ts{};
        ts.tv_sec = time_t(wait.count() / 1000000000LL);
        ts.tv_nsec = long(wait.count() % 1000000000LL);
        pollfd fds[2] = {{m_master, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        const int r = ppoll(fds, 2, &ts, nullptr);
        if (m_stop) break;
        if (r > 0 && (fds[0].revents & POLLIN)) {
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n > 0) {
                // Paced, the answer may start only when the request would have
                // arrived completely.
                Clock::time_point arrived = Clock::now();
                if (m_pace) {
                    rxFree = std::max(rxFree, arrived) + byteTime * n;
                    arrived = rxFree;
                }
                std::vector<BoardSimulator::Chunk> chunks;
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    chunks = m_sim.receive(QByteArray(buf, int(n)));
                }
                for (const auto& c : chunks)
                    enqueue(arrived + std::chrono::milliseconds(c.delayMs), c.bytes);
            }
        } else if (r > 0 && (fds[0].revents & (POLLHUP | POLLERR))) {
            sleepUntil(Clock::now() + std::chrono::milliseconds(1));
        }
        now = Clock::now();
        if (now >= nextTick) {
            int ms = 0;
            while (nextTick <= now) {
                nextTick += tick;
                ms += BoardSimulator::kTickMs;
            }
            QByteArray reports;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                reports = m_sim.advance(ms);
                m_sim.saveStateWhenDue();
            }
            enqueue(now, reports);
        }
        while (!out.empty() && firstByteAt(out.front().due) <= Clock::now()) {
            const Pending p = out.front();
            out.pop_front();
            send(p.bytes, p.due);
        }
    }
}

} // namespace qvx
