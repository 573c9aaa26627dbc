#include "checks/ModelChecks.h"
#include "common/TestRegistry.h"
#include "document/Chart.h"
#include "preview/PreviewRig.h"

#include <QRegularExpression>
#include <QTest>
#include <numbers>

using namespace qvx;
using qvxtest::poseWords;
using qvxtest::unitsFor;

Q_DECLARE_METATYPE(qvx::ChannelValues)

namespace {

// A chart of POS items named POS1, POS2, ... holding the poses.
Chart PoseChart(const std::vector<ChannelValues>& poses) {
    Chart chart;
    for (std::size_t i = 0; i < poses.size(); ++i) {
        const int n = chart.CreateItem(KindPos, 10, 10 + 40 * int(i));
        chart.items[std::size_t(n)].values = poses[i];
    }
    chart.startItem = chart.itemCount() ? 0 : -1;
    return chart;
}

QStringList Lines(const Findings& findings, const Chart& chart) {
    QStringList lines;
    for (const Finding& f : findings)
        lines << FindingLine(f, chart);
    return lines;
}

// A base with a box, a bare link turned by CH1 about y, and an arm box 10 cm
// out along x on it: the arm is no child of the base, so turning it down
// into the base is a collision.
QByteArray ArmModel(bool collisions, bool inertials) {
    const QByteArray box = collisions
                               ? "<collision><geometry><box size=\"0.1 0.1 0.1\"/></geometry>"
                                 "</collision>"
                               : "";
    const QByteArray mass =
        inertials ? "<inertial><mass value=\"1\"/><inertia ixx=\"1\" ixy=\"0\" ixz=\"0\" iyy=\"1\" "
                    "iyz=\"0\" izz=\"1\"/></inertial>"
                  : "";
    return "<robot name=\"arm\"><link name=\"base\">" + box + mass +
           "</link><link name=\"hinge\"/><link name=\"arm\">"
           "<collision><origin xyz=\"0.1 0 0\"/><geometry><box size=\"0.05 0.05 0.05\"/>"
           "</geometry></collision></link>"
           "<joint name=\"turn\" type=\"continuous\"><parent link=\"base\"/><child link=\"hinge\"/>"
           "<origin xyz=\"0 0 0.1\"/><axis xyz=\"0 1 0\"/></joint>"
           "<joint name=\"fixed\" type=\"fixed\"><parent link=\"hinge\"/><child "
           "link=\"arm\"/></joint>"
           "</robot>";
}

} // namespace

class ModelChecksTest : public QObject {
    Q_OBJECT

    std::shared_ptr<const RobotModel> m_model;

  private slots:
    void initTestCase() {
        m_model = qvxtest::defaultModel();
        QVERIFY(m_model);
    }

    // The shipped humanoid's poses, one POS item each; every line found must
    // match the pattern of its row, in order.
    void humanoidPoses_data() {
        QTest::addColumn<ChannelValues>("words");
        QTest::addColumn<QStringList>("patterns");
        QTest::newRow("neutral stands on both feet") << poseWords({}) << QStringList();
        QTest::newRow("small moves of an arm")
            << poseWords({{3, unitsFor(-60)}, {4, unitsFor(-30)}, {6, unitsFor(-45)}})
            << QStringList();
        QTest::newRow("right arm rolled into the body")
            << poseWords({{4, unitsFor(30)}})
            << QStringList{R"(^error self-collision "POS1": links "torso" and "r_upper_arm" run )"
                           R"(into each other$)"};
        QTest::newRow("right elbow bent backwards")
            << poseWords({{6, unitsFor(30)}})
            << QStringList{R"(^warning out-of-range "POS1": CH6 asks for 30\.0 degrees of joint )"
                           R"("r_elbow_pitch", beyond its limits -126\.1 to 5\.7 degrees$)"};
        QTest::newRow("left leg lifted: standing on the right foot")
            << poseWords({{21, unitsFor(-60)}})
            << QStringList{R"(^warning unstable "POS1": the centre of mass is \d+ mm outside the )"
                           R"(support of "r_foot"$)"};
        QTest::newRow("legs rolled into each other")
            << poseWords({{14, unitsFor(30)}})
            << QStringList{R"(^error self-collision "POS1": links "r_shin" and "l_shin" )",
                           R"(^warning unstable "POS1": .* "l_foot"$)"};
    }
    void humanoidPoses() {
        QFETCH(ChannelValues, words);
        QFETCH(QStringList, patterns);
        ModelChecks checks(m_model, ChannelMapping::ForModel(*m_model));
        QVERIFY(checks.skipped().isEmpty());
        const Chart chart = PoseChart({words});
        const QStringList lines = Lines(checks.check(chart, {}), chart);
        QCOMPARE(lines.size(), patterns.size());
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY2(QRegularExpression(patterns[i]).match(lines[i]).hasMatch(),
                     qPrintable(lines[i]));
    }

