#include "board/MotionDataDialog.h"
#include "common/RandomEdits.h"
#include "common/TestRegistry.h"
#include "common/WhenShown.h"
#include "document/DocumentFile.h"
#include "editor/EditHistory.h"
#include "editor/ItemPropertiesDialog.h"
#include "items/CompareItemDialog.h"
#include "items/SetItemDialog.h"
#include "pose/ChannelTableDialog.h"
#include "pose/PoseWindowRig.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionSlider>

using namespace qvx;
using posetest::PoseWindowRig;

namespace {

QByteArray saved(PoseWindowRig& r) {
    DocumentContext ctx(r.state.chart, r.state.header, r.services);
    ctx.canvas = QSize(640, 480);
    return DocumentFile::DocumentBytes(ctx);
}

void settle() {
    // The commit that follows a release runs on the next turn of the loop.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// Drags the handle of a scroll bar by real mouse events, in several moves.
void dragBar(QScrollBar* bar, int dx) {
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    const QRect handle =
        bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, bar);
    QPoint p = handle.center();
    QTest::mousePress(bar, Qt::LeftButton, {}, p);
    for (int k = 1; k <= 4; ++k) {
        p.rx() += dx / 4;
        QMouseEvent e(QEvent::MouseMove, QPointF(p), bar->mapToGlobal(QPointF(p)), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &e);
    }
    QTest::mouseRelease(bar, Qt::LeftButton, {}, p);
}

} // namespace

// Undo and redo in the editor: every kind of edit, made as the user makes it,
// is one step that undo takes back to the saved bytes of before and redo
// forward to those of after.
class UndoTest : public QObject {
    Q_OBJECT

    // Runs `act`, then checks: exactly one new step (named `hint` when given),
    // Ctrl+Z gives the document of before, the redo button that of after.
    static void oneStep(PoseWindowRig& r, const std::function<void()>& act,
                        const QString& hint = {}) {
        EditHistory& h = r.win->history();
        h.commit();
        const QByteArray before = saved(r);
        const int index = h.stack().index();
        act();
        settle();
        const QByteArray after = saved(r);
        QVERIFY2(before != after, "the action changed nothing");
        QCOMPARE(h.stack().index(), index + 1);
        if (!hint.isEmpty()) QCOMPARE(r.win->UndoBtn->toolTip(), QStringLiteral("Undo ") + hint);
        undoKey(r);
        QCOMPARE(saved(r), before);
        QVERIFY(r.win->RedoBtn->isEnabled());
        r.win->RedoBtn->click();
        QCOMPARE(saved(r), after);
    }

