#include "document/DocumentFile.h"

#include "base/Services.h"
#include "base/CommaList.h"
#include "base/Cp932.h"
#include "document/IniFile.h"

#include <charconv>
#include <limits>
#include <optional>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QVarLengthArray>

namespace qvx {

namespace {

const QString kHead = QStringLiteral("GraphicalEdit");
const char* const kDiscard = QT_TRANSLATE_NOOP(
    "DocumentFile", "Do you prepared for the disappearance of all the present data?");

QString itemSection(int n) { return QStringLiteral("Item") + QString::number(n); }
QString linkSection(int n) { return QStringLiteral("Link") + QString::number(n); }

int intOr(const QString& text, int def) {
    int v = 0;
    return IniFile::parseInteger(text, v) ? v : def;
}

bool inCoordinateRange(int v) {
    return v >= -DocumentFile::kMaxCoordinate && v <= DocumentFile::kMaxCoordinate;
}

// An index of the file moved behind the items already in the chart; an index
// that would pass the end of the integer range can name no item (-2).
int shiftedIndex(int index, int by) {
    const qint64 shifted = qint64(index) + by;
    return shifted > std::numeric_limits<int>::max() ? -2 : int(shifted);
}

QString fileLabel(const QString& fileName) { return QFileInfo(fileName).fileName(); }

void report(Services& services, const QStringList& problems) {
    if (problems.isEmpty()) return;
    services.ShowMessageBox(MsgIcon::Warning, MsgButtons::Ok, 0, MsgLanguage::English,
                            problems.join(u'\n'));
}

// Why an item read from a file cannot be taken into a chart: a place or size
// outside the range a chart can hold, or a parameter list too short to fill it.
// Empty when it can be taken.
QString itemFault(const Item& it, std::optional<qsizetype> prmCount) {
    const std::pair<const char*, int> geometry[] = {
        {"Width", it.width}, {"Height", it.height}, {"Left", it.left}, {"Top", it.top}};
    for (const auto& [key, value] : geometry) {
        if (!inCoordinateRange(value)) {
            return QCoreApplication::translate(
                       "DocumentFile", "%1=%2 lies outside the range a chart can hold (%3 to %4)")
                .arg(QLatin1String(key))
                .arg(value)
                .arg(-DocumentFile::kMaxCoordinate)
                .arg(DocumentFile::kMaxCoordinate);
        }
    }
    if (prmCount)
        return QCoreApplication::translate("DocumentFile", "the Prm value has %1 of %2 numbers")
            .arg(*prmCount)
            .arg(1 + kChannelCount);
    return {};
}

QString pointFaultText(const DocumentSource::PointFault& fault) {
    if (!fault.number)
        return QCoreApplication::translate("DocumentFile",
                                           "the Point value holds \"%1\", which is not a number")
            .arg(fault.field);
    return QCoreApplication::translate(
               "DocumentFile", "the Point value holds %1, outside the range a chart can hold "
                               "(%2 to %3)")
        .arg(fault.value)
        .arg(-DocumentFile::kMaxCoordinate)
        .arg(DocumentFile::kMaxCoordinate);
}

// Decimal digits with a leading minus, as QString::number writes them.
void appendNumber(QByteArray& out, int v) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
    out.append(digits, end - digits);
}

void clearFor(DocumentContext& ctx) {
    if (ctx.clearChart) ctx.clearChart();
    else ctx.chart.ClearChart();
}

} // namespace

QString DocumentFile::SaveName(const QString& fileName, bool qmxFilter) {
    if (!qmxFilter) return fileName;
    const int slash = fileName.lastIndexOf(u'/');
    const int dot = fileName.lastIndexOf(u'.');
    const QString stem = dot > slash ? fileName.left(dot) : fileName;
    return stem + QStringLiteral(".QMX");
}

