#include "preview/RobotPreviewWindow.h"

#include "document/IniFile.h"
#include "ports/PortSession.h"
#include "pose/PoseWindow.h"
#include "preview/ChannelMappingDialog.h"
#include "preview/RobotView.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace qvx {

namespace {

QString key(const char* name) {
    return QString::fromLatin1(name);
}

QString section() {
    return QString::fromLatin1(RobotPreviewWindow::kSection);
}

double readDouble(const IniFile& ini, const char* name, double def) {
    bool ok = false;
    const double v = ini.readString(section(), key(name), QString()).toDouble(&ok);
    return ok && std::isfinite(v) ? v : def;
}

} // namespace

RobotPreviewWindow::RobotPreviewWindow(PoseWindow& poseWindow, PortSession& port,
                                       const QString& settingsPath, QWidget* parent)
    : QWidget(parent, Qt::Window), m_poseWindow(poseWindow), m_port(port),
      m_settingsPath(settingsPath) {
    setObjectName(QStringLiteral("RobotDlg"));
    setWindowTitle(tr("Robot"));

    auto* bar = new QHBoxLayout;
    const auto addButton = [this, bar](QToolButton*& b, const char* name, const char* label) {
        b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(tr(label));
        bar->addWidget(b);
        return b;
    };
    View = new RobotView(this);
    const auto viewButton = [this, addButton](QToolButton*& b, const char* name, const char* label,
                                              ViewDirection view) {
        connect(addButton(b, name, label), &QToolButton::clicked, this, [this, view] {
            View->camera().setView(view);
            View->update();
        });
    };
    viewButton(FrontBtn, "FrontBtn", QT_TR_NOOP("Front"), ViewDirection::Front);
    viewButton(SideBtn, "SideBtn", QT_TR_NOOP("Side"), ViewDirection::Side);
    viewButton(TopBtn, "TopBtn", QT_TR_NOOP("Top"), ViewDirection::Top);
    viewButton(ResetBtn, "ResetBtn", QT_TR_NOOP("Reset"), ViewDirection::Iso);
    bar->addStretch();
    bar->addWidget(new QLabel(tr("Follow:"), this));
    FollowBox = new QComboBox(this);
    FollowBox->setObjectName(QStringLiteral("FollowBox"));
    FollowBox->addItems({tr("Pose window"), tr("Simulated board"), tr("Real board")});
    bar->addWidget(FollowBox);
    connect(addButton(MappingBtn, "MappingBtn", QT_TR_NOOP("Channels...")), &QToolButton::clicked,
            this, &RobotPreviewWindow::MappingBtnClick);

    Message = new QLabel(this);
    Message->setObjectName(QStringLiteral("Message"));
    Message->setWordWrap(true);
    Message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Message->hide();

    auto* column = new QVBoxLayout(this);
    column->addLayout(bar);
    column->addWidget(Message);
    column->addWidget(View, 1);
    resize(480, 560);

    m_simTimer = new QTimer(this);
    m_simTimer->setInterval(kSimFollowMs);
    connect(m_simTimer, &QTimer::timeout, this, &RobotPreviewWindow::followSim);

    loadModelAndSettings();

    connect(FollowBox, &QComboBox::currentIndexChanged, this, [this] {
        updateSimTimer();
        if (follow() == Follow::PoseWindow) followPoseWindow();
    });
    connect(&poseWindow, &PoseWindow::shownPoseChanged, this, [this] {
        if (follow() == Follow::PoseWindow) followPoseWindow();
    });
    connect(&poseWindow, &PoseWindow::boardPoseChanged, this, [this](const ChannelValues& words) {
        if (follow() == Follow::RealBoard) showWords(words);
    });
    connect(&poseWindow, &PoseWindow::focusedChannelChanged, this,
            &RobotPreviewWindow::highlightFocusedChannel);
    highlightFocusedChannel();
    if (follow() == Follow::PoseWindow) followPoseWindow();
}

RobotPreviewWindow::~RobotPreviewWindow() {
    // The view must not draw a scene that goes before it.
    View->setScene(nullptr);
}

void RobotPreviewWindow::loadModelAndSettings() {
    IniFile ini(m_settingsPath);
    ini.load();
    const QString s = section();
    resize(ini.readInteger(s, key("Width"), width()), ini.readInteger(s, key("Height"), height()));
    ViewCamera& camera = View->camera();
    camera.yaw = readDouble(ini, "Yaw", camera.yaw);
    camera.pitch = std::clamp(readDouble(ini, "Pitch", camera.pitch), -90.0, 90.0);
    camera.zoom = 1;
    camera.zoomBy(readDouble(ini, "Zoom", camera.zoom));
    camera.pan = QPointF(readDouble(ini, "PanX", 0), readDouble(ini, "PanY", 0));
    const int followed = ini.readInteger(s, key("Follow"), 0);
    FollowBox->setCurrentIndex(followed >= 0 && followed < FollowBox->count() ? followed : 0);

    QStringList problems;
    const QString path = ini.readString(s, key("Model"), RobotModel::DefaultModelPath());
    QString error;
    std::optional<RobotModel> model = RobotModel::Load(path, &error);
    if (model) {
        auto shared = std::make_shared<const RobotModel>(std::move(*model));
        std::optional<ChannelMapping> mapping = ChannelMapping::FromSettings(ini, *shared, &error);
        if (!mapping) {
            problems << error;
            mapping = ChannelMapping::ForModel(*shared);
        }
        m_mapping = *mapping;
        problems << m_mapping.check(*shared);
        m_scene = std::make_unique<RobotScene>(shared);
        m_jointPose.assign(shared->joints().size(), JointState());
    } else {
        // An empty stage: the rest of the program goes on without the robot.
        problems << error;
    }
    MappingBtn->setEnabled(m_scene != nullptr);
    Message->setText(problems.join(QLatin1Char('\n')));
    Message->setVisible(!problems.isEmpty());
    View->setScene(m_scene.get());
}

