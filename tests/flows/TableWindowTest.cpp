#include "FlowFixture.h"
#include "board/MotionDataDialog.h"
#include "board/MotionTableWindow.h"
#include "common/CallbackGuard.h"
#include "common/TestRegistry.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

using namespace qvx;

// The motion table window and the data dialog driven as a user would, against
// the in-memory simulated board.
class TableWindowTest : public QObject {
    Q_OBJECT

    struct Rig {
        FlowFixture fx;
        MotionDataDialog data{fx.state->board, fx.state->table, fx.state->header};
        MotionTableWindow table{fx.state->table, fx.state->board, fx.state->header, data};

        QByteArray entry(int count, const QByteArray& name, int ctrl, quint32 port) {
            QByteArray e = MotionTable::EmptyEntry();
            e[0] = char(count);
            e[1] = char(port & 0xFF), e[2] = char(port >> 8 & 0xFF), e[3] = char(port >> 16);
            e[4] = 3, e[5] = 7, e[6] = 9, e[7] = 5;
            e[8] = char(ctrl >> 8), e[9] = char(ctrl & 0xFF);
            e.replace(10, name.size(), name);
            return e;
        }
        QStringList row(int r) const {
            QStringList t;
            for (int c = 0; c < 5; ++c)
                t << table.ListView->topLevelItem(r)->text(c);
            return t;
        }
        // Runs f on the data dialog once it is shown modally, then presses a
        // button. Polls without blocking: the board exchanges before the
        // dialog run their own event loops.
        void whenDialogShows(std::function<void()> f, QPushButton* press) {
            auto* poll = new QTimer(&data);
            poll->setInterval(5);
            QObject::connect(poll, &QTimer::timeout, &data,
                             qvxtest::checked([this, f, press, poll] {
                                 if (!data.isVisible()) return;
                                 poll->stop();
                                 poll->deleteLater();
                                 f();
                                 QTest::mouseClick(press, Qt::LeftButton);
                             }));
            poll->start();
        }
    };

  private slots:
    void readButton_showsWhatTheBoardHolds() {
        Rig rig;
        rig.fx.memorySim.stored().table[1] = rig.entry(12, "Walk", 300, 0xFFFFFF);
        rig.fx.memorySim.stored().table[83] =
            rig.entry(2, QByteArray("0123456789ABCDEFGHIJKLMNOPQRSTUV"), 7, 0);
        rig.fx.memorySim.stored().table[4] = rig.entry(1, QByteArray("Short\0tail", 10), 1, 0);
        rig.table.show();
        QCOMPARE(rig.table.ListView->topLevelItemCount(), 85);
        // Before the read the rows do not pass for empty slots.
        QCOMPARE(rig.row(1), (QStringList{"M2", "(not read)", "", "", ""}));
        QTest::mouseClick(rig.table.MotReadBtn, Qt::LeftButton);
        QCOMPARE(rig.row(1), (QStringList{"M2", "Walk", "12", "3/7 09:05", "300"}));
        QCOMPARE(rig.row(83),
                 (QStringList{"S4", "0123456789ABCDEFGHIJKLMNOPQRSTUV", "2", "3/7 09:05", "7"}));
        QCOMPARE(rig.row(4).value(1), QStringLiteral("Short"));
        QCOMPARE(rig.fx.memorySim.working().option & BoardCommands::kOptSleep, 0);
        // The picker lists follow the rows.
        QVERIFY(rig.fx.state->table.MotionList().startsWith(
            "\"M1  --/-- --:--\",\"M2 Walk 3/7 09:05\","));
        QCOMPARE(rig.fx.state->table.ScenarioList().count(u','), 4);
    }

    void failedTableRead_keepsRowsReadSoFarAndTheRobotAsleep() {
        Rig rig;
        rig.fx.memorySim.stored().table[0] = rig.entry(3, "First", 1, 0);
        rig.fx.memorySim.stored().table[50] = rig.entry(3, "Late", 1, 0);
        // Sleep takes five answers, then entries 0..9 are read before the silence.
        rig.fx.memorySim.injectFault(BoardSimulator::Fault::NoAnswer, 1000, 15);
        QTest::mouseClick(rig.table.MotReadBtn, Qt::LeftButton);
        QCOMPARE(rig.row(0).value(1), QStringLiteral("First"));
        QCOMPARE(rig.row(9).value(1), QString());
        QCOMPARE(rig.row(50).value(1), QStringLiteral("(not read)"));
        QVERIFY(rig.fx.memorySim.working().option & BoardCommands::kOptSleep);
    }

