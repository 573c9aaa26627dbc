#include "app/ExitSignals.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "sim/SimPtyHost.h"

#include <QCoreApplication>

namespace qvx {

// qvx sim --link PATH [--state FILE] [--pace]: a simulated board behind a
// pseudo-terminal linked at PATH, until the process is interrupted or killed.
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

    // SIGINT, SIGTERM and SIGHUP end it in order: the state file is written.
    ExitSignals exitSignals;
    if (!exitSignals.isActive()) return 1;
    QObject::connect(&exitSignals, &ExitSignals::received, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    host.reset(); // removes the link
    return 0;
}

} // namespace qvx
