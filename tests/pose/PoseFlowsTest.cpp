#include "common/TestRegistry.h"
#include "flows/FlowFixture.h"
#include "pose/PoseFlows.h"

#include <QTest>
#include <QTimer>

using namespace qvx;
using Cmd = QmxBoard::Command;

namespace {

// The pose window's flows wired to the in-memory board, editing item `current`
// of the chart (-1 for none).
struct PoseRig : FlowFixture {
    PoseState pose;
    LinkSelection links;
    int current = 0;
    PoseFlows flows{state->board, pose, links, [this]() -> Item* {
                        return state->chart.validItem(current) ? &state->chart.items[size_t(current)]
                                                               : nullptr;
                    }};

    explicit PoseRig(bool pty = false) : FlowFixture(pty) {
        sim([](BoardSimulator& s) { s.frames.clear(); });
    }

    Item& item() { return state->chart.items[size_t(current)]; }

    // Puts a POS item in the chart and shows it in the window.
    void showItem(quint8 speed, const ChannelValues& values) {
        Item item;
        item.kind = KindPos;
        item.name = QStringLiteral("P");
        item.lead = speed;
        item.values = values;
        state->chart.items.push_back(item);
        current = state->chart.itemCount() - 1;
        ShowPoseItem(pose, item);
    }

    QList<quint8> commands() const {
        QList<quint8> c;
        for (const QByteArray& f : memorySim.frames)
            c << quint8(f[0]);
        return c;
    }
};

QByteArray liveWrite(const MotionRecord& r) {
    return BoardCommands::Frame(Cmd::WriteMotionRecord, {0x01, 0, 0}, r.toBytes());
}

MotionRecord record(quint8 lead, const ChannelValues& words) {
    MotionRecord r;
    r.lead = lead;
    r.words = words;
    return r;
}

ChannelValues values(std::initializer_list<quint16> first) {
    ChannelValues v{};
    size_t k = 0;
    for (quint16 w : first)
        v[k++] = w;
    return v;
}

quint8 cmd(Cmd c) {
    return quint8(c);
}

} // namespace

// The pose window's exchanges with the robot, byte for byte, and what they
// leave in the current item.
class PoseFlowsTest : public QObject {
    Q_OBJECT
  private slots:
    void send_writesTheShownPoseToTheLiveRecord() {
        PoseRig rig;
        rig.showItem(33, values({20000, 16500, 32769, 32770, 32780, 33031}));
        QVERIFY(rig.flows.Send());
        const MotionRecord expected = record(33, values({17074, 16500, 32769, 32770, 32780, 0}));
        QCOMPARE(rig.memorySim.frames, QList<QByteArray>{liveWrite(expected)});
        QCOMPARE(rig.memorySim.working().livePose, expected);
        // Sending changes nothing in the item.
        QCOMPARE(rig.item().values[0], quint16(20000));
        QCOMPARE(rig.item().values[5], quint16(33031));
    }

    void acquire_takesTheLivePose_butKeepsTheWindowsSpeed() {
        PoseRig rig;
        rig.showItem(77, values({16384, 16384}));
        rig.memorySim.working().livePose = record(9, values({16000, 32768, 32903 + 3, 0, 17000}));
        QVERIFY(rig.flows.Acquire());
        QCOMPARE(rig.memorySim.frames,
                 QList<QByteArray>{BoardCommands::Frame(Cmd::ReadMotionRecord, {0x00, 0, 0})});
        QCOMPARE(rig.item().values, values({16000, 32768, 32903 + 3, 0, 17000}));
        QCOMPARE(rig.item().lead, quint8(77));
        QCOMPARE(rig.pose.speed, 77);
        QCOMPARE(rig.pose.channel(2).kind, ChannelKind::Output);
        QCOMPARE(rig.pose.channel(3).editText, QStringLiteral("6"));
    }

