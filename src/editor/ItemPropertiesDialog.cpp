#include "editor/ItemPropertiesDialog.h"

#include "base/Services.h"
#include "document/Chart.h"
#include "editor/ChartPainter.h"

#include <QCursor>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qvx {

namespace {
// A field that does not hold a number counts as -1.
int fieldValue(const QLineEdit* edit) {
    bool ok = false;
    const int v = edit->text().trimmed().toInt(&ok);
    return ok ? v : -1;
}
} // namespace

ItemPropertiesDialog::ItemPropertiesDialog(Chart& chart, Services& services, QWidget* parent)
    : QDialog(parent), m_chart(chart), m_services(services) {
    setObjectName(QStringLiteral("TItemProperty"));
    auto* grid = new QGridLayout(this);
    auto label = [this](const QString& name, const QString& caption) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(name);
        return l;
    };
    auto edit = [this](const QString& name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        return e;
    };
    Label1 = label(QStringLiteral("Label1"), tr("Name"));
    NameEdit = edit(QStringLiteral("NameEdit"));
    Button2 = new QPushButton(tr("Auto"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setAutoDefault(false);
    Label3 = label(QStringLiteral("Label3"), tr("Width"));
    WidthEdit = edit(QStringLiteral("WidthEdit"));
    Label4 = label(QStringLiteral("Label4"), tr("Height"));
    HeightEdit = edit(QStringLiteral("HeightEdit"));
    Button1 = new QPushButton(tr("Revision"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);

    grid->addWidget(Label1, 0, 0);
    grid->addWidget(NameEdit, 0, 1, 1, 2);
    grid->addWidget(Button2, 0, 3);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(WidthEdit, 1, 1);
    grid->addWidget(Label4, 1, 2);
    grid->addWidget(HeightEdit, 1, 3);
    grid->addWidget(Button1, 2, 3);
    setSizeGripEnabled(false);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button2, &QPushButton::clicked, this, &ItemPropertiesDialog::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &ItemPropertiesDialog::Button1Click);
}

bool ItemPropertiesDialog::LoadItem(int item) {
    if (!m_chart.validItem(item)) return false;
    m_item = item;
    const Item& it = m_chart.items[size_t(item)];
    move(QCursor::pos() - QPoint(20, 20));
    setWindowTitle(it.name);
    NameEdit->setText(it.name);
    WidthEdit->setText(QString::number(it.width));
    HeightEdit->setText(QString::number(it.height));
    return true;
}

bool ItemPropertiesDialog::ApplyResult(int result) {
    // The chart may have changed while the dialog was open.
    if (result != QDialog::Accepted || !m_chart.validItem(m_item)) return false;
    Item& it = m_chart.items[size_t(m_item)];
    it.name = NameEdit->text();
    it.width = fieldValue(WidthEdit);
    it.height = fieldValue(HeightEdit);
    m_chart.ClearSelection();
    return true;
}

bool ItemPropertiesDialog::ShowItemProperty(int item) {
    if (!LoadItem(item)) return false;
    return ApplyResult(exec());
}

void ItemPropertiesDialog::Button2Click() {
    // Large enough for the canvas to show the name whole in its own font, and
    // never below the smallest size "Revision" takes.
    const QFont nameFont = m_canvas ? m_canvas->font() : font();
    const QSize size = ChartPainter::NameItemSize(NameEdit->text(), nameFont)
                           .expandedTo(QSize(kMinimumSize, kMinimumSize));
    WidthEdit->setText(QString::number(size.width()));
    HeightEdit->setText(QString::number(size.height()));
}

void ItemPropertiesDialog::Button1Click() {
    const bool known = m_chart.validItem(m_item);
    if (fieldValue(WidthEdit) < kMinimumSize) {
        m_services.ShowMessageBox(MsgIcon::Warning, MsgButtons::Ok, 0, MsgLanguage::Japanese,
                                  tr("Make Width over 20s"));
        if (known) WidthEdit->setText(QString::number(m_chart.items[size_t(m_item)].width));
        return;
    }
    if (fieldValue(HeightEdit) < kMinimumSize) {
        m_services.ShowMessageBox(MsgIcon::Warning, MsgButtons::Ok, 0, MsgLanguage::Japanese,
                                  tr("Make Height over 20s"));
        if (known) HeightEdit->setText(QString::number(m_chart.items[size_t(m_item)].height));
        return;
    }
    accept();
}

} // namespace qvx
