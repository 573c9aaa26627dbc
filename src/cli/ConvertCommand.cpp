#include "app/AppState.h"
#include "app/Settings.h"
#include "base/CommaList.h"
#include "cli/CliArgs.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "document/DocumentFile.h"
#include "editor/Conversion.h"
#include "pose/PatternFile.h"

namespace qvx {

namespace {

// The named conversion pattern of PATTERN.ini. Returns the exit status when it
// cannot be used, else 0.
int readPattern(const QString& name, ConversionEntries& entries, CliServices& io) {
    PatternFile patterns(PatternFile::PathIn(Settings::ConfigDir()));
    if (!patterns.load()) {
        io.err() << Cli::tr("cannot read %1").arg(patterns.path()) << Qt::endl;
        return 1;
    }
    const std::optional<PatternFile::Pattern> pattern =
        patterns.pattern(PatternFile::Kind::Conversion, name);
    if (!pattern) {
        const QStringList names = patterns.names(PatternFile::Kind::Conversion);
        io.err() << (names.isEmpty()
                         ? Cli::tr("there is no conversion pattern \"%1\" in %2 (it holds none)")
                               .arg(name, patterns.path())
                         : Cli::tr("there is no conversion pattern \"%1\" in %2 (its conversion "
                                   "patterns: \"%3\")")
                               .arg(name, patterns.path(), names.join(QStringLiteral("\", \""))))
                 << Qt::endl;
        return 2;
    }
    if (const std::optional<QString> problem = pattern->incompleteText(name)) {
        io.err() << Cli::tr("conversion pattern %1; it cannot be used").arg(*problem) << Qt::endl;
        return 1;
    }
    entries = pattern->entries;
    return 0;
}

// The item numbers of --items, checked against nothing but their form.
std::optional<QList<int>> parseItems(const QString& text, QString& bad) {
    QList<int> items;
    for (const QString& field : text.split(u',')) {
        bool ok = false;
        const int n = field.trimmed().toInt(&ok);
        if (!ok || n < 0) {
            bad = field;
            return std::nullopt;
        }
        items << n;
    }
    return items;
}

QString itemList(const QList<int>& items) {
    QStringList parts;
    for (int n : items)
        parts << QString::number(n);
    return parts.join(u',');
}

} // namespace

int ReadWholeDocument(DocumentContext& ctx, const QString& path, const char* done,
                      CliServices& io) {
    DocumentSource source = DocumentFile::ReadSource(path);
    const int kind = DocumentFile::DetectFileKind(source);
    if (kind == DocumentFile::kPoseTable) {
        io.err() << PoseTableRefusal(path) << Qt::endl;
        return 2;
    }
    if (kind != MotionChart && kind != ScenarioChart) {
        io.err() << CannotOpenText(path) << Qt::endl;
        return 1;
    }
    const int problems = io.messageCount;
    if (!DocumentFile::LoadDocument(ctx, source) || io.messageCount != problems) {
        io.err() << Cli::tr("%1 was not read completely; nothing was %2").arg(path, Cli::tr(done))
                 << Qt::endl;
        return 1;
    }
    // The file's own canvas size goes into the result, not the editor's minimum.
    ctx.canvas = ctx.loadedCanvas;
    return 0;
}

// qvx convert: the canvas menu's "Conversion" on the items of a document, with
// a stored conversion pattern or entries given on the command line.
int CmdConvert(const VerbArgs& args, CliServices& io) {
    if (const auto code = args.requireCount(2, QStringLiteral("IN OUT"), io)) return *code;
    const bool havePattern = args.has(QStringLiteral("pattern"));
    const bool haveEntries = args.has(QStringLiteral("entries"));
    const QString patternName = args.value(QStringLiteral("pattern"));
    if (havePattern == haveEntries)
        return args.usage(Cli::tr("give one of --pattern and --entries"), io);
    if (havePattern && patternName.isEmpty())
        return args.usage(Cli::tr("--pattern needs a name"), io);

    ConversionEntries entries;
    if (haveEntries) {
        const QStringList given = CommaList::split(args.value(QStringLiteral("entries")));
        if (given.size() != kChannelCount)
            return args.usage(Cli::tr("--entries holds %1 entries; %2 are needed, one per "
                                      "channel (empty for no entry)")
                                  .arg(given.size())
                                  .arg(kChannelCount),
                              io);
        for (size_t k = 0; k < entries.size(); ++k)
            entries[k] = given[qsizetype(k)];
    }
    std::optional<QList<int>> listed;
    if (args.has(QStringLiteral("items"))) {
        QString bad;
        listed = parseItems(args.value(QStringLiteral("items")), bad);
        if (!listed) return args.usage(Cli::tr("\"%1\" in --items is no item number").arg(bad), io);
    }
    if (havePattern)
        if (const int status = readPattern(patternName, entries, io)) return status;

    const QString& in = args.positional()[0];
    const QString& out = args.positional()[1];
    AppState state;
    DocumentContext ctx{state.chart, state.header, io};
    if (const int status =
            ReadWholeDocument(ctx, in, QT_TRANSLATE_NOOP("qvx::Cli", "converted"), io))
        return status;
    Chart& chart = state.chart;
    if (listed) {
        for (int n : *listed) {
            if (chart.validItem(n)) continue;
            io.err() << NoItemText(in, n, chart.itemCount()) << Qt::endl;
            return 2;
        }
    }

    // The selection the canvas menu would convert: the listed items, or all.
    QList<int> converted, skipped;
    for (int n = 0; n < chart.itemCount(); ++n) {
        Item& item = chart.items[size_t(n)];
        item.selected = !listed || listed->contains(n);
        if (item.selected) (item.kind == KindCmp ? skipped : converted) << n;
    }
    int changed = 0;
    if (const std::optional<QString> refused =
            ApplyConversion(chart, entries, patternName, &changed)) {
        io.err() << *refused << Qt::endl;
        return 1;
    }
    for (const QString& note : ConversionNotes(entries, patternName))
        io.err() << note << Qt::endl;
    if (!DocumentFile::SaveDocument(ctx, out, false)) return 1;

    QString done = converted.isEmpty()    ? Cli::tr("no item was converted")
                   : converted.size() > 1 ? Cli::tr("converted items %1").arg(itemList(converted))
                                          : Cli::tr("converted item %1").arg(itemList(converted));
    if (havePattern) done = Cli::tr("%1 with conversion pattern \"%2\"").arg(done, patternName);
    QStringList clauses{done};
    if (!skipped.isEmpty())
        clauses << (skipped.size() > 1 ? Cli::tr("CMP items %1 left unchanged")
                                       : Cli::tr("CMP item %1 left unchanged"))
                       .arg(itemList(skipped));
    if (!converted.isEmpty() && changed == 0) clauses << Cli::tr("no value changed");
    clauses << Cli::tr("saved %1").arg(out);
    io.out() << clauses.join(QStringLiteral("; ")) << Qt::endl;
    return 0;
}

} // namespace qvx
