#pragma once

#include "checks/Finding.h"
#include "checks/PlayedChecks.h"
#include "checks/SolidGeometry.h"
#include "preview/ChannelMapping.h"
#include "preview/RobotModel.h"

#include <QStringList>
#include <memory>
#include <vector>

namespace qvx {

class Chart;
class RobotScene;

// The checks that need a robot model: a POS item asking for more than its
// joints allow (out-of-range), links that are not parent and child running
// into each other (self-collision), and the centre of mass leaving the
// support of the links on the ground (unstable).
class ModelChecks {
  public:
    ModelChecks(std::shared_ptr<const RobotModel> model, ChannelMapping mapping);
    ~ModelChecks();

    // The checks the model cannot support, one sentence each, to be said once:
    // a model without collision geometry, a model without inertials.
    const QStringList& skipped() const { return m_skipped; }

    // Checks every POS item's pose, then the instants (collision and
    // stability only: their limits are the items'). One finding at most per
    // item and code, the first met.
    Findings check(const Chart& chart, const std::vector<PoseInstant>& instants) const;

  private:
    // A collision shape in its link's frame.
    struct Solid {
        int link = -1;
        bool sphere = false;
        QMatrix4x4 offset;
        QVector3D half;
    };
    struct PoseReport {
        FindingText collision; // why the pose collides, empty when it does not
        FindingText unstable;  // why it is unstable, empty when it is not
    };
    PoseReport examine(RobotScene& scene, const ChannelValues& words) const;
    FindingText collision(const std::vector<PlacedSolid>& placed) const;
    FindingText instability(const RobotScene& scene, const std::vector<PlacedSolid>& placed) const;

    std::shared_ptr<const RobotModel> m_model;
    ChannelMapping m_mapping;
    std::vector<Solid> m_solids;
    // Pairs of solids (indices into m_solids) of links that are not parent
    // and child.
    std::vector<std::pair<int, int>> m_pairs;
    bool m_hasMass = false;
    QStringList m_skipped;
};

} // namespace qvx
