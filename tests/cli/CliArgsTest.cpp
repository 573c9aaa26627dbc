#include "app/RemoteServer.h"
#include "common/CliRun.h"
#include "common/SimBoard.h"
#include "common/TestRegistry.h"
#include "document/DocumentFile.h"
#include "flows/FlowFixture.h"

#include <QFile>
#include <QProcess>
#include <QTest>

using namespace qvx;

namespace {

// A simulated board, a document of 35 poses (longer than a slot) beside it (also as "-x.QMX"), and
// qvx run with settings and runtime folders of its own, so that no editor
// listens for it.
struct ArgsRig : qvxtest::SimBoard {
    QString doc = dir.filePath(QStringLiteral("walk.qmx"));
    qvxtest::CliSetup setup;

    ArgsRig() {
        qvxtest::RecordingServices services;
        Chart chart = longChain(35);
        MotionHeader header;
        DocumentContext ctx{chart, header, services};
        DocumentFile::SaveDocument(ctx, doc, false);
        QFile::copy(doc, dir.filePath(QStringLiteral("-x.QMX")));
        setup.env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
        setup.configDir(dir.filePath(QStringLiteral("config")));
    }
    QString expanded(QString text) const {
        return text
            .replace(QStringLiteral("SOCKET"),
                     RemoteServer::PathFor(dir.path(), dir.filePath(QStringLiteral("config"))))
            .replace(QStringLiteral("PORT"), port)
            .replace(QStringLiteral("DOC"), doc)
            .replace(QStringLiteral("DIR"), dir.path());
    }
    qvxtest::CliRun run(QStringList args) const {
        for (QString& a : args)
            a = expanded(a);
        return qvxtest::runQvx(args, setup);
    }
};

} // namespace

// What every verb's arguments share: one parser for every spelling of an
// option, one-line usage errors that send nothing, and failures that name
// their cause and print no result.
class CliArgsTest : public QObject {
    Q_OBJECT

  private slots:
    void otherSpellings_sendTheSameFrames_data() {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("usual");
        const QStringList play{"board", "--port", "PORT", "play", "3"};
        QTest::newRow("--opt=value") << QStringList{"board", "--port=PORT", "play", "3"} << play;
        QTest::newRow("options after the action")
            << QStringList{"board", "play", "3", "--port", "PORT"} << play;
        QTest::newRow("-- ends the options")
            << QStringList{"board", "--port", "PORT", "diff", "--slot=1", "--", "DIR/-x.QMX"}
            << QStringList{"board", "--port", "PORT", "diff", "DOC", "--slot", "1"};
        QTest::newRow("a switch twice")
            << QStringList{"board", "--port", "PORT", "--yes", "play", "3", "--yes"} << play;
        QTest::newRow("repeated changes in order")
            << QStringList{"board", "trim", "--set=2=-7", "--port", "PORT", "--set", "1=5"}
            << QStringList{"board", "--port", "PORT", "trim", "--set", "2=-7", "--set", "1=5"};
    }
    void otherSpellings_sendTheSameFrames() {
        QFETCH(QStringList, given);
        QFETCH(QStringList, usual);
        ArgsRig rig;
        QVERIFY2(rig.host, qPrintable(rig.error));
        const qvxtest::CliRun a = rig.run(given);
        const QList<QByteArray> framesA = rig.takeFrames();
        const qvxtest::CliRun b = rig.run(usual);
        QVERIFY2(a.err == b.err, qPrintable(a.err + b.err));
        QCOMPARE(a.code, b.code);
        QVERIFY(!framesA.isEmpty());
        QCOMPARE(framesA, rig.takeFrames());
    }

