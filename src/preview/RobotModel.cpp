#include "preview/RobotModel.h"

#include "base/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <console_bridge/console.h>
#include <urdf_parser/urdf_parser.h>

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace qvx {

namespace {

// A model fault at a line of the file.
struct Fault {
    int line = 1;
    QString reason;
};

// Where the file names each link and joint, read with Qt's XML reader before
// urdfdom builds the model (urdfdom does not tell lines). The joint order of
// the file is kept too: urdfdom keeps joints by name only.
struct FileOutline {
    struct Element {
        QString name;
        int line = 0;
        QString parent, child; // joints only
    };
    int robotLine = 1;
    std::vector<Element> links;
    std::vector<Element> joints;
};

// Only the links and joints right below <robot> count: a <joint> inside a
// <transmission> or a <gazebo> block names a joint, it is none.
std::optional<Fault> ReadOutline(const QByteArray& text, FileOutline& outline) {
    QXmlStreamReader xml(text);
    bool robot = false;
    int depth = 0;
    bool inJoint = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (--depth == 1) inJoint = false;
            continue;
        }
        if (token != QXmlStreamReader::StartElement) continue;
        ++depth;
        const int line = int(xml.lineNumber());
        const QStringView name = xml.name();
        const QString nameAttribute = xml.attributes().value(QLatin1String("name")).toString();
        if (!robot) {
            if (name != QLatin1String("robot"))
                return Fault{line, QCoreApplication::translate(
                                       "RobotModel", "the file holds no <robot> element")};
            robot = true;
            outline.robotLine = line;
        } else if (depth == 2 && name == QLatin1String("link")) {
            outline.links.push_back({nameAttribute, line, {}, {}});
        } else if (depth == 2 && name == QLatin1String("joint")) {
            outline.joints.push_back({nameAttribute, line, {}, {}});
            inJoint = true;
        } else if (depth == 3 && inJoint &&
                   (name == QLatin1String("parent") || name == QLatin1String("child"))) {
            const QString link = xml.attributes().value(QLatin1String("link")).toString();
            FileOutline::Element& joint = outline.joints.back();
            (name == QLatin1String("parent") ? joint.parent : joint.child) = link;
        }
    }
    if (xml.hasError()) return Fault{int(xml.lineNumber()), xml.errorString()};
    if (!robot)
        return Fault{
            1, QCoreApplication::translate("RobotModel", "the file holds no <robot> element")};
    return std::nullopt;
}

// The tree faults urdfdom passes over or names without a line: a joint naming
// a link the model lacks, a link with two parents, joints that close a cycle.
std::optional<Fault> CheckTree(const FileOutline& outline) {
    QHash<QString, int> linkLine;
    for (const auto& l : outline.links) {
        if (linkLine.contains(l.name))
            return Fault{l.line,
                         QCoreApplication::translate("RobotModel", "link \"%1\" is defined twice")
                             .arg(l.name)};
        linkLine.insert(l.name, l.line);
    }
    QHash<QString, const FileOutline::Element*> parentJoint;
    QHash<QString, int> jointLine;
    for (const auto& j : outline.joints) {
        if (jointLine.contains(j.name))
            return Fault{j.line,
                         QCoreApplication::translate("RobotModel", "joint \"%1\" is defined twice")
                             .arg(j.name)};
        jointLine.insert(j.name, j.line);
        for (const QString& end : {j.parent, j.child})
            if (!end.isEmpty() && !linkLine.contains(end))
                return Fault{j.line, QCoreApplication::translate(
                                         "RobotModel",
                                         "joint \"%1\" names link \"%2\", which the model does "
                                         "not have")
                                         .arg(j.name, end)};
        if (const auto* other = parentJoint.value(j.child))
            return Fault{j.line, QCoreApplication::translate(
                                     "RobotModel",
                                     "link \"%1\" is the child of both joint \"%2\" and joint "
                                     "\"%3\"")
                                     .arg(j.child, other->name, j.name)};
        if (!j.child.isEmpty()) parentJoint.insert(j.child, &j);
    }
    // Every link must reach a link without a parent by walking up its joints;
    // a walk stops at a link already known to reach one, so each link is
    // walked over once.
    QHash<QString, bool> reachesRoot; // false while on the walk in progress
    for (const auto& l : outline.links) {
        QStringList walk;
        QString at = l.name;
        while (!reachesRoot.value(at) && parentJoint.contains(at)) {
            if (reachesRoot.contains(at))
                return Fault{parentJoint.value(at)->line,
                             QCoreApplication::translate(
                                 "RobotModel", "the joints form a cycle through link \"%1\"")
                                 .arg(at)};
            reachesRoot.insert(at, false);
            walk << at;
            at = parentJoint.value(at)->parent;
        }
        for (const QString& w : walk)
            reachesRoot.insert(w, true);
    }
    return std::nullopt;
}

