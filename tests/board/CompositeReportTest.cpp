#include "BoardFixture.h"
#include "common/TestRegistry.h"

#include <QSignalSpy>
#include <QTest>

using namespace qvx;
using Fault = BoardSimulator::Fault;

namespace {
QByteArray playbackReport(std::initializer_list<std::pair<int, int>> maskBytes,
                          std::initializer_list<std::pair<int, int>> numbers) {
    QByteArray r(32, '\0');
    r[0] = char(0xFF);
    for (auto [at, v] : maskBytes)
        r[at] = char(v);
    for (auto [at, v] : numbers)
        r[at] = char(v);
    return r;
}
} // namespace

// Composite operations (sleep, option bits, table entries) and the reports.
class CompositeReportTest : public QObject {
    Q_OBJECT
  private slots:
    void sleep_releasesServosKeepsOutputsAndRestoresLivePose() {
        BoardFixture fx;
        QSignalSpy panel(&fx.board, &BoardCommands::sleepPanelChanged);
        MotionRecord live;
        live.lead = 80;
        live.words.fill(16384);
        live.words[1] = 0x8000; // output L stays
        live.words[2] = 0x8001; // output H stays
        live.words[3] = 0x8003; // SET1 becomes FREE
        live.words[4] = 0x8106; // last ST value becomes FREE
        live.words[5] = 0x8107; // jump codes stay
        live.words[6] = 0;      // below 0x8000: FREE
        fx.sim.working().livePose = live;

        QVERIFY(fx.board.SetSleep(0));
        MotionRecord released = live;
        released.lead = 1;
        for (int k : {0, 3, 4, 6})
            released.words[size_t(k)] = 0x8002;
        for (int k = 7; k < 24; ++k)
            released.words[size_t(k)] = 0x8002;
        MotionRecord kept = live;
        kept.lead = 1;
        const QList<QByteArray> expected = {
            QByteArray::fromHex("F100F1"),          framed("FC000000"),
            framed("FD010000", released.toBytes()), framed("F2010001"),
            framed("FD010000", kept.toBytes()),
        };
        QCOMPARE(fx.sim.frames, expected);
        QCOMPARE(fx.sim.working().option, quint16(0x0001));
        QCOMPARE(fx.sim.working().livePose, kept);
        QCOMPARE(panel.count(), 1);
        QCOMPARE(panel[0][0].toString(), QStringLiteral("Sleep"));

        fx.sim.frames.clear();
        QVERIFY(fx.board.SetSleep(2)); // toggle: wakes up
        QCOMPARE(fx.sim.frames,
                 (QList<QByteArray>{QByteArray::fromHex("F100F1"), framed("F2010000")}));
        QCOMPARE(panel.last()[0].toString(), QStringLiteral("RUN"));
    }

    void sleep_stopsAtFailedOptionWrite() {
        BoardFixture fx;
        QSignalSpy panel(&fx.board, &BoardCommands::sleepPanelChanged);
        fx.sim.working().livePose.words.fill(1000);
        fx.sim.injectFault(Fault::BadAck, 1, 3); // the fourth command: the option word
        QVERIFY(!fx.board.SetSleep(0));
        QCOMPARE(fx.sim.frames.size(), 4);
        QCOMPARE(panel.count(), 0);
        // No rollback: the board keeps the released pose.
        QCOMPARE(fx.sim.working().livePose.words[0], quint16(0x8002));
    }

    void optionBits_setClearToggleTheirBitOnly() {
        BoardFixture fx;
        fx.sim.working().option = 0x0800;
        QVERIFY(fx.board.SetOptionBit1(0));
        QCOMPARE(fx.sim.working().option, quint16(0x0802));
        QVERIFY(fx.board.SetOptionBit1(2));
        QCOMPARE(fx.sim.working().option, quint16(0x0800));
        QVERIFY(fx.board.SetOptionBit2(1));
        QCOMPARE(fx.sim.working().option, quint16(0x0804));
        QVERIFY(fx.board.SetOptionBit2(0));
        QCOMPARE(fx.sim.working().option, quint16(0x0800));
        QVERIFY(fx.board.SetOptionBit5(0));
        QVERIFY(fx.board.SetOptionBit8(0));
        QCOMPARE(fx.sim.working().option, quint16(0x0920));
        QVERIFY(fx.board.SetOptionBit8(2));
        QVERIFY(fx.board.SetOptionBit5(1));
        QCOMPARE(fx.sim.working().option, quint16(0x0800));
        fx.sim.frames.clear();
        QVERIFY(fx.board.SetOptionBit14(0));
        QCOMPARE(fx.sim.frames,
                 (QList<QByteArray>{QByteArray::fromHex("F102F3"), framed("F2034000")}));
        QCOMPARE(fx.sim.stored().option, quint16(0x4000));
        QCOMPARE(fx.sim.working().option, quint16(0x0800));
    }

