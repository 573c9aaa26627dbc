#include "editor/Conversion.h"
#include "common/TestRegistry.h"
#include "document/Chart.h"
#include "pose/PoseData.h"

#include <QTest>

using namespace qvx;

namespace {

// (channel, value) pairs.
using Changes = QList<std::pair<int, int>>;

// Entries given as (channel, text) pairs; every other channel has none.
ConversionEntries entries(std::initializer_list<std::pair<int, const char*>> list) {
    ConversionEntries e;
    for (const auto& [channel, text] : list)
        e[size_t(channel - 1)] = QString::fromUtf8(text);
    return e;
}

// A selected POS item with the given speed and values on the first channels;
// the rest stay at the neutral position.
Item poseItem(int speed, std::initializer_list<int> first = {}) {
    Item item;
    item.kind = KindPos;
    item.selected = true;
    item.lead = quint8(speed);
    item.values.fill(Pose::kNeutral);
    int k = 0;
    for (int v : first)
        item.values[size_t(k++)] = quint16(v);
    return item;
}

ChannelValues valuesWith(ChannelValues v, const Changes& changes) {
    for (const auto& [channel, value] : changes)
        v[size_t(channel - 1)] = quint16(value);
    return v;
}

} // namespace

// Applying the 24 conversion entries to the selected items of a chart.
class ConversionTest : public QObject {
    Q_OBJECT
  private slots:
    // One item, one entry list: every channel keyword, reading the old values.
    void channelEntries_data() {
        QTest::addColumn<ConversionEntries>("list");
        QTest::addColumn<QList<int>>("before"); // CH1.. ; the rest neutral
        QTest::addColumn<Changes>("changed");
        using C = Changes;
        QTest::newRow("CHANGE swaps")
            << entries({{1, "Change(2)"}}) << QList<int>{16000, 17000} << C{{1, 17000}, {2, 16000}};
        QTest::newRow("two swaps see the old values")
            << entries({{1, "CHANGE(2)"}, {2, "CHANGE(3)"}}) << QList<int>{1, 2, 3}
            << C{{1, 2}, {2, 3}, {3, 2}};
        QTest::newRow("COPYTO then REVERSE on the later channel")
            << entries({{1, "CopyTo(2)"}, {2, "Reverse"}}) << QList<int>{16000, 15694}
            << C{{2, 17074}};
        QTest::newRow("COPYTO onto an earlier channel")
            << entries({{3, "copyto ( 1 )"}}) << QList<int>{100, 200, 32770} << C{{1, 32770}};
        QTest::newRow("READTO") << entries({{1, "ReadTo(3)"}, {3, "ReadTo(1)"}})
                                << QList<int>{10, 20, 30} << C{{1, 30}, {3, 10}};
        QTest::newRow("channel out of range or not a number")
            << entries({{1, "COPYTO(25)"}, {2, "READTO(0)"}, {3, "CHANGE(1.0)"}})
            << QList<int>{10, 20, 30} << C{};
        QTest::newRow("REVERSE keeps neutral, skips codes")
            << entries({{1, "REVERSE"}, {2, "REVERSE"}, {3, "REVERSE"}, {4, "REVERSE"}})
            << QList<int>{16384, 1, 0, 32771} << C{{2, 32767}};
        QTest::newRow("ADD clamped")
            << entries({{1, "ADD(40000)"}, {2, "ADD(-20000)"}, {3, "ADD(5)"}})
            << QList<int>{30000, 10000, 32769} << C{{1, 32767}, {2, 1}};
        QTest::newRow("ADD not an integer is 0")
            << entries({{1, "ADD(1.5)"}, {2, "ADD"}}) << QList<int>{100, 200} << C{};
        QTest::newRow("MUL clamped, not wrapped")
            << entries({{1, "MUL(3)"}, {2, "MUL(3)"}}) << QList<int>{1000, 30000}
            << C{{1, 1}, {2, 32767}};
        QTest::newRow("MUL rounds halves to even")
            << entries({{1, "MUL(0.5)"}, {2, "MUL(0.5)"}, {3, "MUL(1.5)"}})
            << QList<int>{16385, 16387, 16385} << C{{1, 16384}, {2, 16386}, {3, 16386}};
        QTest::newRow("MUL not a number is 0")
            << entries({{1, "MUL(x)"}, {2, "MUL(1E400)"}, {3, "MUL(2)"}})
            << QList<int>{100, 16000, 0} << C{{1, 16384}, {2, 16384}};
        QTest::newRow("MUL huge") << entries({{1, "MUL(1E300)"}}) << QList<int>{16000} << C{{1, 1}};
        QTest::newRow("unknown keyword and the deleted pattern's proposal")
            << entries({{1, "Mirror(2)"}, {2, "CopyTo(?)"}, {3, "SPD(?)"}})
            << QList<int>{10, 20, 30} << C{};
    }
    void channelEntries() {
        QFETCH(ConversionEntries, list);
        QFETCH(QList<int>, before);
        QFETCH(Changes, changed);
        Item item = poseItem(40);
        for (int k = 0; k < before.size(); ++k)
            item.values[size_t(k)] = quint16(before[k]);
        ChannelValues expected = item.values;
        for (const auto& [channel, value] : changed)
            expected[size_t(channel - 1)] = quint16(value);
        ConvertItem(item, list);
        QCOMPARE(item.values, expected);
        QCOMPARE(int(item.lead), 40);
    }

