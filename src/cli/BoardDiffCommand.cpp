#include "app/AppState.h"
#include "cli/CliPort.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "compiler/MotionCompare.h"
#include "document/DocumentFile.h"

namespace qvx {

// qvx board diff FILE --slot N: compiles the motion document and compares it
// with what motion slot N holds. Exit 0 when they are the same, 1 when they
// differ or the board cannot be read.
int RunBoardDiff(const QString& port, const QString& path, int slot, CliServices& io) {
    AppState state;
    state.link.setServices(&io);
    DocumentContext ctx{state.chart, state.header, io};
    if (!DocumentFile::OpenDocument(ctx, path)) {
        io.err() << "cannot open " << path << Qt::endl;
        return 1;
    }
    if (state.chart.documentKind == ScenarioChart) {
        io.err() << path << " is a scenario; diff compares motions" << Qt::endl;
        return 1;
    }
    if (!state.compiler.CompileMotionChart(state.chart, io)) {
        io.err() << "cannot compile " << path << Qt::endl;
        return 1;
    }
    const std::vector<MotionRecord> file = state.compiler.MotionImage();

    if (!OpenCliPort(state.link, port, io)) return 1;
    // Read as the read flow does: asleep while the slot is read, woken after.
    BoardCommands& board = state.board;
    QByteArray entry;
    std::vector<MotionRecord> held;
    bool ok = board.SetSleep(0) && board.ReadTableEntry(slot, entry);
    for (int i = 0; ok && i < MotionTable::EntryCount(entry); ++i) {
        MotionRecord r;
        ok = board.ReadMotionRecord(true, slot, i, r);
        held.push_back(r);
    }
    ok = board.SetSleep(1) && ok;
    state.link.ClosePort();
    if (!ok) {
        io.err() << "qvx board diff failed" << Qt::endl;
        return 1;
    }
    const QStringList differences = MotionCompare::Differences(file, state.header, entry, held);
    const QString target = QStringLiteral("M") + QString::number(slot + 1);
    if (differences.isEmpty()) {
        io.out() << target << " holds " << path << Qt::endl;
        return 0;
    }
    io.out() << target << " differs from " << path << ":" << Qt::endl;
    for (const QString& line : differences)
        io.out() << line << Qt::endl;
    return 1;
}

} // namespace qvx
