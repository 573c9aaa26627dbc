#include "settings/AnalogDialog.h"
#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "board/MotionTable.h"
#include "common/RecordingServices.h"
#include "common/TestRegistry.h"
#include "common/WhenShown.h"
#include "sim/BoardSimulator.h"
#include "sim/SimTransport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>

using namespace qvx;
using Cmd = QmxBoard::Command;

namespace {

// The analog dialog on an in-memory simulated board.
struct AnalogRig {
    qvxtest::RecordingServices services;
    BoardSimulator sim;
    BoardLink link;
    BoardCommands board{link};
    MotionTable table;
    SimTransport* transport = nullptr;
    std::unique_ptr<AnalogDialog> dlg;

    AnalogRig() {
        link.setServices(&services);
        link.setTimeouts(40, 60);
        auto t = std::make_unique<SimTransport>(sim);
        transport = t.get();
        link.OpenTransport(1, std::move(t));
        dlg = std::make_unique<AnalogDialog>(board, table);
        sim.frames.clear();
    }
    QList<quint8> commands() const {
        QList<quint8> c;
        for (const QByteArray& f : sim.frames)
            c << quint8(f[0]);
        return c;
    }
    QList<QByteArray> framesOf(Cmd c) const {
        QList<QByteArray> out;
        for (const QByteArray& f : sim.frames)
            if (quint8(f[0]) == quint8(c)) out << f;
        return out;
    }
    // Shows input k (0..2) as a click on its tab does.
    void showInput(int k) { dlg->AdChannel->setCurrentIndex(k); }
};

quint8 cmd(Cmd c) {
    return quint8(c);
}

// Drags a bar through the given positions and lets it go.
void drag(QScrollBar* bar, std::initializer_list<int> positions) {
    bar->setSliderDown(true);
    for (int p : positions)
        bar->setValue(p);
    bar->setSliderDown(false);
}

// Closes a list up on the entry that starts with the text.
void choose(QComboBox* box, const QString& text) {
    const int i = box->findText(text, Qt::MatchStartsWith);
    QVERIFY(i >= 0);
    box->setCurrentIndex(i);
    emit box->activated(i);
}

} // namespace

