#include "app/AppState.h"
#include "app/BoardFlows.h"
#include "board/BoardBackup.h"
#include "checks/ModelChecks.h"
#include "cli/CliArgs.h"
#include "cli/CliPort.h"
#include "cli/CliRobot.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "document/DocumentFile.h"

#include <algorithm>

namespace qvx {

namespace {

// Reads what the checks compare the chart with from the board: the stored
// option word and analog references, and the table entries of the slots a
// motion of `records` records written to `slot` runs into. Only reads.
// Empty on success, else the failure with its cause.
QString readBoard(AppState& state, int slot, int records, BoardCheckSettings& settings) {
    BoardCommands& board = state.board;
    if (!board.ReadOptionWord(true, settings.optionWord))
        return state.link.failureWith(Cli::tr("reading the option word failed"));
    if (!board.ReadAdReference(true, settings.adReference))
        return state.link.failureWith(Cli::tr("reading the analog references failed"));
    if (slot < 0 || records <= QmxBoard::kRecordsPerSlot) return {};
    const int last =
        std::min(slot + (records - 1) / QmxBoard::kRecordsPerSlot, QmxBoard::kMotionSlots - 1);
    for (int s = slot + 1; s <= last; ++s) {
        QByteArray entry;
        if (!board.ReadTableEntry(s, entry))
            return state.link.failureWith(
                Cli::tr("reading the table entry of %1 failed").arg(MotionTable::Caption(s)));
        state.table.ShowTableRow(entry, s);
    }
    return {};
}

} // namespace

// qvx check FILE [--port DEVICE [--slot N]] [--backup FILE] [--model URDF]: the checks
// before writing, one finding a line; exit 1 when any is an error (or the
// chart does not compile), 0 otherwise.
int CmdCheck(const VerbArgs& args, CliServices& io) {
    if (const auto code = args.requireCount(1, QStringLiteral("FILE"), io)) return *code;
    const bool port = args.has(QStringLiteral("port"));
    const bool backup = args.has(QStringLiteral("backup"));
    if (port && backup) return args.usage(Cli::tr("give --port or --backup, not both"), io);
    if (args.has(QStringLiteral("slot")) && !port)
        return args.usage(Cli::tr("--slot needs the board given with --port"), io);
    std::optional<int> slot;
    if (args.has(QStringLiteral("slot"))) {
        slot = NumberIn(args.value(QStringLiteral("slot")), 0, QmxBoard::kMotionSlots - 1);
        if (!slot) return args.usage(BadSlotText(false, args.value(QStringLiteral("slot"))), io);
    }
    const QString& path = args.positional()[0];
    if (!io.canRead(args.name(), path)) return 1;
    AppState state;
    state.link.setServices(&io);
    BoardFlows flows(state, io);
    if (backup) {
        const QString backupPath = args.value(QStringLiteral("backup"));
        if (!io.canRead(args.name(), backupPath)) return 1;
        QString error;
        const std::optional<BoardBackup> b = BoardBackup::Load(backupPath, &error);
        if (!b) {
            io.failed(QStringLiteral("check"),
                      Cli::tr("%1 is no backup: %2").arg(backupPath, error));
            return 1;
        }
        flows.checkOptions.board = BoardCheckSettings::FromBackup(*b);
    }
    // The robot model's checks, on the items' poses and the motion as played.
    std::optional<ModelChecks> modelChecks;
    if (args.has(QStringLiteral("model"))) {
        const std::optional<CliRobot> robot =
            LoadCliRobot(args.value(QStringLiteral("model")), QStringLiteral("check"), io);
        if (!robot) return 1;
        modelChecks.emplace(robot->model, robot->mapping);
        for (const QString& note : modelChecks->skipped())
            io.note(QStringLiteral("check"), note);
        flows.moreChecks = [&modelChecks](const Chart& chart,
                                          const std::vector<PoseInstant>& instants) {
            return modelChecks->check(chart, instants);
        };
    }
    DocumentContext ctx{state.chart, state.header, io};
    if (!DocumentFile::OpenDocument(ctx, path)) {
        io.failed(QStringLiteral("check"), Cli::tr("cannot open %1").arg(path));
        return 1;
    }
    // The same compile, with its checks, as the window's; its error boxes go
    // to standard error.
    const bool compiled = flows.Compile();
    if (port) {
        if (!OpenCliPort(state, args.value(QStringLiteral("port")), io)) return 1;
        const bool motion = state.chart.documentKind == MotionChart;
        const int records = compiled && motion ? int(state.compiler.MotionImage().size()) : 0;
        BoardCheckSettings settings;
        const QString failure = readBoard(state, slot.value_or(-1), records, settings);
        state.link.ClosePort();
        if (!failure.isEmpty()) {
            io.failed(QStringLiteral("check"), failure);
            return 1;
        }
        flows.checkOptions.board = settings;
        flows.RunChecks(slot.value_or(-1));
    }
    for (const Finding& f : flows.findings())
        io.out() << FindingLine(f, state.chart) << '\n';
    io.out().flush();
    if (!compiled) {
        io.note(QStringLiteral("check"), Cli::tr("%1 does not compile").arg(path));
        return 1;
    }
    return AnyError(flows.findings()) ? 1 : 0;
}

} // namespace qvx
