#pragma once

#include <QString>

namespace qvx {

class CliServices;
struct DocumentContext;
class VerbArgs;
struct AppState;

// Opens the document FILE as `qvx info` does and compiles it by its kind, as
// the window's compile button does. Returns the exit status; 0 leaves the
// result in the state's compiler.
int OpenAndCompile(const VerbArgs& args, CliServices& io, AppState& state);

// One function per verb of qvx: given the verb's parsed arguments, returns
// the exit status (0 success, 1 failure, 2 usage).
int CmdInfo(const VerbArgs& args, CliServices& io);
int CmdResave(const VerbArgs& args, CliServices& io);
int CmdCompile(const VerbArgs& args, CliServices& io);
int CmdHex(const VerbArgs& args, CliServices& io);
int CmdConvert(const VerbArgs& args, CliServices& io);
int CmdArrange(const VerbArgs& args, CliServices& io);
// Reads a document that a verb changes and saves again. Only a QMX document
// read whole will do: what was only partly read would be saved without the
// rest of it. Returns the exit status when it cannot be used ("nothing was
// `done`"), else 0; the file's own canvas size is kept for the saving.
int ReadWholeDocument(DocumentContext& ctx, const QString& path, const char* done, CliServices& io);
// The refusals of a document the verbs share: "PATH is a pose table, not a
// QMX document; ...", "cannot open PATH: ...", "PATH has no item N (its items
// are Item0 to ItemM)" and "PATH: item N ("NAME") is a KIND item, not a POS
// item".
QString PoseTableRefusal(const QString& path);
QString CannotOpenText(const QString& path);
QString NoItemText(const QString& path, int n, int itemCount);
QString NotPosItemText(const QString& path, int n, const QString& name, const QString& kind);
// "--slot must be a motion slot 0..79, not GIVEN" (or a scenario slot).
QString BadSlotText(bool scenario, const QString& given);
int CmdSim(const VerbArgs& args, CliServices& io);
// qvx board table, write, read, delete, play, stop and pause: the main
// window's board buttons.
int CmdBoard(const VerbArgs& args, CliServices& io);
int CmdBoardDiff(const VerbArgs& args, CliServices& io);
int CmdBoardBackup(const VerbArgs& args, CliServices& io);
int CmdBoardRestore(const VerbArgs& args, CliServices& io);
int CmdBoardNames(const VerbArgs& args, CliServices& io);
int CmdBoardOptions(const VerbArgs& args, CliServices& io);
int CmdBoardAnalog(const VerbArgs& args, CliServices& io);
int CmdBoardReceiver(const VerbArgs& args, CliServices& io);
int CmdBoardTrim(const VerbArgs& args, CliServices& io);
int CmdBoardServos(const VerbArgs& args, CliServices& io);
// qvx pose ACTION: the pose window's exchanges.
int CmdPose(const VerbArgs& args, CliServices& io);
int CmdRemote(const VerbArgs& args, CliServices& io);
// qvx ports [PATH...]: the serial devices of this machine.
int CmdPorts(const VerbArgs& args, CliServices& io);
// qvx preview FILE --item N --png OUT: a pose drawn to a picture.
int CmdPreview(const VerbArgs& args, CliServices& io);
// qvx check FILE: the checks before writing, one finding a line.
int CmdCheck(const VerbArgs& args, CliServices& io);
// qvx timeline FILE: the servo outputs of the compiled motion over board time.
int CmdTimeline(const VerbArgs& args, CliServices& io);

} // namespace qvx
