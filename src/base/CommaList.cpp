#include "base/CommaList.h"

namespace qvx {

namespace {
bool isBlank(QChar c) { return c.unicode() >= 1 && c.unicode() <= 32; }
} // namespace

QStringList CommaList::split(const QString& text) {
    QStringList out;
    scan(text, [&out](QStringView field) {
        out << field.toString();
        return true;
    });
    return out;
}

bool CommaList::scan(QStringView text, const std::function<bool(QStringView)>& field) {
    qsizetype p = 0;
    // A NUL character ends the text, as it would in a C string.
    const qsizetype end = text.indexOf(QChar(0));
    const qsizetype limit = end < 0 ? text.size() : end;
    while (p < limit && isBlank(text[p])) ++p;
    QString built;
    while (p < limit) {
        QStringView value;
        if (text[p] == u'"') {
            ++p;
            const qsizetype start = p;
            bool doubled = false;
            built.clear();
            while (p < limit) {
                if (text[p] == u'"') {
                    if (p + 1 < limit && text[p + 1] == u'"') {
                        if (!doubled) built = text.mid(start, p - start).toString();
                        doubled = true;
                        built += u'"';
                        p += 2;
                        continue;
                    }
                    break; // closing quote
                }
                if (doubled) built += text[p];
                ++p;
            }
            value = doubled ? QStringView(built) : text.mid(start, p - start);
            if (p < limit) ++p; // past the closing quote
        } else {
            const qsizetype start = p;
            while (p < limit && !isBlank(text[p]) && text[p] != u',') ++p;
            value = text.mid(start, p - start);
        }
        if (!field(value)) return false;
        while (p < limit && isBlank(text[p])) ++p;
        if (p < limit && text[p] == u',') {
            if (p + 1 >= limit && !field(QStringView())) return false;
            do {
                ++p;
            } while (p < limit && isBlank(text[p]));
        }
    }
    return true;
}

QString CommaList::quoteIfNeeded(const QString& element) {
    bool needs = false;
    for (QChar c : element) {
        if (c.unicode() <= 32 || c == u'"' || c == u',' || c.unicode() == 127) {
            needs = true;
            break;
        }
    }
    if (!needs) return element;
    QString quoted = element;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString CommaList::join(const QStringList& elements) {
    // A single empty element is written as "" so that it reads back as one element.
    if (elements.size() == 1 && elements.first().isEmpty()) return QStringLiteral("\"\"");
    QStringList parts;
    parts.reserve(elements.size());
    for (const QString& e : elements) parts << quoteIfNeeded(e);
    return parts.join(u',');
}

} // namespace qvx
