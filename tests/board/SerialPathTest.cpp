#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "common/RecordingServices.h"
#include "common/SimBoard.h"
#include "common/TestRegistry.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace qvx;

// The real serial path: QSerialPort on a pseudo-terminal, the simulated board
// on the other side.
class SerialPathTest : public QObject {
    Q_OBJECT
  private:
    struct Rig : qvxtest::SimBoard {
        qvxtest::RecordingServices services;
        BoardLink link;
        BoardCommands board{link};

        explicit Rig(const QString& state = {}) : Rig(keptIn(state)) {}
        explicit Rig(const SimPtyHost::Options& options) : SimBoard(options) {
            link.setServices(&services);
            link.setTimeouts(100, 150);
        }
    };

  private slots:
    void simPort_opensAndExchangesRecords() {
        Rig rig;
        QVERIFY(rig.host);
        QVERIFY(rig.link.OpenCommPort(BoardLink::kSimPortIndex, rig.host->devicePath()));
        QCOMPARE(rig.services.statuses, QStringList{"SIM completion"});

        MotionRecord r;
        r.lead = 0x0D; // bytes that look like attention bytes inside a frame
        for (int k = 0; k < 24; ++k)
            r.words[size_t(k)] = quint16(0x0D0D + k);
        QVERIFY(rig.board.WriteMotionRecord(true, 7, 3, r));
        MotionRecord back;
        QVERIFY(rig.board.ReadMotionRecord(true, 7, 3, back));
        QCOMPARE(back, r);
        QVERIFY(rig.board.UpdateTableEntry(7, 4, 0xFFFFFF, QStringLiteral("Bow"), QDateTime(), 0));
        QByteArray entry;
        QVERIFY(rig.board.ReadTableEntry(7, entry));
        QCOMPARE(entry.mid(10, 4), QByteArray("Bow\0", 4));
        QCOMPARE(rig.services.busyDepth, 0);
    }

    // The link waits for an answer in the event loop until shortly before it
    // is due, then waits on the device itself, then goes back to the event loop: an
    // answer must be taken whenever it comes within the time-out, the window
    // must keep taking events meanwhile, and a late one must fail by name.
    void answerTiming_data() {
        QTest::addColumn<bool>("atLineSpeed");
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<QString>("failure");
        QTest::newRow("at the line's speed") << true << 0 << QString();
        QTest::newRow("at once") << false << 0 << QString();
        QTest::newRow("after the wait on the device") << true << 15 << QString();
        QTest::newRow("shortly before the time-out") << false << 80 << QString();
        QTest::newRow("after the time-out")
            << false << 400
            << QStringLiteral("the board's answer was incomplete (0 of 3 bytes within 100 ms)");
    }
    void answerTiming() {
        QFETCH(bool, atLineSpeed);
        QFETCH(int, delayMs);
        QFETCH(QString, failure);
        Rig rig(atLineSpeed ? qvxtest::SimBoard::paced() : SimPtyHost::Options{});
        QVERIFY(rig.link.OpenCommPort(BoardLink::kSimPortIndex, rig.host->devicePath()));
        rig.link.AttemptCount = 1;
        rig.sim([&](BoardSimulator& sim) {
            sim.stored().option = 0x1234;
            sim.setFaultDelayMs(delayMs);
            if (delayMs > 0) sim.injectFault(BoardSimulator::Fault::Delay);
        });
        // A timer due while the answer is awaited fires before the exchange ends.
        bool timerFired = false;
        if (delayMs >= 15) QTimer::singleShot(5, &rig.link, [&] { timerFired = true; });
        quint16 w = 0;
        const bool ok = rig.board.ReadOptionWord(true, w);
        QCOMPARE(timerFired, delayMs >= 15);
        QCOMPARE(rig.link.lastFailure(), failure);
        QCOMPARE(ok, failure.isEmpty());
        if (ok) QCOMPARE(w, quint16(0x1234));
    }

    void playbackReport_arrivesThroughTheFramer() {
        Rig rig;
        QVERIFY(rig.link.OpenCommPort(BoardLink::kSimPortIndex, rig.host->devicePath()));
        rig.host->withSimulator([](BoardSimulator& sim) {
            MotionRecord pose;
            pose.lead = 3;
            pose.words.fill(9000);
            sim.stored().records[2 * BoardSimulator::kRecordsPerSlot] = pose;
            sim.stored().table[2][0] = 2;
        });
        QVERIFY(rig.board.WriteOptionWord(false, BoardCommands::kOptPlaybackReport));
        QVERIFY(rig.board.PlayMotion(2));
        QTRY_COMPARE(rig.services.statuses.last(), QStringLiteral("[2]Playback is done"));
        BoardCommands::Words pose{};
        QVERIFY(rig.board.ReadCurrentPose(pose));
        QCOMPARE(pose[0], quint16(9000));
    }

    void silentBoard_failsAndSecondOpenIsRefused() {
        Rig rig;
        QVERIFY(rig.link.OpenCommPort(BoardLink::kSimPortIndex, rig.host->devicePath()));
        rig.host->withSimulator([](BoardSimulator& sim) { sim.setSilent(true); });
        quint16 w = 0;
        QVERIFY(!rig.board.ReadOptionWord(false, w));
        QCOMPARE(rig.host->withSimulator([](BoardSimulator& sim) { return sim.frames.size(); }), 0);

        // The port is held exclusively.
        qvxtest::RecordingServices services;
        BoardLink other;
        other.setServices(&services);
        QVERIFY(!other.OpenCommPort(4, rig.host->devicePath()));
        QCOMPARE(services.statuses, QStringList{"COM4 does not exist"});
    }

    void vanishedDevice_isReportedOnceAndClosed() {
        Rig rig;
        QVERIFY(rig.link.OpenCommPort(BoardLink::kSimPortIndex, rig.host->devicePath()));
        QSignalSpy lost(&rig.link, &BoardLink::portLost);
        rig.host.reset();
        QTRY_VERIFY(!rig.link.isOpen());
        // The port is gone, so a second report could only come from events the
        // dying device had already posted; a marker posted now arrives after them.
        bool markerArrived = false;
        QMetaObject::invokeMethod(
            &rig.link, [&] { markerArrived = true; }, Qt::QueuedConnection);
        QTRY_VERIFY(markerArrived);
        QCOMPARE(lost.count(), 1);
        QCOMPARE(rig.services.statuses.last(), QStringLiteral("SIM was disconnected"));
        quint16 w = 0;
        QVERIFY(!rig.board.ReadOptionWord(false, w));
    }

    void storedMotion_survivesSimulatorRestart() {
        QTemporaryDir dir;
        const QString state = dir.filePath(QStringLiteral("board.state"));
        MotionRecord r;
        r.lead = 77;
        r.words.fill(4321);
        {
            Rig rig(state);
            QVERIFY(rig.link.OpenCommPort(BoardLink::kSimPortIndex, rig.host->devicePath()));
            QVERIFY(rig.board.WriteMotionRecord(true, 79, 29, r));
        }
        Rig rig(state);
        QVERIFY(rig.link.OpenCommPort(BoardLink::kSimPortIndex, rig.host->devicePath()));
        MotionRecord back;
        QVERIFY(rig.board.ReadMotionRecord(true, 79, 29, back));
        QCOMPARE(back, r);
    }
};

QVX_TEST_CLASS(SerialPathTest)
#include "SerialPathTest.moc"
