#include "board/BoardCommands.h"
#include "common/CliRun.h"
#include "common/SimBoard.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace qvx;

namespace {

// The opening of the servo setup dialog (SVP channels, set bit 14) and its closing.
const QByteArray kOpening("\xDC\xF1\xF2");
const QByteArray kClosing("\xF1\xF2");

// qvx board servos against a simulated board in SVP mode, servos 2 and 4 on
// SVP channels.
struct ServosCli : qvxtest::SimBoard {
    int code = -1;
    QString out, err;
    QByteArray servo2 = QByteArray("\x07\x04\x03\x0A\x02\x02\x07\x81\x06\xA4\x05\x14\x64\x01\x02\x05\x01", 17);

    explicit ServosCli(bool svpMode = true) {
        if (host)
            sim([&](BoardSimulator& s) {
                s.stored().svpChannels = QByteArray("\x14\x00\x00", 3);
                s.stored().servoParams[2] = servo2;
                if (svpMode) s.working().option |= BoardCommands::kOptSvp;
            });
    }
    QByteArray commands() { return takeCommands(); }
    QByteArray block(int id) {
        return sim([id](BoardSimulator& s) { return s.stored().servoParams[size_t(id)]; });
    }
    int run(const QStringList& args) {
        const qvxtest::CliRun r =
            qvxtest::runQvx(QStringList{"board", "--port", port, "servos"} + args,
                            qvxtest::CliSetup().configDir(dir.path()));
        out = r.out;
        err = r.err;
        return code = r.code;
    }
};

} // namespace

class CliServosTest : public QObject {
    Q_OBJECT
  private slots:
    void bare_opensListsAndCloses_readAddsTheParameters() {
        ServosCli c;
        QVERIFY(c.host);
        QCOMPARE(c.run({}), 0);
        QCOMPARE(c.commands(), kOpening + kClosing);
        QVERIFY2(c.out.startsWith("No\tName\tServo\tStretch1\t"), qPrintable(c.out));
        QVERIFY2(c.out.contains("\n3\tCH3\tSVP\n4\tCH4\tPWM\n"), qPrintable(c.out));
        QCOMPARE(c.sim([](BoardSimulator& s) { return s.stored().option; }), quint16(0));
        QCOMPARE(c.run({"--read"}), 0);
        QCOMPARE(c.commands(), kOpening + "\xF1\xDA\xDA" + kClosing);
        QVERIFY2(c.out.contains("\n3\tCH3\tSVP\t4\t3\t1\t2\t5\t1\t10\t2\t2\tON\t7\t2\t0\t0\t\n"),
                 qPrintable(c.out));
    }

    void show_writesTheBlockBackUnchanged() {
        ServosCli c;
        QVERIFY(c.host);
        QCOMPARE(c.run({"--show", "2"}), 0);
        QCOMPARE(c.commands(), kOpening + "\xF1\xDA\xDB" + kClosing);
        QCOMPARE(c.block(2), c.servo2);
        QVERIFY2(c.out.contains("Reverse\tON\n") && c.out.contains("Limit(L)\t0\n"),
                 qPrintable(c.out));
    }

    void set_changesOnlyThoseParameters() {
        ServosCli c;
        QVERIFY(c.host);
        QCOMPARE(c.run({"--set", "2", "Punch=1", "Reverse=OFF", "Limit(L)=60", "PowerFree=3"}), 0);
        QByteArray expected = c.servo2;
        expected[3] = 1;
        expected[7] = char(0x80);
        expected[8] = char(0x08), expected[9] = char(0xFC); // 2300
        expected[12] = char(150);
        QCOMPARE(c.block(2), expected);
        QVERIFY2(c.out.contains("Limit(L)\t60\n"), qPrintable(c.out));
    }

    void copy_writesTheSourceUnderTheTarget() {
        ServosCli c;
        QVERIFY(c.host);
        QCOMPARE(c.run({"--copy", "2=4"}), 0);
        QCOMPARE(c.commands(), kOpening + "\xDA\xDB" + kClosing);
        QCOMPARE(c.block(4), c.servo2);
        QCOMPARE(c.run({"--copy", "2=3"}), 1); // CH4 is no SVP channel
        QCOMPARE(c.commands(), kOpening + kClosing);
        QCOMPARE(c.err, QStringLiteral("qvx board servos failed: rows 2 and 3 must both be SVP "
                                       "channels\n"));
        QVERIFY(c.out.isEmpty());
    }

    void notInSvpMode_warnsAndFails() {
        ServosCli c(false);
        QVERIFY(c.host);
        QCOMPARE(c.run({"--show", "2"}), 1);
        QVERIFY2(c.err.contains("Put power supply again and change to SVP mode"), qPrintable(c.err));
        QCOMPARE(c.commands(), kOpening + "\xF1" + kClosing);
    }

    void badArguments_usageError_nothingSent_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addRow("ID past 23") << QStringList{"--show", "24"};
        QTest::addRow("no such column") << QStringList{"--set", "2", "Offset=1"};
        QTest::addRow("value its control cannot take") << QStringList{"--set", "2", "Speed2=4"};
        QTest::addRow("limit past 60") << QStringList{"--set", "2", "Limit(R)=61"};
        QTest::addRow("copy without target") << QStringList{"--copy", "2"};
    }
    void badArguments_usageError_nothingSent() {
        QFETCH(QStringList, args);
        ServosCli c;
        QVERIFY(c.host);
        QCOMPARE(c.run(args), 2);
        QCOMPARE(c.commands(), QByteArray());
    }
};

QVX_TEST_CLASS(CliServosTest)
#include "CliServosTest.moc"
