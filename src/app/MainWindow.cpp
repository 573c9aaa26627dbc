#include "app/MainWindow.h"

#include "app/AboutDialog.h"
#include "app/AppState.h"
#include "app/BoardFlows.h"
#include "app/WidgetServices.h"
#include "base/DataFolder.h"
#include "base/UiServices.h"
#include "board/BackupFlows.h"
#include "board/MotionDataDialog.h"
#include "board/MotionTableWindow.h"
#include "checks/ChecksList.h"
#include "checks/ModelChecks.h"
#include "compiler/CompilerViews.h"
#include "document/DocumentFile.h"
#include "editor/ChartCanvas.h"
#include "editor/ChartLayout.h"
#include "editor/DocumentPropertiesDialog.h"
#include "editor/EditHistory.h"
#include "editor/FileTypeRegistry.h"
#include "editor/ItemPropertiesDialog.h"
#include "ports/PortBox.h"
#include "pose/ChannelTableDialog.h"
#include "pose/PoseWindow.h"
#include "preview/RobotPreviewWindow.h"
#include "timeline/TimelinePage.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qvx {

MainWindow::MainWindow(AppState& state, UiServices& services, const QString& settingsPath,
                     QWidget* parent)
    : QMainWindow(parent), m_state(state), m_services(services), m_settingsPath(settingsPath) {
    setObjectName(QStringLiteral("TQuorvex3"));
    buildToolBars();
    buildPages();
    buildStatusBar();
    Sheet1->setWindowTitle(EditPageTitle());
    PageControl1->setTabText(0, EditPageTitle());

    LoadSettings();
    m_state.link.setServices(&m_services);
    connect(&m_state.board, &BoardCommands::sleepPanelChanged, StaPanel[1], &QLabel::setText);
    OpenCommPort();
    reportRecoveryCopy();

    // The document header starts with its defaults; the compiled image is empty.
    m_state.header.reset();

    setAcceptDrops(true);
    setWindowTitle(WidgetServices::ApplicationTitle());

    m_edit.mousePoint = QPoint(0, 0);
    m_edit.toolMode = ToolSelect;
    m_state.chart.startItem = -1;

    // Text buttons are wider than glyphs: the window starts wide enough to show
    // the port box and the whole status line on one row.
    resize(800, 580);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Image1->setCanvasSize(QSize(640, 480));
    // The grid always starts at 10 x 10, whatever the settings file held.
    m_edit.setGrid(10, 10);
    ClearChart();

    setUpEditorDialogs();
    setUpBoardActions();
    setUpEditHistory();
    setUpCanvasKeys();
    // The robot window opens again when it was open at the last end.
    if (RobotPreviewWindow::WasLeftOpen(m_settingsPath)) RobotBtnClick();

    qApp->installEventFilter(this);
}

void MainWindow::setUpEditorDialogs() {
    // The editor's dialogs, created once and kept for the window's life.
    Image1->setServices(&m_services);
    m_fileTypes = std::make_unique<FileTypeRegistry>();
    m_itemPropertiesDialog = new ItemPropertiesDialog(m_state.chart, m_services, this);
    m_itemPropertiesDialog->setCanvas(Image1);
    m_documentPropertiesDialog = new DocumentPropertiesDialog(*Image1, m_edit, *m_fileTypes, this);
    m_documentPropertiesDialog->setBars(CommandMenu, PartsMenu, CommMenu, ToolsMenu);
    FormBtn->setEnabled(true);
    connect(FormBtn, &QToolButton::clicked, this, [this] {
        m_documentPropertiesDialog->ShowDocumentProperty();
        RepaintCanvas();
    });
    connect(Image1, &ChartCanvas::itemPropertyRequested, this, [this](int item) {
        m_itemPropertiesDialog->ShowItemProperty(item);
        m_history->commit();
        RepaintCanvas();
    });
    connect(Image1, &ChartCanvas::arrangeRequested, this, [this] {
        if (RefuseWhileBusy()) return;
        m_history->commit(); // what was edited before is a step of its own
        const ChartLayout::Result r =
            ChartLayout::Arrange(m_state.chart, QSize(m_edit.gridWidth, m_edit.gridHeight));
        if (!r.arranged) {
            m_services.ShowStatus(r.failure);
            return;
        }
        const QSize margin(m_edit.gridWidth, m_edit.gridHeight);
        applyCanvasSize((r.extent + margin)
                            .boundedTo(QSize(DocumentFile::kMaxCanvas, DocumentFile::kMaxCanvas)));
        m_history->commit(tr("Arrange"));
        m_services.ShowStatus(ChartLayout::DoneText(m_state.chart.itemCount()));
        RepaintCanvas();
    });
}

