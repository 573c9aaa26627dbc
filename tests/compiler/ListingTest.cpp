#include "ChartMaker.h"
#include "common/RecordingServices.h"
#include "common/TestRegistry.h"
#include "compiler/Compiler.h"
#include "compiler/HexText.h"
#include "base/CommaList.h"

#include <QTest>

using namespace qvx;
using qvxtest::ChartMaker;
using qvxtest::RecordingServices;

namespace {
QString repeat(const QString& s, int n) {
    QString out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}
} // namespace

class ListingTest : public QObject {
    Q_OBJECT

    RecordingServices io;

  private slots:
    void loopExample_givesTwoPosesAndJumpToStepZero() {
        ChartMaker m;
        const int a = m.item("A", KindPos, 100, 0);
        const int b = m.item("B", KindPos, 0x32, 0x1234);
        m.next(a, b);
        m.next(b, a);
        Compiler c;
        QVERIFY(c.CompileMotionChart(m.chart, io));
        const QString hexA = QStringLiteral("64") + repeat(QStringLiteral("0000"), 24);
        const QString hexB = QStringLiteral("32") + repeat(QStringLiteral("1234"), 24);
        const QStringList lines{
            QStringLiteral("\"A\",PRM,") + hexA,
            QStringLiteral("\"B\",PRM,") + hexB,
            QStringLiteral(",JMP,\"A(0)\",\"; Aにジャンプ\""),
        };
        QCOMPARE(c.listingLines(), lines);
        QCOMPARE(c.listingText(), lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        QCOMPARE(c.stepRows(),
                 (QList<QStringList>{
                     {QStringLiteral("0"), QStringLiteral("A"), QStringLiteral("PRM"), hexA},
                     {QStringLiteral("1"), QStringLiteral("B"), QStringLiteral("PRM"), hexB},
                     {QStringLiteral("2"), QString(), QStringLiteral("JMP"), QStringLiteral("A(0)"),
                      QStringLiteral("; Aにジャンプ")},
                 }));
        QCOMPARE(c.hexRows(), (QStringList{
                                  QStringLiteral("001 64") + repeat(QStringLiteral(" 0000"), 24),
                                  QStringLiteral("002 32") + repeat(QStringLiteral(" 1234"), 24),
                                  QStringLiteral("003 01") + repeat(QStringLiteral(" 8107"), 24),
                              }));
        QCOMPARE(c.MotionImage()[2].toBytes(),
                 QByteArray(1, '\x01') + QByteArray("\x81\x07").repeated(24));
    }

    void singleItem_listsPoseAndEnd() {
        ChartMaker m;
        m.item("Stand", KindPos, 0xFF, 0xFFFF);
        Compiler c;
        QVERIFY(c.CompileMotionChart(m.chart, io));
        QCOMPARE(c.listingLines(), (QStringList{QStringLiteral("\"Stand\",PRM,FF") +
                                                    repeat(QStringLiteral("FFFF"), 24),
                                                QStringLiteral(",END,,\"; 終了\"")}));
        QCOMPARE(c.stepRows().last(),
                 (QStringList{QStringLiteral("1"), QString(), QStringLiteral("END"), QString(),
                              QStringLiteral("; 終了")}));
        // The end record: lead byte 1 and 48 bytes 0xFF.
        QCOMPARE(c.MotionImage()[1].toBytes(), QByteArray(1, '\x01') + QByteArray(48, '\xFF'));
        QCOMPARE(c.hexRows().last(),
                 QStringLiteral("002 01") + repeat(QStringLiteral(" FFFF"), 24));
    }

    void branchStep_listsTargetAndComment() {
        ChartMaker m;
        const int c = m.cmp("Loop?");
        const int d = m.item("Done");
        const int e = m.item("Again");
        m.next(c, d);
        m.branch(c, e);
        Compiler compiler;
        QVERIFY(compiler.CompileMotionChart(m.chart, io));
        QCOMPARE(compiler.listingLines()[0],
                 QStringLiteral("\"Loop?\",CPJ,\"Again\",\"; Againへ条件分岐\""));
        QCOMPARE(compiler.stepRows()[0],
                 (QStringList{QStringLiteral("0"), QStringLiteral("Loop?"), QStringLiteral("CPJ"),
                              QStringLiteral("Again"), QStringLiteral("; Againへ条件分岐")}));
        QCOMPARE(compiler.hexRows()[0],
                 QStringLiteral("001 01") + repeat(QStringLiteral(" 830A"), 24));
    }

    void stepRows_matchListingLinesReadAsCommaText() {
        ChartMaker m;
        const int a = m.item("Arm up, left");
        const int c = m.cmp("If button");
        const int b = m.item("Bow down");
        m.next(a, c);
        m.next(c, a);
        m.branch(c, b);
        Compiler compiler;
        QVERIFY(compiler.CompileMotionChart(m.chart, io));
        QCOMPARE(compiler.stepRows().size(), compiler.listingLines().size());
        for (int n = 0; n < compiler.stepRows().size(); ++n) {
            const QStringList fields = CommaList::split(compiler.listingLines()[n]);
            QCOMPARE(compiler.stepRows()[n], QStringList{QString::number(n)} + fields);
        }
    }

    void textsAskedForLater_areThoseOfTheCompile() {
        // Pose, branch, jump and end steps, so every kind of line is formatted.
        auto build = [](ChartMaker& m) {
            const int a = m.item("A", KindPos, 0x20, 0x0123);
            const int b = m.cmp("B");
            const int c = m.item("C", KindPos, 0x40, 0x0456);
            const int d = m.item("D", KindPos, 0x50, 0x0789);
            m.next(a, b);
            m.next(b, c);
            m.branch(b, d);
            m.next(d, a);
        };
        ChartMaker first;
        build(first);
        Compiler reference;
        QVERIFY(reference.CompileMotionChart(first.chart, io));
        const QStringList lines = reference.listingLines();
        const QList<QStringList> rows = reference.stepRows();
        const QStringList hex = reference.hexRows();
        const QString text = reference.listingText();
        QCOMPARE(lines.size(), 6);

        ChartMaker m;
        build(m);
        Compiler c;
        QVERIFY(c.CompileMotionChart(m.chart, io));
        // Nothing asked for yet; the chart, the image and the steps change.
        for (Item& it : m.chart.items) {
            it.name += QStringLiteral("x");
            it.values.fill(0x0AAA);
            it.lead = 7;
        }
        m.chart.links.clear();
        c.SetMotionImage(std::vector<MotionRecord>(2));
        c.SetSteps({0}, {-1});
        const Compiler copy = c;
        QCOMPARE(c.listingLines(), lines);
        QCOMPARE(c.stepRows(), rows);
        QCOMPARE(c.hexRows(), hex);
        QCOMPARE(c.listingText(), text);
        QCOMPARE(copy.hexRows(), hex);
        QCOMPARE(copy.stepRows(), rows);
    }

    void failedCompile_keepsTextsNotYetAskedFor() {
        ChartMaker m;
        const int a = m.item("A", KindPos, 0x11, 0x2222);
        const int b = m.item("B");
        m.next(a, b);
        Compiler c;
        QVERIFY(c.CompileMotionChart(m.chart, io));
        const int bad = m.cmp("C");
        m.next(b, bad);
        m.chart.startItem = bad; // a CMP item without a branch
        QVERIFY(!c.CompileMotionChart(m.chart, io));
        QCOMPARE(c.listingLines(),
                 (QStringList{QStringLiteral("\"A\",PRM,11") + repeat(QStringLiteral("2222"), 24),
                              QStringLiteral("\"B\",PRM,64") + repeat(QStringLiteral("0000"), 24),
                              QStringLiteral(",END,,\"; 終了\"")}));
        QCOMPARE(c.hexRows().size(), 3);
        QCOMPARE(c.hexRows()[0], QStringLiteral("001 11") + repeat(QStringLiteral(" 2222"), 24));
    }

    void scenarioCompile_replacesHexRowsAndKeepsListing() {
        ChartMaker m;
        const int a = m.item("A", KindPos, 0x11, 0x2222);
        const int b = m.item("B");
        m.next(a, b);
        Compiler reference;
        QVERIFY(reference.CompileMotionChart(m.chart, io));
        const QStringList lines = reference.listingLines();
        Compiler c;
        QVERIFY(c.CompileMotionChart(m.chart, io));
        QVERIFY(c.CompileScenarioChart(m.chart, io));
        QCOMPARE(c.hexRows(), (QStringList{QStringLiteral("M18 A"), QStringLiteral("M101 B")}));
        QCOMPARE(c.listingLines(), lines);
        // A motion compile after the scenario one shows hex rows again.
        QVERIFY(c.CompileMotionChart(m.chart, io));
        QCOMPARE(c.hexRows(), reference.hexRows());
    }

    void formatItemHex_isUpperCaseAndZeroPadded() {
        Item it;
        it.lead = 0x0A;
        it.values[0] = 0xABCD;
        it.values[23] = 0x0F00;
        const QString hex = HexText::FormatItemHex(it);
        QCOMPARE(hex.size(), 98);
        QCOMPARE(hex, QStringLiteral("0AABCD") + repeat(QStringLiteral("0000"), 22) +
                          QStringLiteral("0F00"));
    }

    void hexRow_numberWidensBeyondThreeDigits() {
        MotionRecord r;
        r.lead = 0xC8;
        r.words[1] = 0x00FF;
        QCOMPARE(HexText::HexRow(999, r),
                 QStringLiteral("1000 C8 0000 00FF") + repeat(QStringLiteral(" 0000"), 22));
        QCOMPARE(HexText::HexRow(8, r).left(7), QStringLiteral("009 C8 "));
    }
};

QVX_TEST_CLASS(ListingTest)
#include "ListingTest.moc"
