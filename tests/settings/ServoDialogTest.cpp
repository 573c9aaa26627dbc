#include "app/AppState.h"
#include "common/RecordingServices.h"
#include "common/SimBoard.h"
#include "common/TestRegistry.h"
#include "common/WhenShown.h"
#include "settings/ServoParameterDialog.h"
#include "settings/ServoSetupDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <functional>

using namespace qvx;

namespace {

using Cmd = QmxBoard::Command;
using Fault = BoardSimulator::Fault;

// A block: byte 0, stretch/speed 1, punch, dead band, damping, protection,
// byte 7, left and right limit, power free, stretch/speed 2 and 3.
QByteArray block(quint8 lead, quint8 byte7, quint16 left, quint16 right, quint8 free,
                 quint8 deadBand = 2) {
    QByteArray b("\x00\x04\x03\x0A\x02\x02\x07\x00\x00\x00\x00\x00\x00\x01\x02\x05\x01", 17);
    b[0] = char(lead);
    b[4] = char(deadBand);
    b[7] = char(byte7);
    BigEndian::putWord(b, 8, left);
    BigEndian::putWord(b, 10, right);
    b[12] = char(free);
    return b;
}
QByteArray writeFrame(int id, const QByteArray& b) {
    return BoardCommands::Frame(Cmd::WriteServoParams, {id}, b);
}

// The servo setup dialog against the simulated board behind a pseudo-terminal;
// CH3 and CH5 (servos 2 and 4) and CH1 are SVP channels.
struct ServoRig : qvxtest::SimBoard {
    qvxtest::RecordingServices services;
    AppState state;
    std::unique_ptr<ServoSetupDialog> dlg;

    explicit ServoRig(bool svpMode = true) {
        state.link.setServices(&services);
        state.link.setTimeouts(150, 200);
        if (!host) return;
        sim([svpMode](BoardSimulator& s) {
            s.stored().svpChannels = QByteArray("\x15\x00\x00", 3);
            if (svpMode) s.working().option |= BoardCommands::kOptSvp;
        });
        state.link.OpenCommPort(BoardLink::kSimPortIndex, host->devicePath());
        dlg = std::make_unique<ServoSetupDialog>(state.board);
        QVERIFY(dlg->flows().ReadAll());
        dlg->FillList();
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
        takeFrames();
        services.clear();
    }
    void setBlock(int id, const QByteArray& b) {
        sim([&](BoardSimulator& s) { s.stored().servoParams[size_t(id)] = b; });
    }
    QByteArray storedBlock(int id) {
        return sim([&](BoardSimulator& s) { return s.stored().servoParams[size_t(id)]; });
    }
    QByteArray commands() { return takeCommands(); }
    QStringList rowTexts(int row) {
        QStringList t;
        const QTreeWidgetItem* item = dlg->SVPList->topLevelItem(row);
        for (int c = 0; c < item->columnCount(); ++c) t << item->text(c);
        return t;
    }
    void select(int row) { dlg->SVPList->setCurrentItem(dlg->SVPList->topLevelItem(row)); }
    void doubleClick(int row) {
        select(row);
        const QRect r = dlg->SVPList->visualItemRect(dlg->SVPList->topLevelItem(row));
        // The view opens an item only when the press of the double click was on it.
        QTest::mousePress(dlg->SVPList->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(dlg->SVPList->viewport(), Qt::LeftButton, {}, r.center());
    }
};

} // namespace

class ServoDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void mainWindowFlow_setsBit14ThenClearsItOnClose() {
        ServoRig rig;
        QVERIFY(rig.host);
        rig.sim([](BoardSimulator& s) { s.stored().option = 0x0208; });
        bool shownWithKinds = false;
        qvxtest::whenShown(rig.dlg.get(), [&] {
            shownWithKinds =
                rig.sim([](BoardSimulator& s) { return s.stored().option; }) == 0x4208 &&
                rig.rowTexts(2) == QStringList({"3", "CH3", "SVP"}) &&
                rig.rowTexts(1) == QStringList({"2", "CH2", "PWM"});
        });
        rig.dlg->hide();
        QVERIFY(rig.dlg->RunFromMainWindow());
        QVERIFY(shownWithKinds);
        QVERIFY(rig.services.statuses.isEmpty());
        QCOMPARE(rig.commands(), QByteArray("\xDC\xF1\xF2\xF1\xF2"));
        QCOMPARE(rig.sim([](BoardSimulator& s) { return s.stored().option; }), quint16(0x0208));
        // The board keeps SVP mode until it is powered up again.
        rig.sim([](BoardSimulator& s) { s.stored().option |= 0x4000; s.powerOn(); });
        QVERIFY(rig.sim([](BoardSimulator& s) { return s.svpMode(); }));
    }

