#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace qvx {

// The controls of the servo parameter dialog: an entry index for each choice
// list and a scroll position for each limit.
struct ServoControls {
    std::array<int, 3> stretch{}; // Stretch1..Stretch3, entry i = stored i + 1
    std::array<int, 3> speed{};   // Speed1..Speed3
    int punch = 0;
    int deadBand = 0;
    int damping = 0;
    int reverse = 0;   // the bit value: 0 "OFF", 1 "ON"
    int protection = 0;
    int powerFree = 0; // entry i stands for 50 x (i + 1)
    int limitL = 0;    // 0..60: left limit 1700 + 10 x position
    int limitR = 0;    // 0..60: right limit 1300 - 10 x position

    bool operator==(const ServoControls&) const = default;
};

// The 17-byte parameter block of one serial servo, as ReadServoParams hands it
// back and WriteServoParams sends it, and what the list and the parameter
// dialog make of it. Words are high byte first.
class ServoParams {
  public:
    static constexpr int kSize = 17;
    // Byte offsets of the parameters.
    enum Byte : int {
        kStretch1 = 1, kSpeed1 = 2, kPunch = 3, kDeadBand = 4, kDamping = 5, kProtection = 6,
        kReverse = 7, kLimitL = 8, kLimitR = 10, kPowerFree = 12, kStretch2 = 13, kSpeed2 = 14,
        kStretch3 = 15, kSpeed3 = 16
    };
    static constexpr int kLimitSteps = 60;
    static constexpr int kLimitLBase = 1700;
    static constexpr int kLimitRBase = 1300;
    static constexpr int kPowerFreeUnit = 50;

    // Entries of the parameter dialog's choice lists.
    static QStringList StretchEntries();
    static QStringList SpeedEntries();
    static QStringList PunchEntries();
    static QStringList DeadBandEntries();
    static QStringList DampingEntries();
    static QStringList ProtectionEntries();
    static QStringList ReverseEntries();
    static QStringList PowerFreeEntries();

    // The columns of the servo list, "No" to "OffSet".
    static QStringList Columns();
    // The "Servo" column: "SVP" for a channel set to serial servos, "PWM" for
    // one that drives its servo with pulses.
    static QString ServoKind(bool svp) {
        return svp ? QStringLiteral("SVP") : QStringLiteral("PWM");
    }
    // The texts of one row: number, name and servo kind; with a block, the
    // parameters in column order as well.
    static QStringList RowTexts(int channel, const QString& name, bool svp,
                                const std::optional<QByteArray>& block);

    // The controls a block opens with: a stored value outside a list opens as
    // its first entry, a limit outside 0..60 at the nearer end.
    static ServoControls Load(const QByteArray& block);
    // The block with the controls stored into it; byte 0 and bits 1 to 7 of
    // byte 7 keep what was read.
    static QByteArray Store(const QByteArray& block, const ServoControls& controls);

    // Sets the control behind a list column ("Stretch1", "Punch", "Reverse",
    // "Limit(L)", ...) from a value as the list shows it; false when there is
    // no such column or the control cannot take the value.
    static bool SetColumn(ServoControls& controls, const QString& column, const QString& value);
};

} // namespace qvx
