#include "settings/OptionsDialog.h"

#include "base/Services.h"
#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "board/MotionTable.h"
#include "document/PaletteColours.h"
#include "settings/BoardControls.h"
#include "settings/UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace qvx {

namespace {

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QComboBox* choiceList(QWidget* parent, const char* name) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(24);
    return list;
}

QString defaultName(int n) {
    return QStringLiteral("CH") + QString::number(n);
}

} // namespace

OptionsDialog::OptionsDialog(BoardCommands& board, const MotionTable& table, QWidget* parent)
    : QDialog(parent), m_flows(board, table) {
    setObjectName(QStringLiteral("OptDlg"));
    setWindowTitle(tr("Option"));
    setModal(true);

    auto* top = new QVBoxLayout(this);
    Check5 = checkBox(this, "Check5", tr("Get a replay in the end of playing the motions"));
    Check1 = checkBox(this, "Check1", tr("Activate playing the motion scenario with the sender"));
    Check7 = checkBox(this, "Check7", tr("Control through WRX-1"));
    for (QCheckBox* box : {Check5, Check1, Check7})
        top->addWidget(box);

    Label2 = new QLabel(tr("Playing the motion scenario with a start switch"), this);
    BtnList = choiceList(this, "BtnList");
    Label3 = new QLabel(tr("Playing the motion scenario in the power source on"), this);
    StartList = choiceList(this, "StartList");
    Label4 = new QLabel(tr("Playing the motion scenario in the power voltage down"), this);
    AlarmList = choiceList(this, "AlarmList");
    top->addWidget(Label2);
    top->addWidget(BtnList);
    top->addWidget(Label3);
    top->addWidget(StartList);
    top->addWidget(Label4);

    auto* alarmRow = new QHBoxLayout;
    AlmVoltEdit = new QLineEdit(this);
    AlmVoltEdit->setObjectName(QStringLiteral("AlmVoltEdit"));
    // The text follows the up-down; a typed value would never reach the board.
    ShowReadOnly(AlmVoltEdit);
    AlmVoltEdit->setMaximumWidth(64);
    AlmVoltBtn =
        new UpDown(OptionFlows::kVoltMin, OptionFlows::kVoltMax, OptionFlows::kVoltStart, this);
    AlmVoltBtn->setObjectName(QStringLiteral("AlmVoltBtn"));
    AlmVoltEdit->setText(OptionFlows::VoltText(AlmVoltBtn->position()));
    alarmRow->addWidget(AlarmList, 1);
    alarmRow->addWidget(AlmVoltEdit);
    alarmRow->addWidget(AlmVoltBtn);
    top->addLayout(alarmRow);

    GroupBox6 = new QGroupBox(QStringLiteral("SVP"), this); // not translated: the board's mode name
    GroupBox6->setObjectName(QStringLiteral("GroupBox6"));
    auto* grid = new QGridLayout(GroupBox6);
    for (int i = 0; i < 24; ++i) {
        QCheckBox* box = new QCheckBox(defaultName(i + 1), GroupBox6);
        box->setObjectName(QStringLiteral("SVP_C") + QString::number(i + 1));
        box->setAutoFillBackground(true);
        SVP_C[size_t(i)] = box;
        grid->addWidget(box, i / 8, i % 8);
        connect(box, &QCheckBox::clicked, this, &OptionsDialog::SvpMouseUp);
    }
    top->addWidget(GroupBox6);

    connect(Check1, &QCheckBox::clicked, this, &OptionsDialog::Check1MouseUp);
    connect(Check5, &QCheckBox::clicked, this, &OptionsDialog::Check5MouseUp);
    connect(Check7, &QCheckBox::clicked, this, &OptionsDialog::Check7MouseUp);
    connect(BtnList, &QComboBox::activated, this, &OptionsDialog::BtnListCloseUp);
    connect(StartList, &QComboBox::activated, this, &OptionsDialog::StartListCloseUp);
    connect(AlarmList, &QComboBox::activated, this, &OptionsDialog::AlarmListCloseUp);
    connect(AlmVoltBtn, &UpDown::arrowClicked, this, &OptionsDialog::AlmVoltBtnClick);
    connect(AlmVoltBtn, &UpDown::mouseUp, this, &OptionsDialog::AlmVoltBtnMouseUp);

    for (int n = 1; n <= 24; ++n)
        m_names << defaultName(n);
}

