#include "document/ChartChange.h"
#include "common/RandomEdits.h"
#include "common/RecordingServices.h"
#include "common/TestRegistry.h"
#include "document/DocumentFile.h"

#include <QTest>

using namespace qvx;

namespace {

using qvxtest::Doc;
using qvxtest::randomEdit;

// The document as a save writes it: what "the same document" means.
QByteArray saved(Doc& d) {
    qvxtest::RecordingServices s;
    DocumentContext ctx(d.chart, d.header, s);
    ctx.canvas = QSize(640, 480);
    return DocumentFile::DocumentBytes(ctx);
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
        // A chain of links, each with a bend: every deletion renumbers those behind it.
        d.chart.AddLinks(1999);
        for (int i = 0; i < 1999; ++i) {
            d.chart.links[size_t(i)].origin = i;
            d.chart.links[size_t(i)].final = i + 1;
            d.chart.links[size_t(i)].points = {QPoint(i, 5)};
        }
        const Doc original = d;
        Doc before = d;
        d.chart.items[1500].left += 3;
        const auto move = ChartChange::Between(before.chart, before.header, d.chart, d.header);
        QVERIFY(move);
        QVERIFY2(move->footprint() < 2000, qPrintable(QString::number(move->footprint())));
        QCOMPARE(move->describe(), QStringLiteral("Move POS1501"));

        // Deleting items far apart keeps those items and their links alone,
        // not the run between them nor the links renumbered behind them.
        before = d;
        d.chart.ClearSelection();
        d.chart.items[700].selected = true;
        d.chart.items[1990].selected = true;
        d.chart.DeleteSelected();
        const auto del = ChartChange::Between(before.chart, before.header, d.chart, d.header);
        QVERIFY(del);
        QVERIFY2(del->footprint() < 3000, qPrintable(QString::number(del->footprint())));
        QCOMPARE(del->describe(), QStringLiteral("Delete 2 items"));

        // An item an editor follows keeps its mark through undo and redo.
        const quint64 mark = d.chart.MarkItem(1000);
        del->undo(d.chart, d.header);
        move->undo(d.chart, d.header);
        QCOMPARE(d.chart.FindMarked(mark), 1001);
        QCOMPARE(d.chart.links[1500].origin, 1500);
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
        QVERIFY(
            ChartChange::Between(before.chart, before.header, d.chart, d.header)->onlyPoseValues());
        before = d;
        d.chart.items[1].values[4] = 8;
        d.chart.items[1].left = 3;
        QVERIFY(!ChartChange::Between(before.chart, before.header, d.chart, d.header)
                     ->onlyPoseValues());
    }
};

QVX_TEST_CLASS(ChartChangeTest)
#include "ChartChangeTest.moc"
