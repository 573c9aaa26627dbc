#pragma once

#include "pose/PoseData.h"

#include <functional>

namespace qvx {

class BoardCommands;

// The pose window's exchanges with the robot as core code: send the shown pose,
// acquire the live pose, go home, sleep, make the shown pose the home position,
// teach by hand, and the live moves of single channels. Each is a short
// sequence of board commands run as one flow; none shows a message of its own.
//
// The flows work on copies: what they send is built before the first exchange,
// and the current item is looked up again (by the function given) only after
// the last one, so an item deleted or replaced meanwhile is never written.
class PoseFlows {
  public:
    // The current item the window edits, or null when there is none (any more).
    using CurrentItem = std::function<Item*()>;

    PoseFlows(BoardCommands& board, PoseState& pose, LinkSelection& links, CurrentItem currentItem);

    // Who asked to go home: the pose window's own button loads the home pose
    // into the current item, the main window's button only moves the robot.
    enum class HomeCaller { PoseWindow, MainWindow };

    // Sends the shown pose to the live record (slot 0, record 0).
    bool Send();
    // Reads the live record and shows it, keeping the window's speed; the
    // current item takes the 24 channel words.
    bool Acquire();
    // Sleep, stop, read the home position, move there at speed 100, wake up.
    bool HomePosition(HomeCaller caller);
    // Toggles sleep and run.
    bool Sleep();
    // Stores the shown channel words (not the speed) as the home position.
    bool MakeHomePosition();
    // Releases the teach channels of the selected link pattern, or, when one of
    // them is FREE already, takes the angles of the FREE channels. Does
    // nothing without a selected pattern.
    bool Teach();
    // After an item was opened with live editing on: an item whose channel
    // words are all 0 first takes the live pose, then the pose is sent.
    bool SyncOpenedItem();
    // Live edit of one channel (1..24): moves it at speed 1.
    bool MoveLive(int n, quint16 value);
    // Live choice of a radio button: moves the channel, and for FREE and SET
    // reads the present positions and puts this channel's onto its servo bar.
    bool MoveLiveAndReadBack(int n, quint16 value);

    // One press of a link movement button (direction +1 or -1): every channel
    // of the current item takes its step under the selected pattern's action.
    // With `sync` the stepped pose goes to the robot first and the item changes
    // only when it arrived. Does nothing without a selected pattern or item.
    struct LinkOutcome {
        bool ok = false;
        // Set when the pattern cannot be used: which pattern and channel.
        QString refusal;
    };
    LinkOutcome LinkMove(int direction, bool sync);

    // The 24 channel names stored on the board. Reading stops at the first
    // name that cannot be read; it and the later ones are empty. The number
    // read (24 when all were).
    int ReadChannelNames(std::array<QString, Pose::kChannels>& names);
    // Writes the 24 names to the board, CH1 first, stopping at the first
    // failed write; the number written.
    int WriteChannelNames(const std::array<QString, Pose::kChannels>& names);

    // Called with the robot's pose as the board last had it: read by Acquire
    // or Teach, or written by Send.
    std::function<void(const BigEndian::Words&)> boardPoseSeen;

  private:
    bool sendBlock(const MotionRecord& block);
    // Reads the live pose and shows it with the window's speed.
    bool acquire();
    // Shows a block built from the window and writes it into the current item.
    void applyKeepingUnshown(MotionRecord block);

    BoardCommands& m_board;
    PoseState& m_pose;
    LinkSelection& m_links;
    CurrentItem m_currentItem;
};

} // namespace qvx
