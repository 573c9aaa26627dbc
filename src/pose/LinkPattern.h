#pragma once

#include "pose/PatternFile.h"

#include <optional>

namespace qvx {

// The channel actions of a stored link pattern, ready for link movement and
// teaching, or why the pattern cannot be used: it is not stored, it holds
// fewer than 24 entries, or an action cannot be carried out (a hand-edited
// PRM, MOV or SET without an integer). `actions` changes only when it can.
std::optional<QString> LoadLinkPattern(const PatternFile& patterns, const QString& name,
                                       PatternFile::Entries& actions);

// The refusal of a link pattern action that cannot be carried out.
QString UnusableActionText(const QString& pattern, const QString& action, int channel);

} // namespace qvx