bool RobotPreviewWindow::WasLeftOpen(const QString& settingsPath) {
    IniFile ini(settingsPath);
    return ini.load() && ini.readBool(section(), key("Open"), false);
}

bool RobotPreviewWindow::SaveSettings(bool open) const {
    IniFile ini(m_settingsPath);
    if (!ini.load()) return false;
    const QString s = section();
    const ViewCamera& camera = View->camera();
    ini.writeBool(s, key("Open"), open);
    ini.writeInteger(s, key("Width"), width());
    ini.writeInteger(s, key("Height"), height());
    ini.writeString(s, key("Yaw"), QString::number(camera.yaw));
    ini.writeString(s, key("Pitch"), QString::number(camera.pitch));
    ini.writeString(s, key("Zoom"), QString::number(camera.zoom));
    ini.writeString(s, key("PanX"), QString::number(camera.pan.x()));
    ini.writeString(s, key("PanY"), QString::number(camera.pan.y()));
    ini.writeInteger(s, key("Follow"), FollowBox->currentIndex());
    return ini.save();
}

RobotPreviewWindow::Follow RobotPreviewWindow::follow() const {
    return Follow(FollowBox->currentIndex());
}

void RobotPreviewWindow::setFollow(Follow follow) {
    FollowBox->setCurrentIndex(int(follow));
}

bool RobotPreviewWindow::simTimerActive() const {
    return m_simTimer->isActive();
}

void RobotPreviewWindow::showWords(const BigEndian::Words& words) {
    if (!m_scene) return;
    m_jointPose = m_mapping.jointPose(m_scene->model(), words, &m_jointPose);
    // While a channel is wiggled its joint keeps swinging over the pose.
    if (m_mappingDialog && m_mappingDialog->wiggledChannel()) return;
    m_scene->setPose(m_jointPose);
    View->update();
}

void RobotPreviewWindow::followPoseWindow() {
    // No item shown: the robot stays as it was drawn last.
    if (const std::optional<ChannelValues> words = m_poseWindow.shownValues()) showWords(*words);
}

void RobotPreviewWindow::followSim() {
    if (const std::optional<BigEndian::Words> words = m_port.simServoOutput()) showWords(*words);
}

void RobotPreviewWindow::highlightFocusedChannel() {
    if (!m_scene) return;
    const int n = m_poseWindow.focusedChannel();
    const int joint = n >= 1 && n <= Pose::kChannels
                          ? m_scene->model().jointIndex(m_mapping.drives[size_t(n - 1)].joint)
                          : -1;
    // A channel that drives nothing has no joint: jointIndex("") gives -1.
    m_scene->highlightedJoint = joint;
    View->update();
}

void RobotPreviewWindow::updateSimTimer() {
    const bool on = isVisible() && follow() == Follow::SimBoard;
    if (on && !m_simTimer->isActive())
        m_simTimer->start();
    else if (!on)
        m_simTimer->stop();
}

void RobotPreviewWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateSimTimer();
}

void RobotPreviewWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    updateSimTimer();
}

void RobotPreviewWindow::closeEvent(QCloseEvent* event) {
    // Closed by the user: remembered closed. Once the program's end has saved
    // it (open or not), the close the application's quit sends changes nothing.
    if (!m_settled) SaveSettings(false);
    event->accept();
}

void RobotPreviewWindow::settle() {
    SaveSettings(isVisible());
    m_settled = true;
}

void RobotPreviewWindow::wiggle(int joint, double value) {
    if (!m_scene) return;
    JointPose pose = m_jointPose;
    if (joint >= 0 && size_t(joint) < pose.size()) {
        pose[size_t(joint)].value = value;
        pose[size_t(joint)].atLimit = pose[size_t(joint)].limp = false;
    }
    m_scene->setPose(pose);
    View->update();
}

void RobotPreviewWindow::MappingBtnClick() {
    if (!m_scene) return;
    ChannelMappingDialog dialog(m_scene->model(), m_mapping, this);
    connect(&dialog, &ChannelMappingDialog::jointWiggled, this, &RobotPreviewWindow::wiggle);
    m_mappingDialog = &dialog;
    const bool ok = dialog.exec() == QDialog::Accepted;
    m_mappingDialog = nullptr;
    const ChannelMapping chosen = dialog.mapping();
    if (ok && chosen != m_mapping) {
        // Only a changed mapping is written; the rest of the file stays as it is.
        IniFile ini(m_settingsPath);
        bool saved = ini.load();
        if (saved) {
            chosen.write(ini);
            saved = ini.save();
        }
        if (!saved) {
            Message->setText(
                tr("The channel mapping could not be written to %1").arg(m_settingsPath));
            Message->show();
        } else {
            m_mapping = chosen;
            const QStringList problems = m_mapping.check(m_scene->model());
            Message->setText(problems.join(QLatin1Char('\n')));
            Message->setVisible(!problems.isEmpty());
        }
    }
    m_scene->setPose(m_jointPose);
    if (follow() == Follow::PoseWindow) followPoseWindow();
    highlightFocusedChannel();
}

} // namespace qvx
