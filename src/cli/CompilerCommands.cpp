#include "app/AppState.h"
#include "app/BoardFlows.h"
#include "cli/CliArgs.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "document/DocumentFile.h"

namespace qvx {

int OpenAndCompile(const VerbArgs& parsed, CliServices& io, AppState& state) {
    if (const auto code = parsed.requireCount(1, QStringLiteral("FILE"), io)) return *code;
    const QStringList& args = parsed.positional();
    if (!io.canRead(parsed.name(), args[0])) return 1;
    DocumentSource source = DocumentFile::ReadSource(args[0]);
    const int kind = DocumentFile::DetectFileKind(source);
    if (kind != MotionChart && kind != ScenarioChart && kind != DocumentFile::kPoseTable) {
        io.err() << Cli::tr("\"%1\" is not a document that can be compiled").arg(args[0])
                 << Qt::endl;
        return 1;
    }
    DocumentContext ctx{state.chart, state.header, io};
    const bool complete = kind == DocumentFile::kPoseTable
                              ? DocumentFile::ImportTable(ctx, source)
                              : DocumentFile::LoadDocument(ctx, source);
    if (!complete) return 1;
    const Chart& chart = state.chart;
    // The same compile flow as the window's compile button.
    BoardFlows flows(state, io);
    const bool ok = flows.Compile();
    if (!ok) {
        // An empty chart fails without a message box of its own.
        if (chart.items.empty())
            io.err() << Cli::tr("The chart has no items to compile") << Qt::endl;
        return 1;
    }
    return 0;
}

int CmdCompile(const VerbArgs& args, CliServices& io) {
    AppState state;
    if (const int status = OpenAndCompile(args, io, state)) return status;
    const QStringList& lines =
        state.compiler.showsScenario() ? state.compiler.hexRows() : state.compiler.listingLines();
    for (const QString& line : lines)
        io.out() << line << '\n';
    io.out().flush();
    return 0;
}

int CmdHex(const VerbArgs& args, CliServices& io) {
    AppState state;
    if (const int status = OpenAndCompile(args, io, state)) return status;
    for (const QString& row : state.compiler.hexRows())
        io.out() << row << '\n';
    io.out().flush();
    return 0;
}

} // namespace qvx
