#include "base/CommaList.h"

namespace qvx {

QStringList CommaList::split(const QString& text) {
    QStringList out;
    scan(text, [&out](QStringView field) {
        out << field.toString();
        return true;
    });
    return out;
}

namespace {
unsigned code(QChar c) {
    return c.unicode();
}
unsigned code(char c) {
    return static_cast<unsigned char>(c);
}
QString copy(QStringView v) {
    return v.toString();
}
QByteArray copy(QByteArrayView v) {
    return v.toByteArray();
}

// The one reading of a list, for text and for bytes read straight from a file
// (ASCII, whose codes are the characters'). A quoted field with a doubled
// quote is made anew in a Built.
template <typename View, typename Built>
bool scanFields(View text, const std::function<bool(View)>& field) {
    auto at = [&text](qsizetype i) { return code(text[i]); };
    auto blank = [&at](qsizetype i) { return at(i) >= 1 && at(i) <= 32; };
    qsizetype p = 0;
    // A NUL character ends the text, as it would in a C string.
    qsizetype limit = 0;
    while (limit < text.size() && at(limit) != 0)
        ++limit;
    while (p < limit && blank(p))
        ++p;
    Built built;
    while (p < limit) {
        View value;
        if (at(p) == '"') {
            ++p;
            const qsizetype start = p;
            bool doubled = false;
            built.clear();
            while (p < limit) {
                if (at(p) == '"') {
                    if (p + 1 < limit && at(p + 1) == '"') {
                        if (!doubled) built = copy(text.sliced(start, p - start));
                        doubled = true;
                        built += text[p];
                        p += 2;
                        continue;
                    }
                    break; // closing quote
                }
                if (doubled) built += text[p];
                ++p;
            }
            value = doubled ? View(built) : text.sliced(start, p - start);
            if (p < limit) ++p; // past the closing quote
        } else {
            const qsizetype start = p;
            while (p < limit && !blank(p) && at(p) != ',')
                ++p;
            value = text.sliced(start, p - start);
        }
        if (!field(value)) return false;
        while (p < limit && blank(p))
            ++p;
        if (p < limit && at(p) == ',') {
            if (p + 1 >= limit && !field(View())) return false;
            do {
                ++p;
            } while (p < limit && blank(p));
        }
    }
    return true;
}
} // namespace

bool CommaList::scan(QStringView text, const std::function<bool(QStringView)>& field) {
    return scanFields<QStringView, QString>(text, field);
}

bool CommaList::scan(QByteArrayView bytes, const std::function<bool(QByteArrayView)>& field) {
    return scanFields<QByteArrayView, QByteArray>(bytes, field);
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
