#include "FlowFixture.h"
#include "checks/ChecksList.h"
#include "common/TestRegistry.h"
#include "pose/PoseData.h"
#include "preview/RobotPreviewWindow.h"

#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <QTest>

using namespace qvx;

// The write flow asks once before writing a chart the checks find an error in.
class WriteChecksTest : public QObject {
    Q_OBJECT

  private slots:
    void errorFound_askedOnce_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("No") << int(ResultNo);
        QTest::newRow("Yes") << int(ResultYes);
    }

    // A motion of 41 records written to M3 runs into M4, which holds "walk".
    void errorFound_askedOnce() {
        QFETCH(int, answer);
        FlowFixture fx;
        QByteArray walk = MotionTable::EmptyEntry();
        walk[0] = char(12);
        walk.replace(10, 4, "walk");
        fx.memorySim.stored().table[3] = walk;
        fx.flows->readTableBeforePick = true;
        QVERIFY(fx.state->table.ReadFromBoard(fx.state->board));
        fx.memorySim.frames.clear();
        qvxtest::ChartMaker m;
        m.chain("P", 40);
        fx.setChart(m.chart);
        fx.answerPick(2);
        fx.services.boxAnswers = {answer, ResultYes};

        QCOMPARE(fx.flows->Write(), answer == ResultYes);
        QVERIFY(fx.services.boxes.size() >= 1);
        QCOMPARE(fx.services.boxes[0].buttons, int(MsgButtons::YesNo));
        QCOMPARE(fx.services.boxes[0].text,
                 QStringLiteral("error slot-overrun -: the motion has 41 records and, written to "
                                "M3, runs on into M4, which holds a motion (\"walk\", 12 "
                                "records)\r\nWrite anyway?"));
        QCOMPARE(fx.flows->findings().size(), size_t(1));
        if (answer == ResultNo) {
            // Nothing at all went to the board: no sleep, no record, no entry.
            QCOMPARE(fx.memorySim.frames.size(), 0);
            QCOMPARE(fx.services.boxes.size(), size_t(1));
            QCOMPARE(fx.services.statuses.last(),
                     QStringLiteral("Writing cancelled: the checks found errors"));
            QCOMPARE(fx.memorySim.stored().table[2][0], char(0));
            QCOMPARE(fx.memorySim.stored().table[3], walk);
        } else {
            // Then the question about the slots after the target, as before.
            QCOMPARE(fx.services.boxes.size(), size_t(2));
            QCOMPARE(quint8(fx.memorySim.stored().table[2][0]), quint8(41));
        }
    }

    void warningsOnly_writtenWithoutQuestion() {
        FlowFixture fx;
        qvxtest::ChartMaker m;
        m.chain("P", 2);
        m.item("Lost");
        fx.setChart(m.chart);
        fx.answerPick(0);
        QVERIFY(fx.flows->Write());
        QVERIFY(fx.services.boxes.empty());
        QCOMPARE(fx.flows->findings().size(), size_t(1));
        QCOMPARE(quint8(fx.memorySim.stored().table[0][0]), quint8(3));
    }

    // Every compile fills the list under the LIST page; "Go to" selects the
    // finding's item alone, even after an item before it was deleted.
    void window_listsFindings_goToSelectsTheItem() {
        WindowRig rig;
        qvxtest::ChartMaker m;
        m.chain("P", 2);
        m.item("Gone");
        m.item("Lost");
        rig.state.chart = m.chart;
        QVERIFY(rig.win->CompileChart());
        ChecksList* list = rig.win->Checks;
        QCOMPARE(list->rowCount(), 2);
        QTreeWidgetItem* row = list->rows->topLevelItem(1);
        QCOMPARE(row->text(0), QStringLiteral("warning"));
        QCOMPARE(row->text(1), QStringLiteral("unreachable"));
        QCOMPARE(row->text(2), QStringLiteral("Lost"));
        list->rows->setCurrentItem(row);
        QVERIFY(list->goToButton->isEnabled());
        rig.state.chart.items[2].selected = true;
        rig.state.chart.DeleteSelected();
        rig.state.chart.items[0].selected = true;
        list->goToButton->click();
        QCOMPARE(rig.win->PageControl1->currentWidget(), rig.win->Sheet1);
        QCOMPARE(rig.state.chart.SelectedItemCount(), 1);
        QVERIFY(rig.state.chart.items[2].selected);
        QCOMPARE(rig.state.chart.items[2].name, QStringLiteral("Lost"));
        rig.win->ClearChart();
        QCOMPARE(list->rowCount(), 0);
    }

    // The robot model's checks join once the Robot window has its model.
    void window_modelChecksWithTheRobotWindowsModel() {
        WindowRig rig;
        qvxtest::ChartMaker m;
        m.item("Into body", KindPos, 10, Pose::kNeutral);
        m.chart.items[0].values[3] = Pose::kNeutral + 230; // CH4: the arm into the body
        rig.state.chart = m.chart;
        QVERIFY(rig.win->CompileChart());
        QCOMPARE(rig.win->Checks->rowCount(), 0);
        rig.win->RobotBtn->click();
        QVERIFY(rig.win->robotWindow() && rig.win->robotWindow()->scene());
        QVERIFY(rig.win->CompileChart());
        QCOMPARE(rig.win->Checks->rowCount(), 1);
        QCOMPARE(rig.win->Checks->rows->topLevelItem(0)->text(1), QStringLiteral("self-collision"));
    }
};

QVX_TEST_CLASS(WriteChecksTest)
#include "WriteChecksTest.moc"
