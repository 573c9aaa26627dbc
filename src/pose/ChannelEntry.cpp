#include "pose/ChannelEntry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace qvx {

namespace {

bool isPosition(quint16 b) {
    return b >= Pose::kLowestPosition && b <= Pose::kHighestPosition;
}

quint16 clampToBar(qint64 v) {
    return quint16(std::clamp<qint64>(v, Pose::kBarMin, Pose::kBarMax));
}

bool integerIn(const QString& argument, int low, int high) {
    const std::optional<int> k = EntryInteger(argument);
    return k && *k >= low && *k <= high;
}

bool isTtlArgument(const QString& a) {
    return a == u"H" || a == u"L" || a == u"1" || a == u"0";
}

// Whether an action's argument meets the rule of its keyword; false for a
// keyword that is no channel action.
bool actionAllowed(const EntryParts& e) {
    const QString& k = e.keyword;
    const QString& a = e.argument;
    if (k.isEmpty()) return a.isEmpty();
    if (k == u"PRM" || k == u"MOV") return integerIn(a, -32767, 32767);
    if (k == u"SET") return integerIn(a, 1, 3);
    if (k == u"TTL") return isTtlArgument(a);
    if (k == u"FREE" || k == u"TCH") return a.isEmpty();
    if (k == u"SPD" || k == u"STR") return a != u"0" && integerIn(a, -127, 127);
    return false;
}

} // namespace

EntryParts SplitEntry(const QString& text) {
    const QString upper = text.toUpper();
    const qsizetype open = upper.indexOf(u'(');
    EntryParts parts;
    for (qsizetype i = 0; i < upper.size(); ++i) {
        const QChar c = upper[i];
        if (c == u' ') continue;
        if (open < 0 || i < open)
            parts.keyword += c;
        else if (c != u'(' && c != u')')
            parts.argument += c;
    }
    return parts;
}

std::optional<int> EntryInteger(const QString& argument) {
    qsizetype i = 0;
    if (argument.startsWith(u'-') || argument.startsWith(u'+')) i = 1;
    // Ten digits reach past the 32-bit range; more are refused before converting.
    if (i == argument.size() || argument.size() - i > 10) return std::nullopt;
    for (qsizetype j = i; j < argument.size(); ++j)
        if (argument[j] < u'0' || argument[j] > u'9') return std::nullopt;
    const qint64 v = argument.toLongLong();
    if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return int(v);
}

std::optional<double> EntryNumber(const QString& argument) {
    bool ok = false;
    const double v = argument.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

int ValidateLinkPattern(const std::array<QString, Pose::kChannels>& actions) {
    for (int n = 1; n <= Pose::kChannels; ++n)
        if (!actionAllowed(SplitEntry(actions[size_t(n - 1)]))) return n;
    return 0;
}

std::optional<quint16> LinkStep(quint16 b, const QString& action, int direction) {
    const EntryParts e = SplitEntry(action);
    const QString& k = e.keyword;
    if (k == u"PRM" || k == u"MOV") {
        const std::optional<int> step = EntryInteger(e.argument);
        if (!step) return std::nullopt;
        if (!isPosition(b)) return b;
        return k == u"PRM" ? clampToBar(qint64(Pose::kNeutral) + *step)
                           : clampToBar(qint64(b) + qint64(*step) * direction);
    }
    if (k == u"SET") {
        const std::optional<int> n = EntryInteger(e.argument);
        if (!n || *n < 1 || *n > 3) return std::nullopt;
        return quint16(Pose::kFree + *n);
    }
    if (k == u"TTL") {
        if (e.argument == u"H" || e.argument == u"1") return Pose::kOutputHigh;
        if (e.argument == u"L" || e.argument == u"0") return Pose::kOutputLow;
        return std::nullopt;
    }
    if (k == u"FREE") return Pose::kFree;
    // A teach channel, the parameters kept for the board and an empty action
    // do not move the channel.
    if (k == u"TCH" || k == u"SPD" || k == u"STR" || (k.isEmpty() && e.argument.isEmpty()))
        return b;
    return std::nullopt;
}

} // namespace qvx
