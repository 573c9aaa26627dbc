#include "FlowFixture.h"
#include "board/BackupFlows.h"
#include "board/BoardCommands.h"
#include "common/CliRun.h"
#include "common/TestRegistry.h"
#include "base/Cp932.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>

using namespace qvx;

namespace {

QByteArray entryBytes(int count, const QByteArray& name, quint16 control) {
    QByteArray e(QmxBoard::kEntrySize, '\0');
    e[0] = char(count);
    e[1] = char(0x21);
    e[2] = char(0x43);
    e[3] = char(0x05);
    e[4] = char(11);
    e[5] = char(30);
    e[6] = char(23);
    e[7] = char(59);
    BigEndian::putWord(e, 8, control);
    e.replace(10, name.size(), name);
    return e.left(QmxBoard::kEntrySize);
}

MotionRecord recordAt(int place) {
    MotionRecord r;
    r.lead = quint8(1 + place % 250);
    for (int k = 0; k < 24; ++k)
        r.words[size_t(k)] = quint16(0x1000 + place * 31 + k * 7);
    return r;
}

// A board with something other than its fresh state in every part of its
// memory: motions (one running on into the next slot, which holds a motion of
// its own, and one counting past the end of the memory), scenarios (one
// counting past the steps a scenario holds), every stored setting, channel
// names with bytes no text survives, and SVP servos when asked for.
void fillEverything(BoardSimulator& s, bool svpMode) {
    auto& st = s.stored();
    auto motion = [&](int slot, int count, int records, const QByteArray& name) {
        st.table[size_t(slot)] = entryBytes(count, name, quint16(0x8000 + slot));
        for (int i = 0; i < records; ++i)
            st.records[size_t(slot * 30 + i)] = recordAt(slot * 30 + i);
    };
    motion(0, 40, 40, "walk");
    motion(1, 5, 5, "M2 inside M1");
    motion(6, 30, 30, Cp932::encode(QString::fromUtf8("右手を上げる")));
    motion(79, 45, 30, "past the end");
    st.table[80] = entryBytes(3, "three", 0xFFFF);
    st.scenarios[0][0] = 0;
    st.scenarios[0][1] = 6;
    st.scenarios[0][2] = 79;
    st.table[84] = entryBytes(255, "long", 0x0102);
    for (int i = 0; i < 200; ++i)
        st.scenarios[4][size_t(i)] = quint8(i % 85);

    st.option = BoardCommands::kOptPlaybackReport | BoardCommands::kOptAlarm |
                BoardCommands::kOptButtonStart | 0x0080;
    if (svpMode) st.option |= BoardCommands::kOptSvp;
    for (int c = 0; c < 24; ++c) {
        st.trim[size_t(c)] = quint16(16384 + 7 * c - 80);
        st.home[size_t(c)] = quint16(15000 + 100 * c);
    }
    st.adReference = QByteArray::fromHex("01f4020003ff");
    st.mixing[0] = QByteArray(24, '\0');
    st.mixing[0][0] = char(0x83);
    st.mixing[0][5] = char(0xC2);
    st.mixing[2] = QByteArray(24, char(0xBF));
    st.adSettings = QByteArray::fromHex("0203ff0405ff412c812c00000000400a8001");
    st.receiverReference = QByteArray::fromHex("40417f00");
    st.buttonStart = 2;
    st.powerOnStart = 80;
    st.alarmMotion = 6;
    st.alarmVoltage = 0x0186;
    st.svpChannels = QByteArray::fromHex("058000");
    // The servos' own memory: only reachable in SVP mode.
    for (int id : {0, 2, 15})
        if (svpMode)
            st.servoParams[size_t(id)] =
                QByteArray::fromHex("0102030405060708090a0b0c0d0e0f1011").left(16) + char(id);
    st.channelNames[0] = Cp932::encode(QString::fromUtf8("右肩")).leftJustified(32, '\0');
    // A carriage return in a name, and bytes behind its end that no text keeps.
    st.channelNames[1] = QByteArray("A\rB\0\xFF\xFE", 6).leftJustified(32, '\x01');
    s.powerOn();
}

// Everything a backup holds, compared field by field between two boards.
void compareMemories(BoardSimulator& a, BoardSimulator& b) {
    const auto& x = a.stored();
    const auto& y = b.stored();
    QCOMPARE(y.table, x.table);
    QVERIFY(y.records == x.records);
    QVERIFY(y.scenarios == x.scenarios);
    QCOMPARE(y.option, x.option);
    QVERIFY(y.trim == x.trim);
    QVERIFY(y.home == x.home);
    QCOMPARE(y.adReference, x.adReference);
    QCOMPARE(y.mixing, x.mixing);
    QCOMPARE(y.adSettings, x.adSettings);
    QCOMPARE(y.receiverReference, x.receiverReference);
    QCOMPARE(y.buttonStart, x.buttonStart);
    QCOMPARE(y.powerOnStart, x.powerOnStart);
    QCOMPARE(y.alarmMotion, x.alarmMotion);
    QCOMPARE(y.alarmVoltage, x.alarmVoltage);
    QCOMPARE(y.svpChannels, x.svpChannels);
    QCOMPARE(y.servoParams, x.servoParams);
    QCOMPARE(y.channelNames, x.channelNames);
}

// A fresh board that runs in SVP mode (as after the servo dialog and a restart).
void svpModeOn(BoardSimulator& s) {
    s.stored().option |= BoardCommands::kOptSvp;
    s.powerOn();
}

// The file of a board with something in every part of its memory.
QByteArray goodBackup() {
    FlowFixture fx;
    fillEverything(fx.memorySim, true);
    return BackupFlows(fx.state->board, fx.services).Backup()->toBytes();
}

int framesOf(const BoardSimulator& s, quint8 command) {
    int n = 0;
    for (const QByteArray& f : s.frames)
        if (quint8(f[0]) == command) ++n;
    return n;
}

} // namespace

