#include "pose/PoseWindow.h"

#include "base/UiServices.h"
#include "document/PaletteColours.h"
#include "pose/BackgroundPicture.h"
#include "pose/ChannelTableDialog.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

// The pose window's arrangement: its popup menu, panel places, colours and
// visibility, channel names and display rates, the background picture, and
// the layout kept in the settings file.

namespace qvx {

using namespace Pose;

namespace {

// The channel type menu in tag order.
constexpr std::array<const char*, 8> kTypeEntries = {"NONE", "SERVO", "FREE", "SET1",
                                                     "SET2", "SET3",  "H",    "L"};

// What the picture dialog offers.
const char* const kPictureCaption =
    QT_TRANSLATE_NOOP("qvx::PoseWindow", "Setting of the background picture");
const QStringList kPictureFilters = {QStringLiteral("*.jpg (*.jpg)"), QStringLiteral("*.jpeg (*.jpeg)"),
                                     QStringLiteral("*.bmp (*.bmp)"), QStringLiteral("*.* (*)")};

void setColours(QWidget* w, const QColor& fill, const QColor& text) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, fill);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Text, text);
    w->setPalette(p);
}

} // namespace

void PoseWindow::buildMenu() {
    PrmMenu = new QMenu(this);
    PrmMenu->setObjectName(QStringLiteral("PrmMenu"));
    auto add = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    for (int tag = 0; tag < int(kTypeEntries.size()); ++tag) {
        QAction* a = PrmMenu->addAction(QString::fromLatin1(kTypeEntries[size_t(tag)]));
        a->setObjectName(QStringLiteral("MenuType") + QString::number(tag + 1));
        MenuType[size_t(tag)] = a;
        connect(a, &QAction::triggered, this, [this, tag] { MenyTypeClick(tag); });
    }
    PrmMenu->addSeparator();
    VisibleMenu = PrmMenu->addMenu(tr("Visible"));
    VisibleMenu->setObjectName(QStringLiteral("VisibleMenu"));
    // The panels' names, the same in both languages.
    const char* fixedCaptions[] = {"SPEED", "COMMAND", "LINK"};
    for (int p = 1; p <= kPanels; ++p) {
        const QString caption = p <= kChannels ? PoseLayout::DefaultName(p)
                                               : QString::fromLatin1(fixedCaptions[p - kChannels - 1]);
        QAction* a = VisibleMenu->addAction(caption);
        a->setObjectName(QStringLiteral("VCH") + QString::number(p));
        a->setCheckable(true);
        a->setChecked(true);
        VCH[size_t(p - 1)] = a;
        connect(a, &QAction::toggled, this, [this, p](bool on) {
            Panel[size_t(p - 1)]->setVisible(on);
            m_layout.panels[size_t(p - 1)].visible = on;
        });
    }
    buildColourMenu();
    PmName = add(PrmMenu, "PmName", tr("Name"));
    connect(PmName, &QAction::triggered, this, &PoseWindow::PmNameClick);
    RateBtn = add(PrmMenu, "RateBtn", tr("Setting of the display rate"));
    connect(RateBtn, &QAction::triggered, this, &PoseWindow::RateBtnClick);
    N27 = add(PrmMenu, "N27", tr("Turn it in the home position"));
    connect(N27, &QAction::triggered, this, &PoseWindow::N27Click);
    PrmMenu->addSeparator();
    PmImage = add(PrmMenu, "PmImage", tr(kPictureCaption));
    connect(PmImage, &QAction::triggered, this, &PoseWindow::PmImageClick);
    Background = add(PrmMenu, "Background", tr("Display of the background"));
    Background->setCheckable(true);
    connect(Background, &QAction::triggered, this, &PoseWindow::BackgroundClick);
    HoldSwitch = add(PrmMenu, "HoldSwitch", tr("Fixation of the panel"));
    HoldSwitch->setCheckable(true);
    // Checked at every start, whatever it was when the program ended.
    HoldSwitch->setChecked(true);
}