MainWindow::~MainWindow() {
    if (qApp) qApp->removeEventFilter(this);
}

QToolButton* MainWindow::addButton(QToolBar* bar, const QString& name, const QString& label,
                                  const QString& hint) {
    auto* b = new QToolButton(bar);
    b->setObjectName(name);
    b->setText(label);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setMinimumSize(33, 20);
    bar->addWidget(b);
    return b;
}

std::span<const MainWindow::ToolRow> MainWindow::toolRows() {
    using M = MainWindow;
    static const ToolRow rows[] = {
        {&M::ToolBar1, nullptr, nullptr, "ToolBar1", QT_TR_NOOP("FILE"), nullptr},
        {nullptr, &M::NewBtn, nullptr, "NewBtn", QT_TR_NOOP("New"),
         QT_TR_NOOP("New chart (Ctrl+N)"), &M::NewBtnClick},
        {nullptr, &M::OpenBtn, nullptr, "OpenBtn", QT_TR_NOOP("Open"), QT_TR_NOOP("Load"),
         &M::OpenBtnClick},
        {nullptr, &M::SaveBtn, nullptr, "SaveBtn", QT_TR_NOOP("Save"), QT_TR_NOOP("Save"),
         &M::SaveBtnClick},
        // The whole board to a file and back: beside the document's own file actions.
        {nullptr, &M::BackupBtn, nullptr, "BackupBtn", QT_TR_NOOP("Backup"),
         QT_TR_NOOP("Back up everything the board keeps into a file")},
        {nullptr, &M::RestoreBtn, nullptr, "RestoreBtn", QT_TR_NOOP("Restore"),
         QT_TR_NOOP("Write a backup file back onto the board")},
        {nullptr, &M::FormBtn, nullptr, "FormBtn", QT_TR_NOOP("Prop"), QT_TR_NOOP("Property")},
        {nullptr, &M::InfoBtn, nullptr, "InfoBtn", QT_TR_NOOP("Info"), QT_TR_NOOP("Information")},
        {nullptr, &M::ExitBtn, nullptr, "ExitBtn", QT_TR_NOOP("Exit"), QT_TR_NOOP("Exit"),
         &M::ExitBtnClick},
        {&M::PartsMenu, nullptr, nullptr, "PartsMenu", QT_TR_NOOP("PARTS"), nullptr},
        {nullptr, &M::SelectBtn, nullptr, "SelectBtn", QT_TR_NOOP("Sel"), QT_TR_NOOP("Default")},
        {nullptr, nullptr, &M::GridSw, "GridSw", QT_TR_NOOP("GRID"), QT_TR_NOOP("Grid")},
        {nullptr, &M::SetStartBtn, nullptr, "SetStartBtn", QT_TR_NOOP("Start"),
         QT_TR_NOOP("Origin")},
        {nullptr, &M::SetItem1Btn, nullptr, "SetItem1Btn", QT_TR_NOOP("POS"),
         QT_TR_NOOP("Position")},
        {nullptr, &M::SetItem2Btn, nullptr, "SetItem2Btn", QT_TR_NOOP("SET"), QT_TR_NOOP("Set")},
        {nullptr, &M::SetItem3Btn, nullptr, "SetItem3Btn", QT_TR_NOOP("CMP"),
         QT_TR_NOOP("Compare tool")},
        {nullptr, &M::Link1Btn, nullptr, "Link1Btn", QT_TR_NOOP("Link"),
         QT_TR_NOOP("Connection wiring")},
        {nullptr, &M::Link2Btn, nullptr, "Link2Btn", QT_TR_NOOP("Branch"),
         QT_TR_NOOP("Branching connection wiring")},
        {nullptr, &M::CompileBtn, nullptr, "CompileBtn", QT_TR_NOOP("Comp"),
         QT_TR_NOOP("Compilation tool"), &M::CompileBtnClick},
        {&M::CommandMenu, nullptr, nullptr, "CommandMenu", QT_TR_NOOP("Commad"), nullptr},
        {nullptr, &M::HomePosBtn, nullptr, "HomePosBtn", QT_TR_NOOP("Home"),
         QT_TR_NOOP("Home position")},
        {nullptr, &M::MotWriteBtn, nullptr, "MotWriteBtn", QT_TR_NOOP("Write"),
         QT_TR_NOOP("Writing")},
        // Beside the write it checks; the port bar has no room left for it.
        {nullptr, nullptr, &M::VerifyCheck, "VerifyCheck", QT_TR_NOOP("VERIFY"),
         QT_TR_NOOP("Read every motion record back after writing it")},
        {nullptr, &M::MotReadBtn, nullptr, "MotReadBtn", QT_TR_NOOP("Read"), QT_TR_NOOP("Reading")},
        {nullptr, &M::MotDelBtn, nullptr, "MotDelBtn", QT_TR_NOOP("Del"), QT_TR_NOOP("Delete")},
        {nullptr, &M::MotStpBtn, nullptr, "MotStpBtn", QT_TR_NOOP("Stop"), QT_TR_NOOP("Stop")},
        {nullptr, &M::SpeedButton1, nullptr, "SpeedButton1", QT_TR_NOOP("Pause"),
         QT_TR_NOOP("Pause")},
        {nullptr, &M::MotRunBtn, nullptr, "MotRunBtn", QT_TR_NOOP("Play"), QT_TR_NOOP("Start")},
        {&M::ToolsMenu, nullptr, nullptr, "ToolsMenu", QT_TR_NOOP("Tools"), nullptr},
        {nullptr, &M::HomeBtn, nullptr, "HomeBtn", QT_TR_NOOP("Trim"), QT_TR_NOOP("Trim")},
        {nullptr, &M::OptionBtn, nullptr, "OptionBtn", QT_TR_NOOP("Opt"), QT_TR_NOOP("Option")},
        {nullptr, &M::AdBtn, nullptr, "AdBtn", QT_TR_NOOP("AD"), QT_TR_NOOP("Analog")},
        {nullptr, &M::SVPBtn, nullptr, "SVPBtn", QT_TR_NOOP("SVP"), QT_TR_NOOP("SVP")},
        {nullptr, &M::OptionMenu3, nullptr, "OptionMenu3", QT_TR_NOOP("Rcv"),
         QT_TR_NOOP("Receiver")},
        {nullptr, &M::TableBtn, nullptr, "TableBtn", QT_TR_NOOP("Table"), QT_TR_NOOP("Table")},
        {nullptr, &M::RobotBtn, nullptr, "RobotBtn", QT_TR_NOOP("Robot"),
         QT_TR_NOOP("The robot in the pose it follows"), &M::RobotBtnClick},
    };
    return rows;
}

