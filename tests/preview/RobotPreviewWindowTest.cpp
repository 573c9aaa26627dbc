#include "preview/RobotPreviewWindow.h"
#include "common/TestRegistry.h"
#include "compiler/ChartMaker.h"
#include "document/DocumentFile.h"
#include "document/IniFile.h"
#include "editor/EditHistory.h"
#include "flows/FlowFixture.h"
#include "pose/PoseWindow.h"
#include "preview/ChannelMappingDialog.h"
#include "preview/PreviewRig.h"
#include "preview/RobotView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <numbers>

using namespace qvx;

namespace {

// The angle the default mapping gives a channel word: 690 units to 90 degrees
// either side of neutral, in radians.
double defaultAngle(quint16 word) {
    return (int(word) - Pose::kNeutral) * 90.0 / Pose::kEditHalfRange * std::numbers::pi / 180;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The main window on the in-memory board, a POS item open in the pose window
// and the robot window opened by its button.
struct PreviewWindowRig : WindowRig {
    int item = -1;

    // The simulated board runs behind a pseudo-terminal here: 40 ms for an
    // answer is too short on a busy machine.
    PreviewWindowRig() : WindowRig(150) {
        item = state.chart.CreateItem(KindPos, 20, 20);
        state.chart.items[size_t(item)].values.fill(Pose::kNeutral);
        win->history().commit();
        pose().OpenPoseItem(item);
    }
    PoseWindow& pose() { return *win->poseWindow(); }
    RobotPreviewWindow& robot() {
        if (!win->robotWindow()) win->RobotBtn->click();
        return *win->robotWindow();
    }
    QString settingsPath() const { return dir.filePath("QVX3J.ini"); }
    // The scene's value of the joint channel n drives.
    double jointValue(int n) {
        const RobotScene* scene = robot().scene();
        const int joint = scene->model().jointIndex(robot().mapping().drives[size_t(n - 1)].joint);
        return scene->pose()[size_t(joint)].value;
    }
    quint16 word(int n) const { return state.chart.items[size_t(item)].values[size_t(n - 1)]; }
    // An angle as the joint of channel n can take it: within its limits.
    double withinLimits(int n, double angle) {
        const RobotScene* scene = robot().scene();
        const int joint = scene->model().jointIndex(robot().mapping().drives[size_t(n - 1)].joint);
        const ModelJoint& j = scene->model().joints()[size_t(joint)];
        return std::clamp(angle, j.lower, j.upper);
    }
};

} // namespace

class RobotPreviewWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void opensOnlyWhenAsked_followsEveryPoseWindowEdit_data() {
        QTest::addColumn<QString>("edit");
        QTest::newRow("scroll bar") << "bar";
        QTest::newRow("edit box") << "box";
        QTest::newRow("undo") << "undo";
        QTest::newRow("changed behind the window to FREE") << "free";
    }
    void opensOnlyWhenAsked_followsEveryPoseWindowEdit() {
        QFETCH(QString, edit);
        PreviewWindowRig rig;
        // Nothing of the preview is made before its button is pressed.
        QVERIFY(!rig.win->robotWindow());
        RobotPreviewWindow& robot = rig.robot();
        QVERIFY(robot.isVisible());
        QCOMPARE(robot.windowTitle(), QStringLiteral("Robot"));
        QVERIFY(robot.scene());
        QCOMPARE(rig.jointValue(3), 0.0);

        if (edit == "bar") {
            rig.pose().Scroll[2]->setValue(Pose::kNeutral + 300);
        } else {
            rig.pose().Edit[2]->setText(QStringLiteral("-450"));
            QTest::keyClick(rig.pose().Edit[2], Qt::Key_Return);
        }
        QVERIFY(rig.word(3) != Pose::kNeutral);
        QCOMPARE(rig.jointValue(3), defaultAngle(rig.word(3)));
        // The channel edited last is the focused one: its joint is highlighted.
        QCOMPARE(rig.pose().focusedChannel(), 3);
        QCOMPARE(robot.scene()->highlightedJoint,
                 robot.scene()->model().jointIndex(robot.mapping().drives[2].joint));
        if (edit == "free") {
            // A conversion changes the item and the window looks again: a
            // FREE channel's joint goes limp where it was.
            const double before = rig.jointValue(3);
            rig.state.chart.items[size_t(rig.item)].values[2] = Pose::kFree;
            rig.pose().ChartChanged();
            QCOMPARE(rig.jointValue(3), before);
            const int joint = robot.scene()->model().jointIndex(robot.mapping().drives[2].joint);
            QVERIFY(robot.scene()->pose()[size_t(joint)].limp);
        }
        if (edit == "undo") {
            QVERIFY(rig.win->history().undo());
            QCOMPARE(rig.word(3), Pose::kNeutral);
            QCOMPARE(rig.jointValue(3), 0.0);
        }
    }