namespace {
// The document's sections, written into ini.
void writeDocument(const DocumentContext& ctx, IniWriter& ini) {
    const Chart& chart = ctx.chart;
    ini.beginSection(kHead);
    ini.write(QLatin1StringView("Type"), chart.documentKind);
    ini.write(QLatin1StringView("Width"), ctx.canvas.width());
    ini.write(QLatin1StringView("Height"), ctx.canvas.height());
    ini.write(QLatin1StringView("Items"), chart.itemCount());
    ini.write(QLatin1StringView("Links"), chart.linkCount());
    ini.write(QLatin1StringView("Start"), chart.startItem);
    ini.write(QLatin1StringView("Name"), ctx.header.MotionName);
    // Port and Ctrl have always been written as signed 32-bit numbers.
    ini.write(QLatin1StringView("Port"), int(ctx.header.MotionPort));
    ini.write(QLatin1StringView("Ctrl"), int(ctx.header.MotionCtrl));
    QByteArray list;
    for (int n = 0; n < chart.itemCount(); ++n) {
        const Item& it = chart.items[size_t(n)];
        ini.beginSection(itemSection(n));
        ini.write(QLatin1StringView("Name"), it.name);
        ini.write(QLatin1StringView("Width"), it.width);
        ini.write(QLatin1StringView("Height"), it.height);
        ini.write(QLatin1StringView("Left"), it.left);
        ini.write(QLatin1StringView("Top"), it.top);
        ini.write(QLatin1StringView("Color"), int(it.colour));
        ini.write(QLatin1StringView("Type"), it.kind);
        // The parameter list is made in place: at most 25 numbers of 5 digits.
        char prm[(1 + kChannelCount) * 6];
        char* end = std::to_chars(prm, prm + sizeof prm, it.lead).ptr;
        for (quint16 v : it.values) {
            *end++ = ',';
            end = std::to_chars(end, prm + sizeof prm, v).ptr;
        }
        ini.writeAscii(QLatin1StringView("Prm"), QByteArrayView(prm, end - prm));
    }
    for (int n = 0; n < chart.linkCount(); ++n) {
        const Link& l = chart.links[size_t(n)];
        ini.beginSection(linkSection(n));
        ini.write(QLatin1StringView("Main"), l.kind);
        ini.write(QLatin1StringView("Origin"), l.origin);
        ini.write(QLatin1StringView("Final"), l.final);
        // Emptied, keeping its room for the next link.
        list.resize(0);
        for (const QPoint& p : l.points) {
            if (!list.isEmpty()) list += ',';
            appendNumber(list, p.x());
            list += ',';
            appendNumber(list, p.y());
        }
        ini.writeAscii(QLatin1StringView("Point"), list);
    }
}
} // namespace

QByteArray DocumentFile::DocumentBytes(const DocumentContext& ctx) {
    IniWriter ini;
    writeDocument(ctx, ini);
    return ini.finish();
}

QString DocumentFile::DocumentText(const DocumentContext& ctx) {
    return Cp932::decode(DocumentBytes(ctx));
}

bool DocumentFile::SaveDocument(DocumentContext& ctx, const QString& fileName, bool qmxFilter) {
    const QString name = SaveName(fileName, qmxFilter);
    // The place is tried first: an old file that cannot be read (no regular
    // file, too large, not readable) or a place where no new file can be made
    // refuses the save before anything is written. The document then replaces
    // the file atomically, so a save that fails part-way keeps the old file.
    // The text goes to the new file as it is made.
    const auto write = [&ctx](QIODevice& out) {
        IniWriter ini(&out);
        writeDocument(ctx, ini);
        ini.finish();
        return ini.written();
    };
    if (!IniFile(name).canReplace() || !IniFile::saveWith(name, write)) {
        ctx.services.ShowMessageBox(MsgIcon::Error, MsgButtons::Ok, 0, MsgLanguage::Japanese,
                                    DocumentFile::CantKeepText());
        return false;
    }
    return true;
}