    // Ctrl+Z as the user presses it, with the main window active again (a
    // dialog may have had the focus).
    static void undoKey(PoseWindowRig& r) {
        r.win->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(r.win.get()));
        QTest::keyClick(r.win.get(), Qt::Key_Z, Qt::ControlModifier);
    }

    static void showWindow(PoseWindowRig& r) {
        r.win->show();
        QVERIFY(QTest::qWaitForWindowActive(r.win.get()));
    }

  private slots:
    void canvasEdits_eachOneStep() {
        PoseWindowRig r;
        showWindow(r);
        QWidget* canvas = r.win->Image1;
        oneStep(
            r,
            [&] {
                r.win->SetItem1Btn->click();
                editortest::click(canvas, QPoint(100, 100));
            },
            QStringLiteral("Add POS1"));
        oneStep(r, [&] {
            r.win->SetItem2Btn->click();
            editortest::click(canvas, QPoint(300, 200));
        });
        r.win->SelectBtn->click();
        const QPoint a = r.state.chart.ItemCentre(0), b = r.state.chart.ItemCentre(1);
        // A whole drag is one step, however many moves it made.
        oneStep(
            r,
            [&] {
                editortest::press(canvas, a);
                for (int k = 1; k <= 5; ++k)
                    editortest::move(canvas, a + QPoint(10 * k, 4 * k), Qt::LeftButton);
                editortest::release(canvas, a + QPoint(50, 20));
            },
            QStringLiteral("Move POS1"));
        const QPoint a2 = r.state.chart.ItemCentre(0);
        oneStep(
            r,
            [&] {
                r.win->Link1Btn->click();
                editortest::click(canvas, a2);
                editortest::click(canvas, b);
            },
            QStringLiteral("Draw link"));
        oneStep(
            r,
            [&] {
                r.win->SetStartBtn->click();
                editortest::click(canvas, b);
            },
            QStringLiteral("Start item"));
        r.win->SelectBtn->click();
        oneStep(r, [&] {
            editortest::click(canvas, a2);
            r.win->Image1->SetSelectedItemColour(2);
        });
        // Copy and paste by keys, then delete by key.
        oneStep(r, [&] {
            editortest::click(canvas, a2);
            QTest::keyClick(canvas, Qt::Key_C, Qt::ControlModifier);
            QTest::keyClick(canvas, Qt::Key_V, Qt::ControlModifier);
        });
        oneStep(
            r,
            [&] {
                editortest::click(canvas, b);
                QTest::keyClick(canvas, Qt::Key_Delete);
            },
            QStringLiteral("Delete SET1"));
    }

    void dialogEdits_eachOneStep() {
        PoseWindowRig r;
        showWindow(r);
        const int pos = r.addPos(posetest::words({16000, 17000}), 40, 20);
        r.state.chart.CreateItem(KindSet, 120, 20);
        r.state.chart.CreateItem(KindCmp, 220, 20);
        r.win->history().reset();

        // Names and sizes from the property dialog.
        ItemPropertiesDialog* prop = r.win->itemPropertiesDialog();
        oneStep(
            r,
            [&] {
                qvxtest::whenOpen(prop, [&] {
                    prop->NameEdit->setText(QStringLiteral("Wave"));
                    prop->Button1->click();
                });
                emit r.win->Image1->itemPropertyRequested(pos);
            },
            QStringLiteral("Properties of Wave"));

        // The data dialog's header fields; the page caption follows undo.
        MotionDataDialog* data = r.win->motionDataDialog();
        oneStep(
            r,
            [&] {
                qvxtest::whenOpen(data, [&] {
                    data->MotName->setText(QStringLiteral("Greeting"));
                    data->Button1->click();
                });
                r.win->EditDocumentData();
            },
            QStringLiteral("Data of the document"));
        QCOMPARE(r.win->PageControl1->tabText(0), QStringLiteral("EDIT Greeting"));
        undoKey(r);
        QCOMPARE(r.win->PageControl1->tabText(0), QString("EDIT ") + MotionHeader::defaultName());
        r.win->RedoBtn->click();

        // The SET and CMP dialogs, by clicks on their radio buttons.
        editortest::doubleClick(r.win->Image1, r.state.chart.ItemCentre(1));
        SetItemDialog* set = r.win->setItemDialog();
        QVERIFY(set->isVisible());
        oneStep(r, [&] { QTest::mouseClick(set->RadBtn2, Qt::LeftButton); });
        editortest::doubleClick(r.win->Image1, r.state.chart.ItemCentre(2));
        CompareItemDialog* cmp = r.win->compareItemDialog();
        oneStep(r, [&] { QTest::mouseClick(cmp->RadBtn[3], Qt::LeftButton); });

        // A conversion: one step across every converted item.
        r.state.chart.ClearSelection();
        r.state.chart.items[size_t(pos)].selected = true;
        ChannelTableDialog& t = *r.win->channelTableDialog();
        oneStep(
            r,
            [&] {
                qvxtest::whenOpen(&t, [&] {
                    t.Cmb[0]->setEditText(QStringLiteral("Change(2)"));
                    t.ListMenu->setEditText(QStringLiteral("Swap"));
                    t.OKBtnClick();
                });
                emit r.win->Image1->conversionRequested();
            },
            QStringLiteral("Conversion Swap"));
    }

    void poseBarDrag_isOneStep_andUndoMovesNoServo() {
        PoseWindowRig r;
        QVERIFY(r.ready());
        showWindow(r);
        const int pos = r.addPos(posetest::words({16000, 17000}), 40, 20);
        r.win->history().reset();
        r.setSync(true);
        r.open(pos);
        QScrollBar* bar = r.dlg().Scroll[0];
        QVERIFY(bar->isVisible());
        oneStep(
            r, [&] { dragBar(bar, 40); },
            QStringLiteral("Values of POS1 (the robot moves at the next send)"));
        QVERIFY(r.item(pos).values[0] != 16000);
        // With SYNC on the drag moved the servo. Those moves have no answer,
        // so the last of them may still be on its way to the board: wait
        // until the servo stands where the item says, then undoing must send
        // nothing.
        QTRY_COMPARE(r.servos()[0], r.item(pos).values[0]);
        r.clearFrames();
        undoKey(r);
        QCOMPARE(r.item(pos).values[0], quint16(16000));
        // The pose window shows the item as it is again (16000 is 384 below centre).
        QCOMPARE(r.dlg().Edit[0]->text(), QStringLiteral("-384"));
        // Nothing may reach the board meanwhile: a short quiet time proves it.
        QTest::qWait(100);
        QVERIFY2(r.commands().isEmpty(), qPrintable(QString::number(r.commands().size())));
    }

    // Ctrl+Z in a pose box after Enter takes back the committed value (the
    // box holds no typing of its own any more); before Enter it is the box's.
    void poseBoxCommitted_ctrlZInTheBox_undoesTheDocumentEdit() {
        PoseWindowRig r;
        showWindow(r);
        const int pos = r.addPos(posetest::words({16000, 17000}), 40, 20);
        r.win->history().reset();
        r.open(pos);
        PoseWindow& d = r.dlg();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QLineEdit* box = d.Edit[0];
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("100"));
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("-384")); // the box's own undo of the typing
        QTest::keyClicks(box, QStringLiteral("100"));
        QTest::keyClick(box, Qt::Key_Return);
        settle();
        QCOMPARE(r.item(pos).values[0], quint16(16484));
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        settle();
        QCOMPARE(r.item(pos).values[0], quint16(16000));
        QCOMPARE(box->text(), QStringLiteral("-384"));
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        settle();
        QCOMPARE(r.item(pos).values[0], quint16(16484));
    }

    void readFromTheBoard_undoBringsBackTheOpenChart() {
        PoseWindowRig r;
        QVERIFY(r.ready());
        showWindow(r);
        r.addPos(posetest::words({16000}), 40, 20);
        r.addPos(posetest::words({16500}), 40, 120);
        r.win->history().commit();
        // A motion on the board to read.
        r.sim([](BoardSimulator& s) {
            QByteArray e(42, '\0');
            e[0] = 2;
            e.replace(10, 5, "Board");
            s.stored().table[4] = e;
        });
        r.services.pickAnswers.push_back(4);
        oneStep(
            r, [&] { r.win->MotReadBtn->click(); }, QStringLiteral("Read from the board"));
        undoKey(r);
        QCOMPARE(r.state.chart.itemCount(), 2);
        QCOMPARE(r.item(1).values[0], quint16(16500));
    }

    void longRandomSequence_undoneEntirely_givesTheOriginal() {
        PoseWindowRig r;
        r.addPos(posetest::words({16000}), 40, 20);
        EditHistory& h = r.win->history();
        h.reset();
        const QByteArray original = saved(r);
        QRandomGenerator rng(77);
        for (int k = 0; k < 150; ++k) {
            qvxtest::randomEdit(r.state.chart, r.state.header, rng);
            h.commit();
        }
        const QByteArray last = saved(r);
        QVERIFY(last != original);
        while (h.undo()) {
        }
        QCOMPARE(saved(r), original);
        while (h.redo()) {
        }
        QCOMPARE(saved(r), last);
    }

    void history_clearedOnOpen_cleanAfterSave_limitedBySettings() {
        PoseWindowRig r([](const QTemporaryDir& dir) {
            QFile f(dir.filePath("QVX3J.ini"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[QVX3]\r\nUndoLimit=3\r\n");
        });
        showWindow(r);
        EditHistory& h = r.win->history();
        for (int k = 0; k < 5; ++k) {
            r.state.chart.CreateItem(KindPos, 10 + 60 * k, 10);
            h.commit();
        }
        int undone = 0;
        while (h.undo())
            ++undone;
        QCOMPARE(undone, 3);
        QCOMPARE(r.state.chart.itemCount(), 2);

        const QString path = r.dir.filePath("two.QMX");
        QVERIFY(r.win->SaveFile(path, true));
        QVERIFY(h.isClean());
        r.state.chart.items[0].left += 5;
        h.commit();
        QVERIFY(!h.isClean());
        QVERIFY(h.undo());
        QVERIFY(h.isClean());

        // Opening into the emptied chart starts anew; adding a document to
        // a chart that has items is a step of its own.
        r.state.chart.ClearChart();
        QVERIFY(r.win->OpenFile(path));
        QVERIFY(!h.stack().canUndo() && !h.stack().canRedo());
        QVERIFY(r.win->OpenFile(path));
        QCOMPARE(r.state.chart.itemCount(), 4);
        QCOMPARE(h.stack().undoText(), QStringLiteral("Add two.QMX"));
        QVERIFY(h.undo());
        QCOMPARE(r.state.chart.itemCount(), 2);
    }
};

QVX_TEST_CLASS(UndoTest)
#include "UndoTest.moc"
