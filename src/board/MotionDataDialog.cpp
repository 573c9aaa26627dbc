#include "board/MotionDataDialog.h"

#include "document/PaletteColours.h"

#include "board/BoardCommands.h"
#include "board/MotionTable.h"
#include "document/MotionHeader.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace qvx {

MotionDataDialog::MotionDataDialog(BoardCommands& board, MotionTable& table, MotionHeader& header, QWidget* parent)
    : QDialog(parent), m_board(board), m_table(table), m_header(header) {
    setObjectName(QStringLiteral("TDataDlg"));
    setWindowTitle(tr("Data"));
    setModal(true);

    auto* top = new QVBoxLayout(this);
    auto* fields = new QGridLayout;
    Label1 = new QLabel(tr("Data name"), this);
    MotName = new QLineEdit(this);
    MotName->setObjectName(QStringLiteral("MotName"));
    Label2 = new QLabel(tr("Control input"), this);
    CntEdit = new QLineEdit(this);
    CntEdit->setObjectName(QStringLiteral("CntEdit"));
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(MotName, 0, 1);
    fields->addWidget(Label2, 1, 0);
    fields->addWidget(CntEdit, 1, 1);
    top->addLayout(fields);

    PortLabel = new QLabel(tr("Available port"), this);
    top->addWidget(PortLabel);
    auto* ports = new QGridLayout;
    for (int i = 0; i < 24; ++i) {
        PE[size_t(i)] = new QCheckBox(this);
        PE[size_t(i)]->setObjectName(QStringLiteral("PE") + QString::number(i + 1));
        PE[size_t(i)]->setAutoFillBackground(true);
        ports->addWidget(PE[size_t(i)], i / 6, i % 6);
    }
    top->addLayout(ports);

    auto* buttons = new QHBoxLayout;
    Button3 = new QPushButton(tr("Reception"), this);
    Button1 = new QPushButton(tr("OK"), this);
    Button2 = new QPushButton(tr("Cancel"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2->setObjectName(QStringLiteral("Button2"));
    Button1->setDefault(true);
    // "Reception" reads from the board: Enter in a box must never press it.
    Button3->setAutoDefault(false);
    buttons->addWidget(Button3);
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    top->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &MotionDataDialog::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &MotionDataDialog::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &MotionDataDialog::Button3Click);

    // While the dialog is open every receiver report shows the button input.
    connect(&m_board, &BoardCommands::receiverReport, this, [this](int button, const QList<int>&) {
        if (isVisible()) CntEdit->setText(QString::number(button));
    });

    for (int i = 1; i <= 24; ++i)
        m_names << QStringLiteral("CH") + QString::number(i);
}

void MotionDataDialog::followChannelLabels(const ChannelLabels& labels) {
    FollowChannelLabels(this, labels);
}

void MotionDataDialog::SetChannelLabels(const QStringList& names, const QList<QColor>& colours) {
    m_names = names;
    m_colours = colours;
}

void MotionDataDialog::applyChannelLabels() {
    for (int i = 0; i < 24; ++i)
        PaintChannelLabel(PE[size_t(i)], i, m_names, m_colours, palette().color(QPalette::Button));
}

void MotionDataDialog::LoadDataDialog(int entry, int kind) {
    quint32 mask = 0;
    if (entry < 0) {
        MotName->setText(m_header.MotionName);
        CntEdit->setText(QString::number(m_header.MotionCtrl));
        mask = m_header.MotionPort;
    } else {
        const QStringList texts = m_table.rowTexts(entry);
        MotName->setText(texts.value(1));
        CntEdit->setText(texts.value(4));
        mask = m_table.lastPortMask();
    }
    const bool ports = kind == 0;
    if (!ports) mask = 0;
    PortLabel->setEnabled(ports);
    for (QCheckBox* box : PE)
        box->setEnabled(ports);
    applyChannelLabels();
    SetPortChecks(mask);
}

quint32 MotionDataDialog::PortMaskOf() const {
    quint32 mask = 0;
    for (int i = 0; i < 24; ++i)
        if (PE[size_t(i)]->isChecked()) mask |= 1u << i;
    return mask;
}

void MotionDataDialog::SetPortChecks(quint32 mask) {
    for (int i = 0; i < 24; ++i)
        PE[size_t(i)]->setChecked(mask & (1u << i));
}

std::optional<int> MotionDataDialog::typedControl() const {
    bool ok = false;
    const int v = CntEdit->text().trimmed().toInt(&ok);
    if (!ok || v < 0 || v > 0xFFFF) return std::nullopt;
    return v;
}

QString MotionDataDialog::CleanName(const QString& name) {
    QString n = name;
    n.replace(u',', u' ');
    n.replace(u'"', u' ');
    return n;
}

void MotionDataDialog::Button1Click() {
    if (!MotName->text().isEmpty()) MotName->setText(CleanName(MotName->text()));
    accept();
}

void MotionDataDialog::Button2Click() {
    reject();
}

void MotionDataDialog::reject() {
    // Cancel, Esc and the close box all take the same path.
    m_board.SetOptionBit2(0);
    QDialog::reject();
}

void MotionDataDialog::Button3Click() {
    QByteArray answer;
    if (!m_board.ReadButtonInput(answer) || answer.size() < 3) return;
    CntEdit->setText(QString::number(BigEndian::word(answer, 1)));
}

bool MotionDataDialog::EditDocumentHeader(int documentKind) {
    LoadDataDialog(-1, documentKind);
    m_board.SetOptionBit5(1);
    const bool ok = exec() == QDialog::Accepted;
    if (ok) {
        m_header.MotionName = MotName->text();
        m_header.MotionPort = PortMaskOf();
        if (const auto ctrl = typedControl()) m_header.MotionCtrl = quint32(*ctrl);
    }
    m_board.SetOptionBit5(0);
    return ok;
}

} // namespace qvx
