#include "pose/PoseWindow.h"

#include "base/UiServices.h"
#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "document/Chart.h"
#include "pose/PanelDragger.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace qvx {

using namespace Pose;

namespace {

constexpr int kPanelWidth = PoseLayout::kPanelWidth;
constexpr int kPanelHeight = PoseLayout::kPanelHeight;
constexpr int kControlTop = 2;
constexpr int kControlHeight = 20;

// Radio button groups, in tag order: caption, channel word, left in the panel, width.
struct RadioGroup {
    const char* caption;
    quint16 value;
    int left;
    int width;
};
constexpr std::array<RadioGroup, 6> kRadioGroups = {{
    {"+5V (H)", kOutputHigh, 96, 94},
    {"0V (L)", kOutputLow, 193, 58},
    {"FR", kFree, 96, 40},
    {"S1", kSet1, 136, 40},
    {"S2", kSet2, 176, 40},
    {"S3", kSet3, 216, 36},
}};

void setBase(QLineEdit* edit, const QColor& colour) {
    QPalette p = edit->palette();
    if (p.color(QPalette::Base) == colour) return;
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Text, Qt::black);
    edit->setPalette(p);
}

} // namespace

PoseWindow::PoseWindow(Chart& chart, BoardCommands& board, UiServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), m_chart(chart), m_board(board),
      m_flows(board, m_pose, m_links, [this] { return currentItem(); }), m_services(services) {
    setObjectName(QStringLiteral("PrmDlg"));
    setWindowTitle(tr("Parameter"));
    setAutoFillBackground(true);
    m_flows.boardPoseSeen = [this](const BigEndian::Words& words) { emit boardPoseChanged(words); };
    m_dragger = new PanelDragger([this] { return !HoldSwitch || HoldSwitch->isChecked(); }, this);
    connect(m_dragger, &PanelDragger::panelMoved, this, &PoseWindow::fitCanvas);

    // The panels lie on a canvas in a scroll area: a window smaller than its
    // arrangement scrolls rather than cutting panels off.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("PoseScroll"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(false);
    m_scroll->viewport()->setBackgroundRole(QPalette::Window);
    m_canvas = new QWidget;
    m_canvas->setObjectName(QStringLiteral("PoseCanvas"));
    m_canvas->setAutoFillBackground(true);
    m_canvas->installEventFilter(this);
    m_scroll->setWidget(m_canvas);
    column->addWidget(m_scroll, 1);
    m_emptyHint = new QLabel(EmptyItemHintText(), this);
    m_emptyHint->setObjectName(QStringLiteral("EmptyItemHint"));
    m_emptyHint->setWordWrap(true);
    m_emptyHint->setContentsMargins(6, 3, 6, 3);
    m_emptyHint->hide();
    column->addWidget(m_emptyHint);

    for (int n = 1; n <= kChannels; ++n) buildChannelPanel(n);
    buildSpeedPanel();
    buildCommandPanel();
    buildLinkPanel();
    buildMenu();
    attachMenu(m_canvas, 0);
    ApplyLayout(PoseLayout());
    SetLinkNames({});
    showNothing();
}

PoseWindow::~PoseWindow() {
    // The panels go after this object's own part: nothing may ask it whether
    // they are fixed by then.
    delete m_dragger;
    m_dragger = nullptr;
}

QFrame* PoseWindow::makePanel(int number, const QString& name, QPoint place) {
    auto* panel = new QFrame(m_canvas);
    panel->setObjectName(QStringLiteral("Panel") + QString::number(number));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setGeometry(QRect(place, QSize(kPanelWidth, kPanelHeight)));
    panel->setAutoFillBackground(true);
    Panel[size_t(number - 1)] = panel;
    m_dragger->watch(panel);
    auto* label = new QLabel(name, panel);
    label->setGeometry(3, kControlTop, 52, kControlHeight);
    attachMenu(panel, number);
    attachMenu(label, number);
    if (number <= kChannels) {
        label->setObjectName(QStringLiteral("Label") + QString::number(number));
        Label[size_t(number - 1)] = label;
    }
    return panel;
}

void PoseWindow::attachMenu(QWidget* w, int tag) {
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(w, &QWidget::customContextMenuRequested, this, [this, w, tag](const QPoint& at) {
        PreparePrmMenu(tag);
        PrmMenu->popup(w->mapToGlobal(at));
    });
}

