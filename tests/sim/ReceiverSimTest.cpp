#include "board/BoardCommands.h"
#include "common/TestRegistry.h"
#include "sim/BoardSimulator.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qvx;
using Cmd = QmxBoard::Command;

// The simulated board's receiver inputs: calibration, reports and the state file.
class ReceiverSimTest : public QObject {
    Q_OBJECT
  private slots:
    void autoReference_takesTheMeasuredValue_inEitherCopy_data() {
        QTest::addColumn<int>("flag");
        QTest::newRow("working") << 0x01;
        QTest::newRow("stored") << 0x03;
    }
    void autoReference_takesTheMeasuredValue_inEitherCopy() {
        QFETCH(int, flag);
        BoardSimulator sim;
        sim.setReceiverValues({7, 8, 9, 10});
        sim.receive(QByteArray(1, char(QmxBoard::kAttention)) +
                    BoardCommands::Frame(Cmd::WriteReceiverReference, {flag},
                                         QByteArray::fromHex("FF14FF7F")));
        const QByteArray expected = QByteArray::fromHex("0714097F");
        QCOMPARE(flag == 0x03 ? sim.stored().receiverReference : sim.working().receiverReference,
                 expected);
    }

    void reports_followOptionBit2() {
        BoardSimulator sim;
        sim.setReceiverValues({1, 2, 3, 4});
        sim.setButtonInput(0xABCD);
        QVERIFY(sim.advance(500).isEmpty());
        sim.working().option = BoardCommands::kOptReceiverReports;
        const QByteArray reports = sim.advance(sim.reportPeriodMs);
        QCOMPARE(reports.left(9), QByteArray::fromHex("FD00ABCD01020304").leftJustified(9, '\0'));
    }

    void receiverInputs_areKeptInTheStateFile_andOlderFilesStillLoad() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("board.state"));
        {
            BoardSimulator sim;
            QVERIFY(sim.attachStateFile(path));
            sim.setReceiverValues({11, 22, 33, 44});
            sim.setButtonInput(0x1234);
        }
        BoardSimulator again;
        QVERIFY(again.attachStateFile(path));
        QCOMPARE(again.receiverValues(), (std::array<quint8, 4>{11, 22, 33, 44}));
        QCOMPARE(again.buttonInput(), quint16(0x1234));

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray old = f.readAll();
        f.close();
        old.chop(6 + 32); // the receiver inputs and the checksum
        old.replace(0, 8, "QVXSIM02");
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(old);
        f.close();
        BoardSimulator fromOld;
        QVERIFY(fromOld.attachStateFile(path));
        QCOMPARE(fromOld.buttonInput(), quint16(0));
        QCOMPARE(fromOld.receiverValues()[3], quint8(0));
    }
};

QVX_TEST_CLASS(ReceiverSimTest)
#include "ReceiverSimTest.moc"
