#include "preview/RobotScene.h"
#include "common/TestRegistry.h"
#include "preview/PreviewRig.h"
#include "preview/RobotRenderer.h"
#include "preview/ViewCamera.h"

#include <QImage>
#include <QTest>
#include <QVector3D>

using namespace qvx;
using qvxtest::unitsFor;

namespace {

// Where the humanoid's joints are, worked out by hand from its file: the
// torso frame stands 0.196 above the ground; shoulders 0.11 above it and
// 0.083 to either side; elbows 0.06 below the shoulder, hands 0.055 below the
// elbow; hips 0.04 to either side and 0.03 below the torso frame, knees 0.07
// below the hips, ankles 0.07 below the knees. A pitch of a turns (x, z) into
// (x cos a + z sin a, -x sin a + z cos a).
constexpr double kShoulderZ = 0.306, kHipZ = 0.166;
const double kS45 = std::sqrt(0.5);

} // namespace

class RobotSceneTest : public QObject {
    Q_OBJECT

    std::shared_ptr<const RobotModel> m_model;

    int joint(const char* name) const { return m_model->jointIndex(QLatin1String(name)); }
    JointPose poseOf(const ChannelValues& words) const {
        return ChannelMapping::ForModel(*m_model).jointPose(*m_model, words);
    }

  private slots:
    void initTestCase() {
        m_model = qvxtest::defaultModel();
        QVERIFY(m_model);
    }

    void jointPositions_data() {
        QTest::addColumn<ChannelValues>("words");
        QTest::addColumn<QString>("joint");
        QTest::addColumn<QVector3D>("expected");
        const auto row = [](const char* name, ChannelValues w, const char* joint, double x,
                            double y, double z) {
            QTest::newRow(name) << w << QString::fromLatin1(joint)
                                << QVector3D(float(x), float(y), float(z));
        };
        const ChannelValues neutral = qvxtest::poseWords({});
        row("neutral: right elbow", neutral, "r_arm_yaw", 0, -0.083, kShoulderZ - 0.06);
        row("neutral: left knee", neutral, "l_knee_pitch", 0, 0.04, kHipZ - 0.07);
        // CH3 at -90 degrees: the right arm points forward.
        const ChannelValues armForward = qvxtest::poseWords({{3, -unitsFor(90)}});
        row("arm raised: right elbow", armForward, "r_arm_yaw", 0.06, -0.083, kShoulderZ);
        row("arm raised: right hand", armForward, "r_gripper", 0.115, -0.083, kShoulderZ);
        row("arm raised: left elbow stays", armForward, "l_arm_yaw", 0, 0.083, kShoulderZ - 0.06);
        // CH21 (left hip pitch) and CH22 (left knee) at 45 degrees each.
        const ChannelValues kneel = qvxtest::poseWords({{21, unitsFor(45)}, {22, unitsFor(45)}});
        row("left leg bent: knee", kneel, "l_knee_pitch", -0.07 * kS45, 0.04, kHipZ - 0.07 * kS45);
        row("left leg bent: ankle", kneel, "l_ankle_pitch", -0.07 * kS45 - 0.07, 0.04,
            kHipZ - 0.07 * kS45);
        // CH13 (right hip yaw) 90 degrees, then CH14 (right hip roll) 45:
        // the roll axis now points to the side, so the leg swings backwards.
        const ChannelValues twist = qvxtest::poseWords({{13, unitsFor(90)}, {14, unitsFor(45)}});
        row("right hip turned and rolled: knee", twist, "r_knee_pitch", -0.07 * kS45, -0.04,
            kHipZ - 0.07 * kS45);
        // A sign of -1 in the mapping is tested below; a FREE channel keeps 0.
        ChannelValues limp = armForward;
        limp[2] = Pose::kFree;
        row("FREE arm hangs", limp, "r_arm_yaw", 0, -0.083, kShoulderZ - 0.06);
    }
    // The scene's forward kinematics put the joints where the hand-worked
    // geometry of the model says.
    void jointPositions() {
        QFETCH(ChannelValues, words);
        QFETCH(QString, joint);
        QFETCH(QVector3D, expected);
        RobotScene scene(m_model);
        scene.setPose(poseOf(words));
        const int j = m_model->jointIndex(joint);
        QVERIFY(j >= 0);
        const QVector3D at = scene.jointPosition(j);
        QVERIFY2((at - expected).length() < 1e-4f, qPrintable(QStringLiteral("%1 at (%2, %3, %4)")
                                                                  .arg(joint)
                                                                  .arg(at.x())
                                                                  .arg(at.y())
                                                                  .arg(at.z())));
    }