// Collects the errors urdfdom reports while it reads, instead of printing
// them. urdfdom reports some faults (a number it cannot read in a visual) and
// still makes a model without the faulty part: any error refuses the model.
class ParserLog : public console_bridge::OutputHandler {
  public:
    ParserLog() { console_bridge::useOutputHandler(this); }
    ~ParserLog() override { console_bridge::restorePreviousOutputHandler(); }
    ParserLog(const ParserLog&) = delete;
    ParserLog& operator=(const ParserLog&) = delete;

    void log(const std::string& text, console_bridge::LogLevel level, const char*, int) override {
        if (level >= console_bridge::CONSOLE_BRIDGE_LOG_ERROR)
            m_errors << QString::fromStdString(text);
    }
    const QStringList& errors() const { return m_errors; }

  private:
    QStringList m_errors;
};

// The line urdfdom's messages point at: they name a link, a joint or a faulty
// value in brackets ("Joint [knee] ...", "component [nan] ..."); a value is
// found in the first attribute that holds it.
int LineNamedIn(const QStringList& messages, const FileOutline& outline, const QByteArray& text) {
    static const QRegularExpression bracketed(QStringLiteral("\\[([^\\]]+)\\]"));
    for (const QString& message : messages)
        for (const QRegularExpressionMatch& m : bracketed.globalMatch(message)) {
            const QString token = m.captured(1);
            for (const auto* list : {&outline.joints, &outline.links})
                for (const auto& e : *list)
                    if (e.name == token) return e.line;
            const QRegularExpression inAttribute(QStringLiteral("\"[^\"]*(?<![\\w.+-])(") +
                                                 QRegularExpression::escape(token) +
                                                 QStringLiteral(")(?![\\w.])[^\"]*\""));
            const QString whole = QString::fromUtf8(text);
            const QRegularExpressionMatch found = inAttribute.match(whole);
            if (found.hasMatch()) return int(whole.left(found.capturedStart(1)).count(u'\n')) + 1;
        }
    return outline.robotLine;
}

// The farthest a model may reach in metres: beyond it, pictures and sums
// lose every digit.
constexpr double kMaxExtent = 1000;
// The heaviest link taken for a mass; more is a fault in the file.
constexpr double kMaxMass = 1000;

bool WithinReach(const Vec3& v) {
    return std::abs(v.x) <= kMaxExtent && std::abs(v.y) <= kMaxExtent &&
           std::abs(v.z) <= kMaxExtent;
}

Vec3 ToVec3(const urdf::Vector3& v) {
    return {v.x, v.y, v.z};
}

std::optional<Placement> ToPlacement(const urdf::Pose& pose) {
    Placement p{ToVec3(pose.position), pose.rotation.x, pose.rotation.y, pose.rotation.z,
                pose.rotation.w};
    const double norm = std::sqrt(p.qx * p.qx + p.qy * p.qy + p.qz * p.qz + p.qw * p.qw);
    if (!WithinReach(p.position) || !std::isfinite(norm) || norm < 1e-9) return std::nullopt;
    p.qx /= norm, p.qy /= norm, p.qz /= norm, p.qw /= norm;
    return p;
}

