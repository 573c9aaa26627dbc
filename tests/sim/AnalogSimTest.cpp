#include "common/TestRegistry.h"
#include "sim/BoardSimulator.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qvx;

namespace {

MotionRecord uniform(quint16 word, quint8 lead = 1) {
    MotionRecord r;
    r.lead = lead;
    r.words.fill(word);
    return r;
}

void store(BoardSimulator& sim, int slot, const std::vector<MotionRecord>& records) {
    for (size_t i = 0; i < records.size(); ++i)
        sim.stored().records[size_t(slot * BoardSimulator::kRecordsPerSlot) + i] = records[i];
    sim.stored().table[size_t(slot)][0] = char(records.size());
}

void tick(BoardSimulator& sim, int ticks = 1) {
    for (int i = 0; i < ticks; ++i)
        sim.advance(BoardSimulator::kTickMs);
}

// Runs a stored motion to its end.
void playToEnd(BoardSimulator& sim, int slot) {
    QByteArray f = QByteArray::fromHex("F405") + char(slot);
    f.append(char(0xF4 + 0x05 + slot));
    sim.receive(QByteArray(1, '\r') + f);
    for (int i = 0; i < 500 && sim.playing(); ++i)
        tick(sim);
}

QByteArray answerOf(BoardSimulator& sim, const QByteArray& body) {
    unsigned sum = 0;
    for (char c : body)
        sum += quint8(c);
    QByteArray out;
    for (const auto& c : sim.receive(QByteArray(1, '\r') + body + char(sum & 0xFF)))
        out += c.bytes;
    return out.mid(1);
}

// AD2's reference 500 and its first sensor interrupt (slot 2) on entry 6.
void armSlot2(BoardSimulator& sim, quint16 word) {
    sim.working().adReference = QByteArray::fromHex("000001F40000");
    QByteArray s(18, '\0');
    s[2] = 6;
    BigEndian::putWord(s, 6 + 4, word);
    sim.working().adSettings = s;
}

} // namespace

// The simulated board's analog side: sensor interrupts, real time mixing, the
// low-voltage alarm, teaching and the inputs kept in the state file.
class AnalogSimTest : public QObject {
    Q_OBJECT
  private slots:
    void sensorInterrupt_startsItsMotionWhenTheChangeCrossesTheThreshold_data() {
        QTest::addColumn<int>("word");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("sensorsOff");
        QTest::addColumn<bool>("starts");
        QTest::newRow("rises past +100") << 0x4064 << 550 << 650 << false << true;
        QTest::newRow("drops past -100") << 0xC064 << 450 << 350 << false << true;
        QTest::newRow("rises past -100") << 0xC064 << 350 << 450 << false << false;
        QTest::newRow("already beyond") << 0x4064 << 650 << 700 << false << false;
        QTest::newRow("interrupt not enabled") << 0x0064 << 550 << 650 << false << false;
        QTest::newRow("switched off by sensor control") << 0x4064 << 550 << 650 << true << false;
    }
    void sensorInterrupt_startsItsMotionWhenTheChangeCrossesTheThreshold() {
        QFETCH(int, word);
        QFETCH(bool, sensorsOff);
        BoardSimulator sim;
        store(sim, 6, {uniform(20000, 5), uniform(0xFFFF)});
        armSlot2(sim, quint16(word));
        if (sensorsOff) {
            // Sensor control with only the other five interrupts on.
            store(sim, 1, {uniform(0xFEF7 + 0x3B), uniform(0xFFFF)});
            playToEnd(sim, 1);
            QCOMPARE(sim.sensorControl(), quint8(0x3B));
            sim.startedMotions.clear();
        }
        QFETCH(int, from);
        sim.setAdValue(2, from);
        tick(sim);
        QVERIFY(sim.startedMotions.isEmpty());
        QFETCH(int, to);
        sim.setAdValue(2, to);
        tick(sim, 10);
        QTEST(sim.startedMotions == QList<int>{6}, "starts");
    }