void PoseWindow::buildChannelPanel(int n) {
    const size_t k = size_t(n - 1);
    QFrame* panel = makePanel(n, PoseLayout::DefaultName(n), PoseLayout::DefaultPlace(n));
    const QString num = QString::number(n);

    auto* edit = new QLineEdit(panel);
    edit->setObjectName(QStringLiteral("Edit") + num);
    edit->setGeometry(56, kControlTop, 37, kControlHeight);
    Edit[k] = edit;
    passUndoToDocument(edit);
    connect(edit, &QLineEdit::returnPressed, this, [this, n] { EditKeyDown(n); });

    auto* bar = new QScrollBar(Qt::Horizontal, panel);
    bar->setObjectName(QStringLiteral("Scroll") + num);
    bar->setGeometry(96, kControlTop + 1, 153, kControlHeight - 2);
    bar->setRange(kBarMin, kBarMax);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setValue(kNeutral);
    Scroll[k] = bar;
    bar->installEventFilter(this);
    connect(bar, &QScrollBar::valueChanged, this, [this, n](int v) { ScrollScroll(n, v); });

    for (size_t g = 0; g < kRadioGroups.size(); ++g) {
        const int tag = int(g) * kChannels + n;
        // The radio captions are output levels and state codes, the same in both languages.
        auto* radio = new QRadioButton(QString::fromLatin1(kRadioGroups[g].caption), panel);
        radio->setObjectName(QStringLiteral("CkBtn") + QString::number(tag));
        radio->setGeometry(kRadioGroups[g].left, kControlTop, kRadioGroups[g].width, kControlHeight);
        // The checks follow the channel word, not the clicks.
        radio->setAutoExclusive(false);
        CkBtn[size_t(tag - 1)] = radio;
        // clicked comes only when the button is released over the button itself.
        connect(radio, &QRadioButton::clicked, this, [this, tag] { CkBtnMouseUp(tag); });
    }

    auto* param = new QScrollBar(Qt::Horizontal, panel);
    param->setObjectName(QStringLiteral("SSL") + num);
    param->setGeometry(114, kControlTop + 1, 135, kControlHeight - 2);
    param->setRange(kParamMin, kParamMax);
    param->setSingleStep(1);
    param->setPageStep(1);
    SSL[k] = param;
    connect(param, &QScrollBar::valueChanged, this, [this, n](int v) { SSLScroll(n, v); });

    auto* caption = new QLabel(panel);
    caption->setObjectName(QStringLiteral("SLB") + num);
    caption->setGeometry(95, kControlTop, 18, kControlHeight);
    SLB[k] = caption;
}

void PoseWindow::buildSpeedPanel() {
    QFrame* panel = makePanel(kSpeedPanel, QStringLiteral("SPEED"), PoseLayout::DefaultPlace(kSpeedPanel));
    SpeedEdit = new QLineEdit(panel);
    SpeedEdit->setObjectName(QStringLiteral("SpeedEdit"));
    SpeedEdit->setGeometry(56, kControlTop, 37, kControlHeight);
    passUndoToDocument(SpeedEdit);
    connect(SpeedEdit, &QLineEdit::returnPressed, this, &PoseWindow::SpeedEditKeyDown);
    SpeedBar = new QScrollBar(Qt::Horizontal, panel);
    SpeedBar->setObjectName(QStringLiteral("SpeedBar"));
    SpeedBar->setGeometry(96, kControlTop + 1, 153, kControlHeight - 2);
    SpeedBar->setRange(kSpeedMin, kSpeedMax);
    SpeedBar->setValue(kSpeedInitial);
    SpeedEdit->setText(QString::number(kSpeedInitial));
    connect(SpeedBar, &QScrollBar::valueChanged, this, &PoseWindow::SpeedBarChange);
}