    void acquire_failing_changesNothing() {
        PoseRig rig;
        rig.showItem(77, values({16100}));
        rig.memorySim.working().livePose = record(9, values({16000}));
        rig.memorySim.injectFault(BoardSimulator::Fault::NoAnswer, 10);
        QVERIFY(!rig.flows.Acquire());
        QCOMPARE(rig.item().values[0], quint16(16100));
        QCOMPARE(rig.pose.channel(1).editText, QStringLiteral("-284"));
    }

    void homePosition_data() {
        QTest::addColumn<bool>("poseWindow");
        QTest::newRow("pose window button") << true;
        QTest::newRow("main window button") << false;
    }
    void homePosition() {
        QFETCH(bool, poseWindow);
        PoseRig rig;
        rig.showItem(20, values({16200, 16300}));
        const ChannelValues home = values({16000, 16100, 32769, 17000});
        rig.memorySim.stored().home = home;
        QVERIFY(rig.flows.HomePosition(poseWindow ? PoseFlows::HomeCaller::PoseWindow
                                                  : PoseFlows::HomeCaller::MainWindow));
        // Sleep (read option, read live, release all, option, restore live),
        // stop, read home, go home, clear the pause bit, wake up.
        const QList<quint8> expected = {
            cmd(Cmd::ReadOptionWord),  cmd(Cmd::ReadMotionRecord),  cmd(Cmd::WriteMotionRecord),
            cmd(Cmd::WriteOptionWord), cmd(Cmd::WriteMotionRecord), cmd(Cmd::StopMotion),
            cmd(Cmd::ReadHomePosition), cmd(Cmd::WriteMotionRecord), cmd(Cmd::ReadOptionWord),
            cmd(Cmd::WriteOptionWord), cmd(Cmd::ReadOptionWord),  cmd(Cmd::WriteOptionWord)};
        QCOMPARE(rig.commands(), expected);
        QCOMPARE(rig.memorySim.frames[5], BoardCommands::Frame(Cmd::StopMotion, {0x01, 0xFF, 0xFF, 0xFF}));
        QCOMPARE(rig.memorySim.frames[7], liveWrite(record(100, home)));
        QCOMPARE(rig.memorySim.working().option & (BoardCommands::kOptSleep | BoardCommands::kOptPause), 0);
        if (poseWindow) {
            QCOMPARE(rig.item().values, home);
            QCOMPARE(rig.item().lead, quint8(100));
            QCOMPARE(rig.pose.speed, 100);
            QCOMPARE(ReadChannelValue(rig.pose, 3), quint16(32769));
        } else {
            QCOMPARE(rig.item().values, values({16200, 16300}));
            QCOMPARE(rig.item().lead, quint8(20));
            QCOMPARE(rig.pose.speed, 20);
            QCOMPARE(ReadChannelValue(rig.pose, 1), quint16(16200));
        }
    }

    void homePosition_stopsAtAFailedStop() {
        PoseRig rig;
        rig.showItem(20, values({16200}));
        // The five answers of going to sleep come, the stop goes unanswered.
        rig.memorySim.injectFault(BoardSimulator::Fault::NoAnswer, 10, 5);
        QVERIFY(!rig.flows.HomePosition(PoseFlows::HomeCaller::PoseWindow));
        QVERIFY(!rig.commands().contains(cmd(Cmd::ReadHomePosition)));
        QCOMPARE(rig.commands().count(cmd(Cmd::WriteMotionRecord)), 2);
        QCOMPARE(rig.item().values[0], quint16(16200));
        QCOMPARE(rig.item().lead, quint8(20));
    }

    void sleep_togglesTheBoard_andLeavesTheWindow() {
        PoseRig rig;
        rig.showItem(20, values({16200}));
        QVERIFY(rig.flows.Sleep());
        QVERIFY(rig.memorySim.working().option & BoardCommands::kOptSleep);
        QCOMPARE(rig.commands().first(), cmd(Cmd::ReadOptionWord));
        QVERIFY(rig.flows.Sleep());
        QVERIFY(!(rig.memorySim.working().option & BoardCommands::kOptSleep));
        QCOMPARE(rig.item().values[0], quint16(16200));
    }