void MainWindow::buildToolBars() {
    QToolBar* bar = nullptr;
    for (const ToolRow& t : toolRows()) {
        const QString name = QString::fromLatin1(t.name);
        const QString label = tr(t.label);
        if (t.bar) {
            // The command bar starts the second row.
            if (t.bar == &MainWindow::CommandMenu) addToolBarBreak(Qt::TopToolBarArea);
            bar = makeToolBar(name, label, t.bar != &MainWindow::ToolBar1);
            this->*t.bar = bar;
        } else if (t.button) {
            QToolButton* b = addButton(bar, name, label, tr(t.hint));
            this->*t.button = b;
            if (t.clicked) connect(b, &QToolButton::clicked, this, t.clicked);
        } else {
            auto* box = new QCheckBox(label, bar);
            box->setObjectName(name);
            box->setToolTip(tr(t.hint));
            bar->addWidget(box);
            this->*t.check = box;
        }
    }
    setUpPartsGroup();
    buildEditBar();
    addToolBarBreak(Qt::TopToolBarArea);
    buildPortBar();

    // Actions that the board, table and dialog windows provide stay visible but
    // disabled until those windows exist.
    for (QToolButton* b : {FormBtn, InfoBtn, HomePosBtn, MotWriteBtn, MotReadBtn, MotDelBtn,
                           MotStpBtn, SpeedButton1, MotRunBtn, HomeBtn, OptionBtn, AdBtn, SVPBtn,
                           OptionMenu3, TableBtn, BackupBtn, RestoreBtn})
        b->setEnabled(false);
}

QToolBar* MainWindow::makeToolBar(const QString& name, const QString& caption, bool movable) {
    auto* bar = new QToolBar(caption, this);
    bar->setObjectName(name);
    bar->setMovable(movable);
    addToolBar(Qt::TopToolBarArea, bar);
    return bar;
}

void MainWindow::setUpPartsGroup() {
    auto* newKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), this);
    connect(newKey, &QShortcut::activated, this, &MainWindow::NewBtnClick);
    connect(GridSw, &QCheckBox::toggled, this, [this](bool on) { m_edit.gridOn = on; });
    m_partsGroup = new QButtonGroup(this);
    m_partsGroup->setExclusive(true);
    const std::pair<QToolButton*, int> tags[] = {
        {SelectBtn, 0},   {SetStartBtn, 6}, {SetItem1Btn, 1}, {SetItem2Btn, 2},
        {SetItem3Btn, 3}, {Link1Btn, 4},    {Link2Btn, 5}};
    for (auto [button, tag] : tags) {
        button->setCheckable(true);
        m_partsGroup->addButton(button, tag);
    }
    SelectBtn->setChecked(true);
    connect(m_partsGroup, &QButtonGroup::idClicked, this, &MainWindow::MenuClick);
}

