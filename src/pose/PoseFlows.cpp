#include "pose/PoseFlows.h"

#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "pose/ChannelEntry.h"
#include "pose/LinkPattern.h"

#include <algorithm>

namespace qvx {

using namespace Pose;

namespace {

// The live pose of the board: slot 0, record 0 of the working copy.
constexpr bool kWorkingCopy = false;
constexpr int kLiveSlot = 0;
constexpr int kLiveRecord = 0;

// Speed byte of the blocks that move channels on the pose window's own
// account: the teach request and a link movement step.
constexpr quint8 kStepSpeed = 1;

} // namespace

PoseFlows::PoseFlows(BoardCommands& board, PoseState& pose, LinkSelection& links,
                     CurrentItem currentItem)
    : m_board(board), m_pose(pose), m_links(links), m_currentItem(std::move(currentItem)) {}

bool PoseFlows::sendBlock(const MotionRecord& block) {
    return m_board.WriteMotionRecord(kWorkingCopy, kLiveSlot, kLiveRecord, block);
}

bool PoseFlows::acquire() {
    MotionRecord live;
    if (!m_board.ReadMotionRecord(kWorkingCopy, kLiveSlot, kLiveRecord, live)) return false;
    // The window's speed stays; only the channels come from the board.
    live.lead = quint8(m_pose.speed);
    ApplyPoseBlock(m_pose, m_currentItem(), live);
    if (boardPoseSeen) boardPoseSeen(live.words);
    return true;
}

void PoseFlows::applyKeepingUnshown(MotionRecord block) {
    Item* item = m_currentItem();
    MotionRecord forItem = block;
    if (item) {
        // A word the window shows as NONE (the teach code, jump and other
        // codes) goes to the board as 0; the item keeps it, as it keeps it
        // whenever the channel is not edited.
        for (size_t k = 0; k < forItem.words.size(); ++k)
            if (forItem.words[k] == kUnused && ChannelKindOf(item->values[k]) == ChannelKind::None)
                forItem.words[k] = item->values[k];
    }
    ApplyPoseBlock(m_pose, item, forItem);
}

bool PoseFlows::Send() {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    const MotionRecord block = BuildPoseBlock(m_pose);
    if (!sendBlock(block)) return false;
    if (boardPoseSeen) boardPoseSeen(block.words);
    return true;
}

bool PoseFlows::Acquire() {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    return acquire();
}

bool PoseFlows::SyncOpenedItem() {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    const Item* item = m_currentItem();
    if (!item) return false;
    const bool allZero = std::all_of(item->values.begin(), item->values.end(),
                                     [](quint16 v) { return v == kUnused; });
    // An empty item is filled from the robot before the pose goes back to it;
    // when the robot cannot be read the (empty) pose is still sent, which
    // leaves every channel where it is.
    if (allZero) acquire();
    return sendBlock(BuildPoseBlock(m_pose));
}

bool PoseFlows::HomePosition(HomeCaller caller) {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    if (!m_board.SetSleep(0)) return false;
    // A failed step ends the sequence there, as designed, with the robot
    // asleep: the failure says so beside its cause.
    const auto leftAsleep = [&link] {
        link.setLastFailure(BoardCommands::LeftAsleep(link.lastFailure()));
        return false;
    };
    BigEndian::Words home{};
    if (!m_board.StopMotion() || !m_board.ReadHomePosition(home)) return leftAsleep();
    MotionRecord block;
    block.lead = kHomeSpeed;
    block.words = home;
    // The robot goes home whatever the answer; a lost answer does not keep it asleep.
    sendBlock(block);
    if (caller == HomeCaller::PoseWindow) ApplyPoseBlock(m_pose, m_currentItem(), block);
    if (!m_board.SetOptionBit1(1)) return leftAsleep();
    if (m_board.SetSleep(1)) return true;
    link.setLastFailure(link.failureWith(BoardCommands::WakeFailedText()));
    return leftAsleep();
}

bool PoseFlows::Sleep() {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    return m_board.SetSleep(2);
}

bool PoseFlows::MakeHomePosition() {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    return m_board.WriteHomePosition(BuildPoseBlock(m_pose).words);
}

bool PoseFlows::Teach() {
    if (!m_links.hasSelection()) return false;
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;

    // Everything the flow needs from the window, taken before the first exchange.
    BigEndian::Words shown{};
    std::array<bool, kChannels> teach{};
    bool teachChannelFree = false;
    for (int n = 1; n <= kChannels; ++n) {
        const size_t k = size_t(n - 1);
        shown[k] = ReadChannelValue(m_pose, n);
        teach[k] = m_links.isTeachChannel(n);
        if (teach[k] && shown[k] == kFree) teachChannelFree = true;
    }

    if (teachChannelFree) {
        // Take the angles: the teach channels get the teach code, then the
        // present positions are read; only FREE channels keep what was measured.
        MotionRecord request;
        request.lead = kStepSpeed;
        for (size_t k = 0; k < shown.size(); ++k)
            request.words[k] = teach[k] ? kTeach : shown[k];
        BigEndian::Words measured{};
        if (!sendBlock(request) || !m_board.ReadCurrentPose(measured)) return false;
        MotionRecord taken;
        taken.lead = quint8(m_pose.speed);
        for (size_t k = 0; k < shown.size(); ++k)
            taken.words[k] = shown[k] == kFree ? measured[k] : shown[k];
        applyKeepingUnshown(taken);
        if (boardPoseSeen) boardPoseSeen(measured);
        return true;
    }

    // Release the teach channels so that they can be moved by hand. The item
    // shows them released only when the board took the release: a refused
    // write leaves the item as it was.
    MotionRecord released;
    released.lead = quint8(m_pose.speed);
    for (size_t k = 0; k < shown.size(); ++k)
        released.words[k] = teach[k] ? kFree : shown[k];
    if (!sendBlock(released)) return false;
    applyKeepingUnshown(released);
    return true;
}

bool PoseFlows::MoveLive(int n, quint16 value) {
    if (n < 1 || n > kChannels) return false;
    // A single command, but it must not slip in between the commands of a flow.
    if (m_board.link().RefuseWhileBusy()) return false;
    return m_board.MoveChannel(n - 1, value);
}

bool PoseFlows::MoveLiveAndReadBack(int n, quint16 value) {
    if (n < 1 || n > kChannels) return false;
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    if (!m_board.MoveChannel(n - 1, value)) return false;
    if (value < kFree || value > kSet3) return true;
    BigEndian::Words present{};
    if (!m_board.ReadCurrentPose(present)) return false;
    // The released servo's angle goes onto the (hidden) servo bar, so that
    // switching the channel back to SERVO keeps the angle it was left at.
    MoveServoBar(m_pose, n, present[size_t(n - 1)]);
    return true;
}

PoseFlows::LinkOutcome PoseFlows::LinkMove(int direction, bool sync) {
    LinkOutcome outcome;
    const Item* item = m_currentItem();
    if (!m_links.hasSelection() || !item) return outcome;
    // The step of every channel is worked out from the item before anything is sent.
    MotionRecord block;
    block.lead = kStepSpeed;
    for (size_t k = 0; k < block.words.size(); ++k) {
        const std::optional<quint16> word = LinkStep(item->values[k], m_links.actions[k], direction);
        if (!word) {
            outcome.refusal = UnusableActionText(m_links.name, m_links.actions[k], int(k + 1));
            return outcome;
        }
        block.words[k] = *word;
    }
    if (sync) {
        BoardLink& link = m_board.link();
        auto flow = link.beginFlow();
        if (!flow) return outcome;
        if (!sendBlock(block)) return outcome;
    }
    Item* target = m_currentItem();
    if (!target) return outcome;
    // The item's speed stays; every channel takes its stepped word.
    for (int n = 1; n <= kChannels; ++n) {
        const quint16 word = block.words[size_t(n - 1)];
        target->values[size_t(n - 1)] = word;
        ShowChannel(m_pose, n, word);
    }
    outcome.ok = true;
    return outcome;
}

int PoseFlows::ReadChannelNames(std::array<QString, kChannels>& names) {
    BoardLink& link = m_board.link();
    for (QString& name : names) name.clear();
    auto flow = link.beginFlow();
    if (!flow) return 0;
    // A board that does not answer one read will not answer the next: the
    // names not read stay empty rather than each waiting for its time-out.
    for (int n = 1; n <= kChannels; ++n)
        if (!m_board.ReadChannelName(n - 1, names[size_t(n - 1)])) return n - 1;
    return kChannels;
}

int PoseFlows::WriteChannelNames(const std::array<QString, kChannels>& names) {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return 0;
    int written = 0;
    for (const QString& name : names) {
        if (!m_board.WriteChannelName(written, name)) break;
        ++written;
    }
    return written;
}

} // namespace qvx
