#include "FlowFixture.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace qvx;

// The main window's board flows against the in-memory simulated board: what
// the picker offers, what reaches the board and what the status line says.
class BoardFlowsTest : public QObject {
    Q_OBJECT

    // Stores a small motion on the simulated board as if written earlier.
    static void storeMotion(FlowFixture& fx, int slot, int poses) {
        fx.setChart(longChain(poses));
        QVERIFY(fx.state->compiler.CompileMotionChart(fx.state->chart, fx.services));
        QVERIFY(fx.flows->transfer().WriteMotionToBoard(slot));
        fx.services.clear();
    }

  private slots:
    void write_statusTextsInOrder_andBoardAwakeAfterwards() {
        FlowFixture fx;
        fx.setChart(longChain(2));
        const QString choices = fx.state->table.MotionList();
        fx.answerPick(3);
        QVERIFY(fx.flows->Write());
        const QStringList expected = {"Assembling succeeded",
                                      "Sleep on",
                                      "Writing of 1 is done",
                                      "Writing of 2 is done",
                                      "Writing of 3 is done",
                                      "PCT is written",
                                      "Sleep off",
                                      "Writing succeeded"};
        QCOMPARE(fx.services.statuses, expected);
        QCOMPARE(fx.services.picks[0].caption, QStringLiteral("Writing the data"));
        QCOMPARE(fx.services.picks[0].prompt,
                 QStringLiteral("Select the place where the data are written"));
        QCOMPARE(fx.services.picks[0].preselected, -1);
        QCOMPARE(fx.services.picks[0].choices, choices);
        QCOMPARE(fx.state->table.name(3), QString::fromUtf8("無題"));
        QCOMPARE(fx.memorySim.working().option & BoardCommands::kOptSleep, 0);
    }

    void cancelledPickOrFailedCompile_sendsNothing() {
        FlowFixture fx;
        fx.setChart(longChain(2));
        fx.services.pickAnswers.push_back(std::nullopt);
        QVERIFY(!fx.flows->Write());
        fx.services.pickAnswers.push_back(-1);
        QVERIFY(!fx.flows->Write());
        fx.state->chart.startItem = -1; // nothing to compile from
        fx.answerPick(0);
        QVERIFY(!fx.flows->Write());
        QVERIFY(fx.memorySim.frames.isEmpty());
        QVERIFY(fx.services.statuses.isEmpty());
    }

    void failedFlows_sayWhyAndWhetherTheRobotIsLeftAsleep_data() {
        using F = BoardSimulator::Fault;
        QTest::addColumn<QString>("flow");
        QTest::addColumn<int>("fault"); // -1: record 2 of M2 is kept wrongly
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("skip"); // answers before the fault; -2: all but the last two
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("asleep");
        const QString asleep = QStringLiteral(". The robot is left asleep: press Sleep to wake it");
        // A write of three records to M2 (the sleep takes five answers), a read of
        // five records from M4, a deletion of M3.
        QTest::newRow("sleep not taken")
            << "write" << int(F::NoAnswer) << 5 << 0
            << "Writing failed: the robot could not be put to sleep: the board's answer was "
               "incomplete (0 of 3 bytes within 40 ms)"
            << false;
        QTest::newRow("record refused") << "write" << int(F::BadAck) << 1 << 5
                                        << "Writing stopped: M2 record 1: the board answered 15 "
                                           "instead of the acknowledge byte" +
                                               asleep
                                        << true;
        QTest::newRow("read-back checksum") << "verify" << int(F::BadChecksum) << 1 << 8
                                            << "Writing stopped: reading back M2 record 2: the "
                                               "board's answer had a wrong checksum" +
                                                   asleep
                                            << true;
        QTest::newRow("read-back differs")
            << "verify" << -1 << 0 << 0
            << "Writing stopped: M2 record 2 reads back differently from what was written" + asleep
            << true;
        QTest::newRow("wake not taken")
            << "write" << int(F::BadChecksum) << 1 << -2
            << "Writing succeeded, but the robot could not be woken: the board's answer had a "
               "wrong checksum" +
                   asleep
            << true;
        QTest::newRow("record unreadable")
            << "read" << int(F::BadChecksum) << 1 << 7
            << QStringLiteral(
                   "Reading failed: M4 record 2: the board's answer had a wrong checksum")
            << false;
        QTest::newRow("record unreadable, wake not taken")
            << "read" << int(F::BadChecksum) << 2 << 7
            << "Reading failed: M4 record 2: the board's answer had a wrong checksum. The robot "
               "could not be woken: the board's answer had a wrong checksum" +
                   asleep
            << true;
        QTest::newRow("deletion refused")
            << "delete" << int(F::BadChecksum) << 1 << 0
            << QStringLiteral("Deleting M3 failed: the board's answer had a wrong checksum")
            << false;
    }