void MainWindow::buildPortBar() {
    CommMenu = makeToolBar(QStringLiteral("CommMenu"), tr("COMM"), true);
    // The switch keeps its name in every language, like the board's own terms.
    Sync = new QCheckBox(QStringLiteral("SYNC"), CommMenu); // not translated: a name
    Sync->setObjectName(QStringLiteral("Sync"));
    Sync->setToolTip(QStringLiteral("SYNC")); // not translated: a name
    CommMenu->addWidget(Sync);
    CommPort = new PortBox(CommMenu);
    CommPort->setObjectName(QStringLiteral("CommPort"));
    CommPort->setToolTip(tr("Serial port"));
    CommPort->refresh();
    connect(CommPort, &QComboBox::activated, this, &MainWindow::CommPortCloseUp);
    CommPort->setStyleSheet(QStringLiteral("combobox-popup: 0;"));
    CommMenu->addWidget(CommPort);

    ToolBar2 = makeToolBar(QStringLiteral("ToolBar2"), tr("COMM"), true);
    Edit2 = new QLineEdit(ToolBar2);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setToolTip(tr("Status"));
    Edit2->setReadOnly(true);
    Edit2->setFixedWidth(553);
    Edit2->setFocusPolicy(Qt::NoFocus);
    Edit2->setStyleSheet(
        QStringLiteral("QLineEdit { background: navy; color: lime; font-weight: bold; }"));
    ToolBar2->addWidget(Edit2);
}

void MainWindow::buildPages() {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    setCentralWidget(PageControl1);

    Sheet1 = new QWidget;
    Sheet1->setObjectName(QStringLiteral("Sheet1"));
    auto* l1 = new QVBoxLayout(Sheet1);
    l1->setContentsMargins(0, 0, 0, 0);
    ScrollBox1 = new QScrollArea(Sheet1);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    Image1 = new ChartCanvas(m_state.chart, m_edit);
    ScrollBox1->setWidget(Image1);
    l1->addWidget(ScrollBox1);
    PageControl1->addTab(Sheet1, EditPageTitle());
    connect(Image1, &ChartCanvas::toolModeReset, this, [this] { SelectBtn->setChecked(true); });
    connect(Image1, &ChartCanvas::mousePositionChanged, this, [this](const QPoint& p) {
        StaPanel[0]->setText(tr("X = %1  Y = %2").arg(p.x()).arg(p.y()));
    });

    Sheet2 = new QWidget;
    Sheet2->setObjectName(QStringLiteral("Sheet2"));
    auto* l2 = new QVBoxLayout(Sheet2);
    l2->setContentsMargins(0, 0, 0, 0);
    Qmx = new QListWidget(Sheet2);
    Qmx->setObjectName(QStringLiteral("Qmx"));
    Qmx->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Qmx->setSelectionMode(QAbstractItemView::SingleSelection);
    l2->addWidget(Qmx, 2);
    Checks = new ChecksList(Sheet2);
    Checks->setObjectName(QStringLiteral("Checks"));
    l2->addWidget(Checks, 1);
    connect(Checks, &ChecksList::goToItem, this, &MainWindow::goToItem);
    PageControl1->addTab(Sheet2, tr("LIST"));

    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    auto* l3 = new QVBoxLayout(TabSheet1);
    List = new QTreeWidget(TabSheet1);
    List->setObjectName(QStringLiteral("List"));
    List->setColumnCount(5);
    List->setRootIsDecorated(false);
    l3->addWidget(List);
    PageControl1->addTab(TabSheet1, QStringLiteral("TabSheet1")); // not translated: never shown
    PageControl1->setTabVisible(2, false);

    m_timelinePage = new TimelinePage;
    m_timelinePage->setObjectName(QStringLiteral("TimelinePage"));
    PageControl1->addTab(m_timelinePage, tr("Timeline"));
    connect(m_timelinePage, &TimelinePage::instantPicked, this,
            [this](const BigEndian::Words& outputs, int item) {
                if (m_robotWindow && m_robotWindow->isVisible()) m_robotWindow->showPose(outputs);
                // The timeline names items as they were numbered when it was
                // compiled; their marks find them after edits since.
                if (item >= 0 && size_t(item) < m_timelineMarks.size())
                    selectItem(m_timelineMarks[size_t(item)], item, false);
            });
}

