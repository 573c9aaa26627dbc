// The robot-model checks on the shipped humanoid, each row the median of 5 runs:
//  - 10 000 POS items of varied poses (limits, collisions, stability); goal < 200 ms;
//  - 60 s of playback sampled every 10 ms (6 000 instants, a new pose every
//    third instant, as a motion moving all the time gives); goal < 200 ms;
//  - the worst case of both: every item and instant in collision.
#include "Median.h"
#include "checks/ModelChecks.h"
#include "document/Chart.h"
#include "preview/ChannelMapping.h"
#include "preview/RobotModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <cstdio>

using namespace qvx;

namespace {

ChannelValues RandomPose(QRandomGenerator& random, bool collide) {
    ChannelValues words;
    for (auto& w : words)
        w = quint16(Pose::kNeutral +
                    random.bounded(-Pose::kEditHalfRange / 3, Pose::kEditHalfRange / 3));
    // CH4 rolls the right arm into the body.
    if (collide) words[3] = quint16(Pose::kNeutral + Pose::kEditHalfRange / 2);
    return words;
}

double Run(const ModelChecks& checks, const Chart& chart, const std::vector<PoseInstant>& instants,
           std::size_t* found) {
    std::vector<double> ms;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        *found = checks.check(chart, instants).size();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    return median(ms);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString error;
    auto model = RobotModel::Load(RobotModel::DefaultModelPath(), &error);
    if (!model) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    auto shared = std::make_shared<const RobotModel>(std::move(*model));
    const ModelChecks checks(shared, ChannelMapping::ForModel(*shared));
    for (bool collide : {false, true}) {
        QRandomGenerator random(7);
        Chart chart;
        for (int i = 0; i < 10000; ++i) {
            const int n = chart.CreateItem(KindPos, 0, i * 40);
            chart.items[std::size_t(n)].values = RandomPose(random, collide);
        }
        std::vector<PoseInstant> instants;
        ChannelValues words = RandomPose(random, collide);
        for (int t = 0; t < 60000; t += 10) {
            if (t % 30 == 0) words = RandomPose(random, collide);
            instants.push_back({words, (t / 300) % 10000, t});
        }
        std::size_t found = 0;
        const char* what = collide ? "all colliding" : "varied";
        const double items = Run(checks, chart, {}, &found);
        std::printf("model checks, 10 000 POS items (%s): %.1f ms (goal < 200 ms), %zu findings\n",
                    what, items, found);
        const double played = Run(checks, Chart(), instants, &found);
        std::printf("model checks, 6 000 instants (%s): %.1f ms (goal < 200 ms), %zu findings\n",
                    what, played, found);
    }
    return 0;
}
