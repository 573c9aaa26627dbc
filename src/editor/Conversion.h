#pragma once

#include "document/ChartTypes.h"

#include <QString>
#include <QStringList>
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

// The entries a conversion passes over, or reads with a stand-in for an
// argument that is not a number, one line each naming the pattern (when
// given), the channel and the entry as typed, e.g.
//   Conversion pattern "Mirror", CH3 "XYZ(1)": not a conversion; ignored
// Such entries stay as they are (patterns in use rely on them); the user is
// only told.
QStringList ConversionNotes(const ConversionEntries& entries, const QString& patternName = {});

// The status line after a conversion: "Conversion changed 3 items", or
// "Conversion changed no value" when every converted item kept what it held.
QString ConversionOutcomeText(int changedItems);

// Converts one item from its own values and speed: every channel's entry in
// order CH1..CH24 reads the values from before the conversion, and a later
// write to the same channel wins. An SPD entry dividing by zero changes nothing
// here; CheckConversion refuses such lists before any item is touched.
void ConvertItem(Item& item, const ConversionEntries& entries);

// Converts every selected item that is not a CMP item, in index order, each on
// its own. A refused entry list (CheckConversion) changes nothing and its
// reason is returned; otherwise nothing is returned, and changedItems (when
// given) receives the number of items whose values or speed changed.
std::optional<QString> ApplyConversion(Chart& chart, const ConversionEntries& entries,
                                       const QString& patternName = {},
                                       int* changedItems = nullptr);

} // namespace qvx
