#include "editor/ChartCanvas.h"

#include "base/UiServices.h"
#include "document/Chart.h"
#include "editor/ChartPainter.h"
#include "editor/EditState.h"
#include "document/ItemColours.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDataStream>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace qvx {

ChartCanvas::ChartCanvas(Chart& chart, EditState& edit, QWidget* parent)
    : QWidget(parent), m_chart(chart), m_edit(edit), m_editor(chart, edit) {
    setObjectName(QStringLiteral("Image1"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
    setCanvasSize(QSize(640, 480));
    m_editor.onToolModeReset = [this] { emit toolModeReset(); };
    buildMenu();
}

void ChartCanvas::setServices(UiServices* services) {
    m_services = services;
    m_editor.setServices(services);
}

void ChartCanvas::setCanvasSize(const QSize& size) {
    setFixedSize(size);
    update();
}

void ChartCanvas::buildMenu() {
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    auto add = [this](const QString& name, const QString& caption) {
        QAction* a = PopupMenu->addAction(caption);
        a->setObjectName(name);
        return a;
    };
    auto separator = [this](const QString& name) {
        QAction* a = PopupMenu->addSeparator();
        a->setObjectName(name);
        return a;
    };
    N21 = add(QStringLiteral("N21"), tr("Release the selection"));
    N20 = separator(QStringLiteral("N20"));
    CopyMenu = add(QStringLiteral("CopyMenu"), tr("Copy"));
    PasteMenu = add(QStringLiteral("PasteMenu"), tr("Paste"));
    MirMenu = add(QStringLiteral("MirMenu"), tr("Conversion"));
    N19 = separator(QStringLiteral("N19"));
    ColorMenu = PopupMenu->addMenu(tr("Color"));
    ColorMenu->setObjectName(QStringLiteral("ColorMenu"));
    for (const PaletteEntry& e : ItemColours::Palette()) {
        // The palette's names are marked where the palette is named.
        QAction* a = ColorMenu->addAction(
            QCoreApplication::translate("ItemColours", e.caption.toUtf8().constData()));
        a->setObjectName(e.name);
        if (e.tag >= 0) {
            // A small swatch of the colour in front of its name.
            QPixmap swatch(12, 12);
            swatch.fill(ChartPainter(palette()).Resolve(e.colour));
            QPainter sp(&swatch);
            sp.setPen(Qt::black);
            sp.drawRect(0, 0, 11, 11);
            sp.end();
            a->setIcon(QIcon(swatch));
        }
        const int tag = e.tag;
        connect(a, &QAction::triggered, this, [this, tag] { SetSelectedItemColour(tag); });
    }
    PropMenu = add(QStringLiteral("PropMenu"), tr("Property"));
    PointAddBtn = add(QStringLiteral("PointAddBtn"), tr("Add the bending line"));
    PointDelBtn = add(QStringLiteral("PointDelBtn"), tr("Deletion of bending line"));
    Separate0 = separator(QStringLiteral("Separate0"));
    ItemDel = add(QStringLiteral("ItemDel"), tr("Deletion"));
    N22 = add(QStringLiteral("N22"), tr("All selection"));
    ArrangeMenu = add(QStringLiteral("ArrangeMenu"), tr("Arrange"));

    connect(N21, &QAction::triggered, this, [this] { m_editor.ReleaseSelection(); });
    connect(N22, &QAction::triggered, this, [this] { m_editor.SelectAll(); });
    connect(CopyMenu, &QAction::triggered, this, [this] {
        m_editor.CopySelection();
        update();
    });
    connect(PasteMenu, &QAction::triggered, this, [this] {
        m_editor.PasteClipboard();
        update();
    });
    connect(MirMenu, &QAction::triggered, this, [this] {
        emit conversionRequested();
        update();
    });
    connect(PropMenu, &QAction::triggered, this, [this] {
        const int item = m_editor.PropertyItem();
        if (item >= 0) emit itemPropertyRequested(item);
        update();
    });
    connect(ArrangeMenu, &QAction::triggered, this, [this] { emit arrangeRequested(); });
    connect(PointAddBtn, &QAction::triggered, this, [this] {
        m_editor.AddBendingPoint();
        update();
    });
    connect(PointDelBtn, &QAction::triggered, this, [this] {
        m_editor.DeleteBendingPoint();
        update();
    });
    connect(ItemDel, &QAction::triggered, this, [this] {
        m_editor.DeleteSelection();
        update();
    });
}

void ChartCanvas::showMenu() {
    const CanvasMenuState s = m_editor.MenuState();
    CopyMenu->setVisible(s.copyPaste);
    PasteMenu->setVisible(s.copyPaste);
    MirMenu->setVisible(s.copyPaste);
    Separate0->setVisible(s.colourProperty);
    ColorMenu->menuAction()->setVisible(s.colourProperty);
    PropMenu->setVisible(s.colourProperty);
    PropMenu->setEnabled(s.propertyEnabled);
    ItemDel->setVisible(s.deletion);
    PointAddBtn->setVisible(s.addBend);
    PointDelBtn->setVisible(s.deleteBend);
    repaint();
    PopupMenu->popup(QCursor::pos());
}

void ChartCanvas::SetSelectedItemColour(int tag) {
    m_editor.SetSelectedItemColour(tag, [this](quint32 current) -> std::optional<quint32> {
        if (!m_services) return std::nullopt;
        const std::optional<QColor> c =
            m_services->PickColour(ChartPainter(palette()).Resolve(current));
        if (!c || !c->isValid()) return std::nullopt;
        return ItemColours::FromRgb(c->red(), c->green(), c->blue());
    });
    update();
}

void ChartCanvas::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    // Only the exposed part: in the scroll box that is the part on show.
    ChartPainter(palette(), &m_cache).Paint(p, m_chart, m_edit, size(), event->rect());
}

void ChartCanvas::press(QMouseEvent* event) {
    switch (m_editor.MouseDown(event->button(), event->modifiers(), event->position().toPoint())) {
    case ChartEditor::Outcome::OpenMenu:
        showMenu();
        break;
    case ChartEditor::Outcome::Repaint:
        update();
        break;
    default:
        break;
    }
}

void ChartCanvas::mousePressEvent(QMouseEvent* event) {
    press(event);
}

void ChartCanvas::mouseMoveEvent(QMouseEvent* event) {
    const auto outcome =
        m_editor.MouseMove(event->buttons(), event->modifiers(), event->position().toPoint());
    if (outcome == ChartEditor::Outcome::Swallowed) return;
    emit mousePositionChanged(m_edit.mousePoint);
    if (outcome == ChartEditor::Outcome::Repaint) update();
}

void ChartCanvas::mouseReleaseEvent(QMouseEvent*) {
    if (m_editor.MouseUp() == ChartEditor::Outcome::Repaint) update();
}

void ChartCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        press(event);
        return;
    }
    const DoubleClickResult r = m_editor.DoubleClick();
    switch (r.action) {
    case DoubleClickResult::NotDouble:
        press(event);
        return;
    case DoubleClickResult::ChartData:
        emit emptyDoubleClicked();
        break;
    case DoubleClickResult::ItemDialog:
        emit itemDoubleClicked(r.item);
        break;
    default:
        break;
    }
    update();
}