// Whole-board backup and restore: through the pseudo-terminal and the serial
// port for the full round trip, in memory for the faults.
class BackupTest : public QObject {
    Q_OBJECT

  private slots:
    void backupRestoredIntoAFreshBoard_givesTheSameMemory() {
        FlowFixture from(true), to(true);
        QVERIFY(from.open() && to.open());
        from.sim([](BoardSimulator& s) { fillEverything(s, true); });
        to.sim([](BoardSimulator& s) { svpModeOn(s); });

        BackupFlows reader(from.state->board, from.services);
        int lastTotal = 0, steps = 0;
        reader.setProgress([&](int done, int total) {
            if (total > 0) lastTotal = total, steps = done;
        });
        const std::optional<BoardBackup> backup = reader.Backup();
        QVERIFY2(backup, qPrintable(from.services.lastBoxText()));
        QCOMPARE(steps, lastTotal);
        // 40 + 5 + 30 + 30 (cut at the memory's end) records, 3 + 200 steps.
        QCOMPARE(backup->recordCount(), 105);
        QCOMPARE(backup->stepCount(), 203);
        QCOMPARE(backup->servos.size(), size_t(3));
        QVERIFY(reader.notes().join(u'\n').contains(QStringLiteral("M80 counts more records")));
        // The robot sleeps while the board is read and is awake afterwards.
        QVERIFY(!(from.sim([](BoardSimulator& s) { return s.working().option; }) &
                  BoardCommands::kOptSleep));

        const QString path = from.dir.filePath(QStringLiteral("board.qbk"));
        QVERIFY(backup->Save(path));
        QString error;
        const std::optional<BoardBackup> loaded = BoardBackup::Load(path, &error);
        QVERIFY2(loaded, qPrintable(error));
        QVERIFY(*loaded == *backup);

        BackupFlows writer(to.state->board, to.services);
        writer.setTable(&to.state->table);
        for (int round = 0; round < 2; ++round) {
            QVERIFY2(writer.Restore(*loaded), qPrintable(to.services.lastBoxText()));
            QVERIFY(writer.notes().isEmpty());
            from.sim([&](BoardSimulator& a) {
                to.sim([&](BoardSimulator& b) { compareMemories(a, b); });
            });
        }
        QCOMPARE(to.state->table.name(6), QString::fromUtf8("右手を上げる"));
        QVERIFY(!(to.sim([](BoardSimulator& s) { return s.working().option; }) &
                  BoardCommands::kOptSleep));

        // A backup of the restored board holds what the first one held.
        BackupFlows again(to.state->board, to.services);
        std::optional<BoardBackup> second = again.Backup();
        QVERIFY(second);
        second->taken = backup->taken;
        QVERIFY(*second == *backup);
    }

