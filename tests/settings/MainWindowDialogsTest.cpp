#include "app/Settings.h"
#include "board/MotionDataDialog.h"
#include "common/TestRegistry.h"
#include "common/WhenShown.h"
#include "items/CompareItemDialog.h"
#include "items/SetItemDialog.h"
#include "pose/PoseWindowRig.h"
#include "settings/AnalogDialog.h"
#include "settings/OptionsDialog.h"
#include "settings/ReceiverDialog.h"
#include "settings/ServoParameterDialog.h"
#include "settings/ServoSetupDialog.h"
#include "settings/TrimWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

using namespace qvx;
using namespace posetest;

// The item editors and board dialogs as the main window opens them: the
// double-click picks the editor of the item's kind, deleting the item empties
// it, the tool buttons run their dialog's whole sequence, and the channel
// names follow the pose window.
class MainWindowDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void doubleClick_opensTheEditorOfTheKind_andDeletingEmptiesIt() {
        PoseWindowRig r;
        Chart& chart = r.state.chart;
        const int pos = r.addPos(words({16384}), 100, 20);
        const int set = chart.CreateItem(KindSet, 120, 20);
        const int cmp = chart.CreateItem(KindCmp, 220, 20);
        r.open(set);
        QVERIFY(r.win->setItemDialog()->isVisible());
        QCOMPARE(r.win->setItemDialog()->windowTitle(), chart.items[size_t(set)].name);
        QVERIFY(!r.win->compareItemDialog()->isVisible() && !r.dlg().isVisible());
        r.open(cmp);
        QVERIFY(r.win->compareItemDialog()->isVisible());
        QCOMPARE(r.win->compareItemDialog()->windowTitle(), chart.items[size_t(cmp)].name);
        r.open(pos);
        QVERIFY(r.dlg().isVisible());

