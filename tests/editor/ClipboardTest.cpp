#include "editor/Clipboard.h"
#include "EditorFixtures.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace qvx;
using namespace editortest;

class ClipboardTest : public QObject {
    Q_OBJECT
  private slots:
    void copy_referenceCornerMovesOnlyLeftAndUp() {
        Chart c;
        item(c, KindPos, 100, 50);
        item(c, KindPos, 40, 80); // further left but lower: corner stays
        item(c, KindPos, 20, 20);
        for (Item& it : c.items)
            it.selected = true;
        Clipboard cb;
        cb.CopySelection(c);
        QCOMPARE(cb.items().size(), size_t(3));
        QCOMPARE(QPoint(cb.items()[0].left, cb.items()[0].top), QPoint(80, 30));
        QCOMPARE(QPoint(cb.items()[1].left, cb.items()[1].top), QPoint(20, 60));
        QCOMPARE(QPoint(cb.items()[2].left, cb.items()[2].top), QPoint(0, 0));

        // Without the third item the corner stays at the first one's.
        c.items[2].selected = false;
        cb.CopySelection(c);
        QCOMPARE(QPoint(cb.items()[1].left, cb.items()[1].top), QPoint(-60, 30));
    }

    void copy_linksOnlyWhenSelectedAndInside() {
        Chart c;
        item(c, KindPos, 0, 0);
        item(c, KindPos, 100, 0);
        item(c, KindPos, 200, 0);
        link(c, 0, 2, {{60, 60}});
        link(c, 2, 1); // ends outside the selection
        c.items[0].selected = c.items[2].selected = true;
        Clipboard cb;
        cb.CopySelection(c);
        QVERIFY(cb.links().empty()); // no link selected

        c.links[0].selected = c.links[1].selected = true;
        cb.CopySelection(c);
        QCOMPARE(cb.links().size(), size_t(1));
        QCOMPARE(cb.links()[0].origin, 0);
        QCOMPARE(cb.links()[0].final, 1);
        QCOMPARE(cb.links()[0].points, QVector<QPoint>{QPoint(60, 60)});
    }

    void copy_withoutSelection_keepsOldContent() {
        Chart c;
        item(c, KindPos, 10, 10);
        c.items[0].selected = true;
        Clipboard cb;
        cb.CopySelection(c);
        c.ClearSelection();
        cb.CopySelection(c);
        QVERIFY(cb.hasItems());
    }

    void paste_twiceMakesTwoIndependentSelectedCopies() {
        Chart c;
        item(c, KindCmp, 50, 40);
        item(c, KindPos, 150, 40);
        link(c, 0, 1, {{100, 100}}, BranchLink);
        c.startItem = 0;
        for (Item& it : c.items)
            it.selected = true;
        c.links[0].selected = true;
        Clipboard cb;
        cb.CopySelection(c);

        QVERIFY(cb.PasteClipboard(c, {300, 300}));
        QCOMPARE(c.itemCount(), 4);
        QCOMPARE(c.linkCount(), 2);
        QCOMPARE(c.items[2].name, QString("CMP1")); // names copied unchanged
        QCOMPARE(QPoint(c.items[3].left, c.items[3].top), QPoint(400, 300));
        const Link& l = c.links[1];
        QCOMPARE(l.origin, 2);
        QCOMPARE(l.final, 3);
        QCOMPARE(l.kind, quint8(BranchLink));
        QCOMPARE(l.points, QVector<QPoint>{QPoint(350, 360)});
        QCOMPARE(c.SelectedItemCount(), 2);
        QVERIFY(!c.items[0].selected && c.items[2].selected && c.items[3].selected);
        QVERIFY(!c.links[0].selected && c.links[1].selected);
        QCOMPARE(c.startItem, 0);

        QVERIFY(cb.PasteClipboard(c, {0, 500}));
        QCOMPARE(c.itemCount(), 6);
        QCOMPARE(c.links[2].origin, 4);
        QCOMPARE(QPoint(c.items[4].left, c.items[4].top), QPoint(0, 500));
        QCOMPARE(c.SelectedItemCount(), 2);
        QCOMPARE(c.SelectedLinkCount(), 1);
    }

    void paste_afterItemsCleared_doesNothing() {
        Chart c;
        item(c, KindPos, 0, 0);
        c.items[0].selected = true;
        Clipboard cb;
        cb.CopySelection(c);
        cb.clearItems();
        QVERIFY(!cb.PasteClipboard(c, {10, 10}));
        QCOMPARE(c.itemCount(), 1);
        QVERIFY(c.items[0].selected);
    }
};

QVX_TEST_CLASS(ClipboardTest)
#include "ClipboardTest.moc"
