// The robot window following the simulated board, and what it costs at start:
//  - a 30-record motion played on SIM with the window following it: frames a
//    second drawn (goal >= 30) and how far the drawn pose lags behind the
//    simulator's own servo outputs (goal: no more than one frame);
//  - the main window's start-up with the robot window closed (nothing of the
//    preview is made) and, for comparison, left open at the last end.
// Run with QT_QPA_PLATFORM=offscreen (or under Xvfb).
#include "Median.h"
#include "app/AppState.h"
#include "app/BoardFlows.h"
#include "app/MainWindow.h"
#include "base/UiServices.h"
#include "document/IniFile.h"
#include "pose/PoseData.h"
#include "preview/RobotPreviewWindow.h"
#include "preview/RobotView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <deque>
#include <functional>

using namespace qvx;

namespace {

// Answers every number picker with 1 and every question with Yes.
class BenchServices : public UiServices {
  public:
    void ShowStatus(const QString&) override {}
    int ShowMessageBox(MsgIcon, MsgButtons, int, MsgLanguage, const QString&) override {
        return ResultYes;
    }
    std::optional<int> PickNumber(const QString&, const QString&, const QString&, int) override {
        return 1;
    }
    void SetBusy(bool) override {}
    std::optional<FileChoice> GetOpenFileName(const QString&, const QStringList&,
                                              const QString&) override {
        return std::nullopt;
    }
    std::optional<FileChoice> GetSaveFileName(const QString&, const QStringList&) override {
        return std::nullopt;
    }
    std::optional<QColor> PickColour(const QColor&) override { return std::nullopt; }
};

void wait(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

double startUpMs(const QString& settingsPath, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        BenchServices services;
        AppState state;
        QElapsedTimer t;
        t.start();
        MainWindow win(state, services, settingsPath);
        win.show();
        QCoreApplication::processEvents();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    return median(times);
}

// Counts the frames the view paints and, at each, how long ago the
// simulator's CH1 output stopped being the one drawn.
struct FrameWatch : QObject {
    RobotPreviewWindow* robot = nullptr;
    QElapsedTimer clock;
    std::vector<qint64> paints;
    std::vector<double> lagsMs;
    // The simulator's CH1 output over time, sampled every millisecond or so.
    std::deque<std::pair<qint64, quint16>> history;
    std::function<std::optional<BigEndian::Words>()> outputs;

    void sample() {
        const auto out = outputs();
        if (out && (history.empty() || history.back().second != (*out)[0]))
            history.emplace_back(clock.nsecsElapsed(), (*out)[0]);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        const qint64 now = clock.nsecsElapsed();
        paints.push_back(now);
        // What the simulator outputs at this very moment joins the history.
        sample();
        const RobotScene* scene = robot->scene();
        const int joint = scene->model().jointIndex(robot->mapping().drives[0].joint);
        const double drawn = scene->pose()[size_t(joint)].value;
        // The newest sample that the drawn angle matches; the lag is the time
        // since the sample after it (0 when it is the newest).
        for (auto it = history.rbegin(); it != history.rend(); ++it) {
            ChannelValues words{};
            words.fill(Pose::kNeutral);
            words[0] = it->second;
            const double angle =
                robot->mapping().jointPose(scene->model(), words)[size_t(joint)].value;
            if (std::abs(angle - drawn) < 1e-9) {
                lagsMs.push_back(it == history.rbegin() ? 0 : (now - std::prev(it)->first) / 1e6);
                break;
            }
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString closedPath = dir.filePath("closed.ini"), openPath = dir.filePath("open.ini");
    for (const QString& path : {closedPath, openPath}) {
        IniFile ini(path);
        ini.writeBool(QString::fromLatin1(RobotPreviewWindow::kSection), QStringLiteral("Open"),
                      path == openPath);
        ini.save();
    }
    constexpr int kRuns = 15;
    std::printf("main window start-up, robot window closed: median %.1f ms\n",
                startUpMs(closedPath, kRuns));
    std::printf("main window start-up, robot window left open: median %.1f ms\n",
                startUpMs(openPath, kRuns));

    {
        // All that start-up does for a closed robot window: one look at its key.
        std::vector<double> times;
        for (int i = 0; i < 200; ++i) {
            QElapsedTimer t;
            t.start();
            RobotPreviewWindow::WasLeftOpen(closedPath);
            times.push_back(t.nsecsElapsed() / 1e3);
        }
        std::printf("the start's look at the closed robot window's key: median %.0f us\n",
                    median(times));
    }

    BenchServices services;
    AppState state;
    MainWindow win(state, services, closedPath);
    win.show();
    if (!state.port.choose(BoardLink::kSimPortIndex, QString())) {
        std::fprintf(stderr, "the simulated board did not start\n");
        return 1;
    }
    // 30 records: 29 poses swinging CH1 either way, and the motion's end.
    Chart& chart = state.chart;
    chart.ClearChart();
    int previous = -1;
    for (int i = 0; i < 29; ++i) {
        const int n = chart.CreateItem(KindPos, 20 + 40 * (i % 10), 20 + 60 * (i / 10));
        chart.items[size_t(n)].values.fill(quint16(Pose::kNeutral + (i % 2 ? 600 : -600)));
        chart.items[size_t(n)].lead = 30;
        if (previous >= 0) {
            Link link;
            link.origin = previous;
            link.final = n;
            chart.links.push_back(link);
        } else {
            chart.startItem = n;
        }
        previous = n;
    }
    if (!win.flows().Write()) {
        std::fprintf(stderr, "the motion was not written\n");
        return 1;
    }
    win.RobotBtn->click();
    RobotPreviewWindow* robot = win.robotWindow();
    robot->setFollow(RobotPreviewWindow::Follow::SimBoard);
    FrameWatch watch;
    watch.robot = robot;
    watch.clock.start();
    robot->View->installEventFilter(&watch);
    QTimer sampler;
    sampler.setInterval(1);
    watch.outputs = [&state] { return state.port.simServoOutput(); };
    QObject::connect(&sampler, &QTimer::timeout, [&watch] { watch.sample(); });
    sampler.start();
    win.flows().Play();
    const qint64 from = watch.clock.nsecsElapsed();
    constexpr int kSeconds = 4;
    wait(kSeconds * 1000);
    win.flows().Stop();
    std::vector<double> gaps;
    for (size_t i = 1; i < watch.paints.size(); ++i)
        if (watch.paints[i - 1] >= from)
            gaps.push_back((watch.paints[i] - watch.paints[i - 1]) / 1e6);
    const double fps = double(gaps.size()) / kSeconds;
    std::printf("following SIM playing a 30-record motion: %.1f frames/s (goal >= 30), "
                "frame gap median %.1f ms, max %.1f ms\n",
                fps, gaps.empty() ? 0 : median(gaps),
                gaps.empty() ? 0 : *std::max_element(gaps.begin(), gaps.end()));
    std::sort(watch.lagsMs.begin(), watch.lagsMs.end());
    if (!watch.lagsMs.empty())
        std::printf("lag of the drawn pose behind the simulator: median %.1f ms, 95%% %.1f ms, "
                    "max %.1f ms (one frame: %d ms); %zu of %zu frames matched, %zu outputs seen\n",
                    median(watch.lagsMs), watch.lagsMs[watch.lagsMs.size() * 95 / 100],
                    watch.lagsMs.back(), RobotPreviewWindow::kSimFollowMs, watch.lagsMs.size(),
                    watch.paints.size(), watch.history.size());
    return 0;
}
