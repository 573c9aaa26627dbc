#include "document/IniFile.h"

#include "base/Cp932.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <utility>

namespace qvx {

Q_LOGGING_CATEGORY(lcDoc, "qvx.doc", QtWarningMsg)

namespace {

// Sections longer than this get a key index; shorter ones are searched from
// the top, which is quicker than hashing for the few keys most sections hold.
constexpr size_t kIndexedEntries = 16;

bool isAscii(QStringView s) {
    for (QChar c : s)
        if (c.unicode() >= 0x80) return false;
    return true;
}

char16_t asciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

// Names match when their lower-case forms are equal. Names made only of ASCII,
// all that the program writes, are compared a character at a time; for others
// the lower-case forms are made, since a few characters change their length or
// become ASCII on the way.
bool sameName(QStringView a, QStringView b) {
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t ca = a[i].unicode(), cb = b[i].unicode();
        if (ca >= 0x80 || cb >= 0x80) return a.toString().toLower() == b.toString().toLower();
        // Up to here both are ASCII, whose lower-case forms keep their places.
        if (asciiLower(ca) != asciiLower(cb)) return false;
    }
    // Otherwise one is the other (all ASCII) with more after it; no character's
    // lower-case form is empty, so the longer one's form is longer.
    return a.size() == b.size();
}

// Appends text that Cp932::isPlain() accepts: one byte per character.
void appendPlain(QByteArray& out, QStringView text) {
    const qsizetype at = out.size();
    out.resize(at + text.size());
    char* p = out.data() + at;
    for (QChar c : text)
        *p++ = char(c.unicode());
}

// The lines of a section the program made, shared by IniFile::toBytes() and
// IniWriter so that both write the same bytes.
void appendHeader(QByteArray& out, const QString& name) {
    if (Cp932::isPlain(name)) {
        out += '[';
        appendPlain(out, name);
        out += "]\r\n";
    } else {
        out += Cp932::encode(u'[' + name + u']') + "\r\n";
    }
}

void appendEntry(QByteArray& out, QStringView key, const QString& value) {
    const bool lineBreak = value.contains(u'\r') || value.contains(u'\n');
    if (!lineBreak && Cp932::isPlain(key) && Cp932::isPlain(value)) {
        appendPlain(out, key);
        out += '=';
        appendPlain(out, value);
        out += "\r\n";
        return;
    }
    QString clean = value;
    // A line break inside a value would start a new line in the file.
    if (lineBreak) clean.replace(u'\r', u' ').replace(u'\n', u' ');
    out += Cp932::encode(key.toString() + u'=' + clean) + "\r\n";
}

} // namespace

bool IniFile::Name::operator==(const Name& other) const {
    return sameName(text, other.text);
}

size_t qHash(const IniFile::Name& name, size_t seed) {
    // The hash of the lower-case form, so that matching names hash alike.
    if (name.text.size() <= 64 && isAscii(name.text)) {
        char16_t lower[64];
        for (qsizetype i = 0; i < name.text.size(); ++i)
            lower[i] = asciiLower(name.text[i].unicode());
        return qHash(QStringView(lower, name.text.size()), seed);
    }
    return qHash(name.text.toLower(), seed);
}

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

bool IniFile::readBytes(QByteArray& bytes) const {
    bytes.clear();
    const QFileInfo info(m_path);
    if (!info.exists()) return true;
    // Only regular files: a pipe would block the read for ever and a device
    // such as /dev/zero never ends.
    if (!info.isFile() || info.size() > kMaxFileSize) return false;
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly)) {
        qCDebug(lcDoc) << "cannot read" << m_path << ":" << f.errorString();
        return false;
    }
    // One byte more than the file was said to hold shows a file still growing.
    bytes = f.read(info.size() + 1);
    qCDebug(lcDoc) << "read" << m_path << bytes.size() << "bytes";
    return bytes.size() <= kMaxFileSize;
}

