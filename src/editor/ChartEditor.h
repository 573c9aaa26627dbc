#pragma once

#include "board/BoardProtocol.h"

#include <QPoint>
#include <QString>
#include <Qt>
#include <functional>
#include <optional>

namespace qvx {

class Chart;
class Services;
struct EditState;

// Which entries of the canvas menu show for what the right-click hit.
// "Release the selection", "All selection" and their separators always show.
struct CanvasMenuState {
    bool copyPaste = false;      // "Copy", "Paste", "Conversion"
    bool colourProperty = false; // separator Separate0, "Color", "Property"
    bool deletion = false;       // "Deletion"
    bool addBend = false;        // "Add the bending line"
    bool deleteBend = false;     // "Deletion of bending line"
    bool propertyEnabled = false;
};

// What a double-click asks for.
struct DoubleClickResult {
    enum Action {
        None,         // nothing to do but repaint
        NotDouble,    // the first click was no select click: treat as a plain press
        ChartData,    // empty canvas: the chart data dialog
        ItemDialog,   // the item's dialog (POS, SET or CMP)
        ReversedLink, // the link under the handle was reversed
    };
    Action action = None;
    int item = -1;
};

// The mouse editing of the canvas, without any widget: tool modes, selection,
// dragging, placing items, drawing links and the canvas menu's actions. The
// canvas widget feeds it snapped-or-not canvas points and repaints as told.
class ChartEditor {
  public:
    ChartEditor(Chart& chart, EditState& edit) : m_chart(chart), m_edit(edit) {}

    // Services for the error box of a link drawn onto its own origin.
    void setServices(Services* services) { m_services = services; }
    // Called when the editor itself returns to tool mode 0 (SelectBtn goes down).
    std::function<void()> onToolModeReset;
    // Asked before pasting, deleting and dropping: true (after telling the user)
    // while a board flow runs that such a change could disturb.
    std::function<bool()> refuseChange;
    // Called after selected items were deleted (editors that follow an item look again).
    std::function<void()> itemsDeleted;

    enum class Outcome {
        Ignored,   // nothing happened, not even a repaint
        Swallowed, // the event after a file dialog: only tool mode 0
        Repaint,
        OpenMenu, // right-click in tool modes 0-3: pop up the canvas menu, then repaint
    };

    Outcome MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint p);
    Outcome MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods, QPoint p);
    Outcome MouseUp();
    DoubleClickResult DoubleClick();

    // The menu state for the hits of the right-click that opens the menu.
    CanvasMenuState MenuState() const;

    // Canvas menu actions.
    void ReleaseSelection();
    void SelectAll();
    void CopySelection();
    bool PasteClipboard();
    void AddBendingPoint();
    void DeleteBendingPoint();
    void DeleteSelection(); // only in tool mode 0
    // The item whose properties "Property" shows, -1 for none.
    int PropertyItem() const;
    // Colours the selected items from the palette; for "etc." (-1) pick is asked
    // once per selected item with its current colour and nothing returned
    // keeps it. The selection is cleared afterwards.
    void SetSelectedItemColour(int tag,
                               const std::function<std::optional<quint32>(quint32)>& pick = {});

    // A row of the motion table dropped at p (not snapped): a MOT item calling
    // that motion. Scenario rows (80 and up) are refused. Returns the new item or -1.
    int DropMotionRow(int row, const QString& caption, const QString& motionName, QPoint p);
    static constexpr int kMotionRows = QmxBoard::kMotionSlots;

  private:
    void resetToolMode();
    void selectPress(Qt::KeyboardModifiers mods, QPoint p);
    void runHitTests(QPoint p);
    void menuPress(QPoint p);
    void dragStep(QPoint p);
    void linkClick(int kind, QPoint p);
    bool validHitLink() const;
    bool changeRefused() const { return refuseChange && refuseChange(); }

    Chart& m_chart;
    EditState& m_edit;
    Services* m_services = nullptr;
    // The last left press was a select click in tool mode 0, so the hit results
    // belong to it: only then do a drag or a double-click act on them.
    bool m_selectPress = false;
};

} // namespace qvx
