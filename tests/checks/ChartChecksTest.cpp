#include "checks/ChartChecks.h"
#include "base/Language.h"
#include "board/BoardCommands.h"
#include "board/MotionTable.h"
#include "common/TestRegistry.h"
#include "compiler/ChartMaker.h"
#include "items/SetCodes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

using namespace qvx;

namespace {

// A chart with what its checks are compared with.
struct CheckCase {
    Chart chart;
    ChartCheckOptions options;
};

ChartCheckOptions withBoard(quint16 optionWord, const char* adReferenceHex) {
    ChartCheckOptions o;
    o.board = BoardCheckSettings{optionWord, QByteArray::fromHex(adReferenceHex)};
    return o;
}

} // namespace

Q_DECLARE_METATYPE(CheckCase)

// Each check on a small chart made for it, compared line for line with what
// `qvx check` prints.
class ChartChecksTest : public QObject {
    Q_OBJECT

    static QStringList lines(const CheckCase& c) {
        QStringList out;
        for (const Finding& f : RunChartChecks(c.chart, c.options))
            out << FindingLine(f, c.chart);
        return out;
    }

  private slots:
    void findings_data() {
        QTest::addColumn<CheckCase>("input");
        QTest::addColumn<QStringList>("expected");
        using qvxtest::ChartMaker;
        const QString neverPlayed = QStringLiteral(
            ": no path from the start item reaches this item, so it is never played");
        const QString noWayOut = QStringLiteral(
            " has no way out: no CMP branch leaves it and nothing in it ends the motion, so the "
            "motion runs until Stop is pressed");
        {
            ChartMaker m;
            m.chain("P", 2);
            m.item("Lost");
            QTest::newRow("unreachable")
                << CheckCase{m.chart, {}}
                << QStringList{"warning unreachable \"Lost\"" + neverPlayed};
        }
        {
            ChartMaker m;
            m.chain("P", 2);
            m.chart.startItem = -1;
            QTest::newRow("no-start") << CheckCase{m.chart, {}}
                                      << QStringList{"error no-start -: the chart has 2 items but "
                                                     "no start item, so it cannot be compiled"};
        }
        {
            ChartMaker m;
            const int a = m.item("A"), b = m.item("B");
            m.next(a, b);
            m.next(b, a);
            QTest::newRow("endless")
                << CheckCase{m.chart, {}}
                << QStringList{"warning endless \"A\": the loop through \"A\" and \"B\"" +
                               noWayOut};
        }
        {
            // A link into itself is a loop of one item; a CMP whose both links
            // stay inside leaves nothing either.
            ChartMaker m;
            const int a = m.item("A"), c = m.cmp("C", CmpCodes::ConditionCode(1));
            const int d = m.item("D");
            m.next(a, c);
            m.branch(c, a);
            m.next(c, d);
            m.next(d, d);
            QTest::newRow("endless, link into itself")
                << CheckCase{m.chart, {}}
                << QStringList{"warning endless \"D\": the loop through \"D\"" + noWayOut};
        }
        {
            // A loop of 3 items behind a SET item loading the counter, left
            // by a CMP on the counter, then an AD test after calibration.
            ChartMaker m;
            const int set = m.item("Loop3", KindSet, 1, SetCodes::LoopCounterCode(3));
            const int body = m.item("Body"), test = m.cmp("Again");
            const int cal = m.item("Cal", KindSet, 1, SetCodes::AdReferenceCode(0));
            const int ad = m.cmp("Push", CmpCodes::ConditionCode(1));
            const int end = m.item("End");
            m.next(set, body);
            m.next(body, test);
            m.branch(test, body);
            m.next(test, cal);
            m.next(cal, ad);
            m.branch(ad, end);
            m.next(ad, end);
            QTest::newRow("sound loop and branch")
                << CheckCase{m.chart, withBoard(0, "000000000000")} << QStringList{};
        }
        {
            ChartMaker m;
            const int body = m.item("Body"), test = m.cmp("Again"), end = m.item("End");
            m.next(body, test);
            m.branch(test, body);
            m.next(test, end);
            QTest::newRow("loop-without-counter")
                << CheckCase{m.chart, {}}
                << QStringList{"warning loop-without-counter \"Again\": the loop through \"Body\" "
                               "and \"Again\" is left only when this CMP's loop counter test says "
                               "so, but no SET item loads the loop counter before or in the "
                               "loop: how often it runs depends on what an earlier motion left "
                               "in the counter"};
        }
        {
            ChartMaker m;
            const int pa = m.cmp("Stick", CmpCodes::ConditionCode(5));
            const int button = m.cmp("Button", CmpCodes::ConditionCode(9));
            const int ad = m.cmp("Tilt", CmpCodes::ConditionCode(2));
            const int end = m.item("End");
            const std::pair<int, int> chain[] = {{pa, button}, {button, ad}, {ad, end}};
            for (const auto& [from, to] : chain) {
                m.next(from, to);
                m.branch(from, end);
            }
            const QString off = QStringLiteral(
                " of the receiver, but the board's options leave control through the WRX-1 "
                "receiver unit off (option bit 3)");
            QTest::newRow("input-off")
                << CheckCase{m.chart, withBoard(BoardCommands::kOptSvp, "000100000001")}
                << QStringList{"warning input-off \"Stick\": tests PA2" + off,
                               "warning input-off \"Button\": tests the button input" + off,
                               "warning input-off \"Tilt\": tests the change of AD2, but the "
                               "board holds no reference value for AD2 (0) and no SET item "
                               "calibrates it"};
            QTest::newRow("input-off, inputs on")
                << CheckCase{m.chart, withBoard(BoardCommands::kOptWrx1, "010002000300")}
                << QStringList{};
            QTest::newRow("input-off, no board") << CheckCase{m.chart, {}} << QStringList{};
        }
        {
            ChartMaker m;
            const int p = m.item("Pose", KindPos, 100, 16384);
            m.chart.items[size_t(p)].values[2] = 17075;
            m.chart.items[size_t(p)].values[3] = 17074; // the edges are in range
            m.chart.items[size_t(p)].values[4] = 15694;
            m.chart.items[size_t(p)].values[6] = 200;
            m.chart.items[size_t(p)].values[7] = 0x8002; // FREE is no position
            m.chart.items[size_t(p)].values[9] = 0;
            CheckCase c{m.chart, {}};
            c.options.usedChannels = 0xFFFFFF & ~0x230u;
            QTest::newRow("out-of-range and unused-channel")
                << c
                << QStringList{"warning out-of-range \"Pose\": CH3 is at 17075, outside the "
                               "editor's position range 15694 to 17074",
                               "warning out-of-range \"Pose\": CH7 is at 200, outside the "
                               "editor's position range 15694 to 17074",
                               "warning unused-channel \"Pose\": sets CH5 and CH6, which the "
                               "data dialog marks unused"};
        }
        {
            ChartMaker m;
            m.chain("P", 3);
            CheckCase c{m.chart, {}};
            c.options.slot = 2;
            c.options.records = 61; // M3, M4 and M5
            QByteArray walk = MotionTable::EmptyEntry();
            walk[0] = char(12);
            walk.replace(10, 4, "walk");
            c.options.entries[3] = MotionTable::EmptyEntry(); // known empty
            c.options.entries[4] = walk;
            c.options.entries[5] = walk; // beyond the motion's last slot
            QTest::newRow("slot-overrun")
                << c
                << QStringList{"error slot-overrun -: the motion has 61 records and, written to "
                               "M3, runs on into M5, which holds a motion (\"walk\", 12 records)"};
            c.options.records = 60;
            QTest::newRow("slot-overrun, fits") << c << QStringList{};
        }
    }

