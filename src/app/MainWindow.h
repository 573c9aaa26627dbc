#pragma once

#include "app/Settings.h"
#include "editor/EditState.h"
#include "ports/PortBox.h"

#include <QMainWindow>
#include <memory>
#include <span>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QScrollArea;
class QTabWidget;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QWidget;

namespace qvx {

struct AppState;
class UiServices;
class ChartCanvas;
class ItemPropertiesDialog;
class DocumentPropertiesDialog;
class FileTypeRegistry;
class BoardFlows;
class MotionDataDialog;
class AboutDialog;
class MotionTableWindow;
class PoseWindow;
class RobotPreviewWindow;
class TimelinePage;
class ChannelTableDialog;
class SetItemDialog;
class CompareItemDialog;
class OptionsDialog;
class AnalogDialog;
class TrimWindow;
class ReceiverDialog;
class ServoSetupDialog;
class BackupFlows;
class EditHistory;
class ChecksList;
struct DocumentContext;

// The main window: tool bars, the EDIT and LIST pages, the status line and the
// status bar. It owns the chart's editing state and opens and saves documents.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    static QString FileFilterQmx() { return tr("QMX file (*.QMX *.qmx)"); }
    static QString FileFilterAll() { return tr("AllFiles (*)"); }
    // The question asked before changes not saved would be lost.
    static QString UnsavedChangesText() { return tr("The chart has changes that are not saved."); }
    // Where a chart with changes not saved is kept when the editor is ended
    // by a signal: beside the settings file. The next start renames it (so a
    // later one cannot overwrite it) and says where it is.
    static constexpr const char* kRecoveryName = "unsaved-chart.QMX";

    MainWindow(AppState& state, UiServices& services, const QString& settingsPath,
              QWidget* parent = nullptr);
    ~MainWindow() override;

    // Named components.
    QToolBar* ToolBar1 = nullptr;
    QToolBar* PartsMenu = nullptr;
    QToolBar* CommandMenu = nullptr;
    QToolBar* ToolsMenu = nullptr;
    QToolBar* CommMenu = nullptr;
    QToolBar* ToolBar2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QToolButton *OpenBtn = nullptr, *SaveBtn = nullptr, *FormBtn = nullptr, *InfoBtn = nullptr,
                *ExitBtn = nullptr;
    // An empty chart in place of the shown one (Ctrl+N).
    QToolButton* NewBtn = nullptr;
    QToolButton *SelectBtn = nullptr, *SetStartBtn = nullptr, *SetItem1Btn = nullptr,
                *SetItem2Btn = nullptr, *SetItem3Btn = nullptr, *Link1Btn = nullptr,
                *Link2Btn = nullptr, *CompileBtn = nullptr;
    QCheckBox* GridSw = nullptr;
    QToolButton *HomePosBtn = nullptr, *MotWriteBtn = nullptr, *MotReadBtn = nullptr,
                *MotDelBtn = nullptr, *MotStpBtn = nullptr, *SpeedButton1 = nullptr,
                *MotRunBtn = nullptr;
    QToolButton *HomeBtn = nullptr, *OptionBtn = nullptr, *AdBtn = nullptr, *SVPBtn = nullptr,
                *OptionMenu3 = nullptr, *TableBtn = nullptr;
    // The robot preview window, made at its first opening.
    QToolButton* RobotBtn = nullptr;
    QToolBar* EditMenu = nullptr;
    QToolButton *UndoBtn = nullptr, *RedoBtn = nullptr;
    // Whole-board backup into a file, and restore from one.
    QToolButton *BackupBtn = nullptr, *RestoreBtn = nullptr;
    QCheckBox* Sync = nullptr;
    QCheckBox* VerifyCheck = nullptr;
    PortBox* CommPort = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* Sheet1 = nullptr;
    QWidget* Sheet2 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    ChartCanvas* Image1 = nullptr;
    QListWidget* Qmx = nullptr;
    QTreeWidget* List = nullptr;
    // The findings of the checks before writing, under the LIST page.
    ChecksList* Checks = nullptr;
    QLabel* StaPanel[3] = {nullptr, nullptr, nullptr};
    // Shown in the status bar while a motion or scenario is written or read.
    QProgressBar* ProgressBar = nullptr;