void PoseWindow::buildColourMenu() {
    PmColor = PrmMenu->addMenu(tr("Color"));
    PmColor->setObjectName(QStringLiteral("PmColor"));
    // The canvas menu's palette, under this window's own entry names.
    int number = 8;
    for (const PaletteEntry& e : ItemColours::Palette()) {
        const int tag = e.tag;
        const QString name = tag == 16 ? QStringLiteral("N25") : QStringLiteral("N") + QString::number(number++);
        // The palette's captions are translated under the palette's own context.
        QAction* a = PmColor->addAction(
            QCoreApplication::translate("ItemColours", e.caption.toUtf8().constData()));
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, [this, tag] {
            if (const std::optional<quint32> colour = ItemColours::ColourForTag(tag)) {
                SetPanelColour(m_menuTag, *colour);
                return;
            }
            // "etc.": the colour dialog; cancelling it gives the button face colour.
            const std::optional<QColor> picked = m_services.PickColour(panelColour(m_menuTag));
            SetPanelColour(m_menuTag, picked ? ItemColours::FromRgb(picked->red(), picked->green(), picked->blue())
                                             : ItemColours::kButtonFace);
        });
    }
}

void PoseWindow::PreparePrmMenu(int tag) {
    m_menuTag = tag;
    const bool channel = tag >= 1 && tag <= kChannels;
    for (QAction* a : MenuType) a->setVisible(channel);
    PmName->setVisible(channel);
    PmImage->setVisible(tag == 0);
    Background->setVisible(tag == 0);
    for (int n = 1; n <= kChannels; ++n) VCH[size_t(n - 1)]->setText(channelName(n));
    for (int p = 1; p <= kPanels; ++p) {
        const QSignalBlocker block(VCH[size_t(p - 1)]);
        VCH[size_t(p - 1)]->setChecked(m_layout.panels[size_t(p - 1)].visible);
    }
}

// ---- colours ----

QColor PoseWindow::panelColour(int panel) const {
    const quint32 c = panel == 0 ? m_layout.windowColour : m_layout.panels[size_t(panel - 1)].colour;
    return PaletteColours(palette()).Resolve(c);
}

QColor PoseWindow::panelTextColour(int panel) const {
    const quint32 c = panel == 0 ? m_layout.windowColour : m_layout.panels[size_t(panel - 1)].colour;
    return PaletteColours(palette()).TextColourFor(c);
}

QFont PoseWindow::labelFont() const { return Label[0]->font(); }

QStringList PoseWindow::channelNames() const {
    QStringList names;
    for (int n = 1; n <= kChannels; ++n) names << channelName(n);
    return names;
}

QList<QColor> PoseWindow::channelColours() const {
    QList<QColor> colours;
    for (int n = 1; n <= kChannels; ++n) colours << panelColour(n);
    return colours;
}

void PoseWindow::SetPanelColour(int tag, quint32 colour) {
    if (tag < 0 || tag > kPanels) return;
    if (tag == 0) {
        m_layout.windowColour = colour;
        QPalette p = palette();
        p.setColor(QPalette::Window, panelColour(0));
        setPalette(p);
        update();
        return;
    }
    m_layout.panels[size_t(tag - 1)].colour = colour;
    const QColor fill = panelColour(tag), text = panelTextColour(tag);
    QFrame* panel = Panel[size_t(tag - 1)];
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, fill);
    panel->setPalette(p);
    // The name label and the radio buttons take the text colour that reads on the panel.
    for (QLabel* label : panel->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) setColours(label, fill, text);
    for (QRadioButton* radio : panel->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
        setColours(radio, fill, text);
    if (tag <= kChannels) emit channelLabelsChanged();
}

// ---- names, rates ----

void PoseWindow::setChannelName(int n, const QString& name) {
    m_layout.channels[size_t(n - 1)].name = name;
    Label[size_t(n - 1)]->setText(name);
    Label[size_t(n - 1)]->setToolTip(name);
}

void PoseWindow::PmNameClick() {
    if (!m_channelTableDialog) return;
    // The names mode starts from what the board holds.
    std::array<QString, kChannels> onBoard;
    m_flows.ReadChannelNames(onBoard);
    if (!m_channelTableDialog->RunNames(onBoard)) return;
    const std::array<QString, kChannels> typed = m_channelTableDialog->texts();
    std::array<QString, kChannels> names;
    for (int n = 1; n <= kChannels; ++n) {
        if (!typed[size_t(n - 1)].isEmpty()) setChannelName(n, typed[size_t(n - 1)]);
        names[size_t(n - 1)] = channelName(n);
    }
    emit channelLabelsChanged();
    m_flows.WriteChannelNames(names);
}

