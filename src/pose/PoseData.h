#pragma once

#include "board/MotionRecord.h"
#include "document/ChartTypes.h"

#include <QString>
#include <array>
#include <optional>

namespace qvx {

// What a POS item's channel words mean, and the state of the pose window's
// controls as plain data: the window (and the link pattern code) fill it, the
// functions below turn channel words into what the controls show and back.
namespace Pose {

inline constexpr int kChannels = kChannelCount;

// Channel words by role.
inline constexpr quint16 kUnused = 0;
inline constexpr quint16 kNeutral = 16384;
inline constexpr quint16 kLowestPosition = 1;
inline constexpr quint16 kHighestPosition = 32767;
inline constexpr quint16 kOutputLow = 32768;
inline constexpr quint16 kOutputHigh = 32769;
inline constexpr quint16 kFree = 32770;
inline constexpr quint16 kSet1 = 32771;
inline constexpr quint16 kSet2 = 32772;
inline constexpr quint16 kSet3 = 32773;
// Sent to the board for the channels being taught; never stored in an item.
inline constexpr quint16 kTeach = 32774;
inline constexpr quint16 kSpBase = 32775;
inline constexpr quint16 kStBase = 32903;
inline constexpr int kParamWidth = 128;
inline constexpr quint16 kLastParamValue = kStBase + kParamWidth - 1; // 33030

// The range of positions the editor lets the user enter: neutral +- 690.
inline constexpr int kEditHalfRange = 690;
inline constexpr int kBarMin = kNeutral - kEditHalfRange; // 15694
inline constexpr int kBarMax = kNeutral + kEditHalfRange; // 17074
// Parameters the SP/ST bar lets the user choose.
inline constexpr int kParamMin = 1;
inline constexpr int kParamMax = kParamWidth - 1;
// Speed byte of a pose.
inline constexpr int kSpeedMin = 1;
inline constexpr int kSpeedMax = 255;
inline constexpr int kSpeedInitial = 255;
// Speed of the pose that takes the robot to its home position.
inline constexpr quint8 kHomeSpeed = 100;

// The exact channel action text that makes a channel a teach channel.
inline constexpr char kTeachAction[] = "TCH";

} // namespace Pose

// Which controls a channel shows.
enum class ChannelKind { None = 0, Servo = 1, Output = 2, FreeSet = 3, Param = 4 };

// The kind of display a channel word asks for: 0 NONE, positions SERVO, L/H
// OUTPUT, FREE and SET1..3 FREESET, SP/ST PARAM, anything else (the teach code,
// jump and other codes) NONE.
ChannelKind ChannelKindOf(quint16 value);

// Which parameter a PARAM channel holds.
enum class ParamKind { None, Sp, St };

// The controls of one channel as data.
struct ChannelState {
    ChannelKind kind = ChannelKind::None;
    // Shown number = (position - neutral) x rate; set by the rate dialog.
    float displayRate = 1.0f;
    // The servo bar; it keeps the last position shown on it while the channel
    // shows another kind.
    int barPosition = Pose::kNeutral;
    // The checked radio button as its channel word (L, H, FREE, SET1..3), 0 for none.
    quint16 checked = 0;
    // The SP/ST bar and the caption beside it.
    int paramPosition = Pose::kParamMin;
    ParamKind param = ParamKind::None;
    // The edit box text; it starts as the neutral position shows.
    QString editText = QStringLiteral("0");
};

// The pose window's data: 24 channels (index 0 = CH1) and the speed bar.
struct PoseState {
    std::array<ChannelState, Pose::kChannels> channels{};
    int speed = Pose::kSpeedInitial;

    ChannelState& channel(int n) { return channels[size_t(n - 1)]; }
    const ChannelState& channel(int n) const { return channels[size_t(n - 1)]; }
};

// The link pattern selected in the pose window, as far as teaching needs it.
struct LinkSelection {
    // Index of the selected pattern in the pattern list; -1 when none is selected.
    int selected = -1;
    // The name of the pattern whose actions are loaded (for messages).
    QString name;
    // The selected pattern's channel actions, CH1 first.
    std::array<QString, Pose::kChannels> actions;

    bool hasSelection() const { return selected >= 0; }
    // Channel n (1..24) is taught when its action is exactly "TCH".
    bool isTeachChannel(int n) const {
        return actions[size_t(n - 1)] == QLatin1String(Pose::kTeachAction);
    }
};

// The number the edit box shows for a servo position at a display rate,
// rounded to nearest with ties to even.
int ShownNumber(int position, float rate);
// The position a typed number stands for, clamped to the editor's range;
// nothing when the rate is 0 (or not a finite number): there is no position
// to divide back to.
std::optional<int> PositionFromTyped(int typed, float rate);
// The editor's clamp of a position.
int ClampToBar(int position);

// Puts a channel word on the controls of channel n (1..24). The display kind is
// left to the caller (ShowChannel sets both).
void ShowChannelValue(PoseState& pose, int n, quint16 value);
// ShowChannelValue, then the display kind of the value.
void ShowChannel(PoseState& pose, int n, quint16 value);
// The channel word the controls of channel n stand for, by display kind.
quint16 ReadChannelValue(const PoseState& pose, int n);

// The pose as the board gets it: the speed bar, then every channel's
// ReadChannelValue (positions clamped to the editor's range, NONE as 0).
MotionRecord BuildPoseBlock(const PoseState& pose);
// Shows a pose block: the speed and all 24 channels, with their display kinds.
// When an item is given it takes the block's speed and channel words.
void ApplyPoseBlock(PoseState& pose, Item* item, const MotionRecord& block);

// Shows a POS item: its speed (the bar shows at least 1; the item is not
// changed by being shown) and all 24 channels with their display kinds.
void ShowPoseItem(PoseState& pose, const Item& item);

// --- editing ---
// Enter pressed in channel n's edit box with `text`: the new channel word, or
// nothing when the entry is ignored (channel without an edit box, or a SERVO or
// FREESET channel whose display rate is 0). Updates the bars and the edit box.
std::optional<quint16> EnterChannelText(PoseState& pose, int n, const QString& text);
// The servo bar of channel n moved to `position`: the new channel word.
quint16 MoveServoBar(PoseState& pose, int n, int position);
// The SP/ST bar of channel n moved to `position`: the new channel word.
quint16 MoveParamBar(PoseState& pose, int n, int position);
// A radio button of channel n chosen (its channel word: L, H, FREE, SET1..3).
quint16 ChooseRadio(PoseState& pose, int n, quint16 value);
// An entry of the channel type menu (tag 0 NONE, 1 SERVO, 2 FREE, 3..5 SET1..3,
// 6 H, 7 L): the new channel word, or nothing for an unknown tag.
std::optional<quint16> ChooseChannelType(PoseState& pose, int n, int tag);
// Enter pressed in the speed edit box: the speed now in force. A number outside
// 1..255 or a text that is no number keeps the bar's speed.
int EnterSpeedText(PoseState& pose, const QString& text);

} // namespace qvx
