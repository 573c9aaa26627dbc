#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace qvx {

// An INI text file held whole in memory: sections of key=value lines, CP932
// text with CR LF line ends. Section and key names are matched without regard
// to case; the order of sections and keys is kept as read or first written.
// Saving writes the whole file atomically, so a failed save leaves the old file.
//
// Lines the program does not change come back byte for byte: comments, lines
// without "=", repeated keys, bytes that are not CP932 and the file's own line
// ends. Only entries written since the file was read are written anew. Reading
// is linear in the size of the file (keys are found through an index).
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

    // Takes text as the whole content of the file (already decoded).
    void parse(const QString& text);
    // Takes bytes as the whole content of the file, as read from disk.
    void parseBytes(const QByteArray& bytes);
    // The file's bytes exactly as save() writes them, and as text.
    QByteArray toBytes() const;
    QString toText() const;

    QString readString(const QString& section, const QString& key, const QString& def) const;
    int readInteger(const QString& section, const QString& key, int def) const;
    bool readBool(const QString& section, const QString& key, bool def) const;
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);

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
        QHash<QString, int> index; // lower-case key -> position in entries
        // Position in m_lines after which a new entry of this section goes:
        // its last header or entry line.
        int insertAfter = -1;
        // Made by the program, not read: a blank line follows it on saving.
        bool generated = false;
    };
    // One line of the file: a section header, an entry, or anything else,
    // kept as read (raw holds its bytes with the line end they had).
    struct Line {
        enum Kind { Header, KeyValue, Other } kind = Other;
        int section = -1;
        int entry = -1;
        QByteArray raw;
    };

    const Section* find(const QString& section) const;
    const Entry* findEntry(const QString& section, const QString& key) const;
    int sectionIndex(const QString& section, bool add);
    void insertLine(int section, Line line);
    void rebuild();

    QString m_path;
    std::vector<Section> m_sections;
    std::vector<Line> m_lines;
    QHash<QString, int> m_index; // lower-case name -> position in m_sections
};

} // namespace qvx
