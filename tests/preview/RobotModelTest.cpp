#include "common/TestFiles.h"
#include "common/TestRegistry.h"
#include "preview/PreviewRig.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qvx;

namespace {

// A model of two links; JOINT stands for the joint element, VISUAL for a
// visual of the first link.
QByteArray twoLinks(const QByteArray& joint, const QByteArray& visual = {}) {
    return "<?xml version=\"1.0\"?>\n<robot name=\"r\">\n<link name=\"a\">" + visual +
           "</link>\n<link name=\"b\"/>\n" + joint + "\n</robot>\n";
}

QByteArray meshVisual(const QByteArray& file, const QByteArray& scale = "1 1 1") {
    return "<visual><geometry><mesh filename=\"" + file + "\" scale=\"" + scale +
           "\"/></geometry></visual>";
}

const QByteArray kHinge = "<joint name=\"j\" type=\"revolute\"><parent link=\"a\"/>"
                          "<child link=\"b\"/><axis xyz=\"0 1 0\"/>"
                          "<limit lower=\"-1\" upper=\"1\" effort=\"1\" velocity=\"1\"/></joint>";

// One solid triangle pair, as an ASCII STL.
const QByteArray kTinyStl = "solid t\n"
                            "facet normal 0 0 1\nouter loop\nvertex 0 0 0\nvertex 1 0 0\n"
                            "vertex 0 1 0\nendloop\nendfacet\n"
                            "facet normal 0 0 -1\nouter loop\nvertex 0 0 0\nvertex 0 1 0\n"
                            "vertex 1 0 0\nendloop\nendfacet\nendsolid t\n";

} // namespace

class RobotModelTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString modelDir() const { return m_dir.filePath(QStringLiteral("model")); }

  private slots:
    void initTestCase() {
        QVERIFY(QDir().mkpath(modelDir()));
        QVERIFY(qvxtest::writeFile(modelDir() + QStringLiteral("/tiny.stl"), kTinyStl));
        QVERIFY(qvxtest::writeFile(m_dir.filePath(QStringLiteral("outside.stl")), kTinyStl));
        // A mesh of 1 GB that takes no room on the disk.
        QFile huge(modelDir() + QStringLiteral("/huge.stl"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(1LL << 30));
        QVERIFY(QFile::link(m_dir.filePath(QStringLiteral("outside.stl")),
                            modelDir() + QStringLiteral("/link.stl")));
    }

    // The shipped humanoid: 24 moving joints whose order in the file is the
    // channel order its comments give.
    void defaultModel_drivesTwentyFourJointsInChannelOrder() {
        const auto model = qvxtest::defaultModel();
        QVERIFY(model);
        const ChannelMapping mapping = ChannelMapping::ForModel(*model);
        const char* expected[] = {"neck_yaw",     "neck_pitch",       "r_shoulder_pitch",
                                  "r_gripper",    "l_shoulder_pitch", "r_hip_yaw",
                                  "r_ankle_roll", "l_knee_pitch",     "l_ankle_roll"};
        const int channels[] = {1, 2, 3, 7, 8, 13, 18, 22, 24};
        for (std::size_t i = 0; i < std::size(channels); ++i)
            QCOMPARE(mapping.drives[std::size_t(channels[i] - 1)].joint,
                     QLatin1String(expected[i]));
        QVERIFY(mapping.check(*model).isEmpty());
    }

    // A mesh is read through assimp with its scale, and kept whole; the copy
    // for drawing is decimated when large.
    void mesh_isReadScaledAndDecimatedForDrawing() {
        const QString path = modelDir() + QStringLiteral("/mesh.urdf");
        QVERIFY(qvxtest::writeFile(path, twoLinks(kHinge, meshVisual("tiny.stl", "2 3 4"))));
        QString error;
        const std::optional<RobotModel> model = RobotModel::Load(path, &error);
        QVERIFY2(model, qPrintable(error));
        const Shape& shape = model->links()[0].shapes.at(0);
        QCOMPARE(shape.mesh->triangleCount(), std::size_t(2));
        const std::vector<float> first(shape.mesh->corners.begin(),
                                       shape.mesh->corners.begin() + 9);
        QCOMPARE(first, (std::vector<float>{0, 0, 0, 2, 0, 0, 0, 3, 0}));

        // A grid of 2 x 100 x 100 triangles comes down to the drawing budget.
        TriangleMesh grid;
        for (int i = 0; i < 100; ++i)
            for (int k = 0; k < 100; ++k) {
                const float x = float(i), y = float(k);
                grid.corners.insert(grid.corners.end(), {x, y, 0, x + 1, y, 0, x + 1, y + 1, 0, x,
                                                         y, 0, x + 1, y + 1, 0, x, y + 1, 0});
            }
        const TriangleMesh coarse = DecimateMesh(grid, 3000);
        QVERIFY(coarse.triangleCount() <= 3000);
        QVERIFY(coarse.triangleCount() > 1000);
    }

    // A <joint> inside a transmission or a simulator's block is no joint of
    // the tree.
    void transmissionJoint_isNoSecondJoint() {
        const QString path = modelDir() + QStringLiteral("/transmission.urdf");
        QVERIFY(qvxtest::writeFile(
            path, twoLinks(kHinge + "<transmission name=\"t\"><joint name=\"j\"/></transmission>"
                                    "<gazebo reference=\"a\"><link name=\"a\"/></gazebo>")));
        QString error;
        const std::optional<RobotModel> model = RobotModel::Load(path, &error);
        QVERIFY2(model, qPrintable(error));
        QCOMPARE(model->joints().size(), std::size_t(1));
        QCOMPARE(model->links().size(), std::size_t(2));
    }

    void badModel_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        const QString at = QStringLiteral("cannot read the robot model %MODEL%, line ");
        QTest::newRow("not XML") << QByteArray("<robot name=\"r\">\n<link name=\"a\">\n</robot>")
                                 << at + QStringLiteral("3: Opening and ending tag mismatch.");
        QTest::newRow("no robot") << QByteArray("<?xml version=\"1.0\"?>\n<model/>\n")
                                  << at + QStringLiteral("2: the file holds no <robot> element");
        QTest::newRow("missing link")
            << twoLinks("<joint name=\"j\" type=\"fixed\"><parent link=\"a\"/>"
                        "<child link=\"c\"/></joint>")
            << at +
                   QStringLiteral("5: joint \"j\" names link \"c\", which the model does not have");
        QTest::newRow("cycle")
            << QByteArray("<robot name=\"r\">\n<link name=\"a\"/><link name=\"b\"/><link "
                          "name=\"c\"/>\n<joint name=\"j1\" type=\"fixed\"><parent link=\"b\"/>"
                          "<child link=\"c\"/></joint>\n<joint name=\"j2\" type=\"fixed\"><parent "
                          "link=\"c\"/><child link=\"b\"/></joint>\n</robot>")
            << at + QStringLiteral("4: the joints form a cycle through link \"b\"");
        QTest::newRow("two parents")
            << QByteArray("<robot name=\"r\">\n<link name=\"a\"/><link name=\"b\"/><link "
                          "name=\"c\"/>\n<joint name=\"j1\" type=\"fixed\"><parent link=\"a\"/>"
                          "<child link=\"c\"/></joint>\n<joint name=\"j2\" type=\"fixed\"><parent "
                          "link=\"b\"/><child link=\"c\"/></joint>\n</robot>")
            << at + QStringLiteral(
                        "4: link \"c\" is the child of both joint \"j1\" and joint \"j2\"");
        QTest::newRow("link twice")
            << QByteArray("<robot name=\"r\">\n<link name=\"a\"/>\n<link name=\"a\"/>\n</robot>")
            << at + QStringLiteral("3: link \"a\" is defined twice");
        QTest::newRow("joint twice") << twoLinks(kHinge + "\n" + kHinge)
                                     << at + QStringLiteral("6: joint \"j\" is defined twice");
        QTest::newRow("NaN origin")
            << twoLinks(kHinge, "<visual><origin xyz=\"nan 0 0\"/><geometry><box size=\"1 1 "
                                "1\"/></geometry></visual>")
            << at + QStringLiteral("3: Unable to parse component [nan] to a double (while parsing "
                                   "a vector value)");
        QTest::newRow("inf joint origin")
            << twoLinks("<joint name=\"j\" type=\"fixed\"><parent link=\"a\"/><child "
                        "link=\"b\"/><origin xyz=\"0 inf 0\"/></joint>")
            << at + QStringLiteral("5: Unable to parse component [inf] to a double (while parsing "
                                   "a vector value)");
        QTest::newRow("box of 1e308 m")
            << twoLinks(kHinge, "<visual><geometry><box size=\"1 1e308 1\"/></geometry></visual>")
            << at + QStringLiteral("3: link \"a\": a shape's size is not between 0 and 1000 m");
        QTest::newRow("hinge without limits")
            << twoLinks("<joint name=\"j\" type=\"revolute\"><parent link=\"a\"/><child "
                        "link=\"b\"/></joint>")
            << at + QStringLiteral(
                        "5: Joint [j] is of type REVOLUTE but it does not specify limits");
        QTest::newRow("zero scale") << twoLinks(kHinge, meshVisual("tiny.stl", "1 0 1"))
                                    << at + QStringLiteral("3: link \"a\": mesh scale 1 0 1 is "
                                                           "not above zero");
        QTest::newRow("negative scale") << twoLinks(kHinge, meshVisual("tiny.stl", "1 1 -2"))
                                        << at + QStringLiteral("3: link \"a\": mesh scale 1 1 -2 "
                                                               "is not above zero");
        QTest::newRow("mesh outside the folder")
            << twoLinks(kHinge, meshVisual("../outside.stl"))
            << at + QStringLiteral("3: link \"a\": mesh \"../outside.stl\" lies outside the "
                                   "model's folder %DIR%");
        QTest::newRow("link to a mesh outside the folder")
            << twoLinks(kHinge, meshVisual("link.stl"))
            << at + QStringLiteral("3: link \"a\": mesh \"link.stl\" lies outside the model's "
                                   "folder %DIR%");
        QTest::newRow("mesh missing")
            << twoLinks(kHinge, meshVisual("package://robot/gone.stl"))
            << at + QStringLiteral("3: link \"a\": mesh file %DIR%/gone.stl is missing");
        QTest::newRow("mesh of 1 GB")
            << twoLinks(kHinge, meshVisual("huge.stl"))
            << at + QStringLiteral("3: link \"a\": mesh file %DIR%/huge.stl is larger than 64 MB");
        QTest::newRow("mesh over the network")
            << twoLinks(kHinge, meshVisual("http://example.org/a.stl"))
            << at + QStringLiteral("3: link \"a\": mesh \"http://example.org/a.stl\" is not a "
                                   "file; only files are read");
    }
    // Each refused with the file, the line and the reason, without a crash or
    // a hang; the model is not made.
    void badModel() {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        const QString path = modelDir() + QStringLiteral("/bad.urdf");
        QVERIFY(qvxtest::writeFile(path, text));
        message.replace(QLatin1String("%MODEL%"), path).replace(QLatin1String("%DIR%"), modelDir());
        QString error;
        QVERIFY(!RobotModel::Load(path, &error));
        QCOMPARE(error, message);
    }

    void missingModelFile_isRefusedByName() {
        const QString path = m_dir.filePath(QStringLiteral("none.urdf"));
        QString error;
        QVERIFY(!RobotModel::Load(path, &error));
        QCOMPARE(error,
                 QStringLiteral("cannot read the robot model %1: the file is missing").arg(path));
    }
};

QVX_TEST_CLASS(RobotModelTest)
#include "RobotModelTest.moc"
