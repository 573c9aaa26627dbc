#include "preview/RobotView.h"

#include "preview/RobotScene.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace qvx {

namespace {
// Degrees the camera turns for a pixel of drag, and the zoom of one wheel step.
constexpr double kOrbitPerPixel = 0.5;
constexpr double kZoomPerStep = 1.15;
} // namespace

RobotView::RobotView(QWidget* parent)
    : QWidget(parent), m_renderer(std::make_unique<RobotRenderer>()) {
    setObjectName(QStringLiteral("RobotView"));
    setMinimumSize(160, 160);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_camera.setView(ViewDirection::Iso);
}

void RobotView::setScene(const RobotScene* scene) {
    // The renderer keeps the model's triangles: it is made anew only for
    // another model.
    const auto model = scene ? scene->sharedModel() : nullptr;
    if (!m_scene || !scene || m_scene->sharedModel() != model)
        m_renderer = std::make_unique<RobotRenderer>(model);
    m_scene = scene;
    update();
}

void RobotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_renderer->draw(painter, size(), m_scene, m_camera);
}

void RobotView::mousePressEvent(QMouseEvent* event) {
    m_lastMouse = event->position().toPoint();
}

void RobotView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const QPoint delta = at - m_lastMouse;
    m_lastMouse = at;
    if (event->buttons() & Qt::LeftButton)
        m_camera.orbit(-delta.x() * kOrbitPerPixel, delta.y() * kOrbitPerPixel);
    else if (event->buttons() & (Qt::RightButton | Qt::MiddleButton))
        m_camera.panBy(QPointF(delta));
    else
        return;
    update();
    emit cameraMoved();
}

void RobotView::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0) return;
    m_camera.zoomBy(std::pow(kZoomPerStep, steps));
    update();
    emit cameraMoved();
}

} // namespace qvx