void PoseWindow::buildCommandPanel() {
    QFrame* panel = makePanel(kCommandPanel, QString(), PoseLayout::DefaultPlace(kCommandPanel));
    int left = 2;
    auto add = [&](QToolButton*& button, const char* name, const char* caption, const char* hint,
                   int width) {
        button = new QToolButton(panel);
        button->setObjectName(QString::fromLatin1(name));
        button->setText(tr(caption));
        if (hint) button->setToolTip(tr(hint));
        button->setAutoRaise(true);
        button->setGeometry(left, 1, width, kPanelHeight - 2);
        left += width + 1;
        return button;
    };
    connect(add(SetBtn, "SetBtn", QT_TR_NOOP("Send"),
                QT_TR_NOOP("Send the position data on the screen"), 38),
            &QToolButton::clicked, this, &PoseWindow::SetBtnClick);
    connect(add(GetBtn, "GetBtn", QT_TR_NOOP("Get"),
                QT_TR_NOOP("Acquire the present position data"), 34),
            &QToolButton::clicked, this, &PoseWindow::GetBtnClick);
    connect(add(StopBtn, "StopBtn", QT_TR_NOOP("Home"), QT_TR_NOOP("Home position"), 40),
            &QToolButton::clicked, this, &PoseWindow::StopBtnClick);
    connect(add(SleepBtn, "SleepBtn", QT_TR_NOOP("Sleep"), nullptr, 40), &QToolButton::clicked,
            this, &PoseWindow::SleepBtnClick);
    // The hint reads as the caption in English, but longer in Japanese: "hint"
    // tells the two apart in the catalogue.
    SleepBtn->setToolTip(tr("Sleep", "hint")); // not translated: "hint" is no text shown
    connect(add(TchBtn, "TchBtn", QT_TR_NOOP("Teach"),
                QT_TR_NOOP("Take the angle from the output of FREE"), 42),
            &QToolButton::clicked, this, &PoseWindow::TchBtnClick);
    connect(add(LinkSubBtn, "LinkSubBtn", "<", QT_TR_NOOP("Link movement"), 26),
            &QToolButton::clicked, this, [this] { LinkBtnClick(-1); });
    connect(add(LinkAddBtn, "LinkAddBtn", ">", QT_TR_NOOP("Link movement"), 26),
            &QToolButton::clicked, this, [this] { LinkBtnClick(+1); });
}

void PoseWindow::buildLinkPanel() {
    QFrame* panel = makePanel(kLinkPanel, QStringLiteral("LINK"), PoseLayout::DefaultPlace(kLinkPanel));
    LinkList = new QComboBox(panel);
    LinkList->setObjectName(QStringLiteral("LinkList"));
    LinkList->setGeometry(56, kControlTop, 193, kControlHeight);
    connect(LinkList, &QComboBox::activated, this, &PoseWindow::LinkListCloseUp);
}

// ---- the shown item ----

Item* PoseWindow::currentItem() {
    return m_shown.get();
}

void PoseWindow::OpenPoseItem(int index) {
    if (!m_chart.validItem(index) || m_chart.items[size_t(index)].kind != KindPos) return;
    // Another item must not slip under a pose flow that is still waiting.
    if (m_board.link().RefuseWhileBusy()) return;
    // The selection goes, the loaded channel actions stay.
    m_links.selected = -1;
    LinkList->setCurrentIndex(-1);
    m_shown.follow(index);
    const Item& item = m_chart.items[size_t(index)];
    setWindowTitle(item.name);
    ShowPoseItem(m_pose, item);
    setItemControlsEnabled(true);
    showAll();
    placeBesideOwner();
    show();
    raise();
    activateWindow();
    if (syncOn()) {
        m_flows.SyncOpenedItem();
        afterFlow();
    }
}

void PoseWindow::ChartChanged() {
    if (!m_shown.followed()) return;
    const Item* item = currentItem();
    if (!item) {
        showNothing();
        return;
    }
    // The item may have been changed behind the window (a conversion).
    ShowPoseItem(m_pose, *item);
    showAll();
}

void PoseWindow::showNothing() {
    m_shown.clear();
    setWindowTitle(tr("Parameter"));
    // Every channel shows only its name; the bars keep their positions.
    for (ChannelState& c : m_pose.channels) c.kind = ChannelKind::None;
    setItemControlsEnabled(false);
    showAll();
}

void PoseWindow::setItemControlsEnabled(bool on) {
    for (int n = 1; n <= kChannels; ++n) Panel[size_t(n - 1)]->setEnabled(on);
    Panel[kSpeedPanel - 1]->setEnabled(on);
    // Without an item there is nothing to send, fill, teach or make the home
    // position from; going home and sleeping need no item.
    for (QToolButton* b : {SetBtn, GetBtn, TchBtn}) b->setEnabled(on);
    N27->setEnabled(on);
}

