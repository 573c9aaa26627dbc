#include "common/RecordingServices.h"
#include "common/TestRegistry.h"
#include "document/ChartChange.h"
#include "document/DocumentFile.h"

#include <QRandomGenerator>
#include <QTest>

using namespace qvx;

namespace {

struct Doc {
    Chart chart;
    MotionHeader header;
};

// The document as a save writes it: what "the same document" means.
QByteArray saved(Doc& d) {
    qvxtest::RecordingServices s;
    DocumentContext ctx(d.chart, d.header, s);
    ctx.canvas = QSize(640, 480);
    return DocumentFile::DocumentBytes(ctx);
}

// One random edit of every kind the editors make, applied to d. Returns false
// when it only changed the selection (no document change).
bool randomEdit(Doc& d, QRandomGenerator& rng) {
    Chart& c = d.chart;
    const int n = c.itemCount();
    auto anyItem = [&] { return int(rng.bounded(n)); };
    auto selectSome = [&] {
        c.ClearSelection();
        for (Item& it : c.items)
            it.selected = rng.bounded(4) == 0;
    };
    switch (n < 3 ? 0 : rng.bounded(13)) {
    case 0: { // place
        const quint8 kinds[] = {KindPos, KindSet, KindCmp};
        c.CreateItem(kinds[rng.bounded(3)], int(rng.bounded(600)), int(rng.bounded(400)));
        return true;
    }
    case 1: // delete the selection (items with their links, and links)
        selectSome();
        for (Link& l : c.links)
            l.selected = rng.bounded(5) == 0;
        if (c.SelectedItemCount() == 0 && c.SelectedLinkCount() == 0) c.items[0].selected = true;
        c.DeleteSelected();
        return true;
    case 2: // drag the selection
        selectSome();
        c.items[size_t(anyItem())].selected = true;
        for (Item& it : c.items)
            if (it.selected) it.left += 10, it.top += 7;
        return true;
    case 3: // resize
        c.items[size_t(anyItem())].width += 5;
        return true;
    case 4: // rename
        c.items[size_t(anyItem())].name = QStringLiteral("名前") + QString::number(rng.bounded(1000));
        return true;
    case 5: // colour
        c.items[size_t(anyItem())].colour = rng.bounded(0x1000000u);
        return true;
    case 6: { // pose values and speed
        Item& it = c.items[size_t(anyItem())];
        it.values[size_t(rng.bounded(24))] = quint16(rng.bounded(65536));
        it.lead = quint8(rng.bounded(256));
        return true;
    }
    case 7: { // draw a link
        const int l = c.AddLinks(1);
        c.links[size_t(l)].origin = anyItem();
        c.links[size_t(l)].final = anyItem();
        c.links[size_t(l)].kind = quint8(rng.bounded(2));
        return true;
    }
    case 8: // bend a link
        if (c.links.empty()) return randomEdit(d, rng);
        c.links[size_t(rng.bounded(c.linkCount()))].points.append(
            QPoint(int(rng.bounded(600)), int(rng.bounded(400))));
        return true;
    case 9: // reverse a link
        if (c.links.empty()) return randomEdit(d, rng);
        c.ReverseLink(int(rng.bounded(c.linkCount())));
        return true;
    case 10: // start item
        c.startItem = c.startItem == 0 ? 1 : 0;
        return true;
    case 11: // the data dialog's fields
        d.header.MotionName = QStringLiteral("Motion ") + QString::number(rng.bounded(100));
        d.header.MotionCtrl = rng.bounded(0x10000u);
        return true;
    default: // selection and a mark only: no document change
        selectSome();
        c.MarkItem(anyItem());
        return false;
    }
}

} // namespace

class ChartChangeTest : public QObject {
    Q_OBJECT

