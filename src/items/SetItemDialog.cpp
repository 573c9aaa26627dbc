#include "items/SetItemDialog.h"

#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "items/LiveRecord.h"
#include "document/Chart.h"
#include "document/PaletteColours.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace qvx {

namespace {

// Rows the gain lists show when they drop down.
constexpr int kGainRowsVisible = 30;

QRadioButton* makeRadio(QWidget* parent, const char* name, const QString& caption) {
    auto* radio = new QRadioButton(caption, parent);
    radio->setObjectName(QString::fromLatin1(name));
    return radio;
}

// Focus that the user moves: a click, the tab key or a shortcut. Focus coming
// back with the window, or put somewhere by the program, chooses nothing.
bool byUser(Qt::FocusReason reason) {
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
           reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

} // namespace

SetItemDialog::SetItemDialog(Chart& chart, BoardCommands& board, QWidget* parent)
    : QWidget(parent, Qt::Window), m_chart(chart), m_board(board) {
    setObjectName(QStringLiteral("SetDlg"));
    auto* layout = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(PageControl1);
    buildOtherPage();
    buildMixingPage();
    showNothing();
}

void SetItemDialog::buildOtherPage() {
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet1, tr("Other"));
    auto* grid = new QGridLayout(TabSheet1);

    RadBtn1 =
        makeRadio(TabSheet1, "RadBtn1", tr("Set the value measured by teaching in the parameter"));
    RadBtn2 = makeRadio(TabSheet1, "RadBtn2", tr("Set the number of loops in the loop counter"));
    RadBtn3 = makeRadio(TabSheet1, "RadBtn3", tr("Set the number in the comparing resistor"));
    RadBtn4 = makeRadio(TabSheet1, "RadBtn4", tr("Emend the reference value of analog input"));
    RadBtn7 = makeRadio(TabSheet1, "RadBtn7", tr("Turn the playing from receiver ON"));
    RadBtn8 = makeRadio(TabSheet1, "RadBtn8", tr("Turn the playing from receiver OFF"));
    RadBtn6 = makeRadio(TabSheet1, "RadBtn6", tr("Switching of the sensor control"));

