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
    case MotionChart:
        return QStringLiteral("motion chart");
    case ScenarioChart:
        return QStringLiteral("scenario chart");
    case DocumentFile::kPoseTable:
        return QStringLiteral("pose table");
    default:
        return QStringLiteral("not usable");
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
    // What qvx info prints is read by scripts: the same in every language.
    // not translated: a listing scripts read
    io.out() << "kind: " << kind << " (" << kindText(kind) << ")" << Qt::endl;
    if (kind != MotionChart && kind != ScenarioChart && kind != DocumentFile::kPoseTable) return 1;
    AppState state;
    DocumentContext ctx{state.chart, state.header, io};
    const bool complete = kind == DocumentFile::kPoseTable
                              ? DocumentFile::ImportTable(ctx, source)
                              : DocumentFile::LoadDocument(ctx, source);
    // not translated: a listing scripts read
    io.out() << "name: " << state.header.MotionName << Qt::endl
             << "port: " << hex(state.header.MotionPort, 6) << Qt::endl
             << "ctrl: " << hex(state.header.MotionCtrl, 4) << Qt::endl
             << "items: " << state.chart.itemCount() << Qt::endl
             << "links: " << state.chart.linkCount() << Qt::endl
             << "start: " << state.chart.startItem << Qt::endl;
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

QString PoseTableRefusal(const QString& path) {
    return Cli::tr("%1 is a pose table, not a QMX document; make a document of it first "
                   "(qvx resave)")
        .arg(path);
}

QString CannotOpenText(const QString& path) {
    return Cli::tr("cannot open %1: %2").arg(path, DocumentFile::CantUseText());
}

QString NoItemText(const QString& path, int n, int itemCount) {
    return itemCount > 0 ? Cli::tr("%1 has no item %2 (its items are Item0 to Item%3)")
                               .arg(path)
                               .arg(n)
                               .arg(itemCount - 1)
                         : Cli::tr("%1 has no item %2 (it holds no items)").arg(path).arg(n);
}

QString NotPosItemText(const QString& path, int n, const QString& name, const QString& kind) {
    return Cli::tr("%1: item %2 (\"%3\") is a %4 item, not a POS item")
        .arg(path)
        .arg(n)
        .arg(name, kind);
}

QString BadSlotText(bool scenario, const QString& given) {
    return (scenario ? Cli::tr("--slot must be a scenario slot 0..%1, not %2")
                     : Cli::tr("--slot must be a motion slot 0..%1, not %2"))
        .arg(scenario ? QmxBoard::kScenarioSlots - 1 : QmxBoard::kMotionSlots - 1)
        .arg(given);
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
            return parsed.usage(Cli::tr("--grid takes W,H or N, each from 2 to 1000"), io);
        grid = QSize(*w, *h);
    }
    const QStringList& args = parsed.positional();
    if (!io.canRead(QStringLiteral("arrange"), args[0])) return 1;
    AppState state;
    DocumentContext ctx{state.chart, state.header, io};
    if (const int status =
            ReadWholeDocument(ctx, args[0], QT_TRANSLATE_NOOP("qvx::Cli", "arranged"), io))
        return status;
    const ChartLayout::Result r = ChartLayout::Arrange(state.chart, grid);
    if (!r.arranged) {
        io.err() << r.failure << Qt::endl;
        return 1;
    }
    // The canvas grows to hold the arranged chart, as the window's does.
    ctx.canvas = ctx.canvas.expandedTo(r.extent + grid)
                     .boundedTo(QSize(DocumentFile::kMaxCanvas, DocumentFile::kMaxCanvas));
    if (!DocumentFile::SaveDocument(ctx, args[1], false)) return 1;
    io.out() << Cli::tr("%1; saved %2").arg(ChartLayout::DoneText(state.chart.itemCount()), args[1])
             << Qt::endl;
    return 0;
}

} // namespace qvx
