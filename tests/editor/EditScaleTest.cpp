#include "common/TestRegistry.h"
#include "document/ChartChange.h"
#include "editor/Clipboard.h"
#include "editor/EditHistory.h"

#include <QTest>

using namespace qvx;

namespace {

enum class Edit { DeleteOne, DeleteEveryThird, DeleteSecondHalf, PasteEveryTenth };

// n items, each linked to the next and by a bent branch link to the tenth
// after it: deleting near the front renumbers nearly every link.
Chart chain(int n) {
    Chart c;
    c.AddItems(n);
    for (int i = 0; i < n; ++i) {
        Item& it = c.items[size_t(i)];
        it.name = QStringLiteral("POS") + QString::number(i + 1);
        it.left = i % 100 * 60;
        it.top = i / 100 * 40;
    }
    // A link to the next item and, but for the last ten, one to the tenth after.
    c.AddLinks(2 * (n - 1) - std::min(n - 1, 9));
    size_t l = 0;
    for (int i = 0; i + 1 < n; ++i) {
        c.links[l++] = {false, MainLink, i, i + 1, {}};
        if (i + 10 < n) c.links[l++] = {false, BranchLink, i, i + 10, {QPoint(i, 7)}};
    }
    c.startItem = n - 1;
    c.visits = 0;
    return c;
}

bool sameChart(const Chart& a, const Chart& b) {
    return a.itemCount() == b.itemCount() && a.links == b.links && a.startItem == b.startItem &&
           std::equal(a.items.begin(), a.items.end(), b.items.begin(), ChartChange::sameItem);
}

} // namespace

Q_DECLARE_METATYPE(Edit)

class EditScaleTest : public QObject {
    Q_OBJECT

    // The items and links walked over by one edit of a chart of n items, its
    // commit, its undo and its redo; each step must leave the right chart.
    static quint64 walked(int n, Edit edit) {
        Chart chart = chain(n);
        MotionHeader header;
        EditHistory history(chart, header);
        const Chart original = chart;
        auto select = [&](auto pick) {
            for (int i = 0; i < n; ++i)
                chart.items[size_t(i)].selected = pick(i);
        };
        switch (edit) {
        case Edit::DeleteOne:
            select([n](int i) { return i == n / 3; });
            break;
        case Edit::DeleteEveryThird:
            select([](int i) { return i % 3 == 1; });
            break;
        case Edit::DeleteSecondHalf:
            select([n](int i) { return i >= n / 2; });
            break;
        case Edit::PasteEveryTenth:
            select([](int i) { return i % 10 == 0; });
            break;
        }
        if (edit == Edit::PasteEveryTenth) {
            for (Link& l : chart.links)
                l.selected = l.kind == BranchLink && l.origin % 10 == 0;
            Clipboard clipboard;
            clipboard.CopySelection(chart);
            clipboard.PasteClipboard(chart, QPoint(100, 5000));
        } else {
            chart.DeleteSelected();
        }
        const Chart edited = chart;
        chart.visits = 0;
        if (!history.commit() || !history.undo() || !sameChart(chart, original) ||
            !history.redo() || !sameChart(chart, edited))
            return 0;
        return chart.visits;
    }

  private slots:
    // However the selection lies, a deletion or a paste with its undo and
    // redo walks the chart a few times: twice the items and links, twice the
    // work, where a pass over the links for every item would take four times.
    void selectionEdits_workGrowsWithTheChart_data() {
        QTest::addColumn<Edit>("edit");
        QTest::newRow("delete one item") << Edit::DeleteOne;
        QTest::newRow("delete every third item") << Edit::DeleteEveryThird;
        QTest::newRow("delete the second half") << Edit::DeleteSecondHalf;
        QTest::newRow("paste every tenth item") << Edit::PasteEveryTenth;
    }
    void selectionEdits_workGrowsWithTheChart() {
        QFETCH(Edit, edit);
        constexpr int kSmall = 2000;
        Chart plain = chain(kSmall);
        const quint64 chartSize = quint64(plain.itemCount() + plain.linkCount());
        plain.items[size_t(kSmall / 3)].selected = true;
        plain.DeleteSelected();
        QCOMPARE(plain.visits, chartSize); // one pass over the items, one over the links

        const quint64 small = walked(kSmall, edit), large = walked(2 * kSmall, edit);
        QVERIFY2(small > 0 && large > 0, "a step left the wrong chart");
        QVERIFY2(small <= 6 * chartSize, qPrintable(QString::number(small)));
        QVERIFY2(double(large) / double(small) < 2.2,
                 qPrintable(QStringLiteral("%1 then %2").arg(small).arg(large)));
    }
};

QVX_TEST_CLASS(EditScaleTest)
#include "EditScaleTest.moc"