// The analog input dialog against the simulated board: what it shows from the
// board's bytes and the bytes each control sends.
class AnalogDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void gainList_readsAndWritesMixingBytes_data() {
        QTest::addColumn<int>("boardByte");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("sentByte");
        QTest::newRow("mixing bit clear") << 0x45 << "OFF"
                                          << "x 63" << 0xBF;
        QTest::newRow("negative") << 0xC5 << "x -5"
                                  << "x -63" << 0xFF;
        QTest::newRow("positive") << 0x85 << "x 5"
                                  << "OFF" << 0x00;
    }
    void gainList_readsAndWritesMixingBytes() {
        QFETCH(int, boardByte);
        AnalogRig rig;
        QByteArray table(24, char(0x83));
        table[6] = char(boardByte);
        rig.sim.stored().mixing[1] = table;
        QVERIFY(rig.dlg->ReadAll());
        rig.showInput(1);
        QTEST(rig.dlg->ComboBox[6]->currentText(), "shown");
        QCOMPARE(rig.dlg->ComboBox[5]->currentText(), QStringLiteral("x 3"));

        QFETCH(QString, chosen);
        QFETCH(int, sentByte);
        rig.sim.frames.clear();
        choose(rig.dlg->ComboBox[6], chosen);
        // The whole table of the shown input goes to the working copy at once.
        table[6] = char(sentByte);
        QCOMPARE(rig.sim.frames,
                 QList<QByteArray>{BoardCommands::Frame(Cmd::WriteMixing, {0x01, 1}, table)});
        QCOMPARE(rig.sim.working().mixing[1], table);
    }

    void sensorRow_sendsOnlyWhenTheDragEnds_andKeepsTheEntryOfAnOffRow_data() {
        QTest::addColumn<int>("threshold");
        QTest::addColumn<QString>("motion");
        QTest::addColumn<int>("entryByte");
        QTest::addColumn<int>("word");
        QTest::newRow("negative with motion") << -1023 << "M3" << 2 << 0xC3FF;
        QTest::newRow("positive without motion") << 5 << "OFF" << 7 << 0x0005;
    }
    void sensorRow_sendsOnlyWhenTheDragEnds_andKeepsTheEntryOfAnOffRow() {
        QFETCH(int, threshold);
        QFETCH(QString, motion);
        AnalogRig rig;
        // AD2's second interrupt (slot 3): entry 7, enabled, threshold +200,
        // with ignored bits 10..13 set.
        QByteArray settings(18, '\0');
        settings[3] = 7;
        settings[6 + 6] = char(0x7C);
        settings[6 + 7] = char(200);
        rig.sim.stored().adSettings = rig.sim.working().adSettings = settings;
        QVERIFY(rig.dlg->ReadAll());
        rig.showInput(1);
        QCOMPARE(rig.dlg->Edit2->text(), QStringLiteral("200"));
        QCOMPARE(rig.dlg->MotList2->currentIndex(), 8);

        rig.sim.frames.clear();
        rig.dlg->SensScroll2->setSliderDown(true);
        rig.dlg->SensScroll2->setValue(threshold / 2);
        rig.dlg->SensScroll2->setValue(threshold);
        QCOMPARE(rig.dlg->Edit2->text(), QString::number(threshold));
        QVERIFY(rig.sim.frames.isEmpty());
        rig.dlg->SensScroll2->setSliderDown(false);
        QCOMPARE(rig.commands(),
                 (QList<quint8>{cmd(Cmd::ReadAdSettings), cmd(Cmd::WriteAdSettings)}));
        choose(rig.dlg->MotList2, motion == QLatin1String("OFF") ? motion : motion + u' ');
        QFETCH(int, entryByte);
        QFETCH(int, word);
        QByteArray expected = settings;
        expected[3] = char(entryByte);
        BigEndian::putWord(expected, 6 + 6, quint16(word));
        QCOMPARE(rig.framesOf(Cmd::WriteAdSettings).last(),
                 BoardCommands::Frame(Cmd::WriteAdSettings, {0x01}, expected));
    }

    void referenceBar_sendsEveryStep_andAutoReadsTheCalibratedReferences() {
        AnalogRig rig;
        rig.sim.setAdValues({468, 0, 0, 777});
        QVERIFY(rig.dlg->ReadAll());
        rig.showInput(2);
        drag(rig.dlg->ScrollBar1, {100, 101, 356});
        QCOMPARE(rig.framesOf(Cmd::SetAdLive),
                 (QList<QByteArray>{BoardCommands::Frame(Cmd::SetAdLive, {0, 2, 0x00, 0x64}),
                                    BoardCommands::Frame(Cmd::SetAdLive, {0, 2, 0x00, 0x65}),
                                    BoardCommands::Frame(Cmd::SetAdLive, {0, 2, 0x01, 0x64})}));
        QCOMPARE(rig.dlg->CalEdit->text(), QStringLiteral("356"));

        rig.sim.frames.clear();
        QTest::mouseClick(rig.dlg->AutoCalBtn, Qt::LeftButton);
        QCOMPARE(rig.sim.frames,
                 (QList<QByteArray>{BoardCommands::Frame(Cmd::SetAdLive, {0, 2, 0xFF, 0xFF}),
                                    BoardCommands::Frame(Cmd::ReadAdReference, {0x00})}));
        QCOMPARE(rig.dlg->settings().ref[2], 777);
        // Shown with the next report, with the measured value and the amount.
        rig.dlg->show();
        rig.transport->pushFromBoard(QByteArray::fromHex("FE033400000000003C00"));
        QTRY_COMPARE(rig.dlg->Edit3->text(), QStringLiteral("06.71V"));
        QCOMPARE(rig.dlg->Edit6->text(), QStringLiteral("0.32V"));
        QCOMPARE(rig.dlg->ScrollBar1->value(), 777);
        QCOMPARE(rig.dlg->AdcEdit->text(), QStringLiteral("60"));
        QCOMPARE(rig.dlg->RifEdit->text(), QStringLiteral("-717"));
    }

    void barStepWhileTheBoardIsBusy_isRefusedAndTheBarShowsTheReference() {
        AnalogRig rig;
        QVERIFY(rig.dlg->ReadAll());
        rig.sim.frames.clear();
        rig.sim.setFaultDelayMs(20);
        rig.sim.injectFault(BoardSimulator::Fault::Delay);
        QTimer::singleShot(5, rig.dlg.get(), [&] { rig.dlg->ScrollBar1->setValue(500); });
        choose(rig.dlg->ComboBox[0], QStringLiteral("x 1"));
        QCOMPARE(rig.commands(), QList<quint8>{cmd(Cmd::WriteMixing)});
        QCOMPARE(rig.dlg->ScrollBar1->value(), 0);
        QCOMPARE(rig.services.statuses.last(), BoardLink::BusyText());
    }

    void execute_setsBit8WhileOpen_thenClearsItAndSavesInOrder() {
        AnalogRig rig;
        rig.sim.working().option = 0x0201;
        quint16 whileOpen = 0;
        qvxtest::whenOpen(rig.dlg.get(), [&] {
            whileOpen = rig.sim.working().option;
            rig.dlg->close();
        });
        QVERIFY(rig.dlg->Execute());
        QCOMPARE(whileOpen, quint16(0x0301));
        QCOMPARE(rig.sim.working().option, quint16(0x0201));
        const QList<QByteArray> expected = {
            BoardCommands::Frame(Cmd::ReadAdReference, {0x02}),
            BoardCommands::Frame(Cmd::ReadMixing, {0x02, 0}),
            BoardCommands::Frame(Cmd::ReadMixing, {0x02, 1}),
            BoardCommands::Frame(Cmd::ReadMixing, {0x02, 2}),
            BoardCommands::Frame(Cmd::ReadAdSettings, {0x02}),
            BoardCommands::Frame(Cmd::ReadOptionWord, {0x00}),
            BoardCommands::Frame(Cmd::WriteOptionWord, {0x01, 0x03, 0x01}),
            BoardCommands::Frame(Cmd::ReadOptionWord, {0x00}),
            BoardCommands::Frame(Cmd::WriteOptionWord, {0x01, 0x02, 0x01}),
            BoardCommands::Frame(Cmd::WriteAdReference, {0x03}, QByteArray(6, '\0')),
            BoardCommands::Frame(Cmd::WriteMixing, {0x03, 0}, QByteArray(24, '\0')),
            BoardCommands::Frame(Cmd::WriteMixing, {0x03, 1}, QByteArray(24, '\0')),
            BoardCommands::Frame(Cmd::WriteMixing, {0x03, 2}, QByteArray(24, '\0')),
            BoardCommands::Frame(Cmd::ReadAdSettings, {0x00}),
            BoardCommands::Frame(Cmd::WriteAdSettings, {0x03}, QByteArray(18, '\0'))};
        QCOMPARE(rig.sim.frames, expected);
    }

    void failedClosing_namesTheCauseAndWhetherReportsStayOn_data() {
        QTest::addColumn<int>("skip");
        QTest::addColumn<int>("optionAfter");
        QTest::addColumn<QString>("status");
        const QString incomplete =
            QStringLiteral(": the board's answer was incomplete (0 of %1 bytes within 40 ms)");
        // Clearing the bit fails: the settings are still saved.
        QTest::newRow("clearing the bit")
            << 0 << 0x0301
            << AnalogFlows::ReportsOffFailedText() + incomplete.arg(3) + ". " +
                   AnalogFlows::StillReportingText();
        QTest::newRow("saving") << 2 << 0x0201 << AnalogFlows::SaveFailedText() + incomplete.arg(1);
    }
    void failedClosing_namesTheCauseAndWhetherReportsStayOn() {
        QFETCH(int, skip);
        AnalogRig rig;
        rig.services.clear();
        rig.sim.working().option = 0x0201;
        qvxtest::whenOpen(rig.dlg.get(), [&] {
            rig.sim.injectFault(BoardSimulator::Fault::NoAnswer, BoardLink::kDefaultAttempts, skip);
            rig.dlg->close();
        });
        QVERIFY(!rig.dlg->Execute());
        QCOMPARE(rig.services.statuses.size(), 1);
        QTEST(rig.services.statuses.value(0), "status");
        QTEST(int(rig.sim.working().option), "optionAfter");
        // Saving goes on after a failed clear, and stops at its first failure.
        QCOMPARE(rig.framesOf(Cmd::WriteAdSettings).size(), skip == 0 ? 1 : 0);
    }

    // Enter in a box of the dialog presses no button: AUTO is no default.
    void enterInABox_sendsNothing() {
        AnalogRig rig;
        rig.dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.dlg.get()));
        for (QLineEdit* box : {rig.dlg->CalEdit, rig.dlg->Edit1, rig.dlg->Edit3}) {
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Return);
        }
        QVERIFY(rig.dlg->isVisible());
        QCOMPARE(rig.sim.frames, QList<QByteArray>());
    }

    void failedLoading_showsNothingAndKeepsWhatWasHeld() {
        AnalogRig rig;
        rig.sim.stored().adReference = QByteArray::fromHex("000A000B000C");
        QVERIFY(rig.dlg->ReadAll());
        rig.sim.stored().adReference = QByteArray::fromHex("0100010101FF");
        rig.sim.injectFault(BoardSimulator::Fault::NoAnswer, 5, 2);
        rig.services.clear();
        rig.sim.frames.clear();
        QVERIFY(!rig.dlg->Execute());
        QVERIFY(!rig.dlg->isVisible());
        QVERIFY(rig.framesOf(Cmd::WriteOptionWord).isEmpty());
        QCOMPARE(rig.dlg->settings().ref, (std::array<int, 3>{10, 11, 12}));
        QCOMPARE(rig.services.statuses,
                 QStringList{AnalogFlows::ReadFailedText() +
                             ": the board's answer was incomplete (0 of 25 bytes within 40 ms)"});
    }
};

QVX_TEST_CLASS(AnalogDialogTest)
#include "AnalogDialogTest.moc"