    NumBar = new QScrollBar(Qt::Horizontal, TabSheet1);
    NumBar->setObjectName(QStringLiteral("NumBar"));
    NumBar->setRange(SetCodes::kMinLoopCount, SetCodes::kMaxLoopCount);
    NumBar->setSingleStep(1);
    NumBar->setPageStep(1);
    NumBar->setMinimumWidth(150);
    Edit1 = new QLineEdit(QStringLiteral("1"), TabSheet1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaximumWidth(60);
    Edit2 = new QLineEdit(QStringLiteral("0"), TabSheet1);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setMaximumWidth(60);
    Edit2->installEventFilter(this);
    AdList = new QComboBox(TabSheet1);
    AdList->setObjectName(QStringLiteral("AdList"));
    // The inputs' names, the same in every language.
    const QStringList inputs{QStringLiteral("AD1"), QStringLiteral("AD2"), QStringLiteral("AD3")};
    AdList->addItems(inputs);

    int row = 0;
    grid->addWidget(RadBtn1, row++, 0, 1, 3);
    grid->addWidget(RadBtn2, row++, 0, 1, 3);
    grid->addWidget(NumBar, row, 1);
    grid->addWidget(Edit1, row++, 2);
    grid->addWidget(RadBtn3, row, 0);
    grid->addWidget(Edit2, row++, 2);
    grid->addWidget(RadBtn4, row, 0);
    grid->addWidget(AdList, row++, 2);
    grid->addWidget(RadBtn7, row++, 0, 1, 3);
    grid->addWidget(RadBtn8, row++, 0, 1, 3);
    grid->addWidget(RadBtn6, row++, 0, 1, 3);
    for (int k = 0; k < SetCodes::kSensors; ++k) {
        auto* box = new QCheckBox(TabSheet1);
        box->setObjectName(QStringLiteral("Sck") + QString::number(k + 1));
        Sck[size_t(k)] = box;
        grid->addWidget(box, row++, 1, 1, 2);
        connect(box, &QCheckBox::clicked, this, &SetItemDialog::SckMouseUp);
    }
    grid->setRowStretch(row, 1);
    grid->setColumnMinimumWidth(0, 24);

    // Each radio button carries its own number as its tag.
    for (auto [radio, tag] : {std::pair{RadBtn1, 1},
                              {RadBtn2, 2},
                              {RadBtn3, 3},
                              {RadBtn4, 4},
                              {RadBtn6, 6},
                              {RadBtn7, 7},
                              {RadBtn8, 8}})
        radio->setProperty("tag", tag);
    for (QRadioButton* radio : {RadBtn1, RadBtn7, RadBtn8})
        connect(radio, &QRadioButton::clicked, this,
                [this, radio] { RadBtnMouseDown(radio->property("tag").toInt()); });
    connect(RadBtn2, &QRadioButton::clicked, this, &SetItemDialog::RadBtn2MouseDown);
    connect(RadBtn3, &QRadioButton::clicked, this, &SetItemDialog::Edit2Commit);
    connect(RadBtn4, &QRadioButton::clicked, this, &SetItemDialog::RadBtn4MouseDown);
    connect(RadBtn6, &QRadioButton::clicked, this, &SetItemDialog::RadBtn6MouseDown);
    // Every scroll event, a click at either end and the thumb's dragging included.
    connect(NumBar, &QScrollBar::actionTriggered, this,
            [this] { NumBarScroll(NumBar->sliderPosition()); });
    connect(Edit1, &QLineEdit::returnPressed, this, &SetItemDialog::Edit1KeyUp);
    connect(Edit2, &QLineEdit::returnPressed, this, &SetItemDialog::Edit2Commit);
    connect(AdList, &QComboBox::activated, this, &SetItemDialog::AdListCloseUp);
}

void SetItemDialog::buildMixingPage() {
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet2, tr("Mixing"));
    auto* grid = new QGridLayout(TabSheet2);
    const QStringList sources = SetCodes::SourceList();
    const QStringList gains = AnalogSettings::GainList();
    constexpr int kRowsPerColumn = kChannels / 2;
    for (int n = 1; n <= kChannels; ++n) {
        const size_t k = size_t(n - 1);
        const QString num = QString::number(n);
        auto* label =
            new QLabel(QStringLiteral("CH") + num, TabSheet2); // not translated: channel names
        label->setObjectName(QStringLiteral("MixLabel") + num);
        label->setAutoFillBackground(true);
        label->setMinimumWidth(56);
        auto* source = new QComboBox(TabSheet2);
        source->setObjectName(QStringLiteral("MixNum") + num);
        source->addItems(sources);
        auto* gain = new QComboBox(TabSheet2);
        gain->setObjectName(QStringLiteral("MixList") + num);
        gain->addItems(gains);
        gain->setMaxVisibleItems(kGainRowsVisible);
        MixLabel[k] = label;
        MixNum[k] = source;
        MixList[k] = gain;
        const int row = int(k) % kRowsPerColumn, column = 3 * (int(k) / kRowsPerColumn);
        grid->addWidget(label, row, column);
        grid->addWidget(source, row, column + 1);
        grid->addWidget(gain, row, column + 2);
        connect(source, &QComboBox::activated, this, &SetItemDialog::MixCloseUp);
        connect(gain, &QComboBox::activated, this, &SetItemDialog::MixCloseUp);
    }
    grid->setRowStretch(kRowsPerColumn, 1);
}

// ---- channel labels and sensor captions ----

void SetItemDialog::followChannelLabels(const ChannelLabels& labels) {
    FollowChannelLabels(this, labels);
}

void SetItemDialog::SetChannelLabels(const QStringList& names, const QList<QColor>& colours) {
    m_names = names;
    m_colours = colours;
    applyChannelLabels();
}

void SetItemDialog::applyChannelLabels() {
    for (int i = 0; i < kChannels; ++i)
        PaintChannelLabel(MixLabel[size_t(i)], i, m_names, m_colours, palette().color(QPalette::Button));
}

