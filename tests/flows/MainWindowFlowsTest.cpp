#include "FlowFixture.h"
#include "app/AboutDialog.h"
#include "app/MainWindow.h"
#include "app/Settings.h"
#include "board/MotionTableWindow.h"
#include "common/TestRegistry.h"
#include "editor/ChartCanvas.h"
#include "editor/ChartLayout.h"
#include "editor/EditHistory.h"
#include "pose/PoseData.h"
#include "pose/PoseWindow.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace qvx;

// The main window's board buttons with the picker answered by the recording
// services and the in-memory simulated board behind the link.
class MainWindowFlowsTest : public QObject {
    Q_OBJECT

    struct Rig : WindowRig {
        void click(QToolButton* b) {
            QVERIFY(b->isEnabled());
            QTest::mouseClick(b, Qt::LeftButton);
        }
        QStringList tableRow(int row) const {
            QStringList texts;
            for (int c = 0; c < 5; ++c)
                texts << win->motionTableWindow()->ListView->topLevelItem(row)->text(c);
            return texts;
        }
    };

  private slots:
    void writeThenReadBack_throughTheButtons() {
        Rig rig;
        rig.state.chart = longChain(3);
        rig.state.header.MotionName = QStringLiteral("Wave");
        rig.win->PageControl1->setCurrentWidget(rig.win->Sheet2);
        rig.services.pickAnswers.push_back(2);
        rig.click(rig.win->MotWriteBtn);
        QCOMPARE(rig.services.statuses.last(), QStringLiteral("Writing succeeded"));
        QCOMPARE(quint8(rig.sim.stored().table[2][0]), quint8(4));
        // The compile of the write flow shows in the LIST page.
        QCOMPARE(rig.win->Qmx->count(), 4);
        QCOMPARE(rig.win->ProgressBar->maximum(), 4);
        QVERIFY(rig.win->ProgressBar->isHidden());
        QCOMPARE(rig.win->motionTableWindow()->ListView->topLevelItem(2)->text(1), QStringLiteral("Wave"));
        QCOMPARE(rig.win->StaPanel[1]->text(), QStringLiteral("RUN"));

        rig.state.chart = longChain(9);
        rig.state.header.MotionName = QStringLiteral("Other");
        rig.services.pickAnswers.push_back(2);
        rig.click(rig.win->MotReadBtn);
        QCOMPARE(rig.state.chart.itemCount(), 3);
        QCOMPARE(rig.win->PageControl1->tabText(0), QStringLiteral("EDIT Wave"));
        QCOMPARE(rig.win->Qmx->count(), 4);
        QVERIFY(rig.win->Qmx->item(0)->text().startsWith(QStringLiteral("001 0A ")));
    }

    void readWithALoop_pointsAtArrange_whichIsOneStepAndSendsNothing() {
        Rig rig;
        qvxtest::ChartMaker m;
        const int a = m.item(QStringLiteral("A")), c = m.cmp(QStringLiteral("C"));
        const int b = m.item(QStringLiteral("B"), KindPos, 100, 1500);
        m.next(a, c);
        m.next(c, b);
        m.branch(c, a);
        rig.state.chart = m.chart;
        rig.services.pickAnswers.push_back(4);
        rig.click(rig.win->MotWriteBtn);
        QCOMPARE(rig.services.statuses.last(), QStringLiteral("Writing succeeded"));
        rig.services.pickAnswers.push_back(4);
        rig.click(rig.win->MotReadBtn);
        // The read chart is one column with the loop's link across it.
        QCOMPARE(rig.services.statuses.last(), ChartLayout::ReadHintText());
        const Chart read = rig.state.chart;
        QCOMPARE(read.linkCount(), 3);
        QCOMPARE(read.items[0].left, read.items[2].left);

        rig.sim.frames.clear();
        rig.win->Image1->ArrangeMenu->trigger();
        QVERIFY(rig.sim.frames.isEmpty());
        QCOMPARE(rig.services.statuses.last(), ChartLayout::DoneText(3));
        QVERIFY(rig.state.chart.items != read.items);
        QCOMPARE(rig.win->history().stack().undoText(), QStringLiteral("Arrange"));
        QVERIFY(rig.win->history().undo());
        QVERIFY(rig.state.chart.items == read.items && rig.state.chart.links == read.links);
    }

