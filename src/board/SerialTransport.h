#pragma once

#include "board/BoardTransport.h"

#include <QSerialPort>

namespace qvx {

// The real board link: a serial device (USB adapter, pseudo-terminal) at
// 115200 bit/s, 8 data bits, no parity, 1 stop bit, no flow control.
class SerialTransport : public BoardTransport {
    Q_OBJECT
  public:
    explicit SerialTransport(const QString& devicePath, QObject* parent = nullptr);
    ~SerialTransport() override;

    bool open(QString* error) override;
    bool openDenied() const override { return m_openDenied; }
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    QIODevice* device() override { return m_port.isOpen() ? &m_port : nullptr; }
    void discardInput() override;
    void pulseDtr() override;
    void drainOutput() override;
    void sendNow() override;
    void send(const QByteArray& bytes) override;
    bool awaitBytes(int n, Clock::time_point until) override;

    const QString& devicePath() const { return m_path; }
    QString deviceName() const override { return m_path; }

    // Why a device could not be opened, found by looking at what lies at its path.
    enum class OpenProblem {
        Missing,      // nothing there (or a link to nothing)
        Directory,
        RegularFile,
        NotADevice,   // a pipe, a socket
        NoPermission, // this user may not read and write it
        Other,        // a device that refused for another reason
    };
    static OpenProblem Diagnose(const QString& path);
    // The problem in words for the user. "PATH does not exist" only when
    // nothing is there; detail is the system's own message for Other.
    static QString OpenFailureText(const QString& path, OpenProblem problem, const QString& detail = {});

  private:
    bool m_openDenied = false;
    void onError(QSerialPort::SerialPortError error);
    // Line control on a pseudo-terminal is refused with UnsupportedOperationError;
    // the error stays set until cleared, so clear it and go on.
    void forgiveUnsupported();

    QString m_path;
    QSerialPort m_port;
    bool m_lostReported = false;
};

} // namespace qvx
