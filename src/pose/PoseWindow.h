#pragma once

#include "document/Chart.h"
#include "pose/PoseData.h"
#include "pose/PoseFlows.h"
#include "pose/PoseLayout.h"

#include <QImage>
#include <QWidget>
#include <array>
#include <optional>

class QAbstractButton;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QScrollArea;
class QScrollBar;
class QToolButton;

namespace qvx {

class BoardCommands;
class PanelDragger;
class ChannelTableDialog;
class UiServices;

// The pose window: one POS item's 24 channel words and speed, edited channel
// by channel, every change written into the item at once and, with the main
// window's SYNC switch on, sent to the robot at once. Its command panel talks
// to the robot: send, acquire, home position, sleep, teach by hand.
//
// The window follows the item it was opened on by identity, not by index: when
// that item is deleted or the chart replaced, it shows nothing and takes no
// edits until another POS item is opened.
//
// Its 27 panels can be dragged over a background picture; their places,
// colours, visibility, the channel names and display rates are kept in the
// settings file.
class PoseWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kPanels = PoseLayout::kPanels;
    static constexpr int kRadioButtons = 6 * Pose::kChannels;
    // Panel numbers of the speed, command and link pattern panels.
    static constexpr int kSpeedPanel = PoseLayout::kSpeedPanel;
    static constexpr int kCommandPanel = PoseLayout::kCommandPanel;
    static constexpr int kLinkPanel = PoseLayout::kLinkPanel;

    PoseWindow(Chart& chart, BoardCommands& board, UiServices& services, QWidget* parent = nullptr);
    ~PoseWindow() override;

    // Named components; index 0 holds the control of channel (or panel) 1.
    std::array<QFrame*, kPanels> Panel{};
    std::array<QLabel*, Pose::kChannels> Label{};
    std::array<QLineEdit*, Pose::kChannels> Edit{};
    std::array<QScrollBar*, Pose::kChannels> Scroll{};
    // Radio button t (1..144) belongs to channel ((t - 1) mod 24) + 1; its group
    // ((t - 1) div 24) is "+5V (H)", "0V (L)", "FR", "S1", "S2", "S3".
    std::array<QRadioButton*, kRadioButtons> CkBtn{};
    std::array<QScrollBar*, Pose::kChannels> SSL{};
    std::array<QLabel*, Pose::kChannels> SLB{};
    QLineEdit* SpeedEdit = nullptr;
    QScrollBar* SpeedBar = nullptr;
    QToolButton *SetBtn = nullptr, *GetBtn = nullptr, *StopBtn = nullptr, *SleepBtn = nullptr,
                *TchBtn = nullptr, *LinkSubBtn = nullptr, *LinkAddBtn = nullptr;
    QComboBox* LinkList = nullptr;
    QMenu* PrmMenu = nullptr;
    // "NONE", "SERVO", "FREE", "SET1", "SET2", "SET3", "H", "L" (menu tags 0..7).
    std::array<QAction*, 8> MenuType{};
    QMenu* VisibleMenu = nullptr;
    // VCH1..VCH27: one checkable entry per panel.
    std::array<QAction*, kPanels> VCH{};
    QMenu* PmColor = nullptr;
    QAction *PmName = nullptr, *RateBtn = nullptr, *N27 = nullptr, *PmImage = nullptr,
            *Background = nullptr, *HoldSwitch = nullptr;

    // The channel table dialog, for names, display rates and link patterns.
    void setChannelTableDialog(ChannelTableDialog* dlg) { m_channelTableDialog = dlg; }

    // The layout keys of the settings file: read once at start (nothing is
    // read when the file cannot be written back), written once at the end.
    bool LoadLayout(const QString& settingsPath);
    bool SaveLayout(const QString& settingsPath) const;
    void ApplyLayout(const PoseLayout& layout);
    PoseLayout CollectLayout() const;

    // What the other channel windows copy: names, panel colours, label font.
    QString channelName(int n) const { return m_layout.channels[size_t(n - 1)].name; }
    QStringList channelNames() const;
    QList<QColor> channelColours() const;
    QColor panelColour(int panel) const;
    QColor panelTextColour(int panel) const;
    QFont labelFont() const;
    // Colours panel 1..27 (and the texts on it) or, for 0, the window.
    void SetPanelColour(int tag, quint32 colour);
    // Loads the background picture; false when there is none to show. A file
    // that cannot be read is named with the reason: in a message box when the
    // user chose it, in the status line when the settings named it at start.
    enum class PictureNotice { MessageBox, StatusLine };
    bool LoadPicture(const QString& path, PictureNotice notice = PictureNotice::MessageBox);
    const QImage& picture() const { return m_picture; }

    // The link pattern names of the pattern file, followed by the entry that
    // opens the pattern editor.
    void SetLinkNames(const QStringList& names);
    // No pattern loaded: the channel actions are emptied and the list shows
    // its last entry (or nothing).
    void ClearLinkActions(bool selectEditorEntry);

    // The main window's SYNC switch: while it is checked every change goes to the robot.
    void setSyncSwitch(const QAbstractButton* sync) { m_sync = sync; }

