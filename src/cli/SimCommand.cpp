#include "app/ExitSignals.h"
#include "cli/CliArgs.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "sim/SimPtyHost.h"

#include <QCoreApplication>

#include <csignal>

namespace qvx {

// qvx sim --link PATH [--state FILE [--fresh]] [--pace]: a simulated board
// behind a pseudo-terminal linked at PATH, until the process is interrupted or
// killed. SIGUSR1 switches the board off and on again: it keeps its memory and
// starts as at power-up, in SVP mode when bit 14 of its stored option word is set.
int CmdSim(const VerbArgs& args, CliServices& io) {
    if (const auto code = args.require(QStringLiteral("link"), io)) return *code;
    if (const auto code = args.requireCount(0, {}, io)) return *code;
    SimPtyHost::Options options;
    options.linkPath = args.value(QStringLiteral("link"));
    options.statePath = args.value(QStringLiteral("state"));
    options.pace = args.has(QStringLiteral("pace"));
    options.freshState = args.has(QStringLiteral("fresh"));
    if (options.linkPath.isEmpty()) return args.usage(Cli::tr("--link needs a path"), io);
    if (options.freshState && options.statePath.isEmpty())
        return args.usage(Cli::tr("--fresh needs --state FILE"), io);
    QString error;
    auto host = SimPtyHost::Start(options, &error);
    if (!host) {
        io.err() << error << Qt::endl;
        if (!options.statePath.isEmpty() && !options.freshState &&
            error.contains(options.statePath))
            io.err() << Cli::tr("Give --fresh to start with a new board's memory, which then "
                                "replaces %1.")
                            .arg(options.statePath)
                     << Qt::endl;
        return 1;
    }
    io.out()
        << Cli::tr("simulated board on %1 linked at %2").arg(host->slavePath(), options.linkPath)
        << Qt::endl;

    // SIGINT, SIGTERM and SIGHUP end it in order (the state file is written);
    // SIGUSR1 switches the board off and on.
    ExitSignals handled({SIGUSR1});
    if (!handled.isActive()) return 1;
    QObject::connect(&handled, &ExitSignals::received, qApp, [&host, &io](int signal) {
        if (signal != SIGUSR1) {
            QCoreApplication::quit();
            return;
        }
        host->powerCycle();
        io.out() << SimPtyHost::PowerCycledText() << Qt::endl;
    });
    QCoreApplication::exec();
    host.reset(); // removes the link
    return 0;
}

} // namespace qvx