void MainWindow::buildStatusBar() {
    const int widths[3] = {100, 100, 50};
    for (int i = 0; i < 3; ++i) {
        StaPanel[i] = new QLabel(this);
        StaPanel[i]->setObjectName(QStringLiteral("StaPanel%1").arg(i));
        StaPanel[i]->setFixedWidth(widths[i]);
        statusBar()->addWidget(StaPanel[i]);
    }
    statusBar()->setObjectName(QStringLiteral("StaBar"));
}

void MainWindow::LoadSettings() {
    const MainSettings s = Settings::LoadSettings(m_settingsPath);
    GridSw->setChecked(s.grid);
    m_edit.gridOn = s.grid;
    m_edit.setGrid(s.gridWidth, s.gridHeight);
    CommPort->setCurrentIndex(
        s.commPort >= 0 && s.commPort < PortBox::kFirstDeviceIndex ? s.commPort : 0);
    // A device chosen from the list is found by its path, wherever it is
    // listed today.
    if (!s.commPath.isEmpty()) CommPort->setCurrentIndex(CommPort->deviceIndex(s.commPath));
    VerifyCheck->setChecked(s.verifyWrite);
    m_undoLimit = s.undoLimit;
}

bool MainWindow::SaveSettings() {
    MainSettings s;
    s.grid = GridSw->isChecked();
    s.gridWidth = m_edit.gridWidth;
    s.gridHeight = m_edit.gridHeight;
    const int port = CommPort->currentIndex();
    s.commPath = CommPort->devicePath(port);
    // Older versions read OFF where they do not know the device.
    s.commPort = s.commPath.isEmpty() ? port : 0;
    s.verifyWrite = VerifyCheck->isChecked();
    return Settings::SaveSettings(m_settingsPath, s);
}

void MainWindow::SetMotionName(const QString& name) {
    m_state.header.MotionName = name;
    PageControl1->setTabText(0, EditPageTitle(name));
}

void MainWindow::ClearChart() {
    m_state.chart.ClearChart();
    m_edit.clipboard.clearItems();
    // A link half drawn and the last hits name items of the old chart; kept,
    // they would join or act on whatever items come next at those indices.
    m_edit.abandonLink();
    m_edit.clearHits();
    // The pose window lets go of an item of the old chart.
    ItemsChanged();
    // The findings were those of the old chart.
    Checks->showFindings({}, m_state.chart);
}

void MainWindow::RepaintCanvas() {
    Image1->update();
}

DocumentContext MainWindow::documentContext() {
    DocumentContext ctx(m_state.chart, m_state.header, m_services);
    ctx.canvas = Image1->canvasSize();
    ctx.clearChart = [this] { ClearChart(); };
    return ctx;
}

void MainWindow::applyCanvasSize(const QSize& document) {
    // Where the canvas is smaller than the document, the window grows (within
    // the screen) to hold the document's size plus 4. The canvas then covers
    // the window's client area less 4, so no empty strip is left beside it, and
    // never less than the document's size, which scrolls when the screen is
    // too small for it.
    const QSize canvas = Image1->canvasSize();
    QSize client = size();
    if (canvas.width() < document.width())
        client.setWidth(std::max(client.width(), document.width() + 4));
    if (canvas.height() < document.height())
        client.setHeight(std::max(client.height(), document.height() + 4));
    if (QScreen* screen = this->screen())
        client = client.boundedTo(screen->availableGeometry().size()).expandedTo(size());
    if (client != size()) resize(client);
    Image1->setCanvasSize((client - QSize(4, 4)).expandedTo(document));
}

bool MainWindow::OpenFile(const QString& path) {
    if (RefuseWhileBusy()) return false;
    // What was edited before is a step of its own.
    m_history->commit();
    const bool wasEmpty = m_state.chart.items.empty();
    DocumentContext ctx = documentContext();
    bool cleared = false;
    ctx.clearChart = [this, &cleared] {
        cleared = true;
        ClearChart();
    };
    const bool ok = DocumentFile::OpenDocument(ctx, path);
    if (ok) {
        m_openFolder = QFileInfo(path).absolutePath();
        // Only a document sets the canvas; an imported pose table leaves it.
        if (ctx.loadedCanvas.isValid()) applyCanvasSize(ctx.loadedCanvas);
        if (wasEmpty || m_state.chart.itemCount() == m_state.chart.SelectedItemCount())
            SetMotionName(m_state.header.MotionName);
    }
    // A document that took the chart's place starts a new history; one added
    // to the chart is an edit that can be undone.
    if (ok && (wasEmpty || cleared)) {
        m_history->reset();
        // A pose table has no file the chart could be saved back to.
        m_documentPath = ctx.loadedCanvas.isValid() ? path : QString();
    } else if (ok)
        m_history->commit(tr("Add %1").arg(QFileInfo(path).fileName()));
    else
        m_history->commit();
    RepaintCanvas();
    return ok;
}

