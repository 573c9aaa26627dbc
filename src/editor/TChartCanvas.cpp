#include "editor/TChartCanvas.h"

#include "document/Chart.h"
#include "editor/EditState.h"

#include <QMouseEvent>
#include <QPainter>

namespace qvx {

TChartCanvas::TChartCanvas(Chart& chart, EditState& edit, QWidget* parent)
    : QWidget(parent), m_chart(chart), m_edit(edit) {
    setObjectName(QStringLiteral("Image1"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCanvasSize(QSize(640, 480));
}

void TChartCanvas::setCanvasSize(const QSize& size) { setFixedSize(size); }

void TChartCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    for (const Link& l : m_chart.links) {
        if (!m_chart.validItem(l.origin) || !m_chart.validItem(l.final)) continue;
        QPolygon line;
        line << m_chart.ItemCentre(l.origin);
        for (const QPoint& pt : l.points) line << pt;
        line << m_chart.ItemCentre(l.final);
        p.setPen(QPen(l.selected ? Qt::red : Qt::black, 1, l.kind == BranchLink ? Qt::DotLine : Qt::SolidLine));
        p.drawPolyline(line);
    }
    for (const Item& it : m_chart.items) {
        const QRect r(it.left, it.top, it.width, it.height);
        const quint32 c = it.colour;
        p.setBrush(QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
        p.setPen(it.selected ? Qt::red : Qt::black);
        p.drawRoundedRect(r, 6, 6);
        p.drawText(r, Qt::AlignCenter, it.name);
    }
}

bool TChartCanvas::swallow() {
    if (m_edit.toolMode != ToolSwallow) return false;
    m_edit.toolMode = ToolSelect;
    emit toolModeReset();
    return true;
}

void TChartCanvas::mousePressEvent(QMouseEvent*) { swallow(); }

void TChartCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (swallow()) return;
    emit mousePositionChanged(event->position().toPoint());
}

void TChartCanvas::mouseReleaseEvent(QMouseEvent*) { swallow(); }

} // namespace qvx
