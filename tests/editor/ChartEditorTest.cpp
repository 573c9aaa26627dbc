#include "editor/ChartEditor.h"
#include "EditorFixtures.h"
#include "common/RecordingServices.h"
#include "common/TestRegistry.h"
#include "editor/EditState.h"

#include <QTest>

using namespace qvx;
using namespace editortest;

namespace {
struct Rig {
    Chart chart;
    EditState edit;
    qvxtest::RecordingServices services;
    ChartEditor editor{chart, edit};
    int resets = 0;
    Rig() {
        editor.setServices(&services);
        editor.onToolModeReset = [this] { ++resets; };
    }
    void left(QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        editor.MouseDown(Qt::LeftButton, mods, p);
        editor.MouseUp();
    }
    void dragTo(QPoint from, QPoint to) {
        editor.MouseDown(Qt::LeftButton, Qt::NoModifier, from);
        editor.MouseMove(Qt::LeftButton, Qt::NoModifier, to);
        editor.MouseUp();
    }
    void linkMode(int mode) {
        edit.toolMode = mode;
        edit.startLinkDrawing();
    }
};
} // namespace

class ChartEditorTest : public QObject {
    Q_OBJECT
  private slots:
    void placing_refusedKindStillReturnsToSelect() {
        Rig r;
        r.chart.CreateItem(KindMot, 0, 0); // a scenario chart
        r.edit.toolMode = ToolSet;
        r.left({100, 100});
        QCOMPARE(r.chart.itemCount(), 1);
        QCOMPARE(r.edit.toolMode, int(ToolSelect));
        QCOMPARE(r.resets, 1);
    }

    void gridSnapping_movesClickAndItemCorner() {
        Rig r;
        r.edit.gridOn = true;
        item(r.chart, KindPos, 3, 3);
        r.editor.MouseMove(Qt::NoButton, {}, {23, 47});
        QCOMPARE(r.edit.mousePoint, QPoint(25, 45));
        r.left({12, 12});
        QVERIFY(r.chart.items[0].selected);
        QCOMPARE(QPoint(r.chart.items[0].left, r.chart.items[0].top), QPoint(5, 5));
        r.edit.toolMode = ToolPos;
        r.left({123, 47});
        QCOMPARE(QPoint(r.chart.items[1].left, r.chart.items[1].top), QPoint(125, 45));
    }

    void drag_stopsAtTheFirstItemThatWouldGoNegative() {
        Rig r;
        item(r.chart, KindPos, 50, 50);
        item(r.chart, KindPos, 10, 100);
        item(r.chart, KindPos, 80, 100);
        link(r.chart, 0, 2, {{60, 200}});
        for (Item& it : r.chart.items)
            it.selected = true;
        r.chart.links[0].selected = true;
        r.dragTo({60, 60}, {40, 60}); // 20 left: item 1 would reach -10
        QCOMPARE(r.chart.items[0].left, 30);
        QCOMPARE(r.chart.items[1].left, 10);
        QCOMPARE(r.chart.items[2].left, 80);
        QCOMPARE(r.chart.links[0].points[0], QPoint(60, 200));
        r.dragTo({40, 60}, {45, 70}); // everything can move
        QCOMPARE(r.chart.items[1].left, 15);
        QCOMPARE(r.chart.links[0].points[0], QPoint(65, 210));
    }

    void drag_bendingPointAloneStaysOnCanvas() {
        Rig r;
        item(r.chart, KindPos, 100, 0);
        item(r.chart, KindPos, 300, 0);
        link(r.chart, 0, 1, {{5, 200}});
        r.dragTo({5, 200}, {25, 190});
        QCOMPARE(r.chart.links[0].points[0], QPoint(25, 190));
        QVERIFY(r.chart.links[0].selected);
        r.dragTo({25, 190}, {0, 190}); // -> x = 0 is allowed
        QCOMPARE(r.chart.links[0].points[0], QPoint(0, 190));
        r.dragTo({0, 190}, {-1, 190});
        QCOMPARE(r.chart.links[0].points[0], QPoint(0, 190));
    }

