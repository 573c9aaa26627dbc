#include "editor/Conversion.h"

#include "document/Chart.h"
#include "pose/ChannelEntry.h"
#include "pose/PoseData.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace qvx {

namespace {

bool isPosition(quint16 v) {
    return v >= Pose::kLowestPosition && v <= Pose::kHighestPosition;
}

// Rounds to the nearest whole number, halves to the even one, and limits the
// result to low..high before it is turned into an integer (so that a huge
// product or quotient cannot overflow).
int roundInto(double v, int low, int high) {
    double r = std::round(v);
    if (std::fabs(v - std::trunc(v)) == 0.5) r = 2.0 * std::round(v / 2.0);
    return int(std::clamp(r, double(low), double(high)));
}

// The SPD argument's divisor when it divides by zero.
bool dividesByZero(const EntryParts& e) {
    if (e.keyword != u"SPD" || !e.argument.startsWith(u'/')) return false;
    const std::optional<double> x = EntryNumber(e.argument.mid(1));
    return x && *x == 0.0;
}

// The speed after an SPD entry: "+" and "-" start from the speed before the
// conversion, "*" and "/" from the speed as earlier SPD entries left it.
int speedStep(const QString& argument, int before, int speed) {
    if (argument.isEmpty()) return speed;
    const QChar op = argument[0];
    const QString rest = argument.mid(1);
    if (op == u'+' || op == u'-') {
        const qint64 n = EntryInteger(rest).value_or(0);
        const qint64 v = op == u'+' ? before + n : before - n;
        return int(std::clamp<qint64>(v, Pose::kSpeedMin, Pose::kSpeedMax));
    }
    if (op == u'*' || op == u'/') {
        const double x = EntryNumber(rest).value_or(1.0);
        if (op == u'/' && x == 0.0) return speed;
        return roundInto(op == u'*' ? speed * x : speed / x, Pose::kSpeedMin, Pose::kSpeedMax);
    }
    return speed;
}

} // namespace

namespace {

QString NoWholeNumberText() {
    return QCoreApplication::translate("Conversion",
                                       "the argument is no whole number and counts as 0");
}

// Where an entry stands, for messages: pattern (when named), channel, text.
QString entryPlace(int channel, const QString& text, const QString& patternName) {
    QString shown;
    for (QChar c : text.trimmed())
        shown += c.category() == QChar::Other_Control
                     ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                     : QString(c);
    QString where = QStringLiteral("CH%1 \"%2\"").arg(channel).arg(shown);
    if (!patternName.isEmpty())
        where = QCoreApplication::translate("Conversion", "Conversion pattern \"%1\", %2")
                    .arg(patternName, where);
    return where;
}

// What the conversion makes of one entry when it is not what it looks like;
// empty when the entry does what it says.
QString entryNote(const EntryParts& e) {
    const QString& k = e.keyword;
    const QString& a = e.argument;
    if (k.isEmpty() && a.isEmpty()) return {};
    if (k == u"COPYTO" || k == u"READTO" || k == u"CHANGE") {
        const std::optional<int> ch = EntryInteger(a);
        if (!ch || *ch < 1 || *ch > kChannelCount)
            return QCoreApplication::translate("Conversion", "no channel 1 to 24; ignored");
        return {};
    }
    if (k == u"REVERSE") return {};
    if (k == u"ADD") return EntryInteger(a) ? QString() : NoWholeNumberText();
    if (k == u"MUL")
        return EntryNumber(a) ? QString()
                              : QCoreApplication::translate(
                                    "Conversion", "the argument is no number and counts as 0");
    if (k == u"SPD") {
        const QChar op = a.isEmpty() ? QChar() : a[0];
        if (op == u'+' || op == u'-')
            return EntryInteger(a.mid(1)) ? QString() : NoWholeNumberText();
        if (op == u'*' || op == u'/')
            return EntryNumber(a.mid(1))
                       ? QString()
                       : QCoreApplication::translate("Conversion",
                                                     "the argument is no number and counts as 1");
        return QCoreApplication::translate("Conversion",
                                           "no +, -, * or / before the number; ignored");
    }
    return QCoreApplication::translate("Conversion", "not a conversion; ignored");
}

} // namespace

