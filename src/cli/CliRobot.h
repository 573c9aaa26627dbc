#pragma once

#include "preview/ChannelMapping.h"
#include "preview/RobotModel.h"

#include <QString>
#include <memory>
#include <optional>

namespace qvx {

class CliServices;

// A robot model with the channel mapping of the settings file, as the verbs
// that draw or check a robot use them.
struct CliRobot {
    std::shared_ptr<const RobotModel> model;
    ChannelMapping mapping;
};

// Reads the model at `path` (the shipped one when empty) and the channel
// mapping the settings file keeps for it (read only). Nothing, after a line
// "qvx COMMAND failed: CAUSE" on standard error, when either cannot be read; the mapping's
// faults that still leave a model (joints it does not have) go to standard
// error too.
std::optional<CliRobot> LoadCliRobot(QString path, const QString& command, CliServices& io);

} // namespace qvx
