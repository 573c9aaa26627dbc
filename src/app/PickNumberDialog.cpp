#include "app/PickNumberDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qvx {

QString PickNumberDialog::InitialText() { return QString::fromUtf8("番号を指定してください"); }

PickNumberDialog::PickNumberDialog(const QString& caption, const QString& prompt,
                                   const QStringList& choices, int preselected, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    setObjectName(QStringLiteral("PickNumberDialog"));
    // Dialog units: the average width of the letters A..Z a..z, divided by four.
    const QFontMetrics fm(font());
    const int avg = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52;
    const int width = 164 * std::max(avg, 1) / 4;

    auto* layout = new QVBoxLayout(this);
    m_prompt = new QLabel(prompt, this);
    m_prompt->setWordWrap(true);
    m_prompt->setFixedWidth(width);
    layout->addWidget(m_prompt);

    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("Choices"));
    m_list->setMaxVisibleItems(20);
    // Some styles size the popup to the screen and ignore the row count; this
    // makes the list show its 20 rows and scroll.
    m_list->setStyleSheet(QStringLiteral("combobox-popup: 0;"));
    m_list->setPlaceholderText(InitialText());
    for (const QString& c : choices) m_list->addItem(c.left(255));
    m_list->setCurrentIndex(preselected >= 0 && preselected < choices.size() ? preselected : -1);
    m_list->setMinimumWidth(width);
    layout->addWidget(m_list);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

int PickNumberDialog::chosenIndex() const { return m_list->currentIndex(); }

} // namespace qvx
