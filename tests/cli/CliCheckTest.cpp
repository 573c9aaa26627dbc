#include "board/MotionTable.h"
#include "common/CliRun.h"
#include "common/RecordingServices.h"
#include "common/SimBoard.h"
#include "common/TestRegistry.h"
#include "compiler/ChartMaker.h"
#include "document/DocumentFile.h"
#include "items/SetCodes.h"
#include "pose/PoseData.h"

#include <QFile>

#include <QTest>

using namespace qvx;

// qvx check: one finding a line, exit 1 on an error, only reads from a board.
class CliCheckTest : public QObject {
    Q_OBJECT

    qvxtest::SimBoard m_board;

    QString save(const Chart& chart, const QString& name) {
        qvxtest::RecordingServices services;
        Chart c = chart;
        MotionHeader header;
        DocumentContext ctx{c, header, services};
        const QString path = m_board.dir.filePath(name);
        return DocumentFile::SaveDocument(ctx, path, false) ? path : QString();
    }

  private slots:
    void initTestCase() {
        QVERIFY2(m_board.host, qPrintable(m_board.error));
        // M4 holds a motion of 12 records named "walk".
        m_board.sim([](BoardSimulator& s) {
            QByteArray walk = MotionTable::EmptyEntry();
            walk[0] = char(12);
            walk.replace(10, 4, "walk");
            s.stored().table[3] = walk;
        });
        qvxtest::ChartMaker m;
        const int stick = m.cmp("Stick", CmpCodes::ConditionCode(4));
        const int end = m.item("End");
        m.next(stick, end);
        m.branch(stick, end);
        m.item("Lost");
        QVERIFY(!save(m.chart, "branch.qmx").isEmpty());
        m.chart.startItem = -1;
        QVERIFY(!save(m.chart, "nostart.qmx").isEmpty());
        qvxtest::ChartMaker poses;
        poses.chain("P", 40);
        QVERIFY(!save(poses.chart, "long.qmx").isEmpty());
        const qvxtest::CliRun backup = qvxtest::runQvx(
            {"board", "--port", m_board.port, "backup", m_board.dir.filePath("b.qbk")});
        QVERIFY2(backup.code == 0, qPrintable(backup.err));
    }

