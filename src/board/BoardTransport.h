#pragma once

#include <QIODevice>
#include <QObject>
#include <QString>

#include <chrono>

namespace qvx {

// The byte pipe to the board. The command layer only sees a QIODevice and these
// few operations, so the same code drives a serial port, a pseudo-terminal or an
// in-memory simulated board.
class BoardTransport : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    ~BoardTransport() override = default;

    // Opens the device; on failure returns false and describes why in error.
    virtual bool open(QString* error) = 0;
    // True after a failed open() that the system refused for lack of
    // permission (the user may not use the device).
    virtual bool openDenied() const { return false; }
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The open device; null while closed.
    virtual QIODevice* device() = 0;
    // The device the user would recognise (a path such as /dev/ttyUSB0), or
    // empty when there is none to name.
    virtual QString deviceName() const { return {}; }
    // Drops every byte received so far, in the driver and in the device's buffer.
    virtual void discardInput() = 0;
    // Pulses DTR (set, then clear) after opening; devices without the line ignore it.
    virtual void pulseDtr() {}
    // Waits until queued bytes have left (bounded); devices without a queue return at once.
    virtual void drainOutput() {}
    // Hands what was written to the driver now instead of on the next turn of the
    // event loop; devices that pass writes on at once ignore it.
    virtual void sendNow() {}
    // Writes bytes and hands them to the driver at once.
    virtual void send(const QByteArray& bytes) {
        device()->write(bytes);
        sendNow();
    }
    // Waits in the system, without turning the event loop, until at least n
    // bytes can be read or `until` has passed; true when they can. For the
    // last moments before an answer is due: the way through the event loop
    // (socket notifier, port buffer, signals) wakes later. Devices that
    // cannot wait so return false at once.
    using Clock = std::chrono::steady_clock;
    virtual bool awaitBytes(int n, Clock::time_point until) {
        Q_UNUSED(n);
        Q_UNUSED(until);
        return false;
    }

  signals:
    // The device went away or failed for good (unplugged adapter, closed pseudo-terminal).
    void lost(const QString& reason);
};

} // namespace qvx
