#include "app/RemoteServer.h"
#include "common/CliRun.h"
#include "common/SimBoard.h"
#include "common/TestRegistry.h"
#include "compiler/MotionTransfer.h"
#include "document/DocumentFile.h"
#include "flows/FlowFixture.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using namespace qvx;

// qvx board against a simulated board behind a pseudo-terminal, and qvx
// remote against a listening remote command socket, each as a process of its own.
class CliBoardTest : public QObject {
    Q_OBJECT

    using Run = qvxtest::CliRun;
    // Runs qvx without blocking this thread's event loop (the socket server
    // of the remote tests lives on it).
    static Run qvx(const QStringList& args,
                   const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
        qvxtest::CliSetup setup;
        setup.env = env;
        return qvxtest::runQvx(args, setup);
    }

  private slots:
    void board_writeTableReadPlayDelete_endToEnd() {
        qvxtest::SimBoard board;
        QVERIFY2(board.host, qPrintable(board.error));
        const QTemporaryDir& dir = board.dir;
        const QString link = board.port;
        auto& host = board.host;
        const QStringList port{QStringLiteral("board"), QStringLiteral("--port"), link};

        // A document of 35 poses: 36 records, the question answered with --yes.
        qvxtest::RecordingServices services;
        Chart chart = longChain(35);
        MotionHeader header;
        header.MotionName = QStringLiteral("Long one");
        DocumentContext ctx{chart, header, services};
        const QString doc = dir.filePath(QStringLiteral("long.qmx"));
        QVERIFY(DocumentFile::SaveDocument(ctx, doc, false));

        Run r = qvx(port + QStringList{"write", doc, "--slot", "6"});
        QCOMPARE(r.code, 1); // the question was answered No
        QVERIFY(r.err.contains(QStringLiteral("The data of M8 would be deleted")));
        r = qvx(port + QStringList{"--yes", "write", doc, "--slot", "6"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains(QStringLiteral("Writing succeeded")));

        r = qvx(port + QStringList{"table"});
        QCOMPARE(r.code, 0);
        const QStringList rows = r.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 85);
        QVERIFY(rows[6].startsWith(QStringLiteral("M7    36  ")));
        QVERIFY(rows[6].endsWith(QStringLiteral("Long one")));

        const QString out = dir.filePath(QStringLiteral("back.qmx"));
        r = qvx(port + QStringList{"read", "6", "--out", out});
        QCOMPARE(r.code, 0);
        // In English throughout, each step once.
        QVERIFY2(r.out.contains(QStringLiteral("PCT is read\n")), qPrintable(r.out));
        QCOMPARE(r.out.count(QStringLiteral("Reading succeeded")), 1);
        QVERIFY(!r.out.contains(MotionTransfer::PctReadText()));
        Chart back;
        MotionHeader backHeader;
        DocumentContext backCtx{back, backHeader, services};
        QVERIFY(DocumentFile::OpenDocument(backCtx, out));
        QCOMPARE(back.itemCount(), 35);
        QCOMPARE(backHeader.MotionName, QStringLiteral("Long one"));
        Compiler a, b;
        QVERIFY(a.CompileMotionChart(chart, services));
        QVERIFY(b.CompileMotionChart(back, services));
        QCOMPARE(b.MotionImage(), a.MotionImage());

        QCOMPARE(qvx(port + QStringList{"play", "6"}).code, 0);
        QTRY_COMPARE(
            host->withSimulator([](BoardSimulator& s) { return s.startedMotions.value(0); }), 6);
        QCOMPARE(qvx(port + QStringList{"stop"}).code, 0);
        QCOMPARE(qvx(port + QStringList{"pause"}).code, 0);
        QCOMPARE(qvx(port + QStringList{"delete", "6"}).code, 2); // asks for --yes
        r = qvx(port + QStringList{"delete", "6", "--yes"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QString()); // the question --yes answered is not shown
        QVERIFY(r.out.contains(QStringLiteral("Data deletion is done")));
        QCOMPARE(host->withSimulator([](BoardSimulator& s) { return s.stored().table[6][0]; }),
                 char(0));
        // Reading the emptied slot fails with the reading flow's text.
        r = qvx(port + QStringList{"read", "6", "--out", out});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QStringLiteral("qvx board read failed: There are no data.\n"));
    }

