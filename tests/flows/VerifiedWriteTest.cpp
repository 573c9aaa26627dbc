#include "FlowFixture.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace qvx;

// Writes that read every record back: what goes over the wire, and a record
// the board keeps differently failing the write before its table entry.
class VerifiedWriteTest : public QObject {
    Q_OBJECT

    static void compileChain(FlowFixture& fx, int records) {
        fx.setChart(longChain(records - 1));
        QVERIFY(fx.state->compiler.CompileMotionChart(fx.state->chart, fx.services));
    }
    // The command bytes of the record writes and reads sent, in order.
    static QByteArray recordCommands(const BoardSimulator& sim) {
        QByteArray out;
        for (const QByteArray& f : sim.frames)
            if (quint8(f[0]) == 0xFD || quint8(f[0]) == 0xFC) out += f[0];
        return out;
    }

  private slots:
    void eachRecordIsReadBackRightAfterItsWrite() {
        for (bool verify : {false, true}) {
            FlowFixture fx;
            compileChain(fx, 4);
            fx.flows->transfer().setVerify(verify);
            QVERIFY(fx.flows->transfer().WriteMotionToBoard(2));
            QCOMPARE(fx.services.statuses.last(), QStringLiteral("PCT is written"));
            const QByteArray expected =
                verify ? QByteArray("\xFD\xFC\xFD\xFC\xFD\xFC\xFD\xFC") : QByteArray(4, '\xFD');
            QCOMPARE(recordCommands(fx.memorySim), expected);
            QCOMPARE(fx.memorySim.stored().table[2][0], char(4));
        }
    }

    void recordKeptDifferently_failsTheWriteNamingIt() {
        FlowFixture fx;
        compileChain(fx, 5);
        // Record 3 of M3: slot 2, index 2.
        fx.memorySim.setFaultyRecord(2 * 30 + 2);
        fx.flows->transfer().setVerify(true);
        QVERIFY(!fx.flows->transfer().WriteMotionToBoard(2));
        QCOMPARE(fx.services.boxes.size(), size_t(1));
        const QString text = fx.services.lastBoxText();
        QVERIFY2(text.startsWith(
                     QStringLiteral("Record 3 of M3 reads back differently from what was written")),
                 qPrintable(text));
        // Both rows are shown, and they differ only in the last word.
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[1].startsWith(QStringLiteral("written 003 ")));
        QVERIFY(lines[2].startsWith(QStringLiteral("read    003 ")));
        QCOMPARE(lines[1].mid(8, lines[1].size() - 14), lines[2].mid(8, lines[2].size() - 14));
        QVERIFY(lines[1] != lines[2]);
        // Nothing after the bad record, and no table entry for the motion.
        QCOMPARE(recordCommands(fx.memorySim), QByteArray("\xFD\xFC\xFD\xFC\xFD\xFC"));
        QCOMPARE(fx.memorySim.stored().table[2][0], char(0));

        // Without verifying, the same board takes the write as good.
        FlowFixture plain;
        compileChain(plain, 5);
        plain.memorySim.setFaultyRecord(2 * 30 + 2);
        QVERIFY(plain.flows->transfer().WriteMotionToBoard(2));
    }

    void verifyingReadThatFails_failsTheWrite() {
        FlowFixture fx;
        compileChain(fx, 3);
        fx.flows->transfer().setVerify(true);
        // Sleep handshake aside, the answers go: write 1, read 1, write 2, read 2.
        fx.memorySim.injectFault(BoardSimulator::Fault::NoAnswer, BoardLink::kDefaultAttempts, 3);
        QVERIFY(!fx.flows->transfer().WriteMotionToBoard(1));
        QCOMPARE(fx.memorySim.stored().table[1][0], char(0));
    }
};

QVX_TEST_CLASS(VerifiedWriteTest)
#include "VerifiedWriteTest.moc"
