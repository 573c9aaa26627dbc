#include "pose/PatternFile.h"

#include "base/CommaList.h"
#include "base/Cp932.h"

#include <QCoreApplication>

namespace qvx {

PatternFile::PatternFile(QString path) : m_ini(std::move(path)) {}

QString PatternFile::PathIn(const QString& dir) {
    return dir + u'/' + QLatin1String(kFileName);
}

PatternFile::Place PatternFile::placeOf(Kind kind) {
    if (kind == Kind::Conversion)
        return {QStringLiteral("Convert"), QStringLiteral("CnvList"), QStringLiteral("CnvList")};
    return {QStringLiteral("NewLink"), QStringLiteral("NewLinkList"),
            QStringLiteral("NewLinkList")};
}

bool PatternFile::load() {
    return m_ini.load();
}

void PatternFile::parse(const QString& text) {
    m_ini.parse(text);
}

QStringList PatternFile::names(Kind kind) const {
    const Place p = placeOf(kind);
    return CommaList::split(m_ini.readString(p.listSection, p.listKey, QString()));
}

std::optional<PatternFile::Pattern> PatternFile::pattern(Kind kind, const QString& name) const {
    // Only listed names are patterns; a key without its name is a leftover.
    if (!names(kind).contains(name)) return std::nullopt;
    const Place p = placeOf(kind);
    // The file's keys lose the blanks around them when read, so a listed name
    // with leading or trailing blanks is found by its trimmed form.
    const QStringList stored =
        CommaList::split(m_ini.readString(p.entrySection, keyOf(name), QString()));
    Pattern result;
    result.stored = int(stored.size());
    for (int k = 0; k < Pose::kChannels && k < stored.size(); ++k)
        result.entries[size_t(k)] = stored[k];
    return result;
}

namespace {

// Whether the file's code page can hold the text, so that it reads back as written.
bool fitsCodePage(const QString& text) {
    return Cp932::decode(Cp932::encode(text)) == text;
}

bool hasControl(const QString& text) {
    for (QChar c : text)
        if (c.unicode() < 32 || c.unicode() == 127) return true;
    return false;
}

} // namespace

std::optional<QString> PatternFile::Pattern::incompleteText(const QString& name) const {
    if (complete()) return std::nullopt;
    return QCoreApplication::translate("PatternFile", "\"%1\" holds %2 of %3 channel entries")
        .arg(name)
        .arg(stored)
        .arg(Pose::kChannels);
}

std::optional<QString> PatternFile::CheckPatternName(const QString& name) {
    const QString key = keyOf(name);
    if (key.isEmpty()) return NoNameText();
    if (name.contains(u'='))
        return QCoreApplication::translate("PatternFile", "The name \"%1\" cannot hold \"=\"")
            .arg(name);
    if (hasControl(name))
        return QCoreApplication::translate(
            "PatternFile", "The name cannot hold line breaks or other control characters");
    if (key.startsWith(u';'))
        return QCoreApplication::translate("PatternFile", "The name \"%1\" cannot start with \";\"")
            .arg(name);
    if (!fitsCodePage(name))
        return QCoreApplication::translate(
                   "PatternFile", "The name \"%1\" holds characters the pattern file cannot keep")
            .arg(name);
    return std::nullopt;
}

void PatternFile::writeNames(Kind kind, const QStringList& list) {
    const Place p = placeOf(kind);
    m_ini.writeString(p.listSection, p.listKey, CommaList::join(list));
}

std::optional<QString> PatternFile::addName(Kind kind, const QString& name) {
    if (std::optional<QString> problem = CheckPatternName(name)) return problem;
    writeNames(kind, names(kind) << name);
    return std::nullopt;
}

std::optional<QString> PatternFile::writePattern(Kind kind, const QString& name,
                                                 const Entries& entries) {
    if (std::optional<QString> problem = CheckPatternName(name)) return problem;
    QStringList quoted;
    for (size_t k = 0; k < entries.size(); ++k) {
        QString e = entries[k];
        // Other control characters are kept inside the quotes; these three
        // would end the line or the list.
        if (e.contains(u'\r') || e.contains(u'\n') || e.contains(QChar(0)))
            return QCoreApplication::translate(
                       "PatternFile", "CH%1: the entry cannot hold a line break or a NUL character")
                .arg(k + 1);
        if (!fitsCodePage(e))
            return QCoreApplication::translate("PatternFile",
                                               "CH%1: the entry \"%2\" holds characters the "
                                               "pattern file cannot keep")
                .arg(k + 1)
                .arg(e);
        quoted << u'"' + e.replace(u'"', QStringLiteral("\"\"")) + u'"';
    }
    m_ini.writeString(placeOf(kind).entrySection, keyOf(name), quoted.join(u','));
    return std::nullopt;
}

bool PatternFile::removeName(Kind kind, const QString& name) {
    QStringList list = names(kind);
    const qsizetype at = list.indexOf(name);
    if (at < 0) return false;
    list.removeAt(at);
    writeNames(kind, list);
    const QString key = keyOf(name);
    for (const QString& other : list)
        if (keyOf(other).compare(key, Qt::CaseInsensitive) == 0) return true;
    // The section is written anew without the key; its other entries keep
    // their order. Repeated lines of the key in a hand-edited file go as well,
    // so none of them can come back as the pattern on the next reading.
    const QString section = placeOf(kind).entrySection;
    if (!m_ini.valueExists(section, key)) return true;
    QList<std::pair<QString, QString>> kept;
    for (const QString& k : m_ini.keys(section))
        if (k.compare(key, Qt::CaseInsensitive) != 0)
            kept.push_back({k, m_ini.readString(section, k, QString())});
    m_ini.eraseSection(section);
    for (const auto& [k, v] : kept)
        m_ini.writeString(section, k, v);
    return true;
}

} // namespace qvx