bool IniFile::load() {
    clear();
    QByteArray bytes;
    if (!readBytes(bytes)) return false;
    parseBytes(bytes);
    return true;
}

bool IniFile::saveBytes(const QString& path, const QByteArray& bytes) {
    return saveWith(path, [&bytes](QIODevice& out) { return out.write(bytes) == bytes.size(); });
}

bool IniFile::saveWith(const QString& path, const std::function<bool(QIODevice&)>& write) {
    if (path.isEmpty()) return false;
    // A device, pipe or directory in the file's place is never replaced.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    // The bytes sit in QSaveFile's buffer until it is flushed. A flush that
    // falls short (disk full, file size limit) is not seen by commit(), which
    // would put the cut file in place of the old one, so it is checked here.
    if (!write(f) || !f.flush()) {
        qCDebug(lcDoc) << "cannot write" << path << ":" << f.errorString();
        f.cancelWriting();
        return false;
    }
    const bool written = f.commit();
    qCDebug(lcDoc) << (written ? "wrote" : "cannot write") << path;
    return written;
}

bool IniFile::save() const {
    return saveBytes(m_path, toBytes());
}

bool IniFile::loadAndTestWrite() {
    clear();
    QByteArray bytes;
    if (!readBytes(bytes)) return false;
    parseBytes(bytes);
    // Nothing has changed since the load, so the bytes read go back as they were.
    return saveBytes(m_path, bytes);
}

bool IniFile::canReplace() const {
    if (m_path.isEmpty()) return false;
    // A file load() reads, or none; the file is opened, not read. A device,
    // pipe or directory in the file's place is never replaced.
    const QFileInfo info(m_path);
    if (info.exists()) {
        QFile old(m_path);
        if (!info.isFile() || info.size() > kMaxFileSize || !old.open(QIODevice::ReadOnly))
            return false;
    }
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.cancelWriting();
    return true;
}

void IniFile::parse(const QString& text) {
    parseBytes(Cp932::encode(text));
}

void IniFile::parseBytes(const QByteArray& bytes) {
    clear();
    m_source = bytes;
    m_lines.reserve(size_t(std::count(bytes.cbegin(), bytes.cend(), '\n')) + 1);
    // The same few keys come back in section after section; their names are
    // shared with the last ones seen instead of being copied for every entry.
    QString recentKeys[16];
    size_t nextRecent = 0;
    auto keyText = [&](QStringView key) {
        for (const QString& k : recentKeys)
            if (k.size() == key.size() && k == key) return k;
        QString made = key.toString();
        recentKeys[nextRecent++ % std::size(recentKeys)] = made;
        return made;
    };
    // The text is decoded once; no CP932 character holds the byte 0x0A, so its
    // lines and the byte lines correspond one to one.
    const QString text = Cp932::decode(bytes);
    qsizetype rawAt = 0, textAt = 0;
    int current = -1;
    while (rawAt < bytes.size()) {
        const char* nl = static_cast<const char*>(
            std::memchr(bytes.constData() + rawAt, '\n', size_t(bytes.size() - rawAt)));
        qsizetype rawEnd = nl ? nl - bytes.constData() : -1;
        qsizetype textEnd = text.indexOf(u'\n', textAt);
        rawEnd = rawEnd < 0 ? bytes.size() : rawEnd + 1;
        textEnd = textEnd < 0 ? text.size() : textEnd;
        Line line;
        line.rawAt = rawAt;
        line.rawSize = rawEnd - rawAt;
        QStringView view = QStringView(text).mid(textAt, textEnd - textAt);
        rawAt = rawEnd;
        textAt = textEnd + 1;
        if (view.endsWith(u'\r')) view.chop(1);
        const QStringView trimmed = view.trimmed();
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']') && trimmed.size() >= 2) {
            current = sectionIndex(trimmed.mid(1, trimmed.size() - 2).trimmed().toString(), true);
            line.kind = Line::Header;
            line.section = current;
            m_lines.push_back(line);
            m_sections[size_t(current)].insertAfter = int(m_lines.size()) - 1;
            continue;
        }
        const qsizetype eq = view.indexOf(u'=');
        if (current >= 0 && eq >= 0 && !trimmed.startsWith(u';')) {
            const QStringView keyView = view.left(eq).trimmed();
            Section& sec = m_sections[size_t(current)];
            // The first occurrence of a key wins, as a reader that searches
            // from the top finds it; later ones stay in the file as they are.
            if (!keyView.isEmpty() && sec.entryIndex(keyView) < 0) {
                sec.addEntry({keyText(keyView), view.mid(eq + 1).toString(), false});
                line.kind = Line::KeyValue;
                line.section = current;
                line.entry = int(sec.entries.size()) - 1;
                m_lines.push_back(line);
                sec.insertAfter = int(m_lines.size()) - 1;
                continue;
            }
        }
        // Comments, blank lines, repeated keys and anything else stay where
        // they are, and go with their section when it is erased.
        line.section = current;
        m_lines.push_back(line);
    }
}

