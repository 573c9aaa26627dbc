#include "ports/PortSession.h"
#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "common/RecordingServices.h"
#include "common/SimBoard.h"
#include "common/TestRegistry.h"
#include "sim/SimPtyHost.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace qvx;

// Choosing ports one after the other as a user does in the port box, and
// opening a device by its path as qvx does: what runs, what is open, what the
// status line says.
class PortSessionTest : public QObject {
    Q_OBJECT

  private slots:
    void simChosen_startsPowerCyclesAndStopsTheSimulatedBoard() {
        QTemporaryDir dir;
        qvxtest::RecordingServices services;
        BoardLink link;
        link.setServices(&services);
        PortSession session(link);
        const QString state = dir.filePath(QStringLiteral("simulated-board.state"));
        session.setSimStatePath(state);

        QVERIFY(session.choose(BoardLink::kSimPortIndex, QString()));
        QVERIFY(session.simIsOpen());
        const QString device = session.simDevice();
        QVERIFY(QFileInfo::exists(device));
        QCOMPARE(services.statuses, QStringList{QStringLiteral("SIM completion")});
        // The board answers on it.
        BoardCommands board(link);
        QByteArray info;
        QVERIFY2(board.ReadBoardInfo(info), qPrintable(link.lastFailure()));

        // Chosen again while open: the same board, switched off and on.
        services.clear();
        QVERIFY(session.choose(BoardLink::kSimPortIndex, QString()));
        QCOMPARE(session.simDevice(), device);
        QCOMPARE(services.statuses, QStringList{SimPtyHost::PowerCycledText()});

        // What it stores is kept in the state file across a stop.
        quint16 word = 0;
        QVERIFY(board.ReadOptionWord(true, word));
        QVERIFY(board.WriteOptionWord(true, word ^ 0x0001));

        // Another choice stops it.
        services.clear();
        QVERIFY(!session.choose(0, QString()));
        QVERIFY(!link.isOpen());
        QVERIFY(!session.simIsOpen());
        QVERIFY(session.simDevice().isEmpty());
        QVERIFY(!QFileInfo::exists(device));
        QCOMPARE(services.statuses, QStringList{QStringLiteral("Close")});
        QVERIFY(session.choose(BoardLink::kSimPortIndex, QString()));
        quint16 kept = 0;
        QVERIFY(board.ReadOptionWord(true, kept));
        QCOMPARE(kept, quint16(word ^ 0x0001));
    }

    void pathOpened_quietlyAndNamedByItsPath() {
        qvxtest::SimBoard board;
        QVERIFY2(board.host, qPrintable(board.error));
        qvxtest::RecordingServices services;
        BoardLink link;
        link.setServices(&services);
        PortSession session(link);

        QVERIFY(session.openPath(board.port));
        QVERIFY(link.isOpen());
        QCOMPARE(link.portName(), board.port);
        QVERIFY(services.statuses.isEmpty());

        const QString missing = board.dir.filePath(QStringLiteral("no-such-port"));
        QVERIFY(!session.openPath(missing));
        QVERIFY(!link.isOpen());
        QVERIFY2(session.openFailure().startsWith(missing), qPrintable(session.openFailure()));
        QVERIFY(services.statuses.isEmpty());
    }
};

QVX_TEST_CLASS(PortSessionTest)
#include "PortSessionTest.moc"