// The mesh file a URDF names, checked: inside the model's folder, present, a
// regular file and not too large to read.
QString MeshFile(const QString& folder, const QString& uri, QString* reason) {
    QString relative = uri;
    if (relative.startsWith(QLatin1String("file://"))) {
        relative = relative.mid(7);
    } else if (relative.startsWith(QLatin1String("package://"))) {
        // package://PACKAGE/PATH: PATH below the model's folder.
        const qsizetype slash = relative.indexOf(QLatin1Char('/'), 10);
        relative = slash < 0 ? QString() : relative.mid(slash + 1);
    } else if (relative.contains(QLatin1String("://"))) {
        *reason = QCoreApplication::translate("RobotModel",
                                              "mesh \"%1\" is not a file; only files are read")
                      .arg(uri);
        return {};
    }
    const QString cleanFolder = QDir::cleanPath(QDir(folder).absolutePath());
    const QString path = QDir::cleanPath(QDir(cleanFolder).absoluteFilePath(relative));
    const QFileInfo info(path);
    const QString canonicalFolder = QFileInfo(cleanFolder).canonicalFilePath();
    if (!path.startsWith(cleanFolder + QLatin1Char('/')) ||
        (info.exists() &&
         !info.canonicalFilePath().startsWith(canonicalFolder + QLatin1Char('/')))) {
        *reason = QCoreApplication::translate("RobotModel",
                                              "mesh \"%1\" lies outside the model's folder %2")
                      .arg(uri, cleanFolder);
        return {};
    }
    if (!info.exists()) {
        *reason = QCoreApplication::translate("RobotModel", "mesh file %1 is missing").arg(path);
        return {};
    }
    if (!info.isFile()) {
        *reason =
            QCoreApplication::translate("RobotModel", "mesh %1 is not a regular file").arg(path);
        return {};
    }
    if (info.size() > RobotModel::kMaxMeshBytes) {
        *reason = QCoreApplication::translate("RobotModel", "mesh file %1 is larger than %2 MB")
                      .arg(path)
                      .arg(RobotModel::kMaxMeshBytes / (1024 * 1024));
        return {};
    }
    return path;
}

void AddNodeTriangles(const aiScene& scene, const aiNode& node, const aiMatrix4x4& parent,
                      TriangleMesh& out) {
    const aiMatrix4x4 transform = parent * node.mTransformation;
    for (unsigned m = 0; m < node.mNumMeshes; ++m) {
        const aiMesh& mesh = *scene.mMeshes[node.mMeshes[m]];
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices != 3) continue;
            for (unsigned c = 0; c < 3; ++c) {
                const aiVector3D v = transform * mesh.mVertices[face.mIndices[c]];
                out.corners.insert(out.corners.end(), {v.x, v.y, v.z});
            }
        }
    }
    for (unsigned c = 0; c < node.mNumChildren; ++c)
        AddNodeTriangles(scene, *node.mChildren[c], transform, out);
}

std::shared_ptr<const TriangleMesh> ReadMesh(const QString& path, QString* reason) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(QFile::encodeName(path).toStdString(),
                                             aiProcess_Triangulate | aiProcess_SortByPType);
    if (!scene || !scene->mRootNode) {
        *reason = QCoreApplication::translate("RobotModel", "mesh file %1 cannot be read: %2")
                      .arg(path, QString::fromUtf8(importer.GetErrorString()));
        return nullptr;
    }
    std::size_t faces = 0;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m)
        faces += scene->mMeshes[m]->mNumFaces;
    if (faces > RobotModel::kMaxTriangles) {
        *reason = QCoreApplication::translate(
                      "RobotModel", "mesh file %1 has %2 triangles, more than the %3 read")
                      .arg(path)
                      .arg(faces)
                      .arg(RobotModel::kMaxTriangles);
        return nullptr;
    }
    auto mesh = std::make_shared<TriangleMesh>();
    mesh->corners.reserve(faces * 9);
    AddNodeTriangles(*scene, *scene->mRootNode, aiMatrix4x4(), *mesh);
    if (!std::all_of(mesh->corners.begin(), mesh->corners.end(),
                     [](float v) { return std::isfinite(v); })) {
        *reason = QCoreApplication::translate("RobotModel",
                                              "mesh file %1 holds a corner that is not a number")
                      .arg(path);
        return nullptr;
    }
    return mesh;
}

} // namespace

