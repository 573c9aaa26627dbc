// The timeline's speed, each figure the median of many runs, for a motion of
// 255 records with loops (25 blocks of seven poses, each repeated three times
// by a SET loop counter, and a jump back to the start), 60 s of board time
// sampled every 10 ms:
//  - computing it (the simulated board's player on a virtual clock): goal < 50 ms;
//  - drawing its chart (1280 x 720, as qvx timeline --png does): goal < 30 ms.
#include "Median.h"
#include "board/WordClasses.h"
#include "timeline/MotionTimeline.h"
#include "timeline/TimelineChart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cmath>
#include <cstdio>

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
    std::vector<double> computeTimes, drawTimes;
    Timeline t;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer timer;
        timer.start();
        t = ComputeTimeline(records, stepItem, TimelineInputs());
        computeTimes.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QImage picture = TimelineChart::Draw(t, labels, QSize(1280, 720));
        drawTimes.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (picture.isNull()) return 1;
    }
    std::printf("%zu records, %zu samples (%s): compute %.2f ms (goal < 50), draw %.2f ms "
                "(goal < 30)\n",
                records.size(), t.outputs.size(), t.ended ? "ended" : "cut at the limit",
                median(computeTimes), median(drawTimes));
    return 0;
}
