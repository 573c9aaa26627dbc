#include "document/IniFile.h"

#include "document/Cp932.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace qvx {

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

bool IniFile::load() {
    clear();
    QFile f(m_path);
    if (!f.exists()) return !QFileInfo(m_path).isDir();
    if (!f.open(QIODevice::ReadOnly)) return false;
    parse(Cp932::decode(f.readAll()));
    return true;
}

bool IniFile::save() const {
    if (m_path.isEmpty()) return false;
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = Cp932::encode(toText());
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
    return save();
}

void IniFile::parse(const QString& text) {
    clear();
    Section* current = nullptr;
    const QStringList lines = text.split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r')) line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u';')) continue;
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
            current = &findOrAdd(trimmed.mid(1, trimmed.size() - 2).trimmed());
            continue;
        }
        const int eq = line.indexOf(u'=');
        if (!current || eq < 0) continue;
        const QString key = line.left(eq).trimmed();
        if (key.isEmpty()) continue;
        // The first occurrence of a key wins, as a reader that searches from the top finds it.
        bool known = false;
        for (const Entry& e : current->entries) {
            if (e.key.compare(key, Qt::CaseInsensitive) == 0) {
                known = true;
                break;
            }
        }
        if (!known) current->entries.push_back({key, line.mid(eq + 1)});
    }
}

QString IniFile::toText() const {
    QString out;
    for (const Section& s : m_sections) {
        out += u'[' + s.name + QStringLiteral("]\r\n");
        for (const Entry& e : s.entries) {
            QString value = e.value;
            // A line break inside a value would start a new line in the file.
            value.replace(u'\r', u' ').replace(u'\n', u' ');
            out += e.key + u'=' + value + QStringLiteral("\r\n");
        }
        out += QStringLiteral("\r\n");
    }
    return out;
}

const IniFile::Section* IniFile::find(const QString& section) const {
    auto it = m_index.constFind(section.toLower());
    return it == m_index.constEnd() ? nullptr : &m_sections[*it];
}

IniFile::Section& IniFile::findOrAdd(const QString& section) {
    auto it = m_index.constFind(section.toLower());
    if (it != m_index.constEnd()) return m_sections[*it];
    m_sections.push_back({section, {}});
    m_index.insert(section.toLower(), int(m_sections.size()) - 1);
    return m_sections.back();
}

void IniFile::reindex() {
    m_index.clear();
    for (int i = 0; i < int(m_sections.size()); ++i) m_index.insert(m_sections[i].name.toLower(), i);
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    if (const Section* s = find(section)) {
        for (const Entry& e : s->entries)
            if (e.key.compare(key, Qt::CaseInsensitive) == 0) return e.value;
    }
    return def;
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
    Section& s = findOrAdd(section);
    for (Entry& e : s.entries) {
        if (e.key.compare(key, Qt::CaseInsensitive) == 0) {
            e.value = value;
            return;
        }
    }
    s.entries.push_back({key, value});
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::sectionExists(const QString& section) const { return find(section) != nullptr; }

bool IniFile::valueExists(const QString& section, const QString& key) const {
    if (const Section* s = find(section)) {
        for (const Entry& e : s->entries)
            if (e.key.compare(key, Qt::CaseInsensitive) == 0) return true;
    }
    return false;
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
    auto it = m_index.constFind(section.toLower());
    if (it == m_index.constEnd()) return;
    m_sections.erase(m_sections.begin() + *it);
    reindex();
}

void IniFile::clear() {
    m_sections.clear();
    m_index.clear();
}

} // namespace qvx