    void findings() {
        QFETCH(CheckCase, input);
        QFETCH(QStringList, expected);
        QCOMPARE(lines(input), expected);
        // In Japanese the window's list shows each finding in Japanese, while
        // the lines scripts read stay as they are.
        QTranslator japanese;
        QVERIFY(japanese.load(QStringLiteral("quorvex_ja.qm"), Language::CatalogueDir()));
        QCoreApplication::installTranslator(&japanese);
        const Findings found = RunChartChecks(input.chart, input.options);
        QCoreApplication::removeTranslator(&japanese);
        QStringList english;
        for (const Finding& f : found) {
            english << FindingLine(f, input.chart);
            QVERIFY2(f.shown.contains(QRegularExpression(QStringLiteral("[\\x{3040}-\\x{30FF}]"))),
                     qPrintable(f.shown));
        }
        QCOMPARE(english, expected);
    }

    // Long cycles and chains are walked without recursion, in linear time.
    void hugeCharts_checkedQuickly() {
        qvxtest::ChartMaker m;
        const int first = m.chain("P", 10000);
        m.next(first + 9999, first + 5000); // a cycle of the last 5000 items
        QElapsedTimer t;
        t.start();
        const QStringList found = lines(CheckCase{m.chart, {}});
        QVERIFY2(t.elapsed() < 2000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(found, QStringList{"warning endless \"P5000\": the loop through \"P5000\" and "
                                    "4999 other items has no way out: no CMP branch leaves it and "
                                    "nothing in it ends the motion, so the motion runs until Stop "
                                    "is pressed"});
    }
};

QVX_TEST_CLASS(ChartChecksTest)
#include "ChartChecksTest.moc"