    void mulMinusOne_equalsReverse() {
        for (int v : {1, 15694, 16000, 16384, 16385, 17074, 32767}) {
            Item mul = poseItem(1, {v}), rev = mul;
            ConvertItem(mul, entries({{1, "MUL(-1)"}}));
            ConvertItem(rev, entries({{1, "REVERSE"}}));
            QCOMPARE(mul.values, rev.values);
            QCOMPARE(int(mul.values[0]), 32768 - v);
        }
    }

    void speed_data() {
        QTest::addColumn<ConversionEntries>("list");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("expected");
        QTest::newRow("+ limited to 255") << entries({{1, "SPD(+20)"}}) << 250 << 255;
        QTest::newRow("- limited to 1") << entries({{1, "SPD(-20)"}}) << 10 << 1;
        QTest::newRow("- by a negative number") << entries({{1, "SPD(--5)"}}) << 10 << 15;
        QTest::newRow("/0.5 doubles") << entries({{1, "SPD(/0.5)"}}) << 60 << 120;
        QTest::newRow("* rounds halves to even") << entries({{1, "SPD(*1.5)"}}) << 5 << 8;
        QTest::newRow("/ rounds halves to even") << entries({{1, "SPD(/4)"}}) << 10 << 2;
        QTest::newRow("* to 0 becomes 1") << entries({{1, "SPD(*0)"}}) << 100 << 1;
        QTest::newRow("* beyond 255") << entries({{1, "SPD(*1E300)"}}) << 100 << 255;
        QTest::newRow("* from a speed of 0") << entries({{1, "SPD(*2)"}}) << 0 << 1;
        QTest::newRow("+ not an integer is 0") << entries({{1, "SPD(+1.5)"}}) << 0 << 1;
        QTest::newRow("* not a number is 1") << entries({{1, "SPD(*x)"}}) << 77 << 77;
        QTest::newRow("other first character") << entries({{1, "SPD(5)"}}) << 77 << 77;
        QTest::newRow("* after * uses the changed speed")
            << entries({{1, "SPD(*2)"}, {2, "SPD(*2)"}}) << 30 << 120;
        QTest::newRow("+ after * starts from the old speed")
            << entries({{1, "SPD(*2)"}, {2, "SPD(+1)"}}) << 30 << 31;
        QTest::newRow("/ after + uses the changed speed")
            << entries({{1, "SPD(+10)"}, {2, "SPD(/2)"}}) << 30 << 20;
        QTest::newRow("not on an unused channel") << entries({{3, "SPD(+10)"}}) << 30 << 30;
        QTest::newRow("not beyond the last parameter") << entries({{4, "SPD(+10)"}}) << 30 << 30;
        QTest::newRow("on the last parameter") << entries({{5, "SPD(+10)"}}) << 30 << 40;
        QTest::newRow("on a SET code") << entries({{6, "spd ( * 2 )"}}) << 30 << 60;
    }
    void speed() {
        QFETCH(ConversionEntries, list);
        QFETCH(int, speed);
        QFETCH(int, expected);
        // CH3 unused, CH4 past the last parameter value, CH5 the last one, CH6 SET1.
        Item item = poseItem(speed, {16000, 17000, 0, Pose::kLastParamValue + 1,
                                     Pose::kLastParamValue, Pose::kSet1});
        const ChannelValues values = item.values;
        ConvertItem(item, list);
        QCOMPARE(int(item.lead), expected);
        QCOMPARE(item.values, values);
    }

