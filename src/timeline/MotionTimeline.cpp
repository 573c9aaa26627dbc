#include "timeline/MotionTimeline.h"

#include "document/Chart.h"
#include "pose/PoseData.h"
#include "pose/PoseLayout.h"
#include "sim/BoardSimulator.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <functional>

namespace qvx {

namespace {

constexpr int kMotion = 0;

std::optional<int> parseNumber(const QString& text) {
    bool ok = false;
    const QString t = text.trimmed();
    const bool negative = t.startsWith(u'-');
    const QString digits = negative ? t.mid(1) : t;
    const int v = digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                      ? digits.mid(2).toInt(&ok, 16)
                      : digits.toInt(&ok, 10);
    if (!ok || digits.startsWith(u'-')) return std::nullopt;
    return negative ? -v : v;
}

// One key of the input text: its range and where its value goes.
struct InputKey {
    QString name;
    int min, max;
    std::function<void(TimelineInputs&, int)> set;
};

const std::vector<InputKey>& inputKeys() {
    static const std::vector<InputKey> keys = [] {
        std::vector<InputKey> k;
        k.push_back({QStringLiteral("button"), 0, 0xFFFF,
                     [](TimelineInputs& in, int v) { in.button = quint16(v); }});
        for (int i = 0; i < 4; ++i)
            k.push_back({QStringLiteral("pa%1").arg(i + 1), 0, 0xFF,
                         [i](TimelineInputs& in, int v) { in.receiver[size_t(i)] = quint8(v); }});
        for (int i = 0; i < 3; ++i)
            k.push_back({QStringLiteral("ad%1").arg(i + 1), 0, TimelineInputs::kAnalogMax,
                         [i](TimelineInputs& in, int v) { in.analog[size_t(i)] = v; }});
        k.push_back({QStringLiteral("cmp"), TimelineInputs::kCompareMin,
                     TimelineInputs::kCompareMax,
                     [](TimelineInputs& in, int v) { in.compare = v; }});
        return k;
    }();
    return keys;
}

} // namespace

TimelineInputs::TimelineInputs() {
    const BoardSimulator::Stored fresh;
    button = fresh.buttonInput;
    receiver = fresh.receiverInputs;
    for (int i = 0; i < 3; ++i)
        analog[size_t(i)] = fresh.analogInputs[size_t(i + 1)];
}

std::optional<TimelineInputs> TimelineInputs::parsed(const QString& text, QString* error) const {
    TimelineInputs in = *this;
    auto refuse = [error](const QString& why) {
        if (error) *error = why;
        return std::nullopt;
    };
    if (text.trimmed().isEmpty()) return in;
    for (const QString& part : text.split(u',')) {
        const qsizetype eq = part.indexOf(u'=');
        if (eq < 0)
            return refuse(QCoreApplication::translate("MotionTimeline", "\"%1\" is not KEY=VALUE")
                              .arg(part.trimmed()));
        const QString key = part.left(eq).trimmed().toLower();
        const QString value = part.mid(eq + 1).trimmed();
        const auto& keys = inputKeys();
        const auto k = std::find_if(keys.begin(), keys.end(),
                                    [&key](const InputKey& x) { return x.name == key; });
        if (k == keys.end())
            return refuse(QCoreApplication::translate("MotionTimeline",
                                                      "unknown input \"%1\" (known: button, "
                                                      "pa1..pa4, ad1..ad3, cmp)")
                              .arg(key));
        const std::optional<int> v = parseNumber(value);
        if (!v || *v < k->min || *v > k->max)
            return refuse(QCoreApplication::translate(
                              "MotionTimeline", "%1 must be a number from %2 to %3, not \"%4\"")
                              .arg(key)
                              .arg(k->min)
                              .arg(k->max)
                              .arg(value));
        k->set(in, *v);
    }
    return in;
}

QString TimelineInputs::text() const {
    QStringList parts{QStringLiteral("button=0x%1").arg(button, 4, 16, QLatin1Char('0'))};
    for (int i = 0; i < 4; ++i)
        parts << QStringLiteral("pa%1=%2").arg(i + 1).arg(receiver[size_t(i)]);
    for (int i = 0; i < 3; ++i)
        parts << QStringLiteral("ad%1=%2").arg(i + 1).arg(analog[size_t(i)]);
    parts << QStringLiteral("cmp=%1").arg(compare);
    return parts.join(u',');
}

int Timeline::sampleAt(int timeMs) const {
    if (outputs.empty()) return 0;
    return qBound(0, timeMs / kSampleMs, int(outputs.size()) - 1);
}

int Timeline::itemAt(int sample, const std::vector<qint32>& stepItem) const {
    if (sample < 0 || sample >= int(steps.size())) return -1;
    const int step = steps[size_t(sample)];
    return step >= 0 && step < int(stepItem.size()) ? stepItem[size_t(step)] : -1;
}

Timeline ComputeTimeline(const std::vector<MotionRecord>& records,
                         const std::vector<qint32>& stepItem, const TimelineInputs& inputs,
                         int limitMs) {
    Timeline t;
    t.limitMs = qMax(Timeline::kSampleMs, limitMs);
    const int count = qMin(int(records.size()), QmxBoard::kMaxRecords);
    BoardSimulator sim;
    auto& stored = sim.stored();
    for (int i = 0; i < count; ++i) {
        stored.records[size_t(kMotion * QmxBoard::kRecordsPerSlot + i)] = records[size_t(i)];
        for (int k = 0; k < QmxBoard::kChannels; ++k) {
            const quint16 w = records[size_t(i)].words[size_t(k)];
            if (w >= Pose::kLowestPosition && w <= Pose::kHighestPosition) t.used[size_t(k)] = true;
        }
    }
    stored.table[kMotion][0] = char(count);
    sim.setButtonInput(inputs.button);
    sim.setReceiverValues(inputs.receiver);
    for (int i = 0; i < 3; ++i)
        sim.setAdValue(i + 1, inputs.analog[size_t(i)]);
    sim.setCompareRegister(inputs.compare);
    sim.startPlay(kMotion);

    const int samples = t.limitMs / Timeline::kSampleMs + 1;
    t.outputs.reserve(size_t(samples));
    t.steps.reserve(size_t(samples));
    t.outputs.push_back(sim.servoOutput());
    t.steps.push_back(-1);
    int step = -1;
    for (int i = 1; i < samples && sim.playing(); ++i) {
        sim.executedRecords.clear();
        sim.advance(Timeline::kSampleMs);
        for (int executed : sim.executedRecords) {
            const qint32 item = executed < int(stepItem.size()) ? stepItem[size_t(executed)] : -1;
            if (item >= 0) t.marks.push_back({i * Timeline::kSampleMs, executed, item});
        }
        if (!sim.executedRecords.isEmpty()) step = sim.executedRecords.last();
        t.outputs.push_back(sim.servoOutput());
        t.steps.push_back(step);
    }
    t.ended = !sim.playing();
    return t;
}

TimelineLabels::TimelineLabels() {
    for (int c = 0; c < QmxBoard::kChannels; ++c)
        channelNames[size_t(c)] = PoseLayout::DefaultName(c + 1);
    rates.fill(1.0f);
}

TimelineLabels::TimelineLabels(const PoseLayout& layout, const Chart& chart) {
    for (int c = 0; c < QmxBoard::kChannels; ++c) {
        channelNames[size_t(c)] = layout.channels[size_t(c)].name;
        rates[size_t(c)] = layout.channels[size_t(c)].rate;
    }
    for (const Item& item : chart.items)
        itemNames.push_back(item.name);
}

std::optional<int> ShownOutput(quint16 word, float rate) {
    if (word < Pose::kLowestPosition || word > Pose::kHighestPosition) return std::nullopt;
    return ShownNumber(word, rate);
}

QString TimelineLimitText(int limitMs) {
    return QCoreApplication::translate(
               "MotionTimeline",
               "The motion did not end within %1 s of board time; shown up to the limit.")
        .arg(limitMs / 1000.0);
}

} // namespace qvx