// Turns urdfdom's model into a RobotModel, checking what urdfdom lets pass.
class RobotModelReader {
  public:
    RobotModelReader(const FileOutline& outline, const QString& path)
        : m_outline(outline), m_folder(QFileInfo(path).absolutePath()) {
        m_model.m_path = path;
    }

    std::optional<Fault> read(const urdf::ModelInterface& urdf) {
        m_model.m_name = QString::fromStdString(urdf.getName());
        QHash<QString, int> linkIndex;
        for (const auto& l : m_outline.links) {
            linkIndex.insert(l.name, int(m_model.m_links.size()));
            ModelLink link;
            link.name = l.name;
            if (const urdf::LinkConstSharedPtr source = urdf.getLink(l.name.toStdString())) {
                std::vector<urdf::VisualSharedPtr> visuals = source->visual_array;
                if (visuals.empty() && source->visual) visuals.push_back(source->visual);
                for (const auto& visual : visuals)
                    if (visual && visual->geometry)
                        if (auto fault = addShape(visual->origin, *visual->geometry,
                                                  visual->material.get(), l, link.shapes))
                            return fault;
                std::vector<urdf::CollisionSharedPtr> collisions = source->collision_array;
                if (collisions.empty() && source->collision)
                    collisions.push_back(source->collision);
                for (const auto& collision : collisions)
                    if (collision && collision->geometry)
                        if (auto fault = addShape(collision->origin, *collision->geometry, nullptr,
                                                  l, link.collisions))
                            return fault;
                if (source->inertial)
                    if (auto fault = addInertial(*source->inertial, l, link)) return fault;
            }
            m_model.m_links.push_back(std::move(link));
        }
        for (const auto& j : m_outline.joints) {
            const urdf::JointConstSharedPtr source = urdf.getJoint(j.name.toStdString());
            if (!source) continue;
            if (auto fault = addJoint(*source, j, linkIndex)) return fault;
        }
        orderLinks();
        return std::nullopt;
    }

    RobotModel take() { return std::move(m_model); }

  private:
    // A visual (with its material) or a collision geometry (material null),
    // appended to `shapes`.
    std::optional<Fault> addShape(const urdf::Pose& pose, const urdf::Geometry& g,
                                  const urdf::Material* material, const FileOutline::Element& where,
                                  std::vector<Shape>& shapes) {
        const auto fault = [&](const QString& reason) {
            return Fault{where.line, QCoreApplication::translate("RobotModel", "link \"%1\": %2")
                                         .arg(where.name, reason)};
        };
        Shape shape;
        const std::optional<Placement> origin = ToPlacement(pose);
        if (!origin)
            return fault(
                QCoreApplication::translate(
                    "RobotModel", "a shape's origin is not a position within %1 m and a rotation")
                    .arg(kMaxExtent));
        shape.origin = *origin;
        if (material) {
            const urdf::Color& c = material->color;
            const auto byte = [](float v) {
                return unsigned(std::clamp(v, 0.0f, 1.0f) * 255 + 0.5f);
            };
            shape.colour = byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
        }
        switch (g.type) {
        case urdf::Geometry::BOX:
            shape.kind = ShapeKind::Box;
            shape.size = ToVec3(static_cast<const urdf::Box&>(g).dim);
            break;
        case urdf::Geometry::CYLINDER: {
            const auto& c = static_cast<const urdf::Cylinder&>(g);
            shape.kind = ShapeKind::Cylinder;
            shape.size = {c.radius, c.radius, c.length};
            break;
        }
        case urdf::Geometry::SPHERE: {
            const double r = static_cast<const urdf::Sphere&>(g).radius;
            shape.kind = ShapeKind::Sphere;
            shape.size = {r, r, r};
            break;
        }
        case urdf::Geometry::MESH: {
            const auto& m = static_cast<const urdf::Mesh&>(g);
            const Vec3 scale = ToVec3(m.scale);
            if (!(scale.x > 0 && scale.y > 0 && scale.z > 0) ||
                !std::isfinite(scale.x * scale.y * scale.z))
                return fault(QCoreApplication::translate("RobotModel",
                                                         "mesh scale %1 %2 %3 is not above zero")
                                 .arg(scale.x)
                                 .arg(scale.y)
                                 .arg(scale.z));
            QString reason;
            const QString file = MeshFile(m_folder, QString::fromStdString(m.filename), &reason);
            if (file.isEmpty()) return fault(reason);
            std::shared_ptr<const TriangleMesh> read = m_meshes.value(file);
            if (!read) read = ReadMesh(file, &reason);
            if (!read) return fault(reason);
            m_meshes.insert(file, read);
            auto scaled = std::make_shared<TriangleMesh>(*read);
            for (std::size_t i = 0; i + 2 < scaled->corners.size(); i += 3) {
                scaled->corners[i] *= float(scale.x);
                scaled->corners[i + 1] *= float(scale.y);
                scaled->corners[i + 2] *= float(scale.z);
            }
            if (!std::all_of(scaled->corners.begin(), scaled->corners.end(),
                             [](float v) { return std::abs(v) <= kMaxExtent; }))
                return fault(
                    QCoreApplication::translate("RobotModel", "mesh %1 reaches farther than %2 m")
                        .arg(file)
                        .arg(kMaxExtent));
            shape.kind = ShapeKind::Mesh;
            // Only visuals are drawn; a collision mesh is measured, not drawn.
            if (material)
                shape.drawMesh = scaled->triangleCount() > RobotModel::kDrawTriangles
                                     ? std::make_shared<TriangleMesh>(
                                           DecimateMesh(*scaled, RobotModel::kDrawTriangles))
                                     : scaled;
            shape.mesh = std::move(scaled);
            shapes.push_back(std::move(shape));
            return std::nullopt;
        }
        default:
            return std::nullopt;
        }
        if (!WithinReach(shape.size) || shape.size.x <= 0 || shape.size.y <= 0 || shape.size.z <= 0)
            return fault(QCoreApplication::translate("RobotModel",
                                                     "a shape's size is not between 0 and %1 m")
                             .arg(kMaxExtent));
        shapes.push_back(std::move(shape));
        return std::nullopt;
    }

