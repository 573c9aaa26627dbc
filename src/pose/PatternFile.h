#pragma once

#include "document/IniFile.h"
#include "pose/PoseData.h"

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
    };

    explicit PatternFile(QString path = {});
    // The pattern file of a settings folder.
    static QString PathIn(const QString& dir);

    const QString& path() const { return m_ini.path(); }

    // Reads the file. A missing file reads as no patterns and counts as success;
    // a file that exists but cannot be read returns false and holds nothing.
    bool load();
    // Takes text as the whole content of the file.
    void parse(const QString& text);

    // The names of all patterns of a kind, in the order they were created.
    QStringList names(Kind kind) const;
    // The stored pattern of that name, or nothing when the name is not listed.
    std::optional<Pattern> pattern(Kind kind, const QString& name) const;

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

    IniFile m_ini;
};

} // namespace qvx