    void doubleClickOnScenarioRow_loadsEntryWithPortsDisabled() {
        Rig rig;
        rig.fx.memorySim.stored().table[81] = rig.entry(4, "Dance", 1234, 0xFFFFFF);
        rig.table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.table));
        QTreeWidgetItem* s2 = rig.table.ListView->topLevelItem(81);
        rig.table.ListView->setCurrentItem(s2);
        QStringList seen;
        bool portsEnabled = true;
        int ticked = 0;
        rig.whenDialogShows(
            [&] {
                seen << rig.data.MotName->text() << rig.data.CntEdit->text();
                portsEnabled = rig.data.PE[0]->isEnabled();
                for (QCheckBox* b : rig.data.PE)
                    ticked += b->isChecked();
            },
            rig.data.Button2);
        rig.table.ListView->scrollToItem(s2);
        // A double-click on an item view needs the press on the same row first.
        const QPoint at = rig.table.ListView->visualItemRect(s2).center();
        QTest::mousePress(rig.table.ListView->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(rig.table.ListView->viewport(), Qt::LeftButton, {}, at);
        QTRY_COMPARE(seen.size(), 2);
        QTRY_VERIFY(!rig.data.isVisible());
        QCOMPARE(seen, (QStringList{"Dance", "1234"}));
        QVERIFY(!portsEnabled);
        QCOMPARE(ticked, 0);
        QCOMPARE(rig.row(81).value(1), QStringLiteral("Dance"));
    }

    void editRowWithOk_cleansNameAndWritesPortsAndControl() {
        Rig rig;
        rig.fx.memorySim.stored().table[2] = rig.entry(5, "Old", 10, 0x000001);
        rig.whenDialogShows(
            [&] {
                QCOMPARE(rig.data.PE[0]->checkState(), Qt::Checked);
                QVERIFY(rig.data.PE[0]->isEnabled());
                rig.data.MotName->setText(QStringLiteral("a,b\"c"));
                rig.data.CntEdit->setText(QStringLiteral("4660"));
                rig.data.PE[23]->setChecked(true);
            },
            rig.data.Button1);
        QVERIFY(rig.table.EditRow(2));
        const QByteArray e = rig.fx.memorySim.stored().table[2];
        QCOMPARE(MotionTable::EntryName(e), QStringLiteral("a b c"));
        QCOMPARE(MotionTable::EntryControl(e), 4660);
        QCOMPARE(MotionTable::EntryPort(e), quint32(0x800001));
        QCOMPARE(MotionTable::EntryCount(e), 5);
        QCOMPARE(rig.row(2).value(1), QStringLiteral("a b c"));
    }

    void documentHeader_okKeepsControlOnBadNumber() {
        Rig rig;
        MotionHeader& h = rig.fx.state->header;
        h.MotionName = QStringLiteral("Mine");
        h.MotionCtrl = 77;
        h.MotionPort = 0x3;
        rig.whenDialogShows(
            [&] {
                rig.data.CntEdit->setText(QStringLiteral("abc"));
                rig.data.PE[1]->setChecked(false);
                rig.data.MotName->setText(QStringLiteral("New,one"));
            },
            rig.data.Button1);
        QVERIFY(rig.data.EditDocumentHeader(MotionChart));
        QCOMPARE(h.MotionName, QStringLiteral("New one"));
        QCOMPARE(h.MotionCtrl, quint32(77));
        QCOMPARE(h.MotionPort, quint32(0x1));
        // The data-dialog bit was set while it was open and is set again after.
        QVERIFY(rig.fx.memorySim.working().option & BoardCommands::kOptDataDialog);
    }

    void rowsDragAsItemModelDataFromListView() {
        Rig rig;
        QCOMPARE(rig.table.ListView->objectName(), QStringLiteral("ListView"));
        QVERIFY(rig.table.ListView->dragEnabled());
        QModelIndexList idx;
        for (int c = 0; c < 5; ++c)
            idx << rig.table.ListView->model()->index(6, c);
        std::unique_ptr<QMimeData> mime(rig.table.ListView->model()->mimeData(idx));
        QVERIFY(mime->hasFormat(QStringLiteral("application/x-qabstractitemmodeldatalist")));
    }
};

QVX_TEST_CLASS(TableWindowTest)
#include "TableWindowTest.moc"
