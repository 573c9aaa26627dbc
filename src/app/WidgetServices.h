#pragma once

#include "base/UiServices.h"

#include <QCoreApplication>
#include <QPointer>

class QLineEdit;
class QWidget;

namespace qvx {

// The services shown with widgets: the status line of the main window, modal
// message boxes, the number picker, the file and colour dialogs and the busy
// mark in the main window's title.
class WidgetServices : public UiServices {
public:
    static QString ApplicationTitle() { return QStringLiteral("Quorvex J"); }
    static QString BusySuffix() {
        return QCoreApplication::translate("qvx::WidgetServices", " [Communication now]");
    }

    // Names the application at start, before any window exists.
    static void SetUpApplication();

    void attach(QWidget* window, QLineEdit* statusLine);

    void ShowStatus(const QString& message) override;
    int ShowMessageBox(MsgIcon icon, MsgButtons buttons, int textIndex, MsgLanguage language,
                       const QString& text) override;
    std::optional<int> PickNumber(const QString& caption, const QString& prompt, const QString& choices,
                                  int preselected) override;
    void SetBusy(bool busy) override;
    std::optional<FileChoice> GetOpenFileName(const QString& caption, const QStringList& filters,
                                              const QString& folder) override;
    std::optional<FileChoice> GetSaveFileName(const QString& caption, const QStringList& filters) override;
    std::optional<QColor> PickColour(const QColor& initial) override;

    // The status line text for a message at the current time.
    static QString StatusText(const QString& message);

private:
    QPointer<QWidget> m_window;
    QPointer<QLineEdit> m_status;
    int m_busy = 0;
    QString m_pending;
};

} // namespace qvx