QStringList DocumentFile::ReadLines(const QString& fileName, bool* ok) {
    QFile f(fileName);
    if (ok) *ok = false;
    // Only regular files of a sane size: a pipe or a device would never end.
    const QFileInfo info(fileName);
    if (!info.isFile() || info.size() > IniFile::kMaxFileSize) return {};
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.read(info.size() + 1);
    qCDebug(lcDoc) << "read" << fileName << bytes.size() << "bytes";
    if (bytes.size() > IniFile::kMaxFileSize) return {};
    if (ok) *ok = true;
    return LinesOf(bytes);
}

QStringList DocumentFile::LinesOf(const QByteArray& bytes) {
    QString text = Cp932::decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (text.isEmpty()) return {};
    if (text.endsWith(u'\n')) text.chop(1);
    return text.split(u'\n');
}

DocumentSource DocumentFile::ReadSource(const QString& fileName) {
    return DocumentSource::Read(fileName, {IniFile::kMaxFileSize, kMaxCount});
}

int DocumentFile::DetectFileKind(const QString& fileName) {
    return DetectFileKind(ReadSource(fileName));
}

int DocumentFile::DetectFileKind(const DocumentSource& source) {
    if (!source.isFile() || !source.readable()) return -1;
    const int type = source.type().value_or(-1);
    if (type == MotionChart || type == ScenarioChart) return type;
    const QStringList& lines = source.lines();
    if (lines.size() < 2) return type;
    const QStringList head = CommaList::split(lines[0]);
    if (head.size() != 27 || head[0] != QStringLiteral("NO") || head[2] != QStringLiteral("SPEED"))
        return type;
    for (int k = 1; k < lines.size(); ++k) {
        const QStringList f = CommaList::split(lines[k]);
        if (intOr(f.value(0), -1) != k) return type;
    }
    return kPoseTable;
}

bool DocumentFile::OpenDocument(DocumentContext& ctx, const QString& fileName) {
    // The file is read once: what the kind was told from is loaded.
    DocumentSource source = ReadSource(fileName);
    const int r = DetectFileKind(source);
    if (r == -1) {
        ctx.services.ShowMessageBox(MsgIcon::Warning, MsgButtons::Ok, 0, MsgLanguage::Japanese,
                                    DocumentFile::CantUseText());
        return false;
    }
    const int k = r == kPoseTable ? MotionChart : r;
    if (k != ctx.chart.documentKind && !ctx.chart.items.empty()) {
        if (ctx.services.ShowMessageBox(
                MsgIcon::Question, MsgButtons::OkCancel, 0, MsgLanguage::Japanese,
                QCoreApplication::translate("DocumentFile", kDiscard)) != ResultOk)
            return false;
        clearFor(ctx);
    }
    if (r == MotionChart || r == ScenarioChart) {
        LoadDocument(ctx, source);
        return true;
    }
    if (r == kPoseTable) {
        ImportTable(ctx, source);
        return true;
    }
    ctx.services.ShowMessageBox(MsgIcon::Warning, MsgButtons::Ok, 0, MsgLanguage::Japanese,
                                DocumentFile::CantUseText());
    return false;
}

bool DocumentFile::LoadDocument(DocumentContext& ctx, const QString& fileName) {
    DocumentSource source = ReadSource(fileName);
    if (!source.readable()) {
        report(ctx.services,
               {QCoreApplication::translate("DocumentFile", "\"%1\" could not be read.")
                    .arg(fileLabel(fileName))});
        return false;
    }
    return LoadDocument(ctx, source);
}

