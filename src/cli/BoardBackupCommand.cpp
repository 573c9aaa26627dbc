#include "app/AppState.h"
#include "board/BackupFlows.h"
#include "cli/CliArgs.h"
#include "cli/CliPort.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "document/IniFile.h"

namespace qvx {

namespace {

void printNotes(const BackupFlows& flows, CliServices& io) {
    for (const QString& note : flows.notes())
        io.out() << note << Qt::endl;
}

} // namespace

// qvx board backup FILE: everything the board keeps, into one text file.
int CmdBoardBackup(const VerbArgs& args, CliServices& io) {
    if (const auto code = args.require(QStringLiteral("port"), io)) return *code;
    if (const auto code = args.requireCount(1, QStringLiteral("FILE"), io)) return *code;
    const QString port = args.value(QStringLiteral("port"));
    const QString& path = args.positional()[0];
    // The file's place is checked before the board is read for a minute.
    if (!IniFile(path).canReplace()) {
        io.failed(QStringLiteral("board backup"), Cli::tr("cannot write %1").arg(path));
        return 1;
    }
    AppState state;
    state.link.setServices(&io);
    if (!OpenCliPort(state, port, io)) return 1;
    // The flow's error message is the cause the failure line names.
    io.holdErrors = true;
    BackupFlows flows(state.board, io);
    const std::optional<BoardBackup> backup = flows.Backup();
    state.link.ClosePort();
    if (!backup) {
        io.failed(QStringLiteral("board backup"), io.heldError());
        return 1;
    }
    if (!backup->Save(path)) {
        io.failed(QStringLiteral("board backup"), Cli::tr("cannot write %1").arg(path));
        return 1;
    }
    printNotes(flows, io);
    io.out() << Cli::tr("backed up %1 to %2").arg(BackupFlows::Summary(*backup), path) << Qt::endl;
    return 0;
}

// qvx board restore FILE --yes: writes a backup back onto the board. The file
// is read whole before anything is sent; a file that does not read is refused.
int CmdBoardRestore(const VerbArgs& args, CliServices& io) {
    if (const auto code = args.require(QStringLiteral("port"), io)) return *code;
    if (const auto code = args.requireCount(1, QStringLiteral("FILE"), io)) return *code;
    if (const auto code = args.require(QStringLiteral("yes"), io)) return *code;
    io.assumeYes = true;
    const QString port = args.value(QStringLiteral("port"));
    const QString& path = args.positional()[0];
    QString error;
    const std::optional<BoardBackup> backup = BoardBackup::Load(path, &error);
    if (!backup) {
        io.failed(QStringLiteral("board restore"), error);
        return 1;
    }
    // --yes answers the question, which is not shown; its warnings are.
    const QString warnings = BackupFlows::RestoreWarnings(*backup);
    if (!warnings.isEmpty())
        io.err() << QString(warnings).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                 << Qt::endl;
    AppState state;
    state.link.setServices(&io);
    BackupFlows flows(state.board, io);
    if (!BackupFlows::ConfirmRestore(io, *backup, path)) return 2;
    if (!OpenCliPort(state, port, io)) return 1;
    io.holdErrors = true;
    const bool ok = flows.Restore(*backup);
    state.link.ClosePort();
    if (!ok) {
        io.failed(QStringLiteral("board restore"), io.heldError());
        return 1;
    }
    printNotes(flows, io);
    io.out() << Cli::tr("restored %1 from %2").arg(BackupFlows::Summary(*backup), path) << Qt::endl;
    return 0;
}

} // namespace qvx