    void file_isReadableTextThatReadsBackWhole() {
        FlowFixture fx;
        fillEverything(fx.memorySim, true);
        BackupFlows flows(fx.state->board, fx.services);
        const std::optional<BoardBackup> backup = flows.Backup();
        QVERIFY(backup);
        const QByteArray bytes = backup->toBytes();
        // CR LF only, CP932, and the values in the dialogs' units beside the bytes.
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QVERIFY(bytes.contains(Cp932::encode(QString::fromUtf8("\"右肩\""))));
        QVERIFY(bytes.contains("CH2=41 0D 42 00 FF FE 01"));
        QVERIFY(bytes.contains("(\"A?B\")"));
        QVERIFY(bytes.contains("Alarm=06 01 86  (M7 at 06.0V)"));
        QVERIFY(bytes.contains("Mixing1=83 00 00 00 00 C2"));
        QVERIFY(bytes.contains("(CH1 x 3, CH6 x -2)"));
        QVERIFY(bytes.contains("SvpChannels=05 80 00  (CH1 CH3 CH16)"));
        QVERIFY(bytes.contains("\r\n[M1]\r\nR001=01 10 00"));
        QVERIFY(bytes.contains("\r\n[S5]\r\nStep001=00  (M1)"));
        QVERIFY(bytes.contains("Format=1\r\n"));
        QString error;
        const std::optional<BoardBackup> back = BoardBackup::Parse(bytes, &error);
        QVERIFY2(back, qPrintable(error));
        QVERIFY(*back == *backup);
        QCOMPARE(back->toBytes(), bytes);
    }