    void makeHomePosition_storesTheShownWordsWithoutTheSpeed() {
        PoseRig rig;
        rig.showItem(20, values({20000, 16300, 32768, 33031}));
        QVERIFY(rig.flows.MakeHomePosition());
        const ChannelValues shown = values({17074, 16300, 32768, 0});
        QCOMPARE(rig.memorySim.frames,
                 QList<QByteArray>{BoardCommands::Frame(Cmd::WriteHomePosition, {0x01},
                                                        BigEndian::fromWords(shown))});
        QCOMPARE(rig.memorySim.stored().home, shown);
        QCOMPARE(rig.item().values[0], quint16(20000));
    }

    void teach_withoutAPattern_doesNothing() {
        PoseRig rig;
        rig.showItem(20, values({16200, 16300}));
        rig.links.actions[0] = QStringLiteral("TCH");
        QVERIFY(!rig.flows.Teach());
        QVERIFY(rig.memorySim.frames.isEmpty());
        QCOMPARE(rig.item().values, values({16200, 16300}));
    }

    // Release CH3 and CH4, move them by hand, take their angles: CH6 was FREE
    // and takes its angle too; everything else stays.
    void teach_releasesThenTakesTheAnglesOfFreeChannels() {
        PoseRig rig;
        const ChannelValues start = values({16000, 32769, 16200, 16300, 16400, 32770, 33031});
        rig.showItem(60, start);
        rig.links.selected = 0;
        rig.links.actions[2] = QStringLiteral("TCH");
        rig.links.actions[3] = QStringLiteral("TCH");
        rig.links.actions[4] = QStringLiteral("tch"); // not a teach channel

        QVERIFY(rig.flows.Teach());
        const ChannelValues released = values({16000, 32769, 32770, 32770, 16400, 32770, 0});
        QCOMPARE(rig.memorySim.frames, QList<QByteArray>{liveWrite(record(60, released))});
        ChannelValues inItem = released;
        inItem[6] = 33031;
        QCOMPARE(rig.item().values, inItem);
        QCOMPARE(rig.pose.channel(3).kind, ChannelKind::FreeSet);
        QCOMPARE(rig.memorySim.working().livePose.words[2], quint16(32770));

        // The released servos stay where they are until moved by hand.
        rig.transport->advance(1000);
        rig.memorySim.setPresentPosition(2, 16900);
        rig.memorySim.setPresentPosition(3, 15800);
        rig.memorySim.setPresentPosition(5, 16111);
        rig.memorySim.setPresentPosition(0, 12345); // not FREE: ignored
        rig.memorySim.frames.clear();

        QVERIFY(rig.flows.Teach());
        const ChannelValues request = values({16000, 32769, 32774, 32774, 16400, 32770, 0});
        QCOMPARE(rig.memorySim.frames,
                 (QList<QByteArray>{liveWrite(record(1, request)),
                                    BoardCommands::Frame(Cmd::ReadCurrentPose, {})}));
        QCOMPARE(rig.item().values, values({16000, 32769, 16900, 15800, 16400, 16111, 33031}));
        QCOMPARE(rig.item().lead, quint8(60));
        QCOMPARE(rig.pose.channel(3).kind, ChannelKind::Servo);
        QCOMPARE(rig.pose.channel(3).editText, QStringLiteral("516"));
        QCOMPARE(rig.pose.channel(6).kind, ChannelKind::Servo);
        // The angles are not sent again.
        QCOMPARE(rig.memorySim.frames.size(), 2);
    }