        // The SET item deleted: its dialog lets go of it; the CMP dialog keeps its item.
        editortest::click(r.win->Image1, chart.ItemCentre(set));
        r.win->Image1->editor().DeleteSelection();
        QVERIFY(!r.win->setItemDialog()->currentItem());
        QCOMPARE(r.win->setItemDialog()->windowTitle(), QStringLiteral("SET"));
        QCOMPARE(r.win->compareItemDialog()->currentItem(), &chart.items[1]);
        r.win->ClearChart();
        QVERIFY(!r.win->compareItemDialog()->currentItem());
    }

    void toolButtons_runTheirDialogsAgainstTheBoard() {
        PoseWindowRig r;
        QVERIFY(r.ready());
        auto option = [&] { return r.sim([](BoardSimulator& s) { return s.working().option; }); };
        QVERIFY(r.win->OptionBtn->isEnabled() && r.win->AdBtn->isEnabled());

        bool shown = false;
        qvxtest::whenOpen(r.win->optionsDialog(), [&] {
            shown = true;
            // The robot was put to sleep for the loading and woken again.
            QCOMPARE(option() & BoardCommands::kOptSleep, 0);
            r.win->optionsDialog()->close();
        });
        QTest::mouseClick(r.win->OptionBtn, Qt::LeftButton);
        QVERIFY(shown);

        // The analog dialog keeps option bit 8 set while it is open and saves on close.
        shown = false;
        r.clearFrames();
        qvxtest::whenOpen(r.win->analogDialog(), [&] {
            shown = true;
            QVERIFY(option() & 0x0100);
            r.win->analogDialog()->close();
        });
        QTest::mouseClick(r.win->AdBtn, Qt::LeftButton);
        QVERIFY(shown);
        QCOMPARE(option() & 0x0100, 0);
        QVERIFY(r.commands().contains(cmd(Cmd::WriteMixing)));

        // A silent board: nothing is shown.
        r.sim([](BoardSimulator& s) { s.setSilent(true); });
        QVERIFY(!r.win->optionsDialog()->RunFromMainWindow());
        QVERIFY(!r.win->optionsDialog()->isVisible());
    }

    void trimReceiverAndServoButtons_runTheirDialogs() {
        PoseWindowRig r;
        QVERIFY(r.ready());
        auto stored = [&] { return r.sim([](BoardSimulator& s) { return s.stored().option; }); };
        auto working = [&] { return r.sim([](BoardSimulator& s) { return s.working().option; }); };
        for (QToolButton* b : {r.win->HomeBtn, r.win->OptionMenu3, r.win->SVPBtn}) QVERIFY(b->isEnabled());

        // The trim window opens with the pose window's arrangement and writes
        // the stored trim when it closes.
        r.dlg().Panel[0]->move(300, 100);
        r.sim([](BoardSimulator& s) { s.working().trim[0] = 16500; });
        bool shown = false;
        qvxtest::whenOpen(r.win->trimWindow(), [&] {
            shown = true;
            QCOMPARE(r.win->trimWindow()->Panel[0]->pos(), QPoint(300, 100));
            r.win->trimWindow()->close();
        });
        r.clearFrames();
        QTest::mouseClick(r.win->HomeBtn, Qt::LeftButton);
        QVERIFY(shown);
        QVERIFY(r.commands().contains(cmd(Cmd::WriteTrimData)));

        // The receiver window keeps its reports on while open.
        shown = false;
        qvxtest::whenOpen(r.win->receiverDialog(), [&] {
            shown = true;
            QVERIFY(working() & BoardCommands::kOptReceiverReports);
            r.win->receiverDialog()->close();
        });
        QTest::mouseClick(r.win->OptionMenu3, Qt::LeftButton);
        QVERIFY(shown);
        QCOMPARE(working() & BoardCommands::kOptReceiverReports, 0);

        // Servo setup marks SVP mode in the stored word while open.
        shown = false;
        qvxtest::whenOpen(r.win->servoSetupDialog(), [&] {
            shown = true;
            QVERIFY(stored() & BoardCommands::kOptSvp);
            // Not the port box's own simulated board: no power switch.
            QVERIFY(!r.win->servoSetupDialog()->PowerBtn->isVisible());
            r.win->servoSetupDialog()->close();
        });
        QTest::mouseClick(r.win->SVPBtn, Qt::LeftButton);
        QVERIFY(shown);
        QCOMPARE(stored() & BoardCommands::kOptSvp, 0);
    }

    // The simulated board of the port box is switched off and on by choosing
    // "SIM" again, and from the servo setup dialog, which hides the port box:
    // it keeps its memory and starts in SVP mode once bit 14 is stored.
    void simPort_powerCycle_reachesServoSetup() {
        PoseWindowRig r;
        r.win->CommPort->setCurrentIndex(Settings::kSimIndex);
        r.win->CommPortCloseUp();
        QVERIFY(r.state.link.isOpen());
        BoardCommands& board = r.state.board;
        quint16 working = 0;
        QVERIFY(board.WriteSvpChannels(QByteArray("\x04\x00\x00", 3)) && board.SetOptionBit14(0));
        r.win->CommPortCloseUp();
        QCOMPARE(r.services.statuses.last(), SimPtyHost::PowerCycledText());
        QVERIFY(board.ReadOptionWord(false, working) && (working & BoardCommands::kOptSvp));
        QVERIFY(board.SetOptionBit14(1));
        r.win->CommPortCloseUp();
        QVERIFY(board.ReadOptionWord(false, working) && !(working & BoardCommands::kOptSvp));

        QStringList row;
        qvxtest::whenOpen(r.win->servoSetupDialog(), [&] {
            ServoSetupDialog* d = r.win->servoSetupDialog();
            QVERIFY(d->PowerBtn->isVisible());
            QTest::mouseClick(d->PowerBtn, Qt::LeftButton);
            QTest::mouseClick(d->SioReadBtn, Qt::LeftButton);
            for (int c = 0; c < 4; ++c)
                row << d->SVPList->topLevelItem(2)->text(c);
            d->close();
        });
        QTest::mouseClick(r.win->SVPBtn, Qt::LeftButton);
        QVERIFY(r.services.boxes.empty()); // no "Put power supply again"
        QCOMPARE(row, QStringList({"3", "CH3", "SVP", "0"}));
    }

    // No button that talks to the board is a default button, so Enter in a
    // box sends nothing; a box that takes no typing looks it.
    void boardDialogs_haveNoDefaultButtons_andReadOnlyBoxesLookReadOnly() {
        PoseWindowRig r;
        const QList<QWidget*> dialogs = {r.win->optionsDialog(),   r.win->analogDialog(),  r.win->trimWindow(),
                                         r.win->receiverDialog(), r.win->servoSetupDialog(), r.win->servoSetupDialog()->prm(),
                                         r.win->setItemDialog(),   r.win->compareItemDialog()};
        int buttons = 0, boxes = 0;
        for (QWidget* d : dialogs) {
            d->show();
            for (QPushButton* b : d->findChildren<QPushButton*>()) {
                ++buttons;
                QVERIFY2(!b->isDefault() && !b->autoDefault(), qPrintable(b->objectName()));
            }
            for (QLineEdit* e : d->findChildren<QLineEdit*>()) {
                if (!e->isReadOnly()) continue;
                ++boxes;
                // The amounts keep the yellow of their design.
                const QColor base = e->palette().color(QPalette::Base);
                QVERIFY2(base == e->palette().color(QPalette::Window) || base == QColor(Qt::yellow),
                         qPrintable(e->objectName()));
            }
            d->hide();
        }
        QCOMPARE(buttons, 5);
        QVERIFY(boxes >= 20);
        // The data dialog's "Reception" reads the board: Enter never presses it.
        const QPushButton* reception = r.win->motionDataDialog()->Button3;
        QVERIFY(!reception->isDefault() && !reception->autoDefault());
    }

    void channelNames_followThePoseWindow() {
        PoseWindowRig r;
        PoseWindow& d = r.dlg();
        QSignalSpy changed(&r.state.channelLabels, &ChannelLabels::changed);
        d.PreparePrmMenu(2);
        // A colour change re-sends the names and colours to every channel window.
        d.PmColor->actions().at(7)->trigger(); // "Red"
        QCOMPARE(changed.count(), 1);
        QCOMPARE(r.state.channelLabels.names(), d.channelNames());
        // The same colour again changes no label: no window repaints.
        d.PmColor->actions().at(7)->trigger();
        QCOMPARE(changed.count(), 1);
        r.win->setItemDialog()->ShowItem(r.state.chart.CreateItem(KindSet, 20, 20));
        QCOMPARE(r.win->setItemDialog()->MixLabel[1]->text(), d.channelName(2));
        QCOMPARE(r.win->setItemDialog()->MixLabel[1]->palette().color(QPalette::Window), QColor(255, 0, 0));
    }
};

QVX_TEST_CLASS(MainWindowDialogsTest)
#include "MainWindowDialogsTest.moc"
