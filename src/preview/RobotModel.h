#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace qvx {

// A point or direction in the model's frame (metres; x forward, y left, z up).
struct Vec3 {
    double x = 0, y = 0, z = 0;
};

// Where a frame sits in its parent: a position and a rotation (unit quaternion).
struct Placement {
    Vec3 position;
    double qx = 0, qy = 0, qz = 0, qw = 1;
};

// Triangles of a mesh, three corners (x, y, z) per triangle, in the link's
// frame with the mesh's scale applied.
struct TriangleMesh {
    std::vector<float> corners;
    std::size_t triangleCount() const { return corners.size() / 9; }
};

enum class ShapeKind { Box, Cylinder, Sphere, Mesh };

// One visual or collision geometry of a link.
struct Shape {
    ShapeKind kind = ShapeKind::Box;
    // Box: its sides; cylinder: radius in x, length in z; sphere: radius in x.
    Vec3 size;
    // Mesh: the triangles as read, and a coarser copy for drawing.
    std::shared_ptr<const TriangleMesh> mesh;
    std::shared_ptr<const TriangleMesh> drawMesh;
    Placement origin;
    // 0xRRGGBB
    unsigned colour = 0xB0B0B0;
};

struct ModelLink {
    QString name;
    std::vector<Shape> shapes;
    // Collision geometry, as the file gives it (meshes without a drawing copy).
    std::vector<Shape> collisions;
    // The link's mass (kg) and its centre of mass in the link's frame; a mass
    // of 0 when the file gives the link no inertial.
    double mass = 0;
    Vec3 centreOfMass;
    int parentJoint = -1;
};

enum class JointKind { Fixed, Revolute, Continuous, Prismatic, Other };

struct ModelJoint {
    QString name;
    JointKind kind = JointKind::Fixed;
    int parentLink = -1;
    int childLink = -1;
    Placement origin;
    Vec3 axis{1, 0, 0};
    // Revolute and prismatic joints: the range the model allows (radians or metres).
    bool limited = false;
    double lower = 0, upper = 0;
    // The line of the joint's element in the model file.
    int line = 0;

    bool movable() const {
        return kind == JointKind::Revolute || kind == JointKind::Continuous ||
               kind == JointKind::Prismatic;
    }
};

// A robot read from a URDF file: links with their shapes, joints in the order
// the file lists them, and the links in an order where a parent comes before
// its children.
class RobotModel {
  public:
    // The largest model file and mesh file read; larger ones are refused before
    // they are read.
    static constexpr qint64 kMaxModelBytes = 16LL * 1024 * 1024;
    static constexpr qint64 kMaxMeshBytes = 64LL * 1024 * 1024;
    static constexpr std::size_t kMaxTriangles = 2000000;
    // Triangles a mesh keeps for drawing at most.
    static constexpr std::size_t kDrawTriangles = 3000;
    // The model shipped with the program.
    static constexpr char kDefaultModelName[] = "quorvex-humanoid.urdf";

    // Reads a model file. A model that cannot be read gives nothing, and error
    // names the file, the line and the reason.
    static std::optional<RobotModel> Load(const QString& path, QString* error);
    // Reads a model from its text; meshes are looked up beside path.
    static std::optional<RobotModel> Parse(const QByteArray& text, const QString& path,
                                           QString* error);
    // The shipped model: installed below the program's share folder, or the
    // copy in the build tree; empty when neither is there.
    static QString DefaultModelPath();

    const QString& path() const { return m_path; }
    const QString& name() const { return m_name; }
    const std::vector<ModelLink>& links() const { return m_links; }
    const std::vector<ModelJoint>& joints() const { return m_joints; }
    const std::vector<int>& linkOrder() const { return m_linkOrder; }
    int rootLink() const { return m_linkOrder.empty() ? -1 : m_linkOrder.front(); }
    int jointIndex(const QString& name) const;
    std::size_t triangleCount() const;

  private:
    QString m_path;
    QString m_name;
    std::vector<ModelLink> m_links;
    std::vector<ModelJoint> m_joints;
    std::vector<int> m_linkOrder;

    friend class RobotModelReader;
};

// A copy of a mesh with at most maxTriangles triangles, made by merging the
// corners that fall into one cell of a grid over the mesh's bounds.
TriangleMesh DecimateMesh(const TriangleMesh& mesh, std::size_t maxTriangles);

} // namespace qvx
