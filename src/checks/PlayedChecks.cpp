#include "checks/PlayedChecks.h"

#include <algorithm>

namespace qvx {

PlayedMotion PlayForChecks(const std::vector<MotionRecord>& records,
                           const std::vector<qint32>& stepItem) {
    PlayedMotion played;
    played.stepItem = stepItem;
    const TimelineInputs fresh;
    TimelineInputs highest = fresh;
    highest.button = 0xFFFF;
    highest.receiver.fill(0xFF);
    highest.analog.fill(TimelineInputs::kAnalogMax);
    highest.compare = TimelineInputs::kCompareMax;
    TimelineInputs lowest = fresh;
    lowest.button = 0;
    lowest.receiver.fill(0);
    lowest.analog.fill(0);
    lowest.compare = TimelineInputs::kCompareMin;
    played.timeline = ComputeTimeline(records, stepItem, fresh);
    played.tried = 1;
    played.endlessOnEveryInput = !played.timeline.ended;
    for (const TimelineInputs& inputs : {highest, lowest}) {
        if (!played.endlessOnEveryInput) break;
        ++played.tried;
        played.endlessOnEveryInput = !ComputeTimeline(records, stepItem, inputs).ended;
    }
    return played;
}

Findings PlayedFindings(const PlayedMotion& played, const Findings& found) {
    if (!played.endlessOnEveryInput) return {};
    if (std::any_of(found.begin(), found.end(),
                    [](const Finding& f) { return f.code == QLatin1String("endless"); }))
        return {};
    const Timeline& t = played.timeline;
    const int item = t.outputs.empty() ? -1 : t.itemAt(int(t.outputs.size()) - 1, played.stepItem);
    return {MakeFinding(
        Finding::Severity::Warning, QStringLiteral("endless"), item,
        FindingText::Of(
            QT_TRANSLATE_NOOP("Checks",
                              "the motion still played after %1 s of board time with each of the "
                              "%2 input combinations tried (as a fresh board starts, every input "
                              "at its highest, every input at its lowest), so it may run until "
                              "Stop is pressed; this item was executing at the limit"))
            .arg(qint64(t.limitMs / 1000))
            .arg(qint64(played.tried)))};
}

std::vector<PoseInstant> PlayedInstants(const PlayedMotion& played) {
    const Timeline& t = played.timeline;
    std::vector<PoseInstant> instants;
    instants.reserve(t.outputs.size());
    // A jump or the end mark may execute while the robot still moves to the
    // last pose: the pose belongs to the item that started that move.
    int item = -1;
    for (std::size_t i = 0; i < t.outputs.size(); ++i) {
        const int executing = t.itemAt(int(i), played.stepItem);
        if (executing >= 0) item = executing;
        instants.push_back({t.outputs[i], item, int(i) * Timeline::kSampleMs});
    }
    return instants;
}

} // namespace qvx
