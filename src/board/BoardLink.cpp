#include "board/BoardLink.h"

#include "base/Services.h"
#include "board/SerialTransport.h"

#include <QEventLoop>
#include <QIODevice>
#include <QTimer>

#include <algorithm>
#include <chrono>

namespace qvx {

Q_LOGGING_CATEGORY(lcLink, "qvx.link", QtWarningMsg)

namespace {

QByteArray hex(const QByteArray& bytes) {
    return bytes.toHex(' ').toUpper();
}

} // namespace

BoardLink::BoardLink(QObject* parent) : QObject(parent) {}

BoardLink::~BoardLink() {
    closeNow();
}

QString BoardLink::PortLabel(int index) {
    if (index == kSimPortIndex) return QStringLiteral("SIM");
    return QStringLiteral("COM") + QString::number(index);
}

QString BoardLink::portName() const {
    if (!m_portName.isEmpty()) return m_portName;
    const QString label = PortLabel(m_portNumber > 0 ? m_portNumber : m_openedIndex);
    if (m_deviceName.isEmpty() || m_openedIndex == kSimPortIndex) return label;
    return label + QStringLiteral(" (") + m_deviceName + QLatin1Char(')');
}

QString BoardLink::failureWith(const QString& what) const {
    if (m_lastFailure.isEmpty()) return what;
    return what + QStringLiteral(": ") + m_lastFailure;
}

bool BoardLink::OpenCommPort(int index, const QString& device) {
    // A port box choice is named by the box.
    if (!m_inExchange) m_portName.clear();
    if (index <= 0) {
        if (m_inExchange) return false;
        closeNow();
        if (m_services) m_services->ShowStatus(tr("Close"));
        return true;
    }
    return OpenTransport(index, std::make_unique<SerialTransport>(device));
}

bool BoardLink::OpenTransport(int index, std::unique_ptr<BoardTransport> transport,
                              OpenNotice notice) {
    Services* const services = notice == OpenNotice::Status ? m_services : nullptr;
    // Replacing the device under a waiting exchange would pull it away from
    // under the exchange's feet; the choice is refused until it has ended.
    if (m_inExchange) return false;
    m_framer.clear();
    m_wireBytes = 0;
    closeNow();
    m_portNumber = index;
    receiveTimeoutMs = m_normalTimeoutMs;
    const QString label = m_portName.isEmpty() ? PortLabel(index) : m_portName;
    QString error;
    if (!transport || !transport->open(&error)) {
        m_portNumber = 0;
        qCDebug(lcLink) << "opening" << label << (transport ? transport->deviceName() : QString())
                        << "failed:" << error;
        // A device this user may not use is named as such, with the remedy,
        // in place of the usual text.
        if (services)
            services->ShowStatus(transport && transport->openDenied()
                                     ? PermissionText(label)
                                     : tr("%1 does not exist").arg(label));
        return false;
    }
    m_transport = std::move(transport);
    m_device = m_transport->device();
    m_deviceName = m_transport->deviceName();
    m_openedIndex = index;
    m_lostReason.clear();
    m_lastFailure.clear();
    connect(m_device, &QIODevice::readyRead, this, &BoardLink::CommX1Receive);
    connect(m_transport.get(), &BoardTransport::lost, this, &BoardLink::onTransportLost);
    m_transport->pulseDtr();
    m_transport->discardInput();
    m_transport->drainOutput();
    qCDebug(lcLink) << "opened" << label << m_deviceName;
    if (services) services->ShowStatus(tr("%1 completion").arg(label));
    emit portOpened();
    return true;
}

QString BoardLink::PermissionText(const QString& label) {
    return tr("%1: permission denied. Add your user to the dialout group "
              "(sudo adduser $USER dialout) and log in again.")
        .arg(label);
}

void BoardLink::ClosePort() {
    if (m_inExchange) {
        m_closePending = true;
        return;
    }
    closeNow();
}

void BoardLink::closeNow() {
    m_closePending = false;
    if (!m_transport) return;
    if (m_device) disconnect(m_device, nullptr, this, nullptr);
    disconnect(m_transport.get(), nullptr, this, nullptr);
    m_transport->close();
    m_transport.reset();
    m_device = nullptr;
    m_portNumber = 0;
}

void BoardLink::onTransportLost(const QString& reason) {
    // Reported once; whatever the dying device raises afterwards is ignored.
    if (!m_transport || !m_lostReason.isEmpty()) return;
    const QString label = portName();
    m_lostReason = reason;
    m_lastFailure = DisconnectedText(label);
    qCDebug(lcLink) << label << "lost:" << reason;
    // A waiting exchange sees the lost device and fails; the port is closed when
    // it has returned.
    ClosePort();
    if (m_services) m_services->ShowStatus(DisconnectedText(label));
    emit portLost(reason);
}

void BoardLink::setTimeouts(int normalMs, int servoMs) {
    m_normalTimeoutMs = normalMs;
    m_servoTimeoutMs = servoMs;
    receiveTimeoutMs = normalMs;
}

void BoardLink::AppendSum(QByteArray& frame) {
    quint8 sum = 0;
    for (char c : frame)
        sum = quint8(sum + quint8(c));
    frame.append(char(sum));
}

bool BoardLink::CheckAnswerSum(QByteArray& answer) {
    if (answer.size() < 2) return false;
    const char last = answer.back();
    answer.chop(1);
    AppendSum(answer);
    return answer.back() == last;
}

bool BoardLink::RefuseWhileBusy() {
    if (!busy()) return false;
    if (m_services) m_services->ShowStatus(BusyText());
    return true;
}

void BoardLink::beginBusy() {
    if (m_busyDepth++ == 0 && m_services) m_services->SetBusy(true);
}

void BoardLink::endBusy() {
    if (m_busyDepth > 0 && --m_busyDepth == 0 && m_services) m_services->SetBusy(false);
}

namespace {

// The event loop's wait ends this long before an answer is due (its timers
// have whole milliseconds and wake late on a busy machine); from then on the
// transport waits for the bytes itself.
constexpr auto kLoopEndsAhead = std::chrono::microseconds(1000);
// How long past its due time the transport waits for an answer before the
// event loop takes over again (an adapter may hold bytes back for
// milliseconds). The window takes no events meanwhile, for two milliseconds
// at most.
constexpr auto kAwaitGrace = std::chrono::microseconds(1000);

// When n bytes sent from `from` on are completely through the wire.
BoardTransport::Clock::time_point throughWire(BoardTransport::Clock::time_point from, qsizetype n) {
    return from + std::chrono::nanoseconds(QmxBoard::kByteNs * n);
}

} // namespace

bool BoardLink::waitInLoop(int n, Clock::time_point until) {
    if (!m_device) return false;
    if (m_device->bytesAvailable() >= n) return true;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
    if (left.count() <= 0) return false;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QIODevice* dev = m_device;
    connect(dev, &QIODevice::readyRead, &loop, [&] {
        if (dev->bytesAvailable() >= n) loop.quit();
    });
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(m_transport.get(), &BoardTransport::lost, &loop, &QEventLoop::quit);
    connect(dev, &QObject::destroyed, &loop, &QEventLoop::quit);
    timer.start(left);
    loop.exec();
    return deviceLive() && m_device->bytesAvailable() >= n;
}

bool BoardLink::waitForBytes(int n, Clock::time_point due) {
    if (!m_device) return false;
    if (m_device->bytesAvailable() >= n) return true;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(receiveTimeoutMs);
    const Clock::time_point loopUntil = std::min(due - kLoopEndsAhead, deadline);
    if (loopUntil - Clock::now() >= std::chrono::milliseconds(1) && waitInLoop(n, loopUntil))
        return true;
    if (!deviceLive()) return false;
    if (m_transport->awaitBytes(n, std::min(due + kAwaitGrace, deadline))) return deviceLive();
    if (!deviceLive()) return false;
    return waitInLoop(n, deadline);
}

QByteArray BoardLink::Transact(const QByteArray& frame, int expectedLength) {
    // One exchange at a time: a command started while another waits (from a
    // click handled by the waiting loop) fails without touching the port.
    if (m_inExchange) {
        m_lastFailure = tr("another command was still waiting for the board");
        return {};
    }
    if (!m_lostReason.isEmpty()) {
        m_lastFailure = DisconnectedText(portName());
        return {};
    }
    if (!isOpen()) {
        m_lastFailure = tr("no port is open");
        return {};
    }
    m_lastFailure.clear();
    m_inExchange = true;
    // Bytes that came in before this exchange are the board's own reports.
    if (m_device->bytesAvailable() > 0) {
        const QByteArray early = m_device->readAll();
        qCDebug(lcLink) << "report bytes before the exchange:" << hex(early);
        m_framer.append(early);
    }

    QByteArray answer;
    int attempts = AttemptCount;
    for (int attempt = 1;; ++attempt) {
        answer.clear();
        m_transport->discardInput();
        const Clock::time_point attentionSent = Clock::now();
        m_transport->send(QByteArray(1, char(kAttention)));
        if (!waitForBytes(1, throughWire(attentionSent, 2))) {
            m_lastFailure = !m_lostReason.isEmpty()
                                ? DisconnectedText(portName())
                                : tr("the board did not answer (no reply to the attention "
                                     "byte within %1 ms on %2)")
                                      .arg(receiveTimeoutMs)
                                      .arg(portName());
            qCDebug(lcLink) << "no answer to the attention byte within" << receiveTimeoutMs
                            << "ms; frame not sent:" << hex(frame);
            break;
        }
        m_device->read(1);
        m_wireBytes += 2 + quint64(frame.size());
        m_transport->discardInput();
        const Clock::time_point frameSent = Clock::now();
        m_transport->send(frame);
        qCDebug(lcLink) << "sent" << hex(frame) << "attempt" << attempt << "expecting"
                        << expectedLength << "bytes";
        if (expectedLength <= 0) break;
        if (waitForBytes(expectedLength, throughWire(frameSent, frame.size() + expectedLength))) {
            answer = m_device->read(expectedLength);
            m_wireBytes += quint64(answer.size());
            qCDebug(lcLink) << "answer" << hex(answer);
        } else if (!m_lostReason.isEmpty() || !m_device) {
            m_lastFailure = DisconnectedText(portName());
        } else {
            m_lastFailure = tr("the board's answer was incomplete (%1 of %2 bytes "
                               "within %3 ms)")
                                .arg(m_device->bytesAvailable())
                                .arg(expectedLength)
                                .arg(receiveTimeoutMs);
            // Only counted: looking at the bytes would disturb the device's buffer.
            qCDebug(lcLink) << "time-out after" << receiveTimeoutMs << "ms with"
                            << m_device->bytesAvailable() << "of" << expectedLength << "bytes";
        }
        --attempts;
        if (!answer.isEmpty()) m_lastFailure.clear();
        if (attempts < 1 || !answer.isEmpty()) break;
        qCDebug(lcLink) << "short answer; retrying," << attempts << "attempts left";
    }

    m_inExchange = false;
    if (m_closePending) {
        closeNow();
    } else if (m_framer.hasReport() || (m_device && m_device->bytesAvailable() > 0)) {
        // A report that came in before or right behind the answer is handed on
        // now, not when the board next sends something: the next command of a
        // flow may follow at once and hold the line for a long time.
        scheduleReceive();
    }
    return answer;
}

void BoardLink::scheduleReceive() {
    if (m_receiveQueued) return;
    m_receiveQueued = true;
    QMetaObject::invokeMethod(this, &BoardLink::CommX1Receive, Qt::QueuedConnection);
}

void BoardLink::CommX1Receive() {
    m_receiveQueued = false;
    if (!m_device) return;
    // While an exchange waits, its answer is arriving on the device: leave the
    // device alone, but a report already framed is handed on all the same.
    if (!m_inExchange) {
        const QByteArray bytes = m_device->readAll();
        if (!bytes.isEmpty()) qCDebug(lcLink) << "received outside an exchange:" << hex(bytes);
        m_framer.append(bytes);
    }
    const QByteArray report = m_framer.takeReport();
    if (!report.isEmpty()) qCDebug(lcLink) << "report" << hex(report);
    // A second complete report gets a receive event of its own rather than
    // waiting for the board's next bytes, which may never come.
    if (m_framer.hasReport()) scheduleReceive();
    if (!report.isEmpty()) emit reportReceived(report);
}

} // namespace qvx