    // Channel words become joint values through sign, degrees per unit and
    // offset; beyond a limit the joint stops there, marked; a channel that
    // holds no position leaves its joint limp where it was.
    void jointPose_mapsClampsAndKeepsLimpJoints() {
        ChannelMapping mapping = ChannelMapping::ForModel(*m_model);
        mapping.drives[2] = {QStringLiteral("r_shoulder_pitch"), -1, 0.5, 10};
        const JointPose first = mapping.jointPose(
            *m_model, qvxtest::poseWords({{3, 40}, {16, -unitsFor(30)}, {5, unitsFor(45)}}));
        QCOMPARE(first[std::size_t(joint("r_shoulder_pitch"))].value, -10.0 * M_PI / 180);
        const JointState knee = first[std::size_t(joint("r_knee_pitch"))];
        QCOMPARE(knee.value, -0.1);
        QVERIFY(knee.atLimit);
        QCOMPARE(knee.channel, 16);
        QVERIFY(!first[std::size_t(joint("r_arm_yaw"))].atLimit);

        ChannelValues words = qvxtest::poseWords({});
        words[4] = Pose::kFree;
        words[5] = 0;
        const JointPose next = mapping.jointPose(*m_model, words, &first);
        const JointState yaw = next[std::size_t(joint("r_arm_yaw"))];
        QVERIFY(yaw.limp);
        QCOMPARE(yaw.value, M_PI / 4);
        QVERIFY(next[std::size_t(joint("r_elbow_pitch"))].limp);
        QVERIFY(!next[std::size_t(joint("r_knee_pitch"))].atLimit);
    }

    // The picture shows the hand where the kinematics put it: seen from the
    // right side, the pixel at the right hand's centre has the hand's orange;
    // with the arm down it is background there.
    void picture_showsTheHandWhereTheKinematicsPutIt() {
        const QSize size(400, 400);
        ViewCamera camera;
        camera.setView(ViewDirection::Side);
        const RobotRenderer renderer(m_model);
        const auto handColourAt = [&](const ChannelValues& words) {
            RobotScene scene(m_model);
            scene.setPose(poseOf(words));
            const int hand = m_model->joints()[std::size_t(joint("r_gripper"))].childLink;
            const QVector3D centre = scene.linkFrame(hand).map(QVector3D(0, 0, -0.015f));
            const QPoint at = renderer.project(centre, size, camera).toPoint();
            const QColor c = renderer.render(size, &scene, camera).pixelColor(at);
            return c.red() > c.green() + 40 && c.green() > c.blue() + 40;
        };
        QVERIFY(handColourAt(qvxtest::poseWords({{3, -unitsFor(90)}})));
        QVERIFY(handColourAt(qvxtest::poseWords({})));
        RobotScene down(m_model);
        const QPoint raisedHand =
            renderer.project({0.115f, -0.083f, float(kShoulderZ)}, size, camera).toPoint();
        QCOMPARE(renderer.render(size, &down, camera).pixel(raisedHand),
                 RobotRenderer::kBackground);
    }

    // The same pose draws the same picture; another pose, another picture;
    // a joint at its limit and the highlighted joint show their colours.
    void picture_followsThePose() {
        const QSize size(320, 240);
        ViewCamera camera;
        camera.setView(ViewDirection::Iso);
        const RobotRenderer renderer(m_model);
        RobotScene scene(m_model);
        scene.setPose(poseOf(qvxtest::poseWords({{3, -unitsFor(60)}})));
        const QImage first = renderer.render(size, &scene, camera);
        QCOMPARE(renderer.render(size, &scene, camera), first);
        scene.setPose(poseOf(qvxtest::poseWords({{3, unitsFor(60)}})));
        QVERIFY(renderer.render(size, &scene, camera) != first);

        // Pixels of the warning red (no part of the humanoid is red).
        const auto reddish = [](const QImage& image) {
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb p = image.pixel(x, y);
                    n += qRed(p) > 2 * qGreen(p) && qRed(p) > 2 * qBlue(p);
                }
            return n;
        };
        scene.setPose(poseOf(qvxtest::poseWords({})));
        QCOMPARE(reddish(renderer.render(size, &scene, camera)), 0);
        // CH16 asks the right knee to bend forwards, past its limit.
        scene.setPose(poseOf(qvxtest::poseWords({{16, -unitsFor(45)}})));
        QVERIFY(reddish(renderer.render(size, &scene, camera)) > 50);

        // The highlight's amber is the only colour without blue.
        const auto amber = [](const QImage& image) {
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    n += qBlue(image.pixel(x, y)) == 0 && qRed(image.pixel(x, y)) > 100;
            return n;
        };
        QCOMPARE(amber(renderer.render(size, &scene, camera)), 0);
        scene.highlightedJoint = joint("l_shoulder_roll");
        QVERIFY(amber(renderer.render(size, &scene, camera)) > 50);
    }

    // Without a model the stage is empty: the grid on the background.
    void emptyStage_drawsTheGridOnly() {
        const QImage image = RobotRenderer().render(QSize(200, 150), nullptr, ViewCamera());
        QCOMPARE(image.pixel(0, 0), RobotRenderer::kBackground);
        QCOMPARE(image.size(), QSize(200, 150));
    }
};

QVX_TEST_CLASS(RobotSceneTest)
#include "RobotSceneTest.moc"
