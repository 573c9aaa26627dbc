#include "preview/RobotScene.h"

#include <QQuaternion>
#include <numbers>

namespace qvx {

QMatrix4x4 PlacementMatrix(const Placement& p) {
    QMatrix4x4 m;
    m.translate(float(p.position.x), float(p.position.y), float(p.position.z));
    m.rotate(QQuaternion(float(p.qw), float(p.qx), float(p.qy), float(p.qz)));
    return m;
}

RobotScene::RobotScene(std::shared_ptr<const RobotModel> model)
    : m_model(std::move(model)), m_linkFrames(m_model->links().size()) {
    setPose({});
}

void RobotScene::setPose(const JointPose& pose) {
    const auto& joints = m_model->joints();
    m_pose = pose;
    m_pose.resize(joints.size());
    for (int link : m_model->linkOrder()) {
        const int j = m_model->links()[std::size_t(link)].parentJoint;
        if (j < 0) {
            m_linkFrames[std::size_t(link)] = QMatrix4x4();
            continue;
        }
        const ModelJoint& joint = joints[std::size_t(j)];
        QMatrix4x4 frame =
            m_linkFrames[std::size_t(joint.parentLink)] * PlacementMatrix(joint.origin);
        const QVector3D axis(float(joint.axis.x), float(joint.axis.y), float(joint.axis.z));
        const double value = m_pose[std::size_t(j)].value;
        if (joint.kind == JointKind::Prismatic)
            frame.translate(axis * float(value));
        else if (joint.kind == JointKind::Revolute || joint.kind == JointKind::Continuous)
            frame.rotate(float(value * 180.0 / std::numbers::pi), axis);
        m_linkFrames[std::size_t(link)] = frame;
    }
}

QVector3D RobotScene::jointPosition(int joint) const {
    const ModelJoint& j = m_model->joints()[std::size_t(joint)];
    return (m_linkFrames[std::size_t(j.parentLink)] * PlacementMatrix(j.origin)).map(QVector3D());
}

} // namespace qvx
