#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

namespace qvx {

// Lets the user drag panels about their window with the left mouse button:
// the point grabbed stays under the mouse, and a panel stays inside the area
// that holds it (never above or left of its corner, never past its right or
// bottom edge, so no panel is dragged out of reach). Watches the panels it is given (presses on
// their labels reach the panel too). Does nothing while `fixed` says so.
class PanelDragger : public QObject {
    Q_OBJECT
  public:
    explicit PanelDragger(std::function<bool()> fixed, QObject* parent = nullptr);

    void watch(QWidget* panel);

  signals:
    // A panel was moved by a drag.
    void panelMoved();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<bool()> m_fixed;
    QPoint m_grab;
};

} // namespace qvx