bool MainWindow::SaveFile(const QString& path, bool qmxFilter) {
    DocumentContext ctx = documentContext();
    if (!DocumentFile::SaveDocument(ctx, path, qmxFilter)) return false;
    m_history->markClean();
    m_documentPath = DocumentFile::SaveName(path, qmxFilter);
    m_services.ShowStatus(tr("Saved %1").arg(m_documentPath));
    return true;
}

void MainWindow::OpenBtnClick() {
    if (RefuseWhileBusy()) return;
    // The mouse event that a closing dialog lets through onto the canvas is swallowed.
    m_edit.toolMode = ToolSwallow;
    const QString folder =
        m_openFolder.isEmpty() ? FindDataFolder(QStringLiteral("examples")) : m_openFolder;
    const auto choice =
        m_services.GetOpenFileName(tr("Load"), {FileFilterQmx(), FileFilterAll()}, folder);
    if (!choice) return;
    OpenFile(choice->path);
}

void MainWindow::SaveBtnClick() {
    const auto choice = m_services.GetSaveFileName(tr("Save"), {FileFilterQmx(), FileFilterAll()});
    if (!choice) return;
    SaveFile(choice->path, choice->filterIndex == 0);
}

void MainWindow::ExitBtnClick() {
    close();
}

bool MainWindow::CompileChart() {
    return m_flows->Compile();
}

bool MainWindow::RefuseWhileBusy() {
    return m_flows && m_flows->RefuseWhileBusy();
}

void MainWindow::CompileBtnClick() {
    if (!CompileChart()) return;
    const Compiler& compiler = m_state.compiler;
    // A scenario compiles into the motions it plays, a motion into records.
    const bool scenario = compiler.showsScenario();
    const int n = scenario ? int(compiler.StepItem().size()) : int(compiler.MotionImage().size());
    const QString text = scenario
                             ? (n == 1 ? tr("Compiled: %1 motion") : tr("Compiled: %1 motions"))
                             : (n == 1 ? tr("Compiled: %1 record") : tr("Compiled: %1 records"));
    m_services.ShowStatus(text.arg(n));
}

void MainWindow::CommPortCloseUp() {
    // The port cannot change under a flow: the box goes back to the open port.
    if (RefuseWhileBusy()) {
        const int open = m_state.link.portNumber();
        CommPort->setCurrentIndex(open >= PortBox::kFirstDeviceIndex
                                      ? CommPort->deviceIndex(m_state.link.portName())
                                      : std::max(open, 0));
        return;
    }
    OpenCommPort();
}

void MainWindow::OpenCommPort() {
    const int index = CommPort->currentIndex();
    QString device = CommPort->devicePath(index);
    if (!device.isEmpty()) {
        m_state.port.chooseDevice(index, device);
    } else if (index == PortBox::kSimIndex) {
        m_state.port.setSimStatePath(Settings::ConfigDir() +
                                     QStringLiteral("/simulated-board.state"));
        m_state.port.choose(index, QString());
        device = m_state.port.simDevice();
    } else {
        device = index > 0 ? Settings::PortDevice(m_settingsPath, index) : QString();
        m_state.port.choose(index, device);
    }
    CommPort->setToolTip(device.isEmpty() ? tr("Serial port") : tr("Serial port: %1").arg(device));
}

void MainWindow::MenuClick(int tag) {
    if (QAbstractButton* b = m_partsGroup->button(tag)) b->setChecked(true);
    m_edit.toolMode = tag;
    if (tag == ToolSelect || tag == ToolStart) {
        m_edit.endLinkDrawing();
        m_state.chart.ClearSelection();
    } else if (tag == ToolMainLink || tag == ToolBranchLink) {
        m_edit.startLinkDrawing();
    }
    RepaintCanvas();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_closeConfirmed) {
        // What the last action changed counts as a change.
        m_history->commit();
        const bool mayClose = m_history->isClean()
                                  ? m_services.ShowMessageBox(MsgIcon::Question, MsgButtons::YesNo,
                                                              0, MsgLanguage::English,
                                                              tr("May I close it?")) == ResultYes
                                  : settleUnsavedChanges();
        if (!mayClose) {
            event->ignore();
            return;
        }
        m_closeConfirmed = true;
    }
    // A board exchange waits in a local event loop below us: closing now would
    // pull the window away under it, so the close waits until the exchange ends.
    if (m_state.link.inExchange()) {
        event->ignore();
        QTimer::singleShot(20, this, &QWidget::close);
        return;
    }
    if (m_closingOnSignal) keepRecoveryCopy();
    SaveSettings();
    m_poseWindow->SaveLayout(m_settingsPath);
    if (m_robotWindow) m_robotWindow->settle();
    m_channelTableDialog->SavePatterns();
    m_state.link.ClosePort();
    // The simulated board writes its state file shortly after each change;
    // what it has not written yet is written before the window goes.
    m_state.port.flushSim();
    event->accept();
    // Whatever dialog is open below, the program ends now.
    if (m_closingOnSignal) QCoreApplication::quit();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    // Only the first file of a drop is opened.
    for (const QUrl& u : urls) {
        if (!u.isLocalFile()) continue;
        if (RefuseWhileBusy()) return;
        event->acceptProposedAction();
        OpenFile(u.toLocalFile());
        return;
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    noteInputEvent(watched, event);
    if (watched == this && event->type() == QEvent::WindowActivate && m_aboutDialog)
        m_aboutDialog->OwnerActivated();
    return QMainWindow::eventFilter(watched, event);
}

