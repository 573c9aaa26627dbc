#include "app/MainWindow.h"
#include "app/AppState.h"
#include "app/BoardFlows.h"
#include "app/PickNumberDialog.h"
#include "app/WidgetServices.h"
#include "common/CallbackGuard.h"
#include "common/RecordingServices.h"
#include "common/SimBoard.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"
#include "document/DocumentFile.h"
#include "editor/ChartCanvas.h"
#include "ports/SerialPorts.h"
#include "sim/BoardSimulator.h"
#include "sim/SimTransport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

using namespace qvx;
using qvxtest::RecordingServices;

using qvxtest::readFile;
using qvxtest::writeFile;

class MainWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<AppState> m_owned = std::make_unique<AppState>();
    RecordingServices m_services;
    std::unique_ptr<MainWindow> m_win;

    QString settingsPath() const { return m_dir.filePath("QVX3J.ini"); }
    void makeWindow() {
        m_owned = std::make_unique<AppState>();
        m_services.clear();
        m_win = std::make_unique<MainWindow>(*m_owned, m_services, settingsPath());
        m_win->show();
        QVERIFY(QTest::qWaitForWindowActive(m_win.get()));
    }
    QString saveDocument(const QString& name, int items, quint8 kind = KindPos) {
        Chart c;
        MotionHeader h;
        h.MotionName = name;
        RecordingServices s;
        for (int i = 0; i < items; ++i)
            c.CreateItem(kind, i * 60, 0);
        DocumentContext ctx(c, h, s);
        const QString path = m_dir.filePath(name + ".QMX");
        DocumentFile::SaveDocument(ctx, path, true);
        return path;
    }

  private slots:
    void cleanup() {
        if (m_win) {
            m_services.defaultBoxAnswer = ResultYes;
            m_win->close();
            m_win.reset();
        }
        QFile::remove(settingsPath());
    }

    void startUp_setsHintsPagesAndDefaults() {
        makeWindow();
        QCOMPARE(m_win->windowTitle(), QString("Quorvex J"));
        QCOMPARE(m_win->OpenBtn->toolTip(), QString("Load"));
        QCOMPARE(m_win->Link2Btn->toolTip(), QString("Branching connection wiring"));
        QCOMPARE(m_win->CompileBtn->toolTip(), QString("Compilation tool"));
        QCOMPARE(m_win->OptionMenu3->toolTip(), QString("Receiver"));
        QCOMPARE(m_win->Edit2->toolTip(), QString("Status"));
        QCOMPARE(m_win->PageControl1->tabText(0), QString("EDIT No subject"));
        QCOMPARE(m_win->PageControl1->tabText(1), QString("LIST"));
        QVERIFY(!m_win->PageControl1->isTabVisible(2));
        // OFF, COM1..COM20 and SIM, then the serial devices of this machine.
        QCOMPARE(m_win->CommPort->count(), 22 + int(FindSerialPorts().size()));
        QCOMPARE(m_win->CommPort->itemText(21), QString("SIM"));
        QVERIFY(m_win->SelectBtn->isChecked());
        QCOMPARE(m_win->Image1->canvasSize(), QSize(640, 480));
        QCOMPARE(m_owned->header.MotionName, MotionHeader::defaultName());
    }

    void toolBars_showEveryControlAtTheStartingSize() {
        // A bar too narrow for its controls hides the rest behind its
        // extension button: the port box once went there unnoticed.
        makeWindow();
        for (QToolBar* bar : m_win->findChildren<QToolBar*>()) {
            auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
            QVERIFY2(!more || !more->isVisible(), qPrintable(bar->objectName()));
        }
        QVERIFY(m_win->CommPort->isVisible());
        QVERIFY(m_win->VerifyCheck->isVisible());
        QVERIFY(m_win->RestoreBtn->isVisible());
    }

    void gridFromSettings_isOverriddenAndWrittenBackAtClose() {
        writeFile(
            settingsPath(),
            "[QVX3]\r\nGrid=1\r\nGridWidth=25\r\nGridHeight=3\r\nCommPort=0\r\nPanelX=7\r\n\r\n");
        makeWindow();
        QCOMPARE(m_win->editState().gridWidth, 10);
        QCOMPARE(m_win->editState().gridHeight, 10);
        QVERIFY(m_win->GridSw->isChecked());
        m_services.boxAnswers = {ResultYes};
        QVERIFY(m_win->close());
        const QByteArray saved = readFile(settingsPath());
        QVERIFY(saved.contains("GridWidth=10\r\n"));
        QVERIFY(saved.contains("GridHeight=10\r\n"));
        QVERIFY(saved.contains("PanelX=7\r\n"));
        QCOMPARE(m_services.boxes.back().text, QString("May I close it?"));
        QCOMPARE(m_services.boxes.back().language, int(MsgLanguage::English));
        // A file that never had the verify key does not get it.
        QVERIFY(!saved.contains("VerifyWrite"));
        m_win.reset();
    }

    void verifyCheck_keptInTheSettingsAndHandedToWrites() {
        writeFile(settingsPath(), "[QVX3]\r\nVerifyWrite=1\r\n\r\n");
        makeWindow();
        QVERIFY(m_win->VerifyCheck->isChecked());
        QVERIFY(m_win->flows().transfer().verify());
        m_win->VerifyCheck->setChecked(false);
        QVERIFY(!m_win->flows().transfer().verify());
        m_services.boxAnswers = {ResultYes};
        QVERIFY(m_win->close());
        QVERIFY(readFile(settingsPath()).contains("VerifyWrite=0\r\n"));
        m_win.reset();
    }

    void commPortSetting_selectsThatEntry() {
        writeFile(settingsPath(), "[QVX3]\r\nCommPort=3\r\n\r\n");
        makeWindow();
        QCOMPARE(m_win->CommPort->currentText(), QString("COM3"));
    }

    void choosingPorts_opensClosesAndReports() {
        qputenv("QVX_CONFIG_DIR", m_dir.path().toUtf8());
        writeFile(settingsPath(),
                  "[QVX3]\r\nCommPort=2\r\n\r\n[Ports]\r\nCOM2=/nonexistent/qmx\r\n\r\n");
        makeWindow();
        QVERIFY(m_services.statuses.contains("COM2 does not exist"));
        QVERIFY(m_win->CommPort->toolTip().contains("/nonexistent/qmx"));
        m_win->CommPort->setCurrentIndex(21);
        m_win->CommPortCloseUp();
        QVERIFY(m_owned->link.isOpen());
        QVERIFY(m_services.statuses.last().endsWith("completion"));
        m_win->CommPort->setCurrentIndex(0);
        m_win->CommPortCloseUp();
        QVERIFY(!m_owned->link.isOpen());
        QCOMPARE(m_services.statuses.last(), QString("Close"));
        qunsetenv("QVX_CONFIG_DIR");
    }

    // A device chosen from those found is remembered by its path and found
    // again at the next start wherever it is listed; one no longer present
    // stays shown and its absence is told.
    void deviceChoice_rememberedByPathAcrossStarts() {
        qvxtest::SimBoard board;
        QVERIFY2(board.host, qPrintable(board.error));
        const QString gone = m_dir.filePath("usb-gone-if00-port0");
        writeFile(settingsPath(), "[QVX3]\r\nCommPort=5\r\nCommPath=" + gone.toUtf8() + "\r\n\r\n");
        makeWindow();
        const int absent = m_win->CommPort->currentIndex();
        QVERIFY(absent >= PortBox::kFirstDeviceIndex);
        QCOMPARE(m_win->CommPort->currentText(), gone);
        QCOMPARE(m_win->CommPort->itemData(absent, Qt::ToolTipRole).toString(),
                 QString("not present"));
        QVERIFY(m_services.statuses.contains(gone + " does not exist"));

        // A device that is there: opened by its path, named by it.
        m_win->CommPort->setItemData(absent, board.port);
        m_win->CommPort->setItemText(absent, board.port);
        m_win->CommPortCloseUp();
        QVERIFY(m_owned->link.isOpen());
        QCOMPARE(m_services.statuses.last(), board.port + " completion");
        QByteArray info;
        QVERIFY2(m_owned->board.ReadBoardInfo(info), qPrintable(m_owned->link.lastFailure()));
        m_services.boxAnswers = {ResultYes};
        QVERIFY(m_win->close());
        const QByteArray saved = readFile(settingsPath());
        QVERIFY(saved.contains("CommPort=0\r\n"));
        QVERIFY(saved.contains("CommPath=" + board.port.toUtf8() + "\r\n"));
        m_win.reset();

        makeWindow();
        QCOMPARE(m_win->CommPort->currentText(), board.port);
        QVERIFY(m_owned->link.isOpen());
        // Back to a numbered port: the path is forgotten.
        m_win->CommPort->setCurrentIndex(0);
        m_win->CommPortCloseUp();
        m_services.boxAnswers = {ResultYes};
        QVERIFY(m_win->close());
        QVERIFY(readFile(settingsPath()).contains("CommPath=\r\n"));
    }

    void compileButton_fillsTheHiddenStepListAndHexView() {
        makeWindow();
        QVERIFY(m_win->CompileBtn->isEnabled());
        Chart& c = m_owned->chart;
        c.CreateItem(KindPos, 10, 10);
        c.CreateItem(KindPos, 80, 10);
        const int l = c.AddLinks(1);
        c.links[size_t(l)].origin = 0;
        c.links[size_t(l)].final = 1;
        QTest::mouseClick(m_win->CompileBtn, Qt::LeftButton);
        QCOMPARE(m_services.lastBoxText(), QString("Set up the start item"));
        QVERIFY(m_services.statuses.filter("Compiled").isEmpty());
        m_win->PageControl1->setCurrentWidget(m_win->Sheet2);
        QCOMPARE(m_win->Qmx->count(), 0);
        c.startItem = 0;
        QTest::mouseClick(m_win->CompileBtn, Qt::LeftButton);
        QCOMPARE(m_win->Qmx->count(), 3); // two poses and the end mark
        QCOMPARE(m_services.statuses.last(), QString("Compiled: 3 records"));
        QVERIFY(m_win->Qmx->item(2)->text().startsWith("003 01 FFFF"));
        QCOMPARE(m_win->List->topLevelItemCount(), 3);

        // Compiled on the EDIT page, the rows are made when the LIST page shows.
        m_win->PageControl1->setCurrentWidget(m_win->Sheet1);
        c.CreateItem(KindPos, 150, 10);
        const int l2 = c.AddLinks(1);
        c.links[size_t(l2)].origin = 1;
        c.links[size_t(l2)].final = 2;
        QTest::mouseClick(m_win->CompileBtn, Qt::LeftButton);
        QCOMPARE(m_win->Qmx->count(), 3);
        m_win->PageControl1->setCurrentWidget(m_win->Sheet2);
        QCOMPARE(m_win->Qmx->count(), 4);
        QCOMPARE(m_win->List->topLevelItemCount(), 4);
        QVERIFY(m_win->Qmx->item(3)->text().startsWith("004 01 FFFF"));
    }

    void closeDuringAnExchange_waitsForItsEnd() {
        makeWindow();
        BoardSimulator sim;
        QVERIFY(m_owned->link.OpenTransport(1, std::make_unique<SimTransport>(sim)));
        m_owned->link.setTimeouts(200, 200);
        sim.setSilent(true);
        m_services.boxAnswers = {ResultYes};
        bool closedDuringExchange = false;
        QTimer::singleShot(20, [&] {
            m_win->close();
            closedDuringExchange = m_owned->link.inExchange() && m_win->isVisible();
        });
        quint16 word = 0;
        QVERIFY(!m_owned->board.ReadOptionWord(false, word));
        QVERIFY(closedDuringExchange);
        QTRY_VERIFY(!m_win->isVisible());
        QCOMPARE(m_services.boxes.size(), size_t(1)); // asked once
        m_win.reset();
    }

    void sleepAndRun_showInStatusPanelOne() {
        makeWindow();
        BoardSimulator sim;
        QVERIFY(m_owned->link.OpenTransport(1, std::make_unique<SimTransport>(sim)));
        QVERIFY(m_owned->board.SetSleep(0));
        QCOMPARE(m_win->StaPanel[1]->text(), QString("Sleep"));
        QVERIFY(m_owned->board.SetSleep(1));
        QCOMPARE(m_win->StaPanel[1]->text(), QString("RUN"));
    }

    void closeAnsweredNo_keepsRunningAndSavesNothing() {
        makeWindow();
        QFile::remove(settingsPath());
        m_services.boxAnswers = {ResultNo};
        QVERIFY(!m_win->close());
        QVERIFY(m_win->isVisible());
        QVERIFY(!QFile::exists(settingsPath()));
    }

    void escapeInLinkMode_returnsToSelectAndClearsSelection() {
        makeWindow();
        m_owned->chart.CreateItem(KindPos, 10, 10);
        m_win->MenuClick(ToolMainLink);
        QCOMPARE(m_win->editState().toolMode, int(ToolMainLink));
        QVERIFY(m_win->Link1Btn->isChecked());
        m_owned->chart.items[0].selected = true;
        QTest::keyClick(m_win->Image1, Qt::Key_Escape);
        QCOMPARE(m_win->editState().toolMode, int(ToolSelect));
        QVERIFY(m_win->SelectBtn->isChecked());
        QCOMPARE(m_owned->chart.SelectedItemCount(), 0);
    }

    void deleteKey_deletesSelectionOnlyInSelectMode() {
        makeWindow();
        m_owned->chart.CreateItem(KindPos, 10, 10);
        m_owned->chart.CreateItem(KindPos, 80, 10);
        m_owned->chart.items[0].selected = true;
        m_win->MenuClick(ToolPos);
        m_owned->chart.items[0].selected = true;
        QTest::keyClick(m_win->Image1, Qt::Key_Delete);
        QCOMPARE(m_owned->chart.itemCount(), 2);
        m_win->MenuClick(ToolSelect);
        m_owned->chart.items[0].selected = true;
        QTest::keyClick(m_win->Image1, Qt::Key_Delete,
                        Qt::ShiftModifier); // other modifiers are ignored
        QCOMPARE(m_owned->chart.itemCount(), 2);
        QTest::keyClick(m_win->Image1, Qt::Key_Delete);
        QCOMPARE(m_owned->chart.itemCount(), 1);
    }

    void partsButtons_formOneRadioGroup() {
        makeWindow();
        QTest::mouseClick(m_win->SetItem2Btn, Qt::LeftButton);
        QCOMPARE(m_win->editState().toolMode, int(ToolSet));
        QVERIFY(!m_win->SelectBtn->isChecked());
        QTest::mouseClick(m_win->SetStartBtn, Qt::LeftButton);
        QCOMPARE(m_win->editState().toolMode, int(ToolStart));
        QVERIFY(!m_win->SetItem2Btn->isChecked());
    }

    void openButton_loadsDocumentSetsCaptionAndSwallowsNextMouseEvent() {
        makeWindow();
        const QString path = saveDocument(QString::fromUtf8("歩行"), 2);
        m_services.openAnswers = {FileChoice{path, 0}};
        QTest::mouseClick(m_win->OpenBtn, Qt::LeftButton);
        QCOMPARE(m_owned->chart.itemCount(), 2);
        QCOMPARE(m_win->PageControl1->tabText(0), QString::fromUtf8("EDIT 歩行"));
        QCOMPARE(m_win->editState().toolMode, int(ToolSwallow));
        m_win->MenuClick(ToolPos);
        m_win->editState().toolMode = ToolSwallow;
        m_win->SelectBtn->setChecked(false);
        QTest::mouseMove(m_win->Image1, QPoint(300, 300));
        QCOMPARE(m_win->editState().toolMode, int(ToolSelect));
        QVERIFY(m_win->SelectBtn->isChecked());
    }

    // Until a document was opened the dialog offers the example motions (the
    // build tree's copy here); then the folder of the document opened last.
    void openButton_startsInTheExamplesUntilADocumentWasOpened() {
        makeWindow();
        const QString examples =
            QFileInfo(QStringLiteral(QVX_BUILD_DIR "/share/quorvex/examples")).canonicalFilePath();
        QVERIFY(QFile::exists(examples + "/wave.QMX"));
        m_services.openAnswers = {std::nullopt, FileChoice{examples + "/wave.QMX", 0}};
        QTest::mouseClick(m_win->OpenBtn, Qt::LeftButton);
        QTest::mouseClick(m_win->OpenBtn, Qt::LeftButton);
        QCOMPARE(m_owned->header.MotionName, QString("Wave hello"));
        m_services.openAnswers = {std::nullopt};
        QTest::mouseClick(m_win->OpenBtn, Qt::LeftButton);
        QCOMPARE(m_services.openFolders.size(), 3);
        QCOMPARE(QFileInfo(m_services.openFolders[0]).canonicalFilePath(), examples);
        QCOMPARE(QFileInfo(m_services.openFolders[1]).canonicalFilePath(), examples);
        QCOMPARE(QFileInfo(m_services.openFolders[2]).canonicalFilePath(), examples);

        // A document opened from elsewhere (here as by a drop or the command
        // line) moves the dialog to its folder.
        QVERIFY(m_win->OpenFile(saveDocument("elsewhere", 1)));
        m_services.openAnswers = {std::nullopt};
        QTest::mouseClick(m_win->OpenBtn, Qt::LeftButton);
        QCOMPARE(m_services.openFolders.size(), 4);
        QCOMPARE(m_services.openFolders[3], QFileInfo(m_dir.path()).absoluteFilePath());
    }

    void saveButton_firstFilterAddsTheExtension() {
        makeWindow();
        m_owned->chart.CreateItem(KindPos, 10, 10);
        m_services.saveAnswers = {FileChoice{m_dir.filePath("saved.txt"), 0},
                                  FileChoice{m_dir.filePath("plain.txt"), 1}};
        QTest::mouseClick(m_win->SaveBtn, Qt::LeftButton);
        QCOMPARE(m_services.statuses.last(), "Saved " + m_dir.filePath("saved.QMX"));
        QTest::mouseClick(m_win->SaveBtn, Qt::LeftButton);
        QCOMPARE(m_services.statuses.last(), "Saved " + m_dir.filePath("plain.txt"));
        QVERIFY(QFile::exists(m_dir.filePath("saved.QMX")));
        QVERIFY(QFile::exists(m_dir.filePath("plain.txt")));
        QVERIFY(!QFile::exists(m_dir.filePath("saved.txt")));
    }

    void droppingThreeFiles_opensOnlyTheFirst() {
        makeWindow();
        const QString a = saveDocument("a", 1);
        const QString b = saveDocument("b", 2);
        const QString c = saveDocument("c", 3);
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b), QUrl::fromLocalFile(c)});
        // A drop reaches the window only after the drag entered it.
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(m_win.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_win.get(), &drop);
        QCOMPARE(m_owned->chart.itemCount(), 1);
        QCOMPARE(m_owned->header.MotionName, QString("a"));
    }

    void loadedDocument_canvasFillsTheWindowLessFour_documentSizeIsALowerBound() {
        makeWindow();
        const QSize before = m_win->size();
        writeFile(m_dir.filePath("small.QMX"),
                  "[GraphicalEdit]\r\nType=0\r\nWidth=300\r\nHeight=200\r\n\r\n");
        QVERIFY(m_win->OpenFile(m_dir.filePath("small.QMX")));
        // A small document leaves the window as it is; the canvas covers it.
        QCOMPARE(m_win->size(), before);
        QCOMPARE(m_win->Image1->canvasSize(), before - QSize(4, 4));

        writeFile(m_dir.filePath("big.QMX"),
                  "[GraphicalEdit]\r\nType=0\r\nWidth=1200\r\nHeight=300\r\n\r\n");
        QVERIFY(m_win->OpenFile(m_dir.filePath("big.QMX")));
        const QSize canvas = m_win->Image1->canvasSize();
        QVERIFY(m_win->width() >= before.width());
        QCOMPARE(canvas.width(), std::max(1200, m_win->width() - 4));
        QCOMPARE(canvas.height(), m_win->height() - 4);

        // A pose table is not a document: it leaves the canvas alone.
        m_win->Image1->setCanvasSize(QSize(640, 480));
        QByteArray table = "NO,walk,SPEED";
        for (int i = 0; i < 24; ++i)
            table += ",CH" + QByteArray::number(i + 1);
        table += "\r\n1,pose,0";
        for (int i = 0; i < 24; ++i)
            table += ",0";
        writeFile(m_dir.filePath("table.csv"), table + "\r\n");
        QVERIFY(m_win->OpenFile(m_dir.filePath("table.csv")));
        QCOMPARE(m_win->Image1->canvasSize(), QSize(640, 480));
    }

    void showStatus_prefixesTheTime() {
        WidgetServices services;
        QLineEdit line;
        services.attach(nullptr, &line);
        services.ShowStatus("Reading succeeded");
        QVERIFY(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d> Reading succeeded$")
                    .match(line.text())
                    .hasMatch());
    }

    void busyTitle_marksAndRestoresTheWindowTitle() {
        WidgetServices services;
        QWidget w;
        services.attach(&w, nullptr);
        services.SetBusy(true);
        QCOMPARE(w.windowTitle(), QString("Quorvex J [Communication now]"));
        services.SetBusy(false);
        QCOMPARE(w.windowTitle(), QString("Quorvex J"));
    }

    // Enter answers a Yes/No question No: every Yes goes on to change something.
    void yesNoQuestion_enterAnswersNo() {
        WidgetServices services;
        QTimer::singleShot(0, qvxtest::checked([] {
                               auto* box =
                                   qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                               QVERIFY(box);
                               QCOMPARE(static_cast<QAbstractButton*>(box->defaultButton()),
                                        box->button(QMessageBox::No));
                               QTest::keyClick(box, Qt::Key_Return);
                           }));
        QCOMPARE(services.ShowMessageBox(MsgIcon::Question, MsgButtons::YesNo, 0,
                                         MsgLanguage::English, BoardFlows::WriteAnywayText()),
                 int(ResultNo));
    }

    void pickNumber_returnsChoiceOrNothing() {
        WidgetServices services;
        auto answer = [](bool ok, int index) {
            QTimer::singleShot(
                0, qvxtest::checked([=] {
                    auto* dlg = qobject_cast<PickNumberDialog*>(QApplication::activeModalWidget());
                    QVERIFY(dlg);
                    QCOMPARE(dlg->list()->placeholderText(), PickNumberDialog::InitialText());
                    QCOMPARE(dlg->list()->count(), 3);
                    if (index >= -1) dlg->list()->setCurrentIndex(index);
                    ok ? dlg->accept() : dlg->reject();
                }));
        };
        answer(true, 2);
        QCOMPARE(services.PickNumber("Reading the data", "Select",
                                     "\"M1 a 1\",\"M2 b 2\",\"M3 c 3\"", -1),
                 2);
        answer(true, -2); // keep the preselection
        QCOMPARE(services.PickNumber("c", "p", "a,b,c", 1), 1);
        answer(true, -2);
        QCOMPARE(services.PickNumber("c", "p", "a,b,c", -1), -1);
        answer(false, 0);
        QCOMPARE(services.PickNumber("c", "p", "a,b,c", 1), std::nullopt);
    }

    void messageBoxCaptions_followIconAndLanguage() {
        QCOMPARE(Services::MessageBoxCaption(MsgIcon::Error, MsgLanguage::Japanese),
                 QString::fromUtf8("エラー"));
        QCOMPARE(Services::MessageBoxCaption(MsgIcon::Question, MsgLanguage::English),
                 QString("Question"));
        QCOMPARE(Services::MessageBoxText(1, "x"), QString::fromUtf8("DATA NAMEの入力"));
        QCOMPARE(Services::MessageBoxText(0, "x"), QString("x"));
    }
};

QVX_TEST_CLASS(MainWindowTest)
#include "MainWindowTest.moc"
