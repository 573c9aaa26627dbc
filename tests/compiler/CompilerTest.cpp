#include "compiler/Compiler.h"
#include "ChartMaker.h"
#include "common/RecordingServices.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace qvx;
using qvxtest::ChartMaker;
using qvxtest::RecordingServices;

namespace {
constexpr int END = Compiler::kEndStep;
constexpr int JMP = Compiler::kJumpStep;
} // namespace

class CompilerTest : public QObject {
    Q_OBJECT

    RecordingServices io;
    Compiler compiler;

    bool compile(const Chart& chart) { return compiler.CompileMotionChart(chart, io); }
    std::vector<qint32> steps() const { return compiler.StepItem(); }
    std::vector<qint32> targets() const { return compiler.StepTarget(); }

  private slots:
    void init() {
        io.clear();
        compiler = Compiler{};
    }

    void singleItem_compilesToPoseAndEnd() {
        ChartMaker m;
        m.item("A");
        QVERIFY(compile(m.chart));
        QCOMPARE(compiler.StepCount(), 2);
        QCOMPARE(steps(), (std::vector<qint32>{0, END}));
        QCOMPARE(targets(), (std::vector<qint32>{-1, -1}));
        QCOMPARE(compiler.MotionImage().size(), size_t(2));
        QVERIFY(io.boxes.empty());
    }

    void chain_fromStartItem_followsSequentialLinks() {
        ChartMaker m;
        const int c = m.item("C");
        const int a = m.item("A");
        const int b = m.item("B");
        m.chart.startItem = a;
        m.next(a, b);
        m.next(b, c);
        QVERIFY(compile(m.chart));
        QCOMPARE(steps(), (std::vector<qint32>{a, b, c, END}));
        QCOMPARE(compiler.Visited(), (std::vector<quint8>{1, 1, 1}));
    }

    void loop_endsWithJumpToFirstLaidOutStep() {
        ChartMaker m;
        const int a = m.item("A");
        const int b = m.item("B");
        const int c = m.item("C");
        m.next(a, b);
        m.next(b, c);
        m.next(c, b);
        QVERIFY(compile(m.chart));
        QCOMPARE(steps(), (std::vector<qint32>{a, b, c, JMP}));
        QCOMPARE(targets(), (std::vector<qint32>{-1, -1, -1, b}));
        MotionRecord jump;
        jump.lead = 1;
        jump.words.fill(0x8107 + 1);
        QCOMPARE(compiler.MotionImage()[3], jump);
    }

    void branch_targetChainFollowsMainChain() {
        ChartMaker m;
        const int c = m.cmp("C", 0x8307);
        const int d = m.item("D");
        const int e = m.item("E");
        m.next(c, d);
        m.branch(c, e);
        QVERIFY(compile(m.chart));
        QCOMPARE(steps(), (std::vector<qint32>{c, d, END, e, END}));
        QCOMPARE(targets(), (std::vector<qint32>{e, -1, -1, -1, -1}));
        const MotionRecord& r = compiler.MotionImage()[0];
        QCOMPARE(r.lead, quint8(1));
        for (quint16 w : r.words)
            QCOMPARE(w, quint16(0x8307 + 3));
    }

    void branch_addsStepIndexToEachChannelValue() {
        ChartMaker m;
        const int c = m.cmp("C");
        m.chart.items[size_t(c)].values[5] = 0x9A06 + 4; // another condition on CH6
        m.chart.items[size_t(c)].values[6] = 1200;       // a pose value on CH7
        const int d = m.item("D");
        const int e = m.item("E");
        m.next(c, d);
        m.branch(c, e);
        QVERIFY(compile(m.chart));
        const MotionRecord& r = compiler.MotionImage()[0];
        QCOMPARE(r.words[0], quint16(0x8307 + 3));
        QCOMPARE(r.words[5], quint16(0x9A06 + 4 + 3));
        QCOMPARE(r.words[6], quint16(1200 + 3));
    }

    void branchTarget_reachedLaterByMainChain_isLaidOutOnce() {
        ChartMaker m;
        const int a = m.cmp("A");
        const int b = m.item("B");
        const int c = m.item("C");
        m.branch(a, c);
        m.next(a, b);
        m.next(b, c);
        QVERIFY(compile(m.chart));
        QCOMPARE(steps(), (std::vector<qint32>{a, b, c, END}));
        QCOMPARE(compiler.MotionImage()[0].words[0], quint16(0x8307 + 2));
    }

    void branchTarget_alreadyLaidOut_isNotQueued() {
        ChartMaker m;
        const int a = m.item("A");
        const int b = m.cmp("B");
        m.next(a, b);
        m.branch(b, a);
        QVERIFY(compile(m.chart));
        QCOMPARE(steps(), (std::vector<qint32>{a, b, END}));
        QCOMPARE(compiler.MotionImage()[1].words[0], quint16(0x8307));
    }

