#include "pose/PanelDragger.h"

#include <QMouseEvent>
#include <algorithm>
#include <QWidget>

namespace qvx {

PanelDragger::PanelDragger(std::function<bool()> fixed, QObject* parent)
    : QObject(parent), m_fixed(std::move(fixed)) {}

void PanelDragger::watch(QWidget* panel) { panel->installEventFilter(this); }

bool PanelDragger::eventFilter(QObject* watched, QEvent* event) {
    auto* panel = qobject_cast<QWidget*>(watched);
    if (!panel || m_fixed()) return false;
    if (event->type() == QEvent::MouseButtonPress) {
        // A press on the panel's label arrives here in panel coordinates.
        m_grab = static_cast<QMouseEvent*>(event)->position().toPoint();
        panel->raise();
        return false;
    }
    if (event->type() == QEvent::MouseMove) {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->buttons() != Qt::LeftButton || e->modifiers() != Qt::NoModifier) return false;
        const QPoint inParent = panel->mapToParent(e->position().toPoint());
        QPoint to = inParent - m_grab;
        if (const QWidget* area = panel->parentWidget()) {
            to.setX(std::min(to.x(), area->width() - panel->width()));
            to.setY(std::min(to.y(), area->height() - panel->height()));
        }
        to.setX(std::max(0, to.x()));
        to.setY(std::max(0, to.y()));
        panel->move(to);
        emit panelMoved();
        return true;
    }
    return false;
}

} // namespace qvx
