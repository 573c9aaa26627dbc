// Takes pictures of the settings dialogs and of a message box, drawn by the
// program's own windows on the simulated board, in the locale's language:
// scripts/screenshots.sh runs it under Xvfb with LANG=ja_JP.UTF-8 to show
// that every Japanese text fits.
#include "Shots.h"
#include "app/AppState.h"
#include "editor/ChartCanvas.h"
#include "ports/PortBox.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace qvx;

namespace {

// The window a press of `press` opens, saved as `file` once it has drawn
// itself, then closed (a modal one returns from its loop).
bool shoot(const std::function<void()>& press, const QString& file) {
    QWidgetList before;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) before << w;
    bool saved = false;
    QTimer::singleShot(1500, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || before.contains(w)) continue;
            saved = w->grab().save(file);
            w->close();
            return;
        }
    });
    press();
    QTest::qWait(1800);
    if (!saved) std::fprintf(stderr, "no window to take for %s\n", qPrintable(file));
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: take_dialogs DOCUMENT OUTDIR\n");
        return 2;
    }
    Shots shots(app);
    AppState state;
    WidgetServices services;
    MainWindow window(state, services, shots.settingsFile());
    if (!Shots::Open(window, services, argv[1])) return 1;
    // The simulated board answers the dialogs.
    window.CommPort->setCurrentIndex(PortBox::kSimIndex);
    window.OpenCommPort();
    QTest::qWait(500);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const auto picture = [&out](const char* name) {
        return out.filePath(QLatin1String(name) + QStringLiteral(".png"));
    };
    bool ok = true;
    const std::pair<QToolButton*, const char*> dialogs[] = {
        {window.OptionBtn, "options"},    {window.AdBtn, "analog"},
        {window.SVPBtn, "servos"},        {window.HomeBtn, "trim"},
        {window.OptionMenu3, "receiver"}, {window.FormBtn, "document"},
        {window.InfoBtn, "about"}};
    for (const auto& [button, name] : dialogs)
        ok = shoot([button] { button->click(); }, picture(name)) && ok;
    // A message box: New with changes not saved asks what to do with them.
    window.Image1->ArrangeMenu->trigger();
    QTest::qWait(300);
    ok = shoot([&window] { window.NewBtn->click(); }, picture("message")) && ok;
    return ok ? 0 : 1;
}
