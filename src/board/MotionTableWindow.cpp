#include "board/MotionTableWindow.h"

#include "base/Services.h"
#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "board/MotionTable.h"
#include "board/MotionDataDialog.h"
#include "document/MotionHeader.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qvx {

MotionTableWindow::MotionTableWindow(MotionTable& table, BoardCommands& board, MotionHeader& header, MotionDataDialog& data,
                     QWidget* parent)
    : QWidget(parent, Qt::Window), m_table(table), m_board(board), m_header(header), m_data(data) {
    setObjectName(QStringLiteral("TTableDlg"));
    setWindowTitle(tr("DataTable"));

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(2, 2, 2, 2);
    auto* panel = new QHBoxLayout;
    MotReadBtn = new QToolButton(this);
    MotReadBtn->setObjectName(QStringLiteral("MotReadBtn"));
    MotReadBtn->setText(tr("Read"));
    MotReadBtn->setToolTip(tr("Read the table from the board"));
    panel->addWidget(MotReadBtn);
    panel->addStretch();
    top->addLayout(panel);

    ListView = new QTreeWidget(this);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setColumnCount(5);
    ListView->setHeaderLabels({tr("No"), tr("Name"), tr("Count"), tr("Date"), tr("Control")});
    ListView->setRootIsDecorated(false);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setDragEnabled(true);
    ListView->setDragDropMode(QAbstractItemView::DragOnly);
    ListView->setColumnWidth(0, 30 + 10);
    ListView->setColumnWidth(1, 200);
    ListView->setColumnWidth(2, 50);
    ListView->setColumnWidth(3, 100);
    ListView->setColumnWidth(4, 60);
    top->addWidget(ListView);
    resize(480, 360);

    for (int row = 0; row < MotionTable::kRows; ++row) {
        auto* item = new QTreeWidgetItem(ListView);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled);
    }
    showAll();

    connect(&m_table, &MotionTable::rowChanged, this, &MotionTableWindow::showRow);
    connect(&m_table, &MotionTable::cleared, this, &MotionTableWindow::showAll);
    connect(MotReadBtn, &QToolButton::clicked, this, &MotionTableWindow::MotReadBtnClick);
    connect(ListView, &QTreeWidget::itemDoubleClicked, this, &MotionTableWindow::ListViewDblClick);
}

void MotionTableWindow::showRow(int row) {
    QTreeWidgetItem* item = ListView->topLevelItem(row);
    if (!item) return;
    const bool read = m_table.isRead(row);
    const QStringList texts = read ? m_table.rowTexts(row)
                                   : QStringList{MotionTable::Caption(row), NotReadText(),
                                                 QString(), QString(), QString()};
    const QBrush colour = read ? palette().text() : palette().placeholderText();
    for (int c = 0; c < texts.size(); ++c) {
        item->setText(c, texts[c]);
        item->setForeground(c, colour);
    }
}

void MotionTableWindow::showAll() {
    for (int row = 0; row < MotionTable::kRows; ++row)
        showRow(row);
}

void MotionTableWindow::MotReadBtnClick() {
    // Pressed while another exchange runs, the read would empty the rows and
    // then fail at once: it is refused before anything changes.
    auto flow = m_board.link().beginFlow();
    if (!flow) return;
    QString failure;
    if (!m_table.ReadFromBoard(m_board, &failure) && m_board.link().services())
        m_board.link().services()->ShowStatus(failure);
}

void MotionTableWindow::ListViewDblClick() {
    QTreeWidgetItem* item = ListView->currentItem();
    if (!item || !item->isSelected()) return;
    EditRow(ListView->indexOfTopLevelItem(item));
}

bool MotionTableWindow::EditRow(int row) {
    if (row < 0 || row >= MotionTable::kRows) return false;
    auto flow = m_board.link().beginFlow();
    if (!flow) return false;
    if (!m_board.SetSleep(0) || !m_board.SetOptionBit2(1)) return false;
    QByteArray entry;
    if (!m_board.ReadTableEntry(row, entry)) return false;
    m_table.ShowTableRow(entry, row);
    if (!m_board.SetOptionBit2(0) || !m_board.SetSleep(1)) return false;
    if (!m_board.SetOptionBit5(1) || !m_board.SetOptionBit5(0)) return false;
    const bool scenario = row >= MotionTable::kMotionRows;
    m_data.LoadDataDialog(row, scenario ? 7 : 0);
    if (m_data.exec() != QDialog::Accepted) return false;
    const int ctrl = m_data.typedControl().value_or(int(m_header.MotionCtrl & 0xFFFF));
    // A scenario has no ports: its boxes stay disabled and its mask is kept.
    const int port = scenario ? -1 : int(m_data.PortMaskOf());
    return m_board.UpdateTableEntry(row, -1, port, m_data.MotName->text(), std::nullopt, ctrl);
}

} // namespace qvx
