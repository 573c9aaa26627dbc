#pragma once

#include "document/IniFile.h"
#include "pose/PoseData.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace qvx {

// "PATTERN.ini" in the settings folder: the named per-channel recipes of the
// pose editor. Two kinds share one layout: a list of names in one section, and
// one key per name in another whose value holds the 24 entries of CH1..CH24.
//
//   [NewLink]    NewLinkList=<link pattern names, comma list>
//   [NewLinkList] <name>="<CH1 action>","<CH2 action>",...   (24 quoted elements)
//   [Convert]    CnvList=<conversion pattern names, comma list>
//   [CnvList]    <name>="<CH1 entry>","<CH2 entry>",...
//
// The file is held whole in memory, as read; a missing file holds no patterns.
// Changes are made in memory and reach the disk with save().
class PatternFile {
  public:
    static constexpr char kFileName[] = "PATTERN.ini";

    // Link patterns give each channel an action for link movement and mark the
    // teach channels; conversion patterns give each channel a conversion.
    enum class Kind { Link, Conversion };

    using Entries = std::array<QString, Pose::kChannels>;

    // One stored pattern: its entries, CH1 first, and how many elements the file
    // held for it. A hand-edited file may hold fewer than 24; the missing
    // entries read as empty, and a caller that cannot use such a pattern tells
    // by `stored`.
    struct Pattern {
        Entries entries;
        int stored = 0;

        bool complete() const { return stored >= Pose::kChannels; }
        // Why the pattern of that name cannot be used, or nothing when it can:
        // a pattern with fewer than 24 stored elements, as in
        // "Walk" holds 20 of 24 channel entries.
        std::optional<QString> incompleteText(const QString& name) const;
    };

    explicit PatternFile(QString path = {});
    // The pattern file of a settings folder.
    static QString PathIn(const QString& dir);

    const QString& path() const { return m_ini.path(); }

    // Reads the file. A missing file reads as no patterns and counts as success;
    // a file that exists but cannot be read returns false and holds nothing.
    bool load();
    // Reads the file and writes it straight back, which tells whether it can
    // be kept at all (and creates a missing file).
    bool loadAndTestWrite() { return m_ini.loadAndTestWrite(); }
    // Writes the whole file atomically: a failed save leaves the old file.
    // A missing file is created.
    bool save() const { return m_ini.save(); }
    // The file's text as save() writes it.
    QString toText() const { return m_ini.toText(); }
    // Takes text as the whole content of the file.
    void parse(const QString& text);

    // The names of all patterns of a kind, in the order they were created.
    QStringList names(Kind kind) const;
    // The stored pattern of that name, or nothing when the name is not listed.
    std::optional<Pattern> pattern(Kind kind, const QString& name) const;

    // Why a name cannot name a pattern, or nothing when it can. A pattern's
    // entries are kept under a key made of its name, and keys lose the blanks
    // around them and end at the first "=", so a name must hold something
    // besides blanks, no "=", no control character (a line break would end the
    // key's line), must not start with ";" (the line would be a comment) and
    // must be writable in the file's code page. Blanks around a name, commas
    // and double quotes are fine. Names differing only in case or in the
    // blanks around them share one key, as exactly equal names do.
    static std::optional<QString> CheckPatternName(const QString& name);
    // Why an empty name is refused.
    static QString NoNameText() {
        return QCoreApplication::translate("PatternFile", "Input the name");
    }

    // Appends a name to the name list of a kind, even when it is listed
    // already (it is then listed twice and shares the key). Returns why the
    // name was refused (CheckPatternName), or nothing when it was added.
    std::optional<QString> addName(Kind kind, const QString& name);
    // Writes a pattern's 24 entries under its name as a quoted list: each
    // element in double quotes, separated by commas. A double quote inside an
    // entry is doubled so that the entry reads back as it was. Returns why the
    // pattern was refused (the name, or an entry holding a line break, a NUL
    // or a character the file's code page lacks), or nothing when written.
    std::optional<QString> writePattern(Kind kind, const QString& name, const Entries& entries);
    // Removes the first listed occurrence of a name from its name list, and its
    // entries unless another listed name still uses the same key. Returns
    // false when the name is not listed.
    bool removeName(Kind kind, const QString& name);

    QStringList linkNames() const { return names(Kind::Link); }
    std::optional<Pattern> linkPattern(const QString& name) const {
        return pattern(Kind::Link, name);
    }

  private:
    // Where a kind of pattern lives in the file.
    struct Place {
        QString listSection;  // section of the name list
        QString listKey;      // key of the name list
        QString entrySection; // section with one key per pattern name
    };
    static Place placeOf(Kind kind);
    // The key a pattern's entries are stored under.
    static QString keyOf(const QString& name) { return name.trimmed(); }
    void writeNames(Kind kind, const QStringList& names);

    IniFile m_ini;
};

} // namespace qvx
