#include "FlowFixture.h"
#include "app/MainWindow.h"
#include "board/MotionDataDialog.h"
#include "board/MotionTableWindow.h"
#include "common/TestRegistry.h"
#include "document/DocumentFile.h"
#include "editor/ChartEditor.h"
#include "editor/ChartCanvas.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>

using namespace qvx;

namespace {

// Frames the simulated board received that write a record into a motion slot.
int storedRecordWrites(const BoardSimulator& sim) {
    int n = 0;
    for (const QByteArray& f : sim.frames)
        if (quint8(f[0]) == quint8(QmxBoard::Command::WriteMotionRecord) && (quint8(f[1]) & 0x02))
            ++n;
    return n;
}

// Runs `act` once, from the event loop, as soon as `ready` holds: inside the
// local loop of whatever board exchange is waiting then.
class WhenReady : public QObject {
  public:
    WhenReady(std::function<bool()> ready, std::function<void()> act)
        : m_ready(std::move(ready)), m_act(std::move(act)) {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (m_done || !m_ready()) return;
            m_done = true;
            m_timer.stop();
            m_act();
        });
        m_timer.start(0);
    }
    bool done() const { return m_done; }

  private:
    std::function<bool()> m_ready;
    std::function<void()> m_act;
    QTimer m_timer;
    bool m_done = false;
};

} // namespace

// What a click does while a board flow waits in its local event loop: the data
// the flow works on stay its own, and actions that would change them or start
// another flow are refused visibly.
class ReentryTest : public QObject {
    Q_OBJECT

    struct Rig : WindowRig {
        // Long time-outs: the delayed answers below must not count as lost.
        // The table is read already, as the first picker reads it, so that the
        // answers counted below are the flows' own.
        Rig() : WindowRig(2000) {
            state.table.ReadFromBoard(state.board);
            sim.frames.clear();
            services.clear();
        }
        // Holds the answer of the command after `skip` answered ones for a while,
        // so that the flow waits there.
        void holdAnswer(int skip) {
            sim.setFaultDelayMs(40);
            sim.injectFault(BoardSimulator::Fault::Delay, 1, skip);
        }
    };

  private slots:
    void clicksDuringAWrite_areRefused_andTheBoardGetsWhatWasCompiledFirst() {
        Rig rig;
        rig.state.chart = longChain(12);
        Compiler reference;
        QVERIFY(reference.CompileMotionChart(rig.state.chart, rig.services));
        rig.services.clear();
        // Sleep takes five answered commands; the fourth record's answer is held.
        rig.holdAnswer(5 + 3);
        QTemporaryDir docs;
        const QString other = docs.filePath("other.qmx");
        {
            Chart small = longChain(2);
            DocumentContext ctx(small, rig.state.header, rig.services);
            QVERIFY(DocumentFile::SaveDocument(ctx, other, true));
        }
        rig.services.clear();

        bool openRefused = false, pasteRefused = false, portKept = false;
        int picksDuring = -1;
        WhenReady during([&] { return storedRecordWrites(rig.sim) >= 3; },
                         [&] {
                             // The chart changes under the write, as an edit would.
                             rig.state.chart = longChain(2);
                             QTest::mouseClick(rig.win->CompileBtn, Qt::LeftButton);
                             QTest::mouseClick(rig.win->MotWriteBtn, Qt::LeftButton);
                             picksDuring = int(rig.services.picks.size());
                             openRefused = !rig.win->OpenFile(other);
                             rig.win->Image1->editor().CopySelection();
                             pasteRefused = !rig.win->Image1->editor().PasteClipboard();
                             rig.win->CommPort->setCurrentIndex(0);
                             rig.win->CommPortCloseUp();
                             portKept = rig.win->CommPort->currentIndex() == 1 &&
                                        rig.state.link.isOpen();
                         });
        rig.services.pickAnswers.push_back(5);
        QTest::mouseClick(rig.win->MotWriteBtn, Qt::LeftButton);

        QVERIFY(during.done());
        QCOMPARE(picksDuring, 1);
        QVERIFY(openRefused);
        QVERIFY(pasteRefused);
        QVERIFY(portKept);
        QVERIFY(rig.services.statuses.contains(BoardLink::BusyText()));
        QCOMPARE(rig.services.statuses.last(), QStringLiteral("Writing succeeded"));
        const auto& image = reference.MotionImage();
        QCOMPARE(quint8(rig.sim.stored().table[5][0]), quint8(image.size()));
        for (size_t i = 0; i < image.size(); ++i)
            QCOMPARE(rig.sim.record(5, int(i)), image[i]);
        // The compile pressed during the write did not run: the image is still
        // the one the write sent.
        QCOMPARE(rig.state.compiler.MotionImage(), image);
        QVERIFY(!rig.state.link.busy());
    }