    void slotPickers_readTheTableOnceForEachOpenedPort() {
        Rig rig;
        QByteArray walk = MotionTable::EmptyEntry();
        walk[0] = 5;
        walk.replace(10, 4, "Walk");
        rig.sim.stored().table[3] = walk;
        // Nothing was read from this board yet: its rows do not pass for empty slots.
        QCOMPARE(rig.tableRow(3), (QStringList{"M4", "(not read)", "", "", ""}));

        // The picker (cancelled) offers what the board holds: the whole table
        // was read before it showed, and the robot woken again.
        rig.services.pickAnswers.push_back(std::nullopt);
        rig.click(rig.win->MotWriteBtn);
        QVERIFY(rig.services.picks.at(0).choices.startsWith(
            R"("M1  --/-- --:--","M2  --/-- --:--","M3  --/-- --:--","M4 Walk --/-- --:--",)"));
        QList<QByteArray> tableReads, expected;
        for (const QByteArray& f : rig.sim.frames)
            if (quint8(f.at(0)) == quint8(QmxBoard::Command::ReadTableEntry)) tableReads << f;
        for (int entry = 0; entry < MotionTable::kRows; ++entry)
            expected << BoardCommands::Frame(QmxBoard::Command::ReadTableEntry, {entry});
        QCOMPARE(tableReads, expected);
        QCOMPARE(quint8(rig.sim.frames.last().at(0)), quint8(QmxBoard::Command::WriteOptionWord));
        QCOMPARE(rig.services.statuses, QStringList{"Reading the motion table"});
        QCOMPARE(rig.tableRow(3), (QStringList{"M4", "Walk", "5", "--/-- --:--", "65535"}));

        // The next picker needs nothing from the board; opening a port sends
        // nothing, and what was read belongs to the port before.
        rig.sim.frames.clear();
        rig.click(rig.win->MotRunBtn);
        QCOMPARE(rig.services.picks.size(), size_t(2));
        QVERIFY(rig.state.link.OpenTransport(1, std::make_unique<SimTransport>(rig.sim)));
        QVERIFY(rig.sim.frames.isEmpty());
        QCOMPARE(rig.tableRow(3).value(1), QStringLiteral("(not read)"));

        // A failed read ends the flow before the picker, says why and wakes the
        // robot: sleep takes five answers, entries 0..4 are read, 5 is not.
        rig.services.clear();
        rig.sim.injectFault(BoardSimulator::Fault::NoAnswer, BoardLink::kDefaultAttempts, 10);
        rig.click(rig.win->MotDelBtn);
        const QString failed = QStringLiteral("Reading the table entry of M6 failed: the board's "
                                              "answer was incomplete (0 of 43 bytes within 40 ms)");
        QCOMPARE(rig.services.statuses, (QStringList{"Reading the motion table", failed}));
        QVERIFY(rig.services.picks.empty() && rig.services.boxes.empty());
        QCOMPARE(rig.sim.working().option & BoardCommands::kOptSleep, 0);
        QCOMPARE(rig.tableRow(5).value(1), QStringLiteral("(not read)"));
        // One that cannot be woken either is said to be left asleep.
        rig.sim.injectFault(BoardSimulator::Fault::NoAnswer, 2 * BoardLink::kDefaultAttempts, 10);
        rig.click(rig.win->MotRunBtn);
        QCOMPARE(rig.services.statuses.last(), failed + ". " + BoardCommands::LeftAsleepText());
        QVERIFY(rig.sim.working().option & BoardCommands::kOptSleep);
        QVERIFY(rig.services.picks.empty());
    }

    void homeActions_sayWhatWasDoneOrWhyNot_data() {
        QTest::addColumn<bool>("makeHome"); // the pose window's "Make home position"
        QTest::addColumn<bool>("silent");
        QTest::addColumn<QString>("status");
        const QString noAnswer = QStringLiteral(
            ": the board did not answer (no reply to the attention byte within 40 ms on COM1)");
        QTest::newRow("home") << false << false << "The robot went to its home position";
        QTest::newRow("home, no answer")
            << false << true << "The robot did not go to its home position" + noAnswer;
        QTest::newRow("make home") << true << false << "The shown pose is the home position now";
        QTest::newRow("make home, no answer")
            << true << true << "The home position could not be written" + noAnswer;
    }