    void board_writeVerify_failsOnARecordKeptDifferently() {
        qvxtest::SimBoard board;
        QVERIFY2(board.host, qPrintable(board.error));
        const QTemporaryDir& dir = board.dir;
        const QString link = board.port;
        auto& host = board.host;
        const QStringList port{QStringLiteral("board"), QStringLiteral("--port"), link};
        qvxtest::RecordingServices services;
        Chart chart = longChain(3);
        MotionHeader header;
        DocumentContext ctx{chart, header, services};
        const QString doc = dir.filePath(QStringLiteral("short.qmx"));
        QVERIFY(DocumentFile::SaveDocument(ctx, doc, false));

        QCOMPARE(qvx(port + QStringList{"table", "--verify"}).code, 2);
        host->withSimulator(
            [](BoardSimulator& s) { s.setFaultyRecord(5 * 30 + 1); }); // M6, record 2
        Run r = qvx(port + QStringList{"write", doc, "--slot", "5", "--verify"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.startsWith(QStringLiteral("Record 2 of M6 reads back differently")),
                 qPrintable(r.out + r.err));
        const QString asleep =
            QStringLiteral(". The robot is left asleep: press Sleep to wake it\n");
        QVERIFY2(r.err.endsWith("\nqvx board write failed: Writing stopped: M6 record 2 reads back "
                                "differently from what was written" +
                                asleep),
                 qPrintable(r.err));
        QCOMPARE(host->withSimulator([](BoardSimulator& s) { return s.stored().table[5][0]; }),
                 char(0));
        // A read-back that fails: the sleep takes five answers, then record 1
        // is written and read, record 2 written.
        host->withSimulator([](BoardSimulator& s) {
            s.setFaultyRecord(-1);
            s.injectFault(BoardSimulator::Fault::BadChecksum, 1, 8);
        });
        r = qvx(port + QStringList{"write", doc, "--slot", "5", "--verify"});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, "qvx board write failed: Writing stopped: reading back M6 record 2: the "
                        "board's answer had a wrong checksum" +
                            asleep);
        QVERIFY(host->withSimulator(
            [](BoardSimulator& s) { return s.working().option & BoardCommands::kOptSleep; }));
        host->withSimulator([](BoardSimulator& s) { s.setFaultyRecord(5 * 30 + 1); });
        // Unverified, the same write is taken as good.
        QCOMPARE(qvx(port + QStringList{"write", doc, "--slot", "5"}).code, 0);
        host->withSimulator([](BoardSimulator& s) { s.setFaultyRecord(-1); });
        QCOMPARE(qvx(port + QStringList{"write", doc, "--slot", "5", "--verify"}).code, 0);
    }

