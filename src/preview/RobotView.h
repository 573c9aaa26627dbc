#pragma once

#include "preview/RobotRenderer.h"
#include "preview/ViewCamera.h"

#include <QPoint>
#include <QWidget>
#include <memory>

namespace qvx {

class RobotScene;

// Draws a robot scene with the QPainter renderer and moves the camera with
// the mouse: the left button orbits, the right or middle button pans, the
// wheel zooms.
class RobotView : public QWidget {
    Q_OBJECT
  public:
    explicit RobotView(QWidget* parent = nullptr);

    // The scene to draw (null: an empty stage); it must outlive the view or
    // be replaced first.
    void setScene(const RobotScene* scene);
    ViewCamera& camera() { return m_camera; }
    const ViewCamera& camera() const { return m_camera; }

  signals:
    // The user moved the camera.
    void cameraMoved();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    const RobotScene* m_scene = nullptr;
    std::unique_ptr<RobotRenderer> m_renderer;
    ViewCamera m_camera;
    QPoint m_lastMouse;
};

} // namespace qvx
