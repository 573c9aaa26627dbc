#include "sim/SimTransport.h"

#include "sim/BoardSimulator.h"

#include <QIODevice>
#include <QTimer>

namespace qvx {

// The device the command layer sees: reads come from the bytes the simulator
// sent, writes go to the simulator.
class SimDevice : public QIODevice {
  public:
    explicit SimDevice(SimTransport& owner) : m_owner(owner) {}

    qint64 bytesAvailable() const override { return m_in.size() + QIODevice::bytesAvailable(); }
    bool isSequential() const override { return true; }

    void push(const QByteArray& bytes) {
        m_in.append(bytes);
        emit readyRead();
    }
    void discard() { m_in.clear(); }

  protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 n = qMin<qint64>(maxSize, m_in.size());
        memcpy(data, m_in.constData(), size_t(n));
        m_in.remove(0, n);
        return n;
    }
    qint64 writeData(const char* data, qint64 size) override {
        m_owner.fromHost(QByteArray(data, size));
        return size;
    }

  private:
    SimTransport& m_owner;
    QByteArray m_in;
};

SimTransport::SimTransport(BoardSimulator& sim, QObject* parent)
    : BoardTransport(parent), m_sim(sim) {}

SimTransport::~SimTransport() {
    close();
}

bool SimTransport::open(QString* error) {
    if (failOpen || m_device) {
        if (error) *error = QStringLiteral("no such device");
        return false;
    }
    m_device = std::make_unique<SimDevice>(*this);
    m_device->open(QIODevice::ReadWrite | QIODevice::Unbuffered);
    return true;
}

void SimTransport::close() {
    ++m_generation;
    if (m_device) m_device->close();
    m_device.reset();
}

bool SimTransport::isOpen() const {
    return m_device != nullptr;
}

QIODevice* SimTransport::device() {
    return m_device.get();
}

void SimTransport::discardInput() {
    if (m_device) m_device->discard();
}

void SimTransport::fromHost(const QByteArray& bytes) {
    written.append(bytes);
    for (const BoardSimulator::Chunk& c : m_sim.receive(bytes))
        deliver(c.bytes, c.delayMs);
}

void SimTransport::deliver(const QByteArray& bytes, int delayMs) {
    if (bytes.isEmpty()) return;
    const int generation = m_generation;
    QTimer::singleShot(delayMs, this, [this, bytes, generation] {
        if (generation == m_generation && m_device) m_device->push(bytes);
    });
}

void SimTransport::pushFromBoard(const QByteArray& bytes) {
    deliver(bytes, 0);
}

void SimTransport::advance(int ms) {
    deliver(m_sim.advance(ms), 0);
}

void SimTransport::unplug() {
    emit lost(QStringLiteral("device removed"));
}

} // namespace qvx
