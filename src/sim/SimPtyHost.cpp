#include "sim/SimPtyHost.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>

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

// How long before a paced write the host stops sleeping and polls instead.
constexpr std::chrono::microseconds kPunctualWindow{200};

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
    QString why;
    if (!options.statePath.isEmpty() &&
        !host->m_sim.attachStateFile(options.statePath, &why, options.freshState)) {
        if (error)
            *error = QStringLiteral("cannot use the state file ") + options.statePath +
                     QStringLiteral(": ") + why + QStringLiteral(". It was left as it is.");
        return nullptr;
    }
    // Close-on-exec everywhere: a program started meanwhile (a qvx verb
    // started by a test, a tool started by the editor) would otherwise keep
    // the master open, and the device would never go away for its clients.
    host->m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
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
    host->m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
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
    if (pipe2(host->m_wake, O_CLOEXEC) != 0) {
        if (error) *error = errnoText("pipe");
        return nullptr;
    }
    if (!options.linkPath.isEmpty()) {
        // One simulated board a link: a second one on the same path would
        // take the link away from the first, under its users' feet. The lock
        // beside the link names its owner; one left by a process that died
        // is taken over.
        auto lock = std::make_unique<QLockFile>(options.linkPath + QStringLiteral(".lock"));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) {
            qint64 pid = 0;
            QString hostName, appName;
            if (error)
                *error = lock->getLockInfo(&pid, &hostName, &appName)
                             ? QStringLiteral("%1 is in use by another simulated board "
                                              "(process %2, %3)")
                                   .arg(options.linkPath)
                                   .arg(pid)
                                   .arg(appName)
                             : QStringLiteral("cannot lock %1").arg(lock->fileName());
            return nullptr;
        }
        host->m_linkLock = std::move(lock);
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
    // Only the link this host made goes: one replaced since belongs to
    // someone else.
    const QFileInfo link(m_link);
    if (!m_link.isEmpty() && link.isSymLink() && link.symLinkTarget() == m_slavePath)
        QFile::remove(m_link);
}

void SimPtyHost::powerCycle() {
    withSimulator([this](BoardSimulator& sim) {
        sim.powerOn();
        m_dropOutput = true;
    });
    const char c = 1;
    [[maybe_unused]] ssize_t n = ::write(m_wake[1], &c, 1);
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
    // Chunks waiting for the line, in the order they go out. Paced, the front
    // one may be partly sent already (`sent` bytes of it); it occupies the line
    // from `lineStart` on.
    std::deque<Pending> out;
    qsizetype sent = 0;
    Clock::time_point lineStart;
    Clock::time_point nextTick = Clock::now() + tick;
    Clock::time_point rxFree = Clock::now(), txFree = Clock::now();
    char buf[4096];

    auto enqueue = [&](Clock::time_point due, const QByteArray& bytes) {
        if (bytes.isEmpty()) return;
        // The front chunk keeps its place once it has started.
        auto it = out.begin();
        if (sent > 0 && it != out.end()) ++it;
        while (it != out.end() && it->due <= due)
            ++it;
        out.insert(it, {due, bytes});
    };
    // When the next write to the master is due: unpaced, when the front chunk
    // is due; paced, when the last byte of the front chunk's next slice would
    // be completely on the wire. Bytes are written in slices rather than one
    // by one: each write wakes the reader on the other side, and a byte that
    // arrives a little after its time is still no faster than the wire.
    auto nextWrite = [&]() -> std::pair<Clock::time_point, qsizetype> {
        const Pending& p = out.front();
        if (!m_pace) return {p.due, p.bytes.size()};
        const Clock::time_point start = sent > 0 ? lineStart : std::max(txFree, p.due);
        const qsizetype upTo = std::min(p.bytes.size(), sent + kSliceBytes);
        return {start + byteTime * upTo, upTo};
    };
    auto writeDue = [&](Clock::time_point now) {
        while (!out.empty()) {
            const auto [at, upTo] = nextWrite();
            if (at > now) return;
            Pending& p = out.front();
            if (m_pace && sent == 0) lineStart = std::max(txFree, p.due);
            [[maybe_unused]] ssize_t n =
                ::write(m_master, p.bytes.constData() + sent, size_t(upTo - sent));
            sent = upTo;
            if (sent < p.bytes.size()) continue;
            if (m_pace) txFree = lineStart + byteTime * p.bytes.size();
            out.pop_front();
            sent = 0;
        }
    };

    while (!m_stop) {
        Clock::time_point wakeAt = nextTick;
        // Paced, the host wakes a little before bytes are due and polls
        // without sleeping up to their time: a timed wake-up comes back tens
        // of microseconds late on a busy or virtual machine, and a board's
        // UART is never late.
        if (!out.empty())
            wakeAt = std::min(wakeAt, nextWrite().first - (m_pace ? kPunctualWindow
                                                                  : std::chrono::microseconds(0)));
        const auto wait =
            std::max<std::chrono::nanoseconds>(std::chrono::nanoseconds(0), wakeAt - Clock::now());
        timespec ts{};
        ts.tv_sec = time_t(wait.count() / 1000000000LL);
        ts.tv_nsec = long(wait.count() % 1000000000LL);
        pollfd fds[2] = {{m_master, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        const int r = ppoll(fds, 2, &ts, nullptr);
        if (m_stop) break;
        if (r > 0 && (fds[1].revents & POLLIN)) {
            [[maybe_unused]] ssize_t n = ::read(m_wake[0], buf, sizeof buf);
        }
        if (m_dropOutput.exchange(false)) {
            out.clear();
            sent = 0;
        }
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
        // Bytes that are due go out before the clock tick's work is done.
        writeDue(Clock::now());
        const Clock::time_point now = Clock::now();
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
            writeDue(Clock::now());
        }
    }
}

} // namespace qvx