    std::optional<Fault> addInertial(const urdf::Inertial& inertial,
                                     const FileOutline::Element& where, ModelLink& link) {
        const std::optional<Placement> origin = ToPlacement(inertial.origin);
        if (!origin || !std::isfinite(inertial.mass) || inertial.mass < 0 ||
            inertial.mass > kMaxMass)
            return Fault{where.line,
                         QCoreApplication::translate(
                             "RobotModel", "link \"%1\": its inertial is not a mass of 0 to %2 kg "
                                           "at a position within %3 m")
                             .arg(where.name)
                             .arg(kMaxMass)
                             .arg(kMaxExtent)};
        link.mass = inertial.mass;
        link.centreOfMass = origin->position;
        return std::nullopt;
    }

    std::optional<Fault> addJoint(const urdf::Joint& source, const FileOutline::Element& where,
                                  const QHash<QString, int>& linkIndex) {
        const auto fault = [&](const QString& reason) {
            return Fault{where.line, QCoreApplication::translate("RobotModel", "joint \"%1\": %2")
                                         .arg(where.name, reason)};
        };
        ModelJoint joint;
        joint.name = where.name;
        joint.line = where.line;
        joint.parentLink = linkIndex.value(QString::fromStdString(source.parent_link_name), -1);
        joint.childLink = linkIndex.value(QString::fromStdString(source.child_link_name), -1);
        if (joint.parentLink < 0 || joint.childLink < 0)
            return fault(QCoreApplication::translate("RobotModel", "it names no link"));
        switch (source.type) {
        case urdf::Joint::REVOLUTE:
            joint.kind = JointKind::Revolute;
            break;
        case urdf::Joint::CONTINUOUS:
            joint.kind = JointKind::Continuous;
            break;
        case urdf::Joint::PRISMATIC:
            joint.kind = JointKind::Prismatic;
            break;
        case urdf::Joint::FIXED:
            joint.kind = JointKind::Fixed;
            break;
        default:
            joint.kind = JointKind::Other;
            break;
        }
        const std::optional<Placement> origin =
            ToPlacement(source.parent_to_joint_origin_transform);
        if (!origin)
            return fault(
                QCoreApplication::translate(
                    "RobotModel", "its origin is not a position within %1 m and a rotation")
                    .arg(kMaxExtent));
        joint.origin = *origin;
        joint.axis = ToVec3(source.axis);
        const double length = std::sqrt(joint.axis.x * joint.axis.x + joint.axis.y * joint.axis.y +
                                        joint.axis.z * joint.axis.z);
        if (joint.movable() && (!std::isfinite(length) || length < 1e-9))
            return fault(QCoreApplication::translate("RobotModel", "its axis has no direction"));
        if (joint.movable())
            joint.axis = {joint.axis.x / length, joint.axis.y / length, joint.axis.z / length};
        if ((joint.kind == JointKind::Revolute || joint.kind == JointKind::Prismatic) &&
            source.limits) {
            joint.lower = source.limits->lower;
            joint.upper = source.limits->upper;
            if (!std::isfinite(joint.lower) || !std::isfinite(joint.upper) ||
                joint.lower > joint.upper)
                return fault(
                    QCoreApplication::translate("RobotModel", "its limits %1 to %2 are no range")
                        .arg(joint.lower)
                        .arg(joint.upper));
            joint.limited = joint.lower < joint.upper;
        }
        m_model.m_links[std::size_t(joint.childLink)].parentJoint = int(m_model.m_joints.size());
        m_model.m_joints.push_back(std::move(joint));
        return std::nullopt;
    }

