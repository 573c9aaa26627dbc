#pragma once

#include "board/BoardProtocol.h"

#include <QString>
#include <optional>

namespace qvx {

// The trim file: an INI text file whose one section "TrimData" holds the trim
// value of each channel as "CH1".."CH24" = the absolute word (16384 is
// neutral), in decimal.
class TrimFile {
  public:
    using Words = BigEndian::Words;

    static QString Section() { return QStringLiteral("TrimData"); }
    static QString Key(int channel) { return QStringLiteral("CH") + QString::number(channel); }

    // The 24 values of the file; nothing when the file cannot be read, lacks
    // the section or any of the keys, or holds a value that is no integer or
    // lies outside minValue..maxValue. A value beyond the range the trim
    // window allows would move a servo's centre far off, so such a file is
    // refused as a whole rather than cut to fit.
    static std::optional<Words> Read(const QString& path, int minValue, int maxValue);
    // Replaces the file's whole content with the "TrimData" section, after
    // the test write that tells whether the place can be used. False when the
    // place cannot be written or the save failed; the saving is atomic, so an
    // old file then stays as it was.
    static bool Write(const QString& path, const Words& trim);
    // Whether Write would find the place usable; writes nothing.
    static bool CanWrite(const QString& path);
};

} // namespace qvx
