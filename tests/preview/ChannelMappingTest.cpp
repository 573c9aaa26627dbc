#include "common/TestRegistry.h"
#include "document/IniFile.h"
#include "preview/PreviewRig.h"

#include <QTest>

using namespace qvx;

class ChannelMappingTest : public QObject {
    Q_OBJECT

  private slots:
    // What is written reads back the same, every number to its last digit, a
    // joint name with a comma and unmapped channels included; keys of other
    // sections stay.
    void section_roundTrip() {
        ChannelMapping mapping;
        mapping.drives[0] = {QStringLiteral("neck_yaw"), -1, 90.0 / 690, 12.5};
        mapping.drives[5] = {QStringLiteral("arm, upper"), 1, 0.1, -7.25};
        mapping.drives[23] = {QStringLiteral("l_ankle_roll"), 1, 1e-3, 0};
        IniFile ini(QStringLiteral("QVX3J.ini"));
        ini.parse(QStringLiteral("[QVX3]\r\nGrid=1\r\n"));
        mapping.write(ini);
        QCOMPARE(ini.readString(QStringLiteral("RobotChannels"), QStringLiteral("CH6"), {}),
                 QStringLiteral("1,0.10000000000000001,-7.25,arm, upper"));
        QCOMPARE(ini.readString(QStringLiteral("RobotChannels"), QStringLiteral("CH2"), {}),
                 QString());
        IniFile again;
        again.parseBytes(ini.toBytes());
        QString error;
        const std::optional<ChannelMapping> read = ChannelMapping::Read(again, &error);
        QVERIFY2(read, qPrintable(error));
        QVERIFY(*read == mapping);
        QCOMPARE(again.readString(QStringLiteral("QVX3"), QStringLiteral("Grid"), {}),
                 QStringLiteral("1"));
    }

    void section_absent_givesNothing() {
        IniFile ini;
        ini.parse(QStringLiteral("[QVX3]\r\nGrid=1\r\n"));
        QString error;
        QVERIFY(!ChannelMapping::Read(ini, &error));
        QVERIFY(error.isEmpty());
    }

    void badKey_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        const QString at =
            QStringLiteral("settings file QVX3J.ini, section [RobotChannels], key CH4: ");
        QTest::newRow("too few parts") << QStringLiteral("1,0.13,neck")
                                       << at + QStringLiteral("\"1,0.13,neck\" is not SIGN,DEGREES "
                                                              "PER UNIT,OFFSET,JOINT");
        QTest::newRow("sign 2") << QStringLiteral("2,0.13,0,neck")
                                << at + QStringLiteral("the sign \"2\" is not 1 or -1");
        QTest::newRow("zero rate") << QStringLiteral("1,0,0,neck")
                                   << at + QStringLiteral("the degrees per unit \"0\" is not a "
                                                          "number above 0");
        QTest::newRow("nan rate") << QStringLiteral("1,nan,0,neck")
                                  << at + QStringLiteral("the degrees per unit \"nan\" is not a "
                                                         "number above 0");
        QTest::newRow("inf offset") << QStringLiteral("1,0.1,inf,neck")
                                    << at + QStringLiteral("the offset \"inf\" is not a number");
        QTest::newRow("no joint") << QStringLiteral("1,0.1,0, ")
                                  << at + QStringLiteral("it names no joint");
    }
    // A faulty key refuses the section with the key and the fault named.
    void badKey() {
        QFETCH(QString, value);
        QFETCH(QString, message);
        IniFile ini(QStringLiteral("QVX3J.ini"));
        ini.writeString(QStringLiteral("RobotChannels"), QStringLiteral("CH4"), value);
        QString error;
        QVERIFY(!ChannelMapping::Read(ini, &error));
        QCOMPARE(error, message);
    }

    // A channel naming a joint the model lacks, or one that does not move, is
    // reported and moves nothing; the other channels still drive their joints.
    void unknownJoint_isReportedAndIgnored() {
        const auto model = qvxtest::defaultModel();
        QVERIFY(model);
        ChannelMapping mapping = ChannelMapping::ForModel(*model);
        mapping.drives[0].joint = QStringLiteral("tail");
        mapping.drives[1].joint = QStringLiteral("stand");
        QCOMPARE(mapping.check(*model),
                 QStringList({QStringLiteral("CH1 drives joint \"tail\", which the robot model %1 "
                                             "does not have; the channel moves nothing")
                                  .arg(model->path()),
                              QStringLiteral("CH2 drives joint \"stand\" of the robot model %1, "
                                             "which does not move; the channel moves nothing")
                                  .arg(model->path())}));
        const JointPose pose = mapping.jointPose(
            *model, qvxtest::poseWords({{1, 300}, {2, 300}, {3, qvxtest::unitsFor(90)}}));
        for (const JointState& s : pose)
            QVERIFY(s.channel != 1 && s.channel != 2);
        QCOMPARE(pose[std::size_t(model->jointIndex(QStringLiteral("r_shoulder_pitch")))].value,
                 M_PI / 2);
    }
};

QVX_TEST_CLASS(ChannelMappingTest)
#include "ChannelMappingTest.moc"