void PoseWindow::afterFlow() {
    if (!currentItem()) {
        showNothing();
        return;
    }
    showAll();
}

bool PoseWindow::syncOn() const { return m_sync && m_sync->isChecked(); }

bool PoseWindow::editAllowed() {
    if (!currentItem()) {
        showNothing();
        return false;
    }
    return !m_board.link().RefuseWhileBusy();
}

// ---- showing ----

void PoseWindow::showChannelState(int n) {
    const size_t k = size_t(n - 1);
    const ChannelState& c = m_pose.channel(n);
    const ChannelKind kind = c.kind;
    const bool servo = kind == ChannelKind::Servo;
    const bool freeSet = kind == ChannelKind::FreeSet;
    const bool param = kind == ChannelKind::Param;

    Edit[k]->setVisible(servo || freeSet || param);
    Edit[k]->setText(c.editText);
    const bool scaled = std::fabs(c.displayRate) != 1.0f;
    setBase(Edit[k], (servo || freeSet) && scaled ? QColor(0, 255, 255) : QColor(Qt::white));
    {
        const QSignalBlocker block(Scroll[k]);
        Scroll[k]->setValue(c.barPosition);
    }
    Scroll[k]->setVisible(servo);
    for (size_t g = 0; g < kRadioGroups.size(); ++g) {
        QRadioButton* radio = CkBtn[g * kChannels + k];
        const bool output = g < 2;
        radio->setVisible(output ? kind == ChannelKind::Output : freeSet);
        radio->setChecked(c.checked == kRadioGroups[g].value);
    }
    {
        const QSignalBlocker block(SSL[k]);
        SSL[k]->setValue(c.paramPosition);
    }
    SSL[k]->setVisible(param);
    SLB[k]->setText(c.param == ParamKind::Sp   ? QStringLiteral("SP") // not translated: codes
                    : c.param == ParamKind::St ? QStringLiteral("ST")
                                               : QString());
    SLB[k]->setVisible(param);
}

void PoseWindow::showSpeed() {
    const QSignalBlocker block(SpeedBar);
    SpeedBar->setValue(m_pose.speed);
    SpeedEdit->setText(QString::number(m_pose.speed));
}

void PoseWindow::showAll() {
    for (int n = 1; n <= kChannels; ++n) showChannelState(n);
    showSpeed();
    // An item with every channel unused shows only names: say how to begin.
    const bool empty =
        m_shown.followed() &&
        std::all_of(m_pose.channels.begin(), m_pose.channels.end(),
                    [](const ChannelState& c) { return c.kind == ChannelKind::None; });
    m_emptyHint->setVisible(empty);
    emit shownPoseChanged();
}

std::optional<ChannelValues> PoseWindow::shownValues() {
    const Item* item = m_shown.get();
    if (!item) return std::nullopt;
    return item->values;
}

void PoseWindow::setFocusedChannel(int n) {
    if (n == m_focusedChannel) return;
    m_focusedChannel = n;
    emit focusedChannelChanged(n);
}

QString PoseWindow::EmptyItemHintText() {
    return tr("No channel is in use: right-click a channel's name and choose SERVO, "
              "FREE, SET1..SET3, H or L, or press Get to take the robot's pose.");
}

// ---- editing ----

void PoseWindow::storeChannel(int n, quint16 value) {
    if (Item* item = currentItem()) item->values[size_t(n - 1)] = value;
    showChannelState(n);
    setFocusedChannel(n);
    emit shownPoseChanged();
    if (syncOn()) m_flows.MoveLive(n, value);
}

void PoseWindow::ScrollScroll(int n, int position) {
    if (m_scrollGuard || !editAllowed()) {
        showChannelState(n);
        return;
    }
    m_scrollGuard = true;
    storeChannel(n, MoveServoBar(m_pose, n, position));
    m_scrollGuard = false;
}

void PoseWindow::SSLScroll(int n, int position) {
    if (m_scrollGuard || !editAllowed()) {
        showChannelState(n);
        return;
    }
    m_scrollGuard = true;
    storeChannel(n, MoveParamBar(m_pose, n, position));
    m_scrollGuard = false;
}