    void updateTableEntry_writesGivenFieldsKeepsOthers() {
        BoardFixture fx;
        QSignalSpy written(&fx.board, &BoardCommands::tableEntryWritten);
        const QDateTime when(QDate(2026, 3, 4), QTime(5, 6));
        QVERIFY(fx.board.UpdateTableEntry(5, 31, 0x123456, QStringLiteral("Walk"), when, 0x0102));
        QByteArray expected = QByteArray::fromHex("1F563412030405060102") +
                              QByteArray("Walk").leftJustified(32, '\0');
        QCOMPARE(fx.sim.stored().table[5], expected);
        QCOMPARE(written.count(), 1);
        QCOMPARE(written[0][0].toInt(), 5);

        // -1 and no date keep the board's values; the name is always written.
        QVERIFY(fx.board.UpdateTableEntry(
            5, -1, -1, QStringLiteral("A name longer than thirty-two bytes"), std::nullopt, -1));
        expected.replace(10, 32, QByteArray("A name longer than thirty-two by"));
        QCOMPARE(fx.sim.stored().table[5], expected);

        // An invalid date stands for now.
        QVERIFY(fx.board.UpdateTableEntry(5, -1, -1, QStringLiteral("x"), QDateTime(), -1));
        const QDateTime now = QDateTime::currentDateTime();
        QCOMPARE(int(fx.sim.stored().table[5][4]), now.date().month());
        QCOMPARE(int(fx.sim.stored().table[5][5]), now.date().day());
    }

    void clearTableEntry_writesTheEmptyEntry() {
        BoardFixture fx;
        fx.sim.stored().table[12] = QByteArray(42, '\x11');
        QVERIFY(fx.board.ClearTableEntry(12));
        const QByteArray empty = QByteArray(4, '\0') + QByteArray(6, '\xFF') + QByteArray(32, '\0');
        QCOMPARE(fx.sim.frames.last(), framed("F6010C", empty));
        QCOMPARE(fx.sim.stored().table[12], empty);
    }

    void clearTableEntry_stopsWhenReadFails() {
        BoardFixture fx;
        fx.sim.injectFault(Fault::BadChecksum);
        QVERIFY(!fx.board.ClearTableEntry(12));
        QCOMPARE(fx.sim.frames.size(), 1);
    }

    void playbackDone_showsEachNumberOnceAscending() {
        BoardFixture fx;
        fx.board.OnPlaybackDone(playbackReport({{1, 0x01}, {2, 0x01}}, {{7, 5}, {11, 5}}));
        QCOMPARE(fx.services.statuses, QStringList{"[5]Playback is done"});
        fx.services.clear();
        // Bits 0, 1, 3 of mask byte 1 and bit 3 of mask byte 6; bit 4 is no mask bit.
        fx.board.OnPlaybackDone(
            playbackReport({{1, 0x1B}, {6, 0x08}}, {{7, 9}, {8, 2}, {10, 84}, {11, 1}, {30, 0}}));
        QCOMPARE(fx.services.statuses,
                 (QStringList{"[0]Playback is done", "[2]Playback is done", "[9]Playback is done",
                              "[84]Playback is done"}));
    }

    void receiverAndAdReports_handValuesOn() {
        BoardFixture fx;
        QSignalSpy receiver(&fx.board, &BoardCommands::receiverReport);
        QSignalSpy ad(&fx.board, &BoardCommands::adReport);
        fx.board.HandleReport(QByteArray::fromHex("FD0012340102037F00"));
        QCOMPARE(receiver.count(), 1);
        QCOMPARE(receiver[0][0].toInt(), 0x1234);
        QCOMPARE(receiver[0][1].value<QList<int>>(), (QList<int>{1, 2, 3, 0x7F}));
        fx.board.HandleReport(QByteArray::fromHex("FE0102007F7F7F000000"));
        QCOMPARE(ad.count(), 1);
        QCOMPARE(ad[0][0].value<QList<int>>(), (QList<int>{130, 127, 0x3FFF, 0}));
        QCOMPARE(BoardCommands::AdVoltText(0, 1000), QStringLiteral("15.39V"));
        QCOMPARE(BoardCommands::AdVoltText(0, 100), QStringLiteral("01.54V"));
        QCOMPARE(BoardCommands::AdVoltText(2, 100), QStringLiteral("0.53V"));
    }

    void boardReportsOnItsOwn_reachTheStatusLine() {
        BoardFixture fx;
        MotionRecord pose;
        pose.lead = 2;
        pose.words.fill(20000);
        fx.sim.stored().records[3 * 30] = pose;
        fx.sim.stored().table[3][0] = 2; // the pose and the END record after it
        fx.sim.working().option = BoardCommands::kOptPlaybackReport;
        QVERIFY(fx.board.PlayMotion(3));
        for (int i = 0; i < 5; ++i)
            fx.transport->advance(BoardSimulator::kTickMs);
        QTRY_COMPARE(fx.services.statuses, QStringList{"[3]Playback is done"});
    }
};

QVX_TEST_CLASS(CompositeReportTest)
#include "CompositeReportTest.moc"
