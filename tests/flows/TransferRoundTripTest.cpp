#include "FlowFixture.h"
#include "common/TestRegistry.h"
#include "board/WordClasses.h"

#include <QTest>

using namespace qvx;
using qvxtest::ChartMaker;

// Charts written to the simulated board through a pseudo-terminal and read
// back: the image read is the image written, and the rebuilt chart compiles to
// it again with the same items in step order.
class TransferRoundTripTest : public QObject {
    Q_OBJECT

    // Writes the chart to a motion slot, reads it back through the flows and
    // checks both directions.
    static void roundTrip(FlowFixture& fx, const Chart& chart, int slot) {
        fx.setChart(chart);
        Compiler reference;
        QVERIFY(reference.CompileMotionChart(chart, fx.services));
        if (reference.MotionImage().size() > 30) fx.services.boxAnswers.push_back(ResultYes);
        fx.answerPick(slot);
        QVERIFY(fx.flows->Write());
        QCOMPARE(fx.services.statuses.last(), QStringLiteral("Writing succeeded"));

        fx.state->chart.ClearChart();
        fx.state->compiler.SetMotionImage({});
        fx.answerPick(slot);
        QVERIFY(fx.flows->Read());
        QCOMPARE(fx.state->compiler.MotionImage(), reference.MotionImage());
        QCOMPARE(fx.state->chart.documentKind, quint8(MotionChart));

        // Same items in step order: kind, lead and values (CMP values at their bases).
        std::vector<const Item*> expected;
        for (qint32 s : reference.StepItem())
            if (s >= 0) expected.push_back(&chart.items[size_t(s)]);
        const Chart& back = fx.state->chart;
        QCOMPARE(back.items.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            QCOMPARE(back.items[i].kind, expected[i]->kind);
            QCOMPARE(back.items[i].lead, expected[i]->lead);
            QCOMPARE(back.items[i].values, expected[i]->values);
        }
        QCOMPARE(back.startItem, 0);

        Compiler again;
        QVERIFY(again.CompileMotionChart(back, fx.services));
        QCOMPARE(again.MotionImage(), reference.MotionImage());
    }

  private slots:
    void loopWithSetAndCmp_readsBackEquivalent() {
        FlowFixture fx(true);
        QVERIFY(fx.open());
        ChartMaker m;
        const int load = m.item(QStringLiteral("LOAD"), KindSet, 1, 0x8006);
        m.chart.items[size_t(load)].values[0] = 0x8207 + 3; // loop counter 3
        const int a = m.item(QStringLiteral("A"), KindPos, 40, 2000);
        const int b = m.item(QStringLiteral("B"), KindPos, 60, 3000);
        const int c = m.cmp(QStringLiteral("C"));
        const int e = m.item(QStringLiteral("E"), KindPos, 80, 4000);
        m.next(load, a);
        m.next(a, b);
        m.next(b, c);
        m.branch(c, a); // loop back while the counter runs
        m.next(c, e);
        roundTrip(fx, m.chart, 5);

        // The rebuilt chart has the loop as a branch link from the CMP item.
        const Chart& back = fx.state->chart;
        QVERIFY(back.FindLink(3, 1) >= 0);
        QCOMPARE(back.links[size_t(back.FindLink(3, 1))].kind, quint8(BranchLink));
        QVERIFY(back.FindLink(3, 4) >= 0);
        // The table row shows what was written.
        QCOMPARE(fx.state->table.rowTexts(5).value(2), QStringLiteral("6"));
        QCOMPARE(fx.state->table.name(5), fx.state->header.MotionName);
    }

    void branchesToSeveralChains_readBackEquivalent() {
        FlowFixture fx(true);
        QVERIFY(fx.open());
        ChartMaker m;
        const int a = m.item(QStringLiteral("A"), KindPos, 30, 500);
        const int c1 = m.cmp(QStringLiteral("C1"), 0x8C06);
        const int b = m.item(QStringLiteral("B"), KindPos, 31, 600);
        const int c2 = m.cmp(QStringLiteral("C2"), 0x9206);
        const int d = m.item(QStringLiteral("D"), KindPos, 32, 700);
        const int f = m.item(QStringLiteral("F"), KindPos, 33, 800);
        m.next(a, c1);
        m.branch(c1, d);
        m.next(c1, b);
        m.next(b, c2);
        m.branch(c2, f);
        m.next(c2, a);
        m.next(d, f);
        roundTrip(fx, m.chart, 0);
    }

