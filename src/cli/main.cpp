#include "cli/CliHelp.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"

#include <QCoreApplication>
#include <functional>
#include <map>

using namespace qvx;

namespace {

using Run = std::function<int(const QStringList&, CliServices&)>;

const std::map<QString, Run>& runners() {
    static const std::map<QString, Run> table = {
        {QStringLiteral("info"), CmdInfo},       {QStringLiteral("resave"), CmdResave},
        {QStringLiteral("compile"), CmdCompile}, {QStringLiteral("convert"), CmdConvert},
        {QStringLiteral("hex"), CmdHex},         {QStringLiteral("board"), CmdBoard},
        {QStringLiteral("pose"), CmdPose},       {QStringLiteral("remote"), CmdRemote},
        {QStringLiteral("sim"), CmdSim},         {QStringLiteral("preview"), CmdPreview},
    };
    return table;
}

int usage(CliServices& io) {
    io.err() << HelpText(nullptr);
    io.err().flush();
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qvx"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QVX_VERSION));
    CliServices io;
    QStringList args = app.arguments().mid(1);
    if (const auto code = CheckToolArgs(args, io)) return *code;
    if (args.isEmpty()) return usage(io);
    const QString name = args.takeFirst();
    const VerbHelp* verb = FindVerb(name);
    const auto run = runners().find(name);
    if (!verb || run == runners().end()) {
        io.err() << "qvx: no command " << name << Qt::endl;
        return usage(io);
    }
    // Help and unknown options are answered from the verb's description;
    // the verb itself reads its arguments in the order given.
    if (const auto code = CheckVerbArgs(*verb, args, io)) return *code;
    return run->second(args, io);
}
