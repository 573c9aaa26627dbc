#pragma once

#include "board/BoardTransport.h"

#include <QByteArray>
#include <memory>

namespace qvx {

class BoardSimulator;
class SimDevice;

// An in-memory link to a simulated board, for tests: what the command layer
// writes goes straight into the simulator, its answers come back through the
// event loop (as from a real port, never inside the write).
class SimTransport : public BoardTransport {
    Q_OBJECT
  public:
    explicit SimTransport(BoardSimulator& sim, QObject* parent = nullptr);
    ~SimTransport() override;

    bool open(QString* error) override;
    void close() override;
    bool isOpen() const override;
    QIODevice* device() override;
    void discardInput() override;

    // Makes open() fail, like a missing device.
    bool failOpen = false;
    // Every byte written by the command layer, in order.
    QByteArray written;

    // Bytes the board sends on its own, delivered as one receive event.
    void pushFromBoard(const QByteArray& bytes);
    // Moves the simulator's clock on and delivers the reports it sends.
    void advance(int ms);
    // Acts as if the device had been pulled out.
    void unplug();

  private:
    friend class SimDevice;
    void fromHost(const QByteArray& bytes);
    void deliver(const QByteArray& bytes, int delayMs);

    BoardSimulator& m_sim;
    std::unique_ptr<SimDevice> m_device;
    int m_generation = 0;
};

} // namespace qvx