    void failedClose_saysTheBoardStillStartsInSvpMode() {
        ServoRig rig;
        QVERIFY(rig.host);
        qvxtest::whenShown(rig.dlg.get(), [&] {
            rig.sim([](BoardSimulator& s) {
                s.injectFault(Fault::NoAnswer, BoardLink::kDefaultAttempts);
            });
        });
        rig.dlg->hide();
        QVERIFY(!rig.dlg->RunFromMainWindow());
        QCOMPARE(rig.services.statuses,
                 QStringList{ServoFlows::ClearFailedText() +
                             ": the board's answer was incomplete (0 of 3 bytes within 150 ms). " +
                             ServoFlows::StillSvpText()});
        QVERIFY(rig.sim([](BoardSimulator& s) { return s.stored().option; }) &
                BoardCommands::kOptSvp);
    }

    void notInSvpMode_warnsAndReadsNoServo() {
        ServoRig rig(false);
        QVERIFY(rig.host);
        rig.dlg->SioReadBtn->click();
        rig.doubleClick(2);
        QCOMPARE(rig.commands(), QByteArray("\xF1\xF1"));
        QCOMPARE(rig.services.boxes.size(), size_t(2));
        const auto& box = rig.services.boxes.front();
        QCOMPARE(std::tuple(box.icon, box.buttons, box.language, box.text),
                 std::tuple(int(MsgIcon::Warning), int(MsgButtons::Ok), int(MsgLanguage::Japanese),
                            QStringLiteral("Put power supply again and change to SVP mode")));
        // Writing the working word cannot switch the mode on.
        QVERIFY(rig.state.board.WriteOptionWord(false, 0x4000));
        QVERIFY(!rig.sim([](BoardSimulator& s) { return s.svpMode(); }));
    }

    void readButton_asksEachSvpServoOnce_fillsTheColumns() {
        ServoRig rig;
        QVERIFY(rig.host);
        rig.setBlock(2, block(0, 0x81, 2000, 1000, 100));
        rig.setBlock(4, block(0, 0x00, 1650, 1305, 0));
        rig.sim([](BoardSimulator& s) { s.injectFault(Fault::NoAnswer, 1, 2); });
        rig.dlg->SioReadBtn->click();
        const QList<QByteArray> frames = rig.takeFrames();
        QCOMPARE(frames.size(), 4); // option word, then servos 0, 2 and 4 once each
        QCOMPARE(frames[2], BoardCommands::Frame(Cmd::ReadServoParams, {2}));
        QCOMPARE(rig.rowTexts(2), QStringList({"3", "CH3", "SVP"})); // no answer
        QCOMPARE(rig.rowTexts(4), QStringList({"5", "CH5", "SVP", "4", "3", "1", "2", "5", "1",
                                               "10", "2", "2", "OFF", "7", "0", "-5", "0", ""}));
    }