bool DocumentFile::LoadDocument(DocumentContext& ctx, DocumentSource& source) {
    using Head = DocumentSource::Head;
    Chart& chart = ctx.chart;
    QStringList problems;
    const QString label = fileLabel(source.path());
    const Head& head = source.head();
    const int oldCount = chart.itemCount();
    if (oldCount == 0) {
        QString name = head.name.value_or(MotionHeader::defaultName());
        const int nul = name.indexOf(QChar(0));
        if (nul >= 0) name.truncate(nul);
        ctx.header.MotionName = name;
        ctx.header.MotionPort = quint32(head.number(Head::Port).value_or(0xFFFFFF));
        ctx.header.MotionCtrl = quint32(head.number(Head::Ctrl).value_or(0xFFFF));
    }
    chart.documentKind = quint8(head.number(Head::Type).value_or(0) & 0xFF);

    const int w = std::clamp(head.number(Head::Width).value_or(640), 0, kMaxCanvas);
    const int h = std::clamp(head.number(Head::Height).value_or(480), 0, kMaxCanvas);
    ctx.canvas = ctx.canvas.expandedTo(QSize(w, h));
    ctx.loadedCanvas = QSize(w, h);

    const int fileStart = head.number(Head::Start).value_or(-1);
    int itemTotal = head.number(Head::Items).value_or(0);
    int linkTotal = head.number(Head::Links).value_or(0);
    const int limit = source.limits().count;
    if (itemTotal > limit || linkTotal > limit) {
        problems << QCoreApplication::translate(
                        "DocumentFile",
                        "\"%1\" claims %2 items and %3 links, more than the %4 allowed; "
                        "nothing was read from it.")
                        .arg(label)
                        .arg(itemTotal)
                        .arg(linkTotal)
                        .arg(limit);
        itemTotal = linkTotal = 0;
    }

    // Items are taken whole into the chart, so that a section that stops
    // reading never leaves a half-filled item in it.
    std::vector<Item> read = source.takeItems(itemTotal);
    bool complete = true;
    for (int n = 0; n < int(read.size()); ++n) {
        const QString error = itemFault(read[size_t(n)], source.shortPrm(n));
        if (error.isEmpty()) continue;
        problems << QCoreApplication::translate("DocumentFile",
                                                "Reading \"%1\" stopped at section [%2]: %3. "
                                                "%4 item(s) before it were kept.")
                        .arg(label, itemSection(n), error)
                        .arg(n);
        complete = false;
        read.resize(size_t(n));
        break;
    }
    // Afterwards exactly the loaded items and links are selected, so that a
    // merged part can be dragged away at once.
    chart.ClearSelection();
    if (chart.items.empty()) {
        chart.items = std::move(read);
    } else if (!read.empty()) {
        const int base = chart.AddItems(int(read.size()));
        std::move(read.begin(), read.end(), chart.items.begin() + base);
    }

    // The start item of a merged file would point into the old chart; the old
    // chart's start item is kept, and the file's is used (shifted) only when the
    // chart had none.
    if (oldCount == 0 || chart.startItem < 0) {
        const int s = fileStart < 0 ? -1 : shiftedIndex(fileStart, oldCount);
        chart.startItem = chart.validItem(s) && fileStart >= 0 ? s : -1;
    }

    int dropped = 0;
    if (complete && linkTotal > 0) {
        std::vector<Link> links = source.takeLinks(linkTotal);
        size_t kept = 0;
        for (int n = 0; n < linkTotal; ++n) {
            Link& l = links[size_t(n)];
            if (l.origin != -1) l.origin = shiftedIndex(l.origin, oldCount);
            if (l.final != -1) l.final = shiftedIndex(l.final, oldCount);
            if (const DocumentSource::PointFault* fault = source.pointFault(n)) {
                problems << QCoreApplication::translate(
                                "DocumentFile", "Reading \"%1\" stopped at section [%2]: %3. "
                                                "The links before it were kept.")
                                .arg(label, linkSection(n), pointFaultText(*fault));
                complete = false;
                break;
            }
            // A link must join two items of the chart; anything else could not be
            // drawn, compiled or rebuilt.
            if (!chart.validItem(l.origin) || !chart.validItem(l.final)) {
                ++dropped;
                continue;
            }
            if (size_t(n) != kept) links[kept] = std::move(l);
            ++kept;
        }
        links.resize(kept);
        if (!links.empty()) {
            const int first = chart.AddLinks(int(links.size()));
            std::move(links.begin(), links.end(), chart.links.begin() + first);
        }
    }
    if (dropped > 0)
        problems << QCoreApplication::translate(
                        "DocumentFile",
                        "%1 link(s) of \"%2\" did not join two items of the chart and "
                        "were left out.")
                        .arg(dropped)
                        .arg(label);
    report(ctx.services, problems);
    return complete;
}

