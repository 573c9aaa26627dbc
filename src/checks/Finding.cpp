#include "checks/Finding.h"

#include "document/Chart.h"

#include <QCoreApplication>
#include <algorithm>

namespace qvx {

FindingText FindingText::Of(const char* source) {
    return {QString::fromUtf8(source), QCoreApplication::translate("Checks", source)};
}

Finding MakeFinding(Finding::Severity severity, const QString& code, int item,
                    const FindingText& text) {
    return Finding{severity, code, item, text.english, text.shown};
}

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
