#include "preview/RobotRenderer.h"

#include "preview/RobotScene.h"
#include "preview/ViewCamera.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace qvx {

namespace {

constexpr int kRoundSegments = 12;
constexpr int kSphereBands = 6;

void addTriangle(std::vector<QVector3D>& out, QVector3D a, QVector3D b, QVector3D c) {
    out.insert(out.end(), {a, b, c});
}

// The triangles of a shape in its own frame, turned outwards.
std::vector<QVector3D> tessellate(const Shape& shape) {
    std::vector<QVector3D> t;
    const QVector3D s(float(shape.size.x), float(shape.size.y), float(shape.size.z));
    const auto round = [](int i) {
        const double a = 2 * std::numbers::pi * i / kRoundSegments;
        return QVector3D(float(std::cos(a)), float(std::sin(a)), 0);
    };
    switch (shape.kind) {
    case ShapeKind::Box: {
        const QVector3D h = s / 2;
        const auto corner = [&](int i) {
            return QVector3D(i & 1 ? h.x() : -h.x(), i & 2 ? h.y() : -h.y(),
                             i & 4 ? h.z() : -h.z());
        };
        // Each face as four corners counter-clockwise seen from outside.
        static constexpr int kFaces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                             {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
        for (const auto& f : kFaces) {
            addTriangle(t, corner(f[0]), corner(f[1]), corner(f[2]));
            addTriangle(t, corner(f[0]), corner(f[2]), corner(f[3]));
        }
        break;
    }
    case ShapeKind::Cylinder: {
        const float r = s.x(), h = s.z() / 2;
        const QVector3D top(0, 0, h), bottom(0, 0, -h);
        for (int i = 0; i < kRoundSegments; ++i) {
            const QVector3D a = round(i) * r, b = round(i + 1) * r;
            addTriangle(t, a + bottom, b + bottom, b + top);
            addTriangle(t, a + bottom, b + top, a + top);
            addTriangle(t, top, a + top, b + top);
            addTriangle(t, bottom, b + bottom, a + bottom);
        }
        break;
    }
    case ShapeKind::Sphere: {
        const float r = s.x();
        const auto point = [&](int band, int i) {
            const double polar = std::numbers::pi * band / kSphereBands;
            return (round(i) * float(std::sin(polar)) + QVector3D(0, 0, float(-std::cos(polar)))) *
                   r;
        };
        for (int band = 0; band < kSphereBands; ++band)
            for (int i = 0; i < kRoundSegments; ++i) {
                const QVector3D a = point(band, i), b = point(band, i + 1);
                const QVector3D c = point(band + 1, i + 1), d = point(band + 1, i);
                if (band > 0) addTriangle(t, a, b, c);
                if (band < kSphereBands - 1) addTriangle(t, a, c, d);
            }
        break;
    }
    case ShapeKind::Mesh: {
        const std::vector<float>& c = shape.drawMesh->corners;
        for (std::size_t i = 0; i + 2 < c.size(); i += 3)
            t.emplace_back(c[i], c[i + 1], c[i + 2]);
        break;
    }
    }
    return t;
}

QRgb shade(QRgb colour, float light) {
    const auto part = [&](int c) { return std::clamp(int(c * light + 0.5f), 0, 255); };
    return qRgb(part(qRed(colour)), part(qGreen(colour)), part(qBlue(colour)));
}

// One triangle ready to fill.
struct Facet {
    float depth;
    QRgb colour;
    QPointF corners[3];
};

} // namespace

RobotRenderer::RobotRenderer(std::shared_ptr<const RobotModel> model) : m_model(std::move(model)) {
    if (!m_model) return;
    RobotScene rest(m_model);
    QVector3D low(1e9f, 1e9f, 1e9f), high(-1e9f, -1e9f, -1e9f);
    m_links.resize(m_model->links().size());
    for (std::size_t l = 0; l < m_links.size(); ++l) {
        LinkTriangles& out = m_links[l];
        for (const Shape& shape : m_model->links()[l].shapes) {
            const QMatrix4x4 origin = PlacementMatrix(shape.origin);
            const bool closed = shape.kind != ShapeKind::Mesh;
            for (const QVector3D& corner : tessellate(shape)) {
                out.corners.push_back(origin.map(corner));
                const QVector3D at = rest.linkFrame(int(l)).map(out.corners.back());
                low = QVector3D(std::min(low.x(), at.x()), std::min(low.y(), at.y()),
                                std::min(low.z(), at.z()));
                high = QVector3D(std::max(high.x(), at.x()), std::max(high.y(), at.y()),
                                 std::max(high.z(), at.z()));
            }
            const std::size_t triangles = out.corners.size() / 3 - out.colours.size();
            out.colours.insert(out.colours.end(), triangles, 0xFF000000u | shape.colour);
            out.closed.insert(out.closed.end(), triangles, closed);
        }
    }
    if (high.x() >= low.x()) {
        m_centre = (low + high) / 2;
        m_radius = std::max(0.01f, (high - low).length() / 2);
        m_ground = low.z();
    }
}

double RobotRenderer::scale(QSize size, const ViewCamera& camera) const {
    return camera.zoom * 0.45 * std::min(size.width(), size.height()) / m_radius;
}

QPointF RobotRenderer::project(const QVector3D& point, QSize size, const ViewCamera& camera) const {
    const QVector3D v = camera.viewRotation().map(point - m_centre);
    const double k = scale(size, camera);
    return {size.width() / 2.0 + camera.pan.x() + v.x() * k,
            size.height() / 2.0 + camera.pan.y() - v.y() * k};
}

void RobotRenderer::drawGrid(QPainter& painter, QSize size, const ViewCamera& camera) const {
    // Lines every power of ten below the model's size, halved once when few.
    float step = std::pow(10.0f, std::floor(std::log10(m_radius)));
    if (m_radius / step < 3) step /= 2;
    const int lines = int(std::ceil(m_radius * 1.5f / step));
    painter.setPen(QPen(QColor::fromRgb(kGridColour), 1));
    const float cx = std::round(m_centre.x() / step) * step,
                cy = std::round(m_centre.y() / step) * step;
    for (int i = -lines; i <= lines; ++i) {
        const float a = i * step, e = lines * step;
        painter.drawLine(project({cx + a, cy - e, m_ground}, size, camera),
                         project({cx + a, cy + e, m_ground}, size, camera));
        painter.drawLine(project({cx - e, cy + a, m_ground}, size, camera),
                         project({cx + e, cy + a, m_ground}, size, camera));
    }
}

void RobotRenderer::draw(QPainter& painter, QSize size, const RobotScene* scene,
                         const ViewCamera& camera) const {
    painter.fillRect(QRect(QPoint(), size), QColor::fromRgb(kBackground));
    drawGrid(painter, size, camera);
    if (!scene || !m_model || &scene->model() != m_model.get()) return;

    const QMatrix4x4 view = camera.viewRotation();
    const double k = scale(size, camera);
    const QPointF middle(size.width() / 2.0 + camera.pan.x(), size.height() / 2.0 + camera.pan.y());
    const QVector3D light = QVector3D(-0.35f, 0.55f, 1.0f).normalized();
    const JointPose& pose = scene->pose();
    std::vector<Facet> facets;
    facets.reserve(4096);
    for (std::size_t l = 0; l < m_links.size(); ++l) {
        const LinkTriangles& tri = m_links[l];
        if (tri.corners.empty()) continue;
        // What the joint that moves this link says about its colour.
        QRgb override = 0;
        const int j = m_model->links()[l].parentJoint;
        if (j >= 0) {
            if (j == scene->highlightedJoint)
                override = kHighlightColour;
            else if (pose[std::size_t(j)].atLimit)
                override = kLimitColour;
            else if (pose[std::size_t(j)].limp)
                override = kLimpColour;
        }
        const QMatrix4x4 toView = view * scene->linkFrame(int(l));
        const QVector3D shift = view.map(m_centre);
        for (std::size_t t = 0; t < tri.colours.size(); ++t) {
            const QVector3D a = toView.map(tri.corners[t * 3]) - shift;
            const QVector3D b = toView.map(tri.corners[t * 3 + 1]) - shift;
            const QVector3D c = toView.map(tri.corners[t * 3 + 2]) - shift;
            QVector3D normal = QVector3D::crossProduct(b - a, c - a);
            if (tri.closed[t] && normal.z() <= 0) continue;
            normal.normalize();
            const float facing = std::abs(QVector3D::dotProduct(normal, light));
            Facet f;
            f.depth = a.z() + b.z() + c.z();
            f.colour = shade(override ? override : tri.colours[t], 0.45f + 0.55f * facing);
            const QVector3D* corners[3] = {&a, &b, &c};
            for (int i = 0; i < 3; ++i)
                f.corners[i] = middle + QPointF(corners[i]->x() * k, -corners[i]->y() * k);
            facets.push_back(f);
        }
    }
    std::sort(facets.begin(), facets.end(),
              [](const Facet& x, const Facet& y) { return x.depth < y.depth; });
    painter.setPen(Qt::NoPen);
    for (const Facet& f : facets) {
        painter.setBrush(QColor::fromRgb(f.colour));
        painter.drawConvexPolygon(f.corners, 3);
    }
}

QImage RobotRenderer::render(QSize size, const RobotScene* scene, const ViewCamera& camera) const {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    draw(painter, size, scene, camera);
    return image;
}

} // namespace qvx