    void failedFlows_sayWhyAndWhetherTheRobotIsLeftAsleep() {
        QFETCH(QString, flow);
        QFETCH(int, fault);
        QFETCH(int, count);
        QFETCH(int, skip);
        QFETCH(QString, status);
        QFETCH(bool, asleep);
        auto run = [&](FlowFixture& fx) {
            if (flow == QLatin1String("read")) {
                fx.answerPick(3);
                return fx.flows->Read();
            }
            if (flow == QLatin1String("delete")) {
                fx.answerPick(2);
                fx.services.boxAnswers.push_back(ResultYes);
                return fx.flows->Delete();
            }
            fx.flows->transfer().setVerify(flow == QLatin1String("verify"));
            fx.setChart(longChain(2));
            fx.answerPick(1);
            return fx.flows->Write();
        };
        FlowFixture fx;
        if (flow == QLatin1String("read")) storeMotion(fx, 3, 4);
        if (skip < 0) {
            FlowFixture dry;
            QVERIFY(run(dry));
            skip += int(dry.memorySim.frames.size());
        }
        if (fault < 0)
            fx.memorySim.setFaultyRecord(1 * 30 + 1);
        else
            fx.memorySim.injectFault(BoardSimulator::Fault(fault), count, skip);
        QVERIFY(!run(fx));
        QCOMPARE(fx.services.statuses.last(), status);
        QCOMPARE(fx.flows->failure(), status);
        QCOMPARE(bool(fx.memorySim.working().option & BoardCommands::kOptSleep), asleep);
    }

    void answeringNoToTheLongMotionQuestion_sendsNothing() {
        FlowFixture fx;
        fx.setChart(longChain(31));
        fx.answerPick(4);
        fx.services.boxAnswers.push_back(ResultNo);
        QVERIFY(!fx.flows->Write());
        QVERIFY(
            fx.services.lastBoxText().contains(QStringLiteral("The data of M6 would be deleted")));
        // The robot was not even put to sleep.
        QVERIFY(fx.memorySim.frames.isEmpty());
        QCOMPARE(fx.services.statuses, QStringList{"Assembling succeeded"});
        QCOMPARE(fx.flows->failure(), QString());
    }

    void readMotion_replacesTheChartWithoutAsking() {
        FlowFixture fx;
        storeMotion(fx, 3, 4);
        fx.state->chart = longChain(10);
        fx.state->chart.documentKind = ScenarioChart;
        QStringList listed;
        fx.flows->hooks.listRowsChanged = [&](const QStringList& rows) { listed = rows; };
        int cleared = 0;
        fx.flows->hooks.clearChart = [&] {
            ++cleared;
            fx.state->chart.ClearChart();
        };
        fx.answerPick(3);
        QVERIFY(fx.flows->Read());
        QCOMPARE(cleared, 1);
        QVERIFY(fx.services.boxes.empty());
        QCOMPARE(fx.state->chart.itemCount(), 4);
        QCOMPARE(fx.state->chart.documentKind, quint8(MotionChart));
        QCOMPARE(listed.size(), 5);
        QVERIFY(listed[0].startsWith(QStringLiteral("001 0A ")));
        QVERIFY(listed[0].endsWith(u' '));
        QCOMPARE(fx.services.picks[0].caption, QStringLiteral("Reading the data"));
        QCOMPARE(fx.services.picks[0].choices.count(u','), 84);
        QCOMPARE(fx.services.statuses.first(), QStringLiteral("Sleep on"));
        QVERIFY(fx.services.statuses.contains(MotionTransfer::PctReadText()));
        QCOMPARE(fx.services.statuses.mid(fx.services.statuses.size() - 2),
                 (QStringList{"Sleep off", "Reading succeeded"}));
    }

