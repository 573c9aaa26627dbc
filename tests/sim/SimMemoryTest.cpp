#include "common/CliRun.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"
#include "sim/BoardSimulator.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qvx;

namespace {
QByteArray frame(const QByteArray& body) {
    unsigned sum = 0;
    for (char c : body)
        sum += quint8(c);
    return QByteArray(1, '\r') + body + char(sum & 0xFF);
}
QByteArray answerOf(BoardSimulator& sim, const QByteArray& body) {
    QByteArray out;
    for (const auto& c : sim.receive(frame(body)))
        out += c.bytes;
    return out.mid(1); // without the answer to the attention byte
}
} // namespace

// The simulated board's memory and its handling of the line.
class SimMemoryTest : public QObject {
    Q_OBJECT
  private slots:
    void storedMemory_survivesARestart() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("board.state"));
        {
            BoardSimulator sim;
            QVERIFY(sim.attachStateFile(path));
            MotionRecord r;
            r.lead = 9;
            r.words.fill(1234);
            QCOMPARE(answerOf(sim, QByteArray::fromHex("FD030102") + r.toBytes()),
                     QByteArray("\x06"));
            QCOMPARE(answerOf(sim, QByteArray::fromHex("F2030800")), QByteArray("\x06"));
            QCOMPARE(answerOf(sim, QByteArray::fromHex("F20100FF")), QByteArray("\x06"));
        }
        BoardSimulator again;
        QVERIFY(again.attachStateFile(path));
        QCOMPARE(again.record(1, 2).lead, quint8(9)); // slot 1 continues at record 30
        QCOMPARE(again.stored().records[32].words[5], quint16(1234));
        // Working copies start from the stored ones; the stored options ask for
        // a power-on start motion, but none is chosen (0xFF).
        QCOMPARE(again.working().option, quint16(0x0800));
        QVERIFY(!again.playing());
        again.stored().powerOnStart = 1;
        again.stored().table[1][0] = 1;
        again.powerOn();
        QVERIFY(again.playing());
        QCOMPARE(again.startedMotions, QList<int>{1});
    }

    void unreadableStateFile_isRefused() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bad.state"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("QVXSIM01 too short");
        f.close();
        BoardSimulator sim;
        QVERIFY(!sim.attachStateFile(path));
    }

    void damagedStateFile_isRefusedAndKept_untilAFreshStartReplacesIt() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("board.state"));
        {
            BoardSimulator sim;
            QVERIFY(sim.attachStateFile(path));
            sim.stored().table[3][0] = 7;
            sim.stored().trim[0] = 16400;
            QVERIFY(sim.saveState(path));
        }
        const QByteArray good = qvxtest::readFile(path);
        // Written by the version before the checksum: the same memory, no checksum.
        QByteArray old = good.chopped(32);
        old.replace(0, 8, "QVXSIM03");
        const struct {
            const char* name;
            QByteArray bytes;
            QString error; // empty: loads
        } cases[] = {
            {"as written", good, {}},
            {"older version", old, {}},
            {"one byte flipped",
             QByteArray(good).replace(500, 1, QByteArray(1, char(good[500] ^ 0x01))),
             "it is damaged: its checksum does not match what it holds"},
            {"checksum flipped",
             QByteArray(good).replace(good.size() - 1, 1, QByteArray(1, char(good.back() ^ 0x01))),
             "it is damaged: its checksum does not match what it holds"},
            {"cut", good.chopped(1), "it is cut short or of an unknown version"},
            {"no state file", "[Backup]\r\n", "it is no state file of the simulated board"},
        };
        for (const auto& c : cases) {
            QVERIFY(qvxtest::writeFile(path, c.bytes));
            BoardSimulator sim;
            QString error;
            QCOMPARE(sim.attachStateFile(path, &error), c.error.isEmpty());
            QCOMPARE(error, c.error);
            if (c.error.isEmpty()) {
                QCOMPARE(sim.stored().table[3][0], char(7));
                QCOMPARE(sim.stored().trim[0], quint16(16400));
            }
        }
        // Refused, the file stays as it was; `qvx sim` says so and how to go on.
        const QByteArray damaged =
            QByteArray(good).replace(500, 1, QByteArray(1, char(good[500] ^ 0x7F)));
        QVERIFY(qvxtest::writeFile(path, damaged));
        const QString link = dir.filePath(QStringLiteral("qmx"));
        const qvxtest::CliRun r = qvxtest::runQvx({"sim", "--link", link, "--state", path});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err,
                 "cannot use the state file " + path +
                     ": it is damaged: its checksum does not match what it holds. It was left as "
                     "it is.\nGive --fresh to start with a new board's memory, which then "
                     "replaces " +
                     path + ".\n");
        QCOMPARE(qvxtest::readFile(path), damaged);
        // Told to, it starts afresh and writes a good file at once.
        BoardSimulator fresh;
        QVERIFY(fresh.attachStateFile(path, nullptr, true));
        QCOMPARE(fresh.stored().table[3][0], char(0));
        QVERIFY(fresh.flushState());
        BoardSimulator again;
        QVERIFY(again.attachStateFile(path));
        QCOMPARE(again.stored().trim[0], fresh.stored().trim[0]);
    }

    void badChecksumOrUnknownCommand_getsNoAck() {
        BoardSimulator sim;
        QByteArray out;
        for (const auto& c : sim.receive(QByteArray::fromHex("0DF40503FD")))
            out += c.bytes;
        QCOMPARE(out, QByteArray::fromHex("0615"));
        QVERIFY(!sim.playing());
        out.clear();
        for (const auto& c : sim.receive(QByteArray::fromHex("0D10")))
            out += c.bytes;
        QCOMPARE(out, QByteArray::fromHex("06"));
    }

    void frameSplitOverReads_isAssembled() {
        BoardSimulator sim;
        const QByteArray f = frame(QByteArray::fromHex("F102"));
        QByteArray out;
        for (char c : f)
            for (const auto& chunk : sim.receive(QByteArray(1, c)))
                out += chunk.bytes;
        QCOMPARE(out, QByteArray::fromHex("06000000"));
    }

    void liveRecordAndStoredRecord_areApart() {
        BoardSimulator sim;
        MotionRecord live;
        live.lead = 5;
        live.words.fill(700);
        answerOf(sim, QByteArray::fromHex("FD010000") + live.toBytes());
        QCOMPARE(sim.working().livePose, live);
        QCOMPARE(sim.record(0, 0).words[0], quint16(0xFFFF));
        const QByteArray back = answerOf(sim, QByteArray::fromHex("FC000000"));
        QCOMPARE(back.left(49), live.toBytes());
        // The robot follows the live record.
        sim.advance(5 * BoardSimulator::kTickMs);
        QCOMPARE(sim.pose()[0], quint16(700));
        QCOMPARE(answerOf(sim, QByteArray::fromHex("F0")).left(2), QByteArray::fromHex("02BC"));
    }
};

QVX_TEST_CLASS(SimMemoryTest)
#include "SimMemoryTest.moc"