// ---- board actions ----

void MainWindow::fillCompiledLists() {
    if (!m_compiledListsStale) return;
    m_compiledListsStale = false;
    CompilerViews::FillStepList(*List, m_state.compiler);
    CompilerViews::FillHexView(*Qmx, m_state.compiler);
}

void MainWindow::goToItem(quint64 mark, int hint) {
    if (!selectItem(mark, hint, true))
        m_services.ShowStatus(tr("The item of that finding is no longer in the chart"));
}

bool MainWindow::selectItem(quint64 mark, int hint, bool showCanvas) {
    const int item = m_state.chart.FindMarked(mark, hint);
    if (item < 0) return false;
    m_state.chart.ClearSelection();
    Item& it = m_state.chart.items[size_t(item)];
    it.selected = true;
    if (showCanvas) PageControl1->setCurrentWidget(Sheet1);
    const QPoint centre = m_state.chart.ItemCentre(item);
    ScrollBox1->ensureVisible(centre.x(), centre.y(), it.width / 2 + 20, it.height / 2 + 20);
    RepaintCanvas();
    return true;
}

void MainWindow::setUpBoardActions() {
    m_motionDataDialog = new MotionDataDialog(m_state.board, m_state.table, m_state.header, this);
    m_motionTableWindow = new MotionTableWindow(m_state.table, m_state.board, m_state.header, *m_motionDataDialog, this);
    m_aboutDialog = new AboutDialog(m_state.board, this);
    setUpItemWindows();
    setUpBoardDialogs();
    setUpBackupActions();

    setUpFlows();
    buildProgressBar();
    connect(Image1, &ChartCanvas::emptyDoubleClicked, this, &MainWindow::EditDocumentData);

    const std::pair<QToolButton*, void (MainWindow::*)()> actions[] = {
        {MotWriteBtn, &MainWindow::MotWriteBtnClick},
        {MotReadBtn, &MainWindow::MotReadBtnClick},
        {MotDelBtn, &MainWindow::MotDelBtnClick},
        {MotRunBtn, &MainWindow::MotRunBtnClick},
        {MotStpBtn, &MainWindow::MotStpBtnClick},
        {SpeedButton1, &MainWindow::SpeedButton1Click},
        {TableBtn, &MainWindow::TableBtnClick},
        {InfoBtn, &MainWindow::InfoBtnClick},
        {HomePosBtn, &MainWindow::HomePosBtnClick}};
    for (const auto& [button, slot] : actions) {
        button->setEnabled(true);
        connect(button, &QToolButton::clicked, this, slot);
    }
}

