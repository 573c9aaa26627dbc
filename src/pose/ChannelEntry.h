#pragma once

#include "pose/PoseData.h"

#include <QString>
#include <array>
#include <optional>

namespace qvx {

// A channel action of a link pattern or a conversion entry, as typed into the
// channel table dialog: a keyword, optionally followed by an argument in
// parentheses, e.g. MOV(10), TTL(H), FREE, COPYTO(5), SPD(*1.5).
struct EntryParts {
    QString keyword;
    QString argument;
};

// The keyword and argument of an entry text, as the pattern editor stores it.
// The text is taken in upper case; the keyword is every character before the
// first "(" that is not a space, the argument every character from that "("
// on that is not a space, "(" or ")". Without "(" the argument is empty. So
// "mov ( -10 )" gives MOV and -10, and "MOV(1)2" gives MOV and 12.
EntryParts SplitEntry(const QString& text);

// An argument read as a whole decimal number with an optional sign, within the
// range of a 32-bit integer; nothing for anything else ("1.5", "", "0x10").
std::optional<int> EntryInteger(const QString& argument);
// An argument read as a finite real number ("1.5", "-2", "1E3"); nothing for
// anything else, infinities and NaN included.
std::optional<double> EntryNumber(const QString& argument);

// 0 when every action is allowed, else the first channel (1..24) whose action is not.
// An entry whose keyword and argument are both empty is allowed; otherwise the
// keyword must be one of PRM, MOV, SET, TTL, FREE, TCH, SPD, STR and its
// argument must meet that keyword's rule.
int ValidateLinkPattern(const std::array<QString, Pose::kChannels>& actions);

// The word channel value `b` takes from one press of a link movement button
// (direction +1 or -1) under `action`; nothing when the action cannot be used
// (a PRM, MOV or SET argument that is not an integer, possible only in a hand-edited file).
// SET outside 1..3, TTL with anything but H, L, 1 or 0, and a keyword that is
// no channel action cannot be used either. TCH, SPD, STR and an empty action
// keep b.
std::optional<quint16> LinkStep(quint16 b, const QString& action, int direction);

} // namespace qvx