  private slots:
    void longRandomSequence_undoneAndRedoneWhole() {
        for (quint32 seed : {1u, 2024u}) {
            QRandomGenerator rng(seed);
            Doc d;
            std::vector<QByteArray> states{saved(d)};
            std::vector<ChartChange> steps;
            for (int k = 0; k < 250; ++k) {
                const Doc before = d;
                const bool edits = randomEdit(d, rng);
                std::optional<ChartChange> c =
                    ChartChange::Between(before.chart, before.header, d.chart, d.header);
                // A change exactly when the saved document differs (an edit
                // may happen to put back the value that was there).
                const QByteArray now = saved(d);
                QCOMPARE(c.has_value(), now != states.back());
                if (!edits) QVERIFY(!c);
                if (!c) continue;
                steps.push_back(*c);
                states.push_back(now);
            }
            QVERIFY(steps.size() > 180);
            for (size_t k = steps.size(); k-- > 0;) {
                steps[k].undo(d.chart, d.header);
                QCOMPARE(saved(d), states[k]);
            }
            for (size_t k = 0; k < steps.size(); ++k) {
                steps[k].redo(d.chart, d.header);
                QCOMPARE(saved(d), states[k + 1]);
            }
        }
    }

    void stepsHoldOnlyWhatChanged_andKeepMarks() {
        Doc d;
        d.chart.AddItems(2000);
        for (int i = 0; i < 2000; ++i) {
            Item& it = d.chart.items[size_t(i)];
            it.name = QStringLiteral("POS") + QString::number(i + 1);
            it.left = i % 50 * 12;
            it.top = i / 50 * 10;
        }
        const Doc original = d;
        Doc before = d;
        d.chart.items[1500].left += 3;
        const auto move = ChartChange::Between(before.chart, before.header, d.chart, d.header);
        QVERIFY(move);
        QVERIFY2(move->footprint() < 2000, qPrintable(QString::number(move->footprint())));
        QCOMPARE(move->describe(), QStringLiteral("Move POS1501"));

        // Deleting one item in the middle keeps that item alone.
        before = d;
        d.chart.ClearSelection();
        d.chart.items[700].selected = true;
        d.chart.DeleteSelected();
        const auto del = ChartChange::Between(before.chart, before.header, d.chart, d.header);
        QVERIFY(del && del->footprint() < 2000);
        QCOMPARE(del->describe(), QStringLiteral("Delete POS701"));

        // An item an editor follows keeps its mark through undo and redo.
        const quint64 mark = d.chart.MarkItem(1000);
        del->undo(d.chart, d.header);
        move->undo(d.chart, d.header);
        QCOMPARE(d.chart.FindMarked(mark), 1001);
        Doc expected = original;
        QCOMPARE(saved(d), saved(expected));
    }

    void describe_namesTheEdit() {
        Doc d;
        d.chart.CreateItem(KindPos, 0, 0);
        d.chart.CreateItem(KindPos, 100, 0);
        auto text = [&](auto edit) {
            const Doc before = d;
            edit();
            return ChartChange::Between(before.chart, before.header, d.chart, d.header)->describe();
        };
        QCOMPARE(text([&] { d.chart.CreateItem(KindSet, 0, 50); }), QStringLiteral("Add SET1"));
        QCOMPARE(text([&] {
                     d.chart.items[0].left += 5;
                     d.chart.items[1].left += 5;
                 }),
                 QStringLiteral("Move 2 items"));
        QCOMPARE(text([&] { d.chart.items[0].colour = 0xFF; }), QStringLiteral("Colour of POS1"));
        QCOMPARE(text([&] { d.chart.items[1].values[3] = 99; }), QStringLiteral("Values of POS2"));
        QCOMPARE(text([&] {
                     const int l = d.chart.AddLinks(1);
                     d.chart.links[size_t(l)].final = 1;
                 }),
                 QStringLiteral("Draw link"));
        QCOMPARE(text([&] { d.chart.ReverseLink(0); }), QStringLiteral("Reverse link"));
        QCOMPARE(text([&] { d.chart.links[0].points.append(QPoint(5, 5)); }),
                 QStringLiteral("Bend link"));
        QCOMPARE(text([&] { d.chart.startItem = 1; }), QStringLiteral("Start item"));
        QCOMPARE(text([&] { d.header.MotionName = QStringLiteral("x"); }),
                 QStringLiteral("Data of the document"));

        Doc before = d;
        d.chart.items[1].values[4] = 7;
        QVERIFY(ChartChange::Between(before.chart, before.header, d.chart, d.header)->onlyPoseValues());
        before = d;
        d.chart.items[1].values[4] = 8;
        d.chart.items[1].left = 3;
        QVERIFY(!ChartChange::Between(before.chart, before.header, d.chart, d.header)->onlyPoseValues());
    }
};

QVX_TEST_CLASS(ChartChangeTest)
#include "ChartChangeTest.moc"