    void board_aPortThatGoesAway_isNamedByItsPath() {
        qvxtest::SimBoard board;
        QVERIFY2(board.host, qPrintable(board.error));
        const QString link = board.port;
        auto& host = board.host;
        // The first answer is held back until the simulator has gone.
        host->withSimulator([](BoardSimulator& s) {
            s.setFaultDelayMs(60000);
            s.injectFault(BoardSimulator::Fault::Delay);
        });
        QProcess p;
        p.start(QStringLiteral(QVX_CLI_PATH), {"board", "--port", link, "table"});
        QTRY_VERIFY_WITH_TIMEOUT(
            host->withSimulator([](BoardSimulator& s) { return !s.frames.isEmpty(); }), 30000);
        host.reset();
        QVERIFY(p.waitForFinished(30000));
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), 1);
        QCOMPARE(err, "qvx board table failed: The robot could not be put to sleep: " +
                          link + " was disconnected\n");
        QVERIFY2(out.startsWith(link + " was disconnected\n"), qPrintable(out));
        QVERIFY(!out.contains(QStringLiteral("COM1")));
    }

    void board_diff_comparesTheDocumentWithTheSlot() {
        qvxtest::SimBoard board;
        QVERIFY2(board.host, qPrintable(board.error));
        const QTemporaryDir& dir = board.dir;
        const QString link = board.port;
        const QStringList port{QStringLiteral("board"), QStringLiteral("--port"), link};
        qvxtest::RecordingServices services;
        Chart chart = longChain(14);
        MotionHeader header;
        header.MotionName = QStringLiteral("Bow");
        DocumentContext ctx{chart, header, services};
        const QString doc = dir.filePath(QStringLiteral("bow.qmx"));
        QVERIFY(DocumentFile::SaveDocument(ctx, doc, false));

        // Nothing in M4 yet: the entry counts no records, every record differs.
        Run r = qvx(port + QStringList{"diff", doc, "--slot", "3"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.out.contains(QStringLiteral("records: file 15, board 0")), qPrintable(r.out));
        QVERIFY(r.out.contains(QStringLiteral("board (none)")));
        QVERIFY(r.out.contains(QStringLiteral("... and 5 more records differ")));

        QCOMPARE(qvx(port + QStringList{"write", doc, "--slot", "3"}).code, 0);
        r = qvx(port + QStringList{"diff", doc, "--slot", "3"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains(QStringLiteral("M4 holds ")));

        // One pose value and the name changed in the document.
        chart.items[2].values[5] = quint16(chart.items[2].values[5] + 1);
        header.MotionName = QStringLiteral("Bow low");
        header.MotionCtrl = 0x12;
        QVERIFY(DocumentFile::SaveDocument(ctx, doc, false));
        r = qvx(port + QStringList{"diff", doc, "--slot", "3"});
        QCOMPARE(r.code, 1);
        const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[1], QStringLiteral("name: file \"Bow low\", board \"Bow\""));
        QCOMPARE(lines[2], QStringLiteral("control: file 0012, board FFFF"));
        QVERIFY(lines[3].startsWith(QStringLiteral("file  003 ")));
        QVERIFY(lines[4].startsWith(QStringLiteral("board 003 ")));

        QCOMPARE(qvx(port + QStringList{"diff", doc, "--slot", "80"}).code, 2);
        QCOMPARE(qvx(port + QStringList{"diff", doc}).code, 2);

        // A scenario: --slot names the scenario, steps are compared as motion numbers.
        qvxtest::ChartMaker m;
        m.chart.documentKind = ScenarioChart;
        const int a = m.item("A", KindMot, 2), b = m.item("B", KindMot, 0), c = m.item("C", KindMot, 5);
        m.next(a, b);
        m.next(b, c);
        m.chart.startItem = a;
        MotionHeader sh;
        sh.MotionName = QStringLiteral("Show");
        DocumentContext sctx{m.chart, sh, services};
        const QString show = dir.filePath(QStringLiteral("show.qmx"));
        QVERIFY(DocumentFile::SaveDocument(sctx, show, false));
        QCOMPARE(qvx(port + QStringList{"diff", show, "--slot", "5"}).code, 2);
        QCOMPARE(qvx(port + QStringList{"write", show, "--slot", "1"}).code, 0);
        r = qvx(port + QStringList{"diff", show, "--slot", "1"});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains(QStringLiteral("S2 holds ")), qPrintable(r.out + r.err));
        m.chart.items[size_t(b)].lead = 7;
        QVERIFY(DocumentFile::SaveDocument(sctx, show, false));
        r = qvx(port + QStringList{"diff", show, "--slot", "1"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.out.contains(QStringLiteral("step 2: file M8, board M1")), qPrintable(r.out));
        r = qvx(port + QStringList{"diff", show, "--slot", "0"});
        QVERIFY(r.out.contains(QStringLiteral("steps: file 3, board 0")));
    }

    void board_usageAndMissingPort() {
        QCOMPARE(qvx({"board", "table"}).code, 2);
        QCOMPARE(qvx({"board", "--port", "/nonexistent/tty", "write", "x.qmx"}).code, 2);
        QCOMPARE(qvx({"board", "--port", "/nonexistent/tty", "jump"}).code, 2);
        const Run r = qvx({"board", "--port", "/nonexistent/tty", "stop"});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains(QStringLiteral("/nonexistent/tty does not exist")));
    }

    void remote_sendsMessagesToTheRunningEditor() {
        QTemporaryDir runtime, settings;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("QVX_CONFIG_DIR"), settings.path());
        QCOMPARE(qvx({"remote", "play", "3"}, env).code, 1); // nobody listens

        RemoteServer server;
        QList<QPair<quint32, quint32>> got;
        server.handler = [&](quint32 w, quint32 l) {
            got.append({w, l});
            return l != 99;
        };
        // qvx finds the socket of the editor using the same settings folder.
        QVERIFY(server.listen(RemoteServer::PathFor(runtime.path(), settings.path())));
        QCOMPARE(QFile::permissions(server.path()) &
                     (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
                 QFile::Permissions());

        Run r = qvx({"remote", "play", "3"}, env);
        QCOMPARE(r.code, 0);
        r = qvx({"remote", "message", "0x01001234", "-1"}, env);
        QCOMPARE(r.code, 0);
        r = qvx({"remote", "play", "99"}, env);
        QCOMPARE(r.code, 1);
        QCOMPARE(got, (QList<QPair<quint32, quint32>>{{0, 3}, {0x01001234, 0xFFFFFFFF}, {0, 99}}));
        QCOMPARE(qvx({"remote", "message", "1"}, env).code, 2);
    }
};

QVX_TEST_CLASS(CliBoardTest)
#include "CliBoardTest.moc"