    void motionOfMoreThanThirtyRecords_spansSlotsAndReadsBack() {
        FlowFixture fx(true);
        QVERIFY(fx.open());
        roundTrip(fx, longChain(40), 10);
        // 41 records: the question named the slot after the target.
        QCOMPARE(fx.services.boxes.size(), size_t(1));
        QVERIFY(
            fx.services.boxes[0].text.contains(QStringLiteral("The data of M12 would be deleted")));
        QCOMPARE(fx.sim([](BoardSimulator& s) { return s.record(11, 10); }),
                 fx.state->compiler.MotionImage()[40]);
    }

    void scenario_writesMotionNumbersAndReadsBackAsMotChain() {
        FlowFixture fx(true);
        QVERIFY(fx.open());
        // Names for the motions the scenario plays.
        QVERIFY(
            fx.state->board.UpdateTableEntry(2, 1, -1, QStringLiteral("Walk"), QDateTime(), -1));
        QVERIFY(fx.state->board.UpdateTableEntry(0, 1, -1, QStringLiteral("Bow"), QDateTime(), -1));
        Chart c;
        for (int motion : {2, 0, 2}) {
            const int n = c.CreateItem(KindMot, 10, 10 + 40 * c.itemCount());
            c.items[size_t(n)].lead = quint8(motion);
        }
        c.startItem = 0;
        c.links.resize(2);
        c.links[0].origin = 0, c.links[0].final = 1;
        c.links[1].origin = 1, c.links[1].final = 2;
        fx.setChart(c);
        fx.state->header.MotionName = QStringLiteral("Show");
        const QString choices = fx.state->table.ScenarioList();
        fx.answerPick(0);
        QVERIFY(fx.flows->Write());
        QCOMPARE(fx.services.picks.back().choices, choices);
        QVERIFY(fx.state->table.ScenarioList().startsWith(QStringLiteral("\"S1 Show ")));
        QVERIFY(fx.services.statuses.contains(QStringLiteral("Scenario change succeeded")));

        fx.state->chart.ClearChart();
        fx.answerPick(80);
        QVERIFY(fx.flows->Read());
        const Chart& back = fx.state->chart;
        QCOMPARE(back.documentKind, quint8(ScenarioChart));
        QStringList names;
        for (const Item& it : back.items) {
            names << it.name;
            QCOMPARE(it.kind, quint8(KindMot));
        }
        QCOMPARE(names, (QStringList{"M3 Walk", "M1 Bow", "M3 Walk"}));
        QCOMPARE(back.linkCount(), 2);
        QCOMPARE(back.links[1].origin, 1);
        QCOMPARE(back.links[1].final, 2);
        QCOMPARE(back.startItem, 0);
        QCOMPARE(fx.state->header.MotionName, QStringLiteral("Show"));
        QCOMPARE(fx.flows->transfer().listRows(), (QStringList{"M3", "M1", "M3"}));
    }

    void emptySlot_readFailsWithNoDataAndWakesTheBoard() {
        FlowFixture fx(true);
        QVERIFY(fx.open());
        fx.state->chart = longChain(3);
        fx.answerPick(7);
        QVERIFY(!fx.flows->Read());
        QCOMPARE(fx.state->chart.itemCount(), 3); // nothing replaced
        QCOMPARE(fx.services.statuses.last(), QStringLiteral("There are no data."));
        const quint16 option = fx.sim([](BoardSimulator& s) { return s.working().option; });
        QCOMPARE(option & BoardCommands::kOptSleep, 0);
    }
};

QVX_TEST_CLASS(TransferRoundTripTest)
#include "TransferRoundTripTest.moc"
