#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "common/RecordingServices.h"
#include "common/SimBoard.h"
#include "common/TestRegistry.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using namespace qvx;

namespace {

MotionRecord sample(int i) {
    MotionRecord r;
    r.lead = quint8(20 + i);
    for (int k = 0; k < 24; ++k)
        r.words[size_t(k)] = quint16(0x0D00 + i * 24 + k);
    return r;
}

} // namespace

// The paced simulator holds its line to 115200 bit/s, 10 bits a byte: what
// crosses it takes at least its wire time, and answers it hands on in pieces
// arrive whole and in order.
class SimPacingTest : public QObject {
    Q_OBJECT
  private:
    struct Rig : qvxtest::SimBoard {
        qvxtest::RecordingServices services;
        BoardLink link;
        BoardCommands board{link};

        Rig() : SimBoard(paced()) { link.setServices(&services); }
    };

  private slots:
    void recordsWrittenAndRead_takeAtLeastTheirWireTime() {
        Rig rig;
        QVERIFY(rig.host);
        QVERIFY(rig.link.OpenCommPort(BoardLink::kSimPortIndex, rig.host->devicePath()));
        QElapsedTimer t;
        t.start();
        constexpr int kRecords = 6;
        for (int i = 0; i < kRecords; ++i)
            QVERIFY(rig.board.WriteMotionRecord(true, 3, i, sample(i)));
        for (int i = 0; i < kRecords; ++i) {
            MotionRecord back;
            QVERIFY(rig.board.ReadMotionRecord(true, 3, i, back));
            QCOMPARE(back, sample(i));
        }
        const qint64 elapsed = t.nsecsElapsed();
        // Per exchange: the attention byte and its answer, the frame, the answer.
        const qint64 writeBytes =
            1 + 1 + QmxBoard::FrameLength(QmxBoard::Command::WriteMotionRecord) + 1;
        const qint64 readBytes = 1 + 1 +
                                 QmxBoard::FrameLength(QmxBoard::Command::ReadMotionRecord) +
                                 MotionRecord::kSize + 1;
        QVERIFY2(elapsed >= kRecords * (writeBytes + readBytes) * SimPtyHost::kByteNs,
                 qPrintable(QString::number(elapsed / 1000) + " us"));
    }

    void reportBehindAnAnswer_arrivesWholeAfterIt() {
        Rig rig;
        QVERIFY(rig.host);
        QVERIFY(rig.link.OpenCommPort(BoardLink::kSimPortIndex, rig.host->devicePath()));
        QSignalSpy reports(&rig.link, &BoardLink::reportReceived);
        rig.host->withSimulator(
            [](BoardSimulator& sim) { sim.injectFault(BoardSimulator::Fault::ReportAfterAnswer); });
        MotionRecord back;
        QVERIFY(rig.board.ReadMotionRecord(true, 0, 1, back));
        QTRY_COMPARE_WITH_TIMEOUT(reports.size(), 1, 5000);
        QCOMPARE(reports[0][0].toByteArray(), BoardSimulator::PlaybackReport(0));
    }
};

QVX_TEST_CLASS(SimPacingTest)
#include "SimPacingTest.moc"
