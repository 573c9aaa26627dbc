#include "document/CommaList.h"

namespace qvx {

namespace {
bool isBlank(QChar c) { return c.unicode() >= 1 && c.unicode() <= 32; }
} // namespace

QStringList CommaList::split(const QString& text) {
    QStringList out;
    const int n = text.size();
    int p = 0;
    // A NUL character ends the text, as it would in a C string.
    int end = text.indexOf(QChar(0));
    const int limit = end < 0 ? n : end;
    while (p < limit && isBlank(text[p])) ++p;
    while (p < limit) {
        QString field;
        if (text[p] == u'"') {
            ++p;
            while (p < limit) {
                if (text[p] == u'"') {
                    if (p + 1 < limit && text[p + 1] == u'"') {
                        field += u'"';
                        p += 2;
                        continue;
                    }
                    ++p; // closing quote
                    break;
                }
                field += text[p++];
            }
        } else {
            int start = p;
            while (p < limit && !isBlank(text[p]) && text[p] != u',') ++p;
            field = text.mid(start, p - start);
        }
        out << field;
        while (p < limit && isBlank(text[p])) ++p;
        if (p < limit && text[p] == u',') {
            if (p + 1 >= limit) out << QString();
            do {
                ++p;
            } while (p < limit && isBlank(text[p]));
        }
    }
    return out;
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
