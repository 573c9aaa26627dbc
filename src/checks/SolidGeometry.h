#pragma once

#include <QMatrix4x4>
#include <QPointF>
#include <QVector3D>

#include <array>
#include <vector>

namespace qvx {

// A collision shape placed in the model's frame: a box with its own axes, or
// a sphere (radius in half.x, axes unused). Cylinders and meshes are taken as
// the boxes around them.
struct PlacedSolid {
    bool sphere = false;
    QVector3D centre;
    std::array<QVector3D, 3> axes{QVector3D(1, 0, 0), QVector3D(0, 1, 0), QVector3D(0, 0, 1)};
    QVector3D half;

    // A box of the given half sides, or a sphere, placed by a frame without scale.
    static PlacedSolid Box(const QMatrix4x4& frame, const QVector3D& half);
    static PlacedSolid Ball(const QMatrix4x4& frame, float radius);

    // The radius of a ball around the centre that holds the whole solid.
    float reach() const;
    // The corners of a box, or the lowest point of a sphere.
    std::vector<QVector3D> supportPoints() const;
};

// True when the two solids overlap by more than `depth` (metres) along every
// direction that could separate them.
bool SolidsOverlap(const PlacedSolid& a, const PlacedSolid& b, float depth);

// The convex hull of points, counter-clockwise, without repeated points.
std::vector<QPointF> ConvexHull(std::vector<QPointF> points);

// How far the point lies outside the convex polygon (0 when inside or on its
// edge). A polygon of one or two points is a point or a segment.
double DistanceOutside(const std::vector<QPointF>& hull, const QPointF& point);

} // namespace qvx
