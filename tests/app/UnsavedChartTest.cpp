#include "app/AppState.h"
#include "app/RemoteServer.h"
#include "app/SingleInstance.h"
#include "app/MainWindow.h"
#include "common/RecordingServices.h"
#include "common/TestRegistry.h"
#include "document/DocumentFile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <csignal>

using namespace qvx;
using qvxtest::RecordingServices;

// What becomes of a chart with changes not saved: the close question, the New
// button, and an end by a signal (in this process, and for a real editor).
class UnsavedChartTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<AppState> m_state;
    RecordingServices m_services;
    std::unique_ptr<MainWindow> m_win;

    QString settingsPath() const { return m_dir.filePath("QVX3J.ini"); }
    // A window whose settings file is written only when it closes.
    void makeWindow() {
        m_win.reset();
        m_state = std::make_unique<AppState>();
        m_services.clear();
        m_win = std::make_unique<MainWindow>(*m_state, m_services, settingsPath());
        m_win->show();
        QFile::remove(settingsPath());
    }
    void addItems(int n) {
        for (int i = 0; i < n; ++i)
            m_state->chart.CreateItem(KindPos, 10 + 60 * i, 10);
    }
    // The items of a document on disk, -1 when it cannot be read.
    static int itemsIn(const QString& path) {
        AppState s;
        RecordingServices services;
        DocumentContext ctx(s.chart, s.header, services);
        return DocumentFile::OpenDocument(ctx, path) ? s.chart.itemCount() : -1;
    }
    void checkAskedAboutChanges(int boxes) {
        QCOMPARE(int(m_services.boxes.size()), boxes);
        QCOMPARE(m_services.boxes.back().text, MainWindow::UnsavedChangesText());
        QCOMPARE(m_services.boxes.back().buttons, int(MsgButtons::SaveDiscardCancel));
    }

  private slots:
    void cleanup() {
        m_win.reset();
        for (const QString& f : QDir(m_dir.path()).entryList(QDir::Files))
            QFile::remove(m_dir.filePath(f));
    }

    void closeWithChanges_asksToSaveDiscardOrCancel_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveAs"); // the name given; "-" cancels the dialog
        QTest::addColumn<bool>("closes");
        QTest::newRow("cancel") << int(ResultCancel) << QString() << false;
        QTest::newRow("discard") << int(ResultDiscard) << QString() << true;
        QTest::newRow("save with a name") << int(ResultSave) << "kept.txt" << true;
        QTest::newRow("save, name cancelled") << int(ResultSave) << "-" << false;
        QTest::newRow("save fails") << int(ResultSave) << "missing/kept.QMX" << false;
    }

    void closeWithChanges_asksToSaveDiscardOrCancel() {
        QFETCH(int, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, closes);
        makeWindow();
        addItems(1);
        m_services.boxAnswers = {answer};
        if (saveAs == "-")
            m_services.saveAnswers = {std::nullopt};
        else if (!saveAs.isEmpty())
            m_services.saveAnswers = {FileChoice{m_dir.filePath(saveAs), 0}};
        QCOMPARE(m_win->close(), closes);
        QCOMPARE(m_services.boxes.front().text, MainWindow::UnsavedChangesText());
        QCOMPARE(m_services.boxes.front().buttons, int(MsgButtons::SaveDiscardCancel));
        QCOMPARE(m_win->isVisible(), !closes);
        QCOMPARE(QFile::exists(settingsPath()), closes);
        if (saveAs == "kept.txt") {
            QCOMPARE(itemsIn(m_dir.filePath("kept.QMX")), 1);
            QCOMPARE(m_services.statuses.last(), "Saved " + m_dir.filePath("kept.QMX"));
        }
    }

    void newAndCtrlN_askOnlyWithChanges_anOpenedDocumentIsSavedInPlace() {
        makeWindow();
        addItems(2);
        m_services.saveAnswers = {FileChoice{m_dir.filePath("walk.QMX"), 0}};
        m_win->SaveBtnClick();
        const QString path = m_dir.filePath("walk.QMX");

        // Nothing to lose: no question.
        QTest::mouseClick(m_win->NewBtn, Qt::LeftButton);
        QVERIFY(m_services.boxes.empty());
        QCOMPARE(m_state->chart.itemCount(), 0);
        QCOMPARE(m_win->PageControl1->tabText(0), QStringLiteral("EDIT No subject"));

        // An opened document with changes: Cancel keeps them, Save writes the
        // file it came from without asking for a name.
        QVERIFY(m_win->OpenFile(path));
        addItems(1);
        m_services.boxAnswers = {ResultCancel, ResultSave};
        QVERIFY(QTest::qWaitForWindowActive(m_win.get()));
        QTest::keyClick(m_win.get(), Qt::Key_N, Qt::ControlModifier);
        checkAskedAboutChanges(1);
        QCOMPARE(m_state->chart.itemCount(), 3);
        QTest::keyClick(m_win.get(), Qt::Key_N, Qt::ControlModifier);
        checkAskedAboutChanges(2);
        QCOMPARE(m_services.fileDialogs, 1);
        QCOMPARE(itemsIn(path), 3);
        QCOMPARE(m_state->chart.itemCount(), 0);

        // The new chart is not that file: its Save asks for a name.
        addItems(1);
        m_services.boxAnswers = {ResultSave};
        QVERIFY(!m_win->close());
        QCOMPARE(m_services.fileDialogs, 2);
        QCOMPARE(itemsIn(path), 3);
    }

    void endedBySignal_keepsARecoveryCopy_theNextStartSaysWhere() {
        makeWindow();
        addItems(2);
        m_win->CloseOnSignal();
        QVERIFY(!m_win->isVisible());
        QVERIFY(m_services.boxes.empty());
        QVERIFY(QFile::exists(settingsPath()));
        const QString copy = m_dir.filePath(MainWindow::kRecoveryName);
        QCOMPARE(itemsIn(copy), 2);
        const QString stamp = QFileInfo(copy).lastModified().toString("yyyyMMdd-HHmmss");
        const QString kept = m_dir.filePath("unsaved-chart-" + stamp + ".QMX");

        // Renamed, so that a later end cannot overwrite it, and named once.
        makeWindow();
        QVERIFY(m_services.statuses.contains(
            "The chart not saved when the editor was ended is kept in " + kept));
        QCOMPARE(itemsIn(kept), 2);
        // Nothing unsaved: no copy.
        m_win->CloseOnSignal();
        QVERIFY(!QFile::exists(copy));
    }

    void signalToTheEditor_savesItsFilesAndReleasesTheLock_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }

    void signalToTheEditor_savesItsFilesAndReleasesTheLock() {
        QFETCH(int, signal);
        QTemporaryDir config, runtime;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QVX_CONFIG_DIR", config.path());
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        QProcess editor;
        editor.setProcessEnvironment(env);
        editor.start(QStringLiteral(QVX_BUILD_DIR "/quorvex"), QStringList());
        // The remote socket is opened once the editor is ready.
        const QString socket = RemoteServer::PathFor(runtime.path(), config.path());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 20000);
        const QString lock = QDir(config.path()).filePath(SingleInstance::kLockName);
        QVERIFY(QFile::exists(lock));

        QCOMPARE(::kill(pid_t(editor.processId()), signal), 0);
        QVERIFY(editor.waitForFinished(20000));
        QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
        QCOMPARE(editor.exitCode(), 0);
        QVERIFY(QFile::exists(QDir(config.path()).filePath("QVX3J.ini")));
        QVERIFY(!QFile::exists(lock));
        QVERIFY(!QFile::exists(socket));
    }
};

QVX_TEST_CLASS(UnsavedChartTest)
#include "UnsavedChartTest.moc"
