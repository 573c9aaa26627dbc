#include "editor/ChartLayout.h"
#include "EditorFixtures.h"
#include "app/AppState.h"
#include "common/RecordingServices.h"
#include "common/TestRegistry.h"
#include "compiler/MotionTransfer.h"
#include "editor/EditHistory.h"

#include <QElapsedTimer>
#include <QTest>

using namespace qvx;
using editortest::item;
using editortest::link;

Q_DECLARE_METATYPE(qvx::Chart)

namespace {

MotionRecord filled(quint16 w) {
    MotionRecord r;
    r.lead = 1;
    r.words.fill(w);
    return r;
}

// The chart a read from the board makes of a motion with a SET loop counter
// and a CMP branch: one column, branch links across it.
Chart readBack() {
    qvxtest::RecordingServices services;
    AppState state;
    MotionTransfer transfer(state.compiler, state.header, state.board, services);
    // 0 SET, 1 POS, 2 POS, 3 CMP back to 1 (the loop), 4 POS, 5 CMP on to 7
    // (the branch), 6 POS, 7 POS, 8 END
    state.compiler.SetMotionImage({filled(0x8207), filled(1000), filled(1100), filled(0x8307 + 1),
                                   filled(1200), filled(0x8307 + 7), filled(1300), filled(1400),
                                   filled(0xFFFF)});
    transfer.RebuildChart(state.chart);
    return state.chart;
}

// Two segments lie on one line and share a stretch longer than a point.
bool runAlong(QPoint a, QPoint b, QPoint c, QPoint d) {
    auto cross = [](QPoint o, QPoint p, QPoint q) {
        return qint64(p.x() - o.x()) * (q.y() - o.y()) - qint64(p.y() - o.y()) * (q.x() - o.x());
    };
    if (a == b || c == d || cross(a, b, c) != 0 || cross(a, b, d) != 0) return false;
    const bool alongX = a.x() != b.x();
    auto at = [alongX](QPoint p) { return alongX ? p.x() : p.y(); };
    return std::max(std::min(at(a), at(b)), std::min(at(c), at(d))) <
           std::min(std::max(at(a), at(b)), std::max(at(c), at(d)));
}

QVector<QPoint> path(const Chart& c, const Link& l) {
    return QVector<QPoint>{c.ItemCentre(l.origin)} + l.points +
           QVector<QPoint>{c.ItemCentre(l.final)};
}

} // namespace

class ChartLayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void arrange_placesOnTheGridWithoutOverlaps_data() {
        QTest::addColumn<Chart>("chart");
        QTest::addColumn<QSize>("grid");
        QTest::newRow("read back, SET loop and CMP branch") << readBack() << QSize(10, 10);
        Chart parts;
        for (int i = 0; i < 6; ++i)
            item(parts, KindPos, 5, 5 + 40 * i);
        link(parts, 0, 1);
        link(parts, 2, 3);
        link(parts, 3, 2, {}, BranchLink);
        link(parts, 4, 5);
        parts.startItem = 2;
        QTest::newRow("disconnected parts, start in the middle") << parts << QSize(8, 6);
        Chart self;
        item(self, KindPos, 5, 5);
        item(self, KindCmp, 5, 45);
        link(self, 0, 1);
        link(self, 1, 1, {}, BranchLink);
        link(self, 0, 0);
        self.startItem = 0;
        QTest::newRow("links into themselves") << self << QSize(10, 10);
        Chart same;
        item(same, KindPos, 5, 5);
        item(same, KindCmp, 5, 45);
        item(same, KindPos, 5, 85);
        same.items[1].width = 90; // a widened item keeps its size
        link(same, 0, 1);
        link(same, 1, 2);
        link(same, 1, 2, {}, BranchLink); // a branch to the item that follows anyway
        link(same, 2, 0, {QPoint(400, 400)}, BranchLink);
        same.startItem = 0;
        QTest::newRow("branch beside a main link, old bend") << same << QSize(10, 10);
        Chart lone;
        item(lone, KindSet, 300, 200);
        lone.startItem = 0;
        QTest::newRow("one item, grid 2") << lone << QSize(2, 2);
        Chart loose;
        for (int i = 0; i < 4; ++i)
            item(loose, KindPos, 5, 5);
        QTest::newRow("no links, no start, all on one spot") << loose << QSize(10, 10);
    }

    void arrange_placesOnTheGridWithoutOverlaps() {
        QFETCH(Chart, chart);
        QFETCH(QSize, grid);
        const Chart before = chart;
        const ChartLayout::Result r = ChartLayout::Arrange(chart, grid);
        QVERIFY2(r.arranged, qPrintable(r.failure));

        // Nothing but positions and bending points changed.
        QCOMPARE(chart.itemCount(), before.itemCount());
        QCOMPARE(chart.linkCount(), before.linkCount());
        QCOMPARE(chart.startItem, before.startItem);
        for (int i = 0; i < chart.itemCount(); ++i) {
            Item moved = chart.items[size_t(i)];
            moved.left = before.items[size_t(i)].left;
            moved.top = before.items[size_t(i)].top;
            QCOMPARE(moved, before.items[size_t(i)]);
        }
        for (int l = 0; l < chart.linkCount(); ++l) {
            Link bent = chart.links[size_t(l)];
            bent.points = before.links[size_t(l)].points;
            QCOMPARE(bent, before.links[size_t(l)]);
        }

        for (int i = 0; i < chart.itemCount(); ++i) {
            const Item& a = chart.items[size_t(i)];
            QVERIFY2((a.left - grid.width() / 2) % grid.width() == 0 &&
                         (a.top - grid.height() / 2) % grid.height() == 0,
                     qPrintable(QStringLiteral("item %1 at %2,%3").arg(i).arg(a.left).arg(a.top)));
            if (chart.validItem(chart.startItem))
                QVERIFY(chart.items[size_t(chart.startItem)].top <= a.top);
            QVERIFY(r.extent.width() >= a.left + a.width && r.extent.height() >= a.top + a.height);
            for (int j = i + 1; j < chart.itemCount(); ++j) {
                const Item& b = chart.items[size_t(j)];
                QVERIFY2(!QRect(a.left, a.top, a.width, a.height)
                              .intersects(QRect(b.left, b.top, b.width, b.height)),
                         qPrintable(QStringLiteral("items %1 and %2 overlap").arg(i).arg(j)));
            }
        }
        // No stretch of one link runs along another link, or back along itself.
        for (int l = 0; l < chart.linkCount(); ++l) {
            const QVector<QPoint> p = path(chart, chart.links[size_t(l)]);
            for (const QPoint& q : chart.links[size_t(l)].points)
                QVERIFY((q.x() - grid.width() / 2) % grid.width() == 0);
            for (int m = l; m < chart.linkCount(); ++m) {
                const QVector<QPoint> o = path(chart, chart.links[size_t(m)]);
                for (int s = 0; s + 1 < p.size(); ++s)
                    for (int t = (m == l ? s + 1 : 0); t + 1 < o.size(); ++t)
                        QVERIFY2(!runAlong(p[s], p[s + 1], o[t], o[t + 1]),
                                 qPrintable(QStringLiteral("links %1 and %2").arg(l).arg(m)));
            }
        }
        // Main links (none of these charts loops through them) run downwards.
        for (const Link& l : chart.links)
            if (l.kind == MainLink && l.origin != l.final)
                QVERIFY(chart.items[size_t(l.final)].top > chart.items[size_t(l.origin)].top);
        // A link into its own item goes round it, so that it can be seen.
        for (const Link& l : chart.links)
            if (l.origin == l.final) QVERIFY(l.points.size() >= 2);
    }

    void arrange_isOneUndoStep_thatRestoresTheChartExactly() {
        Chart chart = readBack();
        chart.links[0].points = {QPoint(3, 4)};
        chart.items[2].selected = true;
        MotionHeader header;
        EditHistory history(chart, header);
        const Chart before = chart;
        QVERIFY(ChartLayout::Arrange(chart, QSize(10, 10)).arranged);
        const Chart arranged = chart;
        QVERIFY(history.commit(QStringLiteral("Arrange")));
        QCOMPARE(history.stack().count(), 1);
        QVERIFY(history.undo());
        QVERIFY(chart.items == before.items && chart.links == before.links);
        QVERIFY(history.redo());
        QVERIFY(chart.items == arranged.items && chart.links == arranged.links);
    }

    void arrange_emptyChart_isRefusedAndLargeChartsStayQuick() {
        Chart empty;
        const ChartLayout::Result none = ChartLayout::Arrange(empty, QSize(10, 10));
        QVERIFY(!none.arranged);
        QCOMPARE(none.failure, QStringLiteral("Nothing to arrange: the chart has no items"));

        // A read-back column of 10 000 items with a loop every ten: done, in
        // bounded time even in a sanitizer build.
        Chart big;
        big.AddItems(10000);
        for (Item& it : big.items) {
            it.width = kItemWidth;
            it.height = kItemHeight;
        }
        for (int i = 0; i + 1 < 10000; ++i) {
            link(big, i, i + 1);
            if (i % 10 == 9) link(big, i, i - 5, {}, BranchLink);
        }
        QElapsedTimer t;
        t.start();
        QVERIFY(ChartLayout::Arrange(big, QSize(10, 10)).arranged);
        QVERIFY2(t.elapsed() < 20000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(ChartLayout::DoneText(1), QStringLiteral("Arranged 1 item"));
    }
};

QVX_TEST_CLASS(ChartLayoutTest)
#include "ChartLayoutTest.moc"