    void twoBranchesToSameTarget_queuedTwiceLaidOutOnce() {
        ChartMaker m;
        const int a = m.cmp("A");
        const int b = m.cmp("B");
        const int c = m.item("C");
        const int x = m.item("X");
        m.next(a, b);
        m.next(b, c);
        m.branch(a, x);
        m.branch(b, x);
        QVERIFY(compile(m.chart));
        QCOMPARE(steps(), (std::vector<qint32>{a, b, c, END, x, END}));
        QCOMPARE(compiler.MotionImage()[0].words[0], quint16(0x8307 + 4));
        QCOMPARE(compiler.MotionImage()[1].words[0], quint16(0x8307 + 4));
    }

    void nestedBranches_areWalkedDepthFirst() {
        ChartMaker m;
        const int a = m.cmp("A");
        const int b = m.cmp("B");
        const int p = m.cmp("P");
        const int q = m.item("Q");
        const int r = m.item("R");
        m.next(a, b);
        m.branch(a, p);
        m.branch(b, q);
        m.branch(p, r);
        QVERIFY(compile(m.chart));
        // P's own target R comes before Q, which was queued on the main chain.
        QCOMPARE(steps(), (std::vector<qint32>{a, b, END, p, END, r, END, q, END}));
    }

    void branchChain_endingInLaidOutItem_jumpsBack() {
        ChartMaker m;
        const int a = m.cmp("A");
        const int b = m.item("B");
        const int e = m.item("E");
        m.next(a, b);
        m.branch(a, e);
        m.next(e, b);
        QVERIFY(compile(m.chart));
        QCOMPARE(steps(), (std::vector<qint32>{a, b, END, e, JMP}));
        QCOMPARE(targets().back(), b);
        QCOMPARE(compiler.MotionImage()[4].words[23], quint16(0x8107 + 1));
    }

    void nonCmpItemWithBranchLink_compilesAsBranchStep() {
        ChartMaker m;
        const int a = m.item("A", KindPos, 80, 500);
        const int b = m.item("B");
        m.branch(a, b);
        QVERIFY(compile(m.chart));
        QCOMPARE(steps(), (std::vector<qint32>{a, END, b, END}));
        QCOMPARE(compiler.MotionImage()[0].lead, quint8(1));
        QCOMPARE(compiler.MotionImage()[0].words[0], quint16(502));
    }

    void unreachableItems_areLeftOutSilently() {
        ChartMaker m;
        const int a = m.item("A");
        const int lost = m.item("Lost");
        const int b = m.item("B");
        m.next(a, b);
        m.next(lost, a);
        m.cmp("Orphan CMP"); // would fail if it were walked
        QVERIFY(compile(m.chart));
        QCOMPARE(steps(), (std::vector<qint32>{a, b, END}));
        QCOMPARE(compiler.Visited()[size_t(lost)], quint8(0));
        QVERIFY(io.boxes.empty());
    }

    void emptyChart_failsWithoutMessage() {
        Chart chart;
        QVERIFY(!compile(chart));
        QVERIFY(!compiler.CompileScenarioChart(chart, io));
        QVERIFY(io.boxes.empty());
    }

    void noStartItem_failsWithWarning_data() {
        QTest::addColumn<int>("start");
        QTest::newRow("none") << -1;
        QTest::newRow("beyond the items") << 5;
    }
    void noStartItem_failsWithWarning() {
        QFETCH(int, start);
        ChartMaker m;
        m.item("A");
        m.chart.startItem = start;
        QVERIFY(!compile(m.chart));
        QCOMPARE(io.boxes.size(), size_t(1));
        QCOMPARE(io.boxes[0].icon, int(MsgIcon::Warning));
        QCOMPARE(io.boxes[0].language, int(MsgLanguage::Japanese));
        QCOMPARE(io.lastBoxText(), QStringLiteral("Set up the start item"));
    }

    void cmpWithoutBranchLink_failsNamingItemWithoutBlank() {
        ChartMaker m;
        const int a = m.item("A");
        const int c = m.cmp("Check1");
        m.next(a, c);
        QVERIFY(!compile(m.chart));
        QCOMPARE(io.boxes.size(), size_t(1));
        QCOMPARE(io.boxes[0].icon, int(MsgIcon::Error));
        QCOMPARE(io.lastBoxText(), QStringLiteral("There is no branch destination ofCheck1"));
    }