    // The board refuses the release (or never answers it): the item and the
    // window keep what they held, nothing says the channels are released.
    void teach_refusedRelease_leavesTheItemAsItWas_data() {
        QTest::addColumn<int>("fault");
        QTest::newRow("wrong acknowledge") << int(BoardSimulator::Fault::BadAck);
        QTest::newRow("no answer") << int(BoardSimulator::Fault::NoAnswer);
    }
    void teach_refusedRelease_leavesTheItemAsItWas() {
        QFETCH(int, fault);
        PoseRig rig;
        rig.showItem(60, values({16000, 16200}));
        rig.links.selected = 0;
        rig.links.actions[1] = QStringLiteral("TCH");
        rig.memorySim.injectFault(BoardSimulator::Fault(fault), 10, 0);
        QVERIFY(!rig.flows.Teach());
        QCOMPARE(rig.item().values, values({16000, 16200}));
        QCOMPARE(rig.pose.channel(2).kind, ChannelKind::Servo);
        QVERIFY(!rig.state->link.lastFailure().isEmpty());
    }

    void teach_failedRead_leavesTheItemReleased() {
        PoseRig rig;
        rig.showItem(60, values({16000, 32770}));
        rig.links.selected = 2;
        rig.links.actions[1] = QStringLiteral("TCH");
        rig.memorySim.injectFault(BoardSimulator::Fault::NoAnswer, 10, 1);
        QVERIFY(!rig.flows.Teach());
        QCOMPARE(rig.item().values, values({16000, 32770}));
        QCOMPARE(rig.pose.channel(2).kind, ChannelKind::FreeSet);
    }

    // The item goes away while the flow waits for the board: nothing is written
    // into whatever the chart holds then.
    void deletedItem_getsNothing_data() {
        QTest::addColumn<int>("flow");
        QTest::newRow("acquire") << 0;
        QTest::newRow("home") << 1;
        QTest::newRow("teach take") << 2;
    }
    void deletedItem_getsNothing() {
        QFETCH(int, flow);
        PoseRig rig;
        rig.showItem(5, values({15900, 15900}));
        rig.showItem(60, values({16000, 32770}));
        rig.links.selected = 0;
        rig.links.actions[1] = QStringLiteral("TCH");
        rig.memorySim.working().livePose = record(9, values({17000, 17000}));
        QTimer::singleShot(0, [&rig] {
            // Deleted, and a new item takes its place: a flow that kept the
            // old item's pointer or index would write into the new one.
            rig.state->chart.items.erase(rig.state->chart.items.begin() + 1);
            Item fresh;
            fresh.name = QStringLiteral("Q");
            fresh.lead = 3;
            fresh.values = values({1, 2});
            rig.state->chart.items.push_back(fresh);
            rig.current = -1;
        });
        if (flow == 0) QVERIFY(rig.flows.Acquire());
        if (flow == 1) QVERIFY(rig.flows.HomePosition(PoseFlows::HomeCaller::PoseWindow));
        if (flow == 2) QVERIFY(rig.flows.Teach());
        QCOMPARE(rig.state->chart.itemCount(), 2);
        QCOMPARE(rig.state->chart.items[0].values, values({15900, 15900}));
        QCOMPARE(rig.state->chart.items[0].lead, quint8(5));
        QCOMPARE(rig.state->chart.items[1].values, values({1, 2}));
        QCOMPARE(rig.state->chart.items[1].lead, quint8(3));
    }

    // The teaching cycle over a real serial port to the simulated board.
    void teach_throughASerialPort() {
        PoseRig rig(true);
        QVERIFY(rig.open());
        rig.showItem(70, values({16000, 16200, 16300}));
        rig.links.selected = 1;
        rig.links.actions[1] = QStringLiteral("TCH");
        QVERIFY(rig.flows.Teach());
        QCOMPARE(rig.item().values, values({16000, 32770, 16300}));
        rig.sim([](BoardSimulator& s) {
            s.setPresentPosition(1, 15950);
            s.frames.clear();
        });
        QVERIFY(rig.flows.Teach());
        QCOMPARE(rig.item().values, values({16000, 15950, 16300}));
        const QList<QByteArray> frames = rig.sim([](BoardSimulator& s) { return s.frames; });
        QCOMPARE(frames, (QList<QByteArray>{liveWrite(record(1, values({16000, 32774, 16300}))),
                                            BoardCommands::Frame(Cmd::ReadCurrentPose, {})}));
    }

