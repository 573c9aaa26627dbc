#include "checks/ChartChecks.h"

#include "board/BoardBackup.h"
#include "board/BoardCommands.h"
#include "board/MotionTable.h"
#include "board/WordClasses.h"
#include "document/Chart.h"
#include "items/SetCodes.h"
#include "pose/PoseData.h"

#include <algorithm>

namespace qvx {

namespace {

// The conditions of the CMP dialog, by tag: the loop counter, AD1..AD3,
// PA1..PA4 of the receiver and the button input twice.
constexpr int kLoopTag = 0;
constexpr int kFirstAdTag = 1;
constexpr int kFirstPaTag = 4;
constexpr int kFirstButtonTag = 8;

QString quoted(const QString& name) {
    return QLatin1Char('"') + name + QLatin1Char('"');
}

// "CH1".."CH24", made once: a large chart names them thousands of times.
const QString& channel(int k) {
    static const std::array<QString, kChannelCount> names = [] {
        std::array<QString, kChannelCount> n;
        for (int i = 0; i < kChannelCount; ++i)
            n[size_t(i)] = QStringLiteral("CH") + QString::number(i + 1);
        return n;
    }();
    return names[size_t(k)];
}

// "a", "a and b", "a, b and c".
FindingText spoken(const QStringList& parts) {
    if (parts.size() < 2) return FindingText::Same(parts.join(QString()));
    const QStringList head = parts.mid(0, parts.size() - 1);
    const FindingText comma = FindingText::Of(QT_TRANSLATE_NOOP("Checks", ", "));
    return FindingText::Of(QT_TRANSLATE_NOOP("Checks", "%1 and %2"))
        .arg(FindingText{head.join(comma.english), head.join(comma.shown)},
             FindingText::Same(parts.last()));
}

Finding finding(Finding::Severity severity, const char* code, int item, const FindingText& text) {
    return MakeFinding(severity, QLatin1String(code), item, text);
}

// The links of the chart as lists of successors per item, for the walks
// below. Links whose ends are not items lead nowhere, as in the compiler; a
// scenario chart is played along its main links only.
struct Graph {
    std::vector<int> first; // per item: where its successors start in `to`
    std::vector<int> to;
    std::vector<quint8> ends; // per item: 1 when no main link leaves it (the motion ends)

    explicit Graph(const Chart& chart) {
        const int n = chart.itemCount();
        const bool mainOnly = chart.documentKind != MotionChart;
        auto follows = [&](const Link& l) {
            return chart.validItem(l.origin) && chart.validItem(l.final) &&
                   (!mainOnly || l.kind == MainLink);
        };
        first.assign(size_t(n) + 1, 0);
        ends.assign(size_t(n), 1);
        for (const Link& l : chart.links) {
            if (!follows(l)) continue;
            ++first[size_t(l.origin) + 1];
            if (l.kind == MainLink) ends[size_t(l.origin)] = 0;
        }
        for (int i = 0; i < n; ++i)
            first[size_t(i) + 1] += first[size_t(i)];
        to.resize(size_t(first[size_t(n)]));
        std::vector<int> fill(first.begin(), first.end() - 1);
        for (const Link& l : chart.links)
            if (follows(l)) to[size_t(fill[size_t(l.origin)]++)] = l.final;
    }
    const int* begin(int i) const { return to.data() + first[size_t(i)]; }
    const int* end(int i) const { return to.data() + first[size_t(i) + 1]; }
};

// The strongly connected parts of what the start reaches (Tarjan's method
// with an explicit stack). Items the start does not reach get part -1.
struct Parts {
    std::vector<int> of;                 // per item: its part
    std::vector<std::vector<int>> items; // per part: its items, the first found first
    // Parts are numbered as they close: every link between two parts goes
    // from a higher number to a lower one.

