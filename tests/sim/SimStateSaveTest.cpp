#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "common/RecordingServices.h"
#include "common/SimBoard.h"
#include "common/TestRegistry.h"
#include "sim/SimPtyHost.h"
#include "sim/SimStateFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <thread>

using namespace qvx;

namespace {

MotionRecord sample(int i) {
    MotionRecord r;
    r.lead = quint8(1 + i % 250);
    for (int k = 0; k < 24; ++k)
        r.words[size_t(k)] = quint16(1000 + i * 24 + k);
    return r;
}

// `qvx sim` in a process of its own, serving a link in dir.
struct SimProcess {
    QProcess process;
    QString link;

    SimProcess(const QTemporaryDir& dir, const QString& state)
        : link(dir.filePath(QStringLiteral("qmx"))) {
        process.start(QStringLiteral(QVX_CLI_PATH),
                      {QStringLiteral("sim"), QStringLiteral("--link"), link,
                       QStringLiteral("--state"), state});
    }
    bool ready() {
        if (!process.waitForStarted(10000)) return false;
        // The link appears once the simulator runs; one left behind by a killed
        // simulator is replaced, so wait for the announcement as well.
        QElapsedTimer t;
        t.start();
        QByteArray out;
        while (t.elapsed() < 10000) {
            out += process.readAllStandardOutput();
            if (out.contains("linked at") && QFileInfo(link).isSymLink()) return true;
            process.waitForReadyRead(100);
        }
        return false;
    }
    ~SimProcess() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(10000);
        }
    }
};

// A link with the board commands on top, for one port.
struct Client {
    qvxtest::RecordingServices services;
    BoardLink link;
    BoardCommands board{link};

    explicit Client(const QString& device) {
        link.setServices(&services);
        link.OpenCommPort(1, device);
    }
};

// The record a freshly started in-process simulator serves from the state file.
std::optional<MotionRecord> servedRecord(const QString& state, int slot, int index) {
    qvxtest::SimBoard board(qvxtest::SimBoard::keptIn(state));
    if (!board.host) return std::nullopt;
    Client client(board.host->devicePath());
    MotionRecord back;
    if (!client.board.ReadMotionRecord(true, slot, index, back)) return std::nullopt;
    return back;
}

} // namespace

// The simulated board's state file is written behind its answers: shortly after
// a change, whole or not at all, and at once when the simulator ends in order.
class SimStateSaveTest : public QObject {
    Q_OBJECT
  private slots:
    void storedWrite_survivesAKillAfterASecond() {
        QTemporaryDir dir;
        const QString state = dir.filePath(QStringLiteral("board.state"));
        SimProcess sim(dir, state);
        QVERIFY(sim.ready());
        {
            Client client(sim.link);
            QVERIFY(client.link.isOpen());
            QVERIFY(client.board.WriteMotionRecord(true, 4, 7, sample(7)));
        }
        // The stored record reaches the state file within a second or so.
        QVERIFY(QTest::qWaitFor(
            [&] {
                BoardSimulator::Stored stored;
                return SimStateFile::Read(state, stored) &&
                       stored.records[size_t(4 * 30 + 7)] == sample(7);
            },
            1500));
        sim.process.kill();
        QVERIFY(sim.process.waitForFinished(10000));
        QCOMPARE(sim.process.exitStatus(), QProcess::CrashExit);
        const auto served = servedRecord(state, 4, 7);
        QVERIFY(served);
        QCOMPARE(*served, sample(7));
    }

    void killDuringWrites_leavesALoadableFile() {
        QTemporaryDir dir;
        const QString state = dir.filePath(QStringLiteral("board.state"));
        // Each round kills a simulator at another point of a stream of stored
        // writes; the next round starts from the file the killed one left.
        int written = 0;
        for (int killAfterMs : {400, 650, 900}) {
            SimProcess sim(dir, state);
            QVERIFY(sim.ready());
            Client client(sim.link);
            QVERIFY(client.link.isOpen());
            QTimer::singleShot(killAfterMs, &sim.process, [&sim] { sim.process.kill(); });
            // Writes go on until the killed simulator stops answering.
            for (int i = 0; i < 100000; ++i) {
                if (!client.board.WriteMotionRecord(true, 1 + i / 30 % 79, i % 30, sample(i)))
                    break;
                ++written;
            }
            // The kill may have been seen while a write waited.
            QTRY_COMPARE_WITH_TIMEOUT(sim.process.state(), QProcess::NotRunning, 10000);
            QCOMPARE(sim.process.exitStatus(), QProcess::CrashExit);
            BoardSimulator::Stored stored;
            QVERIFY(QFileInfo::exists(state));
            QVERIFY(SimStateFile::Read(state, stored));
            // Whatever made it to the file is a record that was written.
            for (int slot = 1; slot <= 79; ++slot)
                for (int index = 0; index < 30; ++index) {
                    const MotionRecord& r =
                        stored.records[size_t(slot * BoardSimulator::kRecordsPerSlot + index)];
                    if (r.lead == 1 && r.words[0] == 0xFFFF) continue; // never written
                    QCOMPARE(r.words[1], quint16(r.words[0] + 1));
                }
        }
        QVERIFY(written > 0);
    }