QByteArray IniFile::toBytes() const {
    QByteArray out;
    out.reserve(m_source.size());
    auto endLine = [&out] {
        if (!out.isEmpty() && !out.endsWith('\n')) out += "\r\n";
    };
    for (int i = 0; i < int(m_lines.size()); ++i) {
        const Line& line = m_lines[size_t(i)];
        if (line.kind == Line::Header && line.rawSize == 0) {
            endLine();
            appendHeader(out, m_sections[size_t(line.section)].name);
        } else if (line.kind == Line::KeyValue &&
                   m_sections[size_t(line.section)].entries[size_t(line.entry)].changed) {
            const Entry& e = m_sections[size_t(line.section)].entries[size_t(line.entry)];
            endLine();
            appendEntry(out, e.key, e.value);
        } else {
            out += QByteArrayView(m_source).sliced(line.rawAt, line.rawSize);
        }
        // A section the program made ends with a blank line, as it always has.
        if (line.section >= 0) {
            const Section& sec = m_sections[size_t(line.section)];
            if (sec.generated && sec.insertAfter == i) out += "\r\n";
        }
    }
    return out;
}

QString IniFile::toText() const {
    return Cp932::decode(toBytes());
}

int IniFile::Section::entryIndex(QStringView key) const {
    if (entries.size() > kIndexedEntries) {
        auto it = index.constFind(Name{key.toString()});
        return it == index.constEnd() ? -1 : *it;
    }
    for (size_t i = 0; i < entries.size(); ++i)
        if (sameName(entries[i].key, key)) return int(i);
    return -1;
}

void IniFile::Section::addEntry(Entry entry) {
    entries.push_back(std::move(entry));
    if (entries.size() == kIndexedEntries + 1) {
        for (size_t i = 0; i < entries.size(); ++i)
            index.insert(Name{entries[i].key}, int(i));
    } else if (entries.size() > kIndexedEntries + 1) {
        index.insert(Name{entries.back().key}, int(entries.size()) - 1);
    }
}

const IniFile::Section* IniFile::find(const QString& section) const {
    auto it = m_index.constFind(Name{section});
    return it == m_index.constEnd() ? nullptr : &m_sections[size_t(*it)];
}

const IniFile::Entry* IniFile::findEntry(const QString& section, const QString& key) const {
    return this->section(section).findEntry(key);
}

IniFile::SectionReader IniFile::section(const QString& name) const {
    return SectionReader(find(name));
}

const IniFile::Entry* IniFile::SectionReader::findEntry(const QString& key) const {
    if (!m_section) return nullptr;
    const int e = m_section->entryIndex(key);
    return e < 0 ? nullptr : &m_section->entries[size_t(e)];
}

QString IniFile::SectionReader::readString(const QString& key, const QString& def) const {
    const Entry* e = findEntry(key);
    return e ? e->value : def;
}

