// Times compiling a motion chart that lays out to 255 steps: a main chain with
// three branches into side chains that jump back, so every kind of step (pose,
// branch, jump, end) is built. Timed twice: the compile alone (the listing and
// hex texts are formatted when first asked for), and the compile followed by
// asking for the listing, the step table rows and the hex rows.
#include "base/Services.h"
#include "compiler/Compiler.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace qvx;

namespace {

class QuietServices : public Services {
  public:
    int boxes = 0;
    void ShowStatus(const QString&) override {}
    int ShowMessageBox(MsgIcon, MsgButtons, int, MsgLanguage, const QString& t) override {
        std::fprintf(stderr, "%s\n", qPrintable(t));
        return ++boxes, ResultOk;
    }
    std::optional<int> PickNumber(const QString&, const QString&, const QString&, int) override {
        return std::nullopt;
    }
    void SetBusy(bool) override {}
};

int addItem(Chart& chart, const QString& name, quint8 kind, quint16 value) {
    Item it;
    it.name = name;
    it.kind = kind;
    it.lead = kind == KindPos ? 100 : 1;
    for (int k = 0; k < kChannelCount; ++k)
        it.values[size_t(k)] = kind == KindCmp ? value : quint16(value + k);
    chart.items.push_back(it);
    return chart.itemCount() - 1;
}

void addLink(Chart& chart, int origin, int final, quint8 kind) {
    Link l;
    l.origin = origin;
    l.final = final;
    l.kind = kind;
    chart.links.push_back(l);
}

Chart buildChart() {
    Chart chart;
    const int mainLength = 200;
    for (int i = 0; i < mainLength; ++i) {
        const bool branches = i == 50 || i == 100 || i == 150;
        addItem(chart, QStringLiteral("POS%1").arg(i), branches ? KindCmp : KindPos,
                branches ? 0x8307 : quint16(1000 + i));
        if (i > 0) addLink(chart, i - 1, i, MainLink);
    }
    chart.startItem = 0;
    // Side chains of 17 items each, ending in a jump back to the start.
    for (int side = 0; side < 3; ++side) {
        int previous = -1;
        for (int j = 0; j < 17; ++j) {
            const int n = addItem(chart, QStringLiteral("S%1_%2").arg(side).arg(j), KindPos,
                                  quint16(2000 + j));
            if (previous < 0)
                addLink(chart, 50 * (side + 1), n, BranchLink);
            else
                addLink(chart, previous, n, MainLink);
            previous = n;
        }
        addLink(chart, previous, 0, MainLink);
    }
    return chart;
}

} // namespace

int main() {
    const Chart chart = buildChart();
    QuietServices services;
    Compiler compiler;
    if (!compiler.CompileMotionChart(chart, services)) {
        std::fprintf(stderr, "the benchmark chart does not compile\n");
        return 1;
    }
    std::printf("items %d, links %d, steps %d\n", chart.itemCount(), chart.linkCount(),
                compiler.StepCount());

    const int runs = 2000;
    auto report = [&](const char* what, bool withTexts) {
        std::vector<qint64> times;
        times.reserve(runs);
        QElapsedTimer timer;
        qsizetype sink = 0;
        for (int r = 0; r < runs; ++r) {
            timer.start();
            compiler.CompileMotionChart(chart, services);
            if (withTexts)
                sink += compiler.listingLines().size() + compiler.stepRows().size() +
                        compiler.hexRows().size();
            times.push_back(timer.nsecsElapsed());
        }
        std::sort(times.begin(), times.end());
        std::printf("%s: median %.1f us, 90th percentile %.1f us over %d runs%s\n", what,
                    times[times.size() / 2] / 1000.0, times[times.size() * 9 / 10] / 1000.0, runs,
                    withTexts && sink != qsizetype(runs) * 3 * compiler.StepCount() ? " (bad rows)"
                                                                                   : "");
    };
    report("CompileMotionChart", false);
    report("CompileMotionChart + listing, step rows, hex rows", true);
    return services.boxes == 0 ? 0 : 1;
}
