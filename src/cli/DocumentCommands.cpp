#include "app/AppState.h"
#include "cli/CliArgs.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "document/DocumentFile.h"
#include "editor/ChartLayout.h"

namespace qvx {

namespace {
QString kindText(int kind) {
    switch (kind) {
    case MotionChart: return QStringLiteral("motion chart");
    case ScenarioChart: return QStringLiteral("scenario chart");
    case DocumentFile::kPoseTable: return QStringLiteral("pose table");
    default: return QStringLiteral("not usable");
    }
}

QString hex(quint32 v, int digits) {
    return QStringLiteral("0x") + QString::number(v, 16).toUpper().rightJustified(digits, u'0');
}
} // namespace

int CmdInfo(const VerbArgs& parsed, CliServices& io) {
    if (const auto code = parsed.requireCount(1, QStringLiteral("FILE"), io)) return *code;
    const QStringList& args = parsed.positional();
    if (!io.canRead(QStringLiteral("info"), args[0])) return 1;
    // A document is read once: what the kind was told from is loaded.
    DocumentSource source = DocumentFile::ReadSource(args[0]);
    const int kind = DocumentFile::DetectFileKind(source);
    io.out() << "kind: " << kind << " (" << kindText(kind) << ")" << Qt::endl;
    if (kind != MotionChart && kind != ScenarioChart && kind != DocumentFile::kPoseTable) return 1;
    AppState state;
    DocumentContext ctx{state.chart, state.header, io};
    const bool complete = kind == DocumentFile::kPoseTable
                              ? DocumentFile::ImportTable(ctx, source)
                              : DocumentFile::LoadDocument(ctx, source);
    io.out() << "name: " << state.header.MotionName << Qt::endl;
    io.out() << "port: " << hex(state.header.MotionPort, 6) << Qt::endl;
    io.out() << "ctrl: " << hex(state.header.MotionCtrl, 4) << Qt::endl;
    io.out() << "items: " << state.chart.itemCount() << Qt::endl;
    io.out() << "links: " << state.chart.linkCount() << Qt::endl;
    io.out() << "start: " << state.chart.startItem << Qt::endl;
    return complete ? 0 : 1;
}

int CmdResave(const VerbArgs& parsed, CliServices& io) {
    if (const auto code = parsed.requireCount(2, QStringLiteral("IN OUT"), io)) return *code;
    const QStringList& args = parsed.positional();
    if (!io.canRead(QStringLiteral("resave"), args[0])) return 1;
    AppState state;
    DocumentContext ctx{state.chart, state.header, io};
    if (!DocumentFile::OpenDocument(ctx, args[0])) return 1;
    const int problems = io.messageCount;
    if (!DocumentFile::SaveDocument(ctx, args[1], false)) return 1;
    return problems == 0 ? 0 : 1;
}

// qvx arrange: the canvas menu's "Arrange" on a document, saved to OUT.
int CmdArrange(const VerbArgs& parsed, CliServices& io) {
    if (const auto code = parsed.requireCount(2, QStringLiteral("IN OUT"), io)) return *code;
    QSize grid(10, 10);
    if (parsed.has(QStringLiteral("grid"))) {
        const QStringList wh = parsed.value(QStringLiteral("grid")).split(u',');
        const auto w = NumberIn(wh.value(0), 2, 1000),
                   h = NumberIn(wh.value(wh.size() > 1 ? 1 : 0), 2, 1000);
        if (wh.size() > 2 || !w || !h)
            return parsed.usage(QStringLiteral("--grid takes W,H or N, each from 2 to 1000"), io);
        grid = QSize(*w, *h);
    }
    const QStringList& args = parsed.positional();
    if (!io.canRead(QStringLiteral("arrange"), args[0])) return 1;
    AppState state;
    DocumentContext ctx{state.chart, state.header, io};
    if (const int status = ReadWholeDocument(ctx, args[0], "arranged", io)) return status;
    const ChartLayout::Result r = ChartLayout::Arrange(state.chart, grid);
    if (!r.arranged) {
        io.err() << r.failure << Qt::endl;
        return 1;
    }
    // The canvas grows to hold the arranged chart, as the window's does.
    ctx.canvas = ctx.canvas.expandedTo(r.extent + grid)
                     .boundedTo(QSize(DocumentFile::kMaxCanvas, DocumentFile::kMaxCanvas));
    if (!DocumentFile::SaveDocument(ctx, args[1], false)) return 1;
    io.out() << ChartLayout::DoneText(state.chart.itemCount()) << "; saved " << args[1] << Qt::endl;
    return 0;
}

} // namespace qvx
