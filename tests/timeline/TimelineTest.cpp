#include "common/TestRegistry.h"
#include "flows/FlowFixture.h"
#include "preview/RobotPreviewWindow.h"
#include "preview/RobotScene.h"
#include "timeline/MotionTimeline.h"
#include "timeline/TimelinePage.h"

#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <memory>

using namespace qvx;

namespace {

constexpr quint16 kHome = 16384;

// A POS item that moves CH1 and CH2 to home + a and home + b.
int pose(qvxtest::ChartMaker& m, const QString& name, quint8 lead, int a, int b) {
    const int n = m.item(name, KindPos, lead, 0);
    m.chart.items[size_t(n)].values[0] = quint16(kHome + a);
    m.chart.items[size_t(n)].values[1] = quint16(kHome + b);
    return n;
}

// SET loop of 3 over two poses, then a branch on the button input: equal to
// the compare register (0) goes to "Yes", else to "No".
Chart loopAndBranch() {
    qvxtest::ChartMaker m;
    const int set = m.item(QStringLiteral("Loop3"), KindSet, 1, quint16(0x8207 + 3));
    const int a = pose(m, QStringLiteral("A"), 3, 200, -100);
    const int b = pose(m, QStringLiteral("B"), 2, -200, 50);
    const int again = m.cmp(QStringLiteral("Again"));
    const int button = m.cmp(QStringLiteral("Button"), 0x9A06);
    const int yes = pose(m, QStringLiteral("Yes"), 4, 400, 0);
    const int no = pose(m, QStringLiteral("No"), 4, -400, 0);
    m.next(set, a);
    m.next(a, b);
    m.next(b, again);
    m.branch(again, a);
    m.next(again, button);
    m.branch(button, yes);
    m.next(button, no);
    return m.chart;
}

// The servo outputs of every tick from the one after play started until the
// tick that ended the motion, recorded on the simulated board's own thread.
struct TickRecorder {
    std::vector<BigEndian::Words> outputs;
    bool done = false;
};

} // namespace

class TimelineTest : public QObject {
    Q_OBJECT

