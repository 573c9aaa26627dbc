#include "checks/ModelChecks.h"

#include "document/Chart.h"
#include "preview/RobotScene.h"

#include <QCoreApplication>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <set>

namespace qvx {

namespace {

// Solids overlapping by less than this are taken as touching, not colliding:
// the numbers of a pose are not exact to a fraction of a millimetre.
constexpr float kCollisionDepth = 0.0005f;
// Support points this close above the lowest point of the robot stand on the
// ground: a foot tilted by a few degrees still stands on its whole sole.
constexpr float kGroundTolerance = 0.005f;

FindingText AtTime(int timeMs) {
    return timeMs < 0
               ? FindingText{}
               : FindingText::Of(QT_TRANSLATE_NOOP("Checks", " at %1 s")).arg(timeMs / 1000.0, 2);
}

// A joint value as the user thinks of it: degrees, or millimetres for a sliding joint.
QString JointAmount(const ModelJoint& joint, double value) {
    return joint.kind == JointKind::Prismatic
               ? QString::number(value * 1000.0, 'f', 1)
               : QString::number(value * 180.0 / std::numbers::pi, 'f', 1);
}

// The box around a mesh in its own frame: where its centre is and its half sides.
std::pair<QVector3D, QVector3D> MeshBox(const TriangleMesh& mesh) {
    const auto& c = mesh.corners;
    if (c.size() < 3) return {QVector3D(), QVector3D()};
    QVector3D lo(c[0], c[1], c[2]), hi = lo;
    for (std::size_t i = 0; i + 2 < c.size(); i += 3) {
        const QVector3D p(c[i], c[i + 1], c[i + 2]);
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], p[a]);
            hi[a] = std::max(hi[a], p[a]);
        }
    }
    return {(lo + hi) / 2, (hi - lo) / 2};
}

} // namespace

ModelChecks::ModelChecks(std::shared_ptr<const RobotModel> model, ChannelMapping mapping)
    : m_model(std::move(model)), m_mapping(std::move(mapping)) {
    const auto& links = m_model->links();
    for (std::size_t l = 0; l < links.size(); ++l) {
        if (links[l].mass > 0) m_hasMass = true;
        for (const Shape& shape : links[l].collisions) {
            Solid s;
            s.link = int(l);
            s.offset = PlacementMatrix(shape.origin);
            switch (shape.kind) {
            case ShapeKind::Sphere:
                s.sphere = true;
                s.half = QVector3D(float(shape.size.x), 0, 0);
                break;
            case ShapeKind::Cylinder:
                s.half =
                    QVector3D(float(shape.size.x), float(shape.size.x), float(shape.size.z / 2));
                break;
            case ShapeKind::Box:
                s.half =
                    QVector3D(float(shape.size.x), float(shape.size.y), float(shape.size.z)) / 2;
                break;
            case ShapeKind::Mesh: {
                if (!shape.mesh) continue;
                const auto [centre, half] = MeshBox(*shape.mesh);
                s.offset.translate(centre);
                s.half = half;
                break;
            }
            }
            m_solids.push_back(s);
        }
    }
    const auto adjacent = [&](int a, int b) {
        const auto parentOf = [&](int link) {
            const int j = links[std::size_t(link)].parentJoint;
            return j < 0 ? -1 : m_model->joints()[std::size_t(j)].parentLink;
        };
        return a == b || parentOf(a) == b || parentOf(b) == a;
    };
    for (std::size_t i = 0; i < m_solids.size(); ++i)
        for (std::size_t k = i + 1; k < m_solids.size(); ++k)
            if (!adjacent(m_solids[i].link, m_solids[k].link)) m_pairs.emplace_back(int(i), int(k));
    if (m_solids.empty())
        m_skipped << QCoreApplication::translate(
            "Checks", "The robot model has no collision geometry: the collision and stability "
                      "checks are skipped.");
    else if (!m_hasMass)
        m_skipped << QCoreApplication::translate(
            "Checks", "The robot model has no inertials: the stability check is skipped.");
}

ModelChecks::~ModelChecks() = default;

