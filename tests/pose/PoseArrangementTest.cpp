#include "board/MotionDataDialog.h"
#include "common/TestRegistry.h"
#include "common/WhenShown.h"
#include "document/IniFile.h"
#include "pose/ChannelTableDialog.h"
#include "pose/PoseWindowRig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

using namespace qvx;
using namespace posetest;

namespace {

void writeFile(const QString& path, const QString& text) {
    IniFile ini(path);
    ini.parse(text);
    QVERIFY(ini.save());
}

QAction* entry(QMenu* menu, const QString& name) { return menu->findChild<QAction*>(name); }

void setEntries(ChannelTableDialog& d, std::initializer_list<std::pair<int, const char*>> entries) {
    for (auto [n, text] : entries) d.Cmb[size_t(n - 1)]->setEditText(QString::fromUtf8(text));
}

} // namespace

// The pose window's arrangement and the channel table dialog in its four
// modes, driven through the windows as the user drives them.
class PoseArrangementTest : public QObject {
    Q_OBJECT
  private slots:
    void layout_readAtStart_copiedByTheDataDialog_writtenAtTheEnd() {
        PoseWindowRig r([](const QTemporaryDir& dir) {
            writeFile(dir.filePath("QVX3J.ini"),
                      "[QVX3]\r\nCH1=1,300,40,255,1,0.5,\"Right shoulder\"\r\nCH2=0,0,24,65535,0,1,CH2\r\n"
                      "Form=600,400,-2147483633\r\n");
        });
        PoseWindow& d = r.dlg();
        QCOMPARE(d.Panel[0]->pos(), QPoint(300, 40));
        QCOMPARE(d.Label[0]->text(), QStringLiteral("Right shoulder"));
        QVERIFY(d.Panel[1]->isHidden());
        QCOMPARE(d.Panel[12]->pos(), QPoint(254, 0));
        QCOMPARE(d.size(), QSize(600, 400));
        // Red panel, white text; yellow panel, black text.
        QCOMPARE(d.panelColour(1), QColor(255, 0, 0));
        QCOMPARE(d.Label[0]->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(d.Label[1]->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(d.pose().channel(1).displayRate, 0.5f);
        // The data dialog's port boxes carry the names and colours.
        r.win->motionDataDialog()->LoadDataDialog(-1, 0);
        QCOMPARE(r.win->motionDataDialog()->PE[0]->text(), QStringLiteral("Right shoulder"));

        // Arranging: the panel menu hides CH3 and colours CH4 blue; the window
        // goes black.
        d.PreparePrmMenu(3);
        d.VCH[2]->trigger();
        QVERIFY(d.Panel[2]->isHidden());
        d.PreparePrmMenu(4);
        entry(d.PmColor, "N17")->trigger(); // "Blue"
        QCOMPARE(d.panelColour(4), QColor(0, 0, 255));
        QCOMPARE(d.CkBtn[3]->palette().color(QPalette::WindowText), QColor(Qt::white));
        d.PreparePrmMenu(0);
        QVERIFY(!d.MenuType[0]->isVisible() && !d.PmName->isVisible() && d.PmImage->isVisible());
        entry(d.PmColor, "N11")->trigger(); // "Black"
        QCOMPARE(d.palette().color(QPalette::Window), QColor(Qt::black));
        // "etc." cancelled gives the button face colour.
        d.PreparePrmMenu(5);
        entry(d.PmColor, "N24")->trigger();
        QCOMPARE(d.panelColour(5), d.palette().color(QPalette::Button));

        r.services.boxAnswers.push_back(ResultYes); // "May I close it?"
        QVERIFY(r.win->close());
        IniFile ini(r.dir.filePath("QVX3J.ini"));
        QVERIFY(ini.load());
        QCOMPARE(ini.readString("QVX3", "CH1", {}), QStringLiteral("1,300,40,255,1,0.5,\"Right shoulder\""));
        QVERIFY(ini.readString("QVX3", "CH3", {}).startsWith(QStringLiteral("0,")));
        QCOMPARE(ini.readString("QVX3", "CH4", {}).section(u',', 3, 3), QStringLiteral("16711680"));
        QCOMPARE(ini.readString("QVX3", "Form", {}), QStringLiteral("600,400,0"));
        // The pattern file is created at the end.
        QVERIFY(QFile::exists(r.dir.filePath("PATTERN.ini")));
    }

    void panels_dragOnlyWhenNotFixed() {
        PoseWindowRig r;
        PoseWindow& d = r.dlg();
        d.show();
        QFrame* panel = d.Panel[4];
        const QPoint start = panel->pos();
        auto drag = [&](QWidget* on, QPoint from, QPoint by) {
            QTest::mousePress(on, Qt::LeftButton, {}, from);
            QMouseEvent move(QEvent::MouseMove, QPointF(from + by), on->mapToGlobal(QPointF(from + by)),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(on, &move);
            QTest::mouseRelease(on, Qt::LeftButton, {}, from + by);
        };
        QVERIFY(d.HoldSwitch->isChecked()); // fixed at every start
        drag(panel, QPoint(200, 5), QPoint(30, 50));
        QCOMPARE(panel->pos(), start);
        d.HoldSwitch->trigger();
        drag(panel, QPoint(200, 5), QPoint(30, 50));
        QCOMPARE(panel->pos(), start + QPoint(30, 50));
        // Grabbed by its label, the panel moves the same way; never beyond the corner.
        drag(d.Label[4], QPoint(5, 5), QPoint(-1000, -1000));
        QCOMPARE(panel->pos(), QPoint(0, 0));
        // Nor beyond the far edges: a panel stays where it can be grabbed again.
        drag(d.Label[4], QPoint(5, 5), QPoint(5000, 5000));
        QVERIFY(d.canvas()->rect().contains(panel->geometry()));
        QVERIFY(panel->geometry().right() >= d.scrollArea()->viewport()->width() - 1);
    }

    // A window smaller than its arrangement scrolls to every panel.
    void smallWindow_scrollsToEveryPanel() {
        PoseWindowRig r;
        PoseWindow& d = r.dlg();
        d.show();
        d.resize(300, 200);
        QApplication::processEvents();
        QVERIFY(d.scrollArea()->horizontalScrollBar()->maximum() > 0);
        QVERIFY(d.scrollArea()->verticalScrollBar()->maximum() > 0);
        for (QFrame* panel : d.Panel) {
            QVERIFY(d.canvas()->rect().contains(panel->geometry()));
            d.scrollArea()->ensureWidgetVisible(panel, 0, 0);
            const QRect inView(panel->mapTo(d.scrollArea()->viewport(), QPoint(0, 0)), panel->size());
            QVERIFY2(d.scrollArea()->viewport()->rect().intersects(inView), qPrintable(panel->objectName()));
        }
    }

    // An item with no channel in use tells how to begin; one in use does not.
    void emptyItem_showsHowToBegin() {
        PoseWindowRig r;
        const int empty = r.addPos(ChannelValues{}, 40, 20);
        const int used = r.addPos(words({16000}), 40, 120);
        r.open(empty);
        QVERIFY(r.dlg().emptyItemHint()->isVisible());
        QVERIFY(r.dlg().emptyItemHint()->text().contains(QStringLiteral("Get")));
        r.open(used);
        QVERIFY(!r.dlg().emptyItemHint()->isVisible());
    }

    // The pose window first opens beside the main window, not over its tool bars.
    void firstOpen_besideTheMainWindow() {
        PoseWindowRig r;
        r.win->move(20, 20);
        r.win->show();
        QVERIFY(QTest::qWaitForWindowExposed(r.win.get()));
        r.open(r.addPos(words({16000}), 40, 20));
        const QRect main = r.win->frameGeometry();
        const QRect pose = r.dlg().frameGeometry();
        QVERIFY2(!main.intersects(pose) || pose.left() > main.left(),
                 qPrintable(QStringLiteral("%1,%2").arg(pose.left()).arg(pose.top())));
        QVERIFY(pose.topLeft() != QPoint(0, 0));
    }

    void rates_zeroRefused_newRateRescalesTheEditBox() {
        PoseWindowRig r;
        PoseWindow& d = r.dlg();
        ChannelTableDialog& t = *r.win->channelTableDialog();
        r.open(r.addPos(words({0, 0, 16484}), 100, 20));
        QCOMPARE(d.Edit[2]->text(), QStringLiteral("100"));
        qvxtest::whenOpen(&t, [&] {
            QCOMPARE(t.windowTitle(), QStringLiteral("Change if the frequency rate"));
            QVERIFY(!t.ListMenu->isVisible());
            QCOMPARE(t.Cmb[2]->currentText(), QStringLiteral("1"));
            setEntries(t, {{3, "0"}});
            t.OKBtnClick();
            QVERIFY(t.isVisible());
            QVERIFY(r.services.lastBoxText().startsWith(QStringLiteral("CH3")));
            setEntries(t, {{3, "0.5"}, {4, "-1"}, {5, "rate"}});
            t.OKBtnClick();
        });
        d.RateBtn->trigger();
        QCOMPARE(d.pose().channel(3).displayRate, 0.5f);
        QCOMPARE(d.Edit[2]->text(), QStringLiteral("50"));
        QCOMPARE(d.Edit[2]->palette().color(QPalette::Base), QColor(0, 255, 255));
        QCOMPARE(d.pose().channel(4).displayRate, -1.0f);
        QCOMPARE(d.pose().channel(5).displayRate, 1.0f); // not a number: kept
        QCOMPARE(ChannelTableDialog::RateText(0.12345f), QStringLiteral("0.123"));
        QCOMPARE(ChannelTableDialog::RateText(-1.0f), QStringLiteral("-1"));
    }

    void names_readFromTheBoard_writtenOnOk() {
        PoseWindowRig r;
        QVERIFY(r.ready());
        PoseWindow& d = r.dlg();
        ChannelTableDialog& t = *r.win->channelTableDialog();
        r.sim([](BoardSimulator& s) { s.stored().channelNames[1] = QByteArray("Elbow").leftJustified(32, '\0'); });
        const QString longName = QStringLiteral("A name that is much longer than thirty-two bytes");
        qvxtest::whenOpen(&t, [&] {
            QCOMPARE(t.windowTitle(), QStringLiteral("Change of the name"));
            QCOMPARE(t.PortName[1]->text(), QStringLiteral("CH2"));
            QCOMPARE(t.Cmb[1]->currentText(), QStringLiteral("Elbow"));
            setEntries(t, {{1, "Shoulder"}, {2, ""}, {3, "A name that is much longer than thirty-two bytes"}});
            t.OKBtnClick();
        });
        d.PreparePrmMenu(1);
        d.PmName->trigger();
        // An empty box keeps the window's name; every channel is written.
        QCOMPARE(d.Label[0]->text(), QStringLiteral("Shoulder"));
        QCOMPARE(d.Label[1]->text(), QStringLiteral("CH2"));
        QCOMPARE(d.Label[2]->text(), longName);
        const auto names = r.sim([](BoardSimulator& s) { return s.stored().channelNames; });
        QCOMPARE(names[0], QByteArray("Shoulder").leftJustified(32, '\0'));
        QCOMPARE(names[1], QByteArray("CH2").leftJustified(32, '\0'));
        QCOMPARE(names[2], longName.toLatin1().left(32));
        QCOMPARE(names[23], QByteArray("CH24").leftJustified(32, '\0'));
    }

    void linkPatterns_editedPickedAndStepped() {
        PoseWindowRig r;
        QVERIFY(r.ready());
        PoseWindow& d = r.dlg();
        ChannelTableDialog& t = *r.win->channelTableDialog();
        QCOMPARE(d.LinkList->count(), 1); // only "Setting of the combination"
        qvxtest::whenOpen(&t, [&] {
            QCOMPARE(t.windowTitle(), QStringLiteral("Setting of the assigned motion"));
            QCOMPARE(t.Cmb[0]->count(), 6);
            setEntries(t, {{1, "BAD(1)"}, {3, "MOV(10)"}, {4, "mov ( -10 )"}, {5, "PRM(700)"}, {6, "SET(2)"},
                           {7, "MOV(5)"}, {8, "MOV(5)"}});
            t.OKBtnClick();
            QCOMPARE(r.services.lastBoxText(), QStringLiteral("CH1There is an error in the input of"));
            setEntries(t, {{1, ""}});
            t.OKBtnClick();
            QCOMPARE(r.services.lastBoxText(), QStringLiteral("Input the name"));
            t.ListMenu->setEditText(QStringLiteral("Setting of the combination"));
            t.OKBtnClick();
            QCOMPARE(r.services.lastBoxText(), QString());
            QVERIFY(t.isVisible());
            t.ListMenu->setEditText(QStringLiteral("Arm, left"));
            t.OKBtnClick();
        });
        d.LinkListCloseUp(0); // the only entry opens the editor
        QCOMPARE(d.LinkList->count(), 2);
        QCOMPARE(d.LinkList->itemText(0), QStringLiteral("Arm, left"));
        QCOMPARE(d.LinkList->currentIndex(), 1);
        QVERIFY(!d.links().hasSelection());

        const int i = r.addPos(words({16384, 0, 16384, 16384, 16000, 0, 32770, 0}), 80, 20);
        r.open(i);
        d.LinkBtnClick(+1); // no pattern picked: nothing
        QCOMPARE(r.item(i).values[2], 16384);
        d.LinkListCloseUp(0);
        QVERIFY(d.links().hasSelection());

        r.setSync(true);
        r.clearFrames();
        QTest::mouseClick(d.LinkAddBtn, Qt::LeftButton);
        const ChannelValues plus = words({16384, 0, 16394, 16374, 17074, 32772, 32770, 0});
        QCOMPARE(r.item(i).values, plus);
        QCOMPARE(r.item(i).lead, 80);
        QCOMPARE(r.frames(), QList<QByteArray>{liveWrite(block(1, plus))});
        QCOMPARE(shown(d, 6), QStringLiteral("EF123"));
        QTest::mouseClick(d.LinkSubBtn, Qt::LeftButton);
        QCOMPARE(r.item(i).values, words({16384, 0, 16384, 16384, 17074, 32772, 32770, 0}));

        // A step the robot did not take leaves the item as it was.
        r.sim([](BoardSimulator& s) { s.setSilent(true); });
        const ChannelValues before = r.item(i).values;
        d.LinkBtnClick(+1);
        QCOMPARE(r.item(i).values, before);
        r.sim([](BoardSimulator& s) { s.setSilent(false); });

        // Without SYNC nothing is sent.
        r.setSync(false);
        r.clearFrames();
        d.LinkBtnClick(-1);
        QCOMPARE(r.item(i).values[2], 16374);
        QCOMPARE(r.item(i).values[3], 16394);
        QCOMPARE(r.frames(), QList<QByteArray>{});
    }

    void handEditedPatterns_areRefusedWhole() {
        PoseWindowRig r([](const QTemporaryDir& dir) {
            writeFile(dir.filePath("PATTERN.ini"),
                      "[NewLink]\r\nNewLinkList=Short,Odd\r\n\r\n[NewLinkList]\r\nShort=\"MOV(1)\",\"\"\r\n"
                      "Odd=\"\",\"\",\"MOV(x)\"" +
                          QStringLiteral(",\"\"").repeated(21) + "\r\n");
        });
        PoseWindow& d = r.dlg();
        QCOMPARE(d.LinkList->count(), 3);
        d.links().actions[0] = QStringLiteral("TCH");
        for (int index : {0, 1}) {
            d.LinkListCloseUp(index);
            QVERIFY(!d.links().hasSelection());
            QCOMPARE(d.links().actions[0], QStringLiteral("TCH")); // what was loaded stays
        }
        QVERIFY(r.services.boxes.size() == 2);
        QVERIFY(r.services.boxes[0].text.contains(QStringLiteral("Short")));
        QVERIFY(r.services.boxes[1].text.contains(QStringLiteral("CH3")));
    }

    void conversion_fromTheCanvasMenu_appliesAndStoresThePattern() {
        PoseWindowRig r;
        ChannelTableDialog& t = *r.win->channelTableDialog();
        const int a = r.addPos(words({16000, 17000}), 100, 20);
        const int b = r.addPos(words({15000, 15500}), 250, 120);
        r.open(b); // the pose window shows the other item
        r.state.chart.ClearSelection();
        r.state.chart.items[size_t(a)].selected = true;
        qvxtest::whenOpen(&t, [&] {
            QCOMPARE(t.windowTitle(), QStringLiteral("変換"));
            setEntries(t, {{1, "SPD(/0)"}});
            t.ListMenu->setEditText(QStringLiteral("Mirror"));
            t.OKBtnClick();
            QVERIFY(t.isVisible());
            QVERIFY(r.services.lastBoxText().contains(QStringLiteral("CH1")));
            setEntries(t, {{1, "Change(2)"}});
            t.OKBtnClick();
        });
        emit r.win->Image1->conversionRequested();
        QCOMPARE(r.item(a).values, words({17000, 16000}));
        QCOMPARE(r.item(b).values, words({15000, 15500}));
        QCOMPARE(t.patterns().names(PatternFile::Kind::Conversion), QStringList{QStringLiteral("Mirror")});

        // Converting the shown item shows it again.
        r.state.chart.ClearSelection();
        r.state.chart.items[size_t(b)].selected = true;
        qvxtest::whenOpen(&t, [&] {
            t.ListMenuCloseUp(0);
            QCOMPARE(t.Cmb[0]->currentText(), QStringLiteral("Change(2)"));
            t.OKBtnClick();
        });
        emit r.win->Image1->conversionRequested();
        QCOMPARE(r.item(b).values, words({15500, 15000}));
        QCOMPARE(r.dlg().Scroll[0]->value(), 15694); // 15500 shown clamped
        QCOMPARE(r.dlg().currentItem(), &r.item(b));
        QCOMPARE(r.services.statuses.last(), QStringLiteral("Conversion changed 1 item"));

        // Entries passed over are named; a conversion that changed nothing says so.
        const size_t boxes = r.services.boxes.size();
        qvxtest::whenOpen(&t, [&] {
            setEntries(t, {{1, "Turn(2)"}});
            t.ListMenu->setEditText(QString());
            t.OKBtnClick();
        });
        emit r.win->Image1->conversionRequested();
        QCOMPARE(r.item(b).values, words({15500, 15000}));
        QCOMPARE(r.services.statuses.last(), QStringLiteral("Conversion changed no value"));
        QCOMPARE(r.services.boxes.size(), boxes + 1);
        QCOMPARE(r.services.lastBoxText(), QStringLiteral("CH1 \"Turn(2)\": not a conversion; ignored"));
    }

    void backgroundPicture_resizesTheWindow_unreadableOnesAreSaid() {
        PoseWindowRig r;
        PoseWindow& d = r.dlg();
        const QString bmp = r.dir.filePath("robot.bmp");
        QImage image(320, 200, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QVERIFY(image.save(bmp, "BMP"));
        r.services.openAnswers.push_back(FileChoice{bmp, 2});
        d.PreparePrmMenu(0);
        d.PmImage->trigger();
        QCOMPARE(d.size(), QSize(320, 200));
        QVERIFY(d.Background->isChecked());
        QCOMPARE(d.CollectLayout().picturePath, bmp);

        const QString broken = r.dir.filePath("broken.jpg");
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\xFF\xD8\xFF\xE0 not really a picture");
        f.close();
        r.services.openAnswers.push_back(FileChoice{broken, 0});
        d.PmImage->trigger();
        QCOMPARE(r.services.lastBoxText(),
                 QStringLiteral("The background picture ") + broken +
                     QStringLiteral(" cannot be read: it is no JPEG picture that can be shown, or "
                                    "its data is damaged or too large"));
        QVERIFY(!d.Background->isChecked());
        d.BackgroundClick();
        QVERIFY(d.Background->isChecked());
    }

    // A picture that became unreadable is said once, in the status line and
    // not in a box before the main window; the setting stays for when the
    // file is mended.
    void unreadablePictureAtStart_isSaidOnce_andKept() {
        PoseWindowRig r([](const QTemporaryDir& dir) {
            QFile f(dir.filePath("gone.bmp"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            writeFile(dir.filePath("QVX3J.ini"),
                      "[QVX3]\r\nBmp=" + dir.filePath("gone.bmp") + "\r\nBackground=1\r\n");
        });
        const QString text = QStringLiteral("The background picture ") + r.dir.filePath("gone.bmp") +
                             QStringLiteral(" cannot be read: it is empty");
        QTRY_VERIFY(r.services.statuses.contains(text));
        QApplication::processEvents();
        QCOMPARE(r.services.statuses.count(text), 1);
        QVERIFY(r.services.boxes.empty());
        QCOMPARE(r.dlg().CollectLayout().picturePath, r.dir.filePath("gone.bmp"));
        QVERIFY(r.dlg().CollectLayout().backgroundShown);
    }
};

QVX_TEST_CLASS(PoseArrangementTest)
#include "PoseArrangementTest.moc"