    void mixing_movesChannelsWithTheInput_andMixingCodesRewriteTheTables() {
        BoardSimulator sim;
        sim.working().adReference = QByteArray::fromHex("000001F40000");
        sim.working().mixing[1][2] = char(0x85); // CH3 x 5 on AD2
        sim.working().mixing[1][3] = char(0xC5); // CH4 x -5
        sim.working().mixing[1][4] = char(0x45); // CH5: mixing bit clear
        sim.setAdValue(2, 660);
        const BoardSimulator::Words out = sim.servoOutput();
        QCOMPARE(out[2], quint16(16384 + 160 * 5 / 16));
        QCOMPARE(out[3], quint16(16384 - 160 * 5 / 16));
        QCOMPARE(out[4], quint16(16384));
        QCOMPARE(sim.pose()[2], quint16(16384));
        QCOMPARE(BigEndian::word(answerOf(sim, QByteArray::fromHex("F0")), 4), out[2]);

        // A motion's mixing code: CH3 now mixes AD3 at x -2 and leaves AD2.
        MotionRecord set = uniform(0);
        set.words[2] = 0xFDF4 + 0xC2;
        store(sim, 0, {set, uniform(0xFFFF)});
        playToEnd(sim, 0);
        QCOMPARE(quint8(sim.working().mixing[2][2]), quint8(0xC2));
        QCOMPARE(quint8(sim.working().mixing[1][2]), quint8(0x05));
        QCOMPARE(sim.servoOutput()[2], quint16(16384));
    }

    void lowSupply_startsTheAlarmMotionOncePerDrop() {
        BoardSimulator sim;
        store(sim, 9, {uniform(15000, 3), uniform(0xFFFF)});
        sim.stored().alarmMotion = 9;
        sim.stored().alarmVoltage = 391; // 6.0 V
        sim.setAdValue(0, 380);
        tick(sim, 3);
        QVERIFY(sim.startedMotions.isEmpty()); // the alarm is not enabled
        sim.working().option = 0x0400;
        tick(sim, 20);
        sim.setAdValue(0, 300);
        tick(sim, 20);
        QCOMPARE(sim.startedMotions, QList<int>{9});
        sim.setAdValue(0, 391);
        tick(sim);
        sim.setAdValue(0, 390);
        tick(sim);
        QCOMPARE(sim.startedMotions, (QList<int>{9, 9}));
    }

    void teachCode_takesTheHandMovedPositionsOfReleasedServos() {
        BoardSimulator sim;
        MotionRecord release = uniform(16384, 1);
        release.words[0] = 0x8002;
        answerOf(sim, QByteArray::fromHex("FD010000") + release.toBytes());
        tick(sim);
        sim.setPresentPosition(0, 12000);
        MotionRecord teach = uniform(0);
        teach.words[0] = 0x8006;
        store(sim, 2, {teach, uniform(0xFFFF)});
        playToEnd(sim, 2);
        QCOMPARE(sim.teachValues()[0], quint16(12000));
        QCOMPARE(sim.teachValues()[1], quint16(0));
        QCOMPARE(sim.working().livePose.words[0], quint16(12000));
    }

    void analogChange_isComparedWithItsSign() {
        BoardSimulator sim;
        sim.working().adReference = QByteArray::fromHex("01F400000000");
        // Compare register -100; AD1 dropped by 150: no jump to record 3.
        store(sim, 0,
              {uniform(0x9C06 - 100 + 1023), uniform(0x8C06 + 3), uniform(1000), uniform(0xFFFF)});
        sim.setAdValue(1, 350);
        playToEnd(sim, 0);
        QCOMPARE(sim.executedRecords, (QList<int>{0, 1, 2, 3}));
    }

    void analogInputs_areKeptInTheStateFile_andOlderFilesStillLoad() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("board.state"));
        {
            BoardSimulator sim;
            QVERIFY(sim.attachStateFile(path));
            sim.setAdValues({400, 1, 2, 99999});
        }
        BoardSimulator again;
        QVERIFY(again.attachStateFile(path));
        QCOMPARE(again.adValues(), (std::array<int, 4>{400, 1, 2, 0x3FFF}));

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray old = f.readAll();
        f.close();
        // A version 1 file ends before the analog and the receiver inputs
        // (and the checksum behind them).
        old.chop(8 + 6 + 32);
        old.replace(0, 8, "QVXSIM01");
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(old);
        f.close();
        BoardSimulator fromOld;
        QVERIFY(fromOld.attachStateFile(path));
        QCOMPARE(fromOld.adValues()[0], BoardSimulator::kDefaultSupply);
    }
};

QVX_TEST_CLASS(AnalogSimTest)
#include "AnalogSimTest.moc"