    // Shows POS item `index` and follows it; with SYNC on, sends it to the robot
    // (an item whose words are all 0 first takes the robot's live pose).
    void OpenPoseItem(int index);
    // Items were deleted or changed, or the chart replaced: when the shown
    // item is gone the window shows nothing, else it shows the item again.
    void ChartChanged();
    // The home sequence of the main window's button: moves the robot home,
    // leaves the window and the item alone.
    void HomePosBtnClick();

    // The item the window edits, or null when it shows none.
    Item* currentItem();
    bool showsItem() { return currentItem() != nullptr; }
    PoseState& pose() { return m_pose; }
    LinkSelection& links() { return m_links; }
    PoseFlows& flows() { return m_flows; }
    // Sets the panel the popup menu acts on (0 window, 1..27 panels) and which
    // entries it shows; the context menu does this before it opens.
    void PreparePrmMenu(int tag);
    int menuTag() const { return m_menuTag; }

  public slots:
    void SetBtnClick();
    void GetBtnClick();
    void StopBtnClick();
    void SleepBtnClick();
    void TchBtnClick();
    void N27Click();
    void PmNameClick();
    void RateBtnClick();
    void PmImageClick();
    void BackgroundClick();
    void LinkListCloseUp(int index);
    void LinkBtnClick(int direction);

    // The channel words of the shown item; nothing while no item is shown.
    std::optional<ChannelValues> shownValues();
    // The channel (1..24) the user works on: the one whose box or bar has the
    // keyboard focus, else the one last edited; 0 before any.
    int focusedChannel() const { return m_focusedChannel; }

  signals:
    // The channel names or panel colours changed: other windows copy them.
    void channelLabelsChanged();
    // The shown item's channel words changed, or another item (or none) is
    // shown: once per edit, whatever made it.
    void shownPoseChanged();
    // Another channel is the focused one.
    void focusedChannelChanged(int channel);
    // The robot's pose as the board last had it: read by Get or Teach, or sent.
    void boardPoseChanged(const qvx::ChannelValues& words);

  public:
    // The area that holds the panels over the background picture, and the
    // line under it that tells how to start on an item with no channel in use.
    QScrollArea* scrollArea() const { return m_scroll; }
    QWidget* canvas() const { return m_canvas; }
    QLabel* emptyItemHint() const { return m_emptyHint; }
    static QString EmptyItemHintText();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildChannelPanel(int n);
    void buildSpeedPanel();
    void buildCommandPanel();
    void buildLinkPanel();
    void buildMenu();
    void buildColourMenu();
    QFrame* makePanel(int number, const QString& name, QPoint place);
    void attachMenu(QWidget* w, int tag);

    // Handlers shared by all channels; the channel comes from the control.
    void ScrollScroll(int n, int position);
    void SSLScroll(int n, int position);
    void EditKeyDown(int n);
    void CkBtnMouseUp(int tag);
    void MenyTypeClick(int tag);
    void SpeedBarChange(int position);
    void SpeedEditKeyDown();

    bool syncOn() const;
    // True when an edit may go ahead: an item is shown and no board flow runs
    // (the user is told when one does).
    bool editAllowed();
    // Writes a channel word into the item, shows it and, with SYNC on, moves the robot.
    void storeChannel(int n, quint16 value);
    void setFocusedChannel(int n);
    // After a flow: the shown item may have gone meanwhile.
    void afterFlow();
    void showNothing();
    void setItemControlsEnabled(bool on);
    // Puts channel n's state on its controls, and all channels and the speed.
    void showChannelState(int n);
    void showAll();
    void showSpeed();
    void setChannelName(int n, const QString& name);
    void setClientSize(QSize size);
    // Makes the canvas as large as the view, the picture and every shown
    // panel, so that the scroll bars reach whatever the window is too small for.
    void fitCanvas();
    // The first time the window opens it goes beside the main window rather
    // than over its tool bars; afterwards it stays where the user put it.
    void placeBesideOwner();
    // A committed edit box gives Ctrl+Z and Ctrl+Shift+Z to the document's
    // undo and redo instead of taking them for its own text.
    void passUndoToDocument(QLineEdit* edit);

    Chart& m_chart;
    BoardCommands& m_board;
    PoseState m_pose;
    LinkSelection m_links;
    PoseFlows m_flows;
    const QAbstractButton* m_sync = nullptr;
    UiServices& m_services;
    ChannelTableDialog* m_channelTableDialog = nullptr;
    PanelDragger* m_dragger = nullptr;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_canvas = nullptr;
    QLabel* m_emptyHint = nullptr;
    bool m_placed = false;
    // Colours, visibility, names and the picture settings; places, display
    // kinds and rates live in the widgets and the pose state.
    PoseLayout m_layout;
    QImage m_picture;
    // The shown item, followed through edits that renumber the items.
    MarkedItem m_shown{m_chart};
    // One flag for the whole window: a bar event that arrives while another is
    // handled (its live move still waiting) is dropped and its bar snaps back.
    bool m_scrollGuard = false;
    int m_menuTag = 0;
    int m_focusedChannel = 0;
};

} // namespace qvx