  private slots:
    void realBoard_playsWhatTheTimelineShows_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("finalCh1");
        QTest::newRow("button equal to compare: Yes") << 0 << 400;
        QTest::newRow("button different: No") << 1 << -400;
    }
    void realBoard_playsWhatTheTimelineShows() {
        QFETCH(int, button);
        QFETCH(int, finalCh1);
        FlowFixture fx(true);
        QVERIFY(fx.open());
        // Time-outs long enough that a busy machine never makes the link send
        // PlayMotion again, which would restart the motion a tick later.
        fx.state->link.setTimeouts(2000, 2500);
        fx.setChart(loopAndBranch());
        QVERIFY(fx.state->compiler.CompileMotionChart(fx.state->chart, fx.services));
        TimelineInputs inputs;
        inputs.button = quint16(button);
        const Timeline t = ComputeTimeline(fx.state->compiler.MotionImage(),
                                           fx.state->compiler.StepItem(), inputs);
        QVERIFY(t.ended);
        QCOMPARE(int(t.outputs.back()[0]), kHome + finalCh1);

        // The same motion written and played on the board in real time.
        fx.sim([button](BoardSimulator& s) { s.setButtonInput(quint16(button)); });
        fx.answerPick(5);
        QVERIFY(fx.flows->Write());
        auto rec = std::make_shared<TickRecorder>();
        fx.sim([rec](BoardSimulator& s) {
            s.startedMotions.clear();
            s.afterEachTick = [rec, &s] {
                if (rec->done || s.startedMotions.isEmpty()) return;
                rec->outputs.push_back(s.servoOutput());
                rec->done = !s.playing();
            };
        });
        // Waking the robot may have started a move: the board plays from a
        // still robot, as the timeline does.
        QTRY_VERIFY(!fx.sim([](BoardSimulator& s) { return s.moving(); }));
        fx.board->takeFrames();
        fx.answerPick(5);
        QVERIFY(fx.flows->Play());
        QCOMPARE(qvxtest::SimBoard::commandsOf(fx.board->frames()).count(char(0xF4)), 1);
        QTRY_VERIFY_WITH_TIMEOUT(fx.sim([rec](BoardSimulator&) { return rec->done; }), 10000);
        const std::vector<BigEndian::Words> played = fx.sim([rec](BoardSimulator& s) {
            s.afterEachTick = nullptr;
            return rec->outputs;
        });
        QCOMPARE(played.size(), t.outputs.size() - 1);
        for (size_t i = 0; i < played.size(); ++i)
            QVERIFY2(played[i] == t.outputs[i + 1],
                     qPrintable(QStringLiteral("sample %1").arg(i + 1)));
        // The pose the board reports at the end is the timeline's last sample.
        BigEndian::Words reported{};
        QVERIFY(fx.state->board.ReadCurrentPose(reported));
        QCOMPARE(reported, t.outputs.back());
    }

    void limit_endlessLoopStopsThereAndSaysSo() {
        qvxtest::ChartMaker m;
        const int a = pose(m, QStringLiteral("A"), 5, 100, 0);
        const int b = pose(m, QStringLiteral("B"), 5, -100, 0);
        m.next(a, b);
        m.next(b, a);
        qvxtest::RecordingServices services;
        Compiler compiler;
        QVERIFY(compiler.CompileMotionChart(m.chart, services));
        const Timeline t = ComputeTimeline(compiler.MotionImage(), compiler.StepItem(), {}, 2000);
        QVERIFY(!t.ended);
        QCOMPARE(t.endMs(), 2000);
        QCOMPARE(int(t.outputs.size()), 201);
        // 10 ticks a round: the marks alternate A, B every 50 ms.
        QCOMPARE(t.marks.size(), size_t(40));
        QCOMPARE(t.marks[3].item, b);
        QCOMPARE(t.marks[3].timeMs, 160);
        QCOMPARE(t.itemAt(t.sampleAt(175), compiler.StepItem()), b);
        QCOMPARE(TimelineLimitText(t.limitMs),
                 QStringLiteral("The motion did not end within 2 s of board time; shown up to the "
                                "limit."));
    }

    void inputs_parsedOrRefusedWithTheReason_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result"); // the parsed values' text, or the refusal
        const QString start = TimelineInputs().text();
        QTest::newRow("empty keeps the board's values") << "" << start;
        QTest::newRow("all keys, hex and negative")
            << "button=0x8001,pa1=1,pa2=2,pa3=3,PA4=255,ad1=0x3FFF,ad2=5,ad3=6,cmp=-1023"
            << "button=0x8001,pa1=1,pa2=2,pa3=3,pa4=255,ad1=16383,ad2=5,ad3=6,cmp=-1023";
        QTest::newRow("unknown key")
            << "pa5=1"
            << "unknown input \"pa5\" (known: button, pa1..pa4, ad1..ad3, cmp)";
        QTest::newRow("no value") << "ad1"
                                  << "\"ad1\" is not KEY=VALUE";
        QTest::newRow("out of range") << "pa1=256"
                                      << "pa1 must be a number from 0 to 255, not \"256\"";
        QTest::newRow("analog past 14 bits")
            << "ad3=16384"
            << "ad3 must be a number from 0 to 16383, not \"16384\"";
        QTest::newRow("not a number") << "button=0xZZ"
                                      << "button must be a number from 0 to 65535, not \"0xZZ\"";
        QTest::newRow("two signs") << "cmp=--5"
                                   << "cmp must be a number from -1023 to 1023, not \"--5\"";
        QTest::newRow("empty value") << "cmp="
                                     << "cmp must be a number from -1023 to 1023, not \"\"";
    }
    void inputs_parsedOrRefusedWithTheReason() {
        QFETCH(QString, text);
        QFETCH(QString, result);
        QString error;
        const std::optional<TimelineInputs> in = TimelineInputs().parsed(text, &error);
        QCOMPARE(in ? in->text() : error, result);
    }

    void page_computesAfterACompile_andAClickSelectsTheItem() {
        WindowRig rig;
        rig.state.chart = loopAndBranch();
        QVERIFY(rig.win->CompileChart());
        TimelinePage* page = rig.win->timelinePage();
        QVERIFY(page->timeline().ended);
        QVERIFY(page->timeline().outputs.size() > 20);
        QCOMPARE(page->Status->text(), QStringLiteral("The motion ends after %1 ms of board time.")
                                           .arg(page->timeline().endMs()));
        // An input change computes again: the other branch.
        page->ButtonBox->setValue(1);
        QCOMPARE(int(page->timeline().outputs.back()[0]), kHome - 400);

        // A click on the chart at 25 ms: the move to A (after the SET) executes.
        rig.win->resize(900, 600);
        rig.win->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.win.get()));
        rig.win->PageControl1->setCurrentWidget(page);
        QChart* chart = page->View->chart();
        const QPointF at = chart->mapToPosition(QPointF(25, 0));
        const QPoint click = page->View->mapFromScene(chart->mapToScene(at));
        rig.win->RobotBtn->click();
        RobotPreviewWindow* robot = rig.win->robotWindow();
        QVERIFY(robot && robot->scene());
        QSignalSpy picked(page, &TimelinePage::instantPicked);
        QTest::mouseClick(page->View->viewport(), Qt::LeftButton, {}, click);
        QVERIFY(rig.state.chart.items[1].selected);
        for (int i : {0, 2, 3, 4, 5, 6})
            QVERIFY(!rig.state.chart.items[size_t(i)].selected);
        // The robot window shows the outputs of that instant (CH1 mid-move).
        QCOMPARE(picked.size(), 1);
        const auto words = picked[0][0].value<BigEndian::Words>();
        QVERIFY(words[0] > kHome && words[0] < kHome + 200);
        const JointPose expected = robot->mapping().jointPose(robot->scene()->model(), words);
        const int joint = robot->scene()->model().jointIndex(robot->mapping().drives[0].joint);
        QVERIFY(joint >= 0);
        QCOMPARE(robot->scene()->pose()[size_t(joint)].value, expected[size_t(joint)].value);

        // Items deleted after the compile renumber the rest: the click still
        // finds the item executing then, not the one now at its old number.
        const QString name = rig.state.chart.items[1].name;
        rig.state.chart.ClearSelection();
        rig.state.chart.items[0].selected = true;
        rig.state.chart.DeleteSelected();
        QTest::mouseClick(page->View->viewport(), Qt::LeftButton, {}, click);
        QCOMPARE(rig.state.chart.SelectedItemCount(), 1);
        QVERIFY(rig.state.chart.items[0].selected);
        QCOMPARE(rig.state.chart.items[0].name, name);
    }
};

QVX_TEST_CLASS(TimelineTest)
#include "TimelineTest.moc"
