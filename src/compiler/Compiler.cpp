#include "compiler/Compiler.h"

#include "base/Services.h"
#include "compiler/HexText.h"
#include "board/WordClasses.h"

#include <algorithm>

namespace qvx {

namespace {

const char* const kNoStart = QT_TRANSLATE_NOOP("Compiler", "Set up the start item");
const char* const kNoBranch = QT_TRANSLATE_NOOP("Compiler", "There is no branch destination of");
const char* const kBadLinks = QT_TRANSLATE_NOOP("Compiler", "There is an errow in branch line of ");

void showError(Services& services, const QString& text) {
    services.ShowMessageBox(MsgIcon::Error, MsgButtons::Ok, 0, MsgLanguage::Japanese, text);
}

QString nameOf(const Chart& chart, int item) {
    return chart.validItem(item) ? chart.items[size_t(item)].name : QString();
}

} // namespace

bool Compiler::CheckStartItem(const Chart& chart, Services& services) {
    // A start index outside the item table is as unusable as none at all.
    if (chart.validItem(chart.startItem)) return true;
    services.ShowMessageBox(MsgIcon::Warning, MsgButtons::Ok, 0, MsgLanguage::Japanese,
                            tr(kNoStart));
    return false;
}

Successors Compiler::successors(const Chart& chart, int item, const int* links, int count,
                                Services& services) {
    Successors s;
    if (!chart.validItem(item)) return s;
    int nextCount = 0;
    int branchCount = 0;
    for (int n = 0; n < count; ++n) {
        const Link& l = chart.links[size_t(links ? links[n] : n)];
        // A link that does not end at an item of the chart leads nowhere.
        if (l.origin != item || !chart.validItem(l.final)) continue;
        if (l.kind != MainLink) {
            s.branch = l.final;
            ++branchCount;
        } else {
            s.next = l.final;
            ++nextCount;
        }
    }
    const Item& it = chart.items[size_t(item)];
    if (it.kind == KindCmp && branchCount == 0) {
        showError(services, tr(kNoBranch) + it.name);
        return s;
    }
    if (nextCount > 1 || branchCount > 1) {
        if (nextCount > 1) s.next = -1;
        if (branchCount > 1) s.branch = -1;
        showError(services, tr(kBadLinks) + it.name);
        return s;
    }
    s.ok = true;
    return s;
}

Successors Compiler::FindSuccessors(const Chart& chart, int item, Services& services) {
    return successors(chart, item, nullptr, chart.linkCount(), services);
}

Compiler::LinkIndex Compiler::indexLinks(const Chart& chart) {
    // Counting sort by origin keeps the table order inside each item's group,
    // so "the last link of a kind wins" stays as in a scan of the whole table.
    LinkIndex index;
    const int items = chart.itemCount();
    index.first.assign(size_t(items) + 1, 0);
    for (const Link& l : chart.links)
        if (chart.validItem(l.origin)) ++index.first[size_t(l.origin) + 1];
    for (int i = 0; i < items; ++i)
        index.first[size_t(i) + 1] += index.first[size_t(i)];
    index.order.resize(size_t(index.first[size_t(items)]));
    std::vector<int> fill(index.first.begin(), index.first.end() - 1);
    for (int n = 0; n < chart.linkCount(); ++n) {
        const int origin = chart.links[size_t(n)].origin;
        if (chart.validItem(origin)) index.order[size_t(fill[size_t(origin)]++)] = n;
    }
    return index;
}

void Compiler::ResetSteps(int itemCount) {
    m_stepCount = 0;
    m_stepItem.clear();
    m_stepTarget.clear();
    m_visited.assign(size_t(std::max(itemCount, 0)), 0);
    // Each item is laid out once and adds at most one jump or end step.
    m_stepItem.reserve(m_visited.size() * 2);
    m_stepTarget.reserve(m_visited.size() * 2);
}

void Compiler::appendStep(qint32 item, qint32 target) {
    m_stepItem.push_back(item);
    m_stepTarget.push_back(target);
    ++m_stepCount;
}

bool Compiler::layOutChain(const Chart& chart, const LinkIndex& index, int item, Services& services,
                           std::vector<int>& pending) {
    int cur = item;
    for (;;) {
        const int from = index.first[size_t(cur)];
        const int count = index.first[size_t(cur) + 1] - from;
        const Successors s = successors(chart, cur, index.order.data() + from, count, services);
        if (!s.ok) return false;
        m_visited[size_t(cur)] = 1;
        appendStep(cur, s.branch);
        if (s.branch != -1 && !m_visited[size_t(s.branch)]) pending.push_back(s.branch);
        if (s.next == -1) {
            appendStep(kEndStep, -1);
            return true;
        }
        if (m_visited[size_t(s.next)]) {
            appendStep(kJumpStep, s.next);
            return true;
        }
        cur = s.next;
    }
}

bool Compiler::WalkChart(const Chart& chart, int item, Services& services) {
    if (!chart.validItem(item)) return false;
    if (m_visited.size() != size_t(chart.itemCount())) m_visited.resize(size_t(chart.itemCount()), 0);

    // Depth first over the branch targets, with an explicit stack so that a
    // long cascade of branches cannot exhaust the call stack. Each frame holds
    // the targets queued while one chain was laid out.
    struct Frame {
        std::vector<int> pending;
        size_t at = 0;
    };
    const LinkIndex index = indexLinks(chart);
    std::vector<Frame> stack(1);
    if (!layOutChain(chart, index, item, services, stack.back().pending)) return false;
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.at == top.pending.size()) {
            stack.pop_back();
            continue;
        }
        const int p = top.pending[top.at++];
        if (m_visited[size_t(p)]) continue; // queued twice, or reached by an earlier chain
        Frame frame;
        if (!layOutChain(chart, index, p, services, frame.pending)) return false;
        stack.push_back(std::move(frame));
    }
    return true;
}

