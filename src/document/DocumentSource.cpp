#include "document/DocumentSource.h"

#include "base/CommaList.h"
#include "base/Cp932.h"
#include "document/DocumentFile.h"
#include "document/IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QVarLengthArray>

#include <cstring>

namespace qvx {

namespace {

// Blocks of the file read at a time.
constexpr qint64 kBlock = 1 << 20;

// The keys read from each kind of section, in lower case, in the order of the
// bits that mark them seen.
constexpr const char* kHeadKeys[] = {"name",   "port",  "ctrl",  "type", "width",
                                     "height", "start", "items", "links"};
enum ItemKey { IName, IWidth, IHeight, ILeft, ITop, IColor, IType, IPrm };
constexpr const char* kItemKeys[] = {"name", "width", "height", "left",
                                     "top",  "color", "type",   "prm"};
enum LinkKey { LMain, LOrigin, LFinal, LPoint };
constexpr const char* kLinkKeys[] = {"main", "origin", "final", "point"};

// A name of ASCII letters, without regard to case, equal to lower (lower case).
bool sameAscii(QByteArrayView name, const char* lower) {
    const size_t n = std::strlen(lower);
    if (size_t(name.size()) != n) return false;
    for (size_t i = 0; i < n; ++i) {
        char c = name[qsizetype(i)];
        if (c >= 'A' && c <= 'Z') c = char(c + 32);
        if (c != lower[i]) return false;
    }
    return true;
}

template <size_t N> int keyIndex(QByteArrayView key, const char* const (&keys)[N]) {
    for (size_t i = 0; i < N; ++i)
        if (sameAscii(key, keys[i])) return int(i);
    return -1;
}

// The lower-case form of a name that holds other characters than ASCII, as
// the general reader matches such names: when it is ASCII it may still name
// one of the sections or keys read, otherwise it names none.
std::optional<QByteArray> asciiLower(QStringView name) {
    const QString lower = name.toString().toLower();
    for (QChar c : lower)
        if (c.unicode() >= 0x80) return std::nullopt;
    return lower.toLatin1();
}

// The number n of a name "<prefix>n" in any case, where n is written as the
// program writes it (no sign, no leading zero) and is below limit; -1 otherwise.
int sectionNumber(QByteArrayView name, const char* prefix, int limit) {
    const qsizetype p = qsizetype(std::strlen(prefix));
    if (name.size() <= p || !sameAscii(name.first(p), prefix)) return -1;
    const QByteArrayView digits = name.sliced(p);
    if (digits.size() > 10 || (digits.size() > 1 && digits[0] == '0')) return -1;
    qint64 n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n < limit ? int(n) : -1;
}

QString textOf(QByteArrayView v) {
    return QString::fromLatin1(v);
}
QString textOf(QStringView v) {
    return v.toString();
}

std::optional<int> numberOf(QByteArrayView v) {
    int n = 0;
    return IniFile::parseInteger(v, n) ? std::optional<int>(n) : std::nullopt;
}
std::optional<int> numberOf(QStringView v) {
    int n = 0;
    return IniFile::parseInteger(v, n) ? std::optional<int>(n) : std::nullopt;
}

bool inCoordinateRange(int v) {
    return v >= -DocumentFile::kMaxCoordinate && v <= DocumentFile::kMaxCoordinate;
}

Item defaultItem() {
    Item it;
    it.selected = true;
    it.width = kItemWidth;
    it.height = kItemHeight;
    it.colour = kWhite;
    // No parameter list: speed 1 and every channel 0.
    it.lead = 1;
    return it;
}

Link defaultLink() {
    Link l;
    l.selected = true;
    l.origin = -1;
    l.final = -1;
    return l;
}

} // namespace

// Takes the file a line at a time into the source.
class DocumentSource::Reader {
  public:
    explicit Reader(DocumentSource& source) : m_s(source) {}

    // One line of the file, with its line end when it has one.
    void line(QByteArrayView raw) {
        if (!Cp932::isPlain(raw)) {
            textLine(raw);
            return;
        }
        QByteArrayView view = raw;
        if (view.endsWith('\n')) view.chop(1);
        if (view.endsWith('\r')) view.chop(1);
        const QByteArrayView trimmed = view.trimmed();
        if (trimmed.size() >= 2 && trimmed.startsWith('[') && trimmed.endsWith(']')) {
            beginSection(trimmed.sliced(1, trimmed.size() - 2).trimmed());
            return;
        }
        const qsizetype eq = view.indexOf('=');
        if (m_kind == None || eq < 0 || trimmed.startsWith(';')) return;
        const QByteArrayView key = view.first(eq).trimmed();
        if (!key.isEmpty()) entry(key, view.sliced(eq + 1));
    }

    // Whether the bytes read so far must be kept: only while the file may
    // still turn out to be a pose table.
    bool keepBytes() const { return !m_document; }

  private:
    enum Kind { None, Other, HeadSection, ItemSection, LinkSection };

