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
        io.err() << "cannot read " << patterns.path() << Qt::endl;
        return 1;
    }
    const std::optional<PatternFile::Pattern> pattern =
        patterns.pattern(PatternFile::Kind::Conversion, name);
    if (!pattern) {
        const QStringList names = patterns.names(PatternFile::Kind::Conversion);
        io.err() << "there is no conversion pattern \"" << name << "\" in " << patterns.path();
        if (names.isEmpty())
            io.err() << " (it holds none)";
        else
            io.err() << " (its conversion patterns: \"" << names.join(QStringLiteral("\", \""))
                     << "\")";
        io.err() << Qt::endl;
        return 2;
    }
    if (const std::optional<QString> problem = pattern->incompleteText(name)) {
        io.err() << "conversion pattern " << *problem << "; it cannot be used" << Qt::endl;
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
        io.err() << path
                 << " is a pose table, not a QMX document; make a document of it first "
                    "(qvx resave)"
                 << Qt::endl;
        return 2;
    }
    if (kind != MotionChart && kind != ScenarioChart) {
        io.err() << "cannot open " << path << ": " << DocumentFile::CantUseText() << Qt::endl;
        return 1;
    }
    const int problems = io.messageCount;
    if (!DocumentFile::LoadDocument(ctx, source) || io.messageCount != problems) {
        io.err() << path << " was not read completely; nothing was " << done << Qt::endl;
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
        return args.usage(QStringLiteral("give one of --pattern and --entries"), io);
    if (havePattern && patternName.isEmpty())
        return args.usage(QStringLiteral("--pattern needs a name"), io);

    ConversionEntries entries;
    if (haveEntries) {
        const QStringList given = CommaList::split(args.value(QStringLiteral("entries")));
        if (given.size() != kChannelCount)
            return args.usage(QStringLiteral("--entries holds %1 entries; %2 are needed, one per "
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
        if (!listed)
            return args.usage(QStringLiteral("\"%1\" in --items is no item number").arg(bad), io);
    }
    if (havePattern)
        if (const int status = readPattern(patternName, entries, io)) return status;

    const QString& in = args.positional()[0];
    const QString& out = args.positional()[1];
    AppState state;
    DocumentContext ctx{state.chart, state.header, io};
    if (const int status = ReadWholeDocument(ctx, in, "converted", io)) return status;
    Chart& chart = state.chart;
    if (listed) {
        for (int n : *listed) {
            if (chart.validItem(n)) continue;
            io.err() << in << " has no item " << n;
            if (chart.itemCount() > 0)
                io.err() << " (its items are Item0 to Item" << chart.itemCount() - 1 << ")";
            else
                io.err() << " (it holds no items)";
            io.err() << Qt::endl;
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
    if (const std::optional<QString> refused = ApplyConversion(chart, entries, patternName, &changed)) {
        io.err() << *refused << Qt::endl;
        return 1;
    }
    for (const QString& note : ConversionNotes(entries, patternName))
        io.err() << note << Qt::endl;
    if (!DocumentFile::SaveDocument(ctx, out, false)) return 1;

    QTextStream& o = io.out();
    if (converted.isEmpty())
        o << "no item was converted";
    else
        o << "converted item" << (converted.size() > 1 ? "s " : " ") << itemList(converted);
    if (havePattern) o << " with conversion pattern \"" << patternName << "\"";
    if (!skipped.isEmpty())
        o << "; CMP item" << (skipped.size() > 1 ? "s " : " ") << itemList(skipped)
          << " left unchanged";
    if (!converted.isEmpty() && changed == 0) o << "; no value changed";
    o << "; saved " << out << Qt::endl;
    return 0;
}

} // namespace qvx