std::optional<ChartCanvas::DroppedRow> ChartCanvas::draggedRow(const QDropEvent* event) {
    const QObject* source = event->source();
    if (!source || source->objectName() != QLatin1String("ListView")) return std::nullopt;
    static const QString kItemList = QStringLiteral("application/x-qabstractitemmodeldatalist");
    if (!event->mimeData()->hasFormat(kItemList)) return std::nullopt;
    QByteArray bytes = event->mimeData()->data(kItemList);
    QDataStream in(&bytes, QIODevice::ReadOnly);
    DroppedRow dropped;
    while (!in.atEnd()) {
        int row = 0, column = 0;
        QMap<int, QVariant> roles;
        in >> row >> column >> roles;
        if (in.status() != QDataStream::Ok) return std::nullopt;
        if (dropped.row < 0) dropped.row = row;
        if (row != dropped.row) continue; // only the first dragged row counts
        if (column == 0)
            dropped.caption = roles.value(Qt::DisplayRole).toString();
        else if (column == 1)
            dropped.motionName = roles.value(Qt::DisplayRole).toString();
    }
    if (dropped.row < 0) return std::nullopt;
    return dropped;
}

void ChartCanvas::dragEnterEvent(QDragEnterEvent* event) {
    if (draggedRow(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ChartCanvas::dragMoveEvent(QDragMoveEvent* event) {
    // Scenario rows cannot be placed on the canvas.
    const auto row = draggedRow(event);
    if (row && row->row < ChartEditor::kMotionRows)
        event->acceptProposedAction();
    else
        event->ignore();
}

void ChartCanvas::dropEvent(QDropEvent* event) {
    const auto row = draggedRow(event);
    if (!row) return;
    event->acceptProposedAction();
    m_editor.DropMotionRow(row->row, row->caption, row->motionName, event->position().toPoint());
    update();
}

} // namespace qvx
