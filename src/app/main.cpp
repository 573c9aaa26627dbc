#include "app/AppState.h"
#include "app/ExitSignals.h"
#include "app/MainWindow.h"
#include "app/RemoteServer.h"
#include "app/Settings.h"
#include "app/SingleInstance.h"
#include "app/WidgetServices.h"
#include "base/Language.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMessageBox>
#include <QTextStream>
#include <optional>

using namespace qvx;

namespace {

// --help and --version answer on standard output before any window or
// display is needed; nothing else is an option of the program's own.
std::optional<int> answerWithoutWindow(int argc, char** argv) {
    if (argc != 2) return std::nullopt;
    const QByteArray arg(argv[1]);
    QTextStream out(stdout);
    if (arg == "--version" || arg == "-v") {
        out << "quorvex " << QVX_VERSION << Qt::endl;
        return 0;
    }
    if (arg != "--help" && arg != "-h") return std::nullopt;
    out << "Usage: quorvex [FILE]\n\n"
           "The Quorvex motion editor for the QMX servo controller board. Opens FILE, a QMX\n"
           "document, when it is given; a second editor is refused.\n\n"
           "Options:\n"
           "  -h, --help     Shows this help.\n"
           "  -v, --version  Shows the version.\n\n"
           "Qt's own options (-platform, -style, ...) are taken as well. The command-line\n"
           "tool qvx runs the editor's board and document actions without a window.\n";
    out.flush();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> code = answerWithoutWindow(argc, argv)) return *code;
    QApplication app(argc, argv);
    WidgetServices::SetUpApplication();
    // The language the settings file or the locale asks for, before any window.
    QString languageProblem;
    Language::Install(app, Language::Resolve(Settings::ReadLanguage(Settings::SettingsPath())),
                      &languageProblem);

    SingleInstance instance;
    if (!instance.acquire()) {
        QMessageBox::warning(nullptr, QCoreApplication::translate("main", "I am sorry"),
                             QCoreApplication::translate("main", "The double start is impossible"));
        return 1;
    }

    // The Japanese texts need a Japanese font; IPA P Gothic when installed.
    QFont font(QStringLiteral("IPAPGothic"));
    if (QFontDatabase::families().contains(QStringLiteral("IPAPGothic"))) {
        font.setPixelSize(12);
        QApplication::setFont(font);
    }

    AppState state;
    WidgetServices services;
    MainWindow window(state, services, Settings::SettingsPath());
    services.attach(&window, window.Edit2);
    window.show();
    // A lock left by an editor that did not end cleanly, or a damaged one, was
    // replaced; say so, and where, in case it keeps happening.
    if (!instance.takeOverMessage().isEmpty()) services.ShowStatus(instance.takeOverMessage());
    if (!languageProblem.isEmpty()) services.ShowStatus(languageProblem);

    // Ended by the session, kill or Ctrl+C: the settings and pattern files are
    // saved and the lock released, as at Exit, without the close question.
    ExitSignals exitSignals;
    QObject::connect(&exitSignals, &ExitSignals::received, &window, &MainWindow::CloseOnSignal);

    // Remote command messages from other programs (qvx remote).
    RemoteServer remote;
    remote.handler = [&window](quint32 w, quint32 l) { return window.RemoteMessage(w, l); };
    remote.listen();

    const QStringList args = app.arguments();
    if (args.size() > 1) {
        window.ClearChart();
        window.OpenFile(args[1]);
    }
    return app.exec();
}
