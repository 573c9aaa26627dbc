#pragma once

#include <QWidget>

namespace qvx {

class Chart;
struct EditState;

// The drawing surface of the EDIT page: shows the chart and takes the mouse.
class TChartCanvas : public QWidget {
    Q_OBJECT
public:
    TChartCanvas(Chart& chart, EditState& edit, QWidget* parent = nullptr);

    // Sets the canvas (bitmap) size.
    void setCanvasSize(const QSize& size);
    QSize canvasSize() const { return size(); }

signals:
    // The mouse moved to a canvas point (grid-snapped).
    void mousePositionChanged(const QPoint& point);
    // The canvas went back to tool mode 0 on its own (the swallowed mouse event).
    void toolModeReset();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool swallow();

    Chart& m_chart;
    EditState& m_edit;
};

} // namespace qvx