Findings ModelChecks::check(const Chart& chart, const std::vector<PoseInstant>& instants) const {
    Findings findings;
    std::set<std::pair<int, QString>> said;
    const auto add = [&](Finding::Severity severity, const QString& code, int item,
                         const FindingText& text) {
        if (!said.insert({item, code}).second) return;
        findings.push_back(MakeFinding(severity, code, item, text));
    };
    const auto& joints = m_model->joints();
    RobotScene scene(m_model);
    const auto report = [&](const PoseReport& r, int item, int timeMs) {
        if (!r.collision.isEmpty())
            add(Finding::Severity::Error, QStringLiteral("self-collision"), item,
                r.collision + AtTime(timeMs));
        if (!r.unstable.isEmpty())
            add(Finding::Severity::Warning, QStringLiteral("unstable"), item,
                r.unstable + AtTime(timeMs));
    };
    for (int i = 0; i < chart.itemCount(); ++i) {
        const Item& item = chart.items[std::size_t(i)];
        if (item.kind != KindPos) continue;
        const JointPose pose = m_mapping.jointPose(*m_model, item.values);
        for (std::size_t j = 0; j < pose.size(); ++j) {
            if (!pose[j].atLimit) continue;
            const ModelJoint& joint = joints[j];
            const FindingText unit = joint.kind == JointKind::Prismatic
                                         ? FindingText::Of(QT_TRANSLATE_NOOP("Checks", "mm"))
                                         : FindingText::Of(QT_TRANSLATE_NOOP("Checks", "degrees"));
            add(Finding::Severity::Warning, QStringLiteral("out-of-range"), i,
                FindingText::Of(
                    QT_TRANSLATE_NOOP("Checks",
                                      "CH%1 asks for %2 %3 of joint \"%4\", beyond its limits %5 "
                                      "to %6 %3"))
                    .arg(qint64(pose[j].channel))
                    .arg(FindingText::Same(JointAmount(joint, pose[j].requested)), unit,
                         FindingText::Same(joint.name),
                         FindingText::Same(JointAmount(joint, joint.lower)))
                    .arg(JointAmount(joint, joint.upper)));
        }
        report(examine(scene, item.values), i, -1);
    }
    // Playback holds a pose for many instants in a row: a pose is examined
    // again only when it changed.
    const ChannelValues* last = nullptr;
    PoseReport lastReport;
    for (const PoseInstant& instant : instants) {
        if (!last || *last != instant.words) lastReport = examine(scene, instant.words);
        last = &instant.words;
        report(lastReport, instant.item, instant.timeMs);
    }
    return findings;
}

ModelChecks::PoseReport ModelChecks::examine(RobotScene& scene, const ChannelValues& words) const {
    PoseReport r;
    if (m_solids.empty()) return r;
    scene.setPose(m_mapping.jointPose(*m_model, words));
    std::vector<PlacedSolid> placed;
    placed.reserve(m_solids.size());
    for (const Solid& s : m_solids) {
        const QMatrix4x4 frame = scene.linkFrame(s.link) * s.offset;
        placed.push_back(s.sphere ? PlacedSolid::Ball(frame, s.half.x())
                                  : PlacedSolid::Box(frame, s.half));
    }
    r.collision = collision(placed);
    if (m_hasMass) r.unstable = instability(scene, placed);
    return r;
}

FindingText ModelChecks::collision(const std::vector<PlacedSolid>& placed) const {
    const auto& links = m_model->links();
    for (const auto& [a, b] : m_pairs)
        if (SolidsOverlap(placed[std::size_t(a)], placed[std::size_t(b)], kCollisionDepth))
            return FindingText::Of(
                       QT_TRANSLATE_NOOP("Checks", "links \"%1\" and \"%2\" run into each other"))
                .arg(FindingText::Same(links[std::size_t(m_solids[std::size_t(a)].link)].name),
                     FindingText::Same(links[std::size_t(m_solids[std::size_t(b)].link)].name));
    return {};
}

FindingText ModelChecks::instability(const RobotScene& scene,
                                     const std::vector<PlacedSolid>& placed) const {
    // The robot stands on its lowest points: the support is the hull of the
    // points of its solids that are within a hair of the lowest one.
    std::vector<std::pair<QVector3D, int>> points;
    float lowest = std::numeric_limits<float>::max();
    for (std::size_t i = 0; i < placed.size(); ++i)
        for (const QVector3D& p : placed[i].supportPoints()) {
            points.emplace_back(p, m_solids[i].link);
            lowest = std::min(lowest, p.z());
        }
    std::vector<QPointF> ground;
    std::set<int> standing;
    for (const auto& [p, link] : points)
        if (p.z() <= lowest + kGroundTolerance) {
            ground.emplace_back(p.x(), p.y());
            standing.insert(link);
        }
    QVector3D weighted;
    double mass = 0;
    const auto& links = m_model->links();
    for (std::size_t l = 0; l < links.size(); ++l) {
        if (links[l].mass <= 0) continue;
        const Vec3& c = links[l].centreOfMass;
        weighted += float(links[l].mass) *
                    scene.linkFrame(int(l)).map(QVector3D(float(c.x), float(c.y), float(c.z)));
        mass += links[l].mass;
    }
    const QVector3D centre = weighted / float(mass);
    const double outside = DistanceOutside(ConvexHull(ground), QPointF(centre.x(), centre.y()));
    if (outside <= 0.0005) return {};
    QStringList names;
    for (int link : standing)
        names << QLatin1Char('"') + links[std::size_t(link)].name + QLatin1Char('"');
    return FindingText::Of(
               QT_TRANSLATE_NOOP("Checks", "the centre of mass is %1 mm outside the support of %2"))
        .arg(outside * 1000, 0)
        .arg(names.join(QStringLiteral(", ")));
}

} // namespace qvx