    // A press while another pose flow waits for the board is refused visibly
    // and sends nothing between the waiting flow's commands.
    void pressDuringAFlow_isRefused() {
        PoseRig rig;
        rig.showItem(60, values({16000, 16200}));
        rig.links.selected = 0;
        rig.links.actions[0] = QStringLiteral("TCH");
        rig.state->link.setTimeouts(2000, 2000);
        rig.memorySim.setFaultDelayMs(40);
        rig.memorySim.injectFault(BoardSimulator::Fault::Delay, 1, 0);
        bool teach = true, send = true, move = true;
        QTimer::singleShot(0, [&] {
            teach = rig.flows.Teach();
            send = rig.flows.Send();
            move = rig.flows.MoveLive(2, 16300);
        });
        QVERIFY(rig.flows.Acquire());
        QVERIFY(!teach);
        QVERIFY(!send);
        QVERIFY(!move);
        QCOMPARE(rig.commands(), QList<quint8>{cmd(Cmd::ReadMotionRecord)});
        QCOMPARE(rig.services.statuses.count(BoardLink::BusyText()), 3);
    }

    void liveMove_andReleaseReadsThePresentPosition() {
        PoseRig rig;
        rig.showItem(60, values({16000, 16200}));
        QVERIFY(rig.flows.MoveLive(1, 16500));
        QCOMPARE(rig.memorySim.frames,
                 QList<QByteArray>{BoardCommands::Frame(Cmd::MoveChannel, {0x00, 0, 1}, QByteArray("\x40\x74", 2))});
        rig.transport->advance(100);
        QCOMPARE(rig.memorySim.pose()[0], quint16(16500));

        rig.memorySim.frames.clear();
        rig.memorySim.setPresentPosition(1, 16700);
        QVERIFY(rig.flows.MoveLiveAndReadBack(2, 32770));
        QCOMPARE(rig.memorySim.frames,
                 (QList<QByteArray>{BoardCommands::Frame(Cmd::MoveChannel, {0x00, 1, 1}, QByteArray("\x80\x02", 2)),
                                    BoardCommands::Frame(Cmd::ReadCurrentPose, {})}));
        rig.transport->advance(100);
        QCOMPARE(rig.memorySim.pose()[1], quint16(16700));
        QCOMPARE(rig.pose.channel(2).barPosition, 16700);
        QCOMPARE(rig.pose.channel(2).editText, QStringLiteral("316"));
        // The item is the window's business; the flow does not touch it.
        QCOMPARE(rig.item().values[1], quint16(16200));

        rig.memorySim.frames.clear();
        QVERIFY(rig.flows.MoveLiveAndReadBack(3, 32769));
        QCOMPARE(rig.commands(), QList<quint8>{cmd(Cmd::MoveChannel)});
    }

    void openedEmptyItem_isFilledFromTheRobotThenSent() {
        PoseRig rig;
        rig.showItem(40, ChannelValues{});
        const ChannelValues live = values({16000, 16100, 32768});
        rig.memorySim.working().livePose = record(9, live);
        QVERIFY(rig.flows.SyncOpenedItem());
        QCOMPARE(rig.memorySim.frames,
                 (QList<QByteArray>{BoardCommands::Frame(Cmd::ReadMotionRecord, {0x00, 0, 0}),
                                    liveWrite(record(40, live))}));
        QCOMPARE(rig.item().values, live);

        PoseRig other;
        other.showItem(40, values({16200}));
        QVERIFY(other.flows.SyncOpenedItem());
        QCOMPARE(other.memorySim.frames, QList<QByteArray>{liveWrite(record(40, values({16200})))});
    }
};

QVX_TEST_CLASS(PoseFlowsTest)
#include "PoseFlowsTest.moc"
