#include "FlowFixture.h"
#include "common/TestRegistry.h"
#include "compiler/MotionTransfer.h"
#include "board/WordClasses.h"

#include <QTest>

using namespace qvx;

// Charts rebuilt from motion images, without a board.
class RebuildTest : public QObject {
    Q_OBJECT

    struct Rig {
        qvxtest::RecordingServices services;
        AppState state;
        MotionTransfer transfer{state.compiler, state.header, state.board, services};

        void image(const std::vector<MotionRecord>& records) {
            state.compiler.SetMotionImage(records);
        }
        Chart& rebuild() {
            state.chart.ClearChart();
            transfer.RebuildChart(state.chart);
            return state.chart;
        }
    };

    static MotionRecord filled(quint16 w, quint8 lead = 1) {
        MotionRecord r;
        r.lead = lead;
        r.words.fill(w);
        return r;
    }

  private slots:
    void classify_followsTheWordClasses() {
        QCOMPARE(MotionTransfer::ClassifyRecord(filled(1500)), int(RecordPos));
        QCOMPARE(MotionTransfer::ClassifyRecord(filled(0x8207)), int(RecordSet));
        QCOMPARE(MotionTransfer::ClassifyRecord(filled(0x8307 + 4)), int(RecordCmp));
        QCOMPARE(MotionTransfer::ClassifyRecord(filled(0x8107 + 2)), int(RecordJmp));
        QCOMPARE(MotionTransfer::ClassifyRecord(filled(0xFFFF)), int(RecordEnd));
        // A CMP word beside a SET word: a pose.
        MotionRecord mixed = filled(0x8307);
        mixed.words[5] = 0x8207;
        QCOMPARE(MotionTransfer::ClassifyRecord(mixed), int(RecordPos));
        // SET codes with pose words around them: the kind of word 23 decides.
        MotionRecord set = filled(0);
        set.words[2] = 0x8207;
        QCOMPARE(MotionTransfer::ClassifyRecord(set), int(RecordPos));
        set.words[23] = 0x8006;
        QCOMPARE(MotionTransfer::ClassifyRecord(set), int(RecordSet));
        // One word of an unassigned range spoils the record.
        MotionRecord odd = filled(1500);
        odd.words[0] = 0x8500;
        QCOMPARE(MotionTransfer::ClassifyRecord(odd), int(RecordNone));
    }

    void cmpAtStepSeven_givesBasesAndBranchLink() {
        Rig rig;
        std::vector<MotionRecord> img;
        MotionRecord cmp = filled(0x8307 + 7);
        cmp.words[3] = 0x8C06 + 7; // another CMP class, same target
        img.push_back(cmp);
        for (int i = 1; i <= 7; ++i)
            img.push_back(filled(quint16(100 * i), quint8(i)));
        img.push_back(filled(0xFFFF));
        rig.image(img);
        const Chart& c = rig.rebuild();
        QCOMPARE(c.itemCount(), 8);
        QCOMPARE(c.items[0].kind, quint8(KindCmp));
        QCOMPARE(c.items[0].values[0], quint16(0x8307));
        QCOMPARE(c.items[0].values[3], quint16(0x8C06));
        const int branch = c.FindLink(0, 7);
        QVERIFY(branch >= 0);
        QCOMPARE(c.links[size_t(branch)].kind, quint8(BranchLink));
        QCOMPARE(c.links[size_t(c.FindLink(0, 1))].kind, quint8(MainLink));
        // The last pose leads to END: no link from it.
        QCOMPARE(c.FindLink(7, 0), -1);
        QCOMPARE(c.linkCount(), 8);
    }

    void linkIntoJump_endsAtTheJumpTarget_selfJumpGivesNoLink() {
        Rig rig;
        // 0 POS, 1 JMP -> 3, 2 JMP -> 2 (itself), 3 POS, 4 JMP -> 2
        rig.image(
            {filled(10), filled(0x8107 + 3), filled(0x8107 + 2), filled(20), filled(0x8107 + 2)});
        const Chart& c = rig.rebuild();
        QCOMPARE(c.itemCount(), 2);
        QVERIFY(c.FindLink(0, 1) >= 0);
        QCOMPARE(c.linkCount(), 1);
        QCOMPARE(rig.transfer.ResolveStep(2), -1);
        QCOMPARE(rig.transfer.ResolveStep(1), 1);
    }

    void unassignedRecord_makesNoItemAndNoLink() {
        Rig rig;
        MotionRecord odd = filled(1500);
        odd.words[12] = 0xF000;
        rig.image({filled(10), odd, filled(20), filled(0xFFFF)});
        const Chart& c = rig.rebuild();
        QCOMPARE(c.itemCount(), 2);
        // POS 0 leads into the spoilt record, POS 2 into END: no links at all.
        QCOMPARE(c.linkCount(), 0);
        QCOMPARE(c.items[1].values[0], quint16(20));
    }

    void layout_wrapsColumnsAtTheCanvasHeight() {
        Rig rig;
        rig.transfer.setCanvasHeight(201);
        std::vector<MotionRecord> img(7, filled(1000));
        img.push_back(filled(0xFFFF));
        rig.image(img);
        const Chart& c = rig.rebuild();
        QList<QPoint> at;
        for (const Item& it : c.items)
            at << QPoint(it.left, it.top);
        QCOMPARE(at,
                 (QList<QPoint>{{5, 5}, {5, 45}, {5, 85}, {5, 125}, {5, 165}, {75, 5}, {75, 45}}));
        QCOMPARE(c.startItem, 0);
    }

    // The links of a long motion are added in one go, not each after a walk
    // over all the links made before it.
    void longMotion_linksAddedInOnePass() {
        Rig rig;
        std::vector<MotionRecord> img;
        for (int i = 0; i < 400; ++i)
            img.push_back(filled(1500));
        img.push_back(filled(0xFFFF));
        rig.image(img);
        rig.state.chart.visits = 0;
        const Chart& c = rig.rebuild();
        QCOMPARE(c.itemCount(), 400);
        QCOMPARE(c.linkCount(), 399);
        QCOMPARE(c.links[398].origin, 398);
        QCOMPARE(c.links[398].final, 399);
        QVERIFY2(c.visits <= quint64(c.itemCount() + c.linkCount()),
                 qPrintable(QString::number(c.visits)));
    }
};

QVX_TEST_CLASS(RebuildTest)
#include "RebuildTest.moc"
