#include "app/AppState.h"
#include "board/BackupFlows.h"
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
int RunBoardBackup(const QString& port, const QString& path, CliServices& io) {
    // The file's place is checked before the board is read for a minute.
    if (!IniFile(path).canReplace()) {
        io.err() << "cannot write " << path << Qt::endl;
        return 1;
    }
    AppState state;
    state.link.setServices(&io);
    if (!OpenCliPort(state, port, io)) return 1;
    BackupFlows flows(state.board, io);
    const std::optional<BoardBackup> backup = flows.Backup();
    state.link.ClosePort();
    if (!backup) {
        io.err() << "qvx board backup failed" << Qt::endl;
        return 1;
    }
    if (!backup->Save(path)) {
        io.err() << "cannot write " << path << Qt::endl;
        return 1;
    }
    printNotes(flows, io);
    io.out() << "backed up " << BackupFlows::Summary(*backup) << " to " << path << Qt::endl;
    return 0;
}

// qvx board restore FILE --yes: writes a backup back onto the board. The file
// is read whole before anything is sent; a file that does not read is refused.
int RunBoardRestore(const QString& port, const QString& path, CliServices& io) {
    QString error;
    const std::optional<BoardBackup> backup = BoardBackup::Load(path, &error);
    if (!backup) {
        io.err() << error << Qt::endl;
        return 1;
    }
    if (!io.assumeYes) {
        io.err() << "Restoring overwrites the whole board; give --yes to restore." << Qt::endl;
        return 2;
    }
    AppState state;
    state.link.setServices(&io);
    BackupFlows flows(state.board, io);
    if (!BackupFlows::ConfirmRestore(io, *backup, path)) return 2;
    if (!OpenCliPort(state, port, io)) return 1;
    const bool ok = flows.Restore(*backup);
    state.link.ClosePort();
    if (!ok) {
        io.err() << "qvx board restore failed" << Qt::endl;
        return 1;
    }
    printNotes(flows, io);
    io.out() << "restored " << BackupFlows::Summary(*backup) << " from " << path << Qt::endl;
    return 0;
}

} // namespace qvx
