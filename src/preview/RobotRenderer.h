#pragma once

#include "preview/RobotModel.h"

#include <QImage>
#include <QRgb>
#include <QVector3D>
#include <memory>
#include <vector>

class QPainter;

namespace qvx {

class RobotScene;
class ViewCamera;

// Draws a robot scene with QPainter alone, so it runs wherever a QImage does
// (no display, no OpenGL): the shapes become flat-shaded triangles, turned to
// the camera, sorted far to near and filled one over the other, above a
// ground grid. Meshes are drawn from their decimated copies.
class RobotRenderer {
  public:
    static constexpr QRgb kBackground = 0xFFF2F2EE;
    static constexpr QRgb kGridColour = 0xFFC4C4BC;
    static constexpr QRgb kHighlightColour = 0xFFFFB000;
    static constexpr QRgb kLimitColour = 0xFFE02424;
    static constexpr QRgb kLimpColour = 0xFFB4B4B4;

    // No model: an empty stage (the ground grid only).
    explicit RobotRenderer(std::shared_ptr<const RobotModel> model = nullptr);

    // Draws into the painter's whole device of the given size; scene may be
    // null for an empty stage, and must be of this renderer's model otherwise.
    void draw(QPainter& painter, QSize size, const RobotScene* scene,
              const ViewCamera& camera) const;
    QImage render(QSize size, const RobotScene* scene, const ViewCamera& camera) const;

    // Where a point of the model's frame lands in a picture of the given size.
    QPointF project(const QVector3D& point, QSize size, const ViewCamera& camera) const;

  private:
    struct LinkTriangles {
        // Three corners per triangle, in the link's frame.
        std::vector<QVector3D> corners;
        std::vector<QRgb> colours;
        // Closed shapes with their triangles turned outwards: the back faces go.
        std::vector<bool> closed;
    };
    double scale(QSize size, const ViewCamera& camera) const;
    void drawGrid(QPainter& painter, QSize size, const ViewCamera& camera) const;

    std::shared_ptr<const RobotModel> m_model;
    std::vector<LinkTriangles> m_links;
    // The model at rest: the centre and radius of its bounds, its lowest point.
    QVector3D m_centre;
    float m_radius = 0.3f;
    float m_ground = 0;
};

} // namespace qvx
