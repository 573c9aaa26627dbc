#include "checks/ChecksList.h"

#include "document/Chart.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qvx {

namespace {
// The mark and index of the item a row stands for, kept in its first column.
constexpr int kMarkRole = Qt::UserRole;
constexpr int kItemRole = Qt::UserRole + 1;
} // namespace

ChecksList::ChecksList(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(tr("Checks before writing"), this));
    bar->addStretch(1);
    goToButton = new QPushButton(tr("Go to"), this);
    goToButton->setObjectName(QStringLiteral("ChecksGoToBtn"));
    goToButton->setAutoDefault(false);
    goToButton->setEnabled(false);
    bar->addWidget(goToButton);
    layout->addLayout(bar);
    rows = new QTreeWidget(this);
    rows->setObjectName(QStringLiteral("ChecksRows"));
    rows->setHeaderLabels({tr("Severity"), tr("Code"), tr("Item"), tr("Message")});
    rows->setRootIsDecorated(false);
    rows->setSelectionMode(QAbstractItemView::SingleSelection);
    rows->header()->setStretchLastSection(true);
    layout->addWidget(rows);
    connect(goToButton, &QPushButton::clicked, this, &ChecksList::goToCurrent);
    connect(rows, &QTreeWidget::itemDoubleClicked, this, &ChecksList::goToCurrent);
    connect(rows, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* row) {
        goToButton->setEnabled(row && row->data(0, kItemRole).toInt() >= 0);
    });
}

void ChecksList::showFindings(const Findings& findings, Chart& chart) {
    rows->clear();
    QList<QTreeWidgetItem*> made;
    made.reserve(qsizetype(findings.size()));
    for (const Finding& f : findings) {
        const bool item = chart.validItem(f.item);
        auto* row =
            new QTreeWidgetItem({f.isError() ? tr("error") : tr("warning"), f.code,
                                 item ? chart.items[size_t(f.item)].name : QStringLiteral("-"),
                                 f.shown.isEmpty() ? f.message : f.shown});
        row->setData(0, kItemRole, item ? f.item : -1);
        row->setData(0, kMarkRole, item ? chart.MarkItem(f.item) : 0);
        made << row;
    }
    rows->addTopLevelItems(made);
    goToButton->setEnabled(false);
}

int ChecksList::rowCount() const {
    return rows->topLevelItemCount();
}

void ChecksList::goToCurrent() {
    const QTreeWidgetItem* row = rows->currentItem();
    const int item = row ? row->data(0, kItemRole).toInt() : -1;
    if (item >= 0) emit goToItem(row->data(0, kMarkRole).toULongLong(), item);
}

} // namespace qvx
