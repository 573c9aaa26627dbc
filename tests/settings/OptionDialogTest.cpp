#include "app/AppState.h"
#include "common/RecordingServices.h"
#include "common/SimBoard.h"
#include "common/TestRegistry.h"
#include "common/WhenShown.h"
#include "settings/OptionsDialog.h"
#include "settings/UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

using namespace qvx;

namespace {

using Cmd = QmxBoard::Command;
using Fault = BoardSimulator::Fault;

QByteArray frame(Cmd c, std::initializer_list<int> params) {
    return BoardCommands::Frame(c, params);
}
QByteArray optionWrite(bool stored, quint16 w) {
    return frame(Cmd::WriteOptionWord, {stored ? 0x03 : 0x01, w >> 8, w & 0xFF});
}
const QByteArray kReadStoredOption = frame(Cmd::ReadOptionWord, {0x02});

// The options dialog with what the main window hands it, talking to the
// simulated board through a pseudo-terminal as the program does on the SIM port.
struct OptionRig : qvxtest::SimBoard {
    qvxtest::RecordingServices services;
    AppState state;
    std::unique_ptr<OptionsDialog> dlg;

    explicit OptionRig(const std::function<void(BoardSimulator&)>& prepare = {}) {
        state.link.setServices(&services);
        // The link's own time-outs: no case here waits for a silent board, and
        // a busy machine may answer later than a test's short ones allow.
        if (host) {
            if (prepare) host->withSimulator(prepare);
            state.link.OpenCommPort(BoardLink::kSimPortIndex, host->devicePath());
        }
        dlg = std::make_unique<OptionsDialog>(state.board, state.table);
        services.clear();
    }
    bool ready() const { return host && state.link.isOpen(); }
    BoardSimulator::Stored stored() {
        return sim([](BoardSimulator& s) { return s.stored(); });
    }
    quint16 working() {
        return sim([](BoardSimulator& s) { return s.working().option; });
    }
    // Loads the controls and shows the dialog without its modal loop.
    bool load() {
        const bool ok = dlg->ReadAll();
        dlg->show();
        takeFrames();
        return ok;
    }
};

void setBoard(BoardSimulator& s, quint16 option, quint8 button, quint8 powerOn, quint8 alarm,
              quint16 raw, const QByteArray& svp) {
    s.stored().option = s.working().option = option;
    s.stored().buttonStart = button;
    s.stored().powerOnStart = powerOn;
    s.stored().alarmMotion = alarm;
    s.stored().alarmVoltage = raw;
    s.stored().svpChannels = svp;
}

QString checked(OptionsDialog& d) {
    QString s;
    for (auto [box, mark] : {std::pair{d.Check1, '1'}, {d.Check5, '5'}, {d.Check7, '7'}})
        if (box->isChecked()) s += QLatin1Char(mark);
    return s;
}

quint32 svpBoxes(OptionsDialog& d) {
    quint32 m = 0;
    for (int i = 0; i < 24; ++i)
        if (d.SVP_C[size_t(i)]->isChecked()) m |= 1u << i;
    return m;
}

// Selects a list entry as the user does when the list closes up.
void choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
}

} // namespace

