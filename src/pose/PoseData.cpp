#include "pose/PoseData.h"

#include <algorithm>
#include <cmath>

namespace qvx {

using namespace Pose;

namespace {

// Integers as the edit boxes accept them; surrounding blanks are allowed.
std::optional<int> typedInteger(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    return v;
}

bool usableRate(float rate) {
    return std::isfinite(rate) && rate != 0.0f;
}

int clampParam(int p) {
    return std::clamp(p, kParamMin, kParamMax);
}

quint16 paramBase(ParamKind kind) {
    return kind == ParamKind::St ? kStBase : kSpBase;
}

} // namespace

ChannelKind ChannelKindOf(quint16 value) {
    if (value == kUnused) return ChannelKind::None;
    if (value <= kHighestPosition) return ChannelKind::Servo;
    if (value == kOutputLow || value == kOutputHigh) return ChannelKind::Output;
    if (value >= kFree && value <= kSet3) return ChannelKind::FreeSet;
    if (value >= kSpBase && value <= kLastParamValue) return ChannelKind::Param;
    return ChannelKind::None;
}

int ClampToBar(int position) {
    return std::clamp(position, kBarMin, kBarMax);
}

int ShownNumber(int position, float rate) {
    const double shown = double(position - kNeutral) * double(rate);
    // A broken rate from a settings file must not make the conversion undefined.
    if (!std::isfinite(shown)) return 0;
    // nearbyint rounds halves to even under the default rounding mode.
    return int(std::nearbyint(std::clamp(shown, -1e9, 1e9)));
}

std::optional<int> PositionFromTyped(int typed, float rate) {
    if (!usableRate(rate)) return std::nullopt;
    double offset = double(typed) / double(rate);
    if (!std::isfinite(offset)) offset = offset < 0 ? -1e9 : 1e9;
    offset = std::nearbyint(std::clamp(offset, -1e9, 1e9));
    return ClampToBar(int(offset) + kNeutral);
}

void ShowChannelValue(PoseState& pose, int n, quint16 value) {
    ChannelState& c = pose.channel(n);
    if (value >= kSpBase) {
        c.checked = 0;
        if (value < kStBase) {
            c.paramPosition = value - kSpBase;
            c.param = ParamKind::Sp;
            c.editText = QString::number(c.paramPosition);
        } else if (value <= kLastParamValue) {
            c.paramPosition = value - kStBase;
            c.param = ParamKind::St;
            c.editText = QString::number(2 * c.paramPosition);
        }
        return;
    }
    if (value >= kOutputLow) {
        // The teach code checks no button.
        c.checked = value == kTeach ? 0 : value;
        return;
    }
    c.checked = 0;
    if (value != kUnused) {
        c.barPosition = ClampToBar(value);
        c.editText = QString::number(ShownNumber(c.barPosition, c.displayRate));
    }
}

void ShowChannel(PoseState& pose, int n, quint16 value) {
    ShowChannelValue(pose, n, value);
    pose.channel(n).kind = ChannelKindOf(value);
}

quint16 ReadChannelValue(const PoseState& pose, int n) {
    const ChannelState& c = pose.channel(n);
    switch (c.kind) {
    case ChannelKind::Servo:
        return quint16(c.barPosition);
    case ChannelKind::Output:
        return c.checked == kOutputHigh ? kOutputHigh : kOutputLow;
    case ChannelKind::FreeSet:
        for (quint16 v : {kSet3, kSet2, kSet1, kFree})
            if (c.checked == v) return v;
        return kUnused;
    case ChannelKind::Param:
        if (c.param == ParamKind::None) return kUnused;
        return quint16(c.paramPosition + paramBase(c.param));
    case ChannelKind::None:
        break;
    }
    return kUnused;
}

MotionRecord BuildPoseBlock(const PoseState& pose) {
    MotionRecord block;
    block.lead = quint8(std::clamp(pose.speed, kSpeedMin, kSpeedMax));
    for (int n = 1; n <= kChannels; ++n)
        block.words[size_t(n - 1)] = ReadChannelValue(pose, n);
    return block;
}

void ApplyPoseBlock(PoseState& pose, Item* item, const MotionRecord& block) {
    // The speed bar cannot go below 1, and the item takes the bar's speed.
    pose.speed = std::clamp(int(block.lead), kSpeedMin, kSpeedMax);
    if (item) item->lead = quint8(pose.speed);
    for (int n = 1; n <= kChannels; ++n) {
        const quint16 value = block.words[size_t(n - 1)];
        if (item) item->values[size_t(n - 1)] = value;
        ShowChannel(pose, n, value);
    }
}

void ShowPoseItem(PoseState& pose, const Item& item) {
    pose.speed = std::clamp(int(item.lead), kSpeedMin, kSpeedMax);
    for (int n = 1; n <= kChannels; ++n)
        ShowChannel(pose, n, item.values[size_t(n - 1)]);
}

std::optional<quint16> EnterChannelText(PoseState& pose, int n, const QString& text) {
    ChannelState& c = pose.channel(n);
    const std::optional<int> typed = typedInteger(text);
    if (c.kind == ChannelKind::Param) {
        c.paramPosition = clampParam(typed.value_or(c.paramPosition));
        c.editText = QString::number(c.paramPosition);
        return quint16(c.paramPosition + paramBase(c.param));
    }
    if (c.kind != ChannelKind::Servo && c.kind != ChannelKind::FreeSet) return std::nullopt;
    const int t = typed.value_or(ShownNumber(c.barPosition, c.displayRate));
    const std::optional<int> position = PositionFromTyped(t, c.displayRate);
    if (!position) return std::nullopt;
    c.barPosition = *position;
    c.editText = QString::number(ShownNumber(c.barPosition, c.displayRate));
    return quint16(c.barPosition);
}

quint16 MoveServoBar(PoseState& pose, int n, int position) {
    ChannelState& c = pose.channel(n);
    c.barPosition = ClampToBar(position);
    c.editText = QString::number(ShownNumber(c.barPosition, c.displayRate));
    return quint16(c.barPosition);
}

quint16 MoveParamBar(PoseState& pose, int n, int position) {
    ChannelState& c = pose.channel(n);
    c.paramPosition = clampParam(position);
    const bool sp = c.param == ParamKind::Sp;
    c.editText = QString::number(sp ? c.paramPosition : 2 * c.paramPosition);
    return quint16(c.paramPosition + (sp ? kSpBase : kStBase));
}

quint16 ChooseRadio(PoseState& pose, int n, quint16 value) {
    pose.channel(n).checked = value;
    return value;
}

std::optional<quint16> ChooseChannelType(PoseState& pose, int n, int tag) {
    ChannelState& c = pose.channel(n);
    static constexpr std::array<quint16, 8> kByTag = {kUnused, 0,     kFree,       kSet1,
                                                      kSet2,   kSet3, kOutputHigh, kOutputLow};
    if (tag < 0 || tag >= int(kByTag.size())) return std::nullopt;
    const quint16 value = tag == 1 ? quint16(c.barPosition) : kByTag[size_t(tag)];
    ShowChannel(pose, n, value);
    return value;
}

int EnterSpeedText(PoseState& pose, const QString& text) {
    const int v = typedInteger(text).value_or(pose.speed);
    if (v >= kSpeedMin && v <= kSpeedMax) pose.speed = v;
    return pose.speed;
}

} // namespace qvx