void OptionsDialog::followChannelLabels(const ChannelLabels& labels) {
    FollowChannelLabels(this, labels);
}

void OptionsDialog::SetChannelLabels(const QStringList& names, const QList<QColor>& colours) {
    m_names = names;
    m_colours = colours;
}

bool OptionsDialog::RunFromMainWindow() {
    if (isVisible()) return false;
    if (!m_flows.Open()) {
        // A flow refused while the board is busy has said so itself.
        BoardLink& link = m_flows.board().link();
        if (Services* services = link.services(); services && !link.busy())
            services->ShowStatus(link.failureWith(OptionFlows::OpenFailedText()));
        return false;
    }
    fillChoices();
    showSettings();
    exec();
    return true;
}

bool OptionsDialog::ReadAll() {
    if (!m_flows.ReadAll()) return false;
    fillChoices();
    showSettings();
    return true;
}

void OptionsDialog::fillChoices() {
    for (QComboBox* list : {BtnList, StartList, AlarmList}) {
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItems(m_flows.choices());
    }
    applyChannelLabels();
}

void OptionsDialog::applyChannelLabels() {
    for (int i = 0; i < 24; ++i)
        PaintChannelLabel(SVP_C[size_t(i)], i, m_names, m_colours, palette().color(QPalette::Button));
}

void OptionsDialog::showSettings() {
    const OptionSettings& s = m_flows.settings();
    Check1->setChecked(s.transmitter);
    Check5->setChecked(s.replyAtEnd);
    Check7->setChecked(s.wrx1);
    const std::pair<QComboBox*, int> lists[] = {
        {BtnList, s.buttonStart}, {StartList, s.powerOnStart}, {AlarmList, s.alarm}};
    for (const auto& [list, index] : lists) {
        const QSignalBlocker quiet(list);
        list->setCurrentIndex(index < list->count() ? index : 0);
    }
    AlmVoltBtn->setPosition(s.alarmTenths);
    AlmVoltEdit->setText(OptionFlows::VoltText(AlmVoltBtn->position()));
    for (int i = 0; i < 24; ++i)
        SVP_C[size_t(i)]->setChecked(s.svp & (1u << i));
}

quint32 OptionsDialog::svpMaskOfBoxes() const {
    quint32 mask = 0;
    for (int i = 0; i < 24; ++i)
        if (SVP_C[size_t(i)]->isChecked()) mask |= 1u << i;
    return mask;
}

void OptionsDialog::Check1MouseUp() {
    m_flows.SetTransmitter(Check1->isChecked());
    showSettings();
}

void OptionsDialog::Check5MouseUp() {
    m_flows.SetReplyAtEnd(Check5->isChecked());
    showSettings();
}

void OptionsDialog::Check7MouseUp() {
    m_flows.SetWrx1(Check7->isChecked());
    showSettings();
}

void OptionsDialog::BtnListCloseUp() {
    m_flows.SetButtonStart(BtnList->currentIndex());
    showSettings();
}

void OptionsDialog::StartListCloseUp() {
    m_flows.SetPowerOnStart(StartList->currentIndex());
    showSettings();
}

void OptionsDialog::AlarmListCloseUp() {
    m_flows.SetAlarm(AlarmList->currentIndex());
    showSettings();
}

void OptionsDialog::AlmVoltBtnClick(int position) {
    AlmVoltEdit->setText(OptionFlows::VoltText(position));
}

void OptionsDialog::AlmVoltBtnMouseUp(int position) {
    m_flows.SetAlarmVolts(position);
    showSettings();
}

void OptionsDialog::SvpMouseUp() {
    m_flows.SetSvpChannels(svpMaskOfBoxes());
    showSettings();
}

} // namespace qvx