    // A line holding bytes other than ASCII, read as its decoded text reads.
    // The line end goes to the converter as well, which then holds nothing back.
    void textLine(QByteArrayView raw) {
        const QString text = Cp932::decode(raw.toByteArray());
        QStringView view(text);
        if (view.endsWith(u'\n')) view.chop(1);
        if (view.endsWith(u'\r')) view.chop(1);
        const QStringView trimmed = view.trimmed();
        if (trimmed.size() >= 2 && trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
            const std::optional<QByteArray> name =
                asciiLower(trimmed.sliced(1, trimmed.size() - 2).trimmed());
            if (name)
                beginSection(*name);
            else
                m_kind = Other;
            return;
        }
        const qsizetype eq = view.indexOf(u'=');
        if (m_kind == None || eq < 0 || trimmed.startsWith(u';')) return;
        const QStringView key = view.first(eq).trimmed();
        if (key.isEmpty()) return;
        if (const std::optional<QByteArray> name = asciiLower(key))
            entry(QByteArrayView(*name), view.sliced(eq + 1));
    }

    void beginSection(QByteArrayView name) {
        m_kind = Other;
        if (sameAscii(name, "graphicaledit")) {
            m_kind = HeadSection;
            return;
        }
        if (const int n = sectionNumber(name, "item", itemLimit()); n >= 0) {
            if (size_t(n) >= m_s.m_items.size()) {
                m_s.m_items.resize(size_t(n) + 1, defaultItem());
                m_itemSeen.resize(size_t(n) + 1, 0);
            }
            m_kind = ItemSection;
            m_number = n;
        } else if (const int l = sectionNumber(name, "link", linkLimit()); l >= 0) {
            if (size_t(l) >= m_s.m_links.size()) {
                m_s.m_links.resize(size_t(l) + 1, defaultLink());
                m_linkSeen.resize(size_t(l) + 1, 0);
            }
            m_kind = LinkSection;
            m_number = l;
        }
    }

    // Sections beyond the count the file claims are never read; before the
    // count is known, those within the limit are taken.
    int itemLimit() const { return countLimit(Head::Items); }
    int linkLimit() const { return countLimit(Head::Links); }
    int countLimit(Head::Key key) const {
        if (!(m_s.m_head.seen & (1u << key))) return m_s.m_limits.count;
        const int claimed = m_s.m_head.numbers[key].value_or(0);
        // A count beyond the limit has nothing read at all.
        return claimed > m_s.m_limits.count ? 0 : std::max(claimed, 0);
    }

    // The first occurrence of a key in a section wins.
    template <typename Bits> static bool firstTime(Bits& seen, int key) {
        const unsigned bit = 1u << key;
        if (seen & bit) return false;
        seen = Bits(seen | bit);
        return true;
    }

    template <typename View> void entry(QByteArrayView key, View value) {
        switch (m_kind) {
        case HeadSection:
            headEntry(keyIndex(key, kHeadKeys), value);
            break;
        case ItemSection:
            itemEntry(keyIndex(key, kItemKeys), value);
            break;
        case LinkSection:
            linkEntry(keyIndex(key, kLinkKeys), value);
            break;
        default:
            break;
        }
    }

    template <typename View> void headEntry(int key, View value) {
        if (key < 0 || !firstTime(m_s.m_head.seen, key)) return;
        Head& head = m_s.m_head;
        if (key == Head::Name) {
            head.name = textOf(value);
            return;
        }
        head.numbers[key] = numberOf(value);
        if (key == Head::Type) {
            // What the file is, is settled by its first Type.
            const int type = head.numbers[key].value_or(-1);
            m_document = type == MotionChart || type == ScenarioChart;
        } else if (key == Head::Items || key == Head::Links) {
            const size_t count = size_t(countLimit(Head::Key(key)));
            if (key == Head::Items)
                m_s.m_items.reserve(count);
            else
                m_s.m_links.reserve(count);
        }
    }

    template <typename View> void itemEntry(int key, View value) {
        if (key < 0 || !firstTime(m_itemSeen[size_t(m_number)], key)) return;
        Item& it = m_s.m_items[size_t(m_number)];
        switch (key) {
        case IName:
            it.name = textOf(value);
            break;
        case IWidth:
            it.width = numberOf(value).value_or(kItemWidth);
            break;
        case IHeight:
            it.height = numberOf(value).value_or(kItemHeight);
            break;
        case ILeft:
            it.left = numberOf(value).value_or(0);
            break;
        case ITop:
            it.top = numberOf(value).value_or(0);
            break;
        case IColor:
            it.colour = quint32(numberOf(value).value_or(int(kWhite)));
            break;
        case IType:
            it.kind = quint8(numberOf(value).value_or(0) & 0xFF);
            break;
        case IPrm:
            readPrm(it, value);
            break;
        }
    }