    // Parents before children, starting from the links without a parent.
    void orderLinks() {
        std::vector<std::vector<int>> children(m_model.m_links.size());
        for (const ModelJoint& j : m_model.m_joints)
            children[std::size_t(j.parentLink)].push_back(j.childLink);
        auto& order = m_model.m_linkOrder;
        for (std::size_t i = 0; i < m_model.m_links.size(); ++i)
            if (m_model.m_links[i].parentJoint < 0) order.push_back(int(i));
        for (std::size_t at = 0; at < order.size(); ++at)
            for (int child : children[std::size_t(order[at])])
                order.push_back(child);
    }

    const FileOutline& m_outline;
    QString m_folder;
    RobotModel m_model;
    QHash<QString, std::shared_ptr<const TriangleMesh>> m_meshes;
};

std::optional<RobotModel> RobotModel::Load(const QString& path, QString* error) {
    const auto refuse = [&](const QString& reason) {
        *error = QCoreApplication::translate("RobotModel", "cannot read the robot model %1: %2")
                     .arg(path, reason);
        return std::nullopt;
    };
    QFile file(path);
    const QFileInfo info(path);
    if (!info.exists())
        return refuse(QCoreApplication::translate("RobotModel", "the file is missing"));
    if (!info.isFile())
        return refuse(QCoreApplication::translate("RobotModel", "it is not a regular file"));
    if (info.size() > kMaxModelBytes)
        return refuse(QCoreApplication::translate("RobotModel", "the file is larger than %1 MB")
                          .arg(kMaxModelBytes / (1024 * 1024)));
    if (!file.open(QIODevice::ReadOnly)) return refuse(file.errorString());
    return Parse(file.read(kMaxModelBytes + 1), path, error);
}

std::optional<RobotModel> RobotModel::Parse(const QByteArray& text, const QString& path,
                                            QString* error) {
    const auto refuse = [&](const Fault& fault) {
        *error =
            QCoreApplication::translate("RobotModel", "cannot read the robot model %1, line %2: %3")
                .arg(path)
                .arg(fault.line)
                .arg(fault.reason);
        return std::nullopt;
    };
    FileOutline outline;
    if (auto fault = ReadOutline(text, outline)) return refuse(*fault);
    if (auto fault = CheckTree(outline)) return refuse(*fault);

    urdf::ModelInterfaceSharedPtr urdf;
    QStringList parserErrors;
    {
        ParserLog log;
        try {
            urdf = urdf::parseURDF(text.toStdString());
        } catch (const std::exception& e) {
            parserErrors << QString::fromUtf8(e.what());
        }
        parserErrors += log.errors();
    }
    if (!urdf || !parserErrors.isEmpty()) {
        if (parserErrors.isEmpty())
            parserErrors << QCoreApplication::translate("RobotModel", "urdfdom refused the model");
        return refuse({LineNamedIn(parserErrors, outline, text), parserErrors.first()});
    }
    RobotModelReader reader(outline, path);
    if (auto fault = reader.read(*urdf)) return refuse(*fault);
    return reader.take();
}

