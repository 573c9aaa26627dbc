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
    // In English: what `qvx check` prints and scripts read.
    QString message;
    // In the language the program speaks, as the window's list shows it
    // (empty: as message).
    QString shown;

    bool isError() const { return severity == Severity::Error; }
};

using Findings = std::vector<Finding>;

// A finding's text made twice from one source text marked with
// QT_TRANSLATE_NOOP("Checks", ...): in English and in the language the
// program speaks. arg() fills %n in both.
struct FindingText {
    QString english;
    QString shown;

    static FindingText Of(const char* source);
    // The same in both languages: a name or a number.
    static FindingText Same(const QString& text) { return {text, text}; }
    FindingText arg(const FindingText& a) const {
        return {english.arg(a.english), shown.arg(a.shown)};
    }
    // Several at once, so that a "%n" inside a name is never filled.
    FindingText arg(const FindingText& a, const FindingText& b) const {
        return {english.arg(a.english, b.english), shown.arg(a.shown, b.shown)};
    }
    FindingText arg(const FindingText& a, const FindingText& b, const FindingText& c,
                    const FindingText& d) const {
        return {english.arg(a.english, b.english, c.english, d.english),
                shown.arg(a.shown, b.shown, c.shown, d.shown)};
    }
    FindingText arg(const QString& a) const { return {english.arg(a), shown.arg(a)}; }
    FindingText arg(qint64 n) const { return {english.arg(n), shown.arg(n)}; }
    FindingText arg(double v, int decimals) const {
        return {english.arg(v, 0, 'f', decimals), shown.arg(v, 0, 'f', decimals)};
    }
    FindingText operator+(const FindingText& b) const {
        return {english + b.english, shown + b.shown};
    }
    bool isEmpty() const { return english.isEmpty(); }
};

// A finding with its text in both languages.
Finding MakeFinding(Finding::Severity severity, const QString& code, int item,
                    const FindingText& text);

// One finding as one line, the form `qvx check` prints and scripts read:
// SEVERITY CODE ITEM: message, where ITEM is the item's name in double quotes
// or "-" for the whole chart.
QString FindingLine(const Finding& finding, const Chart& chart);

// True when any finding is an error.
bool AnyError(const Findings& findings);

} // namespace qvx
