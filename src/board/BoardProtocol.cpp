#include "board/BoardProtocol.h"

#include <utility>

namespace qvx::QmxBoard {

int FrameLength(quint8 command) {
    using C = Command;
    static constexpr std::pair<C, quint8> kKnown[] = {
        {C::ReadBoardInfo, 2},           {C::MoveChannel, 7},
        {C::WriteMotionRecord, 54},      {C::ReadMotionRecord, 5},
        {C::SetTrimLive, 6},             {C::WriteTrimData, 51},
        {C::ReadTrimData, 3},            {C::WriteScenarioStep, 6},
        {C::ReadScenarioStep, 4},        {C::WriteTableEntry, 46},
        {C::ReadTableEntry, 3},          {C::PlayMotion, 4},
        {C::StopMotion, 6},              {C::WriteOptionWord, 5},
        {C::ReadOptionWord, 3},          {C::ReadCurrentPose, 2},
        {C::WriteStartMotions, 5},       {C::ReadStartMotions, 2},
        {C::ReadButtonInput, 2},         {C::WriteAlarmSetting, 6},
        {C::ReadAlarmSetting, 2},        {C::SetAdLive, 6},
        {C::WriteAdReference, 9},        {C::ReadAdReference, 3},
        {C::WriteMixing, 28},            {C::ReadMixing, 4},
        {C::WriteAdSettings, 21},        {C::ReadAdSettings, 3},
        {C::WriteReceiverReference, 7},  {C::ReadReceiverReference, 3},
        {C::SendExpandedSerial, 10},     {C::WriteSvpChannels, 6},
        {C::ReadSvpChannels, 2},         {C::WriteServoParams, 20},
        {C::ReadServoParams, 3},         {C::WriteHomePosition, 51},
        {C::ReadHomePosition, 2},        {C::WriteChannelName, 36},
        {C::ReadChannelName, 3}};
    static constexpr std::array<quint8, 256> kLengths = [] {
        std::array<quint8, 256> t{};
        for (const auto& [c, length] : kKnown)
            t[quint8(c)] = length;
        return t;
    }();
    return kLengths[command];
}

int ReportLength(quint8 lead) {
    switch (Report(lead)) {
    case Report::PlaybackDone:
        return 32;
    case Report::Analog:
        return 10;
    case Report::Receiver:
        return 9;
    }
    return 0;
}

} // namespace qvx::QmxBoard