int Compiler::StepIndexOf(int item) const {
    if (item < 0) return -1;
    for (int i = 0; i < m_stepCount; ++i)
        if (m_stepItem[size_t(i)] == item) return i;
    return -1;
}

bool Compiler::CheckTargets(const Chart& chart, Services& services) const {
    std::vector<int> firstStep(size_t(chart.itemCount()), -1);
    for (int i = m_stepCount - 1; i >= 0; --i) {
        const int item = m_stepItem[size_t(i)];
        if (chart.validItem(item)) firstStep[size_t(item)] = i;
    }
    for (int i = 0; i < m_stepCount; ++i) {
        const int target = m_stepTarget[size_t(i)];
        if (!chart.validItem(target) || firstStep[size_t(target)] < 0) continue;
        const int t = firstStep[size_t(target)];
        const int item = m_stepItem[size_t(i)];
        if (item == kJumpStep) {
            if (t > kMaxTargetStep) {
                showError(services,
                          tr("The jump to %1 cannot be written: it goes to step %2, and a "
                             "jump reaches steps 0 to %3 only")
                              .arg(nameOf(chart, target))
                              .arg(t)
                              .arg(kMaxTargetStep));
                return false;
            }
            continue;
        }
        if (!chart.validItem(item)) continue;
        // Words of a branch or jump code carry the step in their offset; adding
        // the step must keep them in their class, or the board reads another code.
        const ChannelValues& values = chart.items[size_t(item)].values;
        for (int k = 0; k < kChannelCount; ++k) {
            const WordClass& c = WordClasses::ValueKind(values[size_t(k)]);
            if (c.kind != RecordCmp && c.kind != RecordJmp) continue;
            if (int(values[size_t(k)]) + t > int(c.last)) {
                showError(services,
                          tr("The branch of %1 to %2 cannot be written: step %3 added to the "
                             "code of CH%4 leaves its range")
                              .arg(nameOf(chart, item), nameOf(chart, target))
                              .arg(t)
                              .arg(k + 1));
                return false;
            }
        }
    }
    return true;
}

