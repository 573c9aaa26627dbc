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

void onSignal(int) {
    const char c = 1;
    [[maybe_unused]] ssize_t n = ::write(g_signalPipe[1], &c, 1);
}
} // namespace

// qvx sim --link PATH [--state FILE [--fresh]] [--pace]: a simulated board
// behind a pseudo-terminal linked at PATH, until the process is interrupted or
// killed.
int CmdSim(const QStringList& args, CliServices& io) {
    SimPtyHost::Options options;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--link") && i + 1 < args.size())
            options.linkPath = args[++i];
        else if (args[i] == QLatin1String("--state") && i + 1 < args.size())
            options.statePath = args[++i];
        else if (args[i] == QLatin1String("--pace"))
            options.pace = true;
        else if (args[i] == QLatin1String("--fresh"))
            options.freshState = true;
        else
            options.linkPath.clear(), i = int(args.size());
    }
    if (options.linkPath.isEmpty() || (options.freshState && options.statePath.isEmpty())) {
        io.err() << "usage: qvx sim --link PATH [--state FILE [--fresh]] [--pace]" << Qt::endl;
        return 2;
    }
    QString error;
    auto host = SimPtyHost::Start(options, &error);
    if (!host) {
        io.err() << error << Qt::endl;
        if (!options.statePath.isEmpty() && !options.freshState &&
            error.contains(options.statePath))
            io.err() << "Give --fresh to start with a new board's memory, which then replaces "
                     << options.statePath << "." << Qt::endl;
        return 1;
    }
    io.out() << "simulated board on " << host->slavePath() << " linked at " << options.linkPath
             << Qt::endl;

    if (pipe(g_signalPipe) != 0) return 1;
    QSocketNotifier notifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, qApp, &QCoreApplication::quit);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGHUP, onSignal);
    QCoreApplication::exec();
    host.reset(); // removes the link
    return 0;
}

} // namespace qvx
