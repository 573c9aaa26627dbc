#include "ports/PortBox.h"
#include "common/CliRun.h"
#include "common/SimBoard.h"
#include "common/TestRegistry.h"
#include "ports/SerialPorts.h"

#include <QFile>
#include <QTest>

using namespace qvx;

namespace {

SerialPortEntry device(const QString& path, const QString& byId = {}) {
    SerialPortEntry e;
    e.path = path;
    e.byId = byId;
    e.description = QStringLiteral("USB serial");
    e.vendorId = 0x0403;
    e.productId = 0x6001;
    return e;
}

} // namespace

// The devices after the fixed entries of the port box, and how a device is
// found by its stable name.
class PortBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void refresh_keepsTheChosenDeviceWhereverItIsListed() {
        QList<SerialPortEntry> present = {device("/dev/ttyACM0"),
                                          device("/dev/ttyUSB0", "/dev/serial/by-id/usb-A-port0")};
        PortBox box;
        box.setFinder([&] { return present; });
        box.refresh();
        QCOMPARE(box.count(), PortBox::kFirstDeviceIndex + 2);
        QCOMPARE(box.itemText(PortBox::kSimIndex), QString("SIM"));
        const int byId = PortBox::kFirstDeviceIndex + 1;
        QCOMPARE(box.itemText(byId), QString("/dev/serial/by-id/usb-A-port0"));
        QCOMPARE(box.itemData(byId, Qt::ToolTipRole).toString(),
                 QString("USB serial\n/dev/ttyUSB0"));
        QCOMPARE(box.devicePath(byId), QString("/dev/serial/by-id/usb-A-port0"));
        QVERIFY(box.devicePath(PortBox::kSimIndex).isEmpty());
        box.setCurrentIndex(byId);

        // The other device goes: the chosen one moves up and stays chosen.
        present.removeFirst();
        box.refresh();
        QCOMPARE(box.count(), PortBox::kFirstDeviceIndex + 1);
        QCOMPARE(box.currentText(), QString("/dev/serial/by-id/usb-A-port0"));

        // The chosen one goes too: still shown, as not present.
        present.clear();
        box.refresh();
        QCOMPARE(box.currentText(), QString("/dev/serial/by-id/usb-A-port0"));
        QCOMPARE(box.itemData(box.currentIndex(), Qt::ToolTipRole).toString(),
                 QString("not present"));

        // A numbered port chosen: devices no longer present are not listed.
        box.setCurrentIndex(3);
        box.refresh();
        QCOMPARE(box.count(), PortBox::kFirstDeviceIndex);
    }

    void describe_findsTheStableNameAndAccess() {
        qvxtest::SimBoard board;
        QVERIFY2(board.host, qPrintable(board.error));
        const QString byIdDir = board.dir.filePath("by-id");
        QVERIFY(QDir().mkpath(byIdDir));
        const QString stable = byIdDir + "/usb-Quorvex_QMX-if00-port0";
        QVERIFY(QFile::link(board.host->slavePath(), stable));

        const SerialPortEntry e = DescribeSerialPort(board.host->slavePath(), byIdDir);
        QCOMPARE(e.path, board.host->slavePath());
        QCOMPARE(e.byId, stable);
        QCOMPARE(e.shownName(), stable);
        QVERIFY(e.mayOpen);
        QVERIFY(e.usbIds().isEmpty());

        const SerialPortEntry none = DescribeSerialPort(board.dir.filePath("none"), byIdDir);
        QVERIFY(none.byId.isEmpty());
        QVERIFY(!none.mayOpen);
        QCOMPARE(device("/dev/x").usbIds(), QString("0403:6001"));
    }

    // qvx ports: a line for each device present (none on a machine without
    // serial devices), or for each device given, five tab-separated columns.
    void qvxPorts_listsThePresentAndTheGiven() {
        qvxtest::CliRun r = qvxtest::runQvx({QStringLiteral("ports")});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QString());
        const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), FindSerialPorts().size());
        for (const QString& line : lines)
            QCOMPARE(line.count(u'\t'), 4);

        qvxtest::SimBoard board;
        QVERIFY2(board.host, qPrintable(board.error));
        r = qvxtest::runQvx({QStringLiteral("ports"), board.port});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, board.port + QStringLiteral("\t-\t-\t-\tyes\n"));
    }
};

QVX_TEST_CLASS(PortBoxTest)
#include "PortBoxTest.moc"