void Compiler::BuildListing(const Chart& chart) {
    const size_t steps = size_t(std::max(m_stepCount, 0));
    m_motionImage.assign(steps, MotionRecord{});
    auto source = std::make_shared<ListingSource>();
    source->steps.resize(steps);

    // The step index of every item, found once instead of per step.
    std::vector<int> firstStep(size_t(chart.itemCount()), -1);
    for (int i = m_stepCount - 1; i >= 0; --i) {
        const int item = m_stepItem[size_t(i)];
        if (chart.validItem(item)) firstStep[size_t(item)] = i;
    }

    // A step whose target is no laid-out item writes the target step of the
    // step before it.
    int t = -1;
    for (size_t i = 0; i < steps; ++i) {
        const int item = m_stepItem[i];
        const int target = m_stepTarget[i];
        if (chart.validItem(target) && firstStep[size_t(target)] >= 0)
            t = firstStep[size_t(target)];
        MotionRecord& r = m_motionImage[i];
        StepText& text = source->steps[i];
        text.target = target;
        text.targetStep = t;
        text.targetName = nameOf(chart, target);

        if (item == kJumpStep) {
            text.item = kJumpStep;
            r.lead = 1;
            r.words.fill(quint16(0x8107 + t));
        } else if (!chart.validItem(item)) {
            // The end mark (and anything that is not an item).
            text.item = kEndStep;
            r.lead = 1;
            r.words.fill(0xFFFF);
        } else {
            const Item& it = chart.items[size_t(item)];
            text.item = item;
            text.name = it.name;
            if (target == -1) {
                r.lead = it.lead;
                r.words = it.values;
            } else {
                r.lead = 1;
                for (int k = 0; k < kChannelCount; ++k)
                    r.words[size_t(k)] = quint16(it.values[size_t(k)] + t);
            }
        }
    }
    source->image = m_motionImage;
    m_source = std::move(source);
    m_listing.clear();
    m_stepRows.clear();
    m_listingFormatted = false;
    m_hexRows.clear();
    m_hexFormatted = false;
}

void Compiler::formatListing() const {
    m_listingFormatted = true;
    m_listing.clear();
    m_stepRows.clear();
    if (!m_source) return;
    const std::vector<StepText>& steps = m_source->steps;
    m_listing.reserve(qsizetype(steps.size()));
    m_stepRows.reserve(qsizetype(steps.size()));
    for (size_t i = 0; i < steps.size(); ++i) {
        const StepText& s = steps[i];
        const QString number = QString::number(i);
        if (s.item == kJumpStep) {
            const QString label = s.targetName + u'(' + QString::number(s.targetStep) + u')';
            const QString comment =
                QStringLiteral("; ") + s.targetName + QStringLiteral("にジャンプ");
            m_listing << QStringLiteral(",JMP,\"") + label + QStringLiteral("\",\"") + comment +
                             u'"';
            m_stepRows << QStringList{number, QString(), QStringLiteral("JMP"), label, comment};
        } else if (s.item == kEndStep) {
            const QString comment = QStringLiteral("; 終了");
            m_listing << QStringLiteral(",END,,\"") + comment + u'"';
            m_stepRows << QStringList{number, QString(), QStringLiteral("END"), QString(), comment};
        } else if (s.target == -1) {
            // A pose step's record holds the item's lead and values unchanged.
            const QString hex = HexText::FormatRecordHex(m_source->image[i]);
            m_listing << u'"' + s.name + QStringLiteral("\",PRM,") + hex;
            m_stepRows << QStringList{number, s.name, QStringLiteral("PRM"), hex};
        } else {
            const QString comment =
                QStringLiteral("; ") + s.targetName + QStringLiteral("へ条件分岐");
            m_listing << u'"' + s.name + QStringLiteral("\",CPJ,\"") + s.targetName +
                             QStringLiteral("\",\"") + comment + u'"';
            m_stepRows << QStringList{number, s.name, QStringLiteral("CPJ"), s.targetName, comment};
        }
    }
}

