#include "common/TestRegistry.h"
#include "document/Chart.h"

#include <QTest>

using namespace qvx;

namespace {
int link(Chart& c, int from, int to, quint8 kind = MainLink) {
    const int i = c.AddLinks(1);
    c.links[size_t(i)].origin = from;
    c.links[size_t(i)].final = to;
    c.links[size_t(i)].kind = kind;
    return i;
}
} // namespace

class ChartTest : public QObject {
    Q_OBJECT
private slots:
    void createItem_takesKindDefaults() {
        Chart c;
        const int pos = c.CreateItem(KindPos, 40, 60);
        const int set = c.CreateItem(KindSet, 0, 0);
        const int cmp = c.CreateItem(KindCmp, 0, 0);
        QCOMPARE(c.items[size_t(pos)].lead, quint8(100));
        QCOMPARE(c.items[size_t(pos)].values[0], quint16(0));
        QCOMPARE(c.items[size_t(set)].values[23], quint16(32774));
        QCOMPARE(c.items[size_t(set)].lead, quint8(1));
        QCOMPARE(c.items[size_t(cmp)].values[5], quint16(33543));
        QCOMPARE(c.items[size_t(pos)].width, 50);
        QCOMPARE(c.items[size_t(pos)].height, 30);
        QCOMPARE(c.items[size_t(pos)].colour, quint32(0xFFFFFF));
        QCOMPARE(c.items[size_t(pos)].name, QString("POS1"));
    }

    void documentKind_followsFirstItem_mismatchIsRefused() {
        Chart c;
        c.documentKind = ScenarioChart;
        QCOMPARE(c.CreateItem(KindSet, 0, 0), 0);
        QCOMPARE(c.documentKind, quint8(MotionChart));
        QCOMPARE(c.CreateItem(KindMot, 0, 0), -1);
        QCOMPARE(c.itemCount(), 1);

        Chart s;
        QCOMPARE(s.CreateItem(KindMot, 0, 0), 0);
        QCOMPARE(s.documentKind, quint8(ScenarioChart));
        QCOMPARE(s.CreateItem(KindSet, 0, 0), -1);
        QCOMPARE(s.items[0].name, QString("MOT1"));
    }

    void uniqueName_fillsTheSmallestGap() {
        Chart c;
        c.CreateItem(KindPos, 0, 0);
        c.CreateItem(KindPos, 0, 0);
        c.CreateItem(KindPos, 0, 0);
        c.items[1].name = "SET1"; // names are compared across kinds
        QCOMPARE(c.items[2].name, QString("POS3"));
        QCOMPARE(c.UniqueItemName(KindPos), QString("POS2"));
        QCOMPARE(c.UniqueItemName(KindSet), QString("SET2"));
        QCOMPARE(c.UniqueItemName(42), QString("ITEM1"));
        // Only names the candidate text equals are taken.
        c.items[0].name = "POS02";
        c.items[1].name = "POS1";
        c.items[2].name = "POS 2";
        QCOMPARE(c.UniqueItemName(KindPos), QString("POS2"));
        c.items[2].name = "POS2";
        QCOMPARE(c.UniqueItemName(KindPos), QString("POS3"));
        // Thousands of items: quick, and still the smallest free number.
        c.AddItems(5000);
        for (int i = 0; i < c.itemCount(); ++i)
            c.items[size_t(i)].name = QStringLiteral("POS") + QString::number(i == 1234 ? 99999 : i + 1);
        QCOMPARE(c.UniqueItemName(KindPos), QString("POS1235"));
    }

    void deleteSelected_renumbersLinksAndStart() {
        Chart c;
        for (int i = 0; i < 5; ++i) c.CreateItem(KindPos, i * 10, 0);
        link(c, 0, 1);
        link(c, 1, 2);
        link(c, 2, 3);
        link(c, 3, 4);
        link(c, 4, 0);
        c.startItem = 3;
        c.items[1].selected = true;
        c.DeleteSelected();
        QCOMPARE(c.itemCount(), 4);
        QCOMPARE(c.items[1].name, QString("POS3"));
        QCOMPARE(c.startItem, 2); // the flag stays on the same item
        QCOMPARE(c.linkCount(), 3);
        QCOMPARE(c.links[0].origin, 1);
        QCOMPARE(c.links[0].final, 2);
        QCOMPARE(c.links[2].origin, 3);
        QCOMPARE(c.links[2].final, 0);
        for (const Item& it : c.items) QVERIFY(!it.selected);
    }

    void deleteSelected_startItemGone_andSelectedLinksRemoved() {
        Chart c;
        for (int i = 0; i < 3; ++i) c.CreateItem(KindPos, 0, 0);
        link(c, 0, 1);
        link(c, 1, 2);
        c.startItem = 0;
        c.items[0].selected = true;
        c.links[1].selected = true;
        c.DeleteSelected();
        QCOMPARE(c.startItem, -1);
        QCOMPARE(c.itemCount(), 2);
        QCOMPARE(c.linkCount(), 0);
    }

    void reverseAndFindLink() {
        Chart c;
        for (int i = 0; i < 2; ++i) c.CreateItem(KindPos, 0, 0);
        const int l = link(c, 0, 1);
        c.links[size_t(l)].points = {QPoint(1, 2), QPoint(3, 4)};
        QCOMPARE(c.FindLink(0, 1), l);
        QCOMPARE(c.FindLink(1, 0), -1);
        c.ReverseLink(l);
        QCOMPARE(c.FindLink(1, 0), l);
        QCOMPARE(c.links[size_t(l)].points, QVector<QPoint>({QPoint(3, 4), QPoint(1, 2)}));
        c.ReverseLink(7); // out of range: nothing happens
    }

    void addItemsAndLinks_deselectOldOnes() {
        Chart c;
        c.CreateItem(KindPos, 0, 0);
        c.items[0].selected = true;
        QCOMPARE(c.AddItems(2), 1);
        QCOMPARE(c.SelectedItemCount(), 0);
        QCOMPARE(c.itemCount(), 3);
        QCOMPARE(c.items[2].width, 0);
        link(c, 0, 1);
        c.links[0].selected = true;
        QCOMPARE(c.AddLinks(1), 1);
        QCOMPARE(c.SelectedLinkCount(), 0);
        QCOMPARE(c.ItemCentre(0), QPoint(25, 15));
    }
};

QVX_TEST_CLASS(ChartTest)
#include "ChartTest.moc"
