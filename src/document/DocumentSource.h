#pragma once

#include "document/ChartTypes.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace qvx {

// A file read for opening, in one pass over its bytes: what a QMX document's
// sections say, taken straight into items and links, and the kind of file it
// is. The bytes are read a block at a time and dropped once the file shows it
// is a document; only a file that may be a pose table is kept whole, for its
// lines.
//
// The reading is that of the general INI reader: section and key names match
// without regard to case, the first occurrence of a key in a section wins
// (also when the section comes again), blanks around names and numbers do not
// count. Lines of ASCII are read in place; a line holding other bytes is
// decoded from CP932 first, so that it reads as the decoded text does.
class DocumentSource {
  public:
    // How much a file may hold: its size, and the items and links it may claim.
    struct Limits {
        qint64 bytes;
        int count;
    };

    // Reads the file at path. A missing file reads as an empty one.
    static DocumentSource Read(const QString& path, Limits limits);

    const QString& path() const { return m_path; }
    // False when the file exists but could not be read, or was too large.
    bool readable() const { return m_readable; }
    // True when path names a regular file.
    bool isFile() const { return m_isFile; }
    const Limits& limits() const { return m_limits; }

    // The Type of the GraphicalEdit section, when it has one that is a number.
    std::optional<int> type() const { return m_head.number(Head::Type); }
    // The lines of the file as DocumentFile::ReadLines() gives them; empty
    // for a file that turned out to be a document of either kind.
    const QStringList& lines() const { return m_lines; }

    // What the GraphicalEdit section says. A value is missing when the key is
    // missing or, for a number, its text is none.
    struct Head {
        enum Key { Name, Port, Ctrl, Type, Width, Height, Start, Items, Links, KeyCount };
        std::optional<QString> name;
        std::optional<int> numbers[KeyCount];
        unsigned seen = 0;

        std::optional<int> number(Key k) const { return numbers[k]; }
    };
    const Head& head() const { return m_head; }

    // The first count items, of sections Item0 on, with the defaults of a
    // missing section or key; the source keeps none. An item whose Prm value
    // holds too few numbers keeps the defaults; shortPrm(n) tells how many.
    std::vector<Item> takeItems(int count);
    std::optional<qsizetype> shortPrm(int n) const;
    // The first count links, of sections Link0 on, with their ends as the
    // file gives them (-1 where it gives none); the source keeps none. A link
    // whose Point value holds a field that is no number, or a number outside
    // the range a chart can hold, has no bending points; pointFault(n) tells
    // which field.
    std::vector<Link> takeLinks(int count);
    struct PointFault {
        bool number = false; // a number out of range, else no number at all
        QString field;       // the field that is no number
        int value = 0;       // the number out of range
    };
    const PointFault* pointFault(int n) const;

  private:
    DocumentSource(const QString& path, Limits limits) : m_path(path), m_limits(limits) {}
    class Reader;
    friend class Reader;

    QString m_path;
    Limits m_limits;
    bool m_readable = true;
    bool m_isFile = false;
    QStringList m_lines;
    Head m_head;
    std::vector<Item> m_items;
    std::vector<Link> m_links;
    // How many numbers the Prm value of item n held, where too few.
    QHash<int, qsizetype> m_shortPrm;
    QHash<int, PointFault> m_pointFaults;
};

} // namespace qvx
