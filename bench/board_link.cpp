// Board link figures: the software cost of one 49-byte record exchange with the
// simulated board over a pseudo-terminal, and the time of writing a 30-record
// motion when the simulator holds the line to 115200 bit/s.
#include "Median.h"
#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "sim/SimPtyHost.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace qvx;

namespace {

MotionRecord sample(int i) {
    MotionRecord r;
    r.lead = quint8(10 + i);
    for (int k = 0; k < 24; ++k)
        r.words[size_t(k)] = quint16(16384 + i * 24 + k);
    return r;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);

    // 1. One exchange without pacing: everything measured is software and
    //    pseudo-terminal overhead.
    {
        QString error;
        auto host = SimPtyHost::Start({}, &error);
        if (!host) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        BoardLink link;
        BoardCommands board(link);
        if (!link.OpenCommPort(BoardLink::kSimPortIndex, host->devicePath())) return 1;
        std::vector<double> ms;
        for (int i = 0; i < 400; ++i) {
            QElapsedTimer t;
            t.start();
            if (!board.WriteMotionRecord(true, 1, i % 30, sample(i))) return 1;
            ms.push_back(double(t.nsecsElapsed()) / 1e6);
        }
        std::printf("record exchange over a pseudo-terminal, unpaced: median %.3f ms (%zu runs)\n",
                    median(ms), ms.size());
    }

    // 2. A 30-record motion with the simulator pacing bytes at 115200 bit/s.
    {
        QString error;
        SimPtyHost::Options options;
        options.pace = true;
        auto host = SimPtyHost::Start(options, &error);
        if (!host) return 1;
        BoardLink link;
        BoardCommands board(link);
        if (!link.OpenCommPort(BoardLink::kSimPortIndex, host->devicePath())) return 1;
        // Per record: attention byte, its answer, the 54-byte frame, the acknowledge.
        const int bytesPerRecord = 1 + 1 + QmxBoard::FrameLength(QmxBoard::Command::WriteMotionRecord) + 1;
        const double wireMs = 30.0 * bytesPerRecord * SimPtyHost::kByteNs / 1e6;
        std::vector<double> ratios, totals;
        for (int run = 0; run < 15; ++run) {
            QElapsedTimer t;
            t.start();
            for (int i = 0; i < 30; ++i)
                if (!board.WriteMotionRecord(true, 2, i, sample(i))) return 1;
            const double total = double(t.nsecsElapsed()) / 1e6;
            totals.push_back(total);
            ratios.push_back(total / wireMs);
        }
        std::printf("30-record motion, paced at 115200 bit/s: median %.1f ms, wire time %.1f ms, "
                    "ratio %.3f (%zu runs)\n",
                    median(totals), wireMs, median(ratios), ratios.size());
    }
    return 0;
}
