#include "editor/ChartEditor.h"

#include "base/Services.h"
#include "document/Chart.h"
#include "editor/EditState.h"
#include "editor/HitTest.h"
#include "document/ItemColours.h"

#include <QCoreApplication>

namespace qvx {

namespace {
// A shift-click is exactly the shift key with the button; any other modifier
// counts as a plain click.
bool isShiftClick(Qt::KeyboardModifiers mods) {
    return (mods & ~Qt::KeypadModifier) == Qt::ShiftModifier;
}
} // namespace

void ChartEditor::resetToolMode() {
    m_edit.toolMode = ToolSelect;
    if (onToolModeReset) onToolModeReset();
}

bool ChartEditor::validHitLink() const {
    return m_edit.hitLink >= 0 && m_edit.hitLink < m_chart.linkCount();
}

ChartEditor::Outcome ChartEditor::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods,
                                            QPoint p) {
    if (m_edit.toolMode == ToolSwallow) {
        resetToolMode();
        return Outcome::Swallowed;
    }
    p = m_edit.SnapToGrid(p);
    const int mode = m_edit.toolMode;
    if (button == Qt::RightButton) {
        if (mode >= ToolSelect && mode <= ToolCmp) {
            menuPress(p);
            return Outcome::OpenMenu;
        }
        if (mode == ToolMainLink || mode == ToolBranchLink) m_edit.abandonLink();
        return Outcome::Repaint;
    }
    if (button != Qt::LeftButton) return Outcome::Ignored;

    m_selectPress = mode == ToolSelect;
    switch (mode) {
    case ToolSelect:
        selectPress(mods, p);
        break;
    case ToolPos:
    case ToolSet:
    case ToolCmp:
        // A kind that does not belong in this chart is refused without a word.
        m_chart.CreateItem(quint8(mode - ToolPos), p.x(), p.y());
        resetToolMode();
        break;
    case ToolMainLink:
    case ToolBranchLink:
        linkClick(mode - ToolMainLink, p);
        break;
    case ToolStart:
        m_chart.startItem = HitTest::ItemAt(m_chart, p);
        m_chart.ClearSelection();
        break;
    default:
        break;
    }
    return Outcome::Repaint;
}

void ChartEditor::runHitTests(QPoint p) {
    m_edit.rubberBand = false;
    m_edit.downPoint = m_edit.lastPoint = p;
    m_edit.currentItem = HitTest::ItemAt(m_chart, p);
    const LinkHit hit = HitTest::LinkAt(m_chart, p);
    m_edit.hitLink = hit.link;
    m_edit.hitPoint = hit.point;
    m_edit.hitSegment = hit.segment;
}

void ChartEditor::selectPress(Qt::KeyboardModifiers mods, QPoint p) {
    const bool shift = isShiftClick(mods);
    runHitTests(p);
    const int item = m_edit.currentItem;
    if (item < 0 && m_edit.hitLink >= 0) {
        Link& l = m_chart.links[size_t(m_edit.hitLink)];
        if (shift)
            l.selected = !l.selected;
        else if (l.selected)
            return;
        else {
            m_chart.ClearSelection();
            l.selected = true;
        }
        if (m_edit.gridOn)
            for (QPoint& pt : l.points)
                pt = m_edit.SnapToGrid(pt);
    } else if (item >= 0) {
        Item& it = m_chart.items[size_t(item)];
        if (shift)
            it.selected = !it.selected;
        else if (it.selected)
            return; // keeps a multiple selection for dragging
        else {
            m_chart.ClearSelection();
            it.selected = true;
        }
        if (m_edit.gridOn) {
            const QPoint corner = m_edit.SnapToGrid(QPoint(it.left, it.top));
            it.left = corner.x();
            it.top = corner.y();
        }
    } else if (!shift) {
        m_chart.ClearSelection();
        m_edit.rubberBand = true;
    }
}

void ChartEditor::menuPress(QPoint p) {
    m_selectPress = false;
    runHitTests(p);
    if (m_edit.currentItem >= 0) {
        Item& it = m_chart.items[size_t(m_edit.currentItem)];
        if (!it.selected) {
            m_chart.ClearSelection();
            it.selected = true;
        }
    } else if (m_edit.hitLink >= 0) {
        Link& l = m_chart.links[size_t(m_edit.hitLink)];
        if (!l.selected) {
            m_chart.ClearSelection();
            l.selected = true;
        }
    }
}

