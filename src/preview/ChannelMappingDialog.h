#pragma once

#include "preview/ChannelMapping.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QTimer;

namespace qvx {

class RobotModel;

// Which joint of the robot model each of CH1..CH24 drives, its direction,
// degrees per position unit and offset. "Move this channel" wiggles the
// channel's joint in the preview so that the user sees which one it is. The
// dialog changes nothing itself: its caller takes mapping() after OK.
class ChannelMappingDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kChannels = Pose::kChannels;
    // How far either side of its offset a wiggled joint swings, and how long
    // one swing takes.
    static constexpr double kWiggleDegrees = 20;
    static constexpr int kWigglePeriodMs = 1000;
    static constexpr int kWiggleStepMs = 40;

    ChannelMappingDialog(const RobotModel& model, const ChannelMapping& mapping,
                         QWidget* parent = nullptr);

    // Named components; index 0 holds CH1's.
    std::array<QComboBox*, kChannels> Joint{};
    std::array<QComboBox*, kChannels> Sign{};
    std::array<QDoubleSpinBox*, kChannels> Rate{};
    std::array<QDoubleSpinBox*, kChannels> Offset{};
    std::array<QCheckBox*, kChannels> Move{};

    // The mapping as the controls show it.
    ChannelMapping mapping() const;
    // The channel being wiggled (1..24), 0 for none.
    int wiggledChannel() const { return m_wiggled; }

  signals:
    // The wiggled joint (an index of the model's joints) is to be drawn at
    // this value (radians, metres for a sliding joint); -1 when the wiggle
    // ended and the joints go back to the pose followed.
    void jointWiggled(int joint, double value);

  protected:
    void done(int result) override;

  private:
    void moveChannel(int n, bool on);
    void wiggleStep();

    const RobotModel& m_model;
    ChannelMapping m_start;
    QTimer* m_wiggleTimer = nullptr;
    int m_wiggled = 0;
    int m_wiggleMs = 0;
};

} // namespace qvx
