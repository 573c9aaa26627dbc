#include "common/TestRegistry.h"
#include "pose/PoseWindowRig.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace qvx;
using namespace posetest;


// The pose window driven as the user drives it, against the simulated board
// behind a pseudo-terminal: what it shows, what it writes into the item and
// the bytes the robot receives.
class PoseWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void open_showsEveryDisplayKindAndSendsTheClampedPose() {
        PoseWindowRig r;
        QVERIFY(r.ready());
        const ChannelValues v = words({16384, 32780, 32769, 32770, 32774, 33031, 32910, 20000, 32768, 32773, 0});
        const int i = r.addPos(v, 60, 20);
        r.setSync(true);
        r.open(i);
        PoseWindow& d = r.dlg();
        QVERIFY(d.isVisible());
        QCOMPARE(d.windowTitle(), r.item(i).name);
        QCOMPARE(shown(d, 1), QStringLiteral("EB"));
        QCOMPARE(d.Edit[0]->text(), QStringLiteral("0"));
        QCOMPARE(shown(d, 2), QStringLiteral("EP"));
        QCOMPARE(d.SLB[1]->text(), QStringLiteral("SP"));
        QCOMPARE(d.Edit[1]->text(), QStringLiteral("5"));
        QCOMPARE(shown(d, 3), QStringLiteral("HL"));
        QVERIFY(d.CkBtn[2]->isChecked() && !d.CkBtn[26]->isChecked());
        QCOMPARE(shown(d, 4), QStringLiteral("EF123"));
        QVERIFY(d.CkBtn[48 + 3]->isChecked());
        // The teach code and jump codes show as NONE: the name label only.
        QCOMPARE(shown(d, 5), QString());
        QVERIFY(d.Label[4]->isVisible());
        QCOMPARE(shown(d, 6), QString());
        QCOMPARE(d.SLB[6]->text(), QStringLiteral("ST"));
        QCOMPARE(d.Edit[6]->text(), QStringLiteral("14"));
        // A position beyond the editor's range shows clamped, and is sent clamped.
        QCOMPARE(d.Scroll[7]->value(), 17074);
        QCOMPARE(d.Edit[7]->text(), QStringLiteral("690"));
        QCOMPARE(shown(d, 11), QString());
        QCOMPARE(d.SpeedBar->value(), 60);
        QCOMPARE(d.SpeedEdit->text(), QStringLiteral("60"));

