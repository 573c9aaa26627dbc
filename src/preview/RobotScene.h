#pragma once

#include "preview/ChannelMapping.h"
#include "preview/RobotModel.h"

#include <QMatrix4x4>
#include <QVector3D>
#include <memory>
#include <vector>

namespace qvx {

// A robot model placed in a pose: where every link and joint is in the
// model's frame, by forward kinematics over the joint tree.
class RobotScene {
  public:
    explicit RobotScene(std::shared_ptr<const RobotModel> model);

    const RobotModel& model() const { return *m_model; }
    const std::shared_ptr<const RobotModel>& sharedModel() const { return m_model; }

    // Moves the joints to the pose's values (joints the pose lacks stay at 0).
    void setPose(const JointPose& pose);
    const JointPose& pose() const { return m_pose; }

    // A link's frame in the model's frame.
    const QMatrix4x4& linkFrame(int link) const { return m_linkFrames[std::size_t(link)]; }
    // Where a joint's axis passes through, in the model's frame.
    QVector3D jointPosition(int joint) const;

    // The joint drawn highlighted (-1: none).
    int highlightedJoint = -1;

  private:
    std::shared_ptr<const RobotModel> m_model;
    JointPose m_pose;
    std::vector<QMatrix4x4> m_linkFrames;
};

// A placement as a matrix.
QMatrix4x4 PlacementMatrix(const Placement& p);

} // namespace qvx
