#pragma once

#include "board/BoardLink.h"
#include "ports/SerialPorts.h"

#include <QComboBox>
#include <functional>

namespace qvx {

// The port box: "OFF", COM1..COM20 and "SIM" at the places the settings file
// and remote messages know them by, then the serial devices present, each by
// its stable name, with what the system says of it as a hint. The devices
// are found again each time the box opens.
class PortBox : public QComboBox {
    Q_OBJECT
  public:
    static constexpr int kNumberedPorts = 20;
    static constexpr int kSimIndex = BoardLink::kSimPortIndex;
    static_assert(kSimIndex == kNumberedPorts + 1);
    static constexpr int kFirstDeviceIndex = kSimIndex + 1;

    explicit PortBox(QWidget* parent = nullptr);

    // Where the devices come from (tests give their own list).
    void setFinder(std::function<QList<SerialPortEntry>()> finder) { m_finder = std::move(finder); }

    // Lists the devices present again. The chosen entry stays chosen, and a
    // chosen device no longer present stays listed as "not present".
    void refresh();
    // The device path of a device entry; empty for OFF, COMn and SIM.
    QString devicePath(int index) const;
    // The entry of the device at path; added (as not present) when it is not
    // listed, so that a remembered device can be shown and tried.
    int deviceIndex(const QString& path);

    void showPopup() override;

  private:
    void addDevice(const SerialPortEntry& entry, bool present);

    std::function<QList<SerialPortEntry>()> m_finder;
};

} // namespace qvx
