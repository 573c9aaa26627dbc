#include "app/AppState.h"
#include "cli/CliArgs.h"
#include "cli/CliPort.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "compiler/MotionCompare.h"
#include "document/DocumentFile.h"

namespace qvx {

// qvx board diff FILE --slot N: compiles the document and compares it with
// what motion slot N holds (scenario slot N for a scenario document). Exit 0 when they are the
// same, 1 when they differ or the board cannot be read.
int CmdBoardDiff(const VerbArgs& args, CliServices& io) {
    if (const auto code = args.require(QStringLiteral("port"), io)) return *code;
    if (const auto code = args.requireCount(1, QStringLiteral("FILE"), io)) return *code;
    if (const auto code = args.require(QStringLiteral("slot"), io)) return *code;
    const QString& port = args.value(QStringLiteral("port"));
    const QString& path = args.positional()[0];
    if (!io.canRead(args.name(), path)) return 1;
    AppState state;
    state.link.setServices(&io);
    DocumentContext ctx{state.chart, state.header, io};
    if (!DocumentFile::OpenDocument(ctx, path)) {
        io.failed(QStringLiteral("board diff"), Cli::tr("cannot open %1").arg(path));
        return 1;
    }
    const bool scenario = state.chart.documentKind == ScenarioChart;
    const int slotCount = scenario ? QmxBoard::kScenarioSlots : QmxBoard::kMotionSlots;
    const std::optional<int> given = NumberIn(args.value(QStringLiteral("slot")), 0, slotCount - 1);
    if (!given) return args.usage(BadSlotText(scenario, args.value(QStringLiteral("slot"))), io);
    const int slot = *given;
    const bool compiled = scenario ? state.compiler.CompileScenarioChart(state.chart, io)
                                   : state.compiler.CompileMotionChart(state.chart, io);
    if (!compiled) {
        io.failed(QStringLiteral("board diff"), Cli::tr("cannot compile %1").arg(path));
        return 1;
    }
    // What a write would send, taken before the first exchange.
    const std::vector<MotionRecord> file = state.compiler.MotionImage();
    std::vector<int> fileSteps;
    for (int k = 0; scenario && k < std::min(state.compiler.StepCount(), QmxBoard::kScenarioSteps);
         ++k) {
        const int item = state.compiler.StepItem()[size_t(k)];
        fileSteps.push_back(state.chart.validItem(item) ? state.chart.items[size_t(item)].lead
                                                        : -1);
    }

    if (!OpenCliPort(state, port, io)) return 1;
    // Read as the read flow does: asleep while the slot is read, woken after.
    BoardCommands& board = state.board;
    const int entryIndex = scenario ? QmxBoard::kScenarioEntryBase + slot : slot;
    QByteArray entry;
    std::vector<MotionRecord> held;
    std::vector<int> heldSteps;
    const bool asleep = board.SetSleep(0);
    bool ok = asleep && board.ReadTableEntry(entryIndex, entry);
    const int count = MotionTable::EntryCount(entry);
    for (int i = 0; ok && !scenario && i < count; ++i) {
        MotionRecord r;
        ok = board.ReadMotionRecord(true, slot, i, r);
        held.push_back(r);
    }
    for (int i = 0; ok && scenario && i < std::min(count, QmxBoard::kScenarioSteps); ++i) {
        int motion = 0;
        ok = board.ReadScenarioStep(slot, i, motion);
        heldSteps.push_back(motion);
    }
    // The read's own failure is the one to name: waking would overwrite it.
    QString failure;
    if (!asleep)
        failure = state.link.failureWith(BoardCommands::SleepFailedText());
    else if (!ok)
        failure = state.link.failureWith(
            Cli::tr("reading %1 failed").arg(MotionTable::Caption(entryIndex)));
    // Woken even when the sleep was not confirmed: the board may have taken it.
    if (!board.SetSleep(1) && asleep)
        failure = BoardCommands::LeftAsleep(
            ok ? state.link.failureWith(BoardCommands::WakeFailedText()) : failure);
    state.link.ClosePort();
    if (!failure.isEmpty()) {
        io.failed(QStringLiteral("board diff"), failure);
        return 1;
    }
    const QStringList differences =
        scenario ? MotionCompare::ScenarioDifferences(fileSteps, state.header, entry, heldSteps)
                 : MotionCompare::Differences(file, state.header, entry, held);
    const QString target = MotionTable::Caption(entryIndex);
    if (differences.isEmpty()) {
        io.out() << Cli::tr("%1 holds %2").arg(target, path) << Qt::endl;
        return 0;
    }
    io.out() << Cli::tr("%1 differs from %2:").arg(target, path) << Qt::endl;
    for (const QString& line : differences)
        io.out() << line << Qt::endl;
    return 1;
}

} // namespace qvx