    Parts(const Graph& g, int itemCount, int start) {
        of.assign(size_t(itemCount), -1);
        std::vector<int> index(size_t(itemCount), -1), low(size_t(itemCount), 0);
        std::vector<quint8> onStack(size_t(itemCount), 0);
        std::vector<int> stack;
        struct Frame {
            int item;
            const int* next;
        };
        std::vector<Frame> walk;
        int counter = 0;
        auto enter = [&](int v) {
            index[size_t(v)] = low[size_t(v)] = counter++;
            stack.push_back(v);
            onStack[size_t(v)] = 1;
            walk.push_back({v, g.begin(v)});
        };
        enter(start);
        while (!walk.empty()) {
            Frame& f = walk.back();
            const int v = f.item;
            if (f.next != g.end(v)) {
                const int w = *f.next++;
                if (index[size_t(w)] < 0)
                    enter(w);
                else if (onStack[size_t(w)])
                    low[size_t(v)] = std::min(low[size_t(v)], index[size_t(w)]);
                continue;
            }
            walk.pop_back();
            if (!walk.empty()) {
                const int parent = walk.back().item;
                low[size_t(parent)] = std::min(low[size_t(parent)], low[size_t(v)]);
            }
            if (low[size_t(v)] != index[size_t(v)]) continue;
            const int part = int(items.size());
            std::vector<int> members;
            int w = -1;
            do {
                w = stack.back();
                stack.pop_back();
                onStack[size_t(w)] = 0;
                of[size_t(w)] = part;
                members.push_back(w);
            } while (w != v);
            std::reverse(members.begin(), members.end());
            items.push_back(std::move(members));
        }
    }
};

bool isLoopCounterSet(const Item& it) {
    return it.kind == KindSet &&
           SetCodes::ReadSetItem(it.values).variant == SetVariant::LoopCounter;
}

bool testsLoopCounter(const Item& it) {
    return it.kind == KindCmp && CmpCodes::ConditionOf(it.values) == kLoopTag;
}

// "the loop through "A"", "the loop through "A" and "B"", "the loop through
// "A" and 4 other items".
FindingText loopName(const Chart& chart, const std::vector<int>& members) {
    const QString first = quoted(chart.items[size_t(members[0])].name);
    if (members.size() == 1)
        return FindingText::Of(QT_TRANSLATE_NOOP("Checks", "the loop through %1")).arg(first);
    if (members.size() == 2)
        return FindingText::Of(QT_TRANSLATE_NOOP("Checks", "the loop through %1 and %2"))
            .arg(FindingText::Same(first),
                 FindingText::Same(quoted(chart.items[size_t(members[1])].name)));
    return FindingText::Of(QT_TRANSLATE_NOOP("Checks", "the loop through %1 and %2 other items"))
        .arg(FindingText::Same(first), FindingText::Same(QString::number(members.size() - 1)));
}

// Loops that never end, and loops that end on a loop counter nothing loads.
void checkLoops(const Chart& chart, const Graph& g, Findings& out) {
    const Parts parts(g, chart.itemCount(), chart.startItem);
    const size_t count = parts.items.size();
    // Whether a SET item loads the loop counter on some way from the start
    // into the part; found in the order the parts are entered.
    std::vector<quint8> loadedBefore(count, 0);
    for (size_t p = count; p-- > 0;) {
        const std::vector<int>& members = parts.items[p];
        bool loads = loadedBefore[p];
        bool cycle = members.size() > 1;
        bool otherExit = false; // an end, or a way out that is no loop counter test
        int counterExit = -1;   // the first loop counter test that leads out
        for (int v : members) {
            const Item& it = chart.items[size_t(v)];
            loads = loads || isLoopCounterSet(it);
            bool leaves = g.ends[size_t(v)];
            for (const int* w = g.begin(v); w != g.end(v); ++w) {
                if (*w == v) cycle = true;
                if (parts.of[size_t(*w)] != int(p)) leaves = true;
            }
            if (!leaves) continue;
            if (testsLoopCounter(it) && !g.ends[size_t(v)]) {
                if (counterExit < 0) counterExit = v;
            } else {
                otherExit = true;
            }
        }
        for (int v : members)
            for (const int* w = g.begin(v); w != g.end(v); ++w)
                if (parts.of[size_t(*w)] != int(p) && loads)
                    loadedBefore[size_t(parts.of[size_t(*w)])] = 1;
        if (!cycle || chart.documentKind != MotionChart) continue;
        if (!otherExit && counterExit < 0) {
            out.push_back(finding(
                Finding::Severity::Warning, "endless", members[0],
                FindingText::Of(QT_TRANSLATE_NOOP("Checks",
                                                  "%1 has no way out: no CMP branch leaves it "
                                                  "and nothing in it ends the motion, so the "
                                                  "motion runs until Stop is pressed"))
                    .arg(loopName(chart, members))));
        } else if (!otherExit && !loads) {
            out.push_back(finding(
                Finding::Severity::Warning, "loop-without-counter", counterExit,
                FindingText::Of(
                    QT_TRANSLATE_NOOP("Checks",
                                      "%1 is left only when this CMP's loop counter test says so, "
                                      "but no SET item loads the loop counter before or in the "
                                      "loop: how often it runs depends on what an earlier motion "
                                      "left in the counter"))
                    .arg(loopName(chart, members))));
        }
    }
}

// The input a CMP item tests switched off by the board's options.
void checkInputs(const Chart& chart, const BoardCheckSettings& board, Findings& out) {
    std::array<bool, SetCodes::kAdInputs> calibrated{};
    for (const Item& it : chart.items) {
        if (it.kind != KindSet) continue;
        const SetChoice c = SetCodes::ReadSetItem(it.values);
        if (c.variant == SetVariant::AdReference && c.argument >= 0 &&
            c.argument < SetCodes::kAdInputs)
            calibrated[size_t(c.argument)] = true;
    }
    const bool receiver = board.optionWord & BoardCommands::kOptWrx1;
    for (int i = 0; i < chart.itemCount(); ++i) {
        const Item& it = chart.items[size_t(i)];
        if (it.kind != KindCmp) continue;
        const int tag = CmpCodes::ConditionOf(it.values);
        if (tag >= kFirstPaTag && !receiver) {
            const FindingText input =
                tag >= kFirstButtonTag
                    ? FindingText::Of(QT_TRANSLATE_NOOP("Checks", "the button input"))
                    : FindingText::Same(QStringLiteral("PA") +
                                        QString::number(tag - kFirstPaTag + 1));
            out.push_back(
                finding(Finding::Severity::Warning, "input-off", i,
                        FindingText::Of(
                            QT_TRANSLATE_NOOP("Checks", "tests %1 of the receiver, but the board's "
                                                        "options leave control through the WRX-1 "
                                                        "receiver unit off (option bit 3)"))
                            .arg(input)));
        } else if (tag >= kFirstAdTag && tag < kFirstPaTag) {
            const int input = tag - kFirstAdTag;
            const bool known = board.adReference.size() >= 2 * (input + 1);
            const int reference = known ? BigEndian::word(board.adReference, 2 * input) : 0;
            if (reference != 0 || calibrated[size_t(input)]) continue;
            const QString name = QStringLiteral("AD") + QString::number(input + 1);
            out.push_back(
                finding(Finding::Severity::Warning, "input-off", i,
                        FindingText::Of(QT_TRANSLATE_NOOP("Checks",
                                                          "tests the change of %1, but the board "
                                                          "holds no reference value for %1 (0) and "
                                                          "no SET item calibrates it"))
                            .arg(name)));
        }
    }
}

// POS channels outside the editor's range or on channels marked unused.
void checkPoses(const Chart& chart, quint32 usedChannels, Findings& out) {
    for (int i = 0; i < chart.itemCount(); ++i) {
        const Item& it = chart.items[size_t(i)];
        if (it.kind != KindPos) continue;
        QStringList unused;
        for (int k = 0; k < kChannelCount; ++k) {
            const int v = it.values[size_t(k)];
            if (v == Pose::kUnused) continue;
            if (!(usedChannels & (1u << k))) unused << channel(k);
            if (v < Pose::kLowestPosition || v > Pose::kHighestPosition) continue;
            if (v >= Pose::kBarMin && v <= Pose::kBarMax) continue;
            out.push_back(finding(
                Finding::Severity::Warning, "out-of-range", i,
                FindingText::Of(QT_TRANSLATE_NOOP("Checks",
                                                  "%1 is at %2, outside the editor's position "
                                                  "range %3 to %4"))
                    .arg(channel(k))
                    .arg(qint64(v))
                    .arg(qint64(Pose::kBarMin))
                    .arg(qint64(Pose::kBarMax))));
        }
        if (!unused.isEmpty())
            out.push_back(finding(
                Finding::Severity::Warning, "unused-channel", i,
                FindingText::Of(
                    QT_TRANSLATE_NOOP("Checks", "sets %1, which the data dialog marks unused"))
                    .arg(spoken(unused))));
    }
}

// Slots after the target that a long motion runs into while they hold a motion.
void checkSlots(const ChartCheckOptions& o, Findings& out) {
    constexpr int perSlot = QmxBoard::kRecordsPerSlot;
    if (o.slot < 0 || o.slot >= QmxBoard::kMotionSlots || o.records <= perSlot) return;
    const int last = std::min(o.slot + (o.records - 1) / perSlot, QmxBoard::kMotionSlots - 1);
    for (int s = o.slot + 1; s <= last; ++s) {
        const QByteArray& entry = o.entries[size_t(s)];
        const int held = MotionTable::EntryCount(entry);
        if (held == 0) continue;
        const QString name = MotionTable::EntryName(entry);
        out.push_back(finding(
            Finding::Severity::Error, "slot-overrun", -1,
            FindingText::Of(
                QT_TRANSLATE_NOOP("Checks", "the motion has %1 records and, written to %2, runs on "
                                            "into %3, which holds a motion (%4%5 records)"))
                .arg(qint64(o.records))
                .arg(FindingText::Same(MotionTable::Caption(o.slot)),
                     FindingText::Same(MotionTable::Caption(s)),
                     name.isEmpty() ? FindingText::Same(QString())
                                    : FindingText::Same(quoted(name)) +
                                          FindingText::Of(QT_TRANSLATE_NOOP("Checks", ", ")),
                     FindingText::Same(QString::number(held)))));
    }
}

} // namespace

BoardCheckSettings BoardCheckSettings::FromBackup(const BoardBackup& backup) {
    return BoardCheckSettings{backup.optionWord, backup.adReference};
}

void ChartCheckOptions::takeKnownEntries(const MotionTable& table) {
    for (int s = 0; s < QmxBoard::kMotionSlots; ++s)
        entries[size_t(s)] = table.isRead(s) ? table.entry(s) : QByteArray();
}

Findings RunChartChecks(const Chart& chart, const ChartCheckOptions& options) {
    Findings out;
    if (chart.items.empty()) return out;
    checkSlots(options, out);
    if (!chart.validItem(chart.startItem)) {
        out.push_back(finding(
            Finding::Severity::Error, "no-start", -1,
            FindingText::Of(QT_TRANSLATE_NOOP("Checks", "the chart has %1 items but no start "
                                                        "item, so it cannot be compiled"))
                .arg(qint64(chart.itemCount()))));
    } else {
        const Graph g(chart);
        checkLoops(chart, g, out);
        // What the start reaches, walked with a stack of its own.
        std::vector<quint8> reached(size_t(chart.itemCount()), 0);
        std::vector<int> stack{chart.startItem};
        reached[size_t(chart.startItem)] = 1;
        while (!stack.empty()) {
            const int v = stack.back();
            stack.pop_back();
            for (const int* w = g.begin(v); w != g.end(v); ++w)
                if (!reached[size_t(*w)]) {
                    reached[size_t(*w)] = 1;
                    stack.push_back(*w);
                }
        }
        for (int i = 0; i < chart.itemCount(); ++i)
            if (!reached[size_t(i)])
                out.push_back(finding(Finding::Severity::Warning, "unreachable", i,
                                      FindingText::Of(QT_TRANSLATE_NOOP(
                                          "Checks", "no path from the start item reaches this "
                                                    "item, so it is never played"))));
    }
    if (chart.documentKind == MotionChart) {
        if (options.board) checkInputs(chart, *options.board, out);
        checkPoses(chart, options.usedChannels, out);
    }
    // The whole chart's findings first, then item by item in the order found.
    std::stable_sort(out.begin(), out.end(),
                     [](const Finding& a, const Finding& b) { return a.item < b.item; });
    return out;
}

} // namespace qvx