    void homeActions_sayWhatWasDoneOrWhyNot() {
        QFETCH(bool, makeHome);
        QFETCH(bool, silent);
        QFETCH(QString, status);
        Rig rig;
        rig.state.chart = longChain(1);
        rig.win->poseWindow()->OpenPoseItem(0);
        rig.sim.setSilent(silent);
        rig.services.clear();
        if (makeHome)
            rig.win->poseWindow()->N27Click();
        else
            rig.click(rig.win->HomePosBtn);
        QCOMPARE(rig.services.statuses, QStringList{status});
        if (makeHome && !silent)
            QCOMPARE(rig.sim.stored().home, BuildPoseBlock(rig.win->poseWindow()->pose()).words);
    }

    void deletePlayStopPause_reachTheBoard() {
        Rig rig;
        rig.services.pickAnswers.push_back(4);
        rig.services.boxAnswers.push_back(ResultYes);
        rig.click(rig.win->MotDelBtn);
        QCOMPARE(rig.services.statuses.last(), QStringLiteral("Data deletion is done"));
        rig.services.pickAnswers.push_back(7);
        rig.click(rig.win->MotRunBtn);
        QCOMPARE(rig.services.picks.back().preselected, 4);
        QCOMPARE(rig.sim.startedMotions.value(0), 7);
        rig.click(rig.win->MotStpBtn);
        QCOMPARE(rig.sim.frames.last().left(2), QByteArray::fromHex("F301"));
        rig.click(rig.win->SpeedButton1);
        QVERIFY(rig.sim.working().option & BoardCommands::kOptPause);
    }

    void playbackReport_showsItsStatus_remoteMessagePlays() {
        Rig rig;
        rig.transport->pushFromBoard(BoardSimulator::PlaybackReport(3));
        QTRY_COMPARE(rig.services.statuses.value(0), QStringLiteral("[3]Playback is done"));
        QVERIFY(rig.win->RemoteMessage(0, 6));
        QCOMPARE(rig.services.statuses.last(), QStringLiteral("Sending the playback command"));
        QVERIFY(!rig.win->RemoteMessage(0, 85));
    }

    void tableButtonToggles_infoShowsTheBoardText() {
        Rig rig;
        rig.win->show();
        QVERIFY(rig.win->motionTableWindow()->isHidden());
        rig.click(rig.win->TableBtn);
        QVERIFY(rig.win->motionTableWindow()->isVisible());
        rig.click(rig.win->TableBtn);
        QVERIFY(rig.win->motionTableWindow()->isHidden());

        rig.click(rig.win->InfoBtn);
        AboutDialog* info = rig.win->aboutDialog();
        QVERIFY(info->isVisible());
        QCOMPARE(info->windowTitle(), QStringLiteral("Quorvex Orbis5"));
        QCOMPARE(info->VersionLabel->text(), QStringLiteral("2006/10/06"));
        QTRY_VERIFY(info->BoardLabel->text().startsWith(QStringLiteral("QMX SIMULATOR")));
        const QStringList lines = info->BoardLabel->text().split(u'\n');
        QCOMPARE(lines.size(), 4);
        for (const QString& l : lines)
            QCOMPARE(l.size(), 16);

        // The language is chosen here and kept in the settings file for the
        // next start; a settings file that cannot be written says so.
        const QString path = Settings::SettingsPath();
        QCOMPARE(info->LanguageBox->currentData().toString(), Settings::ReadLanguage(path));
        info->LanguageBox->setCurrentIndex(info->LanguageBox->findData(QStringLiteral("ja")));
        emit info->LanguageBox->activated(info->LanguageBox->currentIndex());
        QCOMPARE(Settings::ReadLanguage(path), QStringLiteral("ja"));
        QCOMPARE(info->LanguageNote->text(),
                 QStringLiteral("The language changes at the next start."));
        QVERIFY(Settings::WriteLanguage(path, QStringLiteral("auto")));
        const QString aside = path + QStringLiteral(".aside");
        QVERIFY(QFile::rename(path, aside));
        QVERIFY(QDir().mkdir(path));
        emit info->LanguageBox->activated(info->LanguageBox->currentIndex());
        QVERIFY(QDir().rmdir(path));
        QVERIFY(QFile::rename(aside, path));
        QCOMPARE(info->LanguageNote->text(),
                 QStringLiteral("The language could not be saved in %1.").arg(path));
        QCOMPARE(Settings::ReadLanguage(path), QStringLiteral("auto"));
    }
};

QVX_TEST_CLASS(MainWindowFlowsTest)
#include "MainWindowFlowsTest.moc"
