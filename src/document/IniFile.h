#pragma once

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QLoggingCategory>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace qvx {

// Files read and written (off by default).
Q_DECLARE_LOGGING_CATEGORY(lcDoc)

// An INI text file held whole in memory: sections of key=value lines, CP932
// text with CR LF line ends. Section and key names are matched without regard
// to case; the order of sections and keys is kept as read or first written.
// Saving writes the whole file atomically, so a failed save leaves the old file.
//
// Lines the program does not change come back byte for byte: comments, lines
// without "=", repeated keys, bytes that are not CP932 and the file's own line
// ends. Only entries written since the file was read are written anew. Reading
// is linear in the size of the file (sections and long sections are found
// through an index, names are compared without making lower-case copies).
class IniFile {
public:
    explicit IniFile(QString path = {});

    const QString& path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }

    // The most a settings, document, pattern or trim file may hold; nothing
    // the program writes comes near it.
    static constexpr qint64 kMaxFileSize = 64LL * 1024 * 1024;

    // Reads the file. A missing file gives an empty image and counts as success;
    // a file that exists but cannot be read, is no regular file or is larger
    // than kMaxFileSize returns false.
    bool load();
    // Writes the whole image to the file. Refused for a path that exists but
    // is no regular file (a device, a pipe, a directory).
    bool save() const;
    // The "test write": reads the file and writes it straight back, which tells
    // whether the place can be used at all (and creates a missing file). What
    // the file holds is not changed.
    bool loadAndTestWrite();
    // The checks of the test write for a file about to be replaced by other
    // bytes, without taking in what it holds and without writing it back: the
    // file must be one load() reads (or missing), and a new file must be able
    // to take its place (tried by opening the save and cancelling it, which
    // leaves everything as it was). The image stays as it is.
    bool canReplace() const;

    // Takes text as the whole content of the file (already decoded).
    void parse(const QString& text);
    // Takes bytes as the whole content of the file, as read from disk.
    void parseBytes(const QByteArray& bytes);
    // The file's bytes exactly as save() writes them, and as text.
    QByteArray toBytes() const;
    QString toText() const;

    // Writes bytes to path as save() writes an image: atomically, refused where
    // a path exists but is no regular file.
    static bool saveBytes(const QString& path, const QByteArray& bytes);
    // The same for bytes that write() puts into the new file as they are made;
    // write returns false when the file took fewer than it was given.
    static bool saveWith(const QString& path, const std::function<bool(QIODevice&)>& write);

    QString readString(const QString& section, const QString& key, const QString& def) const;
    int readInteger(const QString& section, const QString& key, int def) const;
    bool readBool(const QString& section, const QString& key, bool def) const;
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);

    // One section found once, for reading several of its keys in a row (as a
    // document's items are read); a missing section has no keys. It reads the
    // image as it was when made: any change to the image ends its use.
    class SectionReader;
    SectionReader section(const QString& name) const;

    bool sectionExists(const QString& section) const;
    bool valueExists(const QString& section, const QString& key) const;
    QStringList sections() const;
    QStringList keys(const QString& section) const;
    void eraseSection(const QString& section);
    void clear();

    // Integer text as the settings and documents hold it: decimal with an
    // optional sign, or hexadecimal after "0x" or "$". Out of 32-bit range or
    // anything else fails.
    static bool parseInteger(const QString& text, int& out);
    static bool parseInteger(QStringView text, int& out);
    // The same for ASCII bytes, as read from a file.
    static bool parseInteger(QByteArrayView bytes, int& out);

    // A section or key name as a hash key: equal when the lower-case forms of
    // the names are equal, as lookups have always matched them.
    struct Name {
        QString text;
        bool operator==(const Name& other) const;
    };

private:
    struct Entry {
        QString key;
        QString value;
        // Written since the file was read: the line is made anew on saving.
        bool changed = false;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
        // Key -> position in entries, made once the section has grown past a
        // few entries; shorter sections are searched from the top.
        QHash<Name, int> index;
        // Position in m_lines after which a new entry of this section goes:
        // its last header or entry line.
        int insertAfter = -1;
        // Made by the program, not read: a blank line follows it on saving.
        bool generated = false;

        int entryIndex(QStringView key) const;
        void addEntry(Entry entry);
    };
    // One line of the file: a section header, an entry, or anything else. A
    // line that was read is kept as its bytes in m_source (with the line end it
    // had); rawSize is 0 for a line the program made.
    struct Line {
        enum Kind { Header, KeyValue, Other } kind = Other;
        int section = -1;
        int entry = -1;
        qsizetype rawAt = 0;
        qsizetype rawSize = 0;
    };

    const Section* find(const QString& section) const;
    const Entry* findEntry(const QString& section, const QString& key) const;
    int sectionIndex(const QString& section, bool add);
    void insertLine(int section, Line line);
    bool readBytes(QByteArray& bytes) const;

    QString m_path;
    // The bytes last read; read lines point into them.
    QByteArray m_source;
    std::vector<Section> m_sections;
    std::vector<Line> m_lines;
    QHash<Name, int> m_index; // name -> position in m_sections
};

class IniFile::SectionReader {
  public:
    QString readString(const QString& key, const QString& def) const;
    int readInteger(const QString& key, int def) const;
    bool valueExists(const QString& key) const;

  private:
    friend class IniFile;
    explicit SectionReader(const Section* section) : m_section(section) {}
    const Entry* findEntry(const QString& key) const;

    const Section* m_section;
};

size_t qHash(const IniFile::Name& name, size_t seed = 0);

// The text of a new INI file, written section after section: the same bytes an
// IniFile saves after the same writeString() calls into an empty image, made
// without the image and its indexes. Each section is written once, each key
// once per section.
class IniWriter {
  public:
    // With a sink, the text made so far goes to it at each new section once a
    // good part has gathered, so that a large file is never held whole; finish()
    // then writes the rest and hands over nothing.
    explicit IniWriter(QIODevice* sink = nullptr) : m_sink(sink) {}
    void beginSection(const QString& name);
    void write(QLatin1StringView key, const QString& value);
    void write(QLatin1StringView key, qint64 value);
    // A value made of ASCII bytes with no line break, such as a list of numbers.
    void writeAscii(QLatin1StringView key, QByteArrayView value);
    // Ends the last section and hands over the file's bytes; the writer is
    // empty afterwards.
    QByteArray finish();
    // False when the sink took fewer bytes than it was given.
    bool written() const { return m_written; }

  private:
    void spill();

    QIODevice* m_sink;
    QByteArray m_out;
    bool m_inSection = false;
    bool m_written = true;
};

} // namespace qvx