QString RobotModel::DefaultModelPath() {
    const QString folder = FindDataFolder(QStringLiteral("models"));
    const QString path = QDir(folder).filePath(QLatin1String(kDefaultModelName));
    return !folder.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

int RobotModel::jointIndex(const QString& name) const {
    for (std::size_t i = 0; i < m_joints.size(); ++i)
        if (m_joints[i].name == name) return int(i);
    return -1;
}

std::size_t RobotModel::triangleCount() const {
    std::size_t n = 0;
    for (const ModelLink& l : m_links)
        for (const Shape& s : l.shapes)
            if (s.mesh) n += s.mesh->triangleCount();
    return n;
}

TriangleMesh DecimateMesh(const TriangleMesh& mesh, std::size_t maxTriangles) {
    const std::vector<float>& c = mesh.corners;
    if (mesh.triangleCount() <= maxTriangles || c.empty()) return mesh;
    float lo[3] = {c[0], c[1], c[2]}, hi[3] = {c[0], c[1], c[2]};
    for (std::size_t i = 0; i < c.size(); ++i) {
        lo[i % 3] = std::min(lo[i % 3], c[i]);
        hi[i % 3] = std::max(hi[i % 3], c[i]);
    }
    // Merges corners on a grid of cells per side; the corners of a cell become
    // their mean, triangles whose corners fall into fewer than three cells go,
    // and so does a second triangle over the same three cells.
    const auto merge = [&](int cells) {
        QHash<quint64, int> cellIndex;
        std::vector<double> sums;
        std::vector<int> counts;
        std::vector<int> cornerCell(c.size() / 3);
        for (std::size_t v = 0; v < cornerCell.size(); ++v) {
            quint64 key = 0;
            for (int a = 0; a < 3; ++a) {
                const float span = hi[a] - lo[a];
                const int k =
                    span > 0 ? std::min(cells - 1, int((c[v * 3 + a] - lo[a]) / span * cells)) : 0;
                key = key << 21 | quint64(k);
            }
            auto it = cellIndex.find(key);
            if (it == cellIndex.end()) {
                it = cellIndex.insert(key, int(counts.size()));
                counts.push_back(0);
                sums.insert(sums.end(), {0.0, 0.0, 0.0});
            }
            cornerCell[v] = *it;
            ++counts[std::size_t(*it)];
            for (int a = 0; a < 3; ++a)
                sums[std::size_t(*it) * 3 + a] += c[v * 3 + a];
        }
        TriangleMesh out;
        std::unordered_set<quint64> seen;
        for (std::size_t t = 0; t + 2 < cornerCell.size(); t += 3) {
            int k[3] = {cornerCell[t], cornerCell[t + 1], cornerCell[t + 2]};
            if (k[0] == k[1] || k[1] == k[2] || k[0] == k[2]) continue;
            int sorted[3] = {k[0], k[1], k[2]};
            std::sort(sorted, sorted + 3);
            if (!seen.insert(quint64(sorted[0]) << 42 | quint64(sorted[1]) << 21 |
                             quint64(sorted[2]))
                     .second)
                continue;
            for (int i : k)
                for (int a = 0; a < 3; ++a)
                    out.corners.push_back(
                        float(sums[std::size_t(i) * 3 + a] / counts[std::size_t(i)]));
        }
        return out;
    };
    // The finest grid that keeps the mesh within the budget.
    int low = 1, high = 1024;
    TriangleMesh best;
    while (low < high) {
        const int cells = low + (high - low + 1) / 2;
        TriangleMesh trial = merge(cells);
        if (trial.triangleCount() <= maxTriangles) {
            best = std::move(trial);
            low = cells;
        } else {
            high = cells - 1;
        }
    }
    return best;
}

} // namespace qvx
