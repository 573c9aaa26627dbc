// Times the checks before writing on charts of 10 000 items: a chain of poses
// with a counted loop every 20 items and a branch on an input every 50 (some
// poses out of range, on unused channels, and a few items nothing reaches),
// and a chain whose second half is a cycle of 5 000 items with no way out.
#include "checks/ChartChecks.h"
#include "document/Chart.h"
#include "items/SetCodes.h"

#include "Median.h"

#include <QElapsedTimer>
#include <cstdio>

using namespace qvx;

namespace {

int addItem(Chart& chart, const QString& name, quint8 kind, quint16 value) {
    Item it;
    it.name = name;
    it.kind = kind;
    it.lead = kind == KindPos ? 100 : 1;
    it.values.fill(value);
    chart.items.push_back(it);
    return chart.itemCount() - 1;
}

void addLink(Chart& chart, int origin, int final, quint8 kind = MainLink) {
    Link l;
    l.origin = origin;
    l.final = final;
    l.kind = kind;
    chart.links.push_back(l);
}

Chart mixedChart(int items) {
    Chart chart;
    int previous = -1;
    int loopStart = -1;
    while (chart.itemCount() < items - 10) {
        const int i = chart.itemCount();
        int n;
        if (i % 20 == 0) {
            n = addItem(chart, QStringLiteral("Loop%1").arg(i), KindSet,
                        SetCodes::LoopCounterCode(3));
            loopStart = -1;
        } else if (i % 20 == 19) {
            n = addItem(chart, QStringLiteral("Again%1").arg(i), KindCmp,
                        CmpCodes::ConditionCode(0));
            addLink(chart, n, loopStart, BranchLink);
        } else if (i % 50 == 25) {
            n = addItem(chart, QStringLiteral("Input%1").arg(i), KindCmp,
                        CmpCodes::ConditionCode(1 + i % 9));
            addLink(chart, n, 0, BranchLink);
        } else {
            n = addItem(chart, QStringLiteral("P%1").arg(i), KindPos,
                        quint16(i % 97 == 0 ? 20000 : 16000 + i % 500));
            if (loopStart < 0) loopStart = n;
        }
        if (previous >= 0) addLink(chart, previous, n);
        previous = n;
    }
    while (chart.itemCount() < items)
        addItem(chart, QStringLiteral("Lost%1").arg(chart.itemCount()), KindPos, 16384);
    chart.startItem = 0;
    return chart;
}

Chart endlessChart(int items) {
    Chart chart;
    for (int i = 0; i < items; ++i) {
        addItem(chart, QStringLiteral("P%1").arg(i), KindPos, 16384);
        if (i > 0) addLink(chart, i - 1, i);
    }
    addLink(chart, items - 1, items / 2);
    chart.startItem = 0;
    return chart;
}

void time(const char* what, const Chart& chart, const ChartCheckOptions& options) {
    std::vector<double> times;
    size_t found = 0;
    QElapsedTimer timer;
    for (int r = 0; r < 30; ++r) {
        timer.start();
        found = RunChartChecks(chart, options).size();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("%s (%d items, %d links, %zu findings): median %.2f ms, worst %.2f ms\n", what,
                chart.itemCount(), chart.linkCount(), found, median(times), times.back());
}

} // namespace

int main() {
    ChartCheckOptions options;
    options.usedChannels = 0xFFFF;
    options.board = BoardCheckSettings{0, QByteArray(6, '\0')};
    time("checks, mixed chart", mixedChart(10000), options);
    time("checks, cycle of 5000", endlessChart(10000), options);
    // The graph walks alone: every channel used, no board, one finding.
    time("checks, cycle of 5000, one finding", endlessChart(10000), ChartCheckOptions{});
    return 0;
}
