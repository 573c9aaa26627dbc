#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "common/CliRun.h"
#include "common/RecordingServices.h"
#include "common/TestRegistry.h"
#include "sim/SimPtyHost.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace qvx;

namespace {

// `qvx sim` in a process of its own with the link to it open.
struct SimProcess {
    QTemporaryDir dir;
    QString linkPath = dir.filePath(QStringLiteral("qmx"));
    QString statePath = dir.filePath(QStringLiteral("board.state"));
    QProcess process;
    qvxtest::RecordingServices services;
    BoardLink link;
    BoardCommands board{link};

    // Starts it and opens the link; false when either fails.
    bool start() {
        process.start(QStringLiteral(QVX_CLI_PATH),
                      {QStringLiteral("sim"), QStringLiteral("--link"), linkPath,
                       QStringLiteral("--state"), statePath});
        if (!process.waitForStarted()) return false;
        if (!QTest::qWaitFor([this] { return QFileInfo(linkPath).isSymLink(); }, 10000))
            return false;
        link.setServices(&services);
        link.setTimeouts(200, 300);
        return link.OpenCommPort(1, linkPath);
    }
    // Closes the link and stops the process; its exit status.
    int stop() {
        link.OpenCommPort(0, QString());
        process.terminate();
        return process.waitForFinished(10000) ? process.exitCode() : -1;
    }
};

} // namespace

// `qvx sim`: a simulated board in a process of its own, reached through the link.
class SimCommandTest : public QObject {
    Q_OBJECT
  private slots:
    void simCommand_servesTheLinkUntilTerminated() {
        SimProcess sim;
        QVERIFY(sim.start());
        QVERIFY(sim.board.WriteChannelName(4, QStringLiteral("Elbow")));
        QCOMPARE(sim.stop(), 0);
        QVERIFY(!QFileInfo::exists(sim.linkPath));
        QVERIFY(QFileInfo(sim.statePath).size() > 0);
    }

    void sigusr1_switchesTheBoardOffAndOn_keepingItsMemory() {
        SimProcess sim;
        QVERIFY(sim.start());
        BoardCommands& board = sim.board;
        // The servo setup's opening: SVP mode from the next power-up on. A
        // live trim changes only the working copy.
        QVERIFY(board.SetOptionBit14(0));
        board.SetTrimLive(0, 16000);
        quint16 working = 0;
        QVERIFY(board.ReadOptionWord(false, working) && !(working & BoardCommands::kOptSvp));

        ::kill(pid_t(sim.process.processId()), SIGUSR1);
        QString out;
        QTRY_VERIFY_WITH_TIMEOUT((out += QString::fromUtf8(sim.process.readAllStandardOutput()),
                                  out.contains(SimPtyHost::PowerCycledText())),
                                 10000);
        QVERIFY(board.ReadOptionWord(false, working));
        QCOMPARE(working, BoardCommands::kOptSvp);
        BigEndian::Words trim{};
        QVERIFY(board.ReadTrimData(false, trim));
        QCOMPARE(trim[0], QmxBoard::kNeutralTrim);
        QCOMPARE(sim.stop(), 0);
    }

    // One simulated board a link: a second one on the same path is refused,
    // naming the first; stopping removes the link only while it is its own.
    void secondSimOnTheLink_refusedAndTheLinkKeptWhenReplaced() {
        SimProcess sim;
        QVERIFY(sim.start());
        const qvxtest::CliRun second =
            qvxtest::runQvx({QStringLiteral("sim"), QStringLiteral("--link"), sim.linkPath}, 10000);
        QCOMPARE(second.code, 1);
        QCOMPARE(second.err.trimmed(),
                 QStringLiteral("%1 is in use by another simulated board (process %2, qvx)")
                     .arg(sim.linkPath)
                     .arg(sim.process.processId()));
        // The first one still serves its link.
        QVERIFY(sim.board.WriteChannelName(4, QStringLiteral("Elbow")));

        // Someone points the link elsewhere: it stays when the board stops.
        QVERIFY(QFile::remove(sim.linkPath));
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), sim.linkPath));
        QCOMPARE(sim.stop(), 0);
        QCOMPARE(QFileInfo(sim.linkPath).symLinkTarget(), QStringLiteral("/dev/null"));
    }

    void simCommand_withoutLink_isAUsageError() {
        QCOMPARE(qvxtest::runQvx({QStringLiteral("sim")}, 10000).code, 2);
    }
};

QVX_TEST_CLASS(SimCommandTest)
#include "SimCommandTest.moc"