quint16 DocumentFile::TableEntryValue(int e) {
    if (e >= -180 && e <= 180) return quint16(16384 + e);
    if (e >= 221 && e <= 224) return quint16(32770 + (e - 221));
    if (e == 225) return 32768;
    if (e == 226) return 32769;
    return 0;
}

namespace {
// Appends the pose table of lines (none when the file could not be read).
bool importLines(DocumentContext& ctx, const QString& label, const QStringList& lines) {
    Chart& chart = ctx.chart;
    if (lines.isEmpty()) {
        report(
            ctx.services,
            {QCoreApplication::translate("DocumentFile", "\"%1\" could not be read.").arg(label)});
        return false;
    }
    if (chart.items.empty()) {
        ctx.header.MotionName = CommaList::split(lines[0]).value(1);
        ctx.header.MotionPort = 0xFFFFFF;
        ctx.header.MotionCtrl = 0xFFFF;
    }
    chart.documentKind = MotionChart;

    std::vector<Item> read;
    QStringList problems;
    int left = 5, top = 5;
    for (int k = 1; k < lines.size() && k <= DocumentFile::kMaxCount; ++k) {
        const QStringList f = CommaList::split(lines[k]);
        if (f.size() < 27) {
            problems << QCoreApplication::translate(
                            "DocumentFile",
                            "Reading \"%1\" stopped at line %2: it has %3 of 27 fields. "
                            "%4 pose(s) before it were kept.")
                            .arg(label)
                            .arg(k + 1)
                            .arg(f.size())
                            .arg(k - 1);
            break;
        }
        Item it;
        it.selected = true;
        it.name = f[1];
        it.width = kItemWidth;
        it.height = kItemHeight;
        it.colour = kWhite;
        it.kind = KindPos;
        it.left = left;
        it.top = top;
        const int exponent = intOr(f[2], 1);
        it.lead = quint8((1u << (unsigned(exponent) & 31u)) & 0xFF);
        for (int m = 0; m < kChannelCount; ++m)
            it.values[size_t(m)] = DocumentFile::TableEntryValue(intOr(f[3 + m], 225));
        read.push_back(std::move(it));
        top += 40;
        if (top > ctx.canvas.height() - 30) {
            top = 5;
            left += 70;
        }
    }
    chart.ClearSelection();
    const int base = chart.AddItems(int(read.size()));
    std::move(read.begin(), read.end(), chart.items.begin() + base);
    chart.startItem = chart.items.empty() ? -1 : 0;
    if (read.size() > 1) {
        const int first = chart.AddLinks(int(read.size()) - 1);
        for (int n = 0; n + 1 < int(read.size()); ++n) {
            Link& l = chart.links[size_t(first + n)];
            l.selected = true;
            l.kind = MainLink;
            l.origin = base + n;
            l.final = base + n + 1;
        }
    }
    report(ctx.services, problems);
    return problems.isEmpty();
}
} // namespace

bool DocumentFile::ImportTable(DocumentContext& ctx, const QString& fileName) {
    bool ok = false;
    const QStringList lines = ReadLines(fileName, &ok);
    return importLines(ctx, fileLabel(fileName), ok ? lines : QStringList());
}

bool DocumentFile::ImportTable(DocumentContext& ctx, const DocumentSource& source) {
    return importLines(ctx, fileLabel(source.path()),
                       source.readable() ? source.lines() : QStringList());
}

} // namespace qvx
