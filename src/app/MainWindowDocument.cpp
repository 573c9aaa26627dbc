#include "app/MainWindow.h"

#include "app/AppState.h"
#include "base/UiServices.h"
#include "document/DocumentFile.h"
#include "document/IniFile.h"
#include "editor/EditHistory.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>

// The main window's document as a whole: a new chart, the question before
// changes not saved are lost, and the recovery copy kept when the editor is
// ended by a signal.

namespace qvx {

void MainWindow::NewBtnClick() {
    if (RefuseWhileBusy()) return;
    m_history->commit();
    if (!m_history->isClean() && !settleUnsavedChanges()) return;
    ClearChart();
    m_state.chart.documentKind = MotionChart;
    m_state.header.reset();
    PageControl1->setTabText(0, EditPageTitle());
    m_documentPath.clear();
    m_history->reset();
    RepaintCanvas();
}

bool MainWindow::settleUnsavedChanges() {
    switch (m_services.ShowMessageBox(MsgIcon::Question, MsgButtons::SaveDiscardCancel, 0,
                                      MsgLanguage::English, UnsavedChangesText())) {
    case ResultSave: return saveDocument();
    case ResultDiscard: return true;
    default: return false;
    }
}

bool MainWindow::saveDocument() {
    if (!m_documentPath.isEmpty()) return SaveFile(m_documentPath, false);
    const auto choice = m_services.GetSaveFileName(tr("Save"), {FileFilterQmx(), FileFilterAll()});
    return choice && SaveFile(choice->path, choice->filterIndex == 0);
}

void MainWindow::CloseOnSignal() {
    if (m_closingOnSignal) return;
    m_closingOnSignal = true;
    m_closeConfirmed = true;
    close();
}

QString MainWindow::recoveryPath() const {
    return QFileInfo(m_settingsPath).dir().filePath(QLatin1String(kRecoveryName));
}

void MainWindow::keepRecoveryCopy() {
    m_history->commit();
    if (m_history->isClean()) return;
    // Written without the save's message box: nobody is there to answer it.
    IniFile::saveBytes(recoveryPath(), DocumentFile::DocumentBytes(documentContext()));
}

void MainWindow::reportRecoveryCopy() {
    const QString path = recoveryPath();
    const QFileInfo info(path);
    if (!info.isFile()) return;
    // Named after the time it was kept, so that the next one cannot replace it.
    const QString kept = info.dir().filePath(
        QStringLiteral("unsaved-chart-") +
        info.lastModified().toString(QStringLiteral("yyyyMMdd-HHmmss")) + QStringLiteral(".QMX"));
    const QString shown = !QFileInfo::exists(kept) && QFile::rename(path, kept) ? kept : path;
    m_services.ShowStatus(
        tr("The chart not saved when the editor was ended is kept in %1").arg(shown));
}

} // namespace qvx
