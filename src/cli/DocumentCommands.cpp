#include "app/AppState.h"
#include "cli/CliArgs.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "document/DocumentFile.h"
#include "document/IniFile.h"

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
    IniFile ini;
    const int kind = DocumentFile::DetectFileKind(args[0], ini);
    io.out() << "kind: " << kind << " (" << kindText(kind) << ")" << Qt::endl;
    if (kind != MotionChart && kind != ScenarioChart && kind != DocumentFile::kPoseTable) return 1;
    AppState state;
    DocumentContext ctx{state.chart, state.header, io};
    const bool complete = kind == DocumentFile::kPoseTable ? DocumentFile::ImportTable(ctx, args[0])
                                                           : DocumentFile::LoadDocument(ctx, ini);
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

} // namespace qvx
