#include "cli/CliServices.h"
#include "cli/Commands.h"

#include <QCoreApplication>
#include <functional>
#include <map>

using namespace qvx;

namespace {

struct Command {
    std::function<int(const QStringList&, CliServices&)> run;
    const char* usage;
};

const std::map<QString, Command>& commands() {
    static const std::map<QString, Command> table = {
        {QStringLiteral("info"), {CmdInfo, "info FILE          what a file is, with its header and counts"}},
        {QStringLiteral("resave"), {CmdResave, "resave IN OUT      open IN as the editor does and save it to OUT"}},
        {QStringLiteral("compile"), {CmdCompile, "compile FILE       compile the chart and print its listing (or motion list)"}},
        {QStringLiteral("convert"), {CmdConvert, "convert IN OUT (--pattern NAME | --entries LIST) [--items LIST]  apply a conversion pattern to the items of IN, save to OUT"}},
        {QStringLiteral("hex"), {CmdHex, "hex FILE           compile the chart and print the rows of its hex view"}},
        {QStringLiteral("board"), {CmdBoard, "board --port DEVICE [--yes] table|write FILE --slot N|read N --out FILE|delete N|play N|stop|pause|names|options|servos|trim|analog|receiver  the board actions and settings dialogs of the main window"}},
        {QStringLiteral("pose"), {CmdPose, "pose --port DEVICE send|get|sethome FILE --item N | home [FILE --item N] | sleep | teach|link FILE --item N --pattern NAME  the pose window's exchanges with the robot"}},
        {QStringLiteral("remote"), {CmdRemote, "remote play N | remote message WPARAM LPARAM  send a remote command message to the running editor"}},
        {QStringLiteral("sim"), {CmdSim, "sim --link PATH [--state FILE] [--pace]  run a simulated board behind a pseudo-terminal linked at PATH"}},
    };
    return table;
}

int usage(CliServices& io) {
    io.err() << "usage: qvx COMMAND [ARGS]" << Qt::endl << "commands:" << Qt::endl;
    for (const auto& [name, cmd] : commands()) io.err() << "  " << cmd.usage << Qt::endl;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qvx"));
    CliServices io;
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) return usage(io);
    const QString name = args.takeFirst();
    auto it = commands().find(name);
    if (it == commands().end()) return usage(io);
    return it->second.run(args, io);
}