QStringList ConversionNotes(const ConversionEntries& entries, const QString& patternName) {
    QStringList notes;
    for (int r = 1; r <= kChannelCount; ++r) {
        const QString& text = entries[size_t(r - 1)];
        const QString note = entryNote(SplitEntry(text));
        if (!note.isEmpty()) notes << entryPlace(r, text, patternName) + QStringLiteral(": ") + note;
    }
    return notes;
}

QString ConversionOutcomeText(int changedItems) {
    if (changedItems == 0)
        return QCoreApplication::translate("Conversion", "Conversion changed no value");
    return (changedItems == 1
                ? QCoreApplication::translate("Conversion", "Conversion changed 1 item")
                : QCoreApplication::translate("Conversion", "Conversion changed %1 items")
                      .arg(changedItems));
}

std::optional<QString> CheckConversion(const ConversionEntries& entries,
                                       const QString& patternName) {
    for (int r = 1; r <= kChannelCount; ++r) {
        const QString& text = entries[size_t(r - 1)];
        if (!dividesByZero(SplitEntry(text))) continue;
        return entryPlace(r, text, patternName) +
               QCoreApplication::translate(
                   "Conversion", ": the speed cannot be divided by zero; nothing was converted");
    }
    return std::nullopt;
}

void ConvertItem(Item& item, const ConversionEntries& entries) {
    const ChannelValues old = item.values;
    ChannelValues now = old;
    const int before = item.lead;
    int speed = before;
    for (size_t r = 0; r < old.size(); ++r) {
        const EntryParts e = SplitEntry(entries[r]);
        const QString& k = e.keyword;
        const quint16 mine = old[r];
        if (k == u"COPYTO" || k == u"READTO" || k == u"CHANGE") {
            const std::optional<int> ch = EntryInteger(e.argument);
            if (!ch || *ch < 1 || *ch > kChannelCount) continue;
            const size_t other = size_t(*ch - 1);
            if (k != u"READTO") now[other] = mine;
            if (k != u"COPYTO") now[r] = old[other];
        } else if (k == u"REVERSE") {
            if (isPosition(mine)) now[r] = quint16(2 * Pose::kNeutral - mine);
        } else if (k == u"ADD") {
            const qint64 n = EntryInteger(e.argument).value_or(0);
            if (isPosition(mine))
                now[r] = quint16(
                    std::clamp<qint64>(mine + n, Pose::kLowestPosition, Pose::kHighestPosition));
        } else if (k == u"MUL") {
            const double x = EntryNumber(e.argument).value_or(0.0);
            if (isPosition(mine)) {
                const double offset = (double(mine) - Pose::kNeutral) * x;
                now[r] = quint16(roundInto(Pose::kNeutral + offset, Pose::kLowestPosition,
                                           Pose::kHighestPosition));
            }
        } else if (k == u"SPD") {
            if (mine >= 1 && mine <= Pose::kLastParamValue)
                speed = speedStep(e.argument, before, speed);
        }
    }
    item.values = now;
    item.lead = quint8(speed);
}

std::optional<QString> ApplyConversion(Chart& chart, const ConversionEntries& entries,
                                       const QString& patternName, int* changedItems) {
    if (std::optional<QString> refused = CheckConversion(entries, patternName)) return refused;
    int changed = 0;
    for (Item& item : chart.items) {
        if (!item.selected || item.kind == KindCmp) continue;
        const ChannelValues values = item.values;
        const quint8 lead = item.lead;
        ConvertItem(item, entries);
        if (item.values != values || item.lead != lead) ++changed;
    }
    if (changedItems) *changedItems = changed;
    return std::nullopt;
}

} // namespace qvx
