#include "common/RecordingServices.h"
#include "common/TestRegistry.h"
#include "compiler/Compiler.h"
#include "document/Chart.h"
#include "document/DocumentFile.h"
#include "document/MotionHeader.h"
#include "sim/BoardSimulator.h"

#include <QTest>

using namespace qvx;

namespace {

MotionRecord uniform(quint16 word, quint8 lead = 1) {
    MotionRecord r;
    r.lead = lead;
    r.words.fill(word);
    return r;
}
MotionRecord pos(quint16 value, quint8 lead = 1) {
    return uniform(value, lead);
}
MotionRecord loadLoop(int n) {
    return uniform(quint16(0x8207 + n));
}
MotionRecord loadCompare(int v) {
    return uniform(quint16(0x9C06 + v + 1023));
}
MotionRecord cmp(quint16 base, int target) {
    return uniform(quint16(base + target));
}
MotionRecord jmp(int target) {
    return uniform(quint16(0x8107 + target));
}
MotionRecord end() {
    return uniform(0xFFFF);
}

void store(BoardSimulator& sim, int slot, const std::vector<MotionRecord>& records) {
    for (size_t i = 0; i < records.size(); ++i)
        sim.stored().records[size_t(slot * BoardSimulator::kRecordsPerSlot) + i] = records[i];
    sim.stored().table[size_t(slot)][0] = char(records.size());
}

QByteArray command(const char* hex) {
    QByteArray f = QByteArray::fromHex(hex);
    unsigned sum = 0;
    for (char c : f)
        sum += quint8(c);
    return QByteArray(1, '\r') + f + char(sum & 0xFF);
}

void play(BoardSimulator& sim, int number) {
    QByteArray f = QByteArray::fromHex("F405");
    f.append(char(number));
    unsigned sum = 0;
    for (char c : f)
        sum += quint8(c);
    const auto out = sim.receive(QByteArray(1, '\r') + f + char(sum & 0xFF));
    QCOMPARE(out.size(), size_t(2));
    QCOMPARE(out[1].bytes, QByteArray(1, '\x06'));
}

// Runs the board until playback ends (bounded); returns the reports sent.
QByteArray runToEnd(BoardSimulator& sim, int maxTicks = 2000) {
    QByteArray reports;
    for (int i = 0; i < maxTicks && sim.playing(); ++i)
        reports += sim.advance(BoardSimulator::kTickMs);
    reports += sim.advance(BoardSimulator::kTickMs);
    return reports;
}

} // namespace

// Playback of stored motions and scenarios by the simulated board.
class PlaybackTest : public QObject {
    Q_OBJECT
  private slots:
    void loopOfThree_runsItsBodyThreeTimes() {
        BoardSimulator sim;
        store(sim, 4, {loadLoop(3), pos(1000), pos(2000), cmp(0x8307, 1), end()});
        play(sim, 4);
        runToEnd(sim);
        QVERIFY(!sim.playing());
        QCOMPARE(sim.executedRecords, (QList<int>{0, 1, 2, 3, 1, 2, 3, 1, 2, 3, 4}));
        QCOMPARE(sim.loopCounter(), 0);
        QCOMPARE(sim.pose()[0], quint16(2000));
    }

    // The example the README's pictures show does what its item names say:
    // "Count 3 waves" makes the loop run the wave three times.
    void waveExample_wavesThreeTimes() {
        qvxtest::RecordingServices services;
        Chart chart;
        MotionHeader header;
        DocumentContext ctx(chart, header, services);
        QVERIFY(DocumentFile::LoadDocument(ctx, QStringLiteral(QVX_SOURCE_DIR "/docs/screenshots/wave.QMX")));
        Compiler compiler;
        QVERIFY(compiler.CompileMotionChart(chart, services));
        BoardSimulator sim;
        store(sim, 0, compiler.MotionImage());
        play(sim, 0);
        runToEnd(sim);
        QVERIFY(!sim.playing());
        const std::vector<MotionRecord>& image = compiler.MotionImage();
        const auto waveOut = std::find_if(image.begin(), image.end(), [](const MotionRecord& r) {
            return r.words[4] == 18584; // the arm at its widest: "Wave out"
        });
        QVERIFY(waveOut != image.end());
        QCOMPARE(sim.executedRecords.count(int(waveOut - image.begin())), 3);
    }

