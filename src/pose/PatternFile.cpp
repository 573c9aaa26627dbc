#include "pose/PatternFile.h"

#include "document/CommaList.h"

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
        CommaList::split(m_ini.readString(p.entrySection, name.trimmed(), QString()));
    Pattern result;
    result.stored = int(stored.size());
    for (int k = 0; k < Pose::kChannels && k < stored.size(); ++k)
        result.entries[size_t(k)] = stored[k];
    return result;
}

} // namespace qvx