    void followsTheRealBoard_sentAndAcquiredPosesOnly() {
        PreviewWindowRig rig;
        RobotPreviewWindow& robot = rig.robot();
        robot.setFollow(RobotPreviewWindow::Follow::RealBoard);
        rig.pose().Scroll[0]->setValue(Pose::kNeutral + 345);
        // An edit not sent is not on the robot.
        QCOMPARE(rig.jointValue(1), 0.0);
        rig.pose().SetBtn->click();
        QCOMPARE(rig.jointValue(1), defaultAngle(Pose::kNeutral + 345));
        rig.pose().Scroll[0]->setValue(Pose::kNeutral - 100);
        QCOMPARE(rig.jointValue(1), defaultAngle(Pose::kNeutral + 345));
        // Get reads back the pose the board keeps: the one sent.
        rig.pose().GetBtn->click();
        QCOMPARE(rig.word(1), quint16(Pose::kNeutral + 345));
        QCOMPARE(rig.jointValue(1), defaultAngle(Pose::kNeutral + 345));
    }

    void followsTheSimulatedBoardWhilePlaying_stopsWhenHidden_data() {
        QTest::addColumn<bool>("wave");
        QTest::addColumn<int>("channel"); // the channel that moves most
        QTest::newRow("30 poses") << false << 1;
        QTest::newRow("wave example: a SET loop and a CMP branch") << true << 5;
    }
    void followsTheSimulatedBoardWhilePlaying_stopsWhenHidden() {
        QFETCH(bool, wave);
        QFETCH(int, channel);
        PreviewWindowRig rig;
        // The program's own SIM port: the simulator in this process.
        QVERIFY(rig.state.port.choose(BoardLink::kSimPortIndex, QString()));
        QVERIFY(rig.state.port.simServoOutput());
        if (wave) {
            DocumentContext ctx(rig.state.chart, rig.state.header, rig.services);
            QVERIFY(DocumentFile::LoadDocument(
                ctx, QStringLiteral(QVX_SOURCE_DIR "/docs/screenshots/wave.QMX")));
        } else {
            qvxtest::ChartMaker m;
            int previous = -1;
            for (int i = 0; i < 30; ++i) {
                const int n = m.item(QStringLiteral("P%1").arg(i), KindPos, 20,
                                     quint16(Pose::kNeutral + (i % 2 ? 600 : -600)));
                if (previous >= 0) m.next(previous, n);
                previous = n;
            }
            rig.state.chart = m.chart;
            // A motion of more than 30 records takes the next slot too.
            rig.services.boxAnswers.push_back(ResultYes);
        }
        rig.services.pickAnswers.push_back(1);
        QVERIFY2(rig.win->flows().Write(), qPrintable(rig.services.statuses.join(u'|')));

        RobotPreviewWindow& robot = rig.robot();
        robot.setFollow(RobotPreviewWindow::Follow::SimBoard);
        QVERIFY(robot.simTimerActive());
        rig.services.pickAnswers.push_back(1);
        QVERIFY(rig.win->flows().Play());
        // The scene takes the simulator's outputs as they move, many frames.
        QSet<qint64> seen;
        for (int i = 0; i < 300 && seen.size() < 5; ++i) {
            QTest::qWait(RobotPreviewWindow::kSimFollowMs);
            seen.insert(qRound64(rig.jointValue(channel) * 1e6));
        }
        QVERIFY2(seen.size() >= 5, qPrintable(QString::number(seen.size())));
        // Stopped, the robot comes to rest where the simulator's servos are
        // (a servo may stop beyond what the model's joint can take).
        QVERIFY(rig.win->flows().Stop());
        QTRY_COMPARE(
            rig.jointValue(channel),
            rig.withinLimits(
                channel, defaultAngle((*rig.state.port.simServoOutput())[size_t(channel - 1)])));

        robot.hide();
        QVERIFY(!robot.simTimerActive());
    }

