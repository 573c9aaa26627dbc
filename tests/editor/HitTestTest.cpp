#include "editor/HitTest.h"
#include "EditorFixtures.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace qvx;
using namespace editortest;

class HitTestTest : public QObject {
    Q_OBJECT
  private slots:
    void itemAt_coversExactlyTheRectangle_laterItemWins() {
        Chart c;
        item(c, KindPos, 100, 100); // 50 x 30
        QCOMPARE(HitTest::ItemAt(c, {100, 100}), 0);
        QCOMPARE(HitTest::ItemAt(c, {149, 129}), 0);
        QCOMPARE(HitTest::ItemAt(c, {150, 110}), -1);
        QCOMPARE(HitTest::ItemAt(c, {120, 130}), -1);
        QCOMPARE(HitTest::ItemAt(c, {99, 110}), -1);
        item(c, KindPos, 120, 110);
        QCOMPARE(HitTest::ItemAt(c, {130, 115}), 1);
        QCOMPARE(HitTest::ItemAt(c, {105, 105}), 0);
    }

    void linkAt_bendingPointBoxReachesFourLeftAndThreeRight() {
        Chart c;
        item(c, KindPos, 0, 0);
        item(c, KindPos, 300, 0);
        link(c, 0, 1, {{200, 200}});
        QCOMPARE(HitTest::LinkAt(c, {196, 200}), (LinkHit{0, 0, -1}));
        QCOMPARE(HitTest::LinkAt(c, {200, 196}), (LinkHit{0, 0, -1}));
        QCOMPARE(HitTest::LinkAt(c, {203, 203}), (LinkHit{0, 0, -1}));
        QCOMPARE(HitTest::LinkAt(c, {204, 200}), LinkHit{});
        QCOMPARE(HitTest::LinkAt(c, {195, 200}), LinkHit{});
        QCOMPARE(HitTest::LinkAt(c, {200, 204}), LinkHit{});
    }

    void linkAt_segmentHandleSitsAtTheMiddle() {
        Chart c;
        item(c, KindPos, 0, 0);   // centre (25, 15)
        item(c, KindPos, 200, 0); // centre (225, 15)
        link(c, 0, 1, {{25, 115}});
        // Segment 0 runs (25,15)-(25,115): handle (25, 65); segment 1 (25,115)-(225,15): handle
        // (125, 65).
        QCOMPARE(HitTest::LinkAt(c, {25, 65}), (LinkHit{0, -1, 0}));
        QCOMPARE(HitTest::LinkAt(c, {21, 61}), (LinkHit{0, -1, 0}));
        QCOMPARE(HitTest::LinkAt(c, {30, 70}), (LinkHit{0, -1, 0}));
        QCOMPARE(HitTest::LinkAt(c, {31, 65}), LinkHit{});
        QCOMPARE(HitTest::LinkAt(c, {125, 65}), (LinkHit{0, -1, 1}));
        // Elsewhere on the line nothing is hit.
        QCOMPARE(HitTest::LinkAt(c, {25, 40}), LinkHit{});
    }

    void linkAt_pointsOfLaterLinksBeforeSegmentsOfEarlierOnes() {
        Chart c;
        item(c, KindPos, 0, 0);
        item(c, KindPos, 200, 0);
        link(c, 0, 1);              // handle at (125, 15)
        link(c, 1, 0, {{125, 15}}); // a bending point right on that handle
        link(c, 0, 1);
        QCOMPARE(HitTest::LinkAt(c, {125, 15}), (LinkHit{1, 0, -1}));
        c.links[1].points = {{125, 300}};
        c.links[2].points = {{125, 300}};
        QCOMPARE(HitTest::LinkAt(c, {125, 300}), (LinkHit{2, 0, -1}));
    }

    void linkAt_skipsLinksWithoutValidEnds() {
        Chart c;
        item(c, KindPos, 0, 0);
        link(c, 0, 5, {{50, 50}});
        QCOMPARE(HitTest::LinkAt(c, {50, 50}), LinkHit{});
    }

    void selectInRect_selectsOverlapsAndJoiningLinks() {
        Chart c;
        item(c, KindPos, 8, 8);     // partly inside (0,0)-(10,10)
        item(c, KindPos, 200, 200); // outside
        item(c, KindPos, 57, 0);    // left edge 57: inside only when the box reaches 57
        link(c, 0, 2);
        link(c, 0, 1);
        HitTest::SelectInRect(c, {10, 10}, {0, 0}, false);
        QVERIFY(c.items[0].selected);
        QVERIFY(!c.items[1].selected);
        QVERIFY(!c.items[2].selected);
        HitTest::SelectInRect(c, {0, 0}, {57, 10}, false);
        QVERIFY(c.items[2].selected);
        QVERIFY(c.links[0].selected);
        QVERIFY(!c.links[1].selected);
        // With toggle the same box inverts items and the links between selected ends.
        HitTest::SelectInRect(c, {0, 0}, {57, 10}, true);
        QVERIFY(!c.items[0].selected);
        QVERIFY(!c.items[2].selected);
        QVERIFY(c.links[0].selected); // its ends are no longer both selected
    }
};

QVX_TEST_CLASS(HitTestTest)
#include "HitTestTest.moc"
