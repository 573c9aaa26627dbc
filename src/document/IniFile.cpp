#include "document/IniFile.h"

#include "document/Cp932.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace qvx {

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

bool IniFile::load() {
    clear();
    const QFileInfo info(m_path);
    if (!info.exists()) return true;
    // Only regular files: a pipe would block the read for ever and a device
    // such as /dev/zero never ends.
    if (!info.isFile() || info.size() > kMaxFileSize) return false;
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    // One byte more than the file was said to hold shows a file still growing.
    const QByteArray bytes = f.read(info.size() + 1);
    if (bytes.size() > kMaxFileSize) return false;
    parseBytes(bytes);
    return true;
}

bool IniFile::save() const {
    if (m_path.isEmpty()) return false;
    // A device, pipe or directory in the file's place is never replaced.
    const QFileInfo info(m_path);
    if (info.exists() && !info.isFile()) return false;
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = toBytes();
    // The bytes sit in QSaveFile's buffer until it is flushed. A flush that
    // falls short (disk full, file size limit) is not seen by commit(), which
    // would put the cut file in place of the old one, so it is checked here.
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool IniFile::loadAndTestWrite() {
    if (!load()) return false;
    // Nothing has changed since the load, so the same bytes go back.
    return save();
}

void IniFile::parse(const QString& text) {
    parseBytes(Cp932::encode(text));
}

void IniFile::parseBytes(const QByteArray& bytes) {
    clear();
    // The text is decoded once; no CP932 character holds the byte 0x0A, so its
    // lines and the byte lines correspond one to one.
    const QString text = Cp932::decode(bytes);
    qsizetype rawAt = 0, textAt = 0;
    int current = -1;
    while (rawAt < bytes.size()) {
        qsizetype rawEnd = bytes.indexOf('\n', rawAt);
        qsizetype textEnd = text.indexOf(u'\n', textAt);
        rawEnd = rawEnd < 0 ? bytes.size() : rawEnd + 1;
        textEnd = textEnd < 0 ? text.size() : textEnd;
        Line line;
        line.raw = bytes.mid(rawAt, rawEnd - rawAt);
        QStringView view = QStringView(text).mid(textAt, textEnd - textAt);
        rawAt = rawEnd;
        textAt = textEnd + 1;
        if (view.endsWith(u'\r')) view.chop(1);
        const QStringView trimmed = view.trimmed();
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']') && trimmed.size() >= 2) {
            current = sectionIndex(trimmed.mid(1, trimmed.size() - 2).trimmed().toString(), true);
            line.kind = Line::Header;
            line.section = current;
            m_lines.push_back(std::move(line));
            m_sections[size_t(current)].insertAfter = int(m_lines.size()) - 1;
            continue;
        }
        const qsizetype eq = view.indexOf(u'=');
        if (current >= 0 && eq >= 0 && !trimmed.startsWith(u';')) {
            const QString key = view.left(eq).trimmed().toString();
            Section& sec = m_sections[size_t(current)];
            // The first occurrence of a key wins, as a reader that searches
            // from the top finds it; later ones stay in the file as they are.
            if (!key.isEmpty() && !sec.index.contains(key.toLower())) {
                sec.index.insert(key.toLower(), int(sec.entries.size()));
                sec.entries.push_back({key, view.mid(eq + 1).toString(), false});
                line.kind = Line::KeyValue;
                line.section = current;
                line.entry = int(sec.entries.size()) - 1;
                m_lines.push_back(std::move(line));
                sec.insertAfter = int(m_lines.size()) - 1;
                continue;
            }
        }
        // Comments, blank lines, repeated keys and anything else stay where
        // they are, and go with their section when it is erased.
        line.section = current;
        m_lines.push_back(std::move(line));
    }
}

