#include "cli/CliArgs.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "ports/SerialPorts.h"

namespace qvx {

// qvx ports [PATH...]: the serial devices of this machine, or the devices
// given, one a line, in tab-separated columns that scripts may read: path,
// stable by-id name, USB vendor:product, description, whether this user may
// open it ("yes"/"no"). A column with nothing to say holds "-".
int CmdPorts(const VerbArgs& args, CliServices& io) {
    const QStringList& paths = args.positional();
    QList<SerialPortEntry> entries;
    if (paths.isEmpty()) {
        entries = FindSerialPorts();
    } else {
        for (const QString& path : paths)
            entries << DescribeSerialPort(path);
    }
    const auto column = [](const QString& text) {
        QString t = text;
        t.replace(QLatin1Char('\t'), QLatin1Char(' '));
        return t.isEmpty() ? QStringLiteral("-") : t;
    };
    for (const SerialPortEntry& e : entries)
        io.out() << column(e.path) << '\t' << column(e.byId) << '\t' << column(e.usbIds()) << '\t'
                 << column(e.details()) << '\t'
                 << (e.mayOpen ? QStringLiteral("yes") : QStringLiteral("no")) << Qt::endl;
    return 0;
}

} // namespace qvx
