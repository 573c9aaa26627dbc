#include "ChartMaker.h"
#include "common/CliRun.h"
#include "common/RecordingServices.h"
#include "common/TestRegistry.h"
#include "compiler/Compiler.h"
#include "document/DocumentFile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace qvx;
using qvxtest::ChartMaker;
using qvxtest::RecordingServices;

// Runs the qvx tool on saved documents.
class CompilerCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    RecordingServices io;

    QString save(const QString& name, Chart& chart) {
        MotionHeader header;
        DocumentContext ctx{chart, header, io};
        const QString path = dir.filePath(name);
        if (!DocumentFile::SaveDocument(ctx, path, false)) return QString();
        return path;
    }

    struct Run {
        int status;
        QStringList out;
        QString err;
    };
    static Run qvx(const QStringList& args) {
        const qvxtest::CliRun r = qvxtest::runQvx(args);
        QStringList lines = r.out.split(u'\n');
        if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        return {r.code, lines, r.err};
    }

  private slots:
    void compile_printsListingLines_hex_printsHexRows() {
        ChartMaker m;
        const int a = m.item("立つ", KindPos, 90, 7000);
        const int c = m.cmp("C");
        const int e = m.item("E");
        m.next(a, c);
        m.next(c, a);
        m.branch(c, e);
        const QString path = save("motion.qmx", m.chart);
        QVERIFY(!path.isEmpty());
        Compiler expected;
        QVERIFY(expected.CompileMotionChart(m.chart, io));

        const Run listing = qvx({QStringLiteral("compile"), path});
        QCOMPARE(listing.status, 0);
        QCOMPARE(listing.out, expected.listingLines());
        const Run hex = qvx({QStringLiteral("hex"), path});
        QCOMPARE(hex.status, 0);
        QCOMPARE(hex.out, expected.hexRows());
    }

    void compile_faultyChart_exitsOneWithMessage() {
        ChartMaker m;
        const int a = m.item("A");
        const int c = m.cmp("Check");
        m.next(a, c);
        const QString path = save("faulty.qmx", m.chart);
        const Run r = qvx({QStringLiteral("compile"), path});
        QCOMPARE(r.status, 1);
        QVERIFY(r.out.isEmpty());
        QVERIFY(r.err.contains(QStringLiteral("There is no branch destination ofCheck")));
    }

    void compile_scenario_printsMotionList() {
        ChartMaker m;
        m.chart.documentKind = ScenarioChart;
        const int a = m.item("Walk", KindMot, 0);
        const int b = m.item("Bow", KindMot, 11);
        m.next(a, b);
        m.next(b, a);
        const QString path = save("scenario.qmx", m.chart);
        const Run r = qvx({QStringLiteral("compile"), path});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, (QStringList{QStringLiteral("M1 Walk"), QStringLiteral("M12 Bow")}));
    }

    void compile_withoutFile_isUsageError() {
        QCOMPARE(qvx({QStringLiteral("compile")}).status, 2);
        QCOMPARE(qvx({QStringLiteral("hex"), QStringLiteral("a"), QStringLiteral("b")}).status, 2);
    }
};

QVX_TEST_CLASS(CompilerCommandsTest)
#include "CompilerCommandsTest.moc"
