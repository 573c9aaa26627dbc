#include "settings/TrimFile.h"

#include "document/IniFile.h"

namespace qvx {

std::optional<TrimFile::Words> TrimFile::Read(const QString& path, int minValue, int maxValue) {
    IniFile ini(path);
    if (!ini.load() || !ini.sectionExists(Section())) return std::nullopt;
    Words trim{};
    for (int n = 1; n <= QmxBoard::kChannels; ++n) {
        int v = 0;
        // A missing key and text that is no integer are alike: unusable.
        if (!IniFile::parseInteger(ini.readString(Section(), Key(n), QString()).trimmed(), v))
            return std::nullopt;
        if (v < minValue || v > maxValue) return std::nullopt;
        trim[size_t(n - 1)] = quint16(v);
    }
    return trim;
}

bool TrimFile::Write(const QString& path, const Words& trim) {
    IniFile ini(path);
    if (!ini.loadAndTestWrite()) return false;
    ini.clear();
    for (int n = 1; n <= QmxBoard::kChannels; ++n)
        ini.writeInteger(Section(), Key(n), trim[size_t(n - 1)]);
    return ini.save();
}

bool TrimFile::CanWrite(const QString& path) {
    return IniFile(path).canReplace();
}

} // namespace qvx