    void twoLinksOfOneKind_failWithBranchLineError_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("sequential") << int(MainLink);
        QTest::newRow("branch") << int(BranchLink);
    }
    void twoLinksOfOneKind_failWithBranchLineError() {
        QFETCH(int, kind);
        ChartMaker m;
        const int a = m.cmp("Fork");
        const int b = m.item("B");
        const int c = m.item("C");
        m.link(a, b, quint8(kind));
        m.link(a, c, quint8(kind));
        if (kind == MainLink) m.branch(a, c);
        QVERIFY(!compile(m.chart));
        QCOMPARE(io.boxes.size(), size_t(1));
        QCOMPARE(io.boxes[0].icon, int(MsgIcon::Error));
        QCOMPARE(io.lastBoxText(), QStringLiteral("There is an errow in branch line of Fork"));
    }

    void firstFaultyItem_endsCompiling() {
        ChartMaker m;
        const int a = m.cmp("First");
        const int b = m.cmp("Second");
        m.next(a, b); // neither has a branch link
        QVERIFY(!compile(m.chart));
        QCOMPARE(io.boxes.size(), size_t(1));
        QCOMPARE(io.lastBoxText(), QStringLiteral("There is no branch destination ofFirst"));
    }

    void faultInBranchChain_failsTheCompile() {
        ChartMaker m;
        const int a = m.cmp("A");
        const int b = m.item("B");
        const int e = m.cmp("E");
        m.next(a, b);
        m.branch(a, e);
        QVERIFY(!compile(m.chart));
        QCOMPARE(io.lastBoxText(), QStringLiteral("There is no branch destination ofE"));
    }

    void failedCompile_keepsPreviousResult() {
        ChartMaker m;
        const int a = m.item("A");
        const int b = m.item("B");
        m.next(a, b);
        QVERIFY(compile(m.chart));
        const auto image = compiler.MotionImage();
        const auto listing = compiler.listingLines();
        const auto hex = compiler.hexRows();

        const int c = m.cmp("C");
        m.next(b, c);
        m.chart.links.erase(m.chart.links.begin()); // A now leads nowhere: start at C
        m.chart.startItem = c;
        QVERIFY(!compile(m.chart));
        QCOMPARE(compiler.StepCount(), 3);
        QCOMPARE(steps(), (std::vector<qint32>{a, b, END}));
        QCOMPARE(compiler.MotionImage(), image);
        QCOMPARE(compiler.listingLines(), listing);
        QCOMPARE(compiler.hexRows(), hex);
    }

    void compilingAgain_startsFromScratch() {
        ChartMaker m;
        const int a = m.item("A");
        const int b = m.item("B");
        m.next(a, b);
        QVERIFY(compile(m.chart));
        m.chart.links.clear();
        QVERIFY(compile(m.chart));
        QCOMPARE(steps(), (std::vector<qint32>{a, END}));
        QCOMPARE(compiler.MotionImage().size(), size_t(2));
        QCOMPARE(compiler.listingLines().size(), 2);
    }

    void linkToNoItem_isIgnored_data() {
        QTest::addColumn<int>("final");
        QTest::newRow("-1") << -1;
        QTest::newRow("beyond the items") << 7;
        QTest::newRow("far negative") << -40;
    }
    void linkToNoItem_isIgnored() {
        QFETCH(int, final);
        ChartMaker m;
        const int a = m.item("A");
        const int c = m.cmp("C");
        const int b = m.item("B");
        m.next(a, final);
        m.next(a, c);
        m.branch(c, final);
        m.branch(c, b);
        m.next(c, final);
        QVERIFY(compile(m.chart));
        QCOMPARE(steps(), (std::vector<qint32>{a, c, END, b, END}));
        QVERIFY(io.boxes.empty());
    }

    void cmpWhoseOnlyBranchLeadsNowhere_hasNoBranch() {
        ChartMaker m;
        const int c = m.cmp("C");
        m.branch(c, -1);
        QVERIFY(!compile(m.chart));
        QCOMPARE(io.lastBoxText(), QStringLiteral("There is no branch destination ofC"));
    }

    void jumpToStep255_isWord0x8206() {
        ChartMaker m;
        m.chain("P", 257); // P0..P256 on steps 0..256
        m.next(256, 255);  // P256 jumps back to P255 on step 255
        QVERIFY(compile(m.chart));
        QCOMPARE(compiler.StepCount(), 258);
        for (quint16 w : compiler.MotionImage().back().words)
            QCOMPARE(w, quint16(0x8206));
    }

    void jumpBeyondStep255_isRefused() {
        ChartMaker m;
        m.chain("P", 258);
        m.next(257, 256);
        QVERIFY(!compile(m.chart));
        QCOMPARE(io.boxes.size(), size_t(1));
        QCOMPARE(io.boxes[0].icon, int(MsgIcon::Error));
        QVERIFY(io.lastBoxText().contains(QStringLiteral("P256")));
        QVERIFY(io.lastBoxText().contains(QStringLiteral("256")));
        QVERIFY(compiler.MotionImage().empty());
    }

    void branchToStep255_fits_branchToStep256_isRefused_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("chainLength");
        QTest::addColumn<bool>("fits");
        // CMP C on step 0, its chain P0..P(n-1) with END, target T after it.
        QTest::newRow("base, step 255") << 0 << 253 << true;
        QTest::newRow("base, step 256") << 0 << 254 << false;
        QTest::newRow("offset 10, step 245") << 10 << 243 << true;
        QTest::newRow("offset 10, step 246") << 10 << 244 << false;
    }
    void branchToStep255_fits_branchToStep256_isRefused() {
        QFETCH(int, offset);
        QFETCH(int, chainLength);
        QFETCH(bool, fits);
        ChartMaker m;
        const int c = m.cmp("C", quint16(0x9B06 + offset));
        const int first = m.chain("P", chainLength);
        const int t = m.item("T");
        m.next(c, first);
        m.branch(c, t);
        QCOMPARE(compile(m.chart), fits);
        if (fits) {
            QCOMPARE(compiler.StepIndexOf(t), chainLength + 2);
            QCOMPARE(compiler.MotionImage()[0].words[0], quint16(0x9C05));
        } else {
            QCOMPARE(io.boxes.size(), size_t(1));
            QVERIFY(io.lastBoxText().contains(QStringLiteral("C to T")));
        }
    }

    void poseValuesOfBranchingItem_areNotRangeChecked() {
        ChartMaker m;
        const int a = m.item("A", KindPos, 100, 0);
        const int first = m.chain("P", 300);
        const int t = m.item("T");
        m.next(a, first);
        m.branch(a, t);
        QVERIFY(compile(m.chart));
        QCOMPARE(compiler.MotionImage()[0].words[0], quint16(302));
    }

    void walkChart_longBranchCascade_doesNotRecurse() {
        // Each CMP branches to the next, so every chain queues the next one.
        ChartMaker m;
        const int count = 100000;
        for (int i = 0; i < count; ++i)
            m.cmp(QStringLiteral("C%1").arg(i));
        for (int i = 0; i + 1 < count; ++i)
            m.branch(i, i + 1);
        m.branch(count - 1, 0);
        m.chart.startItem = 0;
        // The walk lays out all of them; the branch targets beyond step 255
        // are refused only after it, so the refusal proves the walk ended.
        QVERIFY(!compiler.CompileMotionChart(m.chart, io));
        QVERIFY(io.lastBoxText().startsWith(QStringLiteral("The branch of")));
    }

    void scenario_loopBack_listsEachItemOnce() {
        ChartMaker m;
        m.chart.documentKind = ScenarioChart;
        const int a = m.item("Walk", KindMot, 0);
        const int b = m.item("Turn", KindMot, 4);
        const int c = m.item("Bow", KindMot, 79);
        m.next(a, b);
        m.next(b, c);
        m.next(c, a);
        m.branch(b, a); // branch links play no part in a scenario
        QVERIFY(compiler.CompileScenarioChart(m.chart, io));
        QCOMPARE(compiler.StepCount(), 3);
        QCOMPARE(steps(), (std::vector<qint32>{a, b, c}));
        QCOMPARE(compiler.hexRows(),
                 (QStringList{QStringLiteral("M1 Walk"), QStringLiteral("M5 Turn"),
                              QStringLiteral("M80 Bow")}));
        QVERIFY(compiler.showsScenario());
        QVERIFY(io.boxes.empty());
    }

    void scenario_startsAtStartItem() {
        ChartMaker m;
        const int a = m.item("A", KindMot, 1);
        const int b = m.item("B", KindMot, 2);
        m.next(a, b);
        m.chart.startItem = b;
        QVERIFY(compiler.CompileScenarioChart(m.chart, io));
        QCOMPARE(compiler.hexRows(), QStringList{QStringLiteral("M3 B")});
    }

    void scenario_faultyItem_failsAtOnceAndEmptiesView() {
        ChartMaker m;
        const int a = m.item("A", KindMot, 0);
        QVERIFY(compiler.CompileScenarioChart(m.chart, io));
        QCOMPARE(compiler.hexRows().size(), 1);

        const int b = m.cmp("B");
        const int c = m.item("C", KindMot, 2);
        const int d = m.item("D", KindMot, 3);
        m.next(a, b);
        m.next(b, c);
        m.next(c, d);
        m.next(c, a);
        QVERIFY(!compiler.CompileScenarioChart(m.chart, io));
        // Only the first fault is reported; C's two links are never looked at.
        QCOMPARE(io.boxes.size(), size_t(1));
        QCOMPARE(io.lastBoxText(), QStringLiteral("There is no branch destination ofB"));
        QVERIFY(compiler.hexRows().isEmpty());
        QCOMPARE(steps(), (std::vector<qint32>{a}));
    }
};

QVX_TEST_CLASS(CompilerTest)
#include "CompilerTest.moc"