void SetItemDialog::buildSensorCaptions() {
    const SensorInterrupts interrupts = m_sensors ? m_sensors() : SensorInterrupts{};
    for (int k = 0; k < SetCodes::kSensors; ++k)
        Sck[size_t(k)]->setText(SetCodes::SensorCaption(k, interrupts[size_t(k)]));
}

// ---- the shown item ----

Item* SetItemDialog::currentItem() {
    return m_shown.get();
}

void SetItemDialog::ShowItem(int index) {
    if (!m_chart.validItem(index) || m_chart.items[size_t(index)].kind != KindSet) return;
    m_shown.follow(index);
    show();
    raise();
    activateWindow();
    buildSensorCaptions();
    setWindowTitle(m_chart.items[size_t(index)].name);
    applyChannelLabels();
    // A mixing item goes to the robot at once; nothing is done after the
    // exchange, which lets the user act meanwhile.
    if (showItemState() == SetVariant::Mixing && syncOn()) sendMixing();
}

void SetItemDialog::ChartChanged() {
    if (!m_shown.followed()) return;
    const Item* item = currentItem();
    if (!item) {
        showNothing();
        return;
    }
    setWindowTitle(item->name);
    showItemState();
}

void SetItemDialog::uncheckOptions() {
    // A checked radio button of an exclusive set cannot be unchecked directly.
    for (QRadioButton* radio : {RadBtn1, RadBtn2, RadBtn3, RadBtn4, RadBtn6, RadBtn7, RadBtn8}) {
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    }
    for (QCheckBox* box : Sck)
        box->setChecked(false);
}

SetVariant SetItemDialog::showItemState() {
    const Item* item = currentItem();
    if (!item) {
        showNothing();
        return SetVariant::None;
    }
    m_showing = true;
    TabSheet1->setEnabled(true);
    TabSheet2->setEnabled(true);

    // Page "Other" from scratch; the compare box keeps its text.
    uncheckOptions();
    NumBar->setValue(SetCodes::kMinLoopCount);
    Edit1->setText(QString::number(SetCodes::kMinLoopCount));
    AdList->setCurrentIndex(0);
    // Page "Mixing": every source and gain "OFF".
    for (int k = 0; k < kChannels; ++k) {
        MixNum[size_t(k)]->setCurrentIndex(0);
        MixList[size_t(k)]->setCurrentIndex(AnalogSettings::kGainOff);
    }

    const SetChoice choice = SetCodes::ReadSetItem(item->values);
    if (choice.variant == SetVariant::Mixing) {
        PageControl1->setCurrentWidget(TabSheet2);
        for (int k = 0; k < kChannels; ++k) {
            const MixingChoice mix = SetCodes::DecodeMixing(item->values[size_t(k)]);
            MixNum[size_t(k)]->setCurrentIndex(mix.source);
            MixList[size_t(k)]->setCurrentIndex(mix.gain);
        }
        m_showing = false;
        return choice.variant;
    }
    PageControl1->setCurrentWidget(TabSheet1);
    const int a = choice.argument;
    switch (choice.variant) {
    case SetVariant::TeachValue:
        RadBtn1->setChecked(true);
        break;
    case SetVariant::LoopCounter:
        RadBtn2->setChecked(true);
        NumBar->setValue(a);
        Edit1->setText(QString::number(a));
        break;
    case SetVariant::CompareRegister:
        RadBtn3->setChecked(true);
        Edit2->setText(QString::number(a + SetCodes::kMinCompare));
        break;
    case SetVariant::AdReference:
        RadBtn4->setChecked(true);
        AdList->setCurrentIndex(a);
        break;
    case SetVariant::SensorControl:
        RadBtn6->setChecked(true);
        for (int k = 0; k < SetCodes::kSensors; ++k)
            Sck[size_t(k)]->setChecked(a & (1 << k));
        break;
    case SetVariant::Receiver:
        (a == 0 ? RadBtn7 : RadBtn8)->setChecked(true);
        break;
    default:
        break; // no option, the values stay as they are
    }
    m_showing = false;
    return choice.variant;
}

void SetItemDialog::showNothing() {
    m_shown.clear();
    m_showing = true;
    setWindowTitle(QStringLiteral("SET")); // not translated: the item kind's name
    uncheckOptions();
    TabSheet1->setEnabled(false);
    TabSheet2->setEnabled(false);
    m_showing = false;
}