    void imageReplacedBehindTheWrite_doesNotChangeWhatIsSent() {
        // Straight on the transfer, with nothing refusing the compile: the
        // write sends the records it started with.
        FlowFixture fx;
        fx.state->link.setTimeouts(2000, 2000);
        fx.setChart(longChain(20));
        QVERIFY(fx.state->compiler.CompileMotionChart(fx.state->chart, fx.services));
        const std::vector<MotionRecord> expected = fx.state->compiler.MotionImage();
        fx.memorySim.setFaultDelayMs(30);
        fx.memorySim.injectFault(BoardSimulator::Fault::Delay, 1, 3);
        const Chart shorter = longChain(2);
        WhenReady during([&] { return storedRecordWrites(fx.memorySim) >= 4; },
                         [&] { fx.state->compiler.CompileMotionChart(shorter, fx.services); });
        QVERIFY(fx.flows->transfer().WriteMotionToBoard(7));
        QVERIFY(during.done());
        QCOMPARE(fx.state->compiler.MotionImage().size(), size_t(3));
        QCOMPARE(quint8(fx.memorySim.stored().table[7][0]), quint8(expected.size()));
        for (size_t i = 0; i < expected.size(); ++i)
            QCOMPARE(fx.memorySim.record(7, int(i)), expected[i]);
    }

    void scenarioReadWithAPasteMeanwhile_buildsExactlyTheChainRead() {
        Rig rig;
        BoardSimulator::Stored& st = rig.sim.stored();
        st.scenarios[1][0] = 2;
        st.scenarios[1][1] = 0;
        st.scenarios[1][2] = 2;
        st.table[81][0] = 3;
        st.table[2].replace(10, 4, "Wave");
        st.table[0].replace(10, 3, "Bow");
        // Something to paste, copied before the read.
        rig.state.chart = longChain(2);
        rig.win->Image1->editor().SelectAll();
        rig.win->Image1->editor().CopySelection();
        rig.state.chart.ClearSelection();

        bool pasteRefused = false, dropRefused = false;
        // The names of the motions are read last: hold the second of them.
        rig.holdAnswer(5 + 1 + 3 + 1);
        WhenReady during(
            [&] {
                return !rig.sim.frames.isEmpty() &&
                       quint8(rig.sim.frames.last()[0]) ==
                           quint8(QmxBoard::Command::ReadTableEntry) &&
                       quint8(rig.sim.frames.last()[1]) == 0;
            },
            [&] {
                pasteRefused = !rig.win->Image1->editor().PasteClipboard();
                dropRefused = rig.win->Image1->editor().DropMotionRow(
                                  4, QStringLiteral("M5"), QString(), QPoint(300, 300)) < 0;
            });
        rig.services.pickAnswers.push_back(81);
        QTest::mouseClick(rig.win->MotReadBtn, Qt::LeftButton);

        QVERIFY(during.done());
        QVERIFY(pasteRefused);
        QVERIFY(dropRefused);
        QCOMPARE(rig.services.statuses.last(), QStringLiteral("Reading succeeded"));
        const Chart& c = rig.state.chart;
        QCOMPARE(c.itemCount(), 3);
        QCOMPARE(c.items[0].name, QStringLiteral("M3 Wave"));
        QCOMPARE(c.items[1].name, QStringLiteral("M1 Bow"));
        QCOMPARE(c.items[2].name, QStringLiteral("M3 Wave"));
        QCOMPARE(c.linkCount(), 2);
        QCOMPARE(c.startItem, 0);
    }