CanvasMenuState ChartEditor::MenuState() const {
    CanvasMenuState s;
    if (m_edit.currentItem >= 0) {
        s.copyPaste = s.colourProperty = s.deletion = true;
    } else if (m_edit.hitLink >= 0 && m_edit.hitPoint >= 0) {
        s.deleteBend = true;
    } else if (m_edit.hitLink >= 0) {
        s.deletion = s.addBend = true;
    } else {
        s.copyPaste = true;
    }
    s.propertyEnabled = m_chart.SelectedItemCount() == 1;
    return s;
}

ChartEditor::Outcome ChartEditor::MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods,
                                            QPoint p) {
    if (m_edit.toolMode == ToolSwallow) {
        resetToolMode();
        return Outcome::Swallowed;
    }
    p = m_edit.SnapToGrid(p);
    m_edit.mousePoint = p; // the rubber line of a link being drawn ends here
    if (buttons == Qt::NoButton) return Outcome::Repaint;
    if (buttons == Qt::LeftButton && (mods & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // A drag only continues a select click; after placing an item the
        // button is still down, but the old hit results must not move anything.
        if (m_edit.toolMode == ToolSelect && m_selectPress) dragStep(p);
        return Outcome::Repaint;
    }
    return Outcome::Ignored;
}

void ChartEditor::dragStep(QPoint p) {
    const QPoint d = p - m_edit.lastPoint;
    m_edit.lastPoint = p;
    if (m_edit.currentItem < 0 && m_edit.hitLink < 0) {
        m_chart.ClearSelection();
        HitTest::SelectInRect(m_chart, m_edit.downPoint, m_edit.lastPoint, false);
        return;
    }
    if (m_edit.currentItem < 0) {
        if (m_edit.hitPoint < 0 || !validHitLink()) return; // a segment handle moves nothing
        QVector<QPoint>& pts = m_chart.links[size_t(m_edit.hitLink)].points;
        if (m_edit.hitPoint >= pts.size()) return;
        const QPoint moved = pts[m_edit.hitPoint] + d;
        if (moved.x() >= 0 && moved.y() >= 0) pts[m_edit.hitPoint] = moved;
        return;
    }
    // The whole selection moves; the first item or point that would leave the
    // canvas on the left or top stops the step there.
    for (Item& it : m_chart.items) {
        if (!it.selected) continue;
        if (it.left + d.x() < 0 || it.top + d.y() < 0) return;
        it.left += d.x();
        it.top += d.y();
    }
    for (Link& l : m_chart.links) {
        if (!l.selected) continue;
        for (QPoint& pt : l.points) {
            const QPoint moved = pt + d;
            if (moved.x() < 0 || moved.y() < 0) return;
            pt = moved;
        }
    }
}

ChartEditor::Outcome ChartEditor::MouseUp() {
    if (m_edit.toolMode == ToolSwallow) {
        resetToolMode();
        return Outcome::Swallowed;
    }
    if (m_edit.toolMode == ToolSelect) m_edit.rubberBand = false;
    return Outcome::Repaint;
}

DoubleClickResult ChartEditor::DoubleClick() {
    // Only a double-click whose first click was a select click uses the hit
    // results; anything else is handled as the press it also is.
    if (m_edit.toolMode != ToolSelect || !m_selectPress) return {DoubleClickResult::NotDouble, -1};
    const int item = m_edit.currentItem;
    if (item >= 0) {
        if (!m_chart.validItem(item)) return {};
        const quint8 kind = m_chart.items[size_t(item)].kind;
        if (kind == KindPos || kind == KindSet || kind == KindCmp)
            return {DoubleClickResult::ItemDialog, item};
        return {};
    }
    if (m_edit.hitLink >= 0) {
        if (m_edit.hitPoint >= 0 || !validHitLink()) return {};
        m_chart.ReverseLink(m_edit.hitLink);
        return {DoubleClickResult::ReversedLink, -1};
    }
    return {DoubleClickResult::ChartData, -1};
}

void ChartEditor::linkClick(int kind, QPoint p) {
    // An origin that no longer exists (the chart was replaced meanwhile) is dropped.
    if (m_edit.linkOrigin >= m_chart.itemCount()) m_edit.abandonLink();
    const int item = HitTest::ItemAt(m_chart, p);
    if (m_edit.linkOrigin < 0) {
        if (item < 0) return;
        if (kind == BranchLink && m_chart.items[size_t(item)].kind != KindCmp) return;
        const QPoint centre = m_chart.ItemCentre(item);
        m_edit.fixedPoints = {centre};
        m_edit.downPoint = centre;
        m_edit.linkOrigin = item;
        m_chart.ClearSelection();
        m_chart.items[size_t(item)].selected = true;
        return;
    }
    if (item < 0) {
        m_edit.fixedPoints.append(p);
        m_edit.downPoint = p;
        return;
    }
    if (item == m_edit.linkOrigin) {
        if (m_services)
            m_services->ShowMessageBox(
                MsgIcon::Error, MsgButtons::Ok, 0, MsgLanguage::Japanese,
                QCoreApplication::translate("ChartEditor",
                                            "The starting point and the ending point should be "
                                            "different"));
    } else {
        int l = m_chart.FindLink(m_edit.linkOrigin, item);
        if (l < 0) l = m_chart.AddLinks(1);
        Link& link = m_chart.links[size_t(l)];
        link.selected = false;
        link.kind = quint8(kind);
        link.origin = m_edit.linkOrigin;
        link.final = item;
        link.points = m_edit.fixedPoints.mid(1);
    }
    m_edit.abandonLink();
}

void ChartEditor::ReleaseSelection() {
    resetToolMode();
    m_edit.endLinkDrawing();
    m_chart.ClearSelection();
}

void ChartEditor::SelectAll() {
    for (Item& it : m_chart.items)
        it.selected = true;
}

void ChartEditor::CopySelection() {
    m_edit.clipboard.CopySelection(m_chart);
}

bool ChartEditor::PasteClipboard() {
    if (changeRefused()) return false;
    return m_edit.clipboard.PasteClipboard(m_chart, m_edit.mousePoint);
}

void ChartEditor::AddBendingPoint() {
    if (!validHitLink()) return;
    QVector<QPoint>& pts = m_chart.links[size_t(m_edit.hitLink)].points;
    if (m_edit.hitSegment < 0 || m_edit.hitSegment > pts.size()) return;
    pts.insert(m_edit.hitSegment, m_edit.downPoint);
}

void ChartEditor::DeleteBendingPoint() {
    if (!validHitLink()) return;
    QVector<QPoint>& pts = m_chart.links[size_t(m_edit.hitLink)].points;
    if (m_edit.hitPoint < 0 || m_edit.hitPoint >= pts.size()) return;
    pts.remove(m_edit.hitPoint);
}

void ChartEditor::DeleteSelection() {
    if (m_edit.toolMode != ToolSelect || changeRefused()) return;
    m_chart.DeleteSelected();
    if (itemsDeleted) itemsDeleted();
}

int ChartEditor::PropertyItem() const {
    return HitTest::ItemAt(m_chart, m_edit.downPoint);
}

void ChartEditor::SetSelectedItemColour(
    int tag, const std::function<std::optional<quint32>(quint32)>& pick) {
    const std::optional<quint32> fixed = ItemColours::ColourForTag(tag);
    for (size_t i = 0; i < m_chart.items.size(); ++i) {
        if (!m_chart.items[i].selected) continue;
        if (fixed) {
            m_chart.items[i].colour = *fixed;
        } else if (tag == -1 && pick) {
            const std::optional<quint32> chosen = pick(m_chart.items[i].colour);
            if (chosen && i < m_chart.items.size()) m_chart.items[i].colour = *chosen;
        }
    }
    m_chart.ClearSelection();
}

int ChartEditor::DropMotionRow(int row, const QString& caption, const QString& motionName,
                               QPoint p) {
    if (row < 0 || row >= kMotionRows) return -1;
    if (changeRefused()) return -1;
    const int item = m_chart.CreateItem(KindMot, p.x(), p.y());
    if (item < 0) return -1;
    Item& it = m_chart.items[size_t(item)];
    it.lead = quint8(row);
    it.name = caption + u' ' + motionName;
    return item;
}

} // namespace qvx
