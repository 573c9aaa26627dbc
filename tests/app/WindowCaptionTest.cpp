#include "app/WidgetServices.h"
#include "common/CallbackGuard.h"
#include "common/TestRegistry.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

using namespace qvx;

namespace {
// The caption the window system is given for a window title. Qt's platform
// windows (X11, Windows) append " — " and the application display name to
// every title that does not already end with it, but only when a display name
// was set; one that merely defaults to the application name is not added.
QString captionShown(const QString& title) {
    const QString name = QCoreApplication::applicationName();
    // An unset display name follows the application name.
    QCoreApplication::setApplicationName(name + QStringLiteral("-probe"));
    const bool displayNameSet =
        QGuiApplication::applicationDisplayName() != QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(name);
    const QString display = QGuiApplication::applicationDisplayName();
    if (!displayNameSet || title.endsWith(display)) return title;
    return title.isEmpty() ? display : title + QString::fromUtf8(" \u2014 ") + display;
}
} // namespace

// Window captions as the user sees them, after the program set up the
// application the way it does at start.
class WindowCaptionTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { WidgetServices::SetUpApplication(); }

    void mainWindowCaption_idleAndBusy_isShownAsSet() {
        WidgetServices services;
        QWidget window;
        services.attach(&window, nullptr);
        services.SetBusy(false);
        window.show();
        QVERIFY(window.windowHandle());
        QCOMPARE(captionShown(window.windowHandle()->title()), QString("Quorvex J"));
        services.SetBusy(true);
        QCOMPARE(captionShown(window.windowHandle()->title()),
                 QString("Quorvex J [Communication now]"));
        services.SetBusy(false);
        QCOMPARE(captionShown(window.windowHandle()->title()), QString("Quorvex J"));
    }

    // The windows belong to the desktop entry the package installs (its icon
    // and name in a Wayland task bar), which the desktop finds by file name.
    void desktopFileName_namesTheInstalledEntry() {
        const QString entry = QGuiApplication::desktopFileName() + QStringLiteral(".desktop");
        QVERIFY2(QFile::exists(QStringLiteral(QVX_SOURCE_DIR "/packaging/") + entry),
                 qPrintable(entry));
    }

    void messageBoxCaption_isOnlyTheIconWord() {
        WidgetServices services;
        QWidget window;
        services.attach(&window, nullptr);
        QString japanese, english;
        auto answer = [](QString* caption) {
            QTimer::singleShot(0, qvxtest::checked([caption] {
                                   auto* box = qobject_cast<QMessageBox*>(
                                       QApplication::activeModalWidget());
                                   QVERIFY(box && box->windowHandle());
                                   *caption = captionShown(box->windowHandle()->title());
                                   box->accept();
                               }));
        };
        answer(&japanese);
        services.ShowMessageBox(MsgIcon::Warning, MsgButtons::Ok, 0, MsgLanguage::Japanese, "x");
        QCOMPARE(japanese, QString::fromUtf8("警告"));
        answer(&english);
        services.ShowMessageBox(MsgIcon::Question, MsgButtons::YesNo, 0, MsgLanguage::English,
                                "May I close it?");
        QCOMPARE(english, QString("Question"));
    }

    void otherCaptions_areShownUnchanged() {
        // The second-instance box, the property and table windows and an item
        // name in the item property dialog.
        for (const QString& title : {QString("I am sorry"), QString("Property"),
                                     QString("DataTable"), QString::fromUtf8("歩行")}) {
            QWidget w;
            w.setWindowTitle(title);
            w.show();
            QVERIFY(w.windowHandle());
            QCOMPARE(captionShown(w.windowHandle()->title()), title);
        }
    }
};

QVX_TEST_CLASS(WindowCaptionTest)
#include "WindowCaptionTest.moc"