    void tableReadPressedDuringAWrite_isRefusedAndKeepsTheRows() {
        Rig rig;
        rig.state.chart = longChain(6);
        rig.state.table.ShowTableRow(MotionTable::EmptyEntry().replace(10, 4, "Kept"), 9);
        rig.holdAnswer(5 + 2);
        QString rowDuring;
        WhenReady during([&] { return storedRecordWrites(rig.sim) >= 2; },
                         [&] {
                             QTest::mouseClick(rig.win->motionTableWindow()->MotReadBtn, Qt::LeftButton);
                             rowDuring = rig.state.table.name(9);
                         });
        rig.services.pickAnswers.push_back(1);
        QTest::mouseClick(rig.win->MotWriteBtn, Qt::LeftButton);
        QVERIFY(during.done());
        QCOMPARE(rowDuring, QStringLiteral("Kept"));
        QVERIFY(rig.services.statuses.contains(BoardLink::BusyText()));
        QCOMPARE(rig.services.statuses.last(), QStringLiteral("Writing succeeded"));
    }

    void reportDuringAFlow_isHandledOnceAndAtOnce() {
        // Each report reaches its handler once: one status, one signal.
        Rig rig;
        QSignalSpy done(&rig.state.board, &BoardCommands::playbackDone);
        rig.transport->pushFromBoard(BoardSimulator::PlaybackReport(5));
        QTRY_COMPARE(done.count(), 1);
        QCOMPARE(rig.services.statuses.count(QStringLiteral("[5]Playback is done")), 1);

        // A report right behind an answer, with more commands following at once
        // (the sleep sequence), is handed on before the sequence ends rather
        // than when the board next sends something.
        rig.services.clear();
        rig.sim.injectFault(BoardSimulator::Fault::ReportAfterAnswer);
        QVERIFY(rig.state.board.SetSleep(0));
        QCOMPARE(done.count(), 2);
        QCOMPARE(rig.services.statuses.count(QStringLiteral("[0]Playback is done")), 1);
    }

    void motionTooBigForTheBoard_isRefusedBeforeTheRobotSleeps() {
        FlowFixture fx;
        fx.setChart(longChain(300));
        fx.answerPick(0);
        QVERIFY(!fx.flows->Write());
        QVERIFY(fx.services.lastBoxText().startsWith(QStringLiteral("The motion has 301 records")));
        QVERIFY(fx.memorySim.frames.isEmpty());

        // 41 records from M80 on would need M81.
        fx.setChart(longChain(40));
        fx.answerPick(79);
        QVERIFY(!fx.flows->Write());
        QVERIFY(fx.services.lastBoxText().contains(QStringLiteral("the board ends at M80")));
        QVERIFY(fx.memorySim.frames.isEmpty());
        QCOMPARE(fx.memorySim.working().option & BoardCommands::kOptSleep, 0);
    }

