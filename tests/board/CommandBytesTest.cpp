#include "BoardFixture.h"
#include "common/TestRegistry.h"

#include <QTest>
#include <functional>

using namespace qvx;

namespace {
MotionRecord sampleRecord() {
    MotionRecord r;
    r.lead = 42;
    for (int k = 0; k < 24; ++k)
        r.words[size_t(k)] = quint16(0x4000 + k * 0x111);
    return r;
}
BoardCommands::Words sampleWords(int seed) {
    BoardCommands::Words w{};
    for (int k = 0; k < 24; ++k)
        w[size_t(k)] = quint16(seed + k * 3);
    return w;
}
QByteArray seq(int n, int start) {
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b.append(char(start + i));
    return b;
}

// One command's call on a fresh simulated board, with the frame it must put on
// the line and the result it must return.
struct Case {
    const char* name;
    std::function<bool()> run;
    QByteArray frame;
    bool result = true;
};

// A fresh board and the arguments and answers every command uses.
struct CommandRig {
    BoardFixture fx;
    BoardCommands& b = fx.board;
    MotionRecord rec = sampleRecord();
    const BoardCommands::Words words = sampleWords(100);
    BoardCommands::Words readWords{};
    QByteArray bytes;
    QString text;
    int i1 = 0, i2 = 0;
    quint16 w = 0;
    const QByteArray recBytes = rec.toBytes();
    const QByteArray name = QByteArray("Knee").leftJustified(32, '\0');
    QByteArray wordBytes;

    CommandRig() {
        for (quint16 v : words)
            wordBytes.append(char(v >> 8)).append(char(v & 0xFF));
    }