QByteArray IniFile::toBytes() const {
    QByteArray out;
    auto endLine = [&out] {
        if (!out.isEmpty() && !out.endsWith('\n')) out += "\r\n";
    };
    for (int i = 0; i < int(m_lines.size()); ++i) {
        const Line& line = m_lines[size_t(i)];
        if (line.kind == Line::Header && line.raw.isEmpty()) {
            endLine();
            out += Cp932::encode(u'[' + m_sections[size_t(line.section)].name + u']') + "\r\n";
        } else if (line.kind == Line::KeyValue &&
                   m_sections[size_t(line.section)].entries[size_t(line.entry)].changed) {
            const Entry& e = m_sections[size_t(line.section)].entries[size_t(line.entry)];
            QString value = e.value;
            // A line break inside a value would start a new line in the file.
            value.replace(u'\r', u' ').replace(u'\n', u' ');
            endLine();
            out += Cp932::encode(e.key + u'=' + value) + "\r\n";
        } else {
            out += line.raw;
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

const IniFile::Section* IniFile::find(const QString& section) const {
    auto it = m_index.constFind(section.toLower());
    return it == m_index.constEnd() ? nullptr : &m_sections[size_t(*it)];
}

const IniFile::Entry* IniFile::findEntry(const QString& section, const QString& key) const {
    const Section* s = find(section);
    if (!s) return nullptr;
    auto it = s->index.constFind(key.toLower());
    return it == s->index.constEnd() ? nullptr : &s->entries[size_t(*it)];
}

int IniFile::sectionIndex(const QString& section, bool add) {
    auto it = m_index.constFind(section.toLower());
    if (it != m_index.constEnd()) return *it;
    if (!add) return -1;
    m_sections.push_back({section, {}, {}, -1, false});
    const int n = int(m_sections.size()) - 1;
    m_index.insert(section.toLower(), n);
    return n;
}

void IniFile::insertLine(int section, Line line) {
    Section& sec = m_sections[size_t(section)];
    const int at = sec.insertAfter + 1;
    if (at >= int(m_lines.size())) {
        m_lines.push_back(std::move(line));
    } else {
        // Into the middle of the file: every later position moves on by one.
        m_lines.insert(m_lines.begin() + at, std::move(line));
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
    QString body = text.trimmed();
    bool negative = false;
    if (body.startsWith(u'-') || body.startsWith(u'+')) {
        negative = body.startsWith(u'-');
        body = body.mid(1);
    }
    int base = 10;
    if (body.startsWith(u'$')) {
        base = 16;
        body = body.mid(1);
    } else if (body.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)) {
        base = 16;
        body = body.mid(2);
    }
    if (body.isEmpty() || body.size() > 12) return false;
    for (QChar c : body) {
        const bool digit = c.unicode() >= '0' && c.unicode() <= '9';
        const bool hexLetter = (c.unicode() >= 'a' && c.unicode() <= 'f') ||
                               (c.unicode() >= 'A' && c.unicode() <= 'F');
        if (!digit && !(base == 16 && hexLetter)) return false;
    }
    bool ok = false;
    qint64 v = body.toLongLong(&ok, base);
    if (!ok) return false;
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
        m_lines.push_back(std::move(header));
        sec.insertAfter = int(m_lines.size()) - 1;
    }
    Section& sec = m_sections[size_t(n)];
    auto it = sec.index.constFind(key.toLower());
    if (it != sec.index.constEnd()) {
        Entry& e = sec.entries[size_t(*it)];
        // The same value again leaves the line as it was read.
        if (e.value != value) {
            e.value = value;
            e.changed = true;
        }
        return;
    }
    sec.index.insert(key.toLower(), int(sec.entries.size()));
    sec.entries.push_back({key, value, true});
    Line line;
    line.kind = Line::KeyValue;
    line.section = n;
    line.entry = int(sec.entries.size()) - 1;
    insertLine(n, std::move(line));
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
    clear();
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
        m_lines.push_back(std::move(line));
        if (m_lines.back().section >= 0 && m_lines.back().kind != Line::Other)
            m_sections[size_t(m_lines.back().section)].insertAfter = int(m_lines.size()) - 1;
    }
}

void IniFile::clear() {
    m_sections.clear();
    m_lines.clear();
    m_index.clear();
}

} // namespace qvx
