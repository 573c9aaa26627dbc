#pragma once

#include "document/ChartTypes.h"
#include "pose/PoseData.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace qvx {

class IniFile;
class RobotModel;

// The angle a channel's position moves its joint by default: the editor's
// whole scroll range either side of neutral stands for 90 degrees.
inline constexpr double kDefaultDegreesPerUnit = 90.0 / Pose::kEditHalfRange;

// What one channel drives: a joint of the robot model (none when empty), the
// direction, the degrees one position unit turns it and the joint's angle at
// the neutral position. For a sliding joint the degrees are millimetres.
struct ChannelDrive {
    QString joint;
    int sign = 1;
    double degreesPerUnit = kDefaultDegreesPerUnit;
    double offsetDegrees = 0;

    bool operator==(const ChannelDrive&) const = default;
};

// The value a joint is drawn at, for one set of channel words.
struct JointState {
    // Radians (turning joints) or metres (sliding joints), within the limits.
    double value = 0;
    // The channel asked for a value outside the joint's limits.
    bool atLimit = false;
    // The value the channel asked for, before it was kept within the limits.
    double requested = 0;
    // The channel drives no servo position (FREE, unused): the joint keeps
    // its last value.
    bool limp = false;
    // The channel (1..24) that drives the joint; 0 for none.
    int channel = 0;
};

// Joint values by joint index of the model.
using JointPose = std::vector<JointState>;

// Which joint each of CH1..CH24 drives, kept in section [RobotChannels] of the
// settings file, one key per channel: CHn=SIGN,DEGREES PER UNIT,OFFSET,JOINT
// (the joint last, so its name may hold commas; an empty value drives nothing).
class ChannelMapping {
  public:
    static constexpr char kSection[] = "RobotChannels";

    std::array<ChannelDrive, Pose::kChannels> drives{};

    // CHn to the model's n-th movable joint, in the order of the file.
    static ChannelMapping ForModel(const RobotModel& model);
    // The section of the settings file; nothing when it is absent. A faulty
    // key gives nothing and a message naming the key and the fault.
    static std::optional<ChannelMapping> Read(const IniFile& ini, QString* error);
    // The mapping the settings file keeps, or the model's own order when it
    // keeps none; nothing, with the message, when the section is faulty.
    static std::optional<ChannelMapping> FromSettings(const IniFile& ini, const RobotModel& model,
                                                      QString* error);
    // Writes all 24 keys of the section.
    void write(IniFile& ini) const;
    // One message per channel naming a joint the model does not have (those
    // channels move nothing).
    QStringList check(const RobotModel& model) const;

    // The joints' values for a pose's channel words. A joint driven by a
    // channel that holds no servo position keeps its value from previous (0
    // when there is none) and is marked limp.
    JointPose jointPose(const RobotModel& model, const ChannelValues& words,
                        const JointPose* previous = nullptr) const;

    bool operator==(const ChannelMapping&) const = default;
};

} // namespace qvx