    template <typename View> void readPrm(Item& it, View value) {
        // Each field as a number, or nothing where it is none.
        QVarLengthArray<std::optional<int>, 1 + kChannelCount> f;
        CommaList::scan(value, std::function<bool(View)>([&f](View field) {
                            f.append(numberOf(field));
                            return true;
                        }));
        if (f.size() < 1 + kChannelCount) {
            m_s.m_shortPrm.insert(m_number, f.size());
            return;
        }
        it.lead = quint8(f[0].value_or(1) & 0xFF);
        for (int m = 0; m < kChannelCount; ++m)
            it.values[size_t(m)] = quint16(f[m + 1].value_or(0) & 0xFFFF);
    }

    template <typename View> void linkEntry(int key, View value) {
        if (key < 0 || !firstTime(m_linkSeen[size_t(m_number)], key)) return;
        Link& l = m_s.m_links[size_t(m_number)];
        switch (key) {
        case LMain:
            l.kind = quint8(numberOf(value).value_or(0) & 0xFF);
            break;
        case LOrigin:
            l.origin = numberOf(value).value_or(-1);
            break;
        case LFinal:
            l.final = numberOf(value).value_or(-1);
            break;
        case LPoint:
            readPoints(l, value);
            break;
        }
    }

    template <typename View> void readPoints(Link& l, View value) {
        QVarLengthArray<int, 32> numbers;
        PointFault fault;
        const bool numbersOnly = CommaList::scan(value, std::function<bool(View)>([&](View field) {
                                                     const std::optional<int> v = numberOf(field);
                                                     if (!v) {
                                                         fault.field = textOf(field);
                                                         return false;
                                                     }
                                                     if (!inCoordinateRange(*v)) {
                                                         fault.number = true;
                                                         fault.value = *v;
                                                         return false;
                                                     }
                                                     numbers.append(*v);
                                                     return true;
                                                 }));
        if (!numbersOnly) {
            m_s.m_pointFaults.insert(m_number, fault);
            return;
        }
        l.points.reserve(numbers.size() / 2);
        for (qsizetype i = 0; i + 1 < numbers.size(); i += 2)
            l.points << QPoint(numbers[i], numbers[i + 1]);
    }

    DocumentSource& m_s;
    Kind m_kind = None;
    int m_number = -1;
    bool m_document = false;
    std::vector<quint8> m_itemSeen, m_linkSeen;
};

DocumentSource DocumentSource::Read(const QString& path, Limits limits) {
    DocumentSource s(path, limits);
    const QFileInfo info(path);
    s.m_isFile = info.isFile();
    if (!info.exists()) return s;
    // Only regular files: a pipe would block the read for ever and a device
    // such as /dev/zero never ends.
    QFile f(path);
    if (!info.isFile() || info.size() > limits.bytes || !f.open(QIODevice::ReadOnly)) {
        qCDebug(lcDoc) << "cannot read" << path << ":" << f.errorString();
        s.m_readable = false;
        return s;
    }
    Reader reader(s);
    QByteArray kept;
    // One byte more than the file was said to hold shows a file still growing.
    const qint64 want = info.size() + 1;
    qint64 total = 0;
    QByteArray block;
    qsizetype carried = 0;
    while (total < want) {
        const qint64 ask = std::min(kBlock, want - total);
        block.resize(carried + qsizetype(ask));
        const qint64 got = f.read(block.data() + carried, ask);
        if (got <= 0) break;
        if (reader.keepBytes())
            kept.append(block.constData() + carried, qsizetype(got));
        else
            kept.clear();
        total += got;
        const qsizetype filled = carried + qsizetype(got);
        // Whole lines go to the reader; a line cut by the block's end waits
        // for the rest of it.
        qsizetype at = 0;
        while (const char* nl = static_cast<const char*>(
                   std::memchr(block.constData() + at, '\n', size_t(filled - at)))) {
            const qsizetype end = nl - block.constData() + 1;
            reader.line(QByteArrayView(block).sliced(at, end - at));
            at = end;
        }
        carried = filled - at;
        std::memmove(block.data(), block.constData() + at, size_t(carried));
    }
    if (carried > 0) reader.line(QByteArrayView(block).first(carried));
    qCDebug(lcDoc) << "read" << path << total << "bytes";
    if (total > limits.bytes) {
        DocumentSource refused(path, limits);
        refused.m_isFile = true;
        refused.m_readable = false;
        return refused;
    }
    if (reader.keepBytes()) s.m_lines = DocumentFile::LinesOf(kept);
    return s;
}

std::vector<Item> DocumentSource::takeItems(int count) {
    std::vector<Item> items = std::move(m_items);
    items.resize(size_t(std::max(count, 0)), defaultItem());
    return items;
}

std::vector<Link> DocumentSource::takeLinks(int count) {
    std::vector<Link> links = std::move(m_links);
    links.resize(size_t(std::max(count, 0)), defaultLink());
    return links;
}

std::optional<qsizetype> DocumentSource::shortPrm(int n) const {
    const auto it = m_shortPrm.constFind(n);
    return it == m_shortPrm.constEnd() ? std::nullopt : std::optional<qsizetype>(*it);
}

const DocumentSource::PointFault* DocumentSource::pointFault(int n) const {
    const auto it = m_pointFaults.constFind(n);
    return it == m_pointFaults.constEnd() ? nullptr : &*it;
}

} // namespace qvx
