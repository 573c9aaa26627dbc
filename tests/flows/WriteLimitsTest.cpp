#include "FlowFixture.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace qvx;

// The questions and refusals around writing long motions and scenarios.
class WriteLimitsTest : public QObject {
    Q_OBJECT

    // Compiles a chain whose image has exactly `records` records (items + END).
    static void compileChain(FlowFixture& fx, int records) {
        fx.setChart(longChain(records - 1));
        QVERIFY(fx.state->compiler.CompileMotionChart(fx.state->chart, fx.services));
        QCOMPARE(int(fx.state->compiler.MotionImage().size()), records);
    }

  private slots:
    void questionNamesTheSlotsAfterTheTarget() {
        const struct {
            int records;
            QString list;
        } cases[] = {{30, {}}, {31, "M6"}, {60, "M6,M7"}};
        for (const auto& c : cases) {
            FlowFixture fx;
            compileChain(fx, c.records);
            fx.services.defaultBoxAnswer = ResultYes;
            QVERIFY(fx.flows->transfer().WriteMotionToBoard(4));
            if (c.list.isEmpty()) {
                QVERIFY(fx.services.boxes.empty());
            } else {
                QCOMPARE(fx.services.boxes.size(), size_t(1));
                QCOMPARE(fx.services.lastBoxText(),
                         "As the data to input are more than thirty\r\nThe data of " + c.list +
                             " would be deleted. Do you agree with this");
            }
            QCOMPARE(fx.services.statuses.last(), QStringLiteral("PCT is written"));
            QCOMPARE(fx.memorySim.stored().table[4][0], char(c.records));
        }
    }

    void answeringNo_writesNothing() {
        FlowFixture fx;
        compileChain(fx, 31);
        fx.services.boxAnswers.push_back(ResultNo);
        QVERIFY(!fx.flows->transfer().WriteMotionToBoard(4));
        QCOMPARE(fx.memorySim.stored().table[4][0], char(0));
        for (const QByteArray& f : fx.memorySim.frames)
            QVERIFY(quint8(f[0]) != 0xFD);
    }

    void tooManyRecordsOrPastTheLastSlot_refusedBeforeWriting() {
        {
            FlowFixture fx;
            compileChain(fx, 256);
            fx.services.defaultBoxAnswer = ResultYes;
            QVERIFY(!fx.flows->transfer().WriteMotionToBoard(0));
            QVERIFY(fx.services.lastBoxText().contains(QStringLiteral("at most 255")));
            QVERIFY(fx.memorySim.frames.isEmpty());
        }
        {
            FlowFixture fx;
            compileChain(fx, 31);
            fx.services.defaultBoxAnswer = ResultYes;
            QVERIFY(!fx.flows->transfer().WriteMotionToBoard(79));
            QVERIFY(fx.services.lastBoxText().contains(QStringLiteral("M80 to M81")));
            QVERIFY(fx.memorySim.frames.isEmpty());
            // Thirty records still fit into the last slot.
            compileChain(fx, 30);
            QVERIFY(fx.flows->transfer().WriteMotionToBoard(79));
        }
    }

    void scenarioOfMoreThan200Steps_writesTheFirst200() {
        FlowFixture fx;
        Compiler& comp = fx.state->compiler;
        Chart c;
        const int first = c.AddItems(250);
        for (int i = 0; i < 250; ++i) {
            c.items[size_t(first + i)].kind = KindMot;
            c.items[size_t(first + i)].lead = quint8(i % 80);
        }
        std::vector<qint32> steps(250);
        for (int i = 0; i < 250; ++i)
            steps[size_t(i)] = i;
        comp.SetSteps(steps, {});
        // The board's port and control stay as they were.
        QVERIFY(fx.state->board.UpdateTableEntry(82, 0, 0x123456, QString(), std::nullopt, 4321));
        fx.services.boxAnswers.push_back(ResultYes);
        QVERIFY(fx.flows->transfer().WriteScenarioToBoard(c, 2));
        QVERIFY(
            fx.services.lastBoxText().startsWith(QStringLiteral("We can't write the motion data")));
        const QByteArray e = fx.memorySim.stored().table[82];
        QCOMPARE(quint8(e[0]), quint8(200));
        QCOMPARE(MotionTable::EntryPort(e), quint32(0x123456));
        QCOMPARE(MotionTable::EntryControl(e), 4321);
        QCOMPARE(fx.memorySim.stored().scenarios[2][199], quint8(199 % 80));
        QCOMPARE(fx.services.statuses.last(), QStringLiteral("Writing of 200 is done"));
    }

    void failedRecord_stopsAndLeavesTheEntry() {
        FlowFixture fx;
        compileChain(fx, 5);
        fx.memorySim.injectFault(BoardSimulator::Fault::BadAck, 10, 2);
        QVERIFY(!fx.flows->transfer().WriteMotionToBoard(6));
        QCOMPARE(fx.memorySim.stored().table[6][0], char(0));
    }
};

QVX_TEST_CLASS(WriteLimitsTest)
#include "WriteLimitsTest.moc"
