#include "BoardFixture.h"
#include "common/TestRegistry.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace qvx;
using Fault = BoardSimulator::Fault;

// One exchange: answer kinds, retries, time-outs and refusal of a second
// exchange while one waits.
class TransactTest : public QObject {
    Q_OBJECT
  private slots:
    void ackAnswer_acceptedOnlyAs06() {
        BoardFixture fx;
        QVERIFY(fx.board.StopMotion());
        fx.sim.injectFault(Fault::BadAck);
        QVERIFY(!fx.board.StopMotion());
        QCOMPARE(fx.sim.frames.size(), 2); // a wrong acknowledge is not retried
    }

    void dataAnswerWithWrongChecksum_failsWithoutRetry() {
        BoardFixture fx;
        fx.sim.injectFault(Fault::BadChecksum);
        quint16 w = 0;
        QVERIFY(!fx.board.ReadOptionWord(true, w));
        QCOMPARE(fx.sim.frames.size(), 1);
        QVERIFY(fx.board.ReadOptionWord(true, w));
    }

    void shortAnswer_isRetriedWithNewAttention() {
        BoardFixture fx;
        fx.sim.injectFault(Fault::ShortAnswer, 2);
        QByteArray entry;
        QVERIFY(fx.board.ReadTableEntry(0, entry));
        QCOMPARE(fx.sim.frames.size(), 3);
        // Each attempt starts with its own attention byte.
        QCOMPARE(fx.transport->written, QByteArray::fromHex("0DF500F5").repeated(3));
    }

    void shortAnswerEveryTime_failsAfterFiveAttempts() {
        BoardFixture fx;
        fx.sim.injectFault(Fault::ShortAnswer, 10);
        QByteArray entry;
        QVERIFY(!fx.board.ReadTableEntry(0, entry));
        QCOMPARE(fx.sim.frames.size(), 5);
        QVERIFY(entry.isEmpty());
    }

    void silentBoard_failsAfterOneTimeout() {
        BoardFixture fx;
        fx.sim.setSilent(true);
        QByteArray entry;
        QVERIFY(!fx.board.ReadTableEntry(0, entry));
        // Only the attention byte went out, once; the frame was never sent.
        QCOMPARE(fx.transport->written, QByteArray("\r"));
        QVERIFY(fx.sim.frames.isEmpty());
        QCOMPARE(fx.services.busyDepth, 0);
    }

    void noAnswerToAck_isRetriedAsShort() {
        BoardFixture fx;
        fx.sim.injectFault(Fault::NoAnswer);
        QVERIFY(fx.board.PlayMotion(1));
        QCOMPARE(fx.sim.frames.size(), 2);
    }

    void answerDelayedPastTimeout_isRetried() {
        BoardFixture fx;
        fx.sim.setFaultDelayMs(BoardFixture::kTimeoutMs * 3);
        fx.sim.injectFault(Fault::Delay);
        // Each piece the board sends is one receive event: the acknowledge of
        // each attention byte, the answer to the retry and the late answer.
        QSignalSpy arrivals(fx.transport->device(), &QIODevice::readyRead);
        quint16 w = 1;
        QVERIFY(fx.board.ReadOptionWord(false, w));
        QCOMPARE(w, quint16(0));
        QCOMPARE(fx.sim.frames.size(), 2);
        // The late answer turns up outside any exchange and is dropped as noise:
        // a report sent after it is the only one that comes out, whole.
        QSignalSpy reports(&fx.link, &BoardLink::reportReceived);
        QTRY_COMPARE_WITH_TIMEOUT(arrivals.count(), 4, 5000);
        const QByteArray marker = QByteArray::fromHex("FD0102030405060708");
        fx.transport->pushFromBoard(marker);
        QVERIFY(reports.wait(5000));
        QCOMPARE(reports.count(), 1);
        QCOMPARE(reports[0][0].toByteArray(), marker);
        QVERIFY(fx.board.ReadOptionWord(false, w));
    }

    void reportInsideAnswer_failsAndNextCommandWorks() {
        BoardFixture fx;
        fx.sim.injectFault(Fault::ReportInAnswer);
        QByteArray entry;
        QVERIFY(!fx.board.ReadTableEntry(2, entry));
        QVERIFY(fx.board.ReadTableEntry(2, entry));
        QCOMPARE(entry.size(), 42);
    }

    void commandWhileOneWaits_failsAtOnceWithoutTouchingThePort() {
        BoardFixture fx;
        fx.sim.setFaultDelayMs(BoardFixture::kTimeoutMs / 2);
        fx.sim.injectFault(Fault::Delay);
        bool nestedResult = true;
        QByteArray writtenBefore, writtenAfter;
        int busyInside = -1;
        QTimer::singleShot(BoardFixture::kTimeoutMs / 8, this, [&] {
            writtenBefore = fx.transport->written;
            nestedResult = fx.board.PlayMotion(5);
            writtenAfter = fx.transport->written;
            busyInside = fx.services.busyDepth;
        });
        QByteArray entry;
        QVERIFY(fx.board.ReadTableEntry(7, entry));
        QVERIFY(!nestedResult);
        QVERIFY(!writtenBefore.isEmpty());
        QCOMPARE(writtenAfter, writtenBefore);
        QCOMPARE(busyInside, 1); // the refused command did not clear the running one's mark
        QCOMPARE(fx.services.busyDepth, 0);
        QCOMPARE(fx.transport->written, QByteArray::fromHex("0D"
                                                            "F507FC"));
    }

    void liveCommand_readsNoAnswer() {
        BoardFixture fx;
        QVERIFY(fx.board.SetAdLive(0, 100));
        QVERIFY(!fx.board.SetTrimLive(0, 100)); // reports false by design
        QVERIFY(fx.board.MoveChannel(0, 100));
        QCOMPARE(fx.sim.frames.size(), 3);
    }

    void openCommPort_statusTexts() {
        qvxtest::RecordingServices services;
        BoardLink link;
        link.setServices(&services);
        QVERIFY(link.OpenCommPort(0, QString()));
        QVERIFY(!link.OpenCommPort(3, QStringLiteral("/nonexistent/ttyQVX3")));
        QVERIFY(!link.isOpen());
        BoardSimulator sim;
        QVERIFY(link.OpenTransport(BoardLink::kSimPortIndex, std::make_unique<SimTransport>(sim)));
        auto failing = std::make_unique<SimTransport>(sim);
        failing->failOpen = true;
        QVERIFY(!link.OpenTransport(BoardLink::kSimPortIndex, std::move(failing)));
        QCOMPARE(services.statuses, (QStringList{"Close", "COM3 does not exist", "SIM completion",
                                                 "SIM does not exist"}));
    }

    void closedPort_commandFails() {
        BoardFixture fx;
        fx.link.OpenCommPort(0, QString());
        quint16 w = 0;
        QVERIFY(!fx.board.ReadOptionWord(false, w));
        QCOMPARE(fx.services.busyDepth, 0);
    }

    void unpluggedPort_isReportedOnceAndClosed() {
        BoardFixture fx;
        QSignalSpy lost(&fx.link, &BoardLink::portLost);
        fx.sim.setSilent(true);
        QTimer::singleShot(5, fx.transport, [&] {
            fx.transport->unplug();
            fx.transport->unplug();
        });
        QByteArray entry;
        QVERIFY(!fx.board.ReadTableEntry(0, entry));
        QVERIFY(!fx.link.isOpen());
        QCOMPARE(lost.count(), 1);
        QCOMPARE(fx.services.statuses, QStringList{"COM1 was disconnected"});
    }
};

QVX_TEST_CLASS(TransactTest)
#include "TransactTest.moc"
