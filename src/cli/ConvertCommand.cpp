#include "app/AppState.h"
#include "app/Settings.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "base/CommaList.h"
#include "document/DocumentFile.h"
#include "editor/Conversion.h"
#include "pose/PatternFile.h"

namespace qvx {

namespace {

const char* kUsage = "usage: qvx convert IN OUT (--pattern NAME | --entries LIST) [--items LIST]";


int usage(CliServices& io) {
    io.err() << kUsage << Qt::endl;
    return 2;
}

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
std::optional<QList<int>> parseItems(const QString& text, CliServices& io) {
    QList<int> items;
    for (const QString& field : text.split(u',')) {
        bool ok = false;
        const int n = field.trimmed().toInt(&ok);
        if (!ok || n < 0) {
            io.err() << "\"" << field << "\" in --items is no item number" << Qt::endl;
            return std::nullopt;
        }
        items << n;
    }
    return items;
}

// Reads the document to convert. Only a QMX document read whole will do: what
// was only partly read would be saved without the rest of it. Returns the exit
// status when it cannot be used, else 0.
int readDocument(DocumentContext& ctx, const QString& path, CliServices& io) {
    const int kind = DocumentFile::DetectFileKind(path);
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
    if (!DocumentFile::LoadDocument(ctx, path) || io.messageCount != problems) {
        io.err() << path << " was not read completely; nothing was converted" << Qt::endl;
        return 1;
    }
    // The file's own canvas size goes into the result, not the editor's minimum.
    ctx.canvas = ctx.loadedCanvas;
    return 0;
}

QString itemList(const QList<int>& items) {
    QStringList parts;
    for (int n : items)
        parts << QString::number(n);
    return parts.join(u',');
}

} // namespace

// qvx convert: the canvas menu's "Conversion" on the items of a document, with
// a stored conversion pattern or entries given on the command line.
int CmdConvert(const QStringList& args, CliServices& io) {
    QStringList files;
    QString patternName, entriesText, itemsText;
    bool havePattern = false, haveEntries = false, haveItems = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--pattern") && hasValue && !havePattern) {
            patternName = args[++i];
            havePattern = true;
        } else if (a == QLatin1String("--entries") && hasValue && !haveEntries) {
            entriesText = args[++i];
            haveEntries = true;
        } else if (a == QLatin1String("--items") && hasValue && !haveItems) {
            itemsText = args[++i];
            haveItems = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            return usage(io);
        } else {
            files << a;
        }
    }
    if (files.size() != 2 || havePattern == haveEntries) return usage(io);
    if (havePattern && patternName.isEmpty()) return usage(io);

    ConversionEntries entries;
    if (haveEntries) {
        const QStringList given = CommaList::split(entriesText);
        if (given.size() != kChannelCount) {
            io.err() << "--entries holds " << given.size() << " entries; " << kChannelCount
                     << " are needed, one per channel (empty for no entry)" << Qt::endl;
            return usage(io);
        }
        for (size_t k = 0; k < entries.size(); ++k)
            entries[k] = given[qsizetype(k)];
    }
    std::optional<QList<int>> listed;
    if (haveItems && !(listed = parseItems(itemsText, io))) return usage(io);
    if (havePattern)
        if (const int status = readPattern(patternName, entries, io)) return status;

    const QString& in = files[0];
    const QString& out = files[1];
    AppState state;
    DocumentContext ctx{state.chart, state.header, io};
    if (const int status = readDocument(ctx, in, io)) return status;
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