    void failedReads_andFailedScenarioCompile_leaveTheViewsTrue() {
        Rig rig;
        // A compiled motion shows in the LIST page ...
        rig.state.chart = longChain(3);
        rig.win->PageControl1->setCurrentWidget(rig.win->Sheet2);
        QTest::mouseClick(rig.win->CompileBtn, Qt::LeftButton);
        QCOMPARE(rig.win->Qmx->count(), 4);
        // ... and a scenario chart whose chain is faulty empties it.
        qvxtest::ChartMaker m;
        m.chart.documentKind = ScenarioChart;
        const int a = m.item("A", KindMot, 0);
        const int b = m.item("B", KindMot, 1);
        const int c = m.item("C", KindMot, 2);
        m.next(a, b);
        m.next(a, c);
        m.chart.startItem = a;
        rig.state.chart = m.chart;
        rig.services.boxAnswers.push_back(ResultOk);
        QTest::mouseClick(rig.win->CompileBtn, Qt::LeftButton);
        QCOMPARE(rig.win->Qmx->count(), 0);

        // A motion read that fails after its table entry has set the data name
        // shows that name in the EDIT caption.
        QByteArray entry = MotionTable::EmptyEntry();
        entry[0] = 2;
        entry.replace(10, 4, "Half");
        rig.sim.stored().table[3] = entry;
        rig.state.link.setTimeouts(30, 30);
        // Sleep (5 answers), the entry, record 0: then record 1 stays unanswered.
        rig.sim.injectFault(BoardSimulator::Fault::NoAnswer, BoardLink::kDefaultAttempts, 7);
        rig.services.pickAnswers.push_back(3);
        QTest::mouseClick(rig.win->MotReadBtn, Qt::LeftButton);
        QCOMPARE(rig.services.statuses.last(),
                 QStringLiteral("Reading failed: M4 record 2: the board's answer was incomplete "
                                "(0 of 50 bytes within 30 ms)"));
        QCOMPARE(rig.win->PageControl1->tabText(0), QStringLiteral("EDIT Half"));
    }

    void simThatCannotStart_closesThePortThatWasOpen() {
        Rig rig;
        QTemporaryDir config;
        QFile state(config.filePath("simulated-board.state"));
        QVERIFY(state.open(QIODevice::WriteOnly));
        state.write("not a state file");
        state.close();
        qputenv("QVX_CONFIG_DIR", config.path().toLocal8Bit());
        rig.win->CommPort->setCurrentIndex(BoardLink::kSimPortIndex);
        rig.win->CommPortCloseUp();
        qunsetenv("QVX_CONFIG_DIR");
        QVERIFY(rig.services.statuses.last().startsWith(QStringLiteral("SIM does not exist")));
        QVERIFY(!rig.state.link.isOpen());
    }

    void dataDialogClosedWithEsc_takesTheCancelPath() {
        Rig rig;
        MotionDataDialog* data = rig.win->motionDataDialog();
        WhenReady shown([data] { return data->isVisible(); },
                        [data] { QTest::keyClick(data, Qt::Key_Escape); });
        QVERIFY(!rig.win->motionTableWindow()->EditRow(3));
        QVERIFY(shown.done());
        // After the dialog: the option word read and written back with bit 2 clear.
        QCOMPARE(quint8(rig.sim.frames.value(rig.sim.frames.size() - 2)[0]),
                 quint8(QmxBoard::Command::ReadOptionWord));
        const QByteArray last = rig.sim.frames.last();
        QCOMPARE(quint8(last[0]), quint8(QmxBoard::Command::WriteOptionWord));
        QCOMPARE(BigEndian::word(last, 2) & BoardCommands::kOptReceiverReports, 0);
    }

    void playStopAndPause_sayWhatWasSent() {
        Rig rig;
        rig.services.pickAnswers.push_back(7);
        QTest::mouseClick(rig.win->MotRunBtn, Qt::LeftButton);
        QCOMPARE(rig.services.statuses.last(), QStringLiteral("Sending the playback command"));
        QTest::mouseClick(rig.win->MotStpBtn, Qt::LeftButton);
        QCOMPARE(rig.services.statuses.last(), QStringLiteral("Sending the stop command"));
        QTest::mouseClick(rig.win->SpeedButton1, Qt::LeftButton);
        QCOMPARE(rig.services.statuses.last(), QStringLiteral("Sending the pause command"));
    }
};

QVX_TEST_CLASS(ReentryTest)
#include "ReentryTest.moc"