    void drag_afterPlacingAnItem_movesNothing() {
        Rig r;
        item(r.chart, KindPos, 100, 100);
        r.left({110, 110}); // select it
        r.edit.toolMode = ToolPos;
        r.editor.MouseDown(Qt::LeftButton, {}, {300, 300});
        r.editor.MouseMove(Qt::LeftButton, {}, {340, 300});
        QCOMPARE(r.chart.items[0].left, 100);
        QCOMPARE(r.chart.items[1].left, 300);
    }

    void branchLink_onlyFromCmp_andReplacesExistingPair() {
        Rig r;
        item(r.chart, KindPos, 0, 0);
        item(r.chart, KindCmp, 200, 0);
        r.linkMode(ToolBranchLink);
        r.left({10, 10}); // POS: nothing
        QCOMPARE(r.edit.linkOrigin, -1);
        r.left({210, 10});
        QCOMPARE(r.edit.linkOrigin, 1);
        QVERIFY(r.chart.items[1].selected);
        r.left({100, 200}); // a bending point
        r.left({10, 10});
        QCOMPARE(r.chart.linkCount(), 1);
        QCOMPARE(r.chart.links[0].kind, quint8(BranchLink));
        QCOMPARE(r.chart.links[0].origin, 1);
        QCOMPARE(r.chart.links[0].final, 0);
        QCOMPARE(r.chart.links[0].points, QVector<QPoint>{QPoint(100, 200)});
        QVERIFY(r.edit.linkDrawing);
        QVERIFY(r.edit.fixedPoints.isEmpty());

        // The same pair drawn again as a main link replaces it.
        r.linkMode(ToolMainLink);
        r.left({210, 10});
        r.left({10, 10});
        QCOMPARE(r.chart.linkCount(), 1);
        QCOMPARE(r.chart.links[0].kind, quint8(MainLink));
        QVERIFY(r.chart.links[0].points.isEmpty());
    }

    void link_ontoItsOwnOrigin_showsErrorAndCreatesNothing() {
        Rig r;
        item(r.chart, KindPos, 0, 0);
        r.linkMode(ToolMainLink);
        r.left({10, 10});
        r.left({20, 20});
        QCOMPARE(r.chart.linkCount(), 0);
        QCOMPARE(r.services.boxes.size(), size_t(1));
        QCOMPARE(r.services.boxes[0].icon, int(MsgIcon::Error));
        QCOMPARE(r.services.boxes[0].language, int(MsgLanguage::Japanese));
        QCOMPARE(r.services.lastBoxText(),
                 QString("The starting point and the ending point should be different"));
        QCOMPARE(r.edit.linkOrigin, -1);
    }

    void link_rightClickAbandonsButKeepsLinkMode() {
        Rig r;
        item(r.chart, KindPos, 0, 0);
        r.linkMode(ToolMainLink);
        r.left({10, 10});
        QCOMPARE(r.editor.MouseDown(Qt::RightButton, {}, {300, 300}),
                 ChartEditor::Outcome::Repaint);
        QCOMPARE(r.edit.linkOrigin, -1);
        QVERIFY(r.edit.fixedPoints.isEmpty());
        QVERIFY(r.edit.linkDrawing);
        QCOMPARE(r.edit.toolMode, int(ToolMainLink));
    }

    void link_originGoneWithTheChart_startsAfresh() {
        Rig r;
        item(r.chart, KindPos, 0, 0);
        item(r.chart, KindPos, 200, 0);
        r.linkMode(ToolMainLink);
        r.left({210, 10});
        r.chart.ClearChart();
        item(r.chart, KindPos, 0, 0);
        r.left({10, 10}); // would otherwise link from item 1, which is gone
        QCOMPARE(r.chart.linkCount(), 0);
        QCOMPARE(r.edit.linkOrigin, 0);
    }

