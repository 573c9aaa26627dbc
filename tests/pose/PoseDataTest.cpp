#include "common/TestRegistry.h"
#include "pose/PoseData.h"

#include <QTest>
#include <limits>

using namespace qvx;

Q_DECLARE_METATYPE(qvx::ChannelKind)

namespace {

// A window state showing a SERVO channel 1 at a position and rate.
PoseState servoAt(int position, float rate) {
    PoseState pose;
    pose.channel(1).displayRate = rate;
    ShowChannel(pose, 1, quint16(position));
    return pose;
}

Item posItem(quint8 speed, std::initializer_list<quint16> first) {
    Item item;
    item.kind = KindPos;
    item.lead = speed;
    size_t k = 0;
    for (quint16 v : first)
        item.values[k++] = v;
    return item;
}

} // namespace

// What channel words mean on screen and what the controls give back.
class PoseDataTest : public QObject {
    Q_OBJECT
  private slots:
    void kindOfValue_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<ChannelKind>("kind");
        QTest::newRow("unused") << 0 << ChannelKind::None;
        QTest::newRow("lowest position") << 1 << ChannelKind::Servo;
        QTest::newRow("highest position") << 32767 << ChannelKind::Servo;
        QTest::newRow("L") << 32768 << ChannelKind::Output;
        QTest::newRow("H") << 32769 << ChannelKind::Output;
        QTest::newRow("FREE") << 32770 << ChannelKind::FreeSet;
        QTest::newRow("SET3") << 32773 << ChannelKind::FreeSet;
        QTest::newRow("teach code") << 32774 << ChannelKind::None;
        QTest::newRow("first SP") << 32775 << ChannelKind::Param;
        QTest::newRow("last SP") << 32902 << ChannelKind::Param;
        QTest::newRow("first ST") << 32903 << ChannelKind::Param;
        QTest::newRow("last ST") << 33030 << ChannelKind::Param;
        QTest::newRow("jump code") << 33031 << ChannelKind::None;
        QTest::newRow("top") << 65535 << ChannelKind::None;
    }
    void kindOfValue() {
        QFETCH(int, value);
        QFETCH(ChannelKind, kind);
        QCOMPARE(ChannelKindOf(quint16(value)), kind);
    }

    void servoDisplay_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<float>("rate");
        QTest::addColumn<QString>("shown");
        QTest::newRow("neutral") << 16384 << 1.0f << "0";
        QTest::newRow("lowest of the bar") << 15694 << 1.0f << "-690";
        QTest::newRow("half rate") << 15694 << 0.5f << "-345";
        QTest::newRow("negative rate") << 17074 << -1.0f << "-690";
        QTest::newRow("half up to even") << 16387 << 0.5f << "2";
        QTest::newRow("half down to even") << 16385 << 0.5f << "0";
        QTest::newRow("negative half to even") << 16383 << 0.5f << "0";
        QTest::newRow("above the bar shows clamped") << 20000 << 1.0f << "690";
        QTest::newRow("below the bar shows clamped") << 100 << 1.0f << "-690";
        QTest::newRow("rate 0") << 17000 << 0.0f << "0";
    }
    void servoDisplay() {
        QFETCH(int, position);
        QFETCH(float, rate);
        QFETCH(QString, shown);
        const PoseState pose = servoAt(position, rate);
        QCOMPARE(pose.channel(1).kind, ChannelKind::Servo);
        QCOMPARE(pose.channel(1).editText, shown);
    }

    void typedServoEntry_data() {
        QTest::addColumn<float>("rate");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("half rate back to the bar's end") << 0.5f << "-345" << 15694 << "-345";
        QTest::newRow("1000 clamps") << 1.0f << "1000" << 17074 << "690";
        QTest::newRow("-1000 clamps") << 1.0f << "-1000" << 15694 << "-690";
        QTest::newRow("blanks around a number") << 1.0f << " 12 " << 16396 << "12";
        QTest::newRow("not a number keeps the shown one") << 1.0f << "abc" << 16400 << "16";
        QTest::newRow("double rate rounds to even") << 2.0f << "5" << 16386 << "4";
        QTest::newRow("huge quotient of a tiny rate") << 1e-30f << "3" << 17074 << "0";
    }
    void typedServoEntry() {
        QFETCH(float, rate);
        QFETCH(QString, typed);
        QFETCH(int, value);
        QFETCH(QString, shown);
        PoseState pose = servoAt(16400, rate);
        const auto v = EnterChannelText(pose, 1, typed);
        QVERIFY(v);
        QCOMPARE(int(*v), value);
        QCOMPARE(ReadChannelValue(pose, 1), quint16(value));
        QCOMPARE(pose.channel(1).editText, shown);
    }

    // No position can be divided back from these rates: the entry is dropped.
    void typedEntryWithoutAUsableRate_isIgnored_data() {
        QTest::addColumn<float>("rate");
        QTest::newRow("zero") << 0.0f;
        QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("infinite") << std::numeric_limits<float>::infinity();
    }
    void typedEntryWithoutAUsableRate_isIgnored() {
        QFETCH(float, rate);
        PoseState pose = servoAt(16500, rate);
        QCOMPARE(pose.channel(1).editText, QStringLiteral("0"));
        QVERIFY(!EnterChannelText(pose, 1, QStringLiteral("100")));
        QVERIFY(!EnterChannelText(pose, 1, QStringLiteral("x")));
        QCOMPARE(ReadChannelValue(pose, 1), quint16(16500));
        QCOMPARE(pose.channel(1).editText, QStringLiteral("0"));
    }

    void parameterEntries_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("SP 200 clamps to 127") << 32780 << "200" << 32902 << "127";
        QTest::newRow("SP 0 clamps to 1") << 32780 << "0" << 32776 << "1";
        QTest::newRow("SP not a number keeps it") << 32780 << "x" << 32780 << "5";
        QTest::newRow("ST typed shows the parameter") << 32910 << "5" << 32908 << "5";
    }
    void parameterEntries() {
        QFETCH(int, stored);
        QFETCH(QString, typed);
        QFETCH(int, value);
        QFETCH(QString, shown);
        PoseState pose;
        ShowChannel(pose, 4, quint16(stored));
        QCOMPARE(pose.channel(4).kind, ChannelKind::Param);
        const auto v = EnterChannelText(pose, 4, typed);
        QVERIFY(v);
        QCOMPARE(int(*v), value);
        QCOMPARE(ReadChannelValue(pose, 4), quint16(value));
        QCOMPARE(pose.channel(4).editText, shown);
    }

    void parameterBar_showsTwiceTheParameterForST() {
        PoseState pose;
        ShowChannel(pose, 2, 32903 + 40);
        QCOMPARE(pose.channel(2).editText, QStringLiteral("80"));
        QCOMPARE(MoveParamBar(pose, 2, 5), quint16(32908));
        QCOMPARE(pose.channel(2).editText, QStringLiteral("10"));
        ShowChannel(pose, 3, 32775 + 9);
        QCOMPARE(pose.channel(3).editText, QStringLiteral("9"));
        QCOMPARE(MoveParamBar(pose, 3, 300), quint16(32902));
        QCOMPARE(pose.channel(3).editText, QStringLiteral("127"));
    }

    // Parameter 0 lies below what the bar offers; a pose shown from a file and
    // sent back must still carry it unchanged.
    void parameterZero_survivesAShowAndRead() {
        PoseState pose;
        ShowChannel(pose, 1, 32775);
        ShowChannel(pose, 2, 32903);
        QCOMPARE(ReadChannelValue(pose, 1), quint16(32775));
        QCOMPARE(ReadChannelValue(pose, 2), quint16(32903));
    }

    void nonPoseWords_showAsNone_andStayInTheItem() {
        const Item item = posItem(9, {32774, 33031, 16384});
        PoseState pose;
        ShowPoseItem(pose, item);
        QCOMPARE(pose.channel(1).kind, ChannelKind::None);
        QCOMPARE(pose.channel(2).kind, ChannelKind::None);
        QCOMPARE(pose.channel(1).checked, quint16(0));
        const MotionRecord block = BuildPoseBlock(pose);
        QCOMPARE(block.words[0], quint16(0));
        QCOMPARE(block.words[1], quint16(0));
        QCOMPARE(block.words[2], quint16(16384));
        QCOMPARE(item.values[0], quint16(32774));
        QCOMPARE(item.values[1], quint16(33031));
    }

    void poseBlock_clampsPositions_andCarriesTheOtherKinds() {
        const Item item = posItem(7, {20000, 1000, 32769, 32768, 32771, 32780, 32910, 0, 16500, 32770});
        PoseState pose;
        ShowPoseItem(pose, item);
        const MotionRecord block = BuildPoseBlock(pose);
        QCOMPARE(block.lead, quint8(7));
        const std::array<quint16, 10> expected = {17074, 15694, 32769, 32768, 32771,
                                                  32780, 32910, 0,     16500, 32770};
        for (size_t k = 0; k < expected.size(); ++k)
            QCOMPARE(block.words[k], expected[k]);
        for (size_t k = expected.size(); k < 24; ++k)
            QCOMPARE(block.words[k], quint16(0));
        QCOMPARE(block.toBytes().size(), 49);
        QCOMPARE(quint8(block.toBytes()[1]), quint8(17074 >> 8));
        QCOMPARE(quint8(block.toBytes()[2]), quint8(17074 & 0xFF));
    }

    void applyBlock_storesWordsUnchanged_andTheBarsSpeed() {
        Item item = posItem(50, {});
        MotionRecord block;
        block.lead = 0;
        block.words[0] = 20000;
        block.words[1] = 32772;
        block.words[2] = 33031;
        PoseState pose;
        ApplyPoseBlock(pose, &item, block);
        QCOMPARE(item.values[0], quint16(20000));
        QCOMPARE(item.values[1], quint16(32772));
        QCOMPARE(item.values[2], quint16(33031));
        QCOMPARE(pose.speed, 1);
        QCOMPARE(item.lead, quint8(1));
        QCOMPARE(pose.channel(1).kind, ChannelKind::Servo);
        QCOMPARE(pose.channel(1).editText, QStringLiteral("690"));
        QCOMPARE(pose.channel(2).kind, ChannelKind::FreeSet);
        QCOMPARE(ReadChannelValue(pose, 2), quint16(32772));
        QCOMPARE(pose.channel(3).kind, ChannelKind::None);
    }

    void speedEntry_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("speed");
        QTest::newRow("in range") << "42" << 42;
        QTest::newRow("0 refused") << "0" << 80;
        QTest::newRow("300 refused") << "300" << 80;
        QTest::newRow("not a number") << "fast" << 80;
        QTest::newRow("upper end") << "255" << 255;
    }
    void speedEntry() {
        QFETCH(QString, typed);
        QFETCH(int, speed);
        PoseState pose;
        pose.speed = 80;
        QCOMPARE(EnterSpeedText(pose, typed), speed);
        QCOMPARE(pose.speed, speed);
    }

    void typeMenu_servoTakesTheBarsLastPosition() {
        PoseState pose;
        // Never shown as a servo: the bar is at neutral.
        QCOMPARE(ChooseChannelType(pose, 5, 1), std::optional<quint16>(16384));
        ShowChannel(pose, 6, 16900);
        ShowChannel(pose, 6, 32770);
        QCOMPARE(pose.channel(6).kind, ChannelKind::FreeSet);
        QCOMPARE(ReadChannelValue(pose, 6), quint16(32770));
        QCOMPARE(ChooseChannelType(pose, 6, 1), std::optional<quint16>(16900));
        QCOMPARE(pose.channel(6).kind, ChannelKind::Servo);
        QCOMPARE(ChooseChannelType(pose, 6, 6), std::optional<quint16>(32769));
        QCOMPARE(pose.channel(6).kind, ChannelKind::Output);
        QCOMPARE(ChooseChannelType(pose, 6, 0), std::optional<quint16>(0));
        QCOMPARE(ReadChannelValue(pose, 6), quint16(0));
        QVERIFY(!ChooseChannelType(pose, 6, 8));
    }
};

QVX_TEST_CLASS(PoseDataTest)
#include "PoseDataTest.moc"