    void replacedFile_isNeverSeenHalfWritten() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("board.state"));
        BoardSimulator::Stored stored;
        {
            BoardSimulator sim;
            stored = sim.stored();
        }
        QVERIFY(SimStateFile::Write(path, stored));
        // A reader running beside the writer finds a complete file every time.
        std::atomic<bool> done{false};
        std::atomic<int> reads{0}, bad{0};
        std::thread reader([&] {
            while (!done) {
                BoardSimulator::Stored seen;
                if (!SimStateFile::Read(path, seen)) ++bad;
                ++reads;
            }
        });
        for (int i = 0; i < 40; ++i) {
            stored.records[size_t(i)] = sample(i);
            QVERIFY(SimStateFile::Write(path, stored));
        }
        done = true;
        reader.join();
        QVERIFY(reads > 0);
        QCOMPARE(bad.load(), 0);
        // Nothing is left beside the file.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"board.state"});
    }

    void orderlyExit_writesAtOnce() {
        QTemporaryDir dir;
        const QString state = dir.filePath(QStringLiteral("board.state"));
        SimProcess sim(dir, state);
        QVERIFY(sim.ready());
        {
            Client client(sim.link);
            QVERIFY(client.board.WriteMotionRecord(true, 9, 3, sample(3)));
            QVERIFY(client.board.WriteMotionRecord(true, 9, 4, sample(4)));
        }
        sim.process.terminate();
        QVERIFY(sim.process.waitForFinished(10000));
        QCOMPARE(sim.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.process.exitCode(), 0);
        for (int index : {3, 4}) {
            const auto served = servedRecord(state, 9, index);
            QVERIFY(served);
            QCOMPARE(*served, sample(index));
        }
    }

    void inProcessHost_savesBehindAndOnRequest() {
        QTemporaryDir dir;
        const QString state = dir.filePath(QStringLiteral("board.state"));
        qvxtest::SimBoard board(qvxtest::SimBoard::keptIn(state));
        QVERIFY2(board.host, qPrintable(board.error));
        auto& host = board.host;
        Client client(host->devicePath());
        auto fileRecord = [&](int at) {
            BoardSimulator::Stored stored;
            return SimStateFile::Read(state, stored) ? stored.records[size_t(at)] : MotionRecord{};
        };
        // The host's own timer writes the file while the host runs.
        QVERIFY(client.board.WriteMotionRecord(true, 2, 5, sample(5)));
        QTRY_COMPARE_WITH_TIMEOUT(fileRecord(2 * 30 + 5), sample(5), 5000);
        // flushState() writes at once what is not written yet.
        QVERIFY(client.board.WriteMotionRecord(true, 2, 6, sample(6)));
        QVERIFY(host->flushState());
        QCOMPARE(fileRecord(2 * 30 + 6), sample(6));
        QVERIFY(!host->withSimulator([](BoardSimulator& s) { return s.hasUnsavedState(); }));
    }

    void failedWrite_isReportedAndTriedAgain() {
        QTemporaryDir dir;
        const QString sub = dir.filePath(QStringLiteral("sub"));
        QVERIFY(QDir().mkpath(sub));
        const QString state = sub + QStringLiteral("/board.state");
        BoardSimulator sim;
        QVERIFY(sim.attachStateFile(state));
        sim.setButtonInput(0x0102);
        // The folder is gone: the write fails and says so.
        QVERIFY(QDir(sub).removeRecursively());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write the simulated board"));
        QVERIFY(!sim.flushState());
        // Once it is back, the copy that failed is written.
        QVERIFY(QDir().mkpath(sub));
        QVERIFY(sim.flushState());
        BoardSimulator::Stored stored;
        QVERIFY(SimStateFile::Read(state, stored));
        QCOMPARE(stored.buttonInput, quint16(0x0102));
    }
};

QVX_TEST_CLASS(SimStateSaveTest)
#include "SimStateSaveTest.moc"
