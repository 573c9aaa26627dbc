#pragma once

#include <QPoint>
#include <array>

namespace qvx {

// The geometry of the canvas drawing that does not need a painter.
class CanvasGeometry {
  public:
    // Direction of the segment from s to e in radians, measured with the
    // screen's y axis growing downwards, in [0, 2π); -1 for a zero-length
    // segment. Held in single precision like the arrow drawing expects.
    static float DirectionAngle(QPoint s, QPoint e);
    // The arrowhead of the segment from s to e, drawn at its middle: the
    // triangle (4, 0), (-5, 5), (-5, -5) turned to point from s to e. The tip
    // is the last corner.
    static std::array<QPoint, 3> ArrowHead(QPoint s, QPoint e);
    // The start flag above the top-left corner of the start item, and its pole.
    static std::array<QPoint, 3> StartFlag(QPoint topLeft);
    static std::array<QPoint, 2> StartFlagPole(QPoint topLeft);
};

} // namespace qvx
