// The timeline's speed, each figure the median of many runs, for a motion of
// 255 records with loops (25 blocks of seven poses, each repeated three times
// by a SET loop counter, and a jump back to the start), 60 s of board time
// sampled every 10 ms:
//  - computing it (the simulated board's player on a virtual clock): goal < 50 ms;
//  - drawing its chart (1280 x 720, as qvx timeline --png does): goal < 30 ms.
// Each figure is given as elapsed time and as the CPU time of the thread,
// which a machine busy with other work inflates less.
#include "Median.h"
#include "board/WordClasses.h"
#include "timeline/MotionTimeline.h"
#include "timeline/TimelineChart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cmath>
#include <cstdio>
#include <ctime>

using namespace qvx;

namespace {

MotionRecord uniform(quint16 word, quint8 lead = 1) {
    MotionRecord r;
    r.lead = lead;
    r.words.fill(word);
    return r;
}

std::vector<MotionRecord> loopingMotion() {
    std::vector<MotionRecord> records;
    for (int block = 0; block < 25; ++block) {
        records.push_back(uniform(quint16(CodeBase::LoopCounter + 3)));
        const int body = int(records.size());
        for (int p = 0; p < 7; ++p) {
            MotionRecord r = uniform(0, quint8(5 + (block + p) % 16));
            for (int c = 0; c < 24; ++c)
                r.words[size_t(c)] =
                    quint16(16384 + int(500 * std::sin(0.7 * p + 0.3 * c + 0.1 * block)));
            records.push_back(r);
        }
        records.push_back(uniform(quint16(CodeBase::LoopNotZero + body)));
        records.push_back(records[size_t(body)]);
    }
    while (records.size() < 254)
        records.push_back(records[1]);
    records.push_back(uniform(quint16(CodeBase::Jump + 0)));
    return records;
}

double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// Runs f n times; the medians of its elapsed and CPU times in ms.
template <typename F> std::pair<double, double> timed(int n, F&& f) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < n; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = threadCpuMs();
        f();
        cpu.push_back(threadCpuMs() - cpuStart);
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return {median(wall), median(cpu)};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::vector<MotionRecord> records = loopingMotion();
    std::vector<qint32> stepItem(records.size());
    TimelineLabels labels;
    for (size_t i = 0; i < records.size(); ++i) {
        stepItem[i] = qint32(i);
        labels.itemNames.push_back(QStringLiteral("P%1").arg(i));
    }
    Timeline t;
    const auto [computeWall, computeCpu] =
        timed(20, [&] { t = ComputeTimeline(records, stepItem, TimelineInputs()); });
    bool drawn = true;
    const auto [drawWall, drawCpu] = timed(
        20, [&] { drawn = drawn && !TimelineChart::Draw(t, labels, QSize(1280, 720)).isNull(); });
    if (!drawn) return 1;
    std::printf("%zu records, %zu samples (%s)\n", records.size(), t.outputs.size(),
                t.ended ? "ended" : "cut at the limit");
    std::printf("compute: %.2f ms elapsed, %.2f ms CPU (goal < 50)\n", computeWall, computeCpu);
    std::printf("draw:    %.2f ms elapsed, %.2f ms CPU (goal < 30)\n", drawWall, drawCpu);
    return 0;
}
