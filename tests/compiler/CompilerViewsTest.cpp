#include "compiler/CompilerViews.h"
#include "ChartMaker.h"
#include "common/RecordingServices.h"
#include "common/TestRegistry.h"
#include "compiler/Compiler.h"

#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

using namespace qvx;
using qvxtest::ChartMaker;
using qvxtest::RecordingServices;

class CompilerViewsTest : public QObject {
    Q_OBJECT

    RecordingServices io;

    static QStringList rowTexts(const QTreeWidgetItem* row) {
        QStringList texts;
        for (int col = 0; col < row->columnCount(); ++col)
            texts << row->text(col);
        return texts;
    }
    static QStringList listTexts(const QListWidget& list) {
        QStringList texts;
        for (int i = 0; i < list.count(); ++i)
            texts << list.item(i)->text();
        return texts;
    }

  private slots:
    void motionCompile_fillsStepTableAndHexView() {
        ChartMaker m;
        const int a = m.item("A");
        const int b = m.item("B");
        m.next(a, b);
        m.next(b, a);
        Compiler compiler;
        QVERIFY(compiler.CompileMotionChart(m.chart, io));

        QTreeWidget List;
        List.setColumnCount(5);
        List.addTopLevelItem(new QTreeWidgetItem(QStringList{QStringLiteral("stale")}));
        QListWidget Qmx;
        Qmx.addItem(QStringLiteral("stale"));
        CompilerViews::FillStepList(List, compiler);
        CompilerViews::FillHexView(Qmx, compiler);

        QCOMPARE(List.topLevelItemCount(), 3);
        for (int n = 0; n < 3; ++n)
            QCOMPARE(rowTexts(List.topLevelItem(n)), compiler.stepRows()[n]);
        QCOMPARE(List.topLevelItem(2)->text(3), QStringLiteral("A(0)"));
        QCOMPARE(listTexts(Qmx), compiler.hexRows());
        QCOMPARE(Qmx.count(), 3);
    }

    void scenarioCompile_showsMotionListAndKeepsStepTable() {
        ChartMaker motion;
        motion.item("Pose");
        ChartMaker scenario;
        const int w = scenario.item("Walk", KindMot, 2);
        const int t = scenario.item("Turn", KindMot, 9);
        scenario.next(w, t);

        Compiler compiler;
        QVERIFY(compiler.CompileMotionChart(motion.chart, io));
        QVERIFY(compiler.CompileScenarioChart(scenario.chart, io));
        QTreeWidget List;
        List.setColumnCount(5);
        QListWidget Qmx;
        CompilerViews::FillStepList(List, compiler);
        CompilerViews::FillHexView(Qmx, compiler);
        QCOMPARE(listTexts(Qmx),
                 (QStringList{QStringLiteral("M3 Walk"), QStringLiteral("M10 Turn")}));
        QCOMPARE(List.topLevelItemCount(), 2); // the motion's PRM and END steps
        QCOMPARE(List.topLevelItem(0)->text(1), QStringLiteral("Pose"));
    }
};

QVX_TEST_CLASS(CompilerViewsTest)
#include "CompilerViewsTest.moc"
