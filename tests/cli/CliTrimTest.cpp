#include "board/BoardCommands.h"
#include "common/CliRun.h"
#include "common/SimBoard.h"
#include "common/TestRegistry.h"
#include "document/DocumentFile.h"
#include "document/IniFile.h"
#include "settings/TrimFile.h"
#include "settings/TrimFlows.h"

#include <QFile>
#include <QTest>

using namespace qvx;

namespace {

using Words = BigEndian::Words;

// Command bytes of the trim window's opening (sleep, read the stored trim,
// wake) and closing (sleep, write the stored trim, wake).
const QByteArray kSleep("\xF1\xFC\xFD\xF2\xFD");
const QByteArray kOpening = kSleep + "\xF9\xF1\xF2";
const QByteArray kClosing = kSleep + "\xFA\xF1\xF2";

// qvx board trim against a simulated board behind a pseudo-terminal.
struct TrimCli : qvxtest::SimBoard {
    int code = -1;
    QString out, err;

    // A fresh board, or (by default) one whose CH1 trim is 16500.
    explicit TrimCli(bool fresh = false) {
        if (host && !fresh) sim([](BoardSimulator& s) { s.stored().trim[0] = 16500; });
    }
    QList<QByteArray> frames() { return takeFrames(); }
    static QByteArray commands(const QList<QByteArray>& frames) { return commandsOf(frames); }
    Words stored() {
        return sim([](BoardSimulator& s) { return s.stored().trim; });
    }
    int run(const QStringList& args) {
        const qvxtest::CliRun r =
            qvxtest::runQvx(QStringList{"board", "--port", port, "trim"} + args);
        out = r.out;
        err = r.err;
        return code = r.code;
    }
};

} // namespace

class CliTrimTest : public QObject {
    Q_OBJECT
  private slots:
    void set_runsTheWindowsOpeningEntriesAndClosing() {
        TrimCli c;
        QVERIFY(c.host);
        QCOMPARE(c.run({"--set", "1=400", "--set", "24=-20"}), 0);
        const QList<QByteArray> f = c.frames();
        QCOMPARE(TrimCli::commands(f), kOpening + "\xFB\xFB" + kClosing);
        QCOMPARE(f[8], QByteArray("\xFB\x00\x00\x41\x59\x95", 6));
        QVERIFY2(c.out.startsWith(QLatin1String("CH1   345\nCH2     0\n")), qPrintable(c.out));
        QVERIFY(c.out.contains(QLatin1String("CH24  -20\n")));
        QCOMPARE(c.stored()[0], quint16(16729));
        QCOMPARE(c.stored()[23], quint16(16364));
    }

    void saveThenLoad_roundTripsThroughTheFile() {
        TrimCli c;
        QVERIFY(c.host);
        // Saved under the name as given: no extension is put on.
        const QString file = c.dir.filePath(QStringLiteral("trim.ini"));
        QCOMPARE(c.run({"--save", file}), 0);
        QCOMPARE(TrimCli::commands(c.frames()), kOpening + kClosing);
        QCOMPARE(TrimFile::Read(file, 0, 65535).value()[0], quint16(16500));

        c.sim([](BoardSimulator& s) { s.stored().trim.fill(16384); });
        QCOMPARE(c.run({"--load", file}), 0);
        QCOMPARE(TrimCli::commands(c.frames()), kOpening + kSleep + "\xFA\xF1\xF2" + kClosing);
        QVERIFY(c.out.startsWith(QLatin1String("CH1   116\n")));
        QCOMPARE(c.stored()[0], quint16(16500));
    }

    void freshBoard_opensAndClosesWithNeutralTrim() {
        TrimCli c(true);
        QVERIFY(c.host);
        QCOMPARE(c.run({}), 0);
        QVERIFY2(c.out.startsWith(QLatin1String("CH1     0\n")), qPrintable(c.out));
        BigEndian::Words neutral;
        neutral.fill(16384);
        QCOMPARE(c.stored(), neutral);
    }

    // A file that cannot be loaded or a place that cannot be saved in is
    // refused before the window opens: nothing reaches the board.
    void refusedInput_sendsNothing_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("message");
        const QString cantUse = DocumentFile::CantUseText();
        QTest::addRow("CH1=65535") << "--load"
                                   << "t.QMX" << 24 << 65535 << cantUse;
        QTest::addRow("CH1..CH23 only") << "--load"
                                        << "t.QMX" << 23 << 16600 << cantUse;
        QTest::addRow("no such file") << "--load"
                                      << "none.QMX" << 0 << 0 << cantUse;
        QTest::addRow("no such folder") << "--save"
                                        << "none/t.QMX" << 0 << 0 << DocumentFile::CantKeepText();
    }
    void refusedInput_sendsNothing() {
        QFETCH(QString, option);
        QFETCH(QString, file);
        QFETCH(int, keys);
        QFETCH(int, value);
        TrimCli c;
        QVERIFY(c.host);
        const QString path = c.dir.filePath(file);
        if (keys > 0) {
            IniFile ini(path);
            for (int n = 1; n <= keys; ++n)
                ini.writeInteger(QStringLiteral("TrimData"), TrimFile::Key(n),
                                 n == 1 ? value : 16600);
            QVERIFY(ini.save());
        }
        QCOMPARE(c.run({option, path}), 1);
        QFETCH(QString, message);
        QCOMPARE(c.err, message + "\n");
        QVERIFY(c.out.isEmpty());
        QVERIFY(c.frames().isEmpty());
        QCOMPARE(c.stored()[0], quint16(16500));
    }

    void failedRead_namesTheCauseAndTheSleepingRobot() {
        TrimCli c;
        QVERIFY(c.host);
        // The sleep pass answers; the read and the wake after it do not.
        c.sim([](BoardSimulator& s) { s.injectFault(BoardSimulator::Fault::NoAnswer, 10, 5); });
        QCOMPARE(c.run({"--set", "1=5"}), 1);
        QCOMPARE(c.err, QStringLiteral("qvx board trim failed: The trim could not be read from "
                                       "the board: the board's answer was incomplete (0 of 49 "
                                       "bytes within 300 ms). The robot is left asleep: press "
                                       "Sleep to wake it\n"));
        QVERIFY(c.out.isEmpty());
        QVERIFY(!TrimCli::commands(c.frames()).contains('\xFB'));
    }

    void usage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addRow("channel 25") << QStringList{"--set", "25=1"};
        QTest::addRow("no offset") << QStringList{"--set", "3="};
        QTest::addRow("save and load") << QStringList{"--save", "a", "--load", "b"};
        QTest::addRow("unknown option") << QStringList{"--trim", "1"};
    }
    void usage() {
        QFETCH(QStringList, args);
        TrimCli c;
        QVERIFY(c.host);
        QCOMPARE(c.run(args), 2);
        QVERIFY(c.frames().isEmpty());
    }
};

QVX_TEST_CLASS(CliTrimTest)
#include "CliTrimTest.moc"
