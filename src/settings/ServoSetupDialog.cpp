#include "settings/ServoSetupDialog.h"

#include "board/BoardCommands.h"
#include "document/PaletteColours.h"
#include "settings/FlowProblem.h"
#include "settings/ServoParameterDialog.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace qvx {

ServoList::ServoList(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("SVPList"));
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
    setDropIndicatorShown(false);
}

void ServoList::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void ServoList::dragMoveEvent(QDragMoveEvent* event) {
    const int row = indexAt(event->position().toPoint()).row();
    if (event->source() == this && canDrop && canDrop(row)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void ServoList::dropEvent(QDropEvent* event) {
    const int row = indexAt(event->position().toPoint()).row();
    if (event->source() != this || !canDrop || !canDrop(row)) {
        event->ignore();
        return;
    }
    // A copy: the dragged row stays where it is.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // The copy talks to the board in a local event loop; it runs once the
    // drag has ended rather than inside it.
    QTimer::singleShot(0, this, [this, row] {
        if (dropped) dropped(row);
    });
}

ServoSetupDialog::ServoSetupDialog(BoardCommands& board, QWidget* parent)
    : QDialog(parent), m_link(board.link()), m_flows(board) {
    setObjectName(QStringLiteral("SVPDlg"));
    setWindowTitle(QStringLiteral("SVP")); // not translated: the board's mode name
    setModal(true);
    auto* top = new QVBoxLayout(this);
    SioReadBtn = new QToolButton(this);
    SioReadBtn->setObjectName(QStringLiteral("SioReadBtn"));
    SioReadBtn->setText(tr("Read"));
    // The designed Japanese hint, in both languages.
    SioReadBtn->setToolTip(QStringLiteral("読込ボタン"));
    PowerBtn = new QToolButton(this);
    PowerBtn->setObjectName(QStringLiteral("PowerBtn"));
    PowerBtn->setText(tr("Power"));
    PowerBtn->setToolTip(tr("Switch the simulated board off and on"));
    PowerBtn->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SioReadBtn);
    buttons->addWidget(PowerBtn);
    buttons->addStretch();
    top->addLayout(buttons);
    SVPList = new ServoList(this);
    // The listing's column names, as qvx and the backup files write them.
    SVPList->setHeaderLabels(ServoParams::Columns());
    SVPList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    top->addWidget(SVPList, 1);
    resize(900, 480);

    m_prm = new ServoParameterDialog(this);
    SVPList->canDrop = [this](int row) { return SVPListDragOver(row); };
    SVPList->dropped = [this](int row) { SVPListDragDrop(row); };
    connect(SioReadBtn, &QToolButton::clicked, this, &ServoSetupDialog::SioReadBtnClick);
    connect(PowerBtn, &QToolButton::clicked, this, [this] {
        if (m_powerCycle) m_powerCycle();
    });
    connect(SVPList, &QTreeWidget::itemDoubleClicked, this, &ServoSetupDialog::SVPListDblClick);
    FillList();
}

bool ServoSetupDialog::RunFromMainWindow() {
    if (isVisible()) return false;
    if (!m_flows.Open()) {
        ShowProblem(m_link, m_flows.problem());
        return false;
    }
    showRows();
    exec();
    if (m_flows.Close()) return true;
    ShowProblem(m_link, m_flows.problem());
    return false;
}

void ServoSetupDialog::setPowerSwitch(std::function<void()> powerCycle) {
    m_powerCycle = std::move(powerCycle);
    PowerBtn->setVisible(bool(m_powerCycle));
}

bool ServoSetupDialog::ReadAll() {
    return m_flows.ReadAll();
}

void ServoSetupDialog::FillList() {
    m_flows.FillList();
    showRows();
}

void ServoSetupDialog::followChannelLabels(const ChannelLabels& labels) {
    FollowChannelLabels(this, labels);
}

void ServoSetupDialog::SetChannelLabels(const QStringList& names, const QList<QColor>&) {
    m_flows.SetChannelNames(names);
    showRows();
}

template <typename F> bool ServoSetupDialog::exchange(F&& flow) {
    setEnabled(false);
    const bool ok = flow();
    setEnabled(true);
    showRows();
    return ok;
}

void ServoSetupDialog::SioReadBtnClick() {
    exchange([this] { return m_flows.ReadServos(); });
}

void ServoSetupDialog::SVPListDblClick() {
    const int row = selectedRow();
    exchange([this, row] {
        return m_flows.EditServo(row, [this](ServoControls& controls, const QString& caption) {
            // No exchange runs while the parameter dialog is open.
            setEnabled(true);
            m_prm->setWindowTitle(caption);
            m_prm->SetControls(controls);
            m_prm->exec();
            controls = m_prm->Controls();
            setEnabled(false);
        });
    });
}

bool ServoSetupDialog::SVPListDragOver(int targetRow) const {
    return m_flows.CanDrop(selectedRow(), targetRow);
}

void ServoSetupDialog::SVPListDragDrop(int targetRow) {
    const int from = selectedRow();
    exchange([this, from, targetRow] { return m_flows.CopyServo(from, targetRow); });
}

int ServoSetupDialog::selectedRow() const {
    const QList<QTreeWidgetItem*> items = SVPList->selectedItems();
    return items.isEmpty() ? -1 : SVPList->indexOfTopLevelItem(items.first());
}

void ServoSetupDialog::showRows() {
    const int selected = selectedRow();
    SVPList->clear();
    for (int r = 0; r < ServoFlows::kRows; ++r)
        SVPList->addTopLevelItem(new QTreeWidgetItem(m_flows.rowTexts(r)));
    if (selected >= 0) SVPList->topLevelItem(selected)->setSelected(true);
    if (selected >= 0) SVPList->setCurrentItem(SVPList->topLevelItem(selected));
}

} // namespace qvx
