// Arrange figures: a chart laid out as a read from the board leaves it (one
// column of items joined by main links) with a loop back every 10 items and a
// branch forward every 25, of 100, 1000 and 10 000 items.
#include "Median.h"
#include "document/Chart.h"
#include "editor/ChartLayout.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <ctime>

using namespace qvx;

namespace {

Chart readBackChart(int n) {
    Chart c;
    for (int i = 0; i < n; ++i)
        c.CreateItem(i % 10 == 9 ? KindCmp : KindPos, 5, 5 + 40 * i);
    auto link = [&c](quint8 kind, int origin, int final) {
        Link& l = c.links[size_t(c.AddLinks(1))];
        l.kind = kind;
        l.origin = origin;
        l.final = final;
    };
    for (int i = 0; i + 1 < n; ++i) {
        link(MainLink, i, i + 1);
        if (i % 10 == 9) link(BranchLink, i, i - 5);
        if (i % 25 == 3 && i + 7 < n) link(BranchLink, i, i + 7);
    }
    c.startItem = 0;
    return c;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    for (int n : {100, 1000, 10000}) {
        const Chart original = readBackChart(n);
        std::vector<double> times, cpu;
        int rerouted = 0;
        for (int run = 0; run < (n > 1000 ? 3 : 7); ++run) {
            Chart chart = original;
            QElapsedTimer t;
            t.start();
            const std::clock_t c = std::clock();
            rerouted = ChartLayout::Arrange(chart, QSize(10, 10)).rerouted;
            cpu.push_back(double(std::clock() - c) * 1000.0 / CLOCKS_PER_SEC);
            times.push_back(double(t.nsecsElapsed()) / 1e6);
        }
        // The processor time shows what the machine's other load does not.
        std::printf("%6d items: arranged in %.1f ms, %.1f ms of processor time (%d links given a "
                    "detour)\n",
                    n, median(times), median(cpu), rerouted);
    }
    return 0;
}