        ChannelValues sent = v;
        sent[4] = 0;
        sent[5] = 0;
        sent[7] = 17074;
        QCOMPARE(r.frames(), QList<QByteArray>{liveWrite(block(60, sent))});
        // Showing changed nothing in the item.
        QCOMPARE(r.item(i).values, v);
    }

    void syncEdits_moveTheServoWithExactBytes_andKeepUnshownWords() {
        PoseWindowRig r;
        QVERIFY(r.ready());
        const int i = r.addPos(words({16384, 32780, 16384, 0, 32774}), 100, 20);
        r.open(i); // SYNC off: nothing goes to the board
        QCOMPARE(r.frames(), QList<QByteArray>{});
        r.setSync(true);
        PoseWindow& d = r.dlg();

        d.Scroll[0]->setValue(16500);
        QTRY_COMPARE(r.frames(), QList<QByteArray>{moveFrame(0, 16500)});
        QCOMPARE(r.item(i).values[0], 16500);
        QCOMPARE(d.Edit[0]->text(), QStringLiteral("116"));
        QTRY_COMPARE(r.servos()[0], 16500);

        r.clearFrames();
        d.Edit[2]->setText(QStringLiteral("1000"));
        QTest::keyClick(d.Edit[2], Qt::Key_Return);
        QCOMPARE(r.item(i).values[2], 17074);
        QCOMPARE(d.Edit[2]->text(), QStringLiteral("690"));
        QCOMPARE(d.Edit[2]->selectedText(), QStringLiteral("690"));
        // Text that is no number keeps the shown value; it is entered again.
        d.Edit[2]->setText(QStringLiteral("abc"));
        QTest::keyClick(d.Edit[2], Qt::Key_Return);
        QCOMPARE(r.item(i).values[2], 17074);

        d.SSL[1]->setValue(7);
        QCOMPARE(r.item(i).values[1], 32782);
        d.Edit[1]->setText(QStringLiteral("200"));
        QTest::keyClick(d.Edit[1], Qt::Key_Return);
        QCOMPARE(r.item(i).values[1], 32902);
        QCOMPARE(d.Edit[1]->text(), QStringLiteral("127"));
        QTRY_COMPARE(r.frames(), (QList<QByteArray>{moveFrame(2, 17074), moveFrame(2, 17074),
                                                moveFrame(1, 32782), moveFrame(1, 32902)}));

        // The channel type menu: H on CH4, then NONE on CH3.
        r.clearFrames();
        d.PreparePrmMenu(4);
        QVERIFY(d.MenuType[6]->isVisible());
        d.MenuType[6]->trigger();
        QCOMPARE(r.item(i).values[3], 32769);
        QCOMPARE(shown(d, 4), QStringLiteral("HL"));
        QVERIFY(d.CkBtn[3]->isChecked());
        d.PreparePrmMenu(3);
        d.MenuType[0]->trigger();
        QCOMPARE(r.item(i).values[2], 0);
        QTRY_COMPARE(r.frames(), (QList<QByteArray>{moveFrame(3, 32769), moveFrame(2, 0)}));
        // On a panel that is no channel the type entries do not show.
        d.PreparePrmMenu(kSpeedPanelTag);
        QVERIFY(!d.MenuType[0]->isVisible());
        // The teach code on CH5 was never touched.
        QCOMPARE(r.item(i).values[4], 32774);
    }

    void radioToFree_readsThePresentPositionBack_andServoKeepsIt() {
        PoseWindowRig r;
        QVERIFY(r.ready());
        const int i = r.addPos(words({32771}), 100, 20);
        r.setSync(true);
        r.open(i);
        PoseWindow& d = r.dlg();
        r.sim([](BoardSimulator& s) { s.setPresentPosition(0, 16700); });
        r.clearFrames();
        QRadioButton* fr = d.CkBtn[48];
        QTest::mouseClick(fr, Qt::LeftButton, {}, fr->rect().center());
        QCOMPARE(r.commands(), (QList<quint8>{cmd(Cmd::MoveChannel), cmd(Cmd::ReadCurrentPose)}));
        QCOMPARE(r.frames().first(), moveFrame(0, 32770));
        QCOMPARE(r.item(i).values[0], 32770);
        QVERIFY(fr->isChecked() && !d.CkBtn[72]->isChecked());
        QCOMPARE(d.Scroll[0]->value(), 16700);
        QCOMPARE(d.Edit[0]->text(), QStringLiteral("316"));
        // Back to SERVO at the angle the servo was left at.
        d.PreparePrmMenu(1);
        d.MenuType[1]->trigger();
        QCOMPARE(r.item(i).values[0], 16700);
        QCOMPARE(shown(d, 1), QStringLiteral("EB"));
    }

    void teach_releasesTheTeachChannels_thenStoresTheirAngles() {
        PoseWindowRig r;
        QVERIFY(r.ready());
        const int i = r.addPos(words({16384, 32770, 16000, 16800, 32769}), 90, 20);
        r.open(i);
        PoseWindow& d = r.dlg();
        // Without a selected link pattern the button does nothing.
        QTest::mouseClick(d.TchBtn, Qt::LeftButton);
        QCOMPARE(r.frames(), QList<QByteArray>{});
        d.links().selected = 0;
        d.links().actions[2] = QStringLiteral("TCH");
        d.links().actions[3] = QStringLiteral("TCH");
        d.links().actions[0] = QStringLiteral("tch"); // not a teach channel

        QTest::mouseClick(d.TchBtn, Qt::LeftButton);
        const ChannelValues released = words({16384, 32770, 32770, 32770, 32769});
        QCOMPARE(r.item(i).values, released);
        QCOMPARE(r.frames(), QList<QByteArray>{liveWrite(block(90, released))});
        QCOMPARE(shown(d, 3), QStringLiteral("EF123"));
        QVERIFY(d.CkBtn[48 + 2]->isChecked());

        // The user moves the released servos by hand.
        r.sim([](BoardSimulator& s) {
            s.setPresentPosition(1, 16222);
            s.setPresentPosition(2, 15800);
            s.setPresentPosition(3, 17000);
        });
        r.clearFrames();
        QTest::mouseClick(d.TchBtn, Qt::LeftButton);
        QCOMPARE(r.frames().size(), 2);
        QCOMPARE(r.frames()[0], liveWrite(block(1, words({16384, 32770, 32774, 32774, 32769}))));
        QCOMPARE(quint8(r.frames()[1][0]), cmd(Cmd::ReadCurrentPose));
        // Every FREE channel takes its measured angle; the others keep their words.
        QCOMPARE(r.item(i).values, words({16384, 16222, 15800, 17000, 32769}));
        QCOMPARE(r.item(i).lead, 90);
        QCOMPARE(shown(d, 3), QStringLiteral("EB"));
        QCOMPARE(d.Scroll[2]->value(), 15800);
    }

    void home_leavesTheBoardAwake_andOnlyThePoseWindowLoadsTheItem() {
        PoseWindowRig r;
        QVERIFY(r.ready());
        const ChannelValues home = words({16000, 16100, 16200, 32770});
        r.sim([&](BoardSimulator& s) {
            s.stored().home = home;
            s.working().option |= BoardCommands::kOptSleep | 0x0002;
        });
        const int i = r.addPos(words({15000, 15001}), 33, 20);
        r.open(i);
        QVERIFY(r.win->HomePosBtn->isEnabled());
        QTest::mouseClick(r.win->HomePosBtn, Qt::LeftButton);
        auto awake = [&] {
            return r.sim([](BoardSimulator& s) { return s.working().option & 0x0003; });
        };
        QCOMPARE(awake(), 0);
        QCOMPARE(r.sim([](BoardSimulator& s) { return s.working().livePose; }), block(100, home));
        QCOMPARE(r.item(i).values, words({15000, 15001}));
        QCOMPARE(r.item(i).lead, 33);
        QCOMPARE(r.dlg().Scroll[0]->value(), 15694);

        r.sim([](BoardSimulator& s) { s.working().option |= BoardCommands::kOptSleep; });
        QTest::mouseClick(r.dlg().StopBtn, Qt::LeftButton);
        QCOMPARE(awake(), 0);
        QCOMPARE(r.item(i).values, home);
        QCOMPARE(r.item(i).lead, 100);
        QCOMPARE(r.dlg().SpeedBar->value(), 100);
        QCOMPARE(r.dlg().Scroll[1]->value(), 16100);

        // "Turn it in the home position" stores the shown words, not the speed.
        r.dlg().Scroll[0]->setValue(16384);
        r.dlg().N27->trigger();
        QCOMPARE(r.sim([](BoardSimulator& s) { return s.stored().home; }),
                 words({16384, 16100, 16200, 32770}));
    }

    void openAllZeroItemWithSync_acquiresTheLivePoseFirst() {
        PoseWindowRig r;
        QVERIFY(r.ready());
        const ChannelValues live = words({16500, 32768, 16300});
        r.sim([&](BoardSimulator& s) { s.working().livePose = block(7, live); });
        const int i = r.addPos({}, 50, 20);
        r.setSync(true);
        r.open(i);
        QCOMPARE(r.commands(), (QList<quint8>{cmd(Cmd::ReadMotionRecord), cmd(Cmd::WriteMotionRecord)}));
        QCOMPARE(r.frames()[1], liveWrite(block(50, live)));
        QCOMPARE(r.item(i).values, live);
        QCOMPARE(r.item(i).lead, 50);
    }

    void speedEntries_outOfRangeRefused_barWritesTheItem() {
        PoseWindowRig r;
        QVERIFY(r.ready());
        const int i = r.addPos(words({16384}), 40, 20);
        r.open(i);
        PoseWindow& d = r.dlg();
        for (const char* text : {"0", "300", "fast"}) {
            d.SpeedEdit->setText(QString::fromLatin1(text));
            QTest::keyClick(d.SpeedEdit, Qt::Key_Return);
            QCOMPARE(d.SpeedEdit->text(), QStringLiteral("40"));
            QCOMPARE(r.item(i).lead, 40);
        }
        d.SpeedEdit->setText(QStringLiteral("255"));
        QTest::keyClick(d.SpeedEdit, Qt::Key_Return);
        QCOMPARE(r.item(i).lead, 255);
        QCOMPARE(d.SpeedBar->value(), 255);
        d.SpeedBar->setValue(12);
        QCOMPARE(r.item(i).lead, 12);
        QCOMPARE(d.SpeedEdit->text(), QStringLiteral("12"));
        // A speed change alone never goes to the robot.
        QCOMPARE(r.frames(), QList<QByteArray>{});
    }

    void followsItsItem_andShowsNothingOnceItIsGone() {
        PoseWindowRig r;
        QVERIFY(r.ready());
        const int a = r.addPos(words({16000}), 10, 20);
        const int b = r.addPos(words({16100}), 20, 120);
        r.open(b);
        PoseWindow& d = r.dlg();
        // Deleting the item before it renumbers the shown one: edits follow it.
        editortest::click(r.win->Image1, r.state.chart.ItemCentre(a));
        r.win->Image1->editor().DeleteSelection();
        QCOMPARE(r.state.chart.itemCount(), 1);
        d.Scroll[0]->setValue(16200);
        QCOMPARE(r.item(0).values[0], 16200);
        QCOMPARE(r.item(0).lead, 20);
        // A press elsewhere on the canvas does not take the edits away from it.
        editortest::click(r.win->Image1, QPoint(400, 400));
        d.Scroll[0]->setValue(16250);
        QCOMPARE(r.item(0).values[0], 16250);

        // The shown item deleted: nothing shown, nothing written.
        editortest::click(r.win->Image1, r.state.chart.ItemCentre(0));
        r.win->Image1->editor().DeleteSelection();
        QCOMPARE(d.windowTitle(), QStringLiteral("Parameter"));
        QVERIFY(!d.currentItem());
        QCOMPARE(shown(d, 1), QString());
        QVERIFY(!d.Panel[0]->isEnabled() && !d.SetBtn->isEnabled() && !d.N27->isEnabled());
        // A new item in the old item's place is not the shown item.
        const int c = r.addPos(words({15000}), 30, 20);
        d.Scroll[0]->setValue(16300);
        d.SpeedBar->setValue(99);
        QCOMPARE(r.item(c).values[0], 15000);
        QCOMPARE(r.item(c).lead, 30);

        // A replaced chart lets go of the item too.
        r.open(c);
        QCOMPARE(d.windowTitle(), r.item(c).name);
        r.win->ClearChart();
        QCOMPARE(d.windowTitle(), QStringLiteral("Parameter"));
        QVERIFY(!d.currentItem());
    }

    void edits_whileAPoseFlowWaits_areRefused() {
        PoseWindowRig r;
        QVERIFY(r.ready());
        const int i = r.addPos(words({16000}), 100, 20);
        r.open(i);
        PoseWindow& d = r.dlg();
        r.sim([](BoardSimulator& s) {
            s.working().livePose = block(1, words({16384}));
            s.setFaultDelayMs(120);
            s.injectFault(BoardSimulator::Fault::Delay);
        });
        bool tried = false;
        QTimer::singleShot(30, &d, [&] {
            tried = true;
            d.Scroll[0]->setValue(16900);
            d.SpeedBar->setValue(5);
        });
        d.GetBtnClick(); // waits for the delayed answer
        QVERIFY(tried);
        // The item holds what the acquire brought, not the edits made meanwhile.
        QCOMPARE(r.item(i).values[0], 16384);
        QCOMPARE(r.item(i).lead, 100);
        QCOMPARE(d.Scroll[0]->value(), 16384);
        QVERIFY(r.services.statuses.contains(BoardLink::BusyText()));
    }

    void displayRate_scalesTheEditBox_andColoursIt() {
        PoseWindowRig r;
        QVERIFY(r.ready());
        PoseWindow& d = r.dlg();
        d.pose().channel(1).displayRate = 0.5f;
        d.pose().channel(2).displayRate = 0.0f;
        const int i = r.addPos(words({15694, 16500}), 100, 20);
        r.open(i);
        QCOMPARE(d.Edit[0]->text(), QStringLiteral("-345"));
        QCOMPARE(d.Edit[0]->palette().color(QPalette::Base), QColor(0, 255, 255));
        d.Edit[0]->setText(QStringLiteral("-345"));
        QTest::keyClick(d.Edit[0], Qt::Key_Return);
        QCOMPARE(r.item(i).values[0], 15694);
        // A rate of 0 shows 0 and ignores typed entries.
        QCOMPARE(d.Edit[1]->text(), QStringLiteral("0"));
        d.Edit[1]->setText(QStringLiteral("20"));
        QTest::keyClick(d.Edit[1], Qt::Key_Return);
        QCOMPARE(r.item(i).values[1], 16500);
        QCOMPARE(d.Edit[1]->text(), QStringLiteral("0"));
        QCOMPARE(d.Edit[2]->palette().color(QPalette::Base), QColor(Qt::white));
    }

  private:
    static constexpr int kSpeedPanelTag = PoseWindow::kSpeedPanel;
};

QVX_TEST_CLASS(PoseWindowTest)
#include "PoseWindowTest.moc"
