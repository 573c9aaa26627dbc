#pragma once

#include <QStringList>

namespace qvx {

class CliServices;

// One function per sub-command of qvx: given the arguments after the
// sub-command's name, returns the exit status (0 success, 1 failure, 2 usage).
int CmdInfo(const QStringList& args, CliServices& io);
int CmdResave(const QStringList& args, CliServices& io);
int CmdCompile(const QStringList& args, CliServices& io);
int CmdHex(const QStringList& args, CliServices& io);
int CmdSim(const QStringList& args, CliServices& io);
int CmdBoard(const QStringList& args, CliServices& io);
// qvx board diff FILE --slot N, once the port and the slot are known.
int RunBoardDiff(const QString& port, const QString& path, int slot, CliServices& io);
// qvx board backup FILE and restore FILE --yes, once the port is known.
int RunBoardBackup(const QString& port, const QString& path, CliServices& io);
int RunBoardRestore(const QString& port, const QString& path, CliServices& io);
// qvx board names [--set FILE], once the port is known.
int RunBoardNames(const QString& port, const QString& setPath, CliServices& io);
// qvx board options [--OPTION VALUE]..., given the arguments after "options".
int RunBoardOptions(const QString& port, const QStringList& args, CliServices& io);
// qvx board analog [--ref K=V | --mix K:CH=GAIN | --sensor S=THRESHOLD:MOTION |
// --auto K]..., given the arguments after "analog".
int RunBoardAnalog(const QString& port, const QStringList& args, CliServices& io);
// qvx board receiver [--ref N=V | --auto N]..., given the arguments after "receiver".
int RunBoardReceiver(const QString& port, const QStringList& args, CliServices& io);
// qvx board trim [--save FILE | --load FILE | --set CH=OFFSET ...], given the
// arguments after "trim".
int RunBoardTrim(const QString& port, const QStringList& args, CliServices& io);
// qvx board servos [--read | --show ID | --copy FROM=TO | --set ID PARAM=VALUE...],
// given the arguments after "servos".
int RunBoardServos(const QString& port, const QStringList& args, CliServices& io);
int CmdPose(const QStringList& args, CliServices& io);
int CmdRemote(const QStringList& args, CliServices& io);
int CmdConvert(const QStringList& args, CliServices& io);
int CmdPreview(const QStringList& args, CliServices& io);
// qvx ports [PATH...], given the paths.
int CmdPorts(const QStringList& paths, CliServices& io);

} // namespace qvx
