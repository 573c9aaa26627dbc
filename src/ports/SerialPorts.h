#pragma once

#include <QList>
#include <QString>

namespace qvx {

// One serial device of this machine, as the port box and `qvx ports` show it.
struct SerialPortEntry {
    // The device itself, /dev/ttyUSB0.
    QString path;
    // Its stable name under /dev/serial/by-id, which stays the same whichever
    // socket the adapter is plugged into; empty when it has none.
    QString byId;
    // USB vendor and product ids; zero when not known (not a USB device).
    quint16 vendorId = 0;
    quint16 productId = 0;
    QString description;
    QString manufacturer;
    // True when this user may open it for reading and writing.
    bool mayOpen = false;

    // What to show and remember: the stable name when there is one.
    QString shownName() const { return byId.isEmpty() ? path : byId; }
    // "0403:6001", or empty when not a USB device.
    QString usbIds() const;
    // The description and maker in one line ("FT232R USB UART, FTDI").
    QString details() const;
};

// Finds the serial devices present: what the system lists as serial ports,
// each with its by-id name. byIdDir is where the stable names live (tests
// point it elsewhere).
QList<SerialPortEntry> FindSerialPorts(const QString& byIdDir = QString());

// Describes one device given by its path (a pseudo-terminal, a link to one, a
// device not listed): what the system knows of it, if anything.
SerialPortEntry DescribeSerialPort(const QString& path, const QString& byIdDir = QString());

} // namespace qvx
