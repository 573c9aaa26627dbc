#include "items/SetCodes.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace qvx;

Q_DECLARE_METATYPE(qvx::SetVariant)
Q_DECLARE_METATYPE(qvx::ChannelValues)

namespace {

ChannelValues all(quint16 v) {
    ChannelValues values;
    values.fill(v);
    return values;
}

} // namespace

// The value codes of SET and CMP items: each operation's code, and an item
// holding it read back as the operation and argument the dialogs show.
class SetCodesTest : public QObject {
    Q_OBJECT
  private slots:
    void operationCode_readsBack_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("expected");
        QTest::addColumn<SetVariant>("variant");
        QTest::addColumn<int>("argument");
        using V = SetVariant;
        QTest::newRow("teach") << int(CodeBase::TeachValue) << 0x8006 << V::TeachValue << 0;
        QTest::newRow("loop 1") << int(SetCodes::LoopCounterCode(1)) << 0x8208 << V::LoopCounter
                                << 1;
        QTest::newRow("loop 255") << int(SetCodes::LoopCounterCode(255)) << 0x8306 << V::LoopCounter
                                  << 255;
        QTest::newRow("loop 0 clamped")
            << int(SetCodes::LoopCounterCode(0)) << 0x8208 << V::LoopCounter << 1;
        QTest::newRow("compare -1023")
            << int(SetCodes::CompareRegisterCode(-1023)) << 0x9C06 << V::CompareRegister << 0;
        QTest::newRow("compare 0")
            << int(SetCodes::CompareRegisterCode(0)) << 0xA005 << V::CompareRegister << 1023;
        QTest::newRow("compare 16383")
            << int(SetCodes::CompareRegisterCode(16383)) << 0xE004 << V::CompareRegister << 17406;
        QTest::newRow("AD3 reference")
            << int(SetCodes::AdReferenceCode(2)) << 0xFEF6 << V::AdReference << 2;
        QTest::newRow("sensor Sck6")
            << int(SetCodes::SensorControlCode(0x20)) << 0xFF17 << V::SensorControl << 0x20;
        QTest::newRow("sensor none")
            << int(SetCodes::SensorControlCode(0)) << 0xFEF7 << V::SensorControl << 0;
        QTest::newRow("receiver on")
            << int(SetCodes::ReceiverCode(true)) << 0xFBF2 << V::Receiver << 0;
        QTest::newRow("receiver off")
            << int(SetCodes::ReceiverCode(false)) << 0xFBF3 << V::Receiver << 1;
    }
    void operationCode_readsBack() {
        QFETCH(int, code);
        QFETCH(int, expected);
        QFETCH(SetVariant, variant);
        QFETCH(int, argument);
        QCOMPARE(code, expected);
        QCOMPARE(SetCodes::ReadSetItem(all(quint16(code))), (SetChoice{variant, argument}));
    }

    void readSetItem_classifiesByKind_data() {
        QTest::addColumn<ChannelValues>("values");
        QTest::addColumn<SetVariant>("variant");
        QTest::addColumn<int>("argument");
        using V = SetVariant;
        ChannelValues teachAndZero = all(0x8006);
        teachAndZero[7] = 0;
        QTest::newRow("zero skipped") << teachAndZero << V::TeachValue << 0;
        ChannelValues loopEndingInZero = all(0x820C);
        loopEndingInZero[23] = 0;
        QTest::newRow("argument not from a zero") << loopEndingInZero << V::LoopCounter << 5;
        ChannelValues teachAndReceiver = all(0x8006);
        teachAndReceiver[3] = 0xFBF2;
        QTest::newRow("two kinds") << teachAndReceiver << V::None << 0;
        QTest::newRow("all zero") << all(0) << V::None << 0;
        ChannelValues twoReferences = all(0xFEF4);
        twoReferences[1] = 0xFEF5;
        QTest::newRow("two AD reference classes") << twoReferences << V::None << 0;
        ChannelValues sources = all(0xFBF4);
        sources[1] = 0xFCF4 + 0x85;
        sources[2] = 0xFDF4 + 0xC1;
        sources[3] = 0x8F06 + 0x10; // a mixing range the dialog never writes
        sources[4] = 0;
        QTest::newRow("mixing of every range") << sources << V::Mixing << 0;
        QTest::newRow("reserved FBF0") << all(0xFBF0) << V::None << 0;
        QTest::newRow("reserved FFF7") << all(0xFFF7) << V::None << 0;
        QTest::newRow("pose value") << all(16384) << V::None << 0;
        QTest::newRow("CMP code") << all(0x8307) << V::None << 0;
        QTest::newRow("unassigned") << all(0x8500) << V::None << 0;
    }
    void readSetItem_classifiesByKind() {
        QFETCH(ChannelValues, values);
        QFETCH(SetVariant, variant);
        QFETCH(int, argument);
        const SetChoice c = SetCodes::ReadSetItem(values);
        QCOMPARE(c.variant, variant);
        if (variant != SetVariant::None && variant != SetVariant::Mixing)
            QCOMPARE(c.argument, argument);
    }

    // A SET mixing code round trip: every source with every gain.
    void mixingCode_roundTripsEverySourceAndGain() {
        for (int s = 0; s < SetCodes::kSources; ++s)
            for (int g = 0; g < AnalogSettings::kGainCount; ++g) {
                const MixingChoice choice{s, g};
                const quint16 code = SetCodes::MixingCode(choice);
                QCOMPARE(SetCodes::DecodeMixing(code), choice);
                QCOMPARE(SetCodes::ReadSetItem(all(code)).variant, SetVariant::Mixing);
            }
        const int plus5 = AnalogSettings::kGainOff + 5, minus5 = AnalogSettings::kGainOff - 5;
        QCOMPARE(SetCodes::MixingCode({2, plus5}), quint16(0xFD79));
        QCOMPARE(SetCodes::MixingCode({0, minus5}), quint16(0xFC39));
        QCOMPARE(SetCodes::MixingCode({0, AnalogSettings::kGainOff}), quint16(0xFBF4));
    }

    void decodeMixing_namesASourceOnlyWithTheMixingBit_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("gain");
        QTest::newRow("zero") << 0 << 0 << 63;
        QTest::newRow("AD1 range, bit 7 clear") << 0xFBF4 + 0x05 << 0 << 68;
        QTest::newRow("AD3 x -63") << 0xFDF4 + 0xFF << 3 << 0;
        QTest::newRow("other range, bit 7 set") << 0x9706 + 0x85 << 0 << 68;
    }
    void decodeMixing_namesASourceOnlyWithTheMixingBit() {
        QFETCH(int, value);
        QFETCH(int, source);
        QFETCH(int, gain);
        QCOMPARE(SetCodes::DecodeMixing(quint16(value)), (MixingChoice{source, gain}));
    }

    void typedEntries_fallBackOrClamp_data() {
        QTest::addColumn<bool>("loop");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("result");
        QTest::newRow("loop 7") << true << "7" << 7;
        QTest::newRow("loop 0") << true << "0" << 42;
        QTest::newRow("loop 256") << true << "256" << 42;
        QTest::newRow("loop abc") << true << "abc" << 42;
        QTest::newRow("compare -5") << false << "-5" << -5;
        QTest::newRow("compare 20000") << false << "20000" << 16383;
        QTest::newRow("compare huge") << false << "99999999999" << 16383;
        QTest::newRow("compare abc") << false << "abc" << 0;
    }
    void typedEntries_fallBackOrClamp() {
        QFETCH(bool, loop);
        QFETCH(QString, text);
        QFETCH(int, result);
        QCOMPARE(loop ? SetCodes::ReadLoopCount(text, 42) : SetCodes::ReadCompareValue(text),
                 result);
    }

    void sensorCaption_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<int>("selection");
        QTest::addColumn<QString>("caption");
        QTest::newRow("AD1 first")
            << 0 << 200 << 1 << "AD1 Playing200when an amount of M1change exceeds";
        QTest::newRow("AD1 off") << 0 << 200 << 0 << "AD1 OFF";
        QTest::newRow("AD2 second, scenario")
            << 3 << -5 << 82 << "AD2 Playing-5when an amount of S2change exceeds";
        QTest::newRow("AD3 second off") << 5 << 0 << 0 << "AD3 OFF";
    }
    void sensorCaption() {
        QFETCH(int, box);
        QFETCH(int, threshold);
        QFETCH(int, selection);
        QFETCH(QString, caption);
        QCOMPARE(SetCodes::SensorCaption(box, {threshold, selection}), caption);
    }

    void cmpCondition_comparesOnlyTheCodeBase() {
        for (int tag = 0; tag < CmpCodes::kConditions; ++tag) {
            const quint16 code = CmpCodes::ConditionCode(tag);
            QCOMPARE(CmpCodes::ConditionOf(all(code)), tag);
            QCOMPARE(CmpCodes::ConditionOf(all(quint16(code + 5))), tag); // a compiled target
        }
        ChannelValues twoConditions = all(0x8C06);
        twoConditions[23] = 0x8D06;
        QCOMPARE(CmpCodes::ConditionOf(twoConditions), -1);
        QCOMPARE(CmpCodes::ConditionOf(all(CodeBase::CompareRegister)), -1);
    }
};

QVX_TEST_CLASS(SetCodesTest)
#include "SetCodesTest.moc"