    // Instants of the motion as played: each belongs to the item executing,
    // with its time; a pose held over many instants is said once.
    void instants() {
        ModelChecks checks(m_model, ChannelMapping::ForModel(*m_model));
        const Chart chart = PoseChart({poseWords({}), poseWords({})});
        const ChannelValues into = poseWords({{4, unitsFor(30)}});
        const std::vector<PoseInstant> instants{
            {poseWords({}), 0, 0}, {into, 1, 1230}, {into, 1, 1240}, {into, -1, 1250}};
        QCOMPARE(Lines(checks.check(chart, instants), chart),
                 QStringList({QStringLiteral("error self-collision \"POS2\": links \"torso\" and "
                                             "\"r_upper_arm\" run into each other at 1.23 s"),
                              QStringLiteral("error self-collision -: links \"torso\" and "
                                             "\"r_upper_arm\" run into each other at 1.25 s")}));
    }

    // Links with a bare link between them are checked; a model without
    // collision geometry or without inertials skips what it cannot support,
    // and says so once.
    void modelsLackingParts_data() {
        QTest::addColumn<bool>("collisions");
        QTest::addColumn<bool>("inertials");
        QTest::addColumn<int>("degrees");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("skipped");
        const QString hit = QStringLiteral("error self-collision \"POS1\": links \"base\" and "
                                           "\"arm\" run into each other");
        QTest::newRow("level arm: clear") << true << true << 0 << QString() << QString();
        QTest::newRow("arm turned down into the base") << true << true << 60 << hit << QString();
        QTest::newRow("no inertials") << true << false << 60 << hit
                                      << QStringLiteral("The robot model has no inertials: the "
                                                        "stability check is skipped.");
        QTest::newRow("no collision geometry on the base")
            << false << false << 60 << QString()
            << QStringLiteral("The robot model has no inertials: the stability check is skipped.");
    }
    void modelsLackingParts() {
        QFETCH(bool, collisions);
        QFETCH(bool, inertials);
        QFETCH(int, degrees);
        QFETCH(QString, expected);
        QFETCH(QString, skipped);
        QString error;
        auto model =
            RobotModel::Parse(ArmModel(collisions, inertials), QStringLiteral("arm.urdf"), &error);
        QVERIFY2(model, qPrintable(error));
        auto shared = std::make_shared<const RobotModel>(std::move(*model));
        ModelChecks checks(shared, ChannelMapping::ForModel(*shared));
        QCOMPARE(checks.skipped().join(QLatin1Char('\n')), skipped);
        const Chart chart = PoseChart({poseWords({{1, unitsFor(degrees)}})});
        QCOMPARE(Lines(checks.check(chart, {}), chart).join(QLatin1Char('\n')), expected);
    }

    void noGeometryAtAll() {
        QString error;
        auto model = RobotModel::Parse("<robot name=\"r\"><link name=\"a\"/></robot>",
                                       QStringLiteral("r.urdf"), &error);
        QVERIFY2(model, qPrintable(error));
        ModelChecks checks(std::make_shared<const RobotModel>(std::move(*model)), {});
        QCOMPARE(checks.skipped(),
                 QStringList(QStringLiteral("The robot model has no collision geometry: the "
                                            "collision and stability checks are skipped.")));
        const Chart chart = PoseChart({poseWords({})});
        QVERIFY(checks.check(chart, {{poseWords({}), 0, 0}}).empty());
    }

    // A box, a box turned about z (its edge reaches sqrt(1/2) along x) and a ball.
    void solidsOverlap_data() {
        QTest::addColumn<float>("turnDegrees");
        QTest::addColumn<float>("apart");
        QTest::addColumn<bool>("overlap");
        QTest::newRow("face to face, touching") << 0.f << 1.0f << false;
        QTest::newRow("face to face, 1 cm deep") << 0.f << 0.99f << true;
        QTest::newRow("turned, clear of the corner") << 45.f << 1.22f << false;
        QTest::newRow("turned, corner inside") << 45.f << 1.19f << true;
    }
    void solidsOverlap() {
        QFETCH(float, turnDegrees);
        QFETCH(float, apart);
        QFETCH(bool, overlap);
        QMatrix4x4 turned;
        turned.translate(apart, 0, 0);
        turned.rotate(turnDegrees, 0, 0, 1);
        const PlacedSolid a = PlacedSolid::Box(QMatrix4x4(), QVector3D(0.5f, 0.5f, 0.5f));
        const PlacedSolid b = PlacedSolid::Box(turned, QVector3D(0.5f, 0.5f, 0.5f));
        QCOMPARE(SolidsOverlap(a, b, 0.0005f), overlap);
        QCOMPARE(SolidsOverlap(b, a, 0.0005f), overlap);
        const PlacedSolid ball = PlacedSolid::Ball(turned, 0.5f);
        QCOMPARE(SolidsOverlap(a, ball, 0.0005f), apart < 0.999f);
    }
};

QVX_TEST_CLASS(ModelChecksTest)
#include "ModelChecksTest.moc"
