#pragma once

#include <QString>
#include <vector>

namespace qvx {

class Chart;

// One thing the checks before writing found wrong or doubtful in a chart.
struct Finding {
    enum class Severity { Warning, Error };
    Severity severity = Severity::Warning;
    // A short stable code scripts can rely on: "unreachable", "no-start", ...
    QString code;
    // The item the finding belongs to, -1 for the whole chart.
    int item = -1;
    QString message;

    bool isError() const { return severity == Severity::Error; }
};

using Findings = std::vector<Finding>;

// One finding as one line, the form `qvx check` prints and scripts read:
// SEVERITY CODE ITEM: message, where ITEM is the item's name in double quotes
// or "-" for the whole chart.
QString FindingLine(const Finding& finding, const Chart& chart);

// True when any finding is an error.
bool AnyError(const Findings& findings);

} // namespace qvx