    void openAndClose_writesTheBlockBack_data() {
        QTest::addColumn<QByteArray>("board");
        QTest::addColumn<bool>("reverseOff");
        QTest::addColumn<QList<int>>("shown"); // LimitL, LimitR, PowFreeP, DeadBand, Reverse
        QTest::addColumn<QByteArray>("written");
        const QByteArray plain = block(0x5A, 0x81, 1700, 1300, 100);
        QTest::addRow("unchanged, limits at 0") << plain << false << QList<int>{0, 0, 1, 1, 1} << plain;
        QTest::addRow("limits at 60, slow power free")
            << block(0xFF, 0xFE, 2300, 700, 150) << false << QList<int>{60, 60, 2, 1, 0}
            << block(0xFF, 0xFE, 2300, 700, 150);
        QTest::addRow("reverse switched off keeps bits 1 to 7")
            << plain << true << QList<int>{0, 0, 1, 1, 1} << block(0x5A, 0x80, 1700, 1300, 100);
        QTest::addRow("out of range opens and goes back as first entry or nearer end")
            << block(1, 0, 1650, 1400, 0, 7) << false << QList<int>{0, 0, 0, 0, 0}
            << block(1, 0, 1700, 1300, 50, 1);
    }
    void openAndClose_writesTheBlockBack() {
        QFETCH(QByteArray, board);
        QFETCH(bool, reverseOff);
        ServoRig rig;
        QVERIFY(rig.host);
        rig.setBlock(2, board);
        QList<int> shown;
        QString caption, edit7;
        ServoParameterDialog* prm = rig.dlg->prm();
        qvxtest::whenShown(prm, [&] {
            shown = {prm->LimitL->value(), prm->LimitR->value(), prm->PowFreeP->currentIndex(),
                     prm->DeadBand->currentIndex(), prm->Reverse->currentIndex()};
            caption = prm->windowTitle();
            edit7 = prm->Edit7->text();
            if (reverseOff) prm->Reverse->setCurrentIndex(0);
        });
        rig.doubleClick(2);
        QTRY_VERIFY(!prm->isVisible());
        QTEST(shown, "shown");
        QCOMPARE(caption, QStringLiteral("3:CH3"));
        QCOMPARE(edit7, QString::number(shown.value(0)));
        QFETCH(QByteArray, written);
        const QList<QByteArray> frames = rig.takeFrames();
        QCOMPARE(frames.size(), 3);
        QCOMPARE(frames.last(), writeFrame(2, written));
        QCOMPARE(rig.storedBlock(2), written);
        QCOMPARE(rig.rowTexts(2).value(12), written[7] & 1 ? QStringLiteral("ON") : "OFF");
    }

    void doubleClickOnNonSvpRow_readsAndWritesNothing() {
        ServoRig rig;
        QVERIFY(rig.host);
        rig.doubleClick(1);
        QCOMPARE(rig.commands(), QByteArray("\xF1"));
        QVERIFY(!rig.dlg->prm()->isVisible());
    }

    void dropCh3OnCh5_writesCh3BlockUnderId4() {
        ServoRig rig;
        QVERIFY(rig.host);
        const QByteArray ch3 = block(0x11, 0x03, 1800, 1200, 150);
        rig.setBlock(2, ch3);
        rig.select(2);
        QVERIFY(rig.dlg->SVPListDragOver(4));
        QVERIFY(!rig.dlg->SVPListDragOver(3));
        QVERIFY(!rig.dlg->SVPListDragOver(24));
        rig.dlg->SVPListDragDrop(4);
        const QList<QByteArray> frames = rig.takeFrames();
        QCOMPARE(frames, QList<QByteArray>({BoardCommands::Frame(Cmd::ReadServoParams, {2}),
                                            writeFrame(4, ch3)}));
        QCOMPARE(rig.rowTexts(4).mid(15, 2), QStringList({"10", "10"}));
        rig.select(1);
        QVERIFY(!rig.dlg->SVPListDragOver(4));
    }

    void failedWrite_rowKeepsTheBlockAsRead() {
        ServoRig rig;
        QVERIFY(rig.host);
        const QByteArray onBoard = block(0, 0, 1700, 1300, 50);
        rig.setBlock(2, onBoard);
        rig.sim([](BoardSimulator& s) { s.injectFault(Fault::BadAck, 5, 2); });
        QVERIFY(!rig.dlg->flows().EditServo(2, [](ServoControls& c, const QString&) {
            c.limitL = 30;
        }));
        QCOMPARE(rig.dlg->flows().row(2).block, std::optional<QByteArray>(onBoard));
    }
};

QVX_TEST_CLASS(ServoDialogTest)
#include "ServoDialogTest.moc"