void PoseWindow::RateBtnClick() {
    if (!m_channelTableDialog) return;
    std::array<QString, kChannels> shown;
    for (int n = 1; n <= kChannels; ++n) shown[size_t(n - 1)] = ChannelTableDialog::RateText(m_pose.channel(n).displayRate);
    if (!m_channelTableDialog->RunRates(shown)) return;
    const std::array<QString, kChannels> typed = m_channelTableDialog->texts();
    for (int n = 1; n <= kChannels; ++n) {
        ChannelState& c = m_pose.channel(n);
        c.displayRate = PoseLayout::ParseRate(typed[size_t(n - 1)]).value_or(c.displayRate);
        // The edit box is written again from the bar with the new rate.
        if (c.kind == ChannelKind::Servo || c.kind == ChannelKind::FreeSet) MoveServoBar(m_pose, n, c.barPosition);
        showChannelState(n);
    }
}

// ---- the background picture ----

bool PoseWindow::LoadPicture(const QString& path, PictureNotice notice) {
    const PictureLoad load = BackgroundPicture::Load(path);
    if (load.outcome == PictureLoad::NotFound) return false;
    if (load.outcome == PictureLoad::Unreadable) {
        const QString text = BackgroundPicture::UnreadableText(path, load.reason);
        if (notice == PictureNotice::MessageBox) {
            m_services.ShowMessageBox(MsgIcon::Error, MsgButtons::Ok, 0, MsgLanguage::English,
                                      text);
        } else {
            // Found unreadable at start: said once in the status line, after
            // what the start itself shows there; the setting is kept, so the
            // picture comes back once the file is mended.
            QTimer::singleShot(0, this, [this, text] { m_services.ShowStatus(text); });
        }
        return false;
    }
    m_picture = load.image;
    setClientSize(m_picture.size());
    update();
    return true;
}

void PoseWindow::PmImageClick() {
    const std::optional<FileChoice> choice =
        m_services.GetOpenFileName(tr(kPictureCaption), kPictureFilters);
    if (!choice) return;
    m_layout.picturePath = choice->path;
    const bool shown = LoadPicture(choice->path);
    m_layout.backgroundShown = shown;
    Background->setChecked(shown);
    fitCanvas();
    update();
}

void PoseWindow::BackgroundClick() {
    m_layout.backgroundShown = !m_layout.backgroundShown;
    Background->setChecked(m_layout.backgroundShown);
    fitCanvas();
    update();
}

bool PoseWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_canvas && event->type() == QEvent::Paint) {
        // The picture lies under the panels, at the canvas's corner.
        if (m_layout.backgroundShown && !m_picture.isNull()) {
            QPainter p(m_canvas);
            p.drawImage(QPoint(0, 0), m_picture);
        }
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        // The channel whose box or bar takes the keyboard is the focused one.
        for (int n = 1; n <= kChannels; ++n)
            if (watched == Edit[size_t(n - 1)] || watched == Scroll[size_t(n - 1)])
                setFocusedChannel(n);
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // A box whose typing has been committed (or that holds none) lets
        // the window's undo and redo keys through to the document.
        auto* edit = qobject_cast<QLineEdit*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        if (edit && !edit->isModified() &&
            (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
             key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y))) {
            event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PoseWindow::passUndoToDocument(QLineEdit* edit) { edit->installEventFilter(this); }

void PoseWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitCanvas();
}

void PoseWindow::fitCanvas() {
    if (!m_canvas) return;
    QRect used(QPoint(0, 0), m_scroll->maximumViewportSize());
    if (!m_picture.isNull() && m_layout.backgroundShown) used |= QRect(QPoint(0, 0), m_picture.size());
    for (const QFrame* panel : Panel)
        if (panel && !panel->isHidden()) used |= panel->geometry();
    const QSize size(used.right() + 1, used.bottom() + 1);
    if (m_canvas->size() != size) m_canvas->resize(size);
}

void PoseWindow::placeBesideOwner() {
    if (m_placed) return;
    m_placed = true;
    const QWidget* owner = parentWidget();
    if (!owner || !owner->isVisible()) return;
    const QRect main = owner->frameGeometry();
    const QScreen* screen = owner->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    // Right of the main window when it fits there, else left of it, else at
    // the right edge of the screen, level with the main window's top.
    QPoint at(main.right() + 1, main.top());
    if (room.isValid() && at.x() + width() > room.right() + 1) {
        at.setX(main.left() - width());
        if (at.x() < room.left()) at.setX(std::max(room.left(), room.right() + 1 - width()));
    }
    if (room.isValid()) at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() + 1 - height())));
    move(at);
}

