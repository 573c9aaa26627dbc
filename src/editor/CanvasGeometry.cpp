#include "editor/CanvasGeometry.h"

#include "editor/HitTest.h"

#include <cmath>
#include <numbers>

namespace qvx {

float CanvasGeometry::DirectionAngle(QPoint s, QPoint e) {
    const int dx = e.x() - s.x();
    const int dy = e.y() - s.y();
    double degrees;
    if (dx == 0 && dy == 0) return -1.0f;
    if (dx == 0)
        degrees = dy > 0 ? 90.0 : 270.0;
    else if (dy == 0)
        degrees = dx > 0 ? 0.0 : 180.0;
    else {
        degrees = std::atan(double(dy) / double(dx)) * 180.0 / std::numbers::pi;
        if (dx < 0)
            degrees += 180.0;
        else if (dy < 0)
            degrees += 360.0;
    }
    return float(degrees * std::numbers::pi / 180.0);
}

std::array<QPoint, 3> CanvasGeometry::ArrowHead(QPoint s, QPoint e) {
    const QPoint m = HitTest::SegmentMiddle(s, e);
    const double theta = DirectionAngle(s, e);
    const double c = std::cos(theta);
    const double sn = std::sin(theta);
    // std::lrint rounds halves to even under the default rounding mode.
    auto r = [](double v) { return int(std::lrint(v)); };
    return {m + QPoint(r(-5 * c - 5 * sn), r(5 * c - 5 * sn)),
            m + QPoint(r(-5 * c + 5 * sn), r(-5 * c - 5 * sn)), m + QPoint(r(4 * c), r(4 * sn))};
}

std::array<QPoint, 3> CanvasGeometry::StartFlag(QPoint p) {
    return {p + QPoint(10, -2), p + QPoint(10, -12), p + QPoint(0, -7)};
}

std::array<QPoint, 2> CanvasGeometry::StartFlagPole(QPoint p) {
    return {p + QPoint(10, -2), p + QPoint(10, 8)};
}

} // namespace qvx
