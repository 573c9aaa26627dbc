#include "pose/LinkPattern.h"

#include "pose/ChannelEntry.h"

#include <QCoreApplication>

namespace qvx {

QString UnusableActionText(const QString& pattern, const QString& action, int channel) {
    return QCoreApplication::translate(
               "LinkPattern", "Link pattern \"%1\": the action \"%2\" of CH%3 cannot be used")
        .arg(pattern, action)
        .arg(channel);
}

std::optional<QString> LoadLinkPattern(const PatternFile& patterns, const QString& name,
                                       PatternFile::Entries& actions) {
    const std::optional<PatternFile::Pattern> pattern = patterns.pattern(PatternFile::Kind::Link, name);
    if (!pattern)
        return QCoreApplication::translate("LinkPattern", "There is no link pattern \"%1\"")
            .arg(name);
    if (const std::optional<QString> problem = pattern->incompleteText(name)) return problem;
    for (int n = 1; n <= Pose::kChannels; ++n) {
        const QString& action = pattern->entries[size_t(n - 1)];
        // Whether an action can be carried out does not depend on the word it steps.
        if (!LinkStep(Pose::kNeutral, action, 1))
            return UnusableActionText(name, action, n);
    }
    actions = pattern->entries;
    return std::nullopt;
}

} // namespace qvx