const QStringList& Compiler::listingLines() const {
    if (!m_listingFormatted) formatListing();
    return m_listing;
}

const QList<QStringList>& Compiler::stepRows() const {
    if (!m_listingFormatted) formatListing();
    return m_stepRows;
}

const QStringList& Compiler::hexRows() const {
    if (!m_hexFormatted) {
        m_hexFormatted = true;
        m_hexRows = m_source ? HexText::HexRows(m_source->image) : QStringList();
    }
    return m_hexRows;
}

QString Compiler::listingText() const {
    const QStringList& lines = listingLines();
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return text;
}

void Compiler::adopt(Compiler&& work) {
    m_stepCount = work.m_stepCount;
    m_stepItem = std::move(work.m_stepItem);
    m_stepTarget = std::move(work.m_stepTarget);
    m_visited = std::move(work.m_visited);
    m_motionImage = std::move(work.m_motionImage);
    m_source = std::move(work.m_source);
    m_listingFormatted = work.m_listingFormatted;
    m_listing = std::move(work.m_listing);
    m_stepRows = std::move(work.m_stepRows);
    m_hexFormatted = work.m_hexFormatted;
    m_hexRows = std::move(work.m_hexRows);
    m_showsScenario = work.m_showsScenario;
}

void Compiler::SetMotionImage(std::vector<MotionRecord> image) {
    m_motionImage = std::move(image);
}

void Compiler::SetSteps(std::vector<qint32> items, std::vector<qint32> targets) {
    targets.resize(items.size(), -1);
    m_stepCount = qint32(items.size());
    m_stepItem = std::move(items);
    m_stepTarget = std::move(targets);
}

bool Compiler::CompileMotionChart(const Chart& chart, Services& services) {
    if (chart.items.empty()) return false;
    if (!CheckStartItem(chart, services)) return false;
    // Everything is built aside and taken over only when the whole compile
    // succeeds, so a failure leaves the previous result in place.
    Compiler work;
    work.ResetSteps(chart.itemCount());
    if (!work.WalkChart(chart, chart.startItem, services)) return false;
    if (!work.CheckTargets(chart, services)) return false;
    work.BuildListing(chart);
    work.m_showsScenario = false;
    adopt(std::move(work));
    return true;
}

bool Compiler::CompileScenarioChart(const Chart& chart, Services& services) {
    if (chart.items.empty()) return false;
    if (!CheckStartItem(chart, services)) return false;
    // The LIST view is emptied first and stays empty when the chain is faulty.
    m_hexFormatted = true;
    m_hexRows.clear();
    m_showsScenario = true;

    const LinkIndex index = indexLinks(chart);
    std::vector<quint8> visited(size_t(chart.itemCount()), 0);
    std::vector<qint32> steps;
    QStringList rows;
    int cur = chart.startItem;
    for (;;) {
        const Item& it = chart.items[size_t(cur)];
        rows << QStringLiteral("M") + QString::number(int(it.lead) + 1) + u' ' + it.name;
        visited[size_t(cur)] = 1;
        steps.push_back(cur);
        const int from = index.first[size_t(cur)];
        const Successors s = successors(chart, cur, index.order.data() + from,
                                        index.first[size_t(cur) + 1] - from, services);
        // The first faulty item ends compiling, as in a motion chart.
        if (!s.ok) return false;
        // A chain that returns to an earlier item simply ends there.
        if (s.next == -1 || visited[size_t(s.next)]) break;
        cur = s.next;
    }
    m_stepCount = qint32(steps.size());
    m_stepItem = std::move(steps);
    m_stepTarget.assign(m_stepItem.size(), -1);
    m_visited = std::move(visited);
    m_hexRows = std::move(rows);
    return true;
}

} // namespace qvx
