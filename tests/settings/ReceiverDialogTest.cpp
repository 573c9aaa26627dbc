#include "settings/ReceiverDialog.h"
#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "board/MotionDataDialog.h"
#include "board/MotionTable.h"
#include "common/RecordingServices.h"
#include "common/TestRegistry.h"
#include "common/WhenShown.h"
#include "document/MotionHeader.h"
#include "sim/BoardSimulator.h"
#include "sim/SimTransport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace qvx;
using Cmd = QmxBoard::Command;

namespace {

// The receiver dialog on an in-memory simulated board.
struct ReceiverRig {
    qvxtest::RecordingServices services;
    BoardSimulator sim;
    BoardLink link;
    BoardCommands board{link};
    SimTransport* transport = nullptr;
    std::unique_ptr<ReceiverDialog> dlg;

    explicit ReceiverRig(const QByteArray& refs = QByteArray(4, '\0')) {
        link.setServices(&services);
        link.setTimeouts(40, 60);
        sim.stored().receiverReference = sim.working().receiverReference = refs;
        auto t = std::make_unique<SimTransport>(sim);
        transport = t.get();
        link.OpenTransport(1, std::move(t));
        dlg = std::make_unique<ReceiverDialog>(board);
        sim.frames.clear();
    }
    QList<QByteArray> framesOf(Cmd c) const {
        QList<QByteArray> out;
        for (const QByteArray& f : sim.frames)
            if (quint8(f[0]) == quint8(c)) out << f;
        return out;
    }
};

QByteArray frame(Cmd c, std::initializer_list<int> params, const QByteArray& data = {}) {
    return BoardCommands::Frame(c, params, data);
}

const QByteArray kRefs = QByteArray::fromHex("0A141E28"); // 10, 20, 30, 40

} // namespace