    void brokenFiles_areRefusedWithTheReason_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error"); // empty: the file is taken
        const QByteArray good = goodBackup();
        // The first `from` replaced by `to`; "<end>" appends.
        auto edited = [&](const char* from, const QByteArray& to) {
            QByteArray b = good;
            if (qstrcmp(from, "<end>") == 0) return b + to;
            const qsizetype at = b.indexOf(from);
            return at < 0 ? QByteArray() : b.replace(at, qsizetype(qstrlen(from)), to);
        };
        auto lineOf = [](const QByteArray& b, const char* text) {
            return int(b.left(b.indexOf(text)).count('\n')) + 1;
        };
        auto row = [](const char* name, const QByteArray& bytes, const QString& error) {
            QTest::newRow(name) << bytes << error;
        };
        row("as written", good, {});
        row("format with a blank", edited("Format=1", "Format= 1"), {});
        row("a comment line", edited("[Trim]", "[Trim]\r\n; checked by hand"), {});
        row("format 0", edited("Format=1", "Format=0"),
            "[Backup] Format (line 2) is 0; formats count from 1");
        row("format -1", edited("Format=1", "Format=-1"),
            "[Backup] Format (line 2) must be a decimal format number such as 1, not -1");
        row("format in hex", edited("Format=1", "Format=0x1"),
            "[Backup] Format (line 2) must be a decimal format number such as 1, not 0x1");
        row("format empty", edited("Format=1", "Format="),
            "[Backup] Format (line 2) is empty: it must give the format number, 1");
        row("format newer", edited("Format=1", "Format=2"),
            "This backup is of format 2, written by a newer version; this version reads format 1");
        row("format huge", edited("Format=1", "Format=99999999999999999999"),
            "This backup is of format 99999999999999999999, written by a newer version; this "
            "version reads format 1");
        row("format missing", edited("Format=1", "Formal=1"),
            "This is no board backup: [Backup] Format is missing");
        row("garbage before it", QByteArray("\x00\xFF garbage\r\n[Backup]\r\n", 22),
            "This is no board backup: line 1 is no [section], KEY=VALUE or ;comment line");
        row("key before a section", "Note=1\r\n" + good,
            "This is no board backup: line 1 gives Note before the first section");
        row("line without a key", edited("[Trim]", "[Trim]\r\nCH1 00 00"),
            "Line 23 is no [section], KEY=VALUE or ;comment line");
        row("key twice", edited("OptionWord=", "OptionWord=FF FF\r\noptionword="),
            "[Options] optionword is given twice, on lines 7 and 8");
        row("section twice", edited("<end>", "[receiver]\r\nReference=00 00 00 00\r\n"),
            QStringLiteral("[receiver] is given twice, on lines 19 and %1")
                .arg(good.count('\n') + 1));
        row("value too short", edited("OptionWord=", "OptionWord=0"),
            "[Options] OptionWord (line 7) must be 2 bytes in hex");
        const QByteArray badRecord = edited("R002=", "R002=zz");
        row("record not hex", badRecord,
            QStringLiteral("[M1] R002 (line %1) must be 49 bytes in hex")
                .arg(lineOf(badRecord, "R002=")));
        row("step too long", edited("Step001=00", "Step001=00 00"),
            QStringLiteral("[S1] Step001 (line %1) must be 1 byte in hex")
                .arg(lineOf(good, "Step001=")));
        row("receiver reference FF", edited("Reference=40 41 7F 00", "Reference=40 FF 7F 00"),
            QStringLiteral("[Receiver] Reference (line 20) holds FF for PA2, which a board takes "
                           "as the order to calibrate PA2 from what it measures: it cannot be "
                           "restored"));
        row("servo answer", edited("Read=yes", "Read=maybe"),
            "[Servos] Read (line " + QString::number(lineOf(good, "Read=yes")) +
                ") must be yes or no");
        row("key of no backup", edited("[Trim]", "[Trim]\r\nCH25=00 00"),
            "[Trim] CH25 (line 23) does not belong in a backup");
        row("section of no backup", edited("[Names]", "[Extra]\r\n\r\n[Names]"),
            "[Extra] does not belong in a backup");
        // The records M1 and M2 share must agree.
        const QByteArray shared = edited("[M2]\r\nR001=1F", "[M2]\r\nR001=1E");
        row("shared record differs", shared,
            QStringLiteral("[M2] R001 (line %1) is the same record of the board as [M1] R031 "
                           "(line %2), but differs from it")
                .arg(lineOf(shared, "[M2]") + 1)
                .arg(lineOf(shared, "R031=")));
        // A count raised by hand asks for a record the file lacks.
        row("count raised", edited("M4=00 00", "M4=01 00"), "[M4] R001 is missing");
    }

    void brokenFiles_areRefusedWithTheReason() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        QVERIFY(!bytes.isEmpty());
        QString why;
        const bool taken = BoardBackup::Parse(bytes, &why).has_value();
        QCOMPARE(why, error);
        QCOMPARE(taken, error.isEmpty());
        // Cut anywhere, a file loses something a restore needs.
        if (QByteArrayView(QTest::currentDataTag()) == "as written")
            for (qsizetype cut : {qsizetype(0), qsizetype(40), bytes.size() / 3, bytes.size() / 2,
                                  bytes.size() - 30})
                QVERIFY2(!BoardBackup::Parse(bytes.left(cut), &why),
                         qPrintable(QString::number(cut)));
    }

    void filesBeyondWhatABoardHolds_areRefusedAtOnce_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QByteArray sections = "[Backup]\r\n";
        for (int k = 1; k <= 95; ++k)
            sections += "[X" + QByteArray::number(k) + "]\r\n";
        QByteArray keys = "[Backup]\r\n";
        for (int k = 1; k <= 20636; ++k)
            keys += "K" + QByteArray::number(k) + "=0\r\n";
        // Just under the size limit: 1.6 million empty sections, 1.2 million keys.
        const int fit = int(BoardBackup::kMaxFileSize) - 10;
        QTest::newRow("sections") << sections
                                  << "The file has more sections than a backup of a whole board "
                                     "(94): [X94] on line 95 is one too many";
        QTest::newRow("keys") << keys
                              << "The file has more keys than a backup of a whole board (20635): "
                                 "[Backup] K20636 on line 20637 is one too many";
        QTest::newRow("empty sections")
            << QByteArray("[A]\r\n").repeated(fit / 5)
            << QStringLiteral("The file has %1 lines; a backup of a whole board has at most 21823")
                   .arg(fit / 5 + 1);
        QTest::newRow("many keys") << "[Backup]\r\n" + QByteArray("K=1\r\n").repeated(fit / 5 - 2)
                                   << QStringLiteral("The file has %1 lines; a backup of a whole "
                                                     "board has at most 21823")
                                          .arg(fit / 5);
        QTest::newRow("over the limit")
            << QByteArray(int(BoardBackup::kMaxFileSize) + 1, '\n')
            << "The file is larger than 8 MB; a backup of a whole board is smaller";
    }

    void filesBeyondWhatABoardHolds_areRefusedAtOnce() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        QElapsedTimer timer;
        timer.start();
        QString why;
        QVERIFY(!BoardBackup::Parse(bytes, &why));
        QCOMPARE(why, error);
        // Refused before anything is made of the lines (seconds before).
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    }

    void fileOverTheLimit_isNamedSoOnLoading() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("big.qbk"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(BoardBackup::kMaxFileSize + 1)); // sparse: no disk used
        f.close();
        QString why;
        QVERIFY(!BoardBackup::Load(path, &why));
        QCOMPARE(why, path + " is larger than 8 MB; a backup of a whole board is smaller");
    }

    void unusualValues_areNamedWithTheQuestion_andRestoredAsTheyAre() {
        FlowFixture from, to;
        auto& st = from.memorySim.stored();
        st.option = 0x8010;
        st.buttonStart = 0xC8;
        st.alarmVoltage = 0xFFFF;
        st.adReference = QByteArray::fromHex("ffff00000400");
        st.receiverReference = QByteArray::fromHex("00800000");
        st.trim.fill(16384);
        st.trim[2] = 0xFFFF;
        from.memorySim.powerOn();
        const std::optional<BoardBackup> backup =
            BackupFlows(from.state->board, from.services).Backup();
        QVERIFY(backup);
        to.services.boxAnswers.push_back(ResultYes);
        QVERIFY(BackupFlows::ConfirmRestore(to.services, *backup, QStringLiteral("odd.qbk")));
        const QStringList lines = to.services.lastBoxText().split(QStringLiteral("\r\n"));
        QCOMPARE(lines.mid(0, 9),
                 QStringList({"Warning: the backup holds values the program's own dialogs never "
                              "set; they are restored as they are:",
                              "[Options] OptionWord=80 10: bits 8010 are set, which no dialog sets",
                              "[Options] StartMotions=C8 FF: a start motion that is no table entry",
                              "[Options] Alarm=FF FF FF: the alarm voltage 1008.6V is outside the "
                              "option dialog's 05.5V to 15.0V",
                              "[Analog] Reference=FF FF 00 00 04 00: AD1 is 65535, beyond the "
                              "analog dialog's 0 to 1023",
                              "[Analog] Reference=FF FF 00 00 04 00: AD3 is 1024, beyond the "
                              "analog dialog's 0 to 1023",
                              "[Receiver] Reference=00 80 00 00: PA2 is 128, beyond the receiver "
                              "window's 0 to 127",
                              "[Trim] CH3=FF FF: 65535 is beyond the trim window's 16039 to 16729 "
                              "(a trim file holding it is refused)",
                              ""}));
        QVERIFY(lines[9].startsWith(QStringLiteral("Restore odd.qbk onto the board?")));
        // The restore sends them as they are.
        QVERIFY2(BackupFlows(to.state->board, to.services).Restore(*backup),
                 qPrintable(to.services.lastBoxText()));
        compareMemories(from.memorySim, to.memorySim);
    }

    void restore_stopsAtTheFirstMismatchAndNamesIt() {
        FlowFixture from, to;
        fillEverything(from.memorySim, false);
        const std::optional<BoardBackup> backup =
            BackupFlows(from.state->board, from.services).Backup();
        QVERIFY(backup);
        // Record 5 of M7 (slot 6) is kept wrongly.
        to.memorySim.setFaultyRecord(6 * 30 + 4);
        to.memorySim.frames.clear();
        BackupFlows writer(to.state->board, to.services);
        QVERIFY(!writer.Restore(*backup));
        const QString text = to.services.lastBoxText();
        QVERIFY2(text.startsWith(QStringLiteral(
                     "Restore stopped: M7 record 5 reads back differently from what was written")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("The robot is left asleep")));
        // No table entry was written, nothing after the bad record, and the robot sleeps.
        QCOMPARE(framesOf(to.memorySim, 0xF6), 0);
        QCOMPARE(to.memorySim.frames.last()[0], char(0xFC));
        QVERIFY(to.memorySim.working().option & BoardCommands::kOptSleep);
    }

    void failures_nameTheCause_andWhetherTheRobotIsLeftAsleep_data() {
        using F = BoardSimulator::Fault;
        QTest::addColumn<bool>("restore");
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("skip");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("asleep");
        const QString asleep = QStringLiteral(". The robot is left asleep: press Sleep to wake it");
        // A backup: the sleep (5 answers), the working option word, the board's
        // identification, 85 entries, then the records of M1. A failed backup
        // wakes the robot again, unless that fails too.
        const int m1 = 5 + 2 + 85;
        const QString record3 = QStringLiteral("Backup stopped: reading M1 record 3 failed: ");
        QTest::newRow("backup, checksum")
            << false << int(F::BadChecksum) << 1 << m1 + 2
            << record3 + "the board's answer had a wrong checksum" << false;
        QTest::newRow("backup, acknowledge byte in an answer")
            << false << int(F::BadAck) << 1 << m1 + 2
            << record3 + "the board's answer had a wrong checksum" << false;
        QTest::newRow("backup, short answer")
            << false << int(F::ShortAnswer) << 5 << m1 + 2
            << record3 + "the board's answer was incomplete (49 of 50 bytes within 40 ms)" << false;
        QTest::newRow("backup, no answer")
            << false << int(F::NoAnswer) << 5 << m1 + 2
            << record3 + "the board's answer was incomplete (0 of 50 bytes within 40 ms)" << false;
        QTest::newRow("backup, no answer to the wake either")
            << false << int(F::NoAnswer) << 10 << m1 + 2
            << record3 + "the board's answer was incomplete (0 of 50 bytes within 40 ms)" + asleep
            << true;
        QTest::newRow("backup, sleep not taken")
            << false << int(F::BadAck) << 1 << 2
            << QStringLiteral("Backup stopped: the robot could not be put to sleep: the board "
                              "answered 15 instead of the acknowledge byte")
            << false;
        // A restore: the sleep, then each record written and read back.
        QTest::newRow("restore, write refused")
            << true << int(F::BadAck) << 1 << 5 + 2
            << "Restore stopped: writing M1 record 2 failed: the board answered 15 instead of the "
               "acknowledge byte" +
                   asleep
            << true;
        QTest::newRow("restore, read-back checksum")
            << true << int(F::BadChecksum) << 1 << 5 + 3
            << "Restore stopped: reading back M1 record 2 failed: the board's answer had a wrong "
               "checksum" +
                   asleep
            << true;
    }

    void failures_nameTheCause_andWhetherTheRobotIsLeftAsleep() {
        QFETCH(bool, restore);
        QFETCH(int, fault);
        QFETCH(int, count);
        QFETCH(int, skip);
        QFETCH(QString, text);
        QFETCH(bool, asleep);
        FlowFixture fx;
        std::optional<BoardBackup> backup;
        if (restore) {
            FlowFixture from;
            fillEverything(from.memorySim, false);
            backup = BackupFlows(from.state->board, from.services).Backup();
            QVERIFY(backup);
        } else {
            fillEverything(fx.memorySim, false);
        }
        fx.memorySim.injectFault(BoardSimulator::Fault(fault), count, skip);
        BackupFlows flows(fx.state->board, fx.services);
        QVERIFY(restore ? !flows.Restore(*backup) : !flows.Backup());
        QCOMPARE(fx.services.lastBoxText(), text);
        QCOMPARE(fx.services.statuses.last(), text);
        QCOMPARE(bool(fx.memorySim.working().option & BoardCommands::kOptSleep), asleep);
    }

    void servoBlocks_goOnlyToABoardInSvpMode() {
        // Not in SVP mode: the backup says the servos were left out.
        FlowFixture plain;
        fillEverything(plain.memorySim, false);
        BackupFlows reader(plain.state->board, plain.services);
        const std::optional<BoardBackup> noServos = reader.Backup();
        QVERIFY(noServos && !noServos->servosRead && noServos->servos.empty());
        QCOMPARE(framesOf(plain.memorySim, 0xDA), 0);
        QVERIFY(noServos->toBytes().contains("Read=no  (left out: the board was not in SVP mode)"));
        QVERIFY(reader.notes().join(u'\n').contains(QStringLiteral("left out")));

        // A servo that does not answer is left out of a backup, not the whole backup.
        FlowFixture svp;
        fillEverything(svp.memorySim, true);
        BackupFlows partial(svp.state->board, svp.services);
        svp.memorySim.frames.clear();
        QVERIFY(partial.Backup());
        int answersBefore = 0;
        while (quint8(svp.memorySim.frames[answersBefore][0]) != 0xDA)
            ++answersBefore;
        svp.memorySim.injectFault(BoardSimulator::Fault::NoAnswer, 1, answersBefore);
        const std::optional<BoardBackup> missing = partial.Backup();
        QVERIFY(missing && missing->servos.size() == 2 && !missing->servos.count(0));
        QVERIFY(partial.notes().join(u'\n').contains(
            QStringLiteral("The servo of CH1 did not answer")));
        const std::optional<BoardBackup> withServos = partial.Backup();
        QVERIFY(withServos && withServos->servos.size() == 3);

        // An SVP backup restored onto a board outside SVP mode: everything but the servos.
        FlowFixture to;
        to.memorySim.frames.clear();
        BackupFlows writer(to.state->board, to.services);
        QVERIFY(writer.Restore(*withServos));
        QCOMPARE(framesOf(to.memorySim, 0xDB), 0);
        QVERIFY(writer.notes().join(u'\n').contains(QStringLiteral("not in SVP mode")));
        QCOMPARE(to.memorySim.stored().table, svp.memorySim.stored().table);
    }

    void mainWindow_backsUpAndRestoresWithConfirmationAndProgress() {
        WindowRig rig;
        fillEverything(rig.sim, false);
        const QString path = rig.dir.filePath(QStringLiteral("robot"));
        int shownMax = 0;
        connect(rig.win->ProgressBar, &QProgressBar::valueChanged, this,
                [&](int) { shownMax = std::max(shownMax, rig.win->ProgressBar->maximum()); });
        rig.services.saveAnswers.push_back(FileChoice{path, 0});
        rig.win->BackupBtn->click();
        // The first filter adds the extension to a bare name.
        QVERIFY(QFile::exists(path + QStringLiteral(".QBK")));
        QVERIFY(shownMax > 85);
        QVERIFY(rig.win->ProgressBar->isHidden());
        QVERIFY2(rig.services.statuses.last().startsWith(QStringLiteral("Backed up 4 motions")),
                 qPrintable(rig.services.statuses.join(u'|')));

        // Another board: No to the question sends nothing; Yes restores.
        WindowRig other;
        other.services.openAnswers.push_back(FileChoice{path + QStringLiteral(".QBK"), 0});
        other.services.boxAnswers.push_back(ResultNo);
        other.sim.frames.clear();
        other.win->RestoreBtn->click();
        QVERIFY(other.sim.frames.isEmpty());
        const QString question = other.services.lastBoxText();
        QVERIFY(question.contains(QStringLiteral("all 85 table entries with the backup's 4 motions "
                                                 "(105 records), 2 scenarios (203 steps)")));
        other.services.openAnswers.push_back(FileChoice{path + QStringLiteral(".QBK"), 0});
        other.services.boxAnswers.push_back(ResultYes);
        other.win->RestoreBtn->click();
        compareMemories(rig.sim, other.sim);
        // The table window's rows follow what was written.
        QCOMPARE(other.state.table.name(0), QStringLiteral("walk"));

        // A file that does not read: its reason, and nothing sent.
        const QString broken = rig.dir.filePath(QStringLiteral("broken.qbk"));
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Backup]\r\nFormat=9\r\n");
        f.close();
        other.sim.frames.clear();
        other.services.openAnswers.push_back(FileChoice{broken, 0});
        other.win->RestoreBtn->click();
        QVERIFY(other.sim.frames.isEmpty());
        QVERIFY(other.services.lastBoxText().contains(QStringLiteral("newer version")));
    }

    void cli_backupAndRestoreVerbs() {
        FlowFixture from(true), to(true);
        from.sim([](BoardSimulator& s) {
            fillEverything(s, false);
            s.stored().trim[4] = 0xFFFF; // a trim the trim window never sets
        });
        // The two tools open the devices themselves.
        from.state->link.ClosePort();
        to.state->link.ClosePort();
        const QString fromPort = from.board->port, toPort = to.board->port;
        const QString path = from.dir.filePath(QStringLiteral("board.qbk"));
        auto board = [](const QString& port, const QStringList& rest) {
            return qvxtest::runQvx(QStringList{"board", "--port", port} + rest);
        };

        qvxtest::CliRun r = board(fromPort, {"backup", path});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains(QStringLiteral("backed up 4 motions (105 records)")),
                 qPrintable(r.out));
        QVERIFY(r.out.contains(QStringLiteral("Servo parameters were left out")));

        // Asked without --yes: a usage error, and nothing reaches the board.
        to.sim([](BoardSimulator& s) { s.frames.clear(); });
        r = board(toPort, {"restore", path});
        QCOMPARE(r.code, 2);
        // A file that does not read is refused before anything is sent, --yes or not.
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray good = f.readAll();
        f.close();
        const QString cut = from.dir.filePath(QStringLiteral("cut.qbk"));
        QFile c(cut);
        QVERIFY(c.open(QIODevice::WriteOnly));
        c.write(good.left(good.size() * 2 / 3));
        c.close();
        r = board(toPort, {"--yes", "restore", cut});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.startsWith(QStringLiteral("qvx board restore failed: [M7] R004")),
                 qPrintable(r.err));
        QCOMPARE(to.sim([](BoardSimulator& s) { return s.frames.size(); }), 0);

        r = board(toPort, {"--yes", "restore", path});
        QCOMPARE(r.code, 0);
        // --yes answered the question: it is not shown, its warnings are.
        QVERIFY2(!r.err.contains(QStringLiteral("It overwrites")), qPrintable(r.err));
        QVERIFY2(r.err.startsWith("Warning: the backup holds values the program's own dialogs "
                                  "never set; they are restored as they are:\n"),
                 qPrintable(r.err));
        QVERIFY(r.err.contains("\n[Trim] CH5=FF FF: 65535 is beyond the trim window's 16039 "
                               "to 16729 (a trim file holding it is refused)\n"));
        QVERIFY(r.out.contains(QStringLiteral("restored 4 motions")));
        from.sim(
            [&](BoardSimulator& a) { to.sim([&](BoardSimulator& b) { compareMemories(a, b); }); });
        r = board(toPort, {"restore", path, "extra"});
        QCOMPARE(r.code, 2);
    }
};

QVX_TEST_CLASS(BackupTest)
#include "BackupTest.moc"