    void startTool_setsOrClearsTheStartItem() {
        Rig r;
        item(r.chart, KindPos, 0, 0);
        r.chart.items[0].selected = true;
        r.edit.toolMode = ToolStart;
        r.left({5, 5});
        QCOMPARE(r.chart.startItem, 0);
        QVERIFY(!r.chart.items[0].selected);
        r.left({300, 300});
        QCOMPARE(r.chart.startItem, -1);
    }

    void menuState_followsWhatWasHit() {
        Rig r;
        item(r.chart, KindPos, 0, 0);
        item(r.chart, KindPos, 200, 0);
        item(r.chart, KindPos, 400, 0);
        link(r.chart, 0, 1, {{25, 200}});
        bool opened = true;
        auto menuAt = [&](QPoint p) {
            opened = opened &&
                     r.editor.MouseDown(Qt::RightButton, {}, p) == ChartEditor::Outcome::OpenMenu;
            return r.editor.MenuState();
        };
        CanvasMenuState s = menuAt({300, 300});
        QVERIFY(s.copyPaste && !s.colourProperty && !s.deletion && !s.addBend && !s.deleteBend);
        s = menuAt({10, 10});
        QVERIFY(s.copyPaste && s.colourProperty && s.deletion && !s.addBend && !s.deleteBend);
        QVERIFY(s.propertyEnabled);
        QVERIFY(r.chart.items[0].selected);
        r.chart.items[2].selected = true;
        s = menuAt({10, 10}); // already selected: the selection stays, two items
        QVERIFY(!s.propertyEnabled);
        s = menuAt({25, 200});
        QVERIFY(!s.copyPaste && !s.colourProperty && !s.deletion && !s.addBend && s.deleteBend);
        QVERIFY(r.chart.links[0].selected);
        QCOMPARE(r.chart.SelectedItemCount(), 0);
        s = menuAt({25, 108}); // handle of segment 0: (25,15)-(25,200)
        QVERIFY(!s.copyPaste && s.deletion && s.addBend && !s.deleteBend);
        QVERIFY(opened);
    }

    void bendingPoints_addAtSegmentAndDelete() {
        Rig r;
        item(r.chart, KindPos, 0, 0);   // centre (25, 15)
        item(r.chart, KindPos, 200, 0); // centre (225, 15)
        link(r.chart, 0, 1, {{25, 215}});
        r.editor.MouseDown(Qt::RightButton, {}, {125, 115}); // handle of segment 1
        r.editor.AddBendingPoint();
        QCOMPARE(r.chart.links[0].points, (QVector<QPoint>{{25, 215}, {125, 115}}));
        r.editor.MouseDown(Qt::RightButton, {}, {25, 215});
        r.editor.DeleteBendingPoint();
        QCOMPARE(r.chart.links[0].points, (QVector<QPoint>{{125, 115}}));
    }

    void dropMotionRow_refusesScenarioRowsAndMotionCharts() {
        Rig r;
        QCOMPARE(r.editor.DropMotionRow(80, "S1", "x", {0, 0}), -1);
        const int i = r.editor.DropMotionRow(4, "M5", "WALK", {33, 44});
        QCOMPARE(i, 0);
        QCOMPARE(r.chart.items[0].lead, quint8(4));
        QCOMPARE(r.chart.items[0].name, QString("M5 WALK"));
        QCOMPARE(r.chart.documentKind, quint8(ScenarioChart));
        Chart motion;
        motion.CreateItem(KindPos, 0, 0);
        ChartEditor other(motion, r.edit);
        QCOMPARE(other.DropMotionRow(1, "M2", "y", {0, 0}), -1);
    }
};

QVX_TEST_CLASS(ChartEditorTest)
#include "ChartEditorTest.moc"