    MotionTableWindow* motionTableWindow() { return m_motionTableWindow; }
    MotionDataDialog* motionDataDialog() { return m_motionDataDialog; }
    AboutDialog* aboutDialog() { return m_aboutDialog; }
    PoseWindow* poseWindow() { return m_poseWindow; }
    // Null until the robot window was first opened.
    RobotPreviewWindow* robotWindow() { return m_robotWindow; }
    TimelinePage* timelinePage() { return m_timelinePage; }
    ChannelTableDialog* channelTableDialog() { return m_channelTableDialog; }
    SetItemDialog* setItemDialog() { return m_setItemDialog; }
    CompareItemDialog* compareItemDialog() { return m_compareItemDialog; }
    OptionsDialog* optionsDialog() { return m_optionsDialog; }
    AnalogDialog* analogDialog() { return m_analogDialog; }
    TrimWindow* trimWindow() { return m_trimWindow; }
    ReceiverDialog* receiverDialog() { return m_receiverDialog; }
    ServoSetupDialog* servoSetupDialog() { return m_servoSetupDialog; }
    BoardFlows& flows() { return *m_flows; }

    EditState& editState() { return m_edit; }
    ItemPropertiesDialog* itemPropertiesDialog() { return m_itemPropertiesDialog; }
    DocumentPropertiesDialog* documentPropertiesDialog() { return m_documentPropertiesDialog; }
    AppState& appState() { return m_state; }
    // The undo and redo history of the open document.
    EditHistory& history();

    // Sets the data name and the EDIT page caption.
    void SetMotionName(const QString& name);
    // The EDIT page's caption: "EDIT " and the motion's name, "No subject"
    // for a chart that has none yet.
    static QString EditPageTitle(const QString& motionName = tr("No subject")) {
        return tr("EDIT %1").arg(motionName);
    }
    // Empties the chart (and the items kept for pasting).
    void ClearChart();
    // Opens a document, pose table or merge, as the Load button does after its dialog.
    bool OpenFile(const QString& path);
    // Saves the chart; qmxFilter: the save dialog's first filter was in use.
    bool SaveFile(const QString& path, bool qmxFilter);
    // Selects a tool as the PARTS buttons do.
    void MenuClick(int tag);
    void RepaintCanvas();
    // Applies the port box's choice: closes the port, opens COMn or a device
    // found on this machine, or starts the simulated board and opens it; "SIM"
    // chosen while it is the open port switches the simulated board off and on.
    void OpenCommPort();
    // Compiles the chart as the compile button does; true on success.
    bool CompileChart();
    // True, after a status line, while a board flow runs: actions that would
    // change the chart, the compiled image or the open document wait for it.
    bool RefuseWhileBusy();