    // The chart: selected items that are not CMP items, each from its own values.
    void chart_convertsSelectedNonCmpItemsEachOnItsOwn() {
        Chart chart;
        chart.items = {poseItem(100, {16000, 17000}), poseItem(200, {15000, 15500}),
                       poseItem(100, {16000, 17000}), poseItem(100, {16000, 17000}),
                       poseItem(100, {16000, 17000})};
        chart.items[1].kind = KindSet;
        chart.items[2].kind = KindCmp;
        chart.items[3].selected = false;
        chart.items[4].kind = KindMot;
        const std::vector<Item> before = chart.items;
        const ConversionEntries list = entries({{1, "CHANGE(2)"}, {2, "SPD(+10)"}});

        QVERIFY(!ApplyConversion(chart, list, QStringLiteral("Swap")));
        const ChannelValues swapped = valuesWith(before[0].values, {{1, 17000}, {2, 16000}});
        QCOMPARE(chart.items[0].values, swapped);
        QCOMPARE(int(chart.items[0].lead), 110);
        QCOMPARE(chart.items[1].values, valuesWith(before[1].values, {{1, 15500}, {2, 15000}}));
        QCOMPARE(int(chart.items[1].lead), 210);
        QCOMPARE(chart.items[2], before[2]);
        QCOMPARE(chart.items[3], before[3]);
        QCOMPARE(chart.items[4].values, swapped);
    }

    void divisionByZero_refusedWithNothingChanged_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("name");
        QTest::newRow("0") << QStringLiteral("SPD(/0)") << QStringLiteral("Mirror");
        QTest::newRow("0.0 with blanks") << QStringLiteral("spd ( / 0.0 )") << QString();
        QTest::newRow("-0") << QStringLiteral("SPD(/-0E5)") << QStringLiteral("Slow");
    }
    void divisionByZero_refusedWithNothingChanged() {
        QFETCH(QString, entry);
        QFETCH(QString, name);
        Chart chart;
        // CH7 of the only item is unused, so the entry would not even reach it.
        chart.items = {poseItem(100, {16000, 17000})};
        chart.items[0].values[6] = 0;
        const std::vector<Item> before = chart.items;
        ConversionEntries list = entries({{1, "REVERSE"}, {2, "SPD(/0.5)"}});
        list[6] = entry;
        const std::optional<QString> refused = ApplyConversion(chart, list, name);
        QVERIFY(refused);
        QVERIFY2(refused->contains(QStringLiteral("CH7")), qPrintable(*refused));
        QVERIFY(refused->contains(QStringLiteral("zero")));
        if (!name.isEmpty()) QVERIFY(refused->contains(u'"' + name + u'"'));
        QCOMPARE(chart.items, before);
        // A divisor that is not a number is no zero: the list is applied.
        list[6] = QStringLiteral("SPD(/x)");
        QVERIFY(!ApplyConversion(chart, list, name));
        QCOMPARE(int(chart.items[0].lead), 200);
    }
};

QVX_TEST_CLASS(ConversionTest)
#include "ConversionTest.moc"