// The receiver input dialog against the simulated board: what it shows from
// the board's bytes and the bytes each control sends.
class ReceiverDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void autoOnPa3_writesFfInItsPlace_readsBack_andShowsWithTheNextReport() {
        ReceiverRig rig(kRefs);
        rig.sim.setReceiverValues({1, 2, 99, 4});
        QVERIFY(rig.dlg->ReadAll());
        rig.sim.frames.clear();
        QTest::mouseClick(rig.dlg->ACBtn[2], Qt::LeftButton);
        QCOMPARE(rig.sim.frames, (QList<QByteArray>{frame(Cmd::WriteReceiverReference, {0x01},
                                                          QByteArray::fromHex("0A14FF28")),
                                                    frame(Cmd::ReadReceiverReference, {0x00})}));
        QCOMPARE(rig.dlg->settings().ref, (std::array<int, 4>{10, 20, 99, 40}));
        QCOMPARE(rig.dlg->PCal[2]->text(), QStringLiteral("30"));
        rig.transport->pushFromBoard(QByteArray::fromHex("FD0000000102630400"));
        QTRY_COMPARE(rig.dlg->PCal[2]->text(), QStringLiteral("99"));
        QCOMPARE(rig.dlg->PScrBar[2]->value(), 99);
        QCOMPARE(rig.dlg->PRif[2]->text(), QStringLiteral("0"));
    }

    void report_showsMeasureAmountAndButtons_alsoInTheOpenDataDialog() {
        ReceiverRig rig(QByteArray::fromHex("40000000"));
        QVERIFY(rig.dlg->ReadAll());
        MotionTable table;
        MotionHeader header;
        MotionDataDialog data(rig.board, table, header);
        data.show();
        rig.transport->pushFromBoard(QByteArray::fromHex("FD00123405C8007F00"));
        QTRY_COMPARE(rig.dlg->BEdit->text(), QStringLiteral("4660"));
        QCOMPARE(rig.dlg->PAdc[0]->text(), QStringLiteral("5"));
        QCOMPARE(rig.dlg->PRif[0]->text(), QStringLiteral("-59"));
        QCOMPARE(rig.dlg->PAdc[1]->text(), QStringLiteral("200"));
        QCOMPARE(rig.dlg->PRif[3]->text(), QStringLiteral("127"));
        QCOMPARE(data.CntEdit->text(), QStringLiteral("4660"));
    }

    void referenceBar_showsEveryStep_butWritesOnlyWhenTheScrollEnds() {
        ReceiverRig rig(kRefs);
        QVERIFY(rig.dlg->ReadAll());
        rig.sim.frames.clear();
        QScrollBar* bar = rig.dlg->PScrBar[1];
        bar->setSliderDown(true);
        bar->setValue(3);
        bar->setValue(77);
        QCOMPARE(rig.dlg->PCal[1]->text(), QStringLiteral("77"));
        QVERIFY(rig.sim.frames.isEmpty());
        bar->setSliderDown(false);
        const QByteArray dragged = QByteArray::fromHex("0A4D1E28");
        QCOMPARE(rig.sim.frames,
                 QList<QByteArray>{frame(Cmd::WriteReceiverReference, {0x01}, dragged)});
        // A click on the track is a whole scroll: written at once.
        rig.sim.frames.clear();
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(rig.sim.frames.size(), 1);
        QCOMPARE(rig.sim.working().receiverReference[1], char(77 + bar->pageStep()));
    }

    void barStepWhileTheBoardIsBusy_isRefusedAndTheBarSnapsBack() {
        ReceiverRig rig(kRefs);
        QVERIFY(rig.dlg->ReadAll());
        rig.sim.setFaultDelayMs(20);
        rig.sim.injectFault(BoardSimulator::Fault::Delay);
        QTimer::singleShot(5, rig.dlg.get(), [&] { rig.dlg->PScrBar[0]->setValue(100); });
        QTest::mouseClick(rig.dlg->ACBtn[3], Qt::LeftButton);
        QCOMPARE(rig.dlg->PScrBar[0]->value(), 10);
        QCOMPARE(rig.dlg->PCal[0]->text(), QStringLiteral("10"));
        QCOMPARE(rig.services.statuses.last(), BoardLink::BusyText());
        QCOMPARE(rig.framesOf(Cmd::WriteReceiverReference).size(), 1);
    }

    void execute_setsBit2WhileOpen_savesThenClearsIt() {
        ReceiverRig rig(kRefs);
        rig.sim.working().option = 0x0201;
        quint16 whileOpen = 0;
        qvxtest::whenOpen(rig.dlg.get(), [&] {
            whileOpen = rig.sim.working().option;
            rig.dlg->PScrBar[3]->setValue(5);
            rig.dlg->close();
        });
        rig.services.clear();
        QVERIFY(rig.dlg->Execute());
        QCOMPARE(whileOpen, quint16(0x0205));
        QCOMPARE(rig.sim.working().option, quint16(0x0201));
        const QByteArray saved = QByteArray::fromHex("0A141E05");
        const QList<QByteArray> expected = {frame(Cmd::ReadOptionWord, {0x00}),
                                            frame(Cmd::WriteOptionWord, {0x01, 0x02, 0x05}),
                                            frame(Cmd::ReadReceiverReference, {0x02}),
                                            frame(Cmd::WriteReceiverReference, {0x01}, saved),
                                            frame(Cmd::WriteReceiverReference, {0x03}, saved),
                                            frame(Cmd::ReadOptionWord, {0x00}),
                                            frame(Cmd::WriteOptionWord, {0x01, 0x02, 0x01})};
        QCOMPARE(rig.sim.frames, expected);
        QCOMPARE(rig.sim.stored().receiverReference, saved);
        QVERIFY(rig.services.statuses.isEmpty());
    }

    void failedOpeningOrClosing_namesTheCauseAndWhetherReportsStayOn_data() {
        QTest::addColumn<bool>("whileOpen");
        QTest::addColumn<int>("skip");
        QTest::addColumn<int>("faults");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<int>("optionAfter");
        QTest::addColumn<QString>("status");
        const QString failed = ReceiverFlows::FailedText() +
                               ": the board's answer was incomplete (0 of %1 bytes within 40 ms)";
        const QString still = ". " + ReceiverFlows::StillReportingText();
        const int attempts = BoardLink::kDefaultAttempts;
        QTest::newRow("option bit") << false << 0 << attempts << false << 0x0200 << failed.arg(3);
        // The bit was set: it is cleared again, since no dialog shows the reports.
        QTest::newRow("references") << false << 2 << attempts << false << 0x0200 << failed.arg(5);
        QTest::newRow("references, bit not cleared")
            << false << 2 << 2 * attempts << false << 0x0204 << failed.arg(5) + still;
        QTest::newRow("saving") << true << 0 << attempts << true << 0x0204 << failed.arg(1) + still;
        QTest::newRow("clearing the bit")
            << true << 1 << attempts << true << 0x0204 << failed.arg(3) + still;
    }
    void failedOpeningOrClosing_namesTheCauseAndWhetherReportsStayOn() {
        QFETCH(bool, whileOpen);
        QFETCH(int, skip);
        QFETCH(int, faults);
        ReceiverRig rig(kRefs);
        rig.services.clear();
        rig.sim.working().option = 0x0200;
        const auto fail = [&] {
            rig.sim.injectFault(BoardSimulator::Fault::NoAnswer, faults, skip);
        };
        bool shown = false;
        qvxtest::whenOpen(rig.dlg.get(), [&] {
            shown = true;
            if (whileOpen) fail();
            rig.dlg->close();
        });
        if (!whileOpen) fail();
        QVERIFY(!rig.dlg->Execute());
        QTEST(shown, "shown");
        QCOMPARE(rig.services.statuses.size(), 1);
        QTEST(rig.services.statuses.value(0), "status");
        QTEST(int(rig.sim.working().option), "optionAfter");
    }

    // Enter in a box of the dialog presses no button: AUTO is no default.
    void enterInABox_sendsNothing() {
        ReceiverRig rig(kRefs);
        rig.dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.dlg.get()));
        for (QLineEdit* box : {rig.dlg->PCal[0], rig.dlg->PAdc[2], rig.dlg->BEdit}) {
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Return);
        }
        QVERIFY(rig.dlg->isVisible());
        QCOMPARE(rig.sim.frames, QList<QByteArray>());
    }
};

QVX_TEST_CLASS(ReceiverDialogTest)
#include "ReceiverDialogTest.moc"
