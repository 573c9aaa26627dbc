#include "board/BoardCommands.h"
#include "common/CliRun.h"
#include "common/SimBoard.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace qvx;
using Cmd = QmxBoard::Command;

namespace {

// A simulated board behind a pseudo-terminal and `qvx board analog` run against it.
struct AnalogCli : qvxtest::SimBoard {
    qvxtest::CliRun analog(const QStringList& args) {
        return qvxtest::runQvx(QStringList{"board", "--port", port, "analog"} + args);
    }
};

QByteArray frame(Cmd c, std::initializer_list<int> params, const QByteArray& data = {}) {
    return BoardCommands::Frame(c, params, data);
}

} // namespace

// qvx board analog: the analog dialog's opening, changes and closing, as the
// board receives them.
class CliAnalogTest : public QObject {
    Q_OBJECT
  private slots:
    void changes_reachTheBoardInOrderAsTheControlsSendThem() {
        AnalogCli cli;
        QVERIFY2(cli.host, qPrintable(cli.error));
        QByteArray settings(18, '\0');
        settings[2] = 40; // AD2 first interrupt: entry 40, not enabled
        cli.sim([&](BoardSimulator& s) {
            s.stored().adSettings = s.working().adSettings = settings;
            s.stored().mixing[0][7] = char(0x85);
        });
        const auto r =
            cli.analog({"--ref", "2=300", "--mix", "1:3=x -5", "--sensor", "3=-1023:M2"});
        QVERIFY2(r.code == 0, qPrintable(r.err));

        QByteArray mixing(24, '\0');
        mixing[7] = char(0x85);
        QByteArray mixed = mixing;
        mixed[2] = char(0xC5);
        QByteArray dragged = settings;
        BigEndian::putWord(dragged, 6 + 4, 0x83FF);
        QByteArray chosen = settings;
        chosen[2] = 1;
        BigEndian::putWord(chosen, 6 + 4, 0xC3FF);
        const QByteArray refs = QByteArray::fromHex("0000012C0000");
        const QList<QByteArray> expected = {
            // opening
            frame(Cmd::ReadAdReference, {0x02}), frame(Cmd::ReadMixing, {0x02, 0}),
            frame(Cmd::ReadMixing, {0x02, 1}), frame(Cmd::ReadMixing, {0x02, 2}),
            frame(Cmd::ReadAdSettings, {0x02}), frame(Cmd::ReadOptionWord, {0x00}),
            frame(Cmd::WriteOptionWord, {0x01, 0x01, 0x00}),
            // the changes, in the order given
            frame(Cmd::SetAdLive, {0x00, 1, 0x01, 0x2C}), frame(Cmd::WriteMixing, {0x01, 0}, mixed),
            frame(Cmd::ReadAdSettings, {0x00}), frame(Cmd::WriteAdSettings, {0x01}, dragged),
            frame(Cmd::ReadAdSettings, {0x00}), frame(Cmd::WriteAdSettings, {0x01}, chosen),
            // closing
            frame(Cmd::ReadOptionWord, {0x00}), frame(Cmd::WriteOptionWord, {0x01, 0x00, 0x00}),
            frame(Cmd::WriteAdReference, {0x03}, refs), frame(Cmd::WriteMixing, {0x03, 0}, mixed),
            frame(Cmd::WriteMixing, {0x03, 1}, QByteArray(24, '\0')),
            frame(Cmd::WriteMixing, {0x03, 2}, QByteArray(24, '\0')),
            frame(Cmd::ReadAdSettings, {0x00}), frame(Cmd::WriteAdSettings, {0x03}, chosen)};
        QCOMPARE(cli.frames(), expected);
        QVERIFY(r.out.contains(QStringLiteral("AD2 ref 300\n")));
        QVERIFY(r.out.contains(QStringLiteral("AD1 CH3 x -5\n")));
        QVERIFY(r.out.contains(QStringLiteral("AD1 CH8 x 5\n")));
        QVERIFY(r.out.contains(QStringLiteral("sensor 3 AD2 threshold -1023 motion M2\n")));
    }

    void withoutChanges_onlyReadsAndPrints() {
        AnalogCli cli;
        QVERIFY2(cli.host, qPrintable(cli.error));
        QByteArray settings(18, '\0');
        settings[5] = 82;
        BigEndian::putWord(settings, 6 + 10, 0x4000 | 17);
        cli.sim([&](BoardSimulator& s) { s.stored().adSettings = settings; });
        const auto r = cli.analog({});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(r.out.contains(QStringLiteral("sensor 6 AD3 threshold 17 motion S3\n")));
        QCOMPARE(r.out.count(u'\n'), 3 + 72 + 6);
        for (const QByteArray& f : cli.frames())
            QVERIFY(quint8(f[0]) == quint8(Cmd::ReadAdReference) ||
                    quint8(f[0]) == quint8(Cmd::ReadMixing) ||
                    quint8(f[0]) == quint8(Cmd::ReadAdSettings));
    }

    void invalidValues_areUsageErrorsBeforeAnythingIsSent_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("input 4") << QStringList{"--ref", "4=10"};
        QTest::newRow("reference 1024") << QStringList{"--ref", "1=1024"};
        QTest::newRow("channel 25") << QStringList{"--mix", "1:25=OFF"};
        QTest::newRow("gain x 64") << QStringList{"--mix", "1:3=x 64"};
        QTest::newRow("sensor 7") << QStringList{"--sensor", "7=0:OFF"};
        QTest::newRow("threshold -1024") << QStringList{"--sensor", "1=-1024:M1"};
        QTest::newRow("motion M81") << QStringList{"--sensor", "1=0:M81"};
        QTest::newRow("value missing") << QStringList{"--ref"};
        QTest::newRow("unknown option") << QStringList{"--gain", "1"};
    }
    void invalidValues_areUsageErrorsBeforeAnythingIsSent() {
        QFETCH(QStringList, args);
        AnalogCli cli;
        QVERIFY2(cli.host, qPrintable(cli.error));
        // A valid change first: nothing of it may be sent either.
        QCOMPARE(cli.analog(QStringList{"--ref", "1=5"} + args).code, 2);
        QVERIFY(cli.frames().isEmpty());
    }

    void failedClear_saysTheReportsStayOn_andPrintsNoValues() {
        AnalogCli cli;
        QVERIFY2(cli.host, qPrintable(cli.error));
        // The opening's five reads and the option word pass; clearing it does not.
        cli.sim([](BoardSimulator& s) { s.injectFault(BoardSimulator::Fault::BadChecksum, 1, 7); });
        const auto r = cli.analog({"--ref", "1=5"});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QStringLiteral("qvx board analog failed: The analog reports could not be "
                                       "switched off: the board's answer had a wrong checksum. The "
                                       "board still sends analog reports: open and close the "
                                       "analog window again to stop them\n"));
        QVERIFY(r.out.isEmpty());
        QVERIFY(cli.sim([](BoardSimulator& s) { return s.working().option; }) &
                BoardCommands::kOptAdReports);
    }

    void silentBoard_failsWithoutSaving() {
        AnalogCli cli;
        QVERIFY2(cli.host, qPrintable(cli.error));
        cli.sim([](BoardSimulator& s) { s.injectFault(BoardSimulator::Fault::NoAnswer, 50, 2); });
        const auto r = cli.analog({"--ref", "1=5"});
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.isEmpty());
        for (const QByteArray& f : cli.frames())
            QVERIFY(quint8(f[0]) != quint8(Cmd::WriteOptionWord));
    }
};

QVX_TEST_CLASS(CliAnalogTest)
#include "CliAnalogTest.moc"