void PoseWindow::setClientSize(QSize size) {
    if (size.isValid() && !size.isEmpty()) resize(size);
    fitCanvas();
}

// ---- the layout in the settings file ----

void PoseWindow::ApplyLayout(const PoseLayout& layout) {
    m_layout = layout;
    if (!layout.picturePath.isEmpty()) LoadPicture(layout.picturePath, PictureNotice::StatusLine);
    Background->setChecked(layout.backgroundShown);
    setClientSize(QSize(layout.clientWidth, layout.clientHeight));
    SetPanelColour(0, layout.windowColour);
    for (int p = 1; p <= kPanels; ++p) {
        const PoseLayout::Panel& panel = layout.panels[size_t(p - 1)];
        Panel[size_t(p - 1)]->move(panel.place);
        Panel[size_t(p - 1)]->setVisible(panel.visible);
        SetPanelColour(p, panel.colour);
    }
    fitCanvas();
    for (int n = 1; n <= kChannels; ++n) {
        const PoseLayout::Channel& c = layout.channels[size_t(n - 1)];
        setChannelName(n, c.name);
        ChannelState& state = m_pose.channel(n);
        state.kind = c.kind;
        state.displayRate = c.rate;
        showChannelState(n);
    }
    emit channelLabelsChanged();
}

PoseLayout PoseWindow::CollectLayout() const {
    PoseLayout layout = m_layout;
    layout.clientWidth = width();
    layout.clientHeight = height();
    for (int p = 1; p <= kPanels; ++p) {
        layout.panels[size_t(p - 1)].place = Panel[size_t(p - 1)]->pos();
        layout.panels[size_t(p - 1)].visible = !Panel[size_t(p - 1)]->isHidden();
    }
    for (int n = 1; n <= kChannels; ++n) {
        layout.channels[size_t(n - 1)].kind = m_pose.channel(n).kind;
        layout.channels[size_t(n - 1)].rate = m_pose.channel(n).displayRate;
    }
    return layout;
}

bool PoseWindow::LoadLayout(const QString& settingsPath) {
    const std::optional<PoseLayout> layout = PoseLayout::Load(settingsPath);
    if (!layout) return false;
    ApplyLayout(*layout);
    return true;
}

bool PoseWindow::SaveLayout(const QString& settingsPath) const { return CollectLayout().Save(settingsPath); }

// ---- link patterns ----

void PoseWindow::SetLinkNames(const QStringList& names) {
    const QSignalBlocker block(LinkList);
    LinkList->clear();
    LinkList->addItems(names);
    LinkList->addItem(ChannelTableDialog::EditorEntryText());
    LinkList->setCurrentIndex(-1);
    m_links.selected = -1;
}

void PoseWindow::ClearLinkActions(bool selectEditorEntry) {
    for (QString& a : m_links.actions) a.clear();
    m_links.name.clear();
    m_links.selected = -1;
    LinkList->setCurrentIndex(selectEditorEntry ? LinkList->count() - 1 : -1);
}

void PoseWindow::LinkListCloseUp(int index) {
    if (index < 0) return;
    if (index == LinkList->count() - 1) {
        if (m_channelTableDialog) m_channelTableDialog->RunLinkPatterns();
        return;
    }
    if (!m_channelTableDialog) return;
    const QString name = LinkList->itemText(index);
    const std::optional<QString> refusal = m_channelTableDialog->LoadLinkPattern(name, m_links.actions);
    if (refusal) {
        // The pattern cannot be used: the one loaded before stays in force.
        m_services.ShowMessageBox(MsgIcon::Error, MsgButtons::Ok, 0, MsgLanguage::English,
                                  *refusal);
        const int before = m_links.selected;
        LinkList->setCurrentIndex(before);
        return;
    }
    m_links.selected = index;
    m_links.name = name;
}

void PoseWindow::LinkBtnClick(int direction) {
    if (!m_links.hasSelection() || !editAllowed()) return;
    QToolButton* pressed = direction < 0 ? LinkSubBtn : LinkAddBtn;
    pressed->setEnabled(false);
    const PoseFlows::LinkOutcome outcome = m_flows.LinkMove(direction, syncOn());
    pressed->setEnabled(true);
    if (!outcome.refusal.isEmpty())
        m_services.ShowMessageBox(MsgIcon::Error, MsgButtons::Ok, 0, MsgLanguage::English,
                                  outcome.refusal);
    afterFlow();
}

} // namespace qvx
