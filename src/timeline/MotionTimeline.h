#pragma once

#include "board/BoardProtocol.h"
#include "board/MotionRecord.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace qvx {

class Chart;
struct PoseLayout;

// What the board's inputs hold while a motion plays on the timeline: they
// decide the CMP branches. The defaults are the values the simulated board
// starts with.
struct TimelineInputs {
    quint16 button = 0;
    std::array<quint8, 4> receiver{}; // PA1..PA4
    std::array<int, 3> analog{};      // AD1..AD3, 0..0x3FFF
    // The compare register as earlier motions left it.
    int compare = 0;

    static constexpr int kAnalogMax = 0x3FFF;
    static constexpr int kCompareMin = -1023;
    static constexpr int kCompareMax = 1023;

    TimelineInputs();
    bool operator==(const TimelineInputs&) const = default;

    // Reads "key=value,..." over these values: button, pa1..pa4, ad1..ad3
    // and cmp, numbers in decimal or 0x hex. Nothing, with the reason in
    // `error`, for an unknown key or a value out of its range.
    std::optional<TimelineInputs> parsed(const QString& text, QString* error) const;
    // The values in the form parsed() reads, every key named.
    QString text() const;
};

// The servo outputs of a motion over board time, as the simulated board's own
// player produces them on a virtual clock: one sample every 10 ms from the
// moment play starts, until the motion ends or the limit is reached.
struct Timeline {
    using Words = BigEndian::Words;
    static constexpr int kSampleMs = 10;
    static constexpr int kDefaultLimitMs = 60000;

    // A record that started executing: when, its step (record index) and
    // the chart item it was laid out for (-1 for a jump or the end mark).
    struct Mark {
        int timeMs = 0;
        int step = 0;
        int item = -1;
    };

    // Sample i is taken at i x 10 ms; sample 0 is the pose before play starts.
    std::vector<Words> outputs;
    // The step executing at each sample (-1 before the first record).
    std::vector<int> steps;
    std::vector<Mark> marks;
    // The channels some record of the motion puts a servo position on.
    std::array<bool, QmxBoard::kChannels> used{};
    // False when the motion was still playing at the limit.
    bool ended = true;
    int limitMs = kDefaultLimitMs;

    int endMs() const { return outputs.empty() ? 0 : int(outputs.size() - 1) * kSampleMs; }
    // The sample at or before the time, kept to the samples there are.
    int sampleAt(int timeMs) const;
    // The item executing at sample i (-1 when none): the step's item.
    int itemAt(int sample, const std::vector<qint32>& stepItem) const;
};

// Plays the records (a compiled motion image) on a simulated board of its own,
// stored as the board stores a motion (in slot 0, running on into the next
// slots when longer than a slot), with the inputs given, for at most limitMs of
// board time. stepItem maps a step to its chart item for the marks.
Timeline ComputeTimeline(const std::vector<MotionRecord>& records,
                         const std::vector<qint32>& stepItem, const TimelineInputs& inputs,
                         int limitMs = Timeline::kDefaultLimitMs);

// What a timeline's samples and chart name and how they show positions: the
// chart items' names (by item number, for the marks), the channels' names and
// the pose window's display rates.
struct TimelineLabels {
    std::vector<QString> itemNames;
    std::array<QString, QmxBoard::kChannels> channelNames;
    std::array<float, QmxBoard::kChannels> rates;

    // CH1..CH24 at rate 1, no items.
    TimelineLabels();
    // The channels' names and rates of the pose window's layout, the names
    // of the chart's items.
    TimelineLabels(const PoseLayout& layout, const Chart& chart);
};

// A channel word as the pose window shows it at the display rate: a servo
// position as its shown number; nothing for anything else (an output, FREE).
std::optional<int> ShownOutput(quint16 word, float rate);

// The text that says the motion was cut at the limit.
QString TimelineLimitText(int limitMs);

} // namespace qvx
