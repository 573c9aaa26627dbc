#pragma once

#include "editor/ChartEditor.h"
#include "editor/ChartPainter.h"

#include <QWidget>

class QAction;
class QMenu;

namespace qvx {

class Chart;
class UiServices;
struct EditState;

// The drawing surface of the EDIT page (the image "Image1"): shows the chart,
// takes the mouse for every tool mode and owns the canvas menu.
class ChartCanvas : public QWidget {
    Q_OBJECT
  public:
    ChartCanvas(Chart& chart, EditState& edit, QWidget* parent = nullptr);

    // Message boxes and the colour dialog go through these services.
    void setServices(UiServices* services);

    // Sets the canvas (bitmap) size.
    void setCanvasSize(const QSize& size);
    QSize canvasSize() const { return size(); }

    // Redraws the whole canvas.
    void RepaintCanvas() { update(); }
    // The "Color" submenu handler: colours the selected items.
    void SetSelectedItemColour(int tag);

    ChartEditor& editor() { return m_editor; }

    // The canvas menu and its entries.
    QMenu* PopupMenu = nullptr;
    QAction* N21 = nullptr;         // "Release the selection"
    QAction* N20 = nullptr;         // separator
    QAction* CopyMenu = nullptr;    // "Copy"
    QAction* PasteMenu = nullptr;   // "Paste"
    QAction* MirMenu = nullptr;     // "Conversion"
    QAction* N19 = nullptr;         // separator
    QMenu* ColorMenu = nullptr;     // "Color"
    QAction* PropMenu = nullptr;    // "Property"
    QAction* PointAddBtn = nullptr; // "Add the bending line"
    QAction* PointDelBtn = nullptr; // "Deletion of bending line"
    QAction* Separate0 = nullptr;   // separator
    QAction* ItemDel = nullptr;     // "Deletion"
    QAction* N22 = nullptr;         // "All selection"
    QAction* ArrangeMenu = nullptr; // "Arrange"

  signals:
    // The mouse moved to a canvas point (grid-snapped).
    void mousePositionChanged(const QPoint& point);
    // The canvas went back to tool mode 0 on its own: SelectBtn goes down.
    void toolModeReset();
    // Double-click on a POS, SET or CMP item: its editor opens on it.
    void itemDoubleClicked(int item);
    // Double-click on an empty spot: the chart data dialog.
    void emptyDoubleClicked();
    // "Property" in the canvas menu, for the item under the menu's click.
    void itemPropertyRequested(int item);
    // "Conversion" in the canvas menu.
    void conversionRequested();
    // "Arrange" in the canvas menu: the whole chart is to be laid out anew.
    void arrangeRequested();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildMenu();
    void showMenu();
    void press(QMouseEvent* event);
    struct DroppedRow {
        int row = -1;
        QString caption, motionName;
    };
    // The motion table row a drag carries, when it comes from "ListView".
    static std::optional<DroppedRow> draggedRow(const QDropEvent* event);

    Chart& m_chart;
    EditState& m_edit;
    ChartEditor m_editor;
    UiServices* m_services = nullptr;
    PaintCache m_cache;
};

} // namespace qvx
