#pragma once

#include "settings/TrimFlows.h"

#include <QDialog>
#include <QFont>
#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QScrollBar;
class QToolButton;

namespace qvx {

class BoardCommands;
class PoseWindow;
class UiServices;
struct PoseLayout;

// The trim window: one bar and edit box per channel for the board's trim
// data, every change sent to the board at once so the servo moves while the
// user watches; closing writes all 24 values to the board's stored copy. Its
// panels sit where, and look as, the pose window's do. There is no OK or
// Cancel, the close box ends it.
class TrimWindow : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kChannels = QmxBoard::kChannels;
    // The command panel's number, as in the pose window.
    static constexpr int kCommandPanel = 26;

    TrimWindow(BoardCommands& board, UiServices& services, QWidget* parent = nullptr);

    // Named components; index 0 holds the control of channel 1.
    std::array<QFrame*, kChannels> Panel{};
    std::array<QLabel*, kChannels> Label{};
    std::array<QLineEdit*, kChannels> Edit{};
    std::array<QScrollBar*, kChannels> Scroll{};
    QFrame* Panel26 = nullptr;
    QToolButton* OpenBtn = nullptr;
    QToolButton* SaveBtn = nullptr;

    // The pose window whose look is copied each time the window opens; may
    // be left unset (the panels then keep their default places).
    void setPoseWindow(const PoseWindow* prm) { m_pose = prm; }
    // Copies the pose window's look: client size; each channel panel's place,
    // colour and visibility, its name and the text colour that reads on the
    // panel, with the pose window's label font; the command panel's place and
    // colour.
    void CopyLook(const PoseLayout& layout, const QFont& labelFont);

    // The main window's trim button: sleep, read the stored trim, run, then
    // the window modally; after it closed, sleep, write the stored copy, run.
    // False (nothing shown) when the opening failed or another flow was under
    // way or the window is already open; true once the window was closed.
    // A failure shows its cause in the status line, and says so when the
    // robot is left asleep.
    bool RunFromMainWindow();

    // Shows the controls as the flows hold them.
    void ShowState();
    TrimFlows& flows() { return m_flows; }

    // The filters of the file dialogs: the document files first.
    static QStringList FileFilters();
    // The width of an edit box that shows any trim word's offset whole.
    static int EditWidth(const QLineEdit* edit);

  public slots:
    void ScrollScroll(int channel);
    void EditKeyDown(int channel);
    void OpenBtnClick();
    void SaveBtnClick();

  private:
    void showChannel(int channel);
    // The flows' problem, if any, in the status line.
    void showProblem();

    BoardCommands& m_board;
    UiServices& m_services;
    TrimFlows m_flows;
    const PoseWindow* m_pose = nullptr;
};

} // namespace qvx