int IniFile::SectionReader::readInteger(const QString& key, int def) const {
    const Entry* e = findEntry(key);
    int v = 0;
    return e && parseInteger(e->value, v) ? v : def;
}

bool IniFile::SectionReader::valueExists(const QString& key) const {
    return findEntry(key) != nullptr;
}

int IniFile::sectionIndex(const QString& section, bool add) {
    auto it = m_index.constFind(Name{section});
    if (it != m_index.constEnd()) return *it;
    if (!add) return -1;
    m_sections.push_back({section, {}, {}, -1, false});
    const int n = int(m_sections.size()) - 1;
    m_index.insert(Name{section}, n);
    return n;
}

void IniFile::insertLine(int section, Line line) {
    Section& sec = m_sections[size_t(section)];
    const int at = sec.insertAfter + 1;
    if (at >= int(m_lines.size())) {
        m_lines.push_back(line);
    } else {
        // Into the middle of the file: every later position moves on by one.
        m_lines.insert(m_lines.begin() + at, line);
        for (Section& other : m_sections)
            if (other.insertAfter >= at) ++other.insertAfter;
    }
    sec.insertAfter = at;
}
QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    const Entry* e = findEntry(section, key);
    return e ? e->value : def;
}

bool IniFile::parseInteger(const QString& text, int& out) {
    return parseInteger(QStringView(text), out);
}

namespace {
unsigned code(QChar c) {
    return c.unicode();
}
unsigned code(char c) {
    return static_cast<unsigned char>(c);
}

// The one reading of integer text, for text and for ASCII bytes read straight
// from a file.
template <typename View> bool parseIntegerIn(View text, int& out) {
    View body = text.trimmed();
    auto at = [&body](qsizetype i) { return code(body[i]); };
    bool negative = false;
    if (!body.isEmpty() && (at(0) == '-' || at(0) == '+')) {
        negative = at(0) == '-';
        body = body.sliced(1);
    }
    int base = 10;
    if (!body.isEmpty() && at(0) == '$') {
        base = 16;
        body = body.sliced(1);
    } else if (body.size() >= 2 && at(0) == '0' && (at(1) == 'x' || at(1) == 'X')) {
        base = 16;
        body = body.sliced(2);
    }
    // At most 12 digits, so the sum below cannot overflow.
    if (body.isEmpty() || body.size() > 12) return false;
    qint64 v = 0;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const unsigned u = at(i);
        int digit;
        if (u >= '0' && u <= '9')
            digit = int(u - '0');
        else if (base == 16 && u >= 'a' && u <= 'f')
            digit = int(u - 'a') + 10;
        else if (base == 16 && u >= 'A' && u <= 'F')
            digit = int(u - 'A') + 10;
        else
            return false;
        v = v * base + digit;
    }
    if (negative) v = -v;
    if (base == 16 && !negative && v <= 0xFFFFFFFFLL) {
        // Hexadecimal text up to FFFFFFFF stands for the bit pattern of a 32-bit number.
        out = static_cast<int>(static_cast<quint32>(v));
        return true;
    }
    if (v < -0x80000000LL || v > 0x7FFFFFFFLL) return false;
    out = static_cast<int>(v);
    return true;
}
} // namespace

bool IniFile::parseInteger(QStringView text, int& out) {
    return parseIntegerIn(text, out);
}

