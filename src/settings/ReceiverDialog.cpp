#include "settings/ReceiverDialog.h"

#include "board/BoardCommands.h"
#include "settings/BoardControls.h"
#include "settings/FlowProblem.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace qvx {

namespace {

QLineEdit* shownValue(QWidget* parent, const QString& name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    ShowReadOnly(e);
    e->setFixedWidth(56);
    return e;
}

QLabel* label(QWidget* parent, int number, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QStringLiteral("Label") + QString::number(number));
    return l;
}

} // namespace

ReceiverDialog::ReceiverDialog(BoardCommands& board, QWidget* parent)
    : QDialog(parent), m_link(board.link()), m_flows(board, m_settings) {
    setObjectName(QStringLiteral("TPropoDlg"));
    setWindowTitle(tr("Receiver"));
    setModal(true);
    auto* top = new QVBoxLayout(this);

    for (int tag = 0; tag < ReceiverSettings::kInputs; ++tag) {
        const size_t n = size_t(tag);
        const QString number = QString::number(tag + 1);
        auto* box = GroupBox[n] =
            new QGroupBox(QStringLiteral("PA") + number, this); // not translated: input name
        box->setObjectName(QStringLiteral("GroupBox") + number);
        auto* grid = new QGridLayout(box);
        RefLabel[n] = label(box, 7 + 3 * tag, tr("Ref"));
        PCal[n] = shownValue(box, QStringLiteral("PCal") + number);
        PScrBar[n] = new QScrollBar(Qt::Horizontal, box);
        PScrBar[n]->setObjectName(QStringLiteral("PScrBar") + number);
        PScrBar[n]->setRange(0, QmxBoard::Receiver::kReferenceMax);
        PScrBar[n]->setMinimumWidth(160);
        ACBtn[n] = BoardButton(QStringLiteral("AUTO"), box); // not translated: the board's term
        ACBtn[n]->setObjectName(QStringLiteral("ACBtn") + number);
        MeasureLabel[n] = label(box, 8 + 3 * tag, tr("Measure"));
        PAdc[n] = shownValue(box, QStringLiteral("PAdc") + number);
        AmountLabel[n] = label(box, 9 + 3 * tag, tr("Amount"));
        PRif[n] = shownValue(box, QStringLiteral("PRif") + number);
        QPalette yellow = PRif[n]->palette();
        yellow.setColor(QPalette::Base, Qt::yellow);
        yellow.setColor(QPalette::Text, Qt::black);
        PRif[n]->setPalette(yellow);
        grid->addWidget(RefLabel[n], 0, 0);
        grid->addWidget(PCal[n], 0, 1);
        grid->addWidget(PScrBar[n], 0, 2);
        grid->addWidget(ACBtn[n], 0, 3);
        auto* values = new QHBoxLayout;
        for (QWidget* w :
             std::initializer_list<QWidget*>{MeasureLabel[n], PAdc[n], AmountLabel[n], PRif[n]})
            values->addWidget(w);
        values->addStretch();
        grid->addLayout(values, 1, 0, 1, 4);
        top->addWidget(box);

        QScrollBar* bar = PScrBar[n];
        // A drag sends nothing until it ends; a click on the bar is a whole scroll.
        connect(bar, &QScrollBar::valueChanged, this,
                [this, tag, bar](int v) { PScrBarScroll(tag, v, !bar->isSliderDown()); });
        connect(bar, &QScrollBar::sliderReleased, this,
                [this, tag, bar] { PScrBarScroll(tag, bar->value(), true); });
        connect(ACBtn[n], &QPushButton::clicked, this, [this, tag] { ACBtnClick(tag); });
    }

    GroupBox5 = new QGroupBox(tr("Input with buttons"), this);
    GroupBox5->setObjectName(QStringLiteral("GroupBox5"));
    auto* buttons = new QHBoxLayout(GroupBox5);
    Label1 = label(GroupBox5, 1, tr("Ref"));
    BEdit = shownValue(GroupBox5, QStringLiteral("BEdit"));
    buttons->addWidget(Label1);
    buttons->addWidget(BEdit);
    buttons->addStretch();
    top->addWidget(GroupBox5);

    connect(&board, &BoardCommands::receiverReport, this, &ReceiverDialog::OnReceiverReport);
    ShowValues();
}

// ---- the receiver button's flow ----

bool ReceiverDialog::Execute() {
    if (isVisible()) return false;
    if (!m_flows.Open()) {
        ShowProblem(m_link, m_flows.problem());
        return false;
    }
    ShowValues();
    exec();
    if (m_flows.Close()) return true;
    ShowProblem(m_link, m_flows.problem());
    return false;
}

bool ReceiverDialog::ReadAll() {
    if (!m_flows.ReadAll()) return false;
    ShowValues();
    return true;
}

bool ReceiverDialog::WriteAll() {
    return m_flows.WriteAll();
}

// ---- showing ----

void ReceiverDialog::showInput(int n) {
    const size_t i = size_t(n);
    const int ref = m_settings.ref[i];
    PCal[i]->setText(QString::number(ref));
    const QSignalBlocker block(PScrBar[i]);
    PScrBar[i]->setValue(ref);
    PAdc[i]->setText(QString::number(m_settings.meas[i]));
    PRif[i]->setText(QString::number(m_settings.amount(n)));
}

void ReceiverDialog::ShowValues() {
    BEdit->setText(QString::number(m_settings.button));
    for (int n = 0; n < ReceiverSettings::kInputs; ++n)
        showInput(n);
}

// ---- handlers ----

void ReceiverDialog::PScrBarScroll(int tag, int position, bool ended) {
    // Refused while the board is busy: the bar goes back to the reference held.
    if (m_flows.MoveReference(tag, position) && ended) m_flows.EndReference(tag);
    const size_t i = size_t(tag);
    PCal[i]->setText(QString::number(m_settings.ref[i]));
    const QSignalBlocker block(PScrBar[i]);
    PScrBar[i]->setValue(m_settings.ref[i]);
}

void ReceiverDialog::ACBtnClick(int tag) {
    // The calibrated references show with the next report.
    m_flows.AutoCalibrate(tag);
}

void ReceiverDialog::OnReceiverReport(int button, const QList<int>& values) {
    m_flows.TakeReport(button, values);
    ShowValues();
}

} // namespace qvx
