#include "preview/ViewCamera.h"

#include <algorithm>

namespace qvx {

std::optional<ViewDirection> ViewDirectionFromName(const QString& name) {
    if (name == QLatin1String("front")) return ViewDirection::Front;
    if (name == QLatin1String("side")) return ViewDirection::Side;
    if (name == QLatin1String("top")) return ViewDirection::Top;
    if (name == QLatin1String("iso")) return ViewDirection::Iso;
    return std::nullopt;
}

void ViewCamera::setView(ViewDirection view) {
    *this = ViewCamera();
    switch (view) {
    case ViewDirection::Front:
        break;
    case ViewDirection::Side:
        yaw = -90;
        break; // from the robot's right
    case ViewDirection::Top:
        pitch = 90;
        break;
    case ViewDirection::Iso:
        yaw = -35, pitch = 30;
        break;
    }
}

void ViewCamera::orbit(double yawDegrees, double pitchDegrees) {
    yaw += yawDegrees;
    pitch = std::clamp(pitch + pitchDegrees, -90.0, 90.0);
}

void ViewCamera::zoomBy(double factor) {
    zoom = std::clamp(zoom * factor, 0.05, 50.0);
}

QMatrix4x4 ViewCamera::viewRotation() const {
    // Looking at the front: the robot's left (+y) to the right, up stays up,
    // forward (+x) towards the viewer.
    const QMatrix4x4 front(0, 1, 0, 0, //
                           0, 0, 1, 0, //
                           1, 0, 0, 0, //
                           0, 0, 0, 1);
    QMatrix4x4 m;
    m.rotate(float(pitch), 1, 0, 0);
    m *= front;
    m.rotate(float(-yaw), 0, 0, 1);
    return m;
}

} // namespace qvx