// The options dialog driven as the user drives it against the simulated
// board: the bytes the board receives and what it keeps in its two copies.
class OptionDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void open_loadsEveryControl_data() {
        QTest::addColumn<quint16>("option");
        QTest::addColumn<QByteArray>("board"); // button, power-on, alarm motion
        QTest::addColumn<int>("raw");
        QTest::addColumn<QString>("checks");
        QTest::addColumn<QList<int>>("lists");
        QTest::addColumn<QString>("volts");
        QTest::addRow("0x2008: the lists stay OFF whatever the bytes")
            << quint16(0x2008) << QByteArray("\x03\x04\x05") << 391 << "17" << QList<int>{0, 0, 0}
            << "06.0V";
        QTest::addRow("enabled entries, the last scenario")
            << quint16(0x1E00) << QByteArray("\x00\x54\x4F", 3) << 977 << "5"
            << QList<int>{1, 85, 80} << "15.0V";
        QTest::addRow("bytes past the table show OFF, a raw 0 the lowest voltage")
            << quint16(0x1C00) << QByteArray("\x55\xFF\xC8") << 0 << "" << QList<int>{0, 0, 0}
            << "05.5V";
    }
    void open_loadsEveryControl() {
        QFETCH(quint16, option);
        QFETCH(QByteArray, board);
        QFETCH(int, raw);
        OptionRig r([&](BoardSimulator& s) {
            setBoard(s, option, quint8(board[0]), quint8(board[1]), quint8(board[2]), quint16(raw),
                     QByteArray("\x00\x01\x80", 3));
        });
        QVERIFY(r.ready());
        OptionsDialog& d = *r.dlg;
        QStringList names;
        for (int n = 1; n <= 24; ++n)
            names << QStringLiteral("Joint %1").arg(n);
        d.SetChannelLabels(names, {QColor(Qt::black), QColor(Qt::yellow)});

        // What the dialog shows once it is open, taken inside its modal loop.
        QString checks, volts, choice1, label1, label9;
        QList<int> lists;
        quint32 svp = 0;
        int choices = 0;
        QColor text1, text2;
        qvxtest::whenShown(&d, [&] {
            checks = checked(d);
            lists = {d.BtnList->currentIndex(), d.StartList->currentIndex(),
                     d.AlarmList->currentIndex()};
            volts = d.AlmVoltEdit->text();
            svp = svpBoxes(d);
            choices = d.AlarmList->count();
            choice1 = d.BtnList->itemText(1);
            label1 = d.SVP_C[0]->text();
            label9 = d.SVP_C[8]->text();
            text1 = d.SVP_C[0]->palette().color(QPalette::WindowText);
            text2 = d.SVP_C[1]->palette().color(QPalette::WindowText);
        });
        QVERIFY(d.RunFromMainWindow());
        QTEST(checks, "checks");
        QTEST(lists, "lists");
        QTEST(volts, "volts");
        QCOMPARE(svp, 0x800100u);
        QCOMPARE(choices, 86);
        QCOMPARE(d.BtnList->itemText(0), QStringLiteral("OFF"));
        QCOMPARE(choice1, QStringLiteral("M1  --/-- --:--"));
        QCOMPARE(label1, names[0]);
        QCOMPARE(label9, names[8]);
        QCOMPARE(text1, QColor(Qt::white));
        QCOMPARE(text2, QColor(Qt::black));

        // Sleep, the four reads of the stored settings, wake up.
        const QList<QByteArray> frames = r.takeFrames();
        QByteArray commands;
        for (const QByteArray& f : frames)
            commands += f[0];
        QCOMPARE(commands, QByteArray("\xF1\xFC\xFD\xF2\xFD\xF1\xEE\xEB\xDC\xF1\xF2"));
        QCOMPARE(
            frames.mid(5, 4),
            (QList<QByteArray>{kReadStoredOption, frame(Cmd::ReadStartMotions, {}),
                               frame(Cmd::ReadAlarmSetting, {}), frame(Cmd::ReadSvpChannels, {})}));
        QCOMPARE(r.working() & BoardCommands::kOptSleep, 0);
    }

    void failedLoad_showsNothing_data() {
        QTest::addColumn<int>("skip");
        QTest::addColumn<quint8>("last");
        // SetSleep(0) answers five times, then the four reads, then SetSleep(1).
        QTest::addRow("option word") << 5 << quint8(Cmd::ReadOptionWord);
        QTest::addRow("start motions") << 6 << quint8(Cmd::ReadStartMotions);
        QTest::addRow("alarm setting") << 7 << quint8(Cmd::ReadAlarmSetting);
        QTest::addRow("SVP channels") << 8 << quint8(Cmd::ReadSvpChannels);
        QTest::addRow("waking up") << 9 << quint8(Cmd::ReadOptionWord);
    }
    // Nothing is shown; the status line names the cause and that the robot,
    // asleep for the load, is left asleep.
    void failedLoad_showsNothing() {
        QFETCH(int, skip);
        QFETCH(quint8, last);
        OptionRig r([&](BoardSimulator& s) { s.injectFault(Fault::BadChecksum, 1, skip); });
        QVERIFY(r.ready());
        bool shown = false;
        qvxtest::whenShown(r.dlg.get(), [&] { shown = true; });
        QVERIFY(!r.dlg->RunFromMainWindow());
        QVERIFY(!shown);
        const QList<QByteArray> frames = r.takeFrames();
        QCOMPARE(frames.size(), skip + 1);
        QCOMPARE(quint8(frames.last()[0]), last);
        QCOMPARE(r.services.statuses.last(),
                 OptionFlows::OpenFailedText() +
                     QStringLiteral(": the board's answer had a wrong checksum. ") +
                     BoardCommands::LeftAsleepText());
        QVERIFY(r.working() & BoardCommands::kOptSleep);
    }

    void checkBox_writesStoredThenWorking_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<quint16>("before");
        QTest::addColumn<quint16>("after");
        // Bits 4 to 8 always go; bits 0 to 2, 14 and 15 stay as stored.
        QTest::addRow("Check1 on") << "Check1" << quint16(0xC1F7) << quint16(0xE007);
        QTest::addRow("Check5 on") << "Check5" << quint16(0x0000) << quint16(0x0200);
        QTest::addRow("Check7 off") << "Check7" << quint16(0x2008) << quint16(0x2000);
    }
    void checkBox_writesStoredThenWorking() {
        QFETCH(QString, box);
        QFETCH(quint16, before);
        QFETCH(quint16, after);
        OptionRig r([&](BoardSimulator& s) { setBoard(s, before, 0, 0, 0, 391, {3, '\0'}); });
        QVERIFY(r.ready());
        QVERIFY(r.load());
        r.dlg->findChild<QCheckBox*>(box)->click();
        QCOMPARE(r.takeFrames(), (QList<QByteArray>{kReadStoredOption, optionWrite(true, after),
                                                    optionWrite(false, after)}));
        QCOMPARE(r.stored().option, after);
        QCOMPARE(r.working(), after);
    }

    void startList_writesItsByteAndBit_OffKeepsTheByte_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<quint16>("bit");
        QTest::addRow("BtnList") << "BtnList" << BoardCommands::kOptButtonStart;
        QTest::addRow("StartList") << "StartList" << BoardCommands::kOptPowerOnStart;
    }
    void startList_writesItsByteAndBit_OffKeepsTheByte() {
        QFETCH(QString, list);
        QFETCH(quint16, bit);
        OptionRig r([&](BoardSimulator& s) { setBoard(s, 0x0001, 7, 9, 0, 391, {3, '\0'}); });
        QVERIFY(r.ready());
        QVERIFY(r.load());
        const bool button = list == QLatin1String("BtnList");
        auto* box = r.dlg->findChild<QComboBox*>(list);
        QTest::keyClick(box, Qt::Key_Down); // the first motion, table entry 0
        const quint16 on = 0x0001 | bit;
        const QByteArray bytes = button ? QByteArray("\x00\x09", 2) : QByteArray("\x07\x00", 2);
        QCOMPARE(r.takeFrames(),
                 (QList<QByteArray>{
                     frame(Cmd::ReadStartMotions, {}), kReadStoredOption, optionWrite(true, on),
                     optionWrite(false, on),
                     frame(Cmd::WriteStartMotions, {0x01, quint8(bytes[0]), quint8(bytes[1])})}));
        QTest::keyClick(box, Qt::Key_Up); // back to OFF
        QCOMPARE(box->currentIndex(), 0);
        const BoardSimulator::Stored st = r.stored();
        QCOMPARE(st.option, quint16(0x0001));
        QCOMPARE(QByteArray(1, char(st.buttonStart)) + char(st.powerOnStart), bytes);
    }

    void alarm_listAndUpDown_writeMotionAndRawVoltage() {
        OptionRig r([&](BoardSimulator& s) { setBoard(s, 0, 0, 0, 5, 391, {3, '\0'}); });
        QVERIFY(r.ready());
        QVERIFY(r.load());
        OptionsDialog& d = *r.dlg;
        QCOMPARE(d.AlmVoltBtn->position(), 60);
        const auto alarmWrite = [](int motion, int raw) {
            return frame(Cmd::WriteAlarmSetting, {0x01, motion, raw >> 8, raw & 0xFF});
        };
        choose(d.AlarmList, 3);
        const quint16 on = BoardCommands::kOptAlarm;
        QCOMPARE(
            r.takeFrames(),
            (QList<QByteArray>{kReadStoredOption, optionWrite(true, on), optionWrite(false, on),
                               frame(Cmd::ReadAlarmSetting, {}), alarmWrite(2, 391)}));

        // An arrow shows each step; letting go writes it.
        QTest::mousePress(d.AlmVoltBtn->upButton(), Qt::LeftButton);
        QCOMPARE(d.AlmVoltEdit->text(), QStringLiteral("06.1V"));
        QCOMPARE(r.takeFrames(), QList<QByteArray>{});
        QTest::mouseRelease(d.AlmVoltBtn->upButton(), Qt::LeftButton);
        QCOMPARE(r.takeFrames().last(), alarmWrite(2, 397));
        QTest::mouseClick(d.AlmVoltBtn->downButton(), Qt::LeftButton);
        QCOMPARE(r.takeFrames().last(), alarmWrite(2, 0x0187));

        // OFF keeps the board's motion byte; the top of the range is raw 977.
        choose(d.AlarmList, 0);
        r.sim([](BoardSimulator& s) { s.stored().alarmVoltage = 977; });
        QVERIFY(r.load());
        QCOMPARE(d.AlmVoltEdit->text(), QStringLiteral("15.0V"));
        QTest::mouseClick(d.AlmVoltBtn->upButton(), Qt::LeftButton);
        QCOMPARE(d.AlmVoltBtn->position(), 150);
        QCOMPARE(r.takeFrames().last(), alarmWrite(2, 977));
        QCOMPARE(r.stored().option & BoardCommands::kOptAlarm, 0);
    }

    void svpBoxes_CH9andCH24_send00_01_80() {
        OptionRig r([&](BoardSimulator& s) { setBoard(s, 0, 0, 0, 0, 391, {3, '\0'}); });
        QVERIFY(r.ready());
        QVERIFY(r.load());
        r.dlg->SVP_C[8]->click();
        r.dlg->SVP_C[23]->click();
        QCOMPARE(r.takeFrames(),
                 (QList<QByteArray>{frame(Cmd::WriteSvpChannels, {0x01, 0x00, 0x01, 0x00}),
                                    frame(Cmd::WriteSvpChannels, {0x01, 0x00, 0x01, 0x80})}));
        QCOMPARE(r.stored().svpChannels, QByteArray("\x00\x01\x80", 3));
    }

    void clickWhileAnAnswerIsAwaited_isRefusedAndGoesBack() {
        OptionRig r([&](BoardSimulator& s) { setBoard(s, 0, 0, 0, 0, 391, {3, '\0'}); });
        QVERIFY(r.ready());
        QVERIFY(r.load());
        OptionsDialog& d = *r.dlg;
        r.sim([](BoardSimulator& s) {
            s.setFaultDelayMs(80);
            s.injectFault(Fault::Delay);
        });
        QTimer::singleShot(20, &d, [&] { d.Check5->click(); });
        d.Check1->click();
        QVERIFY(!d.Check5->isChecked());
        QVERIFY(r.services.statuses.contains(BoardLink::BusyText()));
        QCOMPARE(r.takeFrames().size(), 3);
        QCOMPARE(r.stored().option, BoardCommands::kOptTransmitter);
    }

    void voltage_everyPositionSurvivesWriteAndRead() {
        for (int t = OptionFlows::kVoltMin; t <= OptionFlows::kVoltMax; ++t)
            QCOMPARE(OptionFlows::RawToVolts(OptionFlows::VoltsToRaw(t)), t);
        // An exact half of raw x 0.1539 goes to the even neighbour.
        QCOMPARE(OptionFlows::RawToVolts(15000), 2308);
    }
};

QVX_TEST_CLASS(OptionDialogTest)
#include "OptionDialogTest.moc"