    void mappingDialog_okWritesOnlyWhatChanged_moveWigglesOneJoint_data() {
        QTest::addColumn<bool>("change");
        QTest::newRow("nothing changed") << false;
        QTest::newRow("sign of CH2") << true;
    }
    void mappingDialog_okWritesOnlyWhatChanged_moveWigglesOneJoint() {
        QFETCH(bool, change);
        PreviewWindowRig rig;
        RobotPreviewWindow& robot = rig.robot();
        QVERIFY(robot.SaveSettings(true));
        const QByteArray before = fileBytes(rig.settingsPath());
        const JointPose followed = robot.scene()->pose();
        const int joint2 = robot.scene()->model().jointIndex(robot.mapping().drives[1].joint);

        bool wiggledOnlyItsJoint = false;
        QTimer::singleShot(0, &robot, [&] {
            ChannelMappingDialog* d = robot.mappingDialog();
            QVERIFY(d);
            d->Move[1]->setChecked(true);
            // The wiggle moves on a timer: on a busy machine its first steps
            // may come late.
            const JointPose& shown = robot.scene()->pose();
            wiggledOnlyItsJoint = QTest::qWaitFor([&] { return shown[size_t(joint2)].value != 0; },
                                                  100 * ChannelMappingDialog::kWiggleStepMs);
            for (size_t j = 0; j < shown.size(); ++j)
                if (int(j) != joint2 && shown[j].value != followed[j].value)
                    wiggledOnlyItsJoint = false;
            if (change) d->Sign[1]->setCurrentIndex(1);
            d->accept();
        });
        robot.MappingBtnClick();
        QVERIFY(wiggledOnlyItsJoint);
        // The wiggle ends with the dialog: the followed pose is drawn again.
        QCOMPARE(robot.scene()->pose()[size_t(joint2)].value, 0.0);

        const QByteArray after = fileBytes(rig.settingsPath());
        if (!change) {
            QCOMPARE(after, before);
            return;
        }
        IniFile ini;
        ini.parseBytes(after);
        QString error;
        const std::optional<ChannelMapping> kept = ChannelMapping::Read(ini, &error);
        QVERIFY2(kept, qPrintable(error));
        ChannelMapping expected = ChannelMapping::ForModel(robot.scene()->model());
        expected.drives[1].sign = -1;
        QCOMPARE(*kept == expected, true);
        QCOMPARE(robot.mapping() == expected, true);
        // The new sign turns the joint the other way at once.
        rig.pose().Scroll[1]->setValue(Pose::kNeutral + 200);
        QCOMPARE(rig.jointValue(2), -defaultAngle(rig.word(2)));
    }

    void settingsKeptAcrossCloseAndOpen_data() {
        QTest::addColumn<bool>("leftOpen");
        QTest::newRow("closed by the user") << false;
        QTest::newRow("open when the program ended") << true;
    }
    void settingsKeptAcrossCloseAndOpen() {
        QFETCH(bool, leftOpen);
        QTemporaryDir keep;
        QString path;
        {
            PreviewWindowRig rig;
            path = rig.settingsPath();
            RobotPreviewWindow& robot = rig.robot();
            robot.resize(620, 470);
            robot.View->camera().orbit(25, -10);
            robot.View->camera().zoomBy(2);
            robot.setFollow(RobotPreviewWindow::Follow::RealBoard);
            if (!leftOpen) robot.close();
            rig.win->history().markClean();
            rig.services.boxAnswers.push_back(ResultYes);
            QVERIFY(rig.win->close());
            // The application's quit then closes every window left open: the
            // window's own close keeps what the program's end saved.
            robot.close();
            QFile::copy(path, keep.filePath("QVX3J.ini"));
        }
        qvxtest::RecordingServices services;
        AppState state;
        MainWindow win(state, services, keep.filePath("QVX3J.ini"));
        QCOMPARE(win.robotWindow() != nullptr, leftOpen);
        win.RobotBtn->click();
        RobotPreviewWindow& robot = *win.robotWindow();
        QCOMPARE(robot.size(), QSize(620, 470));
        ViewCamera iso;
        iso.setView(ViewDirection::Iso);
        QCOMPARE(robot.View->camera().yaw, iso.yaw + 25);
        QCOMPARE(robot.View->camera().pitch, iso.pitch - 10);
        QCOMPARE(robot.View->camera().zoom, 2.0);
        QCOMPARE(robot.follow(), RobotPreviewWindow::Follow::RealBoard);
    }

    void unreadableModel_messageAndEmptyStage() {
        PreviewWindowRig rig;
        const QString bad = rig.dir.filePath("bad.urdf");
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<robot name=\"r\">\n<link name=\"a\"/>\n<joint name=\"j\" type=\"revolute\">\n");
        f.close();
        IniFile ini(rig.settingsPath());
        QVERIFY(ini.load());
        ini.writeString(QString::fromLatin1(RobotPreviewWindow::kSection), QStringLiteral("Model"),
                        bad);
        QVERIFY(ini.save());
        RobotPreviewWindow& robot = rig.robot();
        QVERIFY(!robot.scene());
        QVERIFY(robot.Message->isVisible());
        QVERIFY2(robot.Message->text().contains(bad), qPrintable(robot.Message->text()));
        QVERIFY(!robot.MappingBtn->isEnabled());
        // The pose window goes on as before.
        rig.pose().Scroll[0]->setValue(Pose::kNeutral + 100);
        QCOMPARE(rig.word(1), quint16(Pose::kNeutral + 100));
    }
};

QVX_TEST_CLASS(RobotPreviewWindowTest)
#include "RobotPreviewWindowTest.moc"
