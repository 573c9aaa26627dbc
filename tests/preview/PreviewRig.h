#pragma once

#include "preview/ChannelMapping.h"
#include "preview/RobotModel.h"

#include <QTest>
#include <memory>

namespace qvxtest {

// The shipped humanoid, read once per test.
inline std::shared_ptr<const qvx::RobotModel> defaultModel() {
    QString error;
    std::optional<qvx::RobotModel> model =
        qvx::RobotModel::Load(qvx::RobotModel::DefaultModelPath(), &error);
    if (!model) qWarning("%s", qPrintable(error));
    return model ? std::make_shared<const qvx::RobotModel>(std::move(*model)) : nullptr;
}

// Channel words at neutral but for the channels given as (channel, offset
// from neutral in position units).
inline qvx::ChannelValues poseWords(std::initializer_list<std::pair<int, int>> moved) {
    qvx::ChannelValues words;
    words.fill(qvx::Pose::kNeutral);
    for (const auto& [channel, units] : moved)
        words[std::size_t(channel - 1)] = quint16(qvx::Pose::kNeutral + units);
    return words;
}

// Position units for an angle with the default 690 units to 90 degrees.
constexpr int unitsFor(int degrees) {
    return degrees * qvx::Pose::kEditHalfRange / 90;
}

} // namespace qvxtest
