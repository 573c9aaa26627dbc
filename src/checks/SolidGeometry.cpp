#include "checks/SolidGeometry.h"

#include <algorithm>
#include <cmath>

namespace qvx {

namespace {

QVector3D Axis(const QMatrix4x4& frame, int column) {
    return QVector3D(frame(0, column), frame(1, column), frame(2, column)).normalized();
}

// Half the length of the solid's shadow on a direction.
float ShadowHalf(const PlacedSolid& s, const QVector3D& direction) {
    if (s.sphere) return s.half.x() * direction.length();
    float r = 0;
    for (int i = 0; i < 3; ++i)
        r += s.half[i] * std::abs(QVector3D::dotProduct(s.axes[size_t(i)], direction));
    return r;
}

QVector3D ClosestInBox(const PlacedSolid& box, const QVector3D& p) {
    const QVector3D d = p - box.centre;
    QVector3D q = box.centre;
    for (int i = 0; i < 3; ++i) {
        const float along =
            std::clamp(QVector3D::dotProduct(d, box.axes[size_t(i)]), -box.half[i], box.half[i]);
        q += along * box.axes[size_t(i)];
    }
    return q;
}

double Cross(const QPointF& o, const QPointF& a, const QPointF& b) {
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

double SegmentDistance(const QPointF& a, const QPointF& b, const QPointF& p) {
    const QPointF ab = b - a;
    const double length2 = ab.x() * ab.x() + ab.y() * ab.y();
    double t = length2 > 0 ? ((p.x() - a.x()) * ab.x() + (p.y() - a.y()) * ab.y()) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

} // namespace

PlacedSolid PlacedSolid::Box(const QMatrix4x4& frame, const QVector3D& half) {
    PlacedSolid s;
    s.centre = frame.map(QVector3D());
    for (int i = 0; i < 3; ++i)
        s.axes[size_t(i)] = Axis(frame, i);
    s.half = half;
    return s;
}

PlacedSolid PlacedSolid::Ball(const QMatrix4x4& frame, float radius) {
    PlacedSolid s;
    s.sphere = true;
    s.centre = frame.map(QVector3D());
    s.half = QVector3D(radius, radius, radius);
    return s;
}

float PlacedSolid::reach() const {
    return sphere ? half.x() : half.length();
}

std::vector<QVector3D> PlacedSolid::supportPoints() const {
    if (sphere) return {centre - QVector3D(0, 0, half.x())};
    std::vector<QVector3D> corners;
    for (int i = 0; i < 8; ++i)
        corners.push_back(centre + (i & 1 ? 1.f : -1.f) * half.x() * axes[0] +
                          (i & 2 ? 1.f : -1.f) * half.y() * axes[1] +
                          (i & 4 ? 1.f : -1.f) * half.z() * axes[2]);
    return corners;
}

bool SolidsOverlap(const PlacedSolid& a, const PlacedSolid& b, float depth) {
    const QVector3D between = b.centre - a.centre;
    if (between.length() >= a.reach() + b.reach() - depth) return false;
    if (a.sphere && b.sphere) return true; // the reach test above is exact for two balls
    if (a.sphere || b.sphere) {
        const PlacedSolid& ball = a.sphere ? a : b;
        const PlacedSolid& box = a.sphere ? b : a;
        return (ClosestInBox(box, ball.centre) - ball.centre).length() < ball.half.x() - depth;
    }
    // Two boxes: the fifteen directions that can separate them (each box's
    // three sides and the nine products of a side of each).
    std::vector<QVector3D> directions(a.axes.begin(), a.axes.end());
    directions.insert(directions.end(), b.axes.begin(), b.axes.end());
    for (const QVector3D& u : a.axes)
        for (const QVector3D& v : b.axes) {
            const QVector3D c = QVector3D::crossProduct(u, v);
            if (c.lengthSquared() > 1e-8f) directions.push_back(c.normalized());
        }
    for (const QVector3D& d : directions) {
        const float apart = std::abs(QVector3D::dotProduct(between, d));
        if (apart >= ShadowHalf(a, d) + ShadowHalf(b, d) - depth) return false;
    }
    return true;
}

std::vector<QPointF> ConvexHull(std::vector<QPointF> p) {
    std::sort(p.begin(), p.end(), [](const QPointF& a, const QPointF& b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    p.erase(std::unique(p.begin(), p.end()), p.end());
    if (p.size() < 3) return p;
    std::vector<QPointF> hull(2 * p.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        while (k >= 2 && Cross(hull[k - 2], hull[k - 1], p[i]) <= 0)
            --k;
        hull[k++] = p[i];
    }
    for (std::size_t i = p.size() - 1, lower = k + 1; i > 0; --i) {
        while (k >= lower && Cross(hull[k - 2], hull[k - 1], p[i - 1]) <= 0)
            --k;
        hull[k++] = p[i - 1];
    }
    hull.resize(k - 1);
    return hull;
}

double DistanceOutside(const std::vector<QPointF>& hull, const QPointF& point) {
    if (hull.empty()) return 0;
    if (hull.size() == 1) return std::hypot(point.x() - hull[0].x(), point.y() - hull[0].y());
    bool inside = hull.size() >= 3;
    double nearest = SegmentDistance(hull.back(), hull.front(), point);
    for (std::size_t i = 0; i < hull.size(); ++i) {
        const QPointF& a = hull[i];
        const QPointF& b = hull[(i + 1) % hull.size()];
        if (Cross(a, b, point) < 0) inside = false;
        if (i + 1 < hull.size()) nearest = std::min(nearest, SegmentDistance(a, b, point));
    }
    return inside ? 0 : nearest;
}

} // namespace qvx
