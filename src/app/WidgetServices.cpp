#include "app/WidgetServices.h"

#include "app/PickNumberDialog.h"
#include "base/CommaList.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTime>

namespace qvx {

void WidgetServices::SetUpApplication() {
    QApplication::setApplicationName(QStringLiteral("quorvex"));
    // The desktop entry the windows belong to: its icon and name in the task
    // bar under Wayland, and the window group the desktop matches to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvex"));
    // No display name is set: Qt's platform windows would append it to every
    // window caption (" — Quorvex J"), and each caption is to read exactly as
    // its window sets it. The main window carries the application title itself.
}

void WidgetServices::attach(QWidget* window, QLineEdit* statusLine) {
    m_window = window;
    m_status = statusLine;
    // A status shown before the status line existed (the port opened while the
    // main window was being built) appears once it is attached.
    if (m_status && !m_pending.isEmpty()) m_status->setText(m_pending);
    m_pending.clear();
}

QString WidgetServices::StatusText(const QString& message) {
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss")) + QStringLiteral("> ") + message;
}

void WidgetServices::ShowStatus(const QString& message) {
    if (m_status) m_status->setText(StatusText(message));
    else m_pending = StatusText(message);
}

int WidgetServices::ShowMessageBox(MsgIcon icon, MsgButtons buttons, int textIndex,
                                   MsgLanguage language, const QString& text) {
    static const QMessageBox::Icon icons[] = {QMessageBox::Warning, QMessageBox::Information,
                                              QMessageBox::Question, QMessageBox::Critical};
    QMessageBox box(m_window);
    box.setIcon(icons[std::clamp(int(icon), 0, 3)]);
    box.setWindowTitle(MessageBoxCaption(icon, language));
    box.setText(MessageBoxText(textIndex, text));
    using SB = QMessageBox::StandardButton;
    using MB = MsgButtons;
    switch (buttons) {
    case MB::AbortRetryIgnore:
        box.setStandardButtons(SB::Abort | SB::Retry | SB::Ignore);
        break;
    case MB::OkHelp:
        box.setStandardButtons(SB::Ok | SB::Help);
        break;
    case MB::OkCancel:
        box.setStandardButtons(SB::Ok | SB::Cancel);
        break;
    case MB::RetryCancel:
        box.setStandardButtons(SB::Retry | SB::Cancel);
        break;
    case MB::YesNo:
        // Every Yes of these questions goes on to change something: Enter
        // must not answer it.
        box.setStandardButtons(SB::Yes | SB::No);
        box.setDefaultButton(SB::No);
        break;
    case MB::YesNoCancel:
        box.setStandardButtons(SB::Yes | SB::No | SB::Cancel);
        break;
    case MB::SaveDiscardCancel:
        box.setStandardButtons(SB::Save | SB::Discard | SB::Cancel);
        box.setDefaultButton(SB::Save);
        break;
    default: box.setStandardButtons(SB::Ok); break;
    }
    switch (box.exec()) {
    case SB::Ok: return ResultOk;
    case SB::Cancel: return ResultCancel;
    case SB::Abort: return ResultAbort;
    case SB::Retry: return ResultRetry;
    case SB::Ignore: return ResultIgnore;
    case SB::Yes: return ResultYes;
    case SB::No: return ResultNo;
    case SB::Save: return ResultSave;
    case SB::Discard: return ResultDiscard;
    default: return ResultCancel;
    }
}

std::optional<int> WidgetServices::PickNumber(const QString& caption, const QString& prompt,
                                              const QString& choices, int preselected) {
    PickNumberDialog dlg(caption, prompt, CommaList::split(choices), preselected, m_window);
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.chosenIndex();
}

void WidgetServices::SetBusy(bool busy) {
    m_busy = std::max(0, m_busy + (busy ? 1 : -1));
    if (m_window) m_window->setWindowTitle(ApplicationTitle() + (m_busy > 0 ? BusySuffix() : QString()));
}

std::optional<FileChoice> WidgetServices::GetOpenFileName(const QString& caption,
                                                          const QStringList& filters,
                                                          const QString& folder) {
    QString selected;
    const QString path = QFileDialog::getOpenFileName(
        m_window, caption, folder, filters.join(QStringLiteral(";;")), &selected);
    if (path.isEmpty()) return std::nullopt;
    return FileChoice{path, int(std::max<qsizetype>(0, filters.indexOf(selected)))};
}

std::optional<FileChoice> WidgetServices::GetSaveFileName(const QString& caption, const QStringList& filters) {
    QString selected = filters.value(0);
    const QString path = QFileDialog::getSaveFileName(m_window, caption, {}, filters.join(QStringLiteral(";;")),
                                                      &selected);
    if (path.isEmpty()) return std::nullopt;
    return FileChoice{path, int(std::max<qsizetype>(0, filters.indexOf(selected)))};
}

std::optional<QColor> WidgetServices::PickColour(const QColor& initial) {
    const QColor c = QColorDialog::getColor(initial, m_window);
    if (!c.isValid()) return std::nullopt;
    return c;
}

} // namespace qvx