void PoseWindow::EditKeyDown(int n) {
    if (!editAllowed()) {
        showChannelState(n);
        return;
    }
    const std::optional<quint16> value = EnterChannelText(m_pose, n, Edit[size_t(n - 1)]->text());
    if (value) storeChannel(n, *value);
    else showChannelState(n);
    // The value is committed: Ctrl+Z now takes back the document edit.
    Edit[size_t(n - 1)]->setModified(false);
    Edit[size_t(n - 1)]->selectAll();
}

void PoseWindow::CkBtnMouseUp(int tag) {
    const int n = (tag - 1) % kChannels + 1;
    const quint16 value = kRadioGroups[size_t((tag - 1) / kChannels)].value;
    if (!editAllowed()) {
        showChannelState(n);
        return;
    }
    ChooseRadio(m_pose, n, value);
    if (Item* item = currentItem()) item->values[size_t(n - 1)] = value;
    showChannelState(n);
    setFocusedChannel(n);
    emit shownPoseChanged();
    if (!syncOn()) return;
    // A released or SET servo may be moved by hand: its present position goes
    // onto the hidden servo bar, ready for switching back to SERVO.
    m_flows.MoveLiveAndReadBack(n, value);
    showChannelState(n);
}

void PoseWindow::MenyTypeClick(int tag) {
    const int n = m_menuTag;
    if (n < 1 || n > kChannels || !editAllowed()) return;
    if (const std::optional<quint16> value = ChooseChannelType(m_pose, n, tag)) storeChannel(n, *value);
}

void PoseWindow::SpeedBarChange(int position) {
    if (!editAllowed()) {
        showSpeed();
        return;
    }
    m_pose.speed = position;
    SpeedEdit->setText(QString::number(position));
    if (Item* item = currentItem()) item->lead = quint8(position);
}

void PoseWindow::SpeedEditKeyDown() {
    if (editAllowed()) {
        const int speed = EnterSpeedText(m_pose, SpeedEdit->text());
        if (Item* item = currentItem()) item->lead = quint8(speed);
    }
    showSpeed();
    SpeedEdit->setModified(false);
    SpeedEdit->selectAll();
}

// ---- the robot ----

void PoseWindow::SetBtnClick() {
    if (!currentItem()) return;
    m_flows.Send();
}

void PoseWindow::GetBtnClick() {
    if (!currentItem()) return;
    m_flows.Acquire();
    afterFlow();
}

// Runs a flow on the home position and says in the status line what was done
// or why it failed; a flow refused while the board is busy has said so itself.
static void runHomeFlow(BoardLink& link, Services& services, const std::function<bool()>& flow,
                        const QString& done, const QString& failed) {
    if (link.RefuseWhileBusy()) return;
    services.ShowStatus(flow() ? done : link.failureWith(failed));
}

static void goHome(BoardLink& link, Services& services, PoseFlows& flows,
                   PoseFlows::HomeCaller caller) {
    runHomeFlow(
        link, services, [&flows, caller] { return flows.HomePosition(caller); },
        PoseWindow::tr("The robot went to its home position"),
        PoseWindow::tr("The robot did not go to its home position"));
}

void PoseWindow::StopBtnClick() {
    goHome(m_board.link(), m_services, m_flows, PoseFlows::HomeCaller::PoseWindow);
    afterFlow();
}

void PoseWindow::HomePosBtnClick() {
    goHome(m_board.link(), m_services, m_flows, PoseFlows::HomeCaller::MainWindow);
}

void PoseWindow::SleepBtnClick() { m_flows.Sleep(); }

void PoseWindow::TchBtnClick() {
    if (!currentItem()) return;
    // A refused teach leaves the item as it was and says why; a press refused
    // while the board is busy has said so already.
    BoardLink& link = m_board.link();
    const bool wasBusy = link.busy();
    if (!m_flows.Teach() && !wasBusy && m_links.hasSelection())
        m_services.ShowStatus(link.failureWith(tr("Teach failed")));
    afterFlow();
}

void PoseWindow::N27Click() {
    if (!currentItem()) return;
    runHomeFlow(
        m_board.link(), m_services, [this] { return m_flows.MakeHomePosition(); },
        tr("The shown pose is the home position now"),
        tr("The home position could not be written"));
}

} // namespace qvx