bool IniFile::parseInteger(QByteArrayView bytes, int& out) {
    return parseIntegerIn(bytes, out);
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const {
    int v = 0;
    return parseInteger(readString(section, key, QString()), v) ? v : def;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    int n = sectionIndex(section, false);
    if (n < 0) {
        n = sectionIndex(section, true);
        Section& sec = m_sections[size_t(n)];
        sec.generated = true;
        Line header;
        header.kind = Line::Header;
        header.section = n;
        m_lines.push_back(header);
        sec.insertAfter = int(m_lines.size()) - 1;
    }
    Section& sec = m_sections[size_t(n)];
    const int e = sec.entryIndex(key);
    if (e >= 0) {
        Entry& entry = sec.entries[size_t(e)];
        // The same value again leaves the line as it was read.
        if (entry.value != value) {
            entry.value = value;
            entry.changed = true;
        }
        return;
    }
    sec.addEntry({key, value, true});
    Line line;
    line.kind = Line::KeyValue;
    line.section = n;
    line.entry = int(sec.entries.size()) - 1;
    insertLine(n, line);
}
void IniFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::sectionExists(const QString& section) const { return find(section) != nullptr; }

bool IniFile::valueExists(const QString& section, const QString& key) const {
    return findEntry(section, key) != nullptr;
}

QStringList IniFile::sections() const {
    QStringList out;
    for (const Section& s : m_sections) out << s.name;
    return out;
}

QStringList IniFile::keys(const QString& section) const {
    QStringList out;
    if (const Section* s = find(section))
        for (const Entry& e : s->entries) out << e.key;
    return out;
}

void IniFile::eraseSection(const QString& section) {
    const int gone = sectionIndex(section, false);
    if (gone < 0) return;
    // Lines of the other sections are kept, with their entries as they stand.
    std::vector<Section> oldSections = std::move(m_sections);
    std::vector<Line> oldLines = std::move(m_lines);
    // The lines kept still point into the bytes read.
    const QByteArray source = m_source;
    clear();
    m_source = source;
    std::vector<int> renumber(oldSections.size(), -1);
    for (size_t i = 0; i < oldSections.size(); ++i) {
        if (int(i) == gone) continue;
        renumber[i] = sectionIndex(oldSections[i].name, true);
        Section& sec = m_sections[size_t(renumber[i])];
        sec.entries = std::move(oldSections[i].entries);
        sec.index = std::move(oldSections[i].index);
        sec.generated = oldSections[i].generated;
    }
    for (size_t i = 0; i < oldLines.size(); ++i) {
        Line& line = oldLines[i];
        if (line.section == gone) continue;
        if (line.section >= 0) line.section = renumber[size_t(line.section)];
        m_lines.push_back(line);
        if (m_lines.back().section >= 0 && m_lines.back().kind != Line::Other)
            m_sections[size_t(m_lines.back().section)].insertAfter = int(m_lines.size()) - 1;
    }
}

void IniFile::clear() {
    m_source.clear();
    m_sections.clear();
    m_lines.clear();
    m_index.clear();
}

void IniWriter::spill() {
    if (!m_sink) return;
    if (m_sink->write(m_out) != m_out.size()) m_written = false;
    // Emptied, keeping the room for the next part.
    m_out.resize(0);
}

void IniWriter::beginSection(const QString& name) {
    if (m_inSection) m_out += "\r\n";
    if (m_out.size() >= (1 << 16)) spill();
    appendHeader(m_out, name);
    m_inSection = true;
}

void IniWriter::write(QLatin1StringView key, const QString& value) {
    // The keys are ASCII names, so the key as UTF-16 is only made for a value
    // that needs the converter or has a line break.
    if (Cp932::isPlain(value) && !value.contains(u'\r') && !value.contains(u'\n')) {
        m_out += QByteArrayView(key);
        m_out += '=';
        appendPlain(m_out, value);
        m_out += "\r\n";
    } else {
        appendEntry(m_out, QString(key), value);
    }
}

void IniWriter::write(QLatin1StringView key, qint64 value) {
    m_out += QByteArrayView(key);
    m_out += '=';
    // Decimal digits with a leading minus, as QString::number writes them.
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    m_out.append(digits, end - digits);
    m_out += "\r\n";
}

void IniWriter::writeAscii(QLatin1StringView key, QByteArrayView value) {
    m_out += QByteArrayView(key);
    m_out += '=';
    m_out += value;
    m_out += "\r\n";
}

QByteArray IniWriter::finish() {
    if (m_inSection) m_out += "\r\n";
    m_inSection = false;
    spill();
    return std::exchange(m_out, QByteArray());
}

} // namespace qvx