  public slots:
    void NewBtnClick();
    void OpenBtnClick();
    void SaveBtnClick();
    void ExitBtnClick();
    void CompileBtnClick();
    void CommPortCloseUp();
    void MotWriteBtnClick();
    void MotReadBtnClick();
    void MotDelBtnClick();
    void MotRunBtnClick();
    void MotStpBtnClick();
    void SpeedButton1Click();
    void TableBtnClick();
    void RobotBtnClick();
    void InfoBtnClick();
    void HomePosBtnClick();
    void OptionBtnClick();
    void AdBtnClick();
    void HomeBtnClick();
    void OptionMenu3Click();
    void SVPBtnClick();
    void UndoBtnClick();
    void RedoBtnClick();
    void BackupBtnClick();
    void RestoreBtnClick();
    // The data dialog on the open document (double-click on an empty spot).
    void EditDocumentData();
    // A remote command message from another program; true when it was acted on.
    bool RemoteMessage(quint32 kindAndData, quint32 rowOrData);
    // The editor was asked to end by a signal: closes as Exit does, without
    // the close question; a chart with changes not saved is kept in the
    // recovery copy.
    void CloseOnSignal();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The tool bars' controls, one row each in the order they show; a row
    // naming a tool bar starts that bar, its caption in label.
    struct ToolRow {
        QToolBar* MainWindow::*bar;
        QToolButton* MainWindow::*button;
        QCheckBox* MainWindow::*check;
        const char* name;
        const char* label;
        const char* hint;
        void (MainWindow::*clicked)() = nullptr;
    };
    static std::span<const ToolRow> toolRows();
    void buildToolBars();
    QToolBar* makeToolBar(const QString& name, const QString& caption, bool movable);
    // The tool buttons' group (one of them checked) and the new-chart key.
    void setUpPartsGroup();
    // The port box, the SYNC switch and the status line.
    void buildPortBar();
    void buildPages();
    void buildStatusBar();
    QToolButton* addButton(QToolBar* bar, const QString& name, const QString& label,
                           const QString& hint);
    void LoadSettings();
    bool SaveSettings();
    DocumentContext documentContext();
    void applyCanvasSize(const QSize& document);
    void setUpBoardActions();
    // The item and document property dialogs the canvas opens.
    void setUpEditorDialogs();
    // The board flows and what they call back into the window.
    void setUpFlows();
    void buildProgressBar();
    // Fills the LIST page's rows from the last compile, when they are not yet.
    void fillCompiledLists();
    // Selects the marked item alone on the EDIT page and scrolls it into
    // view, or says that it is gone.
    void goToItem(quint64 mark, int hint);
    // Selects the marked item alone and scrolls the canvas to it, showing the
    // EDIT page when asked; false when the item is gone.
    bool selectItem(quint64 mark, int hint, bool showCanvas);
    // The item editors (pose window, SET and CMP dialogs, channel table) and
    // the board configuration dialogs.
    void setUpItemWindows();
    void setUpBoardDialogs();
    void setUpBackupActions();
    void buildEditBar();
    void setUpEditHistory();
    // Escape, Delete, Ctrl+C and Ctrl+V of the canvas, as the window's actions.
    void setUpCanvasKeys();
    // Input seen by the program-wide event filter: presses commit what the
    // last action changed, releases commit once the action has run.
    void noteInputEvent(QObject* watched, QEvent* event);
    void commitSoon();
    // What the last backup or restore left out, in an information box.
    void showBackupNotes();
    // Items were deleted or changed, or the chart replaced: the item editors look again.
    void ItemsChanged();
    // The pose window's channel names and colours into the shared labels.
    void publishChannelLabels();
    void endTransfer();
    // The status bar's progress bar: hidden when total is 0.
    void showProgress(int done, int total);
    // Before the chart is closed or replaced: true when nothing would be lost,
    // or the user chose to save (and it was saved) or to discard the changes.
    bool settleUnsavedChanges();
    // Saves where the document was opened from or last saved to; a chart never
    // saved asks for a name. False when cancelled or failed.
    bool saveDocument();
    // The recovery copy of a chart with changes not saved, and its report at
    // the next start.
    void keepRecoveryCopy();
    void reportRecoveryCopy();
    QString recoveryPath() const;

    AppState& m_state;
    UiServices& m_services;
    QString m_settingsPath;
    EditState m_edit;
    QButtonGroup* m_partsGroup = nullptr;
    bool m_closeConfirmed = false;
    bool m_closingOnSignal = false;
    // The file the shown document was opened from or saved to; empty for a
    // chart that has none (new, read from the board, a pose table).
    QString m_documentPath;
    // The folder of the document opened last; the open dialog starts there,
    // and in the example motions' folder until a document was opened.
    QString m_openFolder;
    bool m_compiledListsStale = false;
    std::unique_ptr<FileTypeRegistry> m_fileTypes;
    ItemPropertiesDialog* m_itemPropertiesDialog = nullptr;
    DocumentPropertiesDialog* m_documentPropertiesDialog = nullptr;
    MotionTableWindow* m_motionTableWindow = nullptr;
    AboutDialog* m_aboutDialog = nullptr;
    MotionDataDialog* m_motionDataDialog = nullptr;
    PoseWindow* m_poseWindow = nullptr;
    RobotPreviewWindow* m_robotWindow = nullptr;
    // The Timeline page, beside EDIT and LIST.
    TimelinePage* m_timelinePage = nullptr;
    // The marks of the items as numbered when the timeline was compiled.
    std::vector<quint64> m_timelineMarks;
    // What the model checks last said they skip.
    QString m_modelChecksSaid;
    ChannelTableDialog* m_channelTableDialog = nullptr;
    SetItemDialog* m_setItemDialog = nullptr;
    CompareItemDialog* m_compareItemDialog = nullptr;
    OptionsDialog* m_optionsDialog = nullptr;
    AnalogDialog* m_analogDialog = nullptr;
    TrimWindow* m_trimWindow = nullptr;
    ReceiverDialog* m_receiverDialog = nullptr;
    ServoSetupDialog* m_servoSetupDialog = nullptr;
    std::unique_ptr<BoardFlows> m_flows;
    std::unique_ptr<BackupFlows> m_backup;
    std::unique_ptr<EditHistory> m_history;
    int m_undoLimit = 200;
    bool m_commitQueued = false;
};

} // namespace qvx
