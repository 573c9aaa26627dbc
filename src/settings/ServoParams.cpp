#include "settings/ServoParams.h"

#include "board/BoardProtocol.h"

#include <algorithm>

namespace qvx {

namespace {

// "1 (low)", "2", ..., "n (high)".
QStringList numbered(int count, const char* low, const char* high) {
    QStringList list;
    for (int i = 1; i <= count; ++i) {
        QString text = QString::number(i);
        if (i == 1 && low) text += QStringLiteral(" (%1)").arg(QLatin1String(low));
        if (i == count && high) text += QStringLiteral(" (%1)").arg(QLatin1String(high));
        list << text;
    }
    return list;
}

int byteAt(const QByteArray& b, int at) {
    return at < b.size() ? quint8(b[at]) : 0;
}

// The entry a stored value opens as: value - 1 when that entry exists, else the first.
int entryOf(int stored, int count) {
    return stored >= 1 && stored <= count ? stored - 1 : 0;
}

// The list behind each entry-valued column, and where the control sits.
struct ChoiceColumn {
    const char* name;
    int count;
    int ServoControls::*field;
};

} // namespace

QStringList ServoParams::StretchEntries() {
    return {QStringLiteral("1 (SOFT)"), QStringLiteral("2"), QStringLiteral("3 (MID)"),
            QStringLiteral("4"), QStringLiteral("5 (HARD)")};
}
QStringList ServoParams::SpeedEntries() {
    return {QStringLiteral("1 (SLOW)"), QStringLiteral("2 (MID)"), QStringLiteral("3 (FAST)")};
}
QStringList ServoParams::PunchEntries() { return numbered(10, "LOW", "HIGH"); }
QStringList ServoParams::DeadBandEntries() { return numbered(5, "MIN", "MAX"); }
QStringList ServoParams::DampingEntries() { return numbered(2, nullptr, nullptr); }
QStringList ServoParams::ProtectionEntries() { return numbered(10, "MIN", "MAX"); }
QStringList ServoParams::ReverseEntries() { return {QStringLiteral("OFF"), QStringLiteral("ON")}; }
QStringList ServoParams::PowerFreeEntries() {
    return {QStringLiteral("1 (FAST)"), QStringLiteral("2 (MID)"), QStringLiteral("3 (SLOW)")};
}

QStringList ServoParams::Columns() {
    return {QStringLiteral("No"),       QStringLiteral("Name"),       QStringLiteral("Servo"),
            QStringLiteral("Stretch1"), QStringLiteral("Speed1"),     QStringLiteral("Stretch2"),
            QStringLiteral("Speed2"),   QStringLiteral("Stretch3"),   QStringLiteral("Speed3"),
            QStringLiteral("Punch"),    QStringLiteral("DeadBand"),   QStringLiteral("Damping"),
            QStringLiteral("Reverse"),  QStringLiteral("Protection"), QStringLiteral("PowerFree"),
            QStringLiteral("Limit(L)"), QStringLiteral("Limit(R)"),   QStringLiteral("OffSet")};
}

QStringList ServoParams::RowTexts(int channel, const QString& name, bool svp,
                                  const std::optional<QByteArray>& block) {
    QStringList t{QString::number(channel), name, ServoKind(svp)};
    if (!block) return t;
    const QByteArray& b = *block;
    for (int at : {kStretch1, kSpeed1, kStretch2, kSpeed2, kStretch3, kSpeed3, kPunch, kDeadBand,
                   kDamping})
        t << QString::number(byteAt(b, at));
    t << ((byteAt(b, kReverse) & 1) ? QStringLiteral("ON") : QStringLiteral("OFF"));
    t << QString::number(byteAt(b, kProtection));
    t << QString::number(byteAt(b, kPowerFree) / kPowerFreeUnit);
    // Integer division truncates toward zero, as the list shows it.
    t << QString::number((int(BigEndian::word(b, kLimitL)) - kLimitLBase) / 10);
    t << QString::number((kLimitRBase - int(BigEndian::word(b, kLimitR))) / 10);
    t << QString();
    return t;
}

ServoControls ServoParams::Load(const QByteArray& b) {
    ServoControls c;
    const int stretchAt[3] = {kStretch1, kStretch2, kStretch3};
    const int speedAt[3] = {kSpeed1, kSpeed2, kSpeed3};
    for (int k = 0; k < 3; ++k) {
        c.stretch[size_t(k)] = entryOf(byteAt(b, stretchAt[k]), 5);
        c.speed[size_t(k)] = entryOf(byteAt(b, speedAt[k]), 3);
    }
    c.punch = entryOf(byteAt(b, kPunch), 10);
    c.deadBand = entryOf(byteAt(b, kDeadBand), 5);
    c.damping = entryOf(byteAt(b, kDamping), 2);
    c.protection = entryOf(byteAt(b, kProtection), 10);
    c.reverse = byteAt(b, kReverse) & 1;
    const int free = byteAt(b, kPowerFree);
    c.powerFree = free % kPowerFreeUnit == 0 ? entryOf(free / kPowerFreeUnit, 3) : 0;
    c.limitL = std::clamp((int(BigEndian::word(b, kLimitL)) - kLimitLBase) / 10, 0, kLimitSteps);
    c.limitR = std::clamp((kLimitRBase - int(BigEndian::word(b, kLimitR))) / 10, 0, kLimitSteps);
    return c;
}

QByteArray ServoParams::Store(const QByteArray& block, const ServoControls& c) {
    QByteArray b = block.left(kSize);
    if (b.size() < kSize) b.append(QByteArray(kSize - b.size(), '\0'));
    const int stretchAt[3] = {kStretch1, kStretch2, kStretch3};
    const int speedAt[3] = {kSpeed1, kSpeed2, kSpeed3};
    for (int k = 0; k < 3; ++k) {
        b[stretchAt[k]] = char(c.stretch[size_t(k)] + 1);
        b[speedAt[k]] = char(c.speed[size_t(k)] + 1);
    }
    b[kPunch] = char(c.punch + 1);
    b[kDeadBand] = char(c.deadBand + 1);
    b[kDamping] = char(c.damping + 1);
    b[kProtection] = char(c.protection + 1);
    b[kReverse] = char((quint8(b[kReverse]) & 0xFE) | (c.reverse & 1));
    b[kPowerFree] = char(kPowerFreeUnit * (c.powerFree + 1));
    BigEndian::putWord(b, kLimitL, quint16(kLimitLBase + 10 * c.limitL));
    BigEndian::putWord(b, kLimitR, quint16(kLimitRBase - 10 * c.limitR));
    return b;
}

bool ServoParams::SetColumn(ServoControls& c, const QString& column, const QString& value) {
    if (column.compare(QLatin1String("Reverse"), Qt::CaseInsensitive) == 0) {
        const int at = ReverseEntries().indexOf(value.toUpper());
        if (at < 0) return false;
        c.reverse = at;
        return true;
    }
    bool ok = false;
    const int v = value.toInt(&ok);
    if (!ok) return false;
    const auto set = [&](int& field, int lowest, int highest, int entry) {
        if (v < lowest || v > highest) return false;
        field = entry;
        return true;
    };
    const ChoiceColumn choices[] = {
        {"Punch", 10, &ServoControls::punch},        {"DeadBand", 5, &ServoControls::deadBand},
        {"Damping", 2, &ServoControls::damping},     {"Protection", 10, &ServoControls::protection},
        {"PowerFree", 3, &ServoControls::powerFree},
    };
    for (const ChoiceColumn& col : choices)
        if (column.compare(QLatin1String(col.name), Qt::CaseInsensitive) == 0)
            return set(c.*col.field, 1, col.count, v - 1);
    for (int k = 0; k < 3; ++k) {
        if (column.compare(QStringLiteral("Stretch%1").arg(k + 1), Qt::CaseInsensitive) == 0)
            return set(c.stretch[size_t(k)], 1, 5, v - 1);
        if (column.compare(QStringLiteral("Speed%1").arg(k + 1), Qt::CaseInsensitive) == 0)
            return set(c.speed[size_t(k)], 1, 3, v - 1);
    }
    if (column.compare(QLatin1String("Limit(L)"), Qt::CaseInsensitive) == 0)
        return set(c.limitL, 0, kLimitSteps, v);
    if (column.compare(QLatin1String("Limit(R)"), Qt::CaseInsensitive) == 0)
        return set(c.limitR, 0, kLimitSteps, v);
    return false;
}

} // namespace qvx
