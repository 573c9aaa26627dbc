#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "common/RecordingServices.h"
#include "common/TestRegistry.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace qvx;

// `qvx sim`: a simulated board in a process of its own, reached through the link.
class SimCommandTest : public QObject {
    Q_OBJECT
  private slots:
    void simCommand_servesTheLinkUntilTerminated() {
        QTemporaryDir dir;
        const QString linkPath = dir.filePath(QStringLiteral("qmx"));
        const QString state = dir.filePath(QStringLiteral("board.state"));
        QProcess sim;
        sim.start(QStringLiteral(QVX_CLI_PATH), {QStringLiteral("sim"), QStringLiteral("--link"),
                                                 linkPath, QStringLiteral("--state"), state});
        QVERIFY(sim.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(linkPath).isSymLink(), 10000);

        qvxtest::RecordingServices services;
        BoardLink link;
        link.setServices(&services);
        link.setTimeouts(200, 300);
        BoardCommands board(link);
        QVERIFY(link.OpenCommPort(1, linkPath));
        QVERIFY(board.WriteChannelName(4, QStringLiteral("Elbow")));
        link.OpenCommPort(0, QString());

        sim.terminate();
        QVERIFY(sim.waitForFinished(10000));
        QCOMPARE(sim.exitCode(), 0);
        QVERIFY(!QFileInfo::exists(linkPath));
        QVERIFY(QFileInfo(state).size() > 0);
    }

    void simCommand_withoutLink_isAUsageError() {
        QProcess sim;
        sim.start(QStringLiteral(QVX_CLI_PATH), {QStringLiteral("sim")});
        QVERIFY(sim.waitForFinished(10000));
        QCOMPARE(sim.exitCode(), 2);
    }
};

QVX_TEST_CLASS(SimCommandTest)
#include "SimCommandTest.moc"