    std::vector<Case> cases() {
        return {
            {"ReadBoardInfo", [&] { return b.ReadBoardInfo(bytes); }, QByteArray::fromHex("FFFF")},
            {"MoveChannel", [&] { return b.MoveChannel(3, 0x1234); }, framed("FE0003011234")},
            {"WriteMotionRecord live", [&] { return b.WriteMotionRecord(false, 0, 0, rec); },
             framed("FD010000", recBytes)},
            {"WriteMotionRecord stored", [&] { return b.WriteMotionRecord(true, 4, 29, rec); },
             framed("FD03041D", recBytes)},
            {"ReadMotionRecord", [&] { return b.ReadMotionRecord(true, 4, 29, rec); },
             framed("FC02041D")},
            {"SetTrimLive", [&] { return b.SetTrimLive(5, 0x0102); }, framed("FB00050102"), false},
            {"WriteTrimData", [&] { return b.WriteTrimData(true, words); },
             framed("FA03", wordBytes)},
            {"ReadTrimData", [&] { return b.ReadTrimData(false, readWords); },
             QByteArray::fromHex("F900F9")},
            {"WriteScenarioStep", [&] { return b.WriteScenarioStep(2, 7, 9); },
             framed("F8010207 09")},
            {"ReadScenarioStep", [&] { return b.ReadScenarioStep(2, 7, i1); }, framed("F70207")},
            {"WriteTableEntry", [&] { return b.WriteTableEntry(80, seq(42, 1)); },
             framed("F60150", seq(42, 1))},
            {"ReadTableEntry", [&] { return b.ReadTableEntry(84, bytes); },
             QByteArray::fromHex("F55449")},
            {"PlayMotion", [&] { return b.PlayMotion(3); }, QByteArray::fromHex("F40503FC")},
            {"StopMotion", [&] { return b.StopMotion(); }, QByteArray::fromHex("F301FFFFFFF1")},
            {"WriteOptionWord", [&] { return b.WriteOptionWord(true, 0x4201); },
             framed("F2034201")},
            {"ReadOptionWord", [&] { return b.ReadOptionWord(true, w); },
             QByteArray::fromHex("F102F3")},
            {"ReadCurrentPose", [&] { return b.ReadCurrentPose(readWords); },
             QByteArray::fromHex("F0F0")},
            {"WriteStartMotions", [&] { return b.WriteStartMotions(3, 85); }, framed("EF010355")},
            {"ReadStartMotions", [&] { return b.ReadStartMotions(i1, i2); },
             QByteArray::fromHex("EEEE")},
            {"ReadButtonInput", [&] { return b.ReadButtonInput(bytes); },
             QByteArray::fromHex("EDED")},
            {"WriteAlarmSetting", [&] { return b.WriteAlarmSetting(7, 0x0320); },
             framed("EC01070320")},
            {"ReadAlarmSetting", [&] { return b.ReadAlarmSetting(i1, w); },
             QByteArray::fromHex("EBEB")},
            {"SetAdLive", [&] { return b.SetAdLive(2, 0xFFFF); }, framed("E70002FFFF")},
            {"WriteAdReference", [&] { return b.WriteAdReference(false, seq(6, 1)); },
             framed("E601", seq(6, 1))},
            {"ReadAdReference", [&] { return b.ReadAdReference(true, bytes); }, framed("E502")},
            {"WriteMixing", [&] { return b.WriteMixing(true, 1, seq(24, 1)); },
             framed("E40301", seq(24, 1))},
            {"ReadMixing", [&] { return b.ReadMixing(false, 2, bytes); }, framed("E30002")},
            {"WriteAdSettings stored", [&] { return b.WriteAdSettings(true, seq(18, 1)); },
             framed("E203", seq(18, 1))},
            {"WriteAdSettings working", [&] { return b.WriteAdSettings(false, seq(18, 1)); },
             framed("E201", seq(18, 1))},
            {"ReadAdSettings", [&] { return b.ReadAdSettings(false, bytes); }, framed("E100")},
            {"WriteReceiverReference", [&] { return b.WriteReceiverReference(true, seq(4, 1)); },
             framed("E003", seq(4, 1))},
            {"ReadReceiverReference", [&] { return b.ReadReceiverReference(true, bytes); },
             framed("DF02")},
            // The forwarded bytes hold 0x0D, which must not restart the exchange.
            {"SendExpandedSerial",
             [&] { return b.SendExpandedSerial(QByteArray::fromHex("8012340D0C0B0A")); },
             framed("DE018012340D0C0B0A")},
            {"WriteSvpChannels", [&] { return b.WriteSvpChannels(QByteArray::fromHex("0F0080")); },
             framed("DD010F0080")},
            {"ReadSvpChannels", [&] { return b.ReadSvpChannels(bytes); },
             QByteArray::fromHex("DCDC")},
            {"WriteServoParams", [&] { return b.WriteServoParams(7, seq(17, 1)); },
             framed("DB07", seq(17, 1))},
            {"ReadServoParams", [&] { return b.ReadServoParams(7, bytes); }, framed("DA07")},
            {"WriteHomePosition", [&] { return b.WriteHomePosition(words); },
             framed("D301", wordBytes)},
            {"ReadHomePosition", [&] { return b.ReadHomePosition(readWords); },
             QByteArray::fromHex("D2D2")},
            {"WriteChannelName", [&] { return b.WriteChannelName(23, QStringLiteral("Knee")); },
             framed("D10117", name)},
            {"ReadChannelName", [&] { return b.ReadChannelName(23, text); }, framed("D017")},
        };
    }
};
} // namespace

// Every command puts exactly its frame on the line, after one attention byte.
class CommandBytesTest : public QObject {
    Q_OBJECT
  private slots:
    void everyCommand_sendsItsFrame_data() {
        QTest::addColumn<int>("index");
        CommandRig rig;
        const std::vector<Case> cases = rig.cases();
        for (size_t i = 0; i < cases.size(); ++i)
            QTest::newRow(cases[i].name) << int(i);
    }

    void everyCommand_sendsItsFrame() {
        QFETCH(int, index);
        CommandRig rig;
        const Case c = rig.cases().at(size_t(index));
        rig.fx.transport->written.clear();
        QCOMPARE(c.run(), c.result);
        QCOMPARE(rig.fx.transport->written.toHex(' '), (QByteArray(1, '\r') + c.frame).toHex(' '));
        QCOMPARE(rig.fx.services.busyDepth, 0);
        QCOMPARE(rig.fx.services.busyMarks, 1);
    }

