#include "FlowFixture.h"
#include "app/BackupFlows.h"
#include "board/BoardCommands.h"
#include "common/CliRun.h"
#include "common/TestRegistry.h"
#include "document/Cp932.h"

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

    void brokenFiles_areRefusedWithTheReason() {
        FlowFixture fx;
        fillEverything(fx.memorySim, true);
        BackupFlows flows(fx.state->board, fx.services);
        const QByteArray good = flows.Backup()->toBytes();
        auto refusal = [](const QByteArray& bytes) {
            QString error;
            return BoardBackup::Parse(bytes, &error) ? QString() : error;
        };
        auto edited = [&](const char* from, const char* to) {
            QByteArray b = good;
            const qsizetype at = b.indexOf(from);
            return at < 0 ? QByteArray() : b.replace(at, qsizetype(qstrlen(from)), to);
        };
        // Cut anywhere: every place loses something a restore needs.
        for (qsizetype cut :
             {qsizetype(0), qsizetype(40), good.size() / 3, good.size() / 2, good.size() - 30})
            QVERIFY2(!refusal(good.left(cut)).isEmpty(), qPrintable(QString::number(cut)));
        QVERIFY(refusal(QByteArray("\x00\xFF garbage\r\n[Backup]\r\n", 22))
                    .contains(QStringLiteral("no board backup")));
        QVERIFY(refusal(edited("Format=1", "Format=2")).contains(QStringLiteral("newer")));
        QCOMPARE(refusal(edited("R002=", "R002=zz")),
                 QStringLiteral("[M1] R002 must be 49 bytes in hex"));
        QCOMPARE(refusal(edited("OptionWord=", "OptionWord=0")),
                 QStringLiteral("[Options] OptionWord must be 2 bytes in hex"));
        QCOMPARE(refusal(edited("Read=yes", "Read=maybe")),
                 QStringLiteral("[Servos] Read must be yes or no"));
        QVERIFY(refusal(edited("[Trim]", "[Trim]\r\nCH25=00 00"))
                    .contains(QStringLiteral("CH25 does not belong")));
        QVERIFY(refusal(edited("[Names]", "[Extra]\r\n\r\n[Names]"))
                    .contains(QStringLiteral("[Extra] does not belong")));
        // The records M1 and M2 share must agree.
        QVERIFY(refusal(edited("[M2]\r\nR001=1F", "[M2]\r\nR001=1E"))
                    .contains(QStringLiteral("is the same record of the board as [M1] R031")));
        // A count raised by hand asks for a record the file lacks.
        QCOMPARE(refusal(edited("M4=00 00", "M4=01 00")), QStringLiteral("[M4] R001 is missing"));
        QVERIFY(refusal(good).isEmpty());
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
        from.sim([](BoardSimulator& s) { fillEverything(s, false); });
        // The two tools open the devices themselves.
        from.state->link.ClosePort();
        to.state->link.ClosePort();
        const QString fromPort = from.host->devicePath(), toPort = to.host->devicePath();
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
        QVERIFY2(r.err.startsWith(QStringLiteral("[M7] R004")), qPrintable(r.err));
        QCOMPARE(to.sim([](BoardSimulator& s) { return s.frames.size(); }), 0);

        r = board(toPort, {"--yes", "restore", path});
        QCOMPARE(r.code, 0);
        QVERIFY(r.err.contains(QStringLiteral("It overwrites all 85 table entries")));
        QVERIFY(r.out.contains(QStringLiteral("restored 4 motions")));
        from.sim(
            [&](BoardSimulator& a) { to.sim([&](BoardSimulator& b) { compareMemories(a, b); }); });
        r = board(toPort, {"restore", path, "extra"});
        QCOMPARE(r.code, 2);
    }
};

QVX_TEST_CLASS(BackupTest)
#include "BackupTest.moc"
