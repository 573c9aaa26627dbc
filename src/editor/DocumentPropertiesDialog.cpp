#include "editor/DocumentPropertiesDialog.h"

#include "document/DocumentFile.h"
#include "editor/EditState.h"
#include "editor/FileTypeRegistry.h"
#include "editor/ChartCanvas.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <algorithm>

namespace qvx {

namespace {
std::optional<int> fieldValue(const QLineEdit* edit) {
    bool ok = false;
    const int v = edit->text().trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    return v;
}
} // namespace

DocumentPropertiesDialog::DocumentPropertiesDialog(ChartCanvas& canvas, EditState& edit, FileTypeRegistry& registry,
                   QWidget* parent)
    : QDialog(parent), m_canvas(canvas), m_edit(edit), m_registry(registry) {
    setObjectName(QStringLiteral("TFormDlg"));
    setWindowTitle(tr("Property"));
    auto label = [this](const QString& name, const QString& caption) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(name);
        return l;
    };
    auto edit_ = [this](const QString& name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setFixedWidth(60);
        return e;
    };
    auto check = [this](const QString& name, const QString& caption) {
        auto* c = new QCheckBox(caption, this);
        c->setObjectName(name);
        return c;
    };
    Label4 = label(QStringLiteral("Label4"), tr("Breadth"));
    Label5 = label(QStringLiteral("Label5"), tr("Width"));
    FormWidth = edit_(QStringLiteral("FormWidth"));
    Label6 = label(QStringLiteral("Label6"), tr("Height"));
    FormHeight = edit_(QStringLiteral("FormHeight"));
    Label3 = label(QStringLiteral("Label3"), tr("Interval of grids"));
    Label1 = label(QStringLiteral("Label1"), tr("X"));
    GridX = edit_(QStringLiteral("GridX"));
    Label2 = label(QStringLiteral("Label2"), tr("Y"));
    GridY = edit_(QStringLiteral("GridY"));
    FileIcon = check(QStringLiteral("FileIcon"), tr("Display an icon of QMX file"));
    Label7 = label(QStringLiteral("Label7"), tr("Display"));
    ViewCmdMenu = check(QStringLiteral("ViewCmdMenu"), tr("Menu of tools"));
    ViewPartMenu = check(QStringLiteral("ViewPartMenu"), tr("Menu of parts"));
    ViewCommMenu = check(QStringLiteral("ViewCommMenu"), tr("Setting of communication"));
    ViewToolMenu = check(QStringLiteral("ViewToolMenu"), tr("Menu of commands"));
    ReWriteBtn = new QPushButton(tr("Revision"), this);
    ReWriteBtn->setObjectName(QStringLiteral("ReWriteBtn"));
    ReWriteBtn->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label4, 0, 0);
    grid->addWidget(Label5, 0, 1);
    grid->addWidget(FormWidth, 0, 2);
    grid->addWidget(Label6, 0, 3);
    grid->addWidget(FormHeight, 0, 4);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(Label1, 1, 1);
    grid->addWidget(GridX, 1, 2);
    grid->addWidget(Label2, 1, 3);
    grid->addWidget(GridY, 1, 4);
    grid->addWidget(FileIcon, 2, 0, 1, 5);
    grid->addWidget(Label7, 3, 0);
    grid->addWidget(ViewCmdMenu, 3, 1, 1, 2);
    grid->addWidget(ViewPartMenu, 3, 3, 1, 2);
    grid->addWidget(ViewCommMenu, 4, 1, 1, 2);
    grid->addWidget(ViewToolMenu, 4, 3, 1, 2);
    grid->addWidget(ReWriteBtn, 5, 4);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(ReWriteBtn, &QPushButton::clicked, this, &DocumentPropertiesDialog::ReWriteBtnClick);
}

void DocumentPropertiesDialog::setBars(QToolBar* commandMenu, QToolBar* partsMenu, QToolBar* commMenu,
                       QToolBar* toolsMenu) {
    m_commandMenu = commandMenu;
    m_partsMenu = partsMenu;
    m_commMenu = commMenu;
    m_toolsMenu = toolsMenu;
}

void DocumentPropertiesDialog::showEvent(QShowEvent* event) {
    FormActivate();
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void DocumentPropertiesDialog::FormActivate() {
    const QSize canvas = m_canvas.canvasSize();
    FormWidth->setText(QString::number(canvas.width()));
    FormHeight->setText(QString::number(canvas.height()));
    GridX->setText(QString::number(m_edit.gridWidth));
    GridY->setText(QString::number(m_edit.gridHeight));
    FileIcon->setChecked(m_registry.FileTypeRegistered());
    // A bar counts as shown unless it was hidden, whether or not the window is up.
    const std::pair<QCheckBox*, QToolBar*> views[] = {{ViewCmdMenu, m_commandMenu},
                                                      {ViewPartMenu, m_partsMenu},
                                                      {ViewCommMenu, m_commMenu},
                                                      {ViewToolMenu, m_toolsMenu}};
    for (auto [box, bar] : views) {
        box->setEnabled(bar != nullptr);
        box->setChecked(bar && !bar->isHidden());
    }
}

void DocumentPropertiesDialog::ReWriteBtnClick() {
    const int w = fieldValue(FormWidth).value_or(-1);
    const int h = fieldValue(FormHeight).value_or(-1);
    if (w >= kMinimumCanvas && h >= kMinimumCanvas) {
        // Documents keep canvases up to this size; a larger one would not load again.
        m_canvas.setCanvasSize(
            QSize(std::min(w, DocumentFile::kMaxCanvas), std::min(h, DocumentFile::kMaxCanvas)));
        m_edit.setGrid(fieldValue(GridX).value_or(m_edit.gridWidth),
                       fieldValue(GridY).value_or(m_edit.gridHeight));
        m_registry.RegisterFileType(FileIcon->isChecked());
        const std::pair<QCheckBox*, QToolBar*> views[] = {{ViewCmdMenu, m_commandMenu},
                                                          {ViewPartMenu, m_partsMenu},
                                                          {ViewCommMenu, m_commMenu},
                                                          {ViewToolMenu, m_toolsMenu}};
        for (auto [box, bar] : views)
            if (bar) bar->setVisible(box->isChecked());
    }
    accept();
}

int DocumentPropertiesDialog::ShowDocumentProperty() {
    const int result = exec();
    m_edit.toolMode = ToolSelect;
    m_edit.endLinkDrawing();
    return result;
}

} // namespace qvx
