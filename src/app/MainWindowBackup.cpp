#include "app/MainWindow.h"

#include "app/AppState.h"
#include "board/BackupFlows.h"
#include "base/UiServices.h"
#include "document/IniFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProgressBar>
#include <QToolButton>

// The main window's whole-board backup and restore: the file dialogs, the
// confirmation, the progress bar, and the flows that do the work.

namespace qvx {

namespace {

QString backupFilter() {
    return QCoreApplication::translate("qvx::MainWindow", "Board backup (*.QBK *.qbk)");
}

void cannotWrite(UiServices& services, const QString& path) {
    services.ShowMessageBox(
        MsgIcon::Error, MsgButtons::Ok, 0, MsgLanguage::English,
        QCoreApplication::translate("qvx::MainWindow", "Cannot write %1").arg(path));
}

} // namespace

void MainWindow::setUpBackupActions() {
    m_backup = std::make_unique<BackupFlows>(m_state.board, m_services);
    m_backup->setTable(&m_state.table);
    m_backup->setProgress([this](int done, int total) { showProgress(done, total); });
    for (const auto& [button, slot] : {std::pair{BackupBtn, &MainWindow::BackupBtnClick},
                                       std::pair{RestoreBtn, &MainWindow::RestoreBtnClick}}) {
        button->setEnabled(true);
        connect(button, &QToolButton::clicked, this, slot);
    }
}

void MainWindow::showBackupNotes() {
    if (m_backup->notes().isEmpty()) return;
    m_services.ShowMessageBox(MsgIcon::Information, MsgButtons::Ok, 0, MsgLanguage::English,
                              m_backup->notes().join(QStringLiteral("\r\n")));
}

void MainWindow::BackupBtnClick() {
    if (RefuseWhileBusy()) return;
    const auto choice = m_services.GetSaveFileName(tr("Backup"), {backupFilter(), FileFilterAll()});
    if (!choice) return;
    QString path = choice->path;
    if (choice->filterIndex == 0 && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".QBK");
    // The place is checked before the board is read, which takes a while.
    if (!IniFile(path).canReplace()) {
        cannotWrite(m_services, path);
        return;
    }
    const std::optional<BoardBackup> backup = m_backup->Backup();
    ProgressBar->hide();
    if (!backup) return;
    if (!backup->Save(path)) {
        cannotWrite(m_services, path);
        return;
    }
    m_services.ShowStatus(tr("Backed up %1").arg(BackupFlows::Summary(*backup)));
    showBackupNotes();
}

void MainWindow::RestoreBtnClick() {
    if (RefuseWhileBusy()) return;
    const auto choice =
        m_services.GetOpenFileName(tr("Restore"), {backupFilter(), FileFilterAll()});
    if (!choice) return;
    QString error;
    const std::optional<BoardBackup> backup = BoardBackup::Load(choice->path, &error);
    if (!backup) {
        m_services.ShowMessageBox(MsgIcon::Error, MsgButtons::Ok, 0, MsgLanguage::English, error);
        return;
    }
    if (!BackupFlows::ConfirmRestore(m_services, *backup, choice->path)) return;
    const bool ok = m_backup->Restore(*backup);
    ProgressBar->hide();
    if (!ok) return;
    m_services.ShowStatus(tr("Restored %1").arg(BackupFlows::Summary(*backup)));
    showBackupNotes();
}

} // namespace qvx
