// Takes the README's pictures: the editor with the chart of wave.QMX, the
// pose window on one of its items, the robot window following it, and the
// LIST and Timeline pages after a compile, drawn by
// the program's own windows with its own font. Run by scripts/screenshots.sh
// under Xvfb.
#include "Shots.h"
#include "app/AppState.h"
#include "pose/PoseWindow.h"
#include "preview/RobotPreviewWindow.h"
#include "timeline/TimelinePage.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace qvx;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: take_screenshots DOCUMENT OUTDIR\n");
        return 2;
    }
    Shots shots(app);
    AppState state;
    WidgetServices services;
    MainWindow window(state, services, shots.settingsFile());
    if (!Shots::Open(window, services, argv[1])) return 1;
    // Opening selects what it loaded; the picture shows the items' colours.
    state.chart.ClearSelection();
    window.RepaintCanvas();
    QTest::qWait(300);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    if (!window.grab().save(out.filePath(QStringLiteral("editor.png")))) return 1;

    // The pose window on "Raise right arm", as a double-click opens it.
    window.poseWindow()->OpenPoseItem(1);
    QTest::qWait(300);
    if (!window.poseWindow()->grab().save(out.filePath(QStringLiteral("pose.png")))) return 1;

    // The robot window following the pose window on that item.
    window.RobotBtn->click();
    RobotPreviewWindow* robot = window.robotWindow();
    robot->setFollow(RobotPreviewWindow::Follow::PoseWindow);
    robot->resize(480, 520);
    QTest::qWait(300);
    if (!robot->grab().save(out.filePath(QStringLiteral("robot-window.png")))) return 1;

    // After a compile: the LIST page with the findings of the checks under it
    // (the robot model's too, the Robot window being open), and the Timeline.
    window.resize(1000, 680);
    if (!window.CompileChart()) return 1;
    window.PageControl1->setCurrentWidget(window.Sheet2);
    QTest::qWait(300);
    if (!window.grab().save(out.filePath(QStringLiteral("checks.png")))) return 1;
    window.PageControl1->setCurrentWidget(window.timelinePage());
    QTest::qWait(300);
    if (!window.grab().save(out.filePath(QStringLiteral("timeline.png")))) return 1;
    return 0;
}
