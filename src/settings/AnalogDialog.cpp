#include "settings/AnalogDialog.h"

#include "board/BoardCommands.h"
#include "board/MotionTable.h"
#include "settings/BoardControls.h"
#include "settings/FlowProblem.h"
#include "document/PaletteColours.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

namespace qvx {

namespace {

constexpr int kGainRowsVisible = 30;
constexpr int kChannelColumns = 4;

QLineEdit* shownValue(QWidget* parent, const QString& name, int width) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    ShowReadOnly(e);
    e->setFixedWidth(width);
    return e;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QScrollBar* bar(QWidget* parent, const QString& name, int min, int max) {
    auto* b = new QScrollBar(Qt::Horizontal, parent);
    b->setObjectName(name);
    b->setRange(min, max);
    b->setMinimumWidth(160);
    return b;
}

void setIndexQuietly(QComboBox* box, int index) {
    const QSignalBlocker block(box);
    box->setCurrentIndex(index);
}

void setValueQuietly(QScrollBar* b, int value) {
    const QSignalBlocker block(b);
    b->setValue(value);
}

} // namespace

AnalogDialog::AnalogDialog(BoardCommands& board, MotionTable& table, QWidget* parent)
    : QDialog(parent), m_board(board), m_table(table), m_flows(board, m_settings) {
    setObjectName(QStringLiteral("TAdDlg"));
    setWindowTitle(tr("Analog"));
    setModal(true);
    auto* top = new QVBoxLayout(this);

    AdChannel = new QTabBar(this);
    AdChannel->setObjectName(QStringLiteral("AdChannel"));
    for (const char* caption :
         {QT_TR_NOOP("Input 1"), QT_TR_NOOP("Input 2"), QT_TR_NOOP("Input 3")})
        AdChannel->addTab(tr(caption));
    top->addWidget(AdChannel);

    GroupBox2 = new QGroupBox(tr("Setting of a basis"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto* ref = new QHBoxLayout(GroupBox2);
    Label2 = label(GroupBox2, QStringLiteral("Label2"), tr("Ref"));
    CalEdit = shownValue(GroupBox2, QStringLiteral("CalEdit"), 56);
    ScrollBar1 = bar(GroupBox2, QStringLiteral("ScrollBar1"), 0, QmxBoard::Analog::kReferenceMax);
    AutoCalBtn = BoardButton(QStringLiteral("AUTO"), GroupBox2); // not translated: the board's term
    AutoCalBtn->setObjectName(QStringLiteral("AutoCalBtn"));
    Label3 = label(GroupBox2, QStringLiteral("Label3"), tr("Measure"));
    AdcEdit = shownValue(GroupBox2, QStringLiteral("AdcEdit"), 56);
    Label1 = label(GroupBox2, QStringLiteral("Label1"), tr("Amount"));
    RifEdit = shownValue(GroupBox2, QStringLiteral("RifEdit"), 56);
    QPalette yellow = RifEdit->palette();
    yellow.setColor(QPalette::Base, Qt::yellow);
    yellow.setColor(QPalette::Text, Qt::black);
    RifEdit->setPalette(yellow);
    for (QWidget* w : std::initializer_list<QWidget*>{Label2, CalEdit, ScrollBar1, AutoCalBtn,
                                                      Label3, AdcEdit, Label1, RifEdit})
        ref->addWidget(w);
    top->addWidget(GroupBox2);

    GroupBox1 = new QGroupBox(tr("Real time mixing"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* mixing = new QGridLayout(GroupBox1);
    const QStringList gains = AnalogSettings::GainList();
    for (int n = 1; n <= AnalogSettings::kChannels; ++n) {
        const size_t k = size_t(n - 1);
        PortName[k] = label(GroupBox1, QStringLiteral("PortName") + QString::number(n),
                            QStringLiteral("CH") + QString::number(n));
        PortName[k]->setAutoFillBackground(true);
        ComboBox[k] = new QComboBox(GroupBox1);
        ComboBox[k]->setObjectName(QStringLiteral("ComboBox") + QString::number(n));
        ComboBox[k]->addItems(gains);
        ComboBox[k]->setMaxVisibleItems(kGainRowsVisible);
        ComboBox[k]->setCurrentIndex(AnalogSettings::kGainOff);
        const int row = int(k) / kChannelColumns, column = 2 * (int(k) % kChannelColumns);
        mixing->addWidget(PortName[k], row, column);
        mixing->addWidget(ComboBox[k], row, column + 1);
        connect(ComboBox[k], &QComboBox::activated, this,
                [this, n](int index) { ComboBoxCloseUp(n, index); });
    }
    top->addWidget(GroupBox1);

    GroupBox3 = new QGroupBox(tr("Playing the motion with interrupt of a sensor"), this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    auto* sensors = new QGridLayout(GroupBox3);
    const int thrMax = QmxBoard::Analog::kThresholdMax;
    Label4 = label(GroupBox3, QStringLiteral("Label4"), tr("Playing"));
    Edit1 = shownValue(GroupBox3, QStringLiteral("Edit1"), 56);
    SensScroll1 = bar(GroupBox3, QStringLiteral("SensScroll1"), -thrMax, thrMax);
    Label5 = label(GroupBox3, QStringLiteral("Label5"), tr("when an amount of "));
    MotList1 = new QComboBox(GroupBox3);
    MotList1->setObjectName(QStringLiteral("MotList1"));
    Label6 = label(GroupBox3, QStringLiteral("Label6"), tr("change exceeds"));
    Label7 = label(GroupBox3, QStringLiteral("Label7"), tr("Playing"));
    Edit2 = shownValue(GroupBox3, QStringLiteral("Edit2"), 56);
    SensScroll2 = bar(GroupBox3, QStringLiteral("SensScroll2"), -thrMax, thrMax);
    Label9 = label(GroupBox3, QStringLiteral("Label9"), tr("when an amount of "));
    MotList2 = new QComboBox(GroupBox3);
    MotList2->setObjectName(QStringLiteral("MotList2"));
    Label8 = label(GroupBox3, QStringLiteral("Label8"), tr("change exceeds"));
    const std::array<std::array<QWidget*, 6>, 2> rows = {
        std::array<QWidget*, 6>{Label4, Edit1, SensScroll1, Label5, MotList1, Label6},
        std::array<QWidget*, 6>{Label7, Edit2, SensScroll2, Label9, MotList2, Label8}};
    for (int tag = 0; tag < 2; ++tag) {
        for (int c = 0; c < 6; ++c)
            sensors->addWidget(rows[size_t(tag)][size_t(c)], tag, c);
        QScrollBar* s = sensScroll(tag);
        // A drag sends nothing until it ends; a click on the bar is a whole scroll.
        connect(s, &QScrollBar::valueChanged, this,
                [this, tag, s](int v) { SensScrollScroll(tag, v, !s->isSliderDown()); });
        connect(s, &QScrollBar::sliderReleased, this,
                [this, tag, s] { SensScrollScroll(tag, s->value(), true); });
        connect(motList(tag), &QComboBox::activated, this,
                [this, tag](int index) { MotListCloseUp(tag, index); });
    }
    top->addWidget(GroupBox3);

    auto* status = new QHBoxLayout;
    Label10 = label(this, QStringLiteral("Label10"), QStringLiteral("BATT"));
    Edit3 = shownValue(this, QStringLiteral("Edit3"), 64);
    status->addWidget(Label10);
    status->addWidget(Edit3);
    QLabel** adLabels[] = {&Label11, &Label12, &Label13};
    QLineEdit** adEdits[] = {&Edit4, &Edit5, &Edit6};
    for (int i = 0; i < 3; ++i) {
        *adLabels[i] = label(this, QStringLiteral("Label") + QString::number(11 + i),
                             QStringLiteral("AD") + QString::number(i + 1));
        *adEdits[i] = shownValue(this, QStringLiteral("Edit") + QString::number(4 + i), 56);
        status->addWidget(*adLabels[i]);
        status->addWidget(*adEdits[i]);
    }
    status->addStretch();
    top->addLayout(status);

    connect(AdChannel, &QTabBar::currentChanged, this, &AnalogDialog::AdChannelChange);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &AnalogDialog::ScrollBar1Scroll);
    connect(AutoCalBtn, &QPushButton::clicked, this, &AnalogDialog::AutoCalBtnClick);
    connect(&m_board, &BoardCommands::adReport, this, &AnalogDialog::OnAdReport);

    for (int i = 1; i <= AnalogSettings::kChannels; ++i)
        m_names << QStringLiteral("CH") + QString::number(i);
    fillMotionLists();
    showInput();
    showStatusLine();
}

int AnalogDialog::input() const {
    return qBound(0, AdChannel->currentIndex(), AnalogSettings::kInputs - 1);
}

// ---- the analog button's flow ----

bool AnalogDialog::Execute() {
    applyChannelLabels();
    const bool opened = m_flows.Open();
    // Also when the dialog shows: the reports may not have been switched on.
    ShowProblem(m_board.link(), m_flows.problem());
    if (!opened) return false;
    fillMotionLists();
    showInput();
    exec();
    if (m_flows.Close()) return true;
    ShowProblem(m_board.link(), m_flows.problem());
    return false;
}

bool AnalogDialog::ReadAll() {
    applyChannelLabels();
    if (!m_flows.ReadAll()) return false;
    fillMotionLists();
    showInput();
    return true;
}

bool AnalogDialog::WriteAll() {
    return m_flows.WriteAll();
}

// ---- showing ----

void AnalogDialog::followChannelLabels(const ChannelLabels& labels) {
    FollowChannelLabels(this, labels);
}

void AnalogDialog::SetChannelLabels(const QStringList& names, const QList<QColor>& colours) {
    m_names = names;
    m_colours = colours;
}

void AnalogDialog::applyChannelLabels() {
    for (int i = 0; i < AnalogSettings::kChannels; ++i)
        PaintChannelLabel(PortName[size_t(i)], i, m_names, m_colours, palette().color(QPalette::Button));
}

void AnalogDialog::fillMotionLists() {
    QStringList choices{QStringLiteral("OFF")};
    for (int row = 0; row < MotionTable::kRows; ++row)
        choices << MotionTable::Caption(row) + u' ' + m_table.name(row) + u' ' +
                       MotionTable::DateText(m_table.entry(row));
    for (QComboBox* list : {MotList1, MotList2}) {
        const QSignalBlocker block(list);
        list->clear();
        list->addItems(choices);
    }
}

void AnalogDialog::showReference() {
    const int k = input();
    const int ref = m_settings.ref[size_t(k)];
    CalEdit->setText(QString::number(ref));
    setValueQuietly(ScrollBar1, ref);
    AdcEdit->setText(QString::number(m_settings.meas[size_t(k)]));
    RifEdit->setText(QString::number(m_settings.amount(k)));
}

void AnalogDialog::showSensorRow(int tag) {
    const size_t slot = size_t(2 * input() + tag);
    const int thr = m_settings.thr[slot];
    sensEdit(tag)->setText(QString::number(thr));
    setValueQuietly(sensScroll(tag), thr);
    setIndexQuietly(motList(tag), m_settings.sel[slot]);
}

void AnalogDialog::showInput() {
    showReference();
    const auto& gains = m_settings.gain[size_t(input())];
    for (size_t c = 0; c < ComboBox.size(); ++c)
        setIndexQuietly(ComboBox[c], gains[c]);
    showSensorRow(0);
    showSensorRow(1);
}

void AnalogDialog::showStatusLine() {
    const auto edits = voltEdits();
    for (int i = 0; i < 4; ++i)
        edits[size_t(i)]->setText(BoardCommands::AdVoltText(i, m_settings.raw[size_t(i)]));
}

// ---- handlers ----

void AnalogDialog::AdChannelChange(int) {
    showInput();
}

void AnalogDialog::ScrollBar1Scroll(int position) {
    // Refused while the board is busy: the bar goes back to the reference held.
    m_flows.DragReference(input(), position);
    const int ref = m_settings.ref[size_t(input())];
    CalEdit->setText(QString::number(ref));
    setValueQuietly(ScrollBar1, ref);
}

void AnalogDialog::AutoCalBtnClick() {
    // The reference group shows the calibrated values with the next report.
    m_flows.AutoCalibrate(input());
}

void AnalogDialog::ComboBoxCloseUp(int tag, int index) {
    m_flows.ChooseGain(input(), tag, index);
    // The tab may have changed while the table was being written.
    setIndexQuietly(ComboBox[size_t(tag - 1)], m_settings.gain[size_t(input())][size_t(tag - 1)]);
}

void AnalogDialog::MotListCloseUp(int tag, int index) {
    m_flows.ChooseMotion(2 * input() + tag, index);
    showSensorRow(tag);
}

void AnalogDialog::SensScrollScroll(int tag, int position, bool ended) {
    const int slot = 2 * input() + tag;
    if (m_flows.MoveThreshold(slot, position) && ended) m_flows.EndThreshold(slot);
    showSensorRow(tag);
}

void AnalogDialog::OnAdReport(const QList<int>& values) {
    m_flows.TakeReport(values);
    showStatusLine();
    if (isVisible()) showReference();
}

} // namespace qvx
