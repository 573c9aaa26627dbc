#pragma once

#include "board/BoardProtocol.h"
#include "preview/ChannelMapping.h"
#include "preview/RobotScene.h"

#include <QWidget>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QTimer;
class QToolButton;

namespace qvx {

class ChannelMappingDialog;
class PortSession;
class PoseWindow;
class RobotView;

// The "Robot" window: the robot model in the pose it follows, which is the
// pose window's shown item, the simulated board's servo outputs (read about
// 30 times a second while the window is shown) or the pose last read from or
// sent to the real board. The joint the pose window's focused channel drives
// is highlighted. Its open state, size, camera and what it follows are kept
// in section [RobotPreview] of the settings file, written when it closes or
// the program ends; the channel mapping is in its own section.
class RobotPreviewWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr char kSection[] = "RobotPreview";
    // How often the simulated board's servos are read while it is followed:
    // a little over 30 frames a second, so a late timer still keeps 30.
    static constexpr int kSimFollowMs = 30;

    enum class Follow { PoseWindow, SimBoard, RealBoard };

    RobotPreviewWindow(PoseWindow& poseWindow, PortSession& port, const QString& settingsPath,
                       QWidget* parent = nullptr);
    ~RobotPreviewWindow() override;

    // True when the settings file says the window was open when the program
    // last ended.
    static bool WasLeftOpen(const QString& settingsPath);
    // Writes the window's section: open or not, size, camera, what it follows.
    bool SaveSettings(bool open) const;
    // At the program's end: saves the section as the window stands (open or
    // not); closing the window afterwards saves nothing more.
    void settle();

    // Named components.
    RobotView* View = nullptr;
    QLabel* Message = nullptr;
    QComboBox* FollowBox = nullptr;
    QToolButton *FrontBtn = nullptr, *SideBtn = nullptr, *TopBtn = nullptr, *ResetBtn = nullptr,
                *MappingBtn = nullptr;

    // The scene drawn; null when the model could not be read.
    const RobotScene* scene() const { return m_scene.get(); }
    const ChannelMapping& mapping() const { return m_mapping; }
    Follow follow() const;
    void setFollow(Follow follow);
    bool simTimerActive() const;
    ChannelMappingDialog* mappingDialog() const { return m_mappingDialog; }
    // Draws the robot in the pose of these servo outputs (an instant of the
    // timeline); whatever the window follows takes over again at its next change.
    void showPose(const BigEndian::Words& outputs) { showWords(outputs); }
    // Opens the channel mapping dialog; with OK, a changed mapping is written
    // to the settings file and drawn at once.
    void MappingBtnClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void loadModelAndSettings();
    // Draws the robot in the pose of these channel words.
    void showWords(const BigEndian::Words& words);
    void followPoseWindow();
    void followSim();
    void highlightFocusedChannel();
    void updateSimTimer();
    void wiggle(int joint, double value);

    PoseWindow& m_poseWindow;
    PortSession& m_port;
    // The program's end has saved the section.
    bool m_settled = false;
    QString m_settingsPath;
    std::unique_ptr<RobotScene> m_scene;
    ChannelMapping m_mapping;
    // The joints' values as last drawn: limp channels keep theirs.
    JointPose m_jointPose;
    QTimer* m_simTimer = nullptr;
    ChannelMappingDialog* m_mappingDialog = nullptr;
};

} // namespace qvx