void MainWindow::setUpFlows() {
    m_flows = std::make_unique<BoardFlows>(m_state, m_services);
    // A slot picker shows what the board holds, not rows that were never read.
    m_flows->readTableBeforePick = true;
    Image1->editor().refuseChange = [this] { return RefuseWhileBusy(); };
    Image1->editor().itemsDeleted = [this] { ItemsChanged(); };
    // The robot model's checks use the Robot window's model and channel
    // mapping, once that window has been opened and could read its model.
    m_flows->moreChecks = [this](const Chart& chart, const std::vector<PoseInstant>& instants) {
        if (!m_robotWindow || !m_robotWindow->scene()) return Findings{};
        const ModelChecks checks(m_robotWindow->scene()->sharedModel(), m_robotWindow->mapping());
        // What the model cannot support is said once per model.
        const QString skipped = checks.skipped().join(QLatin1Char(' '));
        if (!skipped.isEmpty() && skipped != m_modelChecksSaid) m_services.ShowStatus(skipped);
        m_modelChecksSaid = skipped;
        return checks.check(chart, instants);
    };
    BoardFlows::Hooks& hooks = m_flows->hooks;
    hooks.clearChart = [this] { ClearChart(); };
    hooks.compiled = [this] {
        // Called after every compile: a failed scenario compile empties the LIST
        // view. The rows are made when the LIST page shows, so a compile for a
        // write does not format texts nobody looks at.
        m_compiledListsStale = true;
        if (PageControl1->currentWidget() == Sheet2) fillCompiledLists();
        Checks->showFindings(m_flows->findings(), m_state.chart);
        const Compiler& compiler = m_state.compiler;
        if (!compiler.showsScenario()) {
            m_timelineMarks.resize(size_t(m_state.chart.itemCount()));
            for (int i = 0; i < m_state.chart.itemCount(); ++i)
                m_timelineMarks[size_t(i)] = m_state.chart.MarkItem(i);
            m_timelinePage->setMotion(compiler.MotionImage(), compiler.StepItem(),
                                      TimelineLabels(m_poseWindow->CollectLayout(), m_state.chart));
        }
    };
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (PageControl1->currentWidget() == Sheet2) fillCompiledLists();
    });
    hooks.listRowsChanged = [this](const QStringList& rows) {
        // What the last compile left comes first, as if it had been shown.
        fillCompiledLists();
        if (rows.isEmpty()) List->clear();
        Qmx->clear();
        Qmx->addItems(rows);
    };
    hooks.nameChanged = [this] { SetMotionName(m_state.header.MotionName); };
    hooks.repaint = [this] { RepaintCanvas(); };
    MotionTransfer& transfer = m_flows->transfer();
    transfer.setVerify(VerifyCheck->isChecked());
    connect(VerifyCheck, &QCheckBox::toggled, this,
            [this](bool on) { m_flows->transfer().setVerify(on); });
    transfer.setTextWidth([this](const QString& text) {
        return QFontMetrics(Image1->font()).horizontalAdvance(text);
    });
    transfer.setProgress([this](int done, int total) { showProgress(done, total); });
}

void MainWindow::buildProgressBar() {
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setFixedWidth(160);
    ProgressBar->setMaximumHeight(16);
    ProgressBar->hide();
    statusBar()->addPermanentWidget(ProgressBar);
}

void MainWindow::showProgress(int done, int total) {
    ProgressBar->setRange(0, total);
    ProgressBar->setValue(done);
    ProgressBar->setVisible(total > 0);
}

void MainWindow::endTransfer() {
    ProgressBar->hide();
    RepaintCanvas();
}

void MainWindow::MotWriteBtnClick() {
    if (RefuseWhileBusy()) return;
    m_flows->Write();
    endTransfer();
}

void MainWindow::MotReadBtnClick() {
    if (RefuseWhileBusy()) return;
    m_flows->transfer().setCanvasHeight(Image1->canvasSize().height());
    // Undo brings back the chart that was open. The chart read is no longer
    // the file's: saving it asks for a name.
    if (m_flows->Read()) {
        m_history->commit(tr("Read from the board"));
        m_documentPath.clear();
        // The chart read lies in columns with its branch links drawn across
        // them: the status line points at the canvas menu's "Arrange".
        const auto& links = m_state.chart.links;
        if (std::any_of(links.begin(), links.end(),
                        [](const Link& l) { return l.kind == BranchLink; }))
            m_services.ShowStatus(ChartLayout::ReadHintText());
    }
    endTransfer();
}

void MainWindow::MotDelBtnClick() {
    m_flows->Delete();
}

void MainWindow::MotRunBtnClick() {
    m_flows->Play();
}

void MainWindow::MotStpBtnClick() {
    m_flows->Stop();
}

void MainWindow::SpeedButton1Click() {
    m_flows->Pause();
}

void MainWindow::TableBtnClick() {
    m_motionTableWindow->setVisible(!m_motionTableWindow->isVisible());
}

void MainWindow::RobotBtnClick() {
    // Made only when first wanted: the model is read then, not at start.
    if (!m_robotWindow)
        m_robotWindow = new RobotPreviewWindow(*m_poseWindow, m_state.port, m_settingsPath, this);
    m_robotWindow->show();
    m_robotWindow->raise();
    m_robotWindow->activateWindow();
}

void MainWindow::InfoBtnClick() {
    m_aboutDialog->show();
    m_aboutDialog->raise();
    m_aboutDialog->activateWindow();
}

void MainWindow::HomePosBtnClick() {
    m_poseWindow->HomePosBtnClick();
}

void MainWindow::EditDocumentData() {
    m_motionDataDialog->EditDocumentHeader(m_state.chart.documentKind);
    SetMotionName(m_state.header.MotionName);
    m_history->commit();
}

bool MainWindow::RemoteMessage(quint32 kindAndData, quint32 rowOrData) {
    return m_flows->RemoteMessage(kindAndData, rowOrData);
}

} // namespace qvx
