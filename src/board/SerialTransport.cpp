#include "board/SerialTransport.h"

#include <QElapsedTimer>
#include <QFile>

#include <cerrno>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qvx {

SerialTransport::SerialTransport(const QString& devicePath, QObject* parent)
    : BoardTransport(parent), m_path(devicePath) {
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialTransport::onError);
}

SerialTransport::~SerialTransport() {
    close();
}

bool SerialTransport::open(QString* error) {
    if (m_port.isOpen()) {
        if (error) *error = tr("already open");
        return false;
    }
    m_lostReported = false;
    m_openDenied = false;
    m_port.setPortName(m_path);
    m_port.setBaudRate(QSerialPort::Baud115200);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    m_port.setReadBufferSize(0);
    if (!m_port.open(QIODevice::ReadWrite)) {
        if (error) *error = m_port.errorString();
        m_openDenied = m_port.error() == QSerialPort::PermissionError &&
                       Diagnose(m_path) == OpenProblem::NoPermission;
        m_port.clearError();
        return false;
    }
    // Settings applied after the open can also be refused.
    const bool ok =
        m_port.setBaudRate(QSerialPort::Baud115200) && m_port.setDataBits(QSerialPort::Data8) &&
        m_port.setParity(QSerialPort::NoParity) && m_port.setStopBits(QSerialPort::OneStop) &&
        m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!ok) {
        if (error) *error = m_port.errorString();
        m_port.clearError();
        m_port.close();
        return false;
    }
    m_port.setDataTerminalReady(true);
    m_port.setRequestToSend(true);
    forgiveUnsupported();
    m_port.clear(QSerialPort::AllDirections);
    return true;
}

SerialTransport::OpenProblem SerialTransport::Diagnose(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0)
        return errno == EACCES ? OpenProblem::NoPermission : OpenProblem::Missing;
    if (S_ISDIR(st.st_mode)) return OpenProblem::Directory;
    if (S_ISREG(st.st_mode)) return OpenProblem::RegularFile;
    if (!S_ISCHR(st.st_mode)) return OpenProblem::NotADevice;
    if (::access(native.constData(), R_OK | W_OK) != 0 && errno == EACCES) return OpenProblem::NoPermission;
    return OpenProblem::Other;
}

QString SerialTransport::OpenFailureText(const QString& path, OpenProblem problem, const QString& detail) {
    switch (problem) {
    case OpenProblem::Missing:
        return tr("%1 does not exist").arg(path);
    case OpenProblem::Directory:
        return tr("%1 is a directory, not a serial device").arg(path);
    case OpenProblem::RegularFile:
        return tr("%1 is a regular file, not a serial device").arg(path);
    case OpenProblem::NotADevice:
        return tr("%1 is not a serial device").arg(path);
    case OpenProblem::NoPermission:
        return tr("%1 cannot be opened: permission denied (your user needs read and write "
                  "access to the device; on Debian, membership of the dialout group)")
            .arg(path);
    case OpenProblem::Other:
        break;
    }
    QString text = tr("%1 cannot be opened as a serial device").arg(path);
    if (!detail.isEmpty()) text += QStringLiteral(": ") + detail;
    return text;
}

void SerialTransport::close() {
    if (!m_port.isOpen()) return;
    m_port.setDataTerminalReady(false);
    m_port.setRequestToSend(false);
    forgiveUnsupported();
    m_port.clear(QSerialPort::AllDirections);
    m_port.close();
    m_port.clearError();
}

void SerialTransport::discardInput() {
    if (!m_port.isOpen()) return;
    m_port.clear(QSerialPort::Input);
    m_port.readAll();
    forgiveUnsupported();
}

void SerialTransport::pulseDtr() {
    if (!m_port.isOpen()) return;
    m_port.setDataTerminalReady(true);
    m_port.setDataTerminalReady(false);
    forgiveUnsupported();
}

void SerialTransport::drainOutput() {
    if (!m_port.isOpen()) return;
    QElapsedTimer t;
    t.start();
    while (m_port.bytesToWrite() > 0 && t.elapsed() < 3000)
        if (!m_port.waitForBytesWritten(3000 - int(t.elapsed()))) break;
    forgiveUnsupported();
}

void SerialTransport::sendNow() {
    // Without this a write waits in the port's buffer until the event loop sees
    // the device writable: one more turn of the loop before each frame leaves.
    if (m_port.isOpen()) m_port.flush();
}

void SerialTransport::send(const QByteArray& bytes) {
    if (!m_port.isOpen()) return;
    // Written straight to the device when nothing waits in the port's own
    // buffer: the way through the buffer and flush() wakes the event loop's
    // notifiers and costs tens of microseconds a frame. What the device does
    // not take at once, and every failure, goes the port's own way, which
    // reports errors.
    qsizetype done = 0;
    if (m_port.bytesToWrite() == 0) {
        const int fd = m_port.handle();
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (n > 0)
                done += n;
            else if (n < 0 && errno == EINTR)
                continue;
            else
                break;
        }
    }
    if (done == bytes.size()) return;
    m_port.write(bytes.constData() + done, bytes.size() - done);
    m_port.flush();
}

bool SerialTransport::awaitBytes(int n, Clock::time_point until) {
    while (m_port.isOpen() && m_port.bytesAvailable() < n) {
        const Clock::time_point now = Clock::now();
        if (now >= until) return false;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(until - now);
        timespec timeout{};
        timeout.tv_sec = time_t(ns.count() / 1000000000LL);
        timeout.tv_nsec = long(ns.count() % 1000000000LL);
        pollfd p{m_port.handle(), POLLIN, 0};
        const int r = ::ppoll(&p, 1, &timeout, nullptr);
        if (r < 0 && errno != EINTR) return false;
        if (r <= 0) continue;
        // A device that failed or hung up is left to the port's own
        // notifiers, which report it.
        if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) return false;
        // Moves what came in to the port's buffer.
        if (!m_port.waitForReadyRead(0)) return false;
    }
    return m_port.isOpen();
}

void SerialTransport::forgiveUnsupported() {
    if (m_port.error() == QSerialPort::UnsupportedOperationError) m_port.clearError();
}

void SerialTransport::onError(QSerialPort::SerialPortError error) {
    // A pulled adapter shows as a resource error; a pseudo-terminal whose other
    // side has gone fails every read (and would do so endlessly).
    if (error == QSerialPort::ResourceError || error == QSerialPort::PermissionError ||
        error == QSerialPort::ReadError) {
        // The device is gone: report it once, and let the owner close the port
        // later, outside this handler, so no further error is raised from here.
        if (m_lostReported) return;
        m_lostReported = true;
        const QString reason = m_port.errorString();
        QMetaObject::invokeMethod(
            this, [this, reason] { emit lost(reason); }, Qt::QueuedConnection);
    }
}

} // namespace qvx
