#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "sim/SimPtyHost.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <unistd.h>

namespace qvx {

namespace {
int g_signalPipe[2] = {-1, -1};

// Signals reach the event loop as one byte each through the pipe: the
// signal's number.
void onSignal(int signal) {
    const char c = char(signal);
    [[maybe_unused]] ssize_t n = ::write(g_signalPipe[1], &c, 1);
}
} // namespace

// qvx sim --link PATH [--state FILE] [--pace]: a simulated board behind a
// pseudo-terminal linked at PATH, until the process is interrupted or killed.
// SIGUSR1 switches the board off and on again: it keeps its memory and starts
// as at power-up, in SVP mode when bit 14 of its stored option word is set.
int CmdSim(const QStringList& args, CliServices& io) {
    SimPtyHost::Options options;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--link") && i + 1 < args.size())
            options.linkPath = args[++i];
        else if (args[i] == QLatin1String("--state") && i + 1 < args.size())
            options.statePath = args[++i];
        else if (args[i] == QLatin1String("--pace"))
            options.pace = true;
        else
            options.linkPath.clear(), i = int(args.size());
    }
    if (options.linkPath.isEmpty()) {
        io.err() << "usage: qvx sim --link PATH [--state FILE] [--pace]" << Qt::endl;
        return 2;
    }
    QString error;
    auto host = SimPtyHost::Start(options, &error);
    if (!host) {
        io.err() << error << Qt::endl;
        return 1;
    }
    io.out() << "simulated board on " << host->slavePath() << " linked at " << options.linkPath
             << Qt::endl;

    if (pipe(g_signalPipe) != 0) return 1;
    QSocketNotifier notifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, qApp, [&host, &io] {
        char c = 0;
        if (::read(g_signalPipe[0], &c, 1) != 1) return;
        if (c != char(SIGUSR1)) {
            QCoreApplication::quit();
            return;
        }
        host->powerCycle();
        io.out() << SimPtyHost::PowerCycledText() << Qt::endl;
    });
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGHUP, onSignal);
    std::signal(SIGUSR1, onSignal);
    QCoreApplication::exec();
    host.reset(); // removes the link
    return 0;
}

} // namespace qvx
