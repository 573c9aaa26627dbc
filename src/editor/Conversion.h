#pragma once

#include "document/ChartTypes.h"

#include <QString>
#include <array>
#include <optional>

namespace qvx {

class Chart;

// The 24 conversion entries of a conversion pattern, CH1 first, as texts
// (COPYTO(5), REVERSE, SPD(*1.5), ... or empty for no entry).
using ConversionEntries = std::array<QString, kChannelCount>;

// Why an entry list cannot be applied, or nothing when it can. The one entry
// refused is an SPD that divides the speed by zero (SPD(/0), SPD(/0.0), ...);
// the text names the first such channel and, when given, the pattern.
std::optional<QString> CheckConversion(const ConversionEntries& entries,
                                       const QString& patternName = {});

// Converts one item from its own values and speed: every channel's entry in
// order CH1..CH24 reads the values from before the conversion, and a later
// write to the same channel wins. An SPD entry dividing by zero changes nothing
// here; CheckConversion refuses such lists before any item is touched.
void ConvertItem(Item& item, const ConversionEntries& entries);

// Converts every selected item that is not a CMP item, in index order, each on
// its own. A refused entry list (CheckConversion) changes nothing and its
// reason is returned; otherwise nothing is returned.
std::optional<QString> ApplyConversion(Chart& chart, const ConversionEntries& entries,
                                       const QString& patternName = {});

} // namespace qvx
