#include "ports/SerialPorts.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <unistd.h>

namespace qvx {

namespace {

QString defaultByIdDir() {
    return QStringLiteral("/dev/serial/by-id");
}

// The by-id link that leads to the device, if any.
QString byIdNameOf(const QString& device, const QString& byIdDir) {
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty()) return {};
    const QFileInfoList links =
        QDir(byIdDir).entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& link : links)
        if (link.isSymLink() && link.canonicalFilePath() == target) return link.absoluteFilePath();
    return {};
}

SerialPortEntry entryOf(const QSerialPortInfo& info, const QString& path, const QString& byIdDir) {
    SerialPortEntry e;
    e.path = path;
    e.byId = byIdNameOf(path, byIdDir);
    if (info.hasVendorIdentifier()) e.vendorId = info.vendorIdentifier();
    if (info.hasProductIdentifier()) e.productId = info.productIdentifier();
    e.description = info.description();
    e.manufacturer = info.manufacturer();
    e.mayOpen = ::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0;
    return e;
}

} // namespace

QString SerialPortEntry::usbIds() const {
    if (vendorId == 0 && productId == 0) return {};
    return QStringLiteral("%1:%2")
        .arg(vendorId, 4, 16, QLatin1Char('0'))
        .arg(productId, 4, 16, QLatin1Char('0'));
}

QString SerialPortEntry::details() const {
    QStringList parts;
    for (const QString& p : {description, manufacturer})
        if (!p.isEmpty() && !parts.contains(p)) parts << p;
    return parts.join(QStringLiteral(", "));
}

QList<SerialPortEntry> FindSerialPorts(const QString& byIdDir) {
    const QString dir = byIdDir.isEmpty() ? defaultByIdDir() : byIdDir;
    QList<SerialPortEntry> found;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        found << entryOf(info, info.systemLocation(), dir);
    std::sort(found.begin(), found.end(),
              [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.path < b.path; });
    return found;
}

SerialPortEntry DescribeSerialPort(const QString& path, const QString& byIdDir) {
    const QString dir = byIdDir.isEmpty() ? defaultByIdDir() : byIdDir;
    const QString device = QFileInfo(path).canonicalFilePath();
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        if (!device.isEmpty() && info.systemLocation() == device) {
            SerialPortEntry e = entryOf(info, path, dir);
            return e;
        }
    return entryOf(QSerialPortInfo(), path, dir);
}

} // namespace qvx
