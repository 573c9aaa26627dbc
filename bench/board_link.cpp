// Board link figures: one stored record written to the simulated board over a
// pseudo-terminal, with and without a state file behind the simulator, and the
// time of writing a 30-record motion when the simulator holds the line to
// 115200 bit/s.
#include "Median.h"
#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "sim/SimPtyHost.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
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

// Milliseconds per stored record written, one value per record; empty when the
// simulator or the port could not be started.
std::vector<double> storedWrites(const QString& statePath, int count) {
    QString error;
    SimPtyHost::Options options;
    options.statePath = statePath;
    auto host = SimPtyHost::Start(options, &error);
    if (!host) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return {};
    }
    BoardLink link;
    BoardCommands board(link);
    if (!link.OpenCommPort(BoardLink::kSimPortIndex, host->devicePath())) return {};
    std::vector<double> ms;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer t;
        t.start();
        if (!board.WriteMotionRecord(true, 1, i % 30, sample(i))) return {};
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // --paced: only the paced write (the unpaced rows take a minute).
    const bool pacedOnly = app.arguments().contains(QStringLiteral("--paced"));

    // 1. One stored record, unpaced: everything measured is software and
    //    pseudo-terminal overhead, first without a state file, then with one.
    //    Runs alternate so that both see the same machine load; each run is
    //    long enough (well over the quarter second after which the simulator
    //    saves its memory) that saves happen while records are written, and
    //    the mean, which spreads their cost over the records, is shown beside
    //    the median.
    if (!pacedOnly) {
        QTemporaryDir dir;
        std::vector<double> plain, withFile;
        for (int run = 0; run < 6; ++run) {
            const std::vector<double> a = storedWrites({}, 2500);
            const std::vector<double> b =
                storedWrites(dir.filePath(QStringLiteral("bench%1.state").arg(run)), 2500);
            if (a.empty() || b.empty()) return 1;
            plain.insert(plain.end(), a.begin(), a.end());
            withFile.insert(withFile.end(), b.begin(), b.end());
        }
        auto mean = [](const std::vector<double>& v) {
            double sum = 0;
            for (double x : v)
                sum += x;
            return sum / double(v.size());
        };
        const double p = median(plain), f = median(withFile);
        const double pm = mean(plain), fm = mean(withFile);
        std::printf("stored record over a pseudo-terminal, unpaced: without a state file median "
                    "%.3f ms (mean %.3f), with one %.3f ms (mean %.3f), ratio %.2f (of means "
                    "%.2f; %zu records each)\n",
                    p, pm, f, fm, f / p, fm / pm, plain.size());
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
        const int bytesPerRecord =
            1 + 1 + QmxBoard::FrameLength(QmxBoard::Command::WriteMotionRecord) + 1;
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
        std::printf("30-record motion, paced at 115200 bit/s: median %.1f ms, wire time %.1f ms "
                    "(%d bytes a record), ratio %.3f (%zu runs)\n",
                    median(totals), wireMs, bytesPerRecord, median(ratios), ratios.size());
    }
    return 0;
}