    void check_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("commands");
        const QString lost = "warning unreachable \"Lost\": no path from the start item reaches "
                             "this item, so it is never played";
        const QString off = "warning input-off \"Stick\": tests PA1 of the receiver, but the "
                            "board's options leave control through the WRX-1 receiver unit off "
                            "(option bit 3)";
        const QByteArray none;
        QTest::newRow("warnings") << QStringList{"branch.qmx"} << 0 << QStringList{lost} << none;
        QTest::newRow("no start")
            << QStringList{"nostart.qmx"} << 1
            << QStringList{"error no-start -: the chart has 3 items but no start item, so it "
                           "cannot be compiled"}
            << none;
        QTest::newRow("backup") << QStringList{"branch.qmx", "--backup", "DIR/b.qbk"} << 0
                                << QStringList{off, lost} << none;
        QTest::newRow("port") << QStringList{"branch.qmx", "--port", "PORT"} << 0
                              << QStringList{off, lost} << QByteArray("\xF1\xE5");
        QTest::newRow("slot-overrun")
            << QStringList{"long.qmx", "--port", "PORT", "--slot", "2"} << 1
            << QStringList{"error slot-overrun -: the motion has 41 records and, written to M3, "
                           "runs on into M4, which holds a motion (\"walk\", 12 records)"}
            << QByteArray("\xF1\xE5\xF5");
        QTest::newRow("into an empty slot")
            << QStringList{"long.qmx", "--port", "PORT", "--slot", "3"} << 0 << QStringList{}
            << QByteArray("\xF1\xE5\xF5");
        QTest::newRow("slot without port")
            << QStringList{"long.qmx", "--slot", "2"} << 2 << QStringList{} << none;
        QTest::newRow("bad slot") << QStringList{"long.qmx", "--port", "PORT", "--slot", "80"} << 2
                                  << QStringList{} << none;
        QTest::newRow("port and backup")
            << QStringList{"long.qmx", "--port", "PORT", "--backup", "DIR/b.qbk"} << 2
            << QStringList{} << none;
    }

    void check() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, commands);
        args[0] = m_board.dir.filePath(args[0]);
        args.replaceInStrings("PORT", m_board.port);
        args.replaceInStrings("DIR/", m_board.dir.path() + u'/');
        m_board.takeFrames();
        const qvxtest::CliRun r = qvxtest::runQvx(QStringList{"check"} + args);
        QVERIFY2(r.code == code, qPrintable(r.err));
        QCOMPARE(r.out.split(u'\n', Qt::SkipEmptyParts), lines);
        if (code == 2) QVERIFY(r.err.startsWith(QStringLiteral("qvx check: ")));
        // Only reads: the option word, the analog references, table entries.
        QCOMPARE(m_board.takeCommands(), commands);
    }

    // What the chart's walk cannot see: the motion played on the simulated
    // board, and with a robot model the poses of the items and of the play.
    void playedAndModelChecks_data() {
        QTest::addColumn<QString>("chart");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("err");
        const QString collide = "error self-collision \"Into body\": links \"torso\" and "
                                "\"r_upper_arm\" run into each other";
        QTest::newRow("a wait no input ends")
            << "wait.qmx" << QStringList{} << 0
            << QStringList{"warning endless \"Step\": the motion still played after 60 s of board "
                           "time with each of the 3 input combinations tried (as a fresh board "
                           "starts, every input at its highest, every input at its lowest), so "
                           "it may run until Stop is pressed; this item was executing at the "
                           "limit"}
            << QString();
        QTest::newRow("no model: poses not checked")
            << "collide.qmx" << QStringList{} << 0 << QStringList{} << QString();
        QTest::newRow("shipped model") << "collide.qmx" << QStringList{"--model", ""} << 1
                                       << QStringList{collide} << QString();
        QTest::newRow("model without inertials")
            << "collide.qmx" << QStringList{"--model", "DIR/arm.urdf"} << 0 << QStringList{}
            << "qvx check: The robot model has no inertials: the stability check is skipped.\n";
        QTest::newRow("model missing")
            << "collide.qmx" << QStringList{"--model", "DIR/none.urdf"} << 1 << QStringList{}
            << "qvx check failed: cannot read the robot model DIR/none.urdf: the file is "
               "missing\n";
    }
    void playedAndModelChecks() {
        QFETCH(QString, chart);
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QStringList, lines);
        QFETCH(QString, err);
        // A loop whose CMP waits for the button input to equal 5.
        qvxtest::ChartMaker wait;
        const int five = wait.item("Five", KindSet, 1, SetCodes::CompareRegisterCode(5));
        const int step = wait.item("Step", KindPos, 10, Pose::kNeutral);
        const int test = wait.cmp("Wait", CmpCodes::ConditionCode(8));
        const int end = wait.item("End", KindPos, 10, Pose::kNeutral);
        wait.next(five, step);
        wait.next(step, test);
        wait.next(test, step);
        wait.branch(test, end);
        QVERIFY(!save(wait.chart, "wait.qmx").isEmpty());
        // CH4 rolls the right arm 30 degrees into the body.
        qvxtest::ChartMaker into;
        into.item("Into body", KindPos, 10, Pose::kNeutral);
        into.chart.items[0].values[3] = Pose::kNeutral + 230;
        QVERIFY(!save(into.chart, "collide.qmx").isEmpty());
        QFile arm(m_board.dir.filePath("arm.urdf"));
        QVERIFY(arm.open(QIODevice::WriteOnly));
        arm.write("<robot name=\"arm\"><link name=\"a\"><collision><geometry><box "
                  "size=\"1 1 1\"/></geometry></collision></link></robot>");
        arm.close();

        args.replaceInStrings("DIR/", m_board.dir.path() + u'/');
        const qvxtest::CliRun r =
            qvxtest::runQvx(QStringList{"check", m_board.dir.filePath(chart)} + args);
        QCOMPARE(r.err, QString(err).replace("DIR/", m_board.dir.path() + u'/'));
        QCOMPARE(r.code, code);
        QCOMPARE(r.out.split(u'\n', Qt::SkipEmptyParts), lines);
    }

    // A read that fails names what and why, and no finding is printed.
    void failedRead_namedWithItsCause() {
        m_board.sim(
            [](BoardSimulator& s) { s.injectFault(BoardSimulator::Fault::BadChecksum, 1, 2); });
        const qvxtest::CliRun r = qvxtest::runQvx(
            {"check", m_board.dir.filePath("long.qmx"), "--port", m_board.port, "--slot", "2"});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err, QStringLiteral("qvx check failed: reading the table entry of M4 failed: "
                                       "the board's answer had a wrong checksum\n"));
    }
};

QVX_TEST_CLASS(CliCheckTest)
#include "CliCheckTest.moc"
