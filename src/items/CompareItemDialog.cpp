#include "items/CompareItemDialog.h"

#include "board/BoardLink.h"
#include "document/Chart.h"

#include <QFrame>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qvx {

namespace {

// The conditions' captions in tag order.
const std::array<const char*, CmpCodes::kConditions> kCaptions = {
    QT_TRANSLATE_NOOP("qvx::CompareItemDialog", "Jump if the loop counter doesn’t show 0"),
    QT_TRANSLATE_NOOP("qvx::CompareItemDialog",
                      "Jump if the amount of AD1change > the comparing resistor"),
    QT_TRANSLATE_NOOP("qvx::CompareItemDialog",
                      "Jump if the amount of AD2change > the comparing resistor"),
    QT_TRANSLATE_NOOP("qvx::CompareItemDialog",
                      "Jump if the amount of AD3change > the comparing resistor"),
    QT_TRANSLATE_NOOP("qvx::CompareItemDialog",
                      "Jump if the amount of PA1change > the comparing resistor"),
    QT_TRANSLATE_NOOP("qvx::CompareItemDialog",
                      "Jump if the amount of PA2change > the comparing resistor"),
    QT_TRANSLATE_NOOP("qvx::CompareItemDialog",
                      "Jump if the amount of PA3change > the comparing resistor"),
    QT_TRANSLATE_NOOP("qvx::CompareItemDialog",
                      "Jump if the amount of PA4change > the comparing resistor"),
    QT_TRANSLATE_NOOP("qvx::CompareItemDialog",
                      "Jump if the cotton input equals the comparing resistor"),
    QT_TRANSLATE_NOOP("qvx::CompareItemDialog",
                      "Jump if (the button input AND the comparing resistor) <> 0"),
};

} // namespace

CompareItemDialog::CompareItemDialog(Chart& chart, BoardLink& link, QWidget* parent)
    : QWidget(parent, Qt::Window), m_chart(chart), m_link(link) {
    setObjectName(QStringLiteral("CompDlg"));
    auto* outer = new QVBoxLayout(this);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    outer->addWidget(Panel1);
    auto* stack = new QVBoxLayout(Panel1);
    for (int tag = 0; tag < CmpCodes::kConditions; ++tag) {
        auto* radio = new QRadioButton(tr(kCaptions[size_t(tag)]), Panel1);
        radio->setObjectName(QStringLiteral("RadBtn") + QString::number(tag + 1));
        radio->setProperty("tag", tag);
        RadBtn[size_t(tag)] = radio;
        stack->addWidget(radio);
        // clicked comes when the button is released over the button itself.
        connect(radio, &QRadioButton::clicked, this, [this, tag] { RadBtnMouseUp(tag); });
    }
    showNothing();
}

Item* CompareItemDialog::currentItem() {
    return m_shown.get();
}

void CompareItemDialog::ShowItem(int index) {
    if (!m_chart.validItem(index) || m_chart.items[size_t(index)].kind != KindCmp) return;
    m_shown.follow(index);
    show();
    raise();
    activateWindow();
    showItemState();
}

void CompareItemDialog::ChartChanged() {
    if (!m_shown.followed()) return;
    showItemState();
}

void CompareItemDialog::uncheckAll() {
    // A checked radio button of an exclusive set cannot be unchecked directly.
    for (QRadioButton* radio : RadBtn) {
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    }
}

void CompareItemDialog::showItemState() {
    const Item* item = currentItem();
    if (!item) {
        showNothing();
        return;
    }
    setWindowTitle(item->name);
    Panel1->setEnabled(true);
    uncheckAll();
    const int tag = CmpCodes::ConditionOf(item->values);
    if (tag >= 0) RadBtn[size_t(tag)]->setChecked(true);
}

void CompareItemDialog::showNothing() {
    m_shown.clear();
    setWindowTitle(QStringLiteral("CMP")); // not translated: the item kind's name
    uncheckAll();
    Panel1->setEnabled(false);
}

void CompareItemDialog::RadBtnMouseUp(int tag) {
    Item* item = currentItem();
    if (!item) {
        showNothing();
        return;
    }
    // No item changes while a board flow runs; the buttons show the item again.
    if (m_link.RefuseWhileBusy()) {
        showItemState();
        return;
    }
    item->values.fill(CmpCodes::ConditionCode(tag));
}

} // namespace qvx
