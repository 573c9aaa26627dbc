#include "ports/PortBox.h"

namespace qvx {

PortBox::PortBox(QWidget* parent) : QComboBox(parent), m_finder([] { return FindSerialPorts(); }) {
    addItem(QStringLiteral("OFF")); // not translated: port names are stored
    for (int n = 1; n <= kNumberedPorts; ++n)
        addItem(QStringLiteral("COM") + QString::number(n)); // not translated: port name
    addItem(QStringLiteral("SIM"));                          // not translated: port name
    setMaxVisibleItems(30);
}

void PortBox::addDevice(const SerialPortEntry& entry, bool present) {
    const QString name = entry.shownName();
    QString hint = present ? entry.details() : tr("not present");
    // A stable name hides which device it is today.
    if (present && !entry.byId.isEmpty())
        hint += (hint.isEmpty() ? QString() : QStringLiteral("\n")) + entry.path;
    addItem(name, name);
    setItemData(count() - 1, hint, Qt::ToolTipRole);
}

void PortBox::refresh() {
    const QString chosen = devicePath(currentIndex());
    const QSignalBlocker quiet(this);
    while (count() > kFirstDeviceIndex)
        removeItem(count() - 1);
    bool chosenListed = chosen.isEmpty();
    for (const SerialPortEntry& e : m_finder()) {
        addDevice(e, true);
        if (e.shownName() == chosen) chosenListed = true;
    }
    if (!chosenListed) {
        SerialPortEntry gone;
        gone.path = chosen;
        addDevice(gone, false);
    }
    if (!chosen.isEmpty()) setCurrentIndex(findData(chosen));
}

QString PortBox::devicePath(int index) const {
    return index >= kFirstDeviceIndex ? itemData(index).toString() : QString();
}

int PortBox::deviceIndex(const QString& path) {
    const int found = findData(path);
    if (found >= kFirstDeviceIndex) return found;
    SerialPortEntry gone;
    gone.path = path;
    addDevice(gone, false);
    return count() - 1;
}

void PortBox::showPopup() {
    refresh();
    QComboBox::showPopup();
}

} // namespace qvx