    void readRow82_readsScenarioSlot2_emptyGivesNoData() {
        FlowFixture fx;
        fx.answerPick(82);
        QVERIFY(!fx.flows->Read());
        QCOMPARE(fx.services.statuses.last(), QStringLiteral("No data"));
        // The table entry asked for was entry 82.
        bool asked82 = false;
        for (const QByteArray& f : fx.memorySim.frames)
            asked82 |= quint8(f[0]) == 0xF5 && quint8(f[1]) == 82;
        QVERIFY(asked82);

        fx.memorySim.stored().table[82][0] = 2;
        fx.memorySim.stored().scenarios[2][0] = 5;
        fx.memorySim.stored().scenarios[2][1] = 1;
        fx.answerPick(82);
        QVERIFY(fx.flows->Read());
        QCOMPARE(fx.state->chart.documentKind, quint8(ScenarioChart));
        QCOMPARE(fx.state->chart.items[0].lead, quint8(5));
        QCOMPARE(fx.state->chart.items[1].name, QStringLiteral("M2 "));
    }

    void play_preselectsTheNumberPickedLastInAnyFlow() {
        FlowFixture fx;
        fx.answerPick(12);
        fx.services.boxAnswers.push_back(ResultNo);
        QVERIFY(!fx.flows->Delete());
        fx.answerPick(12);
        QVERIFY(fx.flows->Play());
        QCOMPARE(fx.services.picks[0].preselected, -1);
        QCOMPARE(fx.services.picks[1].preselected, 12);
        QCOMPARE(fx.services.picks[1].caption, QStringLiteral("Playing number"));
        QCOMPARE(fx.memorySim.frames.last().left(3), QByteArray::fromHex("F4050C"));
        QVERIFY(fx.flows->Stop());
        QCOMPARE(fx.memorySim.frames.last().left(5), QByteArray::fromHex("F301FFFFFF"));
    }

    void delete_asksInJapaneseCaptionAndClearsTheEntry() {
        FlowFixture fx;
        storeMotion(fx, 2, 1);
        fx.answerPick(2);
        fx.services.boxAnswers.push_back(ResultYes);
        QVERIFY(fx.flows->Delete());
        QCOMPARE(fx.services.boxes[0].text, QStringLiteral("Again, are you sure to delete this?"));
        QCOMPARE(fx.services.boxes[0].language, int(MsgLanguage::Japanese));
        QCOMPARE(fx.services.statuses.last(), QStringLiteral("Data deletion is done"));
        QCOMPARE(fx.memorySim.stored().table[2], MotionTable::EmptyEntry());
        QCOMPARE(fx.state->table.rowTexts(2).value(3), QStringLiteral("--/-- --:--"));
    }

    void pause_togglesThePauseBit() {
        FlowFixture fx;
        QVERIFY(fx.flows->Pause());
        QVERIFY(fx.memorySim.working().option & BoardCommands::kOptPause);
        QVERIFY(fx.flows->Pause());
        QCOMPARE(fx.memorySim.working().option & BoardCommands::kOptPause, 0);
    }

    void remoteMessages_playForwardOrAreIgnored() {
        FlowFixture fx;
        QVERIFY(!fx.flows->RemoteMessage(0, 85));
        QVERIFY(!fx.flows->RemoteMessage(0, 0xFFFFFFFF));
        QVERIFY(!fx.flows->RemoteMessage(0x02000000, 1));
        QVERIFY(fx.memorySim.frames.isEmpty());
        QVERIFY(fx.flows->RemoteMessage(0, 5));
        QCOMPARE(fx.memorySim.frames.last().left(3), QByteArray::fromHex("F40505"));
        QCOMPARE(fx.services.statuses.last(), QStringLiteral("Sending the playback command"));
        QVERIFY(fx.flows->RemoteMessage(0x01001234, 0x0A0B0C0D));
        QCOMPARE(fx.memorySim.expandedSerial, QByteArray::fromHex("8012340D0C0B0A"));
        QCOMPARE(fx.services.statuses.last(),
                 QStringLiteral("Sending the expanded low speed serial"));
        // Negative numbers are divided toward zero, byte by byte.
        QCOMPARE(BoardFlows::ExpandedSerialBytes(0x01FFFFFF, -1),
                 QByteArray::fromHex("80FFFFFF000000"));
        QCOMPARE(BoardFlows::ExpandedSerialBytes(0x01000000, -257),
                 QByteArray::fromHex("8000 00FF FF00 00"));
    }
};

QVX_TEST_CLASS(BoardFlowsTest)
#include "BoardFlowsTest.moc"