    void branchOnButtonInput_followsTheInput() {
        const std::vector<MotionRecord> motion = {loadCompare(5), cmp(0x9A06, 4), pos(1000),
                                                  end(),          pos(3000),      end()};
        BoardSimulator equal;
        store(equal, 0, motion);
        equal.setButtonInput(5);
        play(equal, 0);
        runToEnd(equal);
        QCOMPARE(equal.compareRegister(), 5);
        QCOMPARE(equal.executedRecords, (QList<int>{0, 1, 4, 5}));
        QCOMPARE(equal.pose()[23], quint16(3000));

        BoardSimulator other;
        store(other, 0, motion);
        other.setButtonInput(4);
        play(other, 0);
        runToEnd(other);
        QCOMPARE(other.executedRecords, (QList<int>{0, 1, 2, 3}));
        QCOMPARE(other.pose()[23], quint16(1000));
    }

    void branchOnButtonMask_jumpsWhenABitIsShared() {
        for (const auto& [button, jumps] : {std::pair{0x0104, true}, std::pair{0x0103, false}}) {
            BoardSimulator sim;
            store(sim, 0, {loadCompare(0x0C), cmp(0x9B06, 3), pos(1000), end()});
            sim.setButtonInput(quint16(button));
            play(sim, 0);
            runToEnd(sim);
            QCOMPARE(sim.executedRecords.contains(2), !jumps);
        }
    }

    void branchOnAnalogChange_comparesWithReference() {
        BoardSimulator sim;
        // Compare register 100; AD2 reference 500.
        sim.working().adReference = QByteArray::fromHex("000001F40000");
        store(sim, 0, {loadCompare(100), cmp(0x8D06, 3), pos(1000), end()});
        sim.setAdValues({0, 0, 650, 0});
        play(sim, 0);
        runToEnd(sim);
        QCOMPARE(sim.executedRecords, (QList<int>{0, 1, 3}));
    }

    void scenarioOfTwoMotions_playsThemInOrderAndReportsOnce() {
        BoardSimulator sim;
        store(sim, 1, {pos(1111, 3), end()});
        store(sim, 2, {pos(2222, 3), end()});
        sim.stored().scenarios[0][0] = 2;
        sim.stored().scenarios[0][1] = 1;
        sim.stored().table[80][0] = 2;
        sim.working().option = 0x0200;
        play(sim, 80);
        const QByteArray reports = runToEnd(sim);
        QCOMPARE(sim.startedMotions, (QList<int>{2, 1}));
        QCOMPARE(sim.pose()[0], quint16(1111));
        QCOMPARE(reports, BoardSimulator::PlaybackReport(80));
    }

    void poseRecord_movesAtItsSpeed() {
        BoardSimulator sim;
        sim.stored().home.fill(16384);
        sim.powerOn();
        MotionRecord r = pos(20000, 4);
        r.words[1] = 0;      // 0 leaves the channel alone
        r.words[2] = 0x8001; // an output switches at once
        store(sim, 0, {r, end()});
        play(sim, 0);
        sim.advance(BoardSimulator::kTickMs);
        QCOMPARE(sim.pose()[0], quint16(16384 + (20000 - 16384) / 4));
        QCOMPARE(sim.pose()[1], quint16(16384));
        QCOMPARE(sim.pose()[2], quint16(0x8001));
        for (int i = 0; i < 3; ++i)
            sim.advance(BoardSimulator::kTickMs);
        QCOMPARE(sim.pose()[0], quint16(20000));
    }

    void jumpOntoItself_keepsPlayingUntilStopped() {
        BoardSimulator sim;
        store(sim, 0, {jmp(0), end()});
        play(sim, 0);
        sim.advance(100);
        QVERIFY(sim.playing());
        sim.receive(command("F301FFFFFF"));
        QVERIFY(!sim.playing());
    }

    void pauseBit_holdsPlayback() {
        BoardSimulator sim;
        store(sim, 0, {pos(1000), pos(2000), end()});
        sim.working().option = 0x0002;
        play(sim, 0);
        sim.advance(100);
        QVERIFY(sim.executedRecords.isEmpty());
        sim.working().option = 0;
        runToEnd(sim);
        QCOMPARE(sim.executedRecords, (QList<int>{0, 1, 2}));
    }

    void motionWithoutEnd_stopsAtItsRecordCount() {
        BoardSimulator sim;
        store(sim, 0, {pos(1000)});
        sim.working().option = 0x0200;
        play(sim, 0);
        QCOMPARE(runToEnd(sim), BoardSimulator::PlaybackReport(0));
    }

    void optionBits_askForPeriodicReports() {
        BoardSimulator sim;
        sim.setButtonInput(0x1234);
        sim.setAdValues({1000, 0x3FFF, 1, 0});
        QVERIFY(sim.advance(200).isEmpty());
        sim.working().option = 0x0104;
        const QByteArray r = sim.advance(sim.reportPeriodMs);
        QCOMPARE(r, QByteArray::fromHex("FD0012340000000000"
                                        "FE07687F7F0001000000"));
    }
};

QVX_TEST_CLASS(PlaybackTest)
#include "PlaybackTest.moc"
