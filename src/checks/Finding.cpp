#include "checks/Finding.h"

#include "document/Chart.h"

#include <algorithm>

namespace qvx {

QString FindingLine(const Finding& finding, const Chart& chart) {
    const QString severity =
        finding.isError() ? QStringLiteral("error") : QStringLiteral("warning");
    QString item = QStringLiteral("-");
    if (finding.item >= 0 && chart.validItem(finding.item))
        item = QLatin1Char('"') + chart.items[size_t(finding.item)].name + QLatin1Char('"');
    return severity + QLatin1Char(' ') + finding.code + QLatin1Char(' ') + item +
           QStringLiteral(": ") + finding.message;
}

bool AnyError(const Findings& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.isError(); });
}

} // namespace qvx