    void refusalsAndFailures_oneLineOnStandardError_noResult_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("err");
        const QStringList board{"board", "--port", "PORT"};
        const auto usage = [](const char* verb, const char* problem) {
            return QStringLiteral("qvx %1: %2 (see qvx %1 --help)\n")
                .arg(QLatin1String(verb), QLatin1String(problem));
        };
        QTest::newRow("repeated option")
            << board + QStringList{"write", "DOC", "--slot", "0", "--slot", "1"} << false << 2
            << usage("board write", "--slot is given more than once");
        QTest::newRow("required option") << board + QStringList{"write", "DOC"} << false << 2
                                         << usage("board write", "--slot is required");
        QTest::newRow("missing value") << board + QStringList{"read", "3", "--out"} << false << 2
                                       << usage("board read", "missing value after '--out'");
        QTest::newRow("unknown option") << board + QStringList{"table", "--slot", "1"} << false << 2
                                        << usage("board table", "unknown option --slot");
        QTest::newRow("no action")
            << board + QStringList{"jump"} << false << 2 << usage("board", "no action jump");
        QTest::newRow("write slot 99")
            << board + QStringList{"--yes", "write", "DOC", "--slot", "99"} << false << 2
            << usage("board write", "--slot must be a motion slot 0..79, not 99");
        QTest::newRow("play 200") << board + QStringList{"play", "200"} << false << 2
                                  << usage("board play", "N must be a table row 0..84, not 200");
        QTest::newRow("delete without --yes") << board + QStringList{"delete", "4"} << false << 2
                                              << usage("board delete", "--yes is required");
        QTest::newRow("trim --set 25=0")
            << board + QStringList{"trim", "--set", "25=0"} << false << 2
            << usage("board trim",
                     "--set 25=0: give CH=OFFSET with CH 1..24 and OFFSET an integer");
        QTest::newRow("a second argument") << QStringList{"info", "DOC", "DOC"} << false << 2
                                           << usage("info", "unexpected argument DIR/walk.qmx");
        QTest::newRow("table, silent board")
            << board + QStringList{"table"} << true << 1
            << "qvx board table failed: The robot could not be put to sleep: the board did not "
               "answer (no reply to the attention byte within 300 ms on PORT)\n";
        QTest::newRow("diff, silent board")
            << board + QStringList{"diff", "DOC", "--slot", "0"} << true << 1
            << "qvx board diff failed: the robot could not be put to sleep: the board did not "
               "answer (no reply to the attention byte within 300 ms on PORT)\n";
        QTest::newRow("backup, silent board")
            << board + QStringList{"backup", "DIR/b.qbk"} << true << 1
            << "qvx board backup failed: Backup stopped: the robot could not be put to sleep: "
               "the board did not answer (no reply to the attention byte within 300 ms on "
               "PORT)\n";
        QTest::newRow("write answered No")
            << board + QStringList{"write", "DOC", "--slot", "2"} << false << 1
            << "As the data to input are more than thirty\nThe data of M4 would be deleted. Do "
               "you agree with this\nqvx board write failed: the question was not answered Yes "
               "(--yes answers it)\n";
        QTest::newRow("info missing.QMX")
            << QStringList{"info", "DIR/missing.QMX"} << false << 1
            << "qvx info failed: cannot read DIR/missing.QMX: No such file or directory\n";
        QTest::newRow("remote, no editor")
            << QStringList{"remote", "play", "3"} << false << 1
            << "qvx remote failed: no editor is running (nothing listens on SOCKET)\n";
    }
    void refusalsAndFailures_oneLineOnStandardError_noResult() {
        QFETCH(QStringList, args);
        QFETCH(bool, silent);
        QFETCH(int, code);
        QFETCH(QString, err);
        ArgsRig rig;
        QVERIFY2(rig.host, qPrintable(rig.error));
        rig.sim([silent](BoardSimulator& s) { s.setSilent(silent); });
        const qvxtest::CliRun r = rig.run(args);
        QCOMPARE(r.code, code);
        QCOMPARE(r.err, rig.expanded(err));
        if (code == 2) {
            QCOMPARE(r.out, QString());
            // A refused input sends nothing at all.
            QCOMPARE(rig.frames().size(), 0);
        } else {
            // Status lines may tell the steps; no row, name or value of a result.
            QVERIFY2(r.out.count(u'\n') <= 2, qPrintable(r.out));
        }
    }

    void verbose_logsTheLinkTheSimulatorAndTheFiles() {
        ArgsRig rig;
        QVERIFY2(rig.host, qPrintable(rig.error));
        qvxtest::CliRun r = rig.run({"-V", "resave", "DOC", "DIR/out.qmx"});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.contains(rig.expanded("qvx.doc: read \"DOC\"")), qPrintable(r.err));
        QVERIFY2(r.err.contains(rig.expanded("qvx.doc: wrote \"DIR/out.qmx\"")), qPrintable(r.err));
        QCOMPARE(rig.run({"resave", "DOC", "DIR/out.qmx"}).err, QString());

        // A simulator of its own, to see what it logs.
        QProcess sim;
        sim.start(QStringLiteral(QVX_CLI_PATH),
                  {"--verbose", "sim", "--link", rig.expanded("DIR/sim")});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(rig.expanded("DIR/sim")), 20000);
        r = rig.run({"--verbose", "board", "--port", "DIR/sim", "stop"});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.contains("qvx.link: sent \"F3 "), qPrintable(r.err));
        sim.terminate();
        QVERIFY(sim.waitForFinished(20000));
        QVERIFY(QString::fromUtf8(sim.readAllStandardError()).contains("qvx.sim: took \"F3 "));
    }
};

QVX_TEST_CLASS(CliArgsTest)
#include "CliArgsTest.moc"
