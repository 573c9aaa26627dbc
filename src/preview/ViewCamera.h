#pragma once

#include <QMatrix4x4>
#include <QPointF>
#include <QString>
#include <optional>

namespace qvx {

enum class ViewDirection { Front, Side, Top, Iso };

// The names of the views as the user types them ("front", "side", "top", "iso").
std::optional<ViewDirection> ViewDirectionFromName(const QString& name);

// An orthographic camera turning around the robot: yaw about the vertical
// axis (0 looks at the robot's front), pitch up from the horizon, a zoom
// factor and a pan in pixels.
class ViewCamera {
  public:
    void setView(ViewDirection view);
    void orbit(double yawDegrees, double pitchDegrees);
    void panBy(QPointF pixels) { pan += pixels; }
    void zoomBy(double factor);

    double yaw = 0, pitch = 0, zoom = 1;
    QPointF pan;

    // Turns the model's frame (x forward, y left, z up) into the view's: x to
    // the right, y up, z towards the viewer.
    QMatrix4x4 viewRotation() const;
};

} // namespace qvx
