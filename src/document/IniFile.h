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
class IniFile {
public:
    explicit IniFile(QString path = {});

    const QString& path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }

    // Reads the file. A missing file gives an empty image and counts as success;
    // a file that exists but cannot be read returns false.
    bool load();
    // Writes the whole image to the file.
    bool save() const;
    // The "test write": reads the file and writes it straight back, which tells
    // whether the place can be used at all (and creates a missing file).
    bool loadAndTestWrite();

    // Parses text as the content of a file (already decoded).
    void parse(const QString& text);
    // The file's text exactly as save() writes it, before encoding.
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
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };

    const Section* find(const QString& section) const;
    Section& findOrAdd(const QString& section);
    void reindex();

    QString m_path;
    std::vector<Section> m_sections;
    QHash<QString, int> m_index; // lower-case name -> position in m_sections
};

} // namespace qvx