// ---- editing ----

bool SetItemDialog::syncOn() const {
    return m_sync && m_sync->isChecked();
}

bool SetItemDialog::editAllowed() {
    if (!currentItem()) {
        showNothing();
        return false;
    }
    if (m_board.link().RefuseWhileBusy()) {
        showItemState();
        return false;
    }
    return true;
}

void SetItemDialog::writeAll(quint16 code) {
    if (Item* item = currentItem()) item->values.fill(code);
}

int SetItemDialog::sensorFlags() const {
    int flags = 0;
    for (int k = 0; k < SetCodes::kSensors; ++k)
        if (Sck[size_t(k)]->isChecked()) flags |= 1 << k;
    return flags;
}

void SetItemDialog::RadBtnMouseDown(int tag) {
    if (!editAllowed()) return;
    switch (tag) {
    case 1:
        writeAll(CodeBase::TeachValue);
        break;
    case 7:
        writeAll(SetCodes::ReceiverCode(true));
        break;
    case 8:
        writeAll(SetCodes::ReceiverCode(false));
        break;
    default:
        break;
    }
}

void SetItemDialog::RadBtn2MouseDown() {
    if (!editAllowed()) return;
    Edit1->setText(QString::number(NumBar->value()));
    writeAll(SetCodes::LoopCounterCode(NumBar->value()));
}

void SetItemDialog::NumBarScroll(int position) {
    if (!editAllowed()) return;
    if (!RadBtn2->isChecked()) RadBtn2->setChecked(true);
    Edit1->setText(QString::number(position));
    writeAll(SetCodes::LoopCounterCode(position));
}

void SetItemDialog::Edit1KeyUp() {
    if (!editAllowed()) return;
    RadBtn2->setChecked(true);
    const int count = SetCodes::ReadLoopCount(Edit1->text(), NumBar->value());
    NumBar->setValue(count);
    Edit1->setText(QString::number(count));
    writeAll(SetCodes::LoopCounterCode(count));
}

void SetItemDialog::Edit2Commit() {
    if (!editAllowed()) return;
    RadBtn3->setChecked(true);
    const int value = SetCodes::ReadCompareValue(Edit2->text());
    Edit2->setText(QString::number(value));
    writeAll(SetCodes::CompareRegisterCode(value));
}

bool SetItemDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit2 && !m_showing &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Entering the box chooses the compare option; leaving it for another
        // control takes what was typed. The window losing or regaining the
        // focus, and focus the program moves, change nothing.
        const bool commit =
            event->type() == QEvent::FocusIn
                ? byUser(reason)
                : reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
        if (commit && currentItem()) Edit2Commit();
    }
    return QWidget::eventFilter(watched, event);
}

void SetItemDialog::RadBtn4MouseDown() {
    if (!editAllowed()) return;
    writeAll(SetCodes::AdReferenceCode(AdList->currentIndex()));
}

void SetItemDialog::AdListCloseUp(int index) {
    if (!editAllowed()) return;
    writeAll(SetCodes::AdReferenceCode(index));
    RadBtn4->setChecked(true);
}

void SetItemDialog::RadBtn6MouseDown() {
    if (!editAllowed()) return;
    writeAll(SetCodes::SensorControlCode(sensorFlags()));
}

void SetItemDialog::SckMouseUp() {
    if (!editAllowed()) return;
    writeAll(SetCodes::SensorControlCode(sensorFlags()));
    RadBtn6->setChecked(true);
}

void SetItemDialog::MixCloseUp() {
    if (!editAllowed()) return;
    Item* item = currentItem();
    for (int k = 0; k < kChannels; ++k)
        item->values[size_t(k)] = SetCodes::MixingCode(
            {MixNum[size_t(k)]->currentIndex(), MixList[size_t(k)]->currentIndex()});
    if (syncOn()) sendMixing();
}

void SetItemDialog::sendMixing() {
    const Item* item = currentItem();
    if (!item) return;
    // The record is copied before the exchange; the item is not looked at again.
    LiveRecord::Send(m_board, LiveRecord::Of(*item));
}

} // namespace qvx
