#pragma once

#include "board/MotionRecord.h"
#include "checks/Finding.h"
#include "document/ChartTypes.h"
#include "timeline/MotionTimeline.h"

#include <vector>

namespace qvx {

// A pose the robot takes: an item's own pose, or an instant of the motion as
// the board plays it.
struct PoseInstant {
    ChannelValues words{};
    // The item the pose belongs to (the one executing at that instant), -1
    // when none is known.
    int item = -1;
    // Board time of the instant in ms, -1 for an item's own pose.
    int timeMs = -1;
};

// A compiled motion as the simulated board plays it, for the checks that look
// at what happens over time.
struct PlayedMotion {
    // Played with the inputs a fresh board starts with.
    Timeline timeline;
    std::vector<qint32> stepItem;
    // How many input combinations were tried, and whether the motion was still
    // playing at the limit with every one of them.
    int tried = 0;
    bool endlessOnEveryInput = false;
};

// Plays the records with the inputs of a fresh board, every input at its
// highest, and every input at its lowest with the lowest compare register.
PlayedMotion PlayForChecks(const std::vector<MotionRecord>& records,
                           const std::vector<qint32>& stepItem);

// `endless` when the motion played on past the limit with every input tried
// and the chart's own walk did not already find an endless loop (`found`).
Findings PlayedFindings(const PlayedMotion& played, const Findings& found);

// The pose at each sample of the played timeline, with the item executing
// (the last item that did, while a jump or the end mark executes).
std::vector<PoseInstant> PlayedInstants(const PlayedMotion& played);

} // namespace qvx