    void writesThenReads_returnTheSameData() {
        BoardFixture fx;
        BoardCommands& b = fx.board;
        const MotionRecord rec = sampleRecord();
        MotionRecord back;
        QVERIFY(b.WriteMotionRecord(true, 3, 5, rec));
        QVERIFY(b.ReadMotionRecord(true, 3, 5, back));
        QCOMPARE(back, rec);

        const BoardCommands::Words trim = sampleWords(7);
        BoardCommands::Words words{};
        QVERIFY(b.WriteTrimData(true, trim));
        QVERIFY(b.ReadTrimData(true, words));
        QVERIFY(words == trim);
        QVERIFY(b.ReadTrimData(false, words));
        QVERIFY(words != trim); // the working copy was not written

        quint16 w = 0;
        QVERIFY(b.WriteOptionWord(true, 0x1234));
        QVERIFY(b.ReadOptionWord(true, w));
        QCOMPARE(w, quint16(0x1234));
        QVERIFY(b.ReadOptionWord(false, w));
        QCOMPARE(w, quint16(0));

        QByteArray data;
        QVERIFY(b.WriteTableEntry(84, seq(42, 3)));
        QVERIFY(b.ReadTableEntry(84, data));
        QCOMPARE(data, seq(42, 3));
        int motion = -1;
        QVERIFY(b.WriteScenarioStep(4, 199, 79));
        QVERIFY(b.ReadScenarioStep(4, 199, motion));
        QCOMPARE(motion, 79);
        QVERIFY(b.WriteServoParams(200, seq(17, 9)));
        QVERIFY(b.ReadServoParams(200, data));
        QCOMPARE(data, seq(17, 9));
        QVERIFY(b.WriteMixing(false, 2, seq(24, 5)));
        QVERIFY(b.ReadMixing(false, 2, data));
        QCOMPARE(data, seq(24, 5));
        int a = 0, c = 0;
        QVERIFY(b.WriteStartMotions(3, 85));
        QVERIFY(b.ReadStartMotions(a, c));
        QCOMPARE(a, 3);
        QCOMPARE(c, 85);
        quint16 v = 0;
        QVERIFY(b.WriteAlarmSetting(9, 0x0321));
        QVERIFY(b.ReadAlarmSetting(a, v));
        QCOMPARE(a, 9);
        QCOMPARE(v, quint16(0x0321));
        QString name;
        QVERIFY(b.WriteChannelName(0, QStringLiteral("Right shoulder")));
        QVERIFY(b.ReadChannelName(0, name));
        QCOMPARE(name, QStringLiteral("Right shoulder"));
        QVERIFY(b.ReadBoardInfo(data));
        QCOMPARE(data.size(), 64);
        fx.sim.setButtonInput(0xA55A);
        QVERIFY(b.ReadButtonInput(data));
        QCOMPARE(data.size(), 7);
        QCOMPARE(quint8(data[1]), quint8(0xA5));
        QCOMPARE(quint8(data[2]), quint8(0x5A));
    }

    void servoParamRead_usesOneAttemptAndRestoresTiming() {
        BoardFixture fx;
        fx.sim.injectFault(BoardSimulator::Fault::ShortAnswer, 5);
        QByteArray data;
        QVERIFY(!fx.board.ReadServoParams(1, data));
        QCOMPARE(fx.sim.frames.size(), 1); // a single attempt
        QCOMPARE(fx.link.AttemptCount, 5);
        QCOMPARE(fx.link.receiveTimeoutMs, BoardFixture::kTimeoutMs);
        fx.sim.clearFaults();
        QVERIFY(fx.board.WriteServoParams(1, QByteArray(17, '\1')));
        QCOMPARE(fx.link.receiveTimeoutMs, BoardFixture::kTimeoutMs);
    }

    void outOfRangeArguments_sendNothing() {
        BoardFixture fx;
        QByteArray data;
        MotionRecord rec;
        QVERIFY(!fx.board.PlayMotion(85));
        QVERIFY(!fx.board.ReadTableEntry(-1, data));
        QVERIFY(!fx.board.WriteMotionRecord(true, 80, 0, rec));
        QVERIFY(!fx.board.MoveChannel(24, 100));
        QVERIFY(!fx.board.ReadMixing(false, 3, data));
        QVERIFY(fx.transport->written.isEmpty());
    }
};

QVX_TEST_CLASS(CommandBytesTest)
#include "CommandBytesTest.moc"
