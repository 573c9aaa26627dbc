#include "app/AppState.h"
#include "board/BoardCommands.h"
#include "common/RecordingServices.h"
#include "common/SimBoard.h"
#include "common/TestRegistry.h"
#include "common/WhenShown.h"
#include "document/DocumentFile.h"
#include "document/IniFile.h"
#include "pose/PoseWindow.h"
#include "settings/TrimFile.h"
#include "settings/TrimWindow.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>
#include <QToolButton>
#include <functional>

using namespace qvx;

namespace {

using Cmd = QmxBoard::Command;
using Words = BigEndian::Words;

// Command bytes of sleeping (read the option word, release and restore the
// live pose, write the word) and of waking.
const QByteArray kSleep("\xF1\xFC\xFD\xF2\xFD");
const QByteArray kWake("\xF1\xF2");

QByteArray live(int channel, quint16 value) {
    return BoardCommands::Frame(Cmd::SetTrimLive, {0x00, channel, value >> 8, value & 0xFF});
}

Words neutralWith(std::initializer_list<std::pair<int, quint16>> set) {
    Words w;
    w.fill(16384);
    for (auto [ch, v] : set)
        w[size_t(ch - 1)] = v;
    return w;
}

// The trim window with what the main window hands it, against the simulated
// board behind a pseudo-terminal.
struct TrimRig : qvxtest::SimBoard {
    qvxtest::RecordingServices services;
    AppState state;
    std::unique_ptr<TrimWindow> dlg;

    explicit TrimRig(const Words& stored = neutralWith({})) {
        state.link.setServices(&services);
        state.link.setTimeouts(150, 200);
        if (host) {
            host->withSimulator([&](BoardSimulator& s) { s.stored().trim = stored; });
            state.link.OpenCommPort(BoardLink::kSimPortIndex, host->devicePath());
        }
        dlg = std::make_unique<TrimWindow>(state.board, services);
        services.clear();
    }
    bool ready() const { return host && state.link.isOpen(); }
    QByteArray commands() { return takeCommands(); }
    // Opens as the trim button does, without the modal loop.
    bool open() {
        const bool ok = dlg->flows().Open();
        dlg->ShowState();
        dlg->show();
        takeFrames();
        return ok;
    }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
};

void writeFile(const QString& path, int keys, int value = 16400) {
    IniFile ini(path);
    for (int n = 1; n <= keys; ++n)
        ini.writeInteger(QStringLiteral("TrimData"), TrimFile::Key(n), value + n);
    QVERIFY(ini.save());
}

} // namespace

// The trim window driven as the user drives it: the bytes the board receives
// and what it keeps in its stored and working copies.
class TrimDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void run_showsStoredTrimThenClosingWritesBackWhatNobodyChanged() {
        // Words outside the bar's range, down to 0, are shown whole and kept.
        const Words stored = neutralWith({{1, 16500}, {2, 16000}, {3, 0}});
        TrimRig r(stored);
        QVERIFY(r.ready());
        QString shown;
        qvxtest::whenShown(r.dlg.get(), [&] {
            for (size_t i : {0, 1, 2})
                shown += QStringLiteral("%1/%2 ")
                             .arg(r.dlg->Edit[i]->text())
                             .arg(r.dlg->Scroll[i]->value());
        });
        QVERIFY(r.dlg->RunFromMainWindow());
        QCOMPARE(shown, QStringLiteral("116/16500 -384/16039 -16384/16039 "));
        const QList<QByteArray> frames = r.takeFrames();
        QByteArray c;
        for (const QByteArray& f : frames)
            c += f[0];
        QCOMPARE(c, kSleep + "\xF9" + kWake + kSleep + "\xFA" + kWake);
        QCOMPARE(frames[5], BoardCommands::Frame(Cmd::ReadTrimData, {0x02}));
        QCOMPARE(frames[13],
                 BoardCommands::Frame(Cmd::WriteTrimData, {0x03}, BigEndian::fromWords(stored)));
        QCOMPARE(r.sim([](BoardSimulator& s) { return s.stored().trim; }), stored);
        QVERIFY(r.services.statuses.isEmpty());
    }

    void editBoxes_showTheWidestOffsetWhole() {
        TrimRig r(neutralWith({{7, 0}}));
        QVERIFY(r.ready() && r.open());
        QLineEdit* e = r.dlg->Edit[6];
        QCOMPARE(e->text(), QStringLiteral("-16384"));
        QStyleOptionFrame o;
        o.initFrom(e);
        o.lineWidth = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &o, e);
        // QLineEdit keeps 2 pixels free on either side of its text.
        const int room = e->style()->subElementRect(QStyle::SE_LineEditContents, &o, e).width() - 4;
        QVERIFY2(room >= e->fontMetrics().horizontalAdvance(e->text()),
                 qPrintable(QString::number(room)));
        const QRect bar = r.dlg->Scroll[6]->geometry();
        QVERIFY(bar.left() > e->geometry().right() && bar.right() < r.dlg->Panel[6]->width());
    }

    // Every way the trim window's opening and closing can fail: the cause is
    // named, the robot woken again when it can be, and said to be asleep when
    // it cannot.
    void failure_namesItsCauseAndWakesTheRobot_data() {
        QTest::addColumn<bool>("whileOpen");
        QTest::addColumn<int>("skip");
        QTest::addColumn<int>("faults");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("asleep");
        const QString incomplete =
            QStringLiteral(": the board's answer was incomplete (0 of %1 bytes within 150 ms)");
        const QString read = TrimFlows::ReadFailedText() + incomplete.arg(49);
        const QString write = TrimFlows::WriteFailedText() + incomplete.arg(1);
        const QString asleep = ". " + BoardCommands::LeftAsleepText();
        // The five answers of the sleep pass, then the read or write fails; five
        // more faults and the wake fails too.
        QTest::addRow("read, woken") << false << 5 << 5 << read << false;
        QTest::addRow("read, left asleep") << false << 5 << 10 << read + asleep << true;
        QTest::addRow("closing write, woken") << true << 5 << 5 << write << false;
        QTest::addRow("closing write, left asleep") << true << 5 << 10 << write + asleep << true;
        QTest::addRow("wake after the closing write")
            << true << 6 << 5 << BoardCommands::WakeFailedText() + incomplete.arg(3) + asleep
            << true;
    }
    void failure_namesItsCauseAndWakesTheRobot() {
        QFETCH(bool, whileOpen);
        QFETCH(int, skip);
        QFETCH(int, faults);
        QFETCH(bool, asleep);
        TrimRig r;
        QVERIFY(r.ready());
        const auto fail = [&] {
            r.sim([&](BoardSimulator& s) {
                s.injectFault(BoardSimulator::Fault::NoAnswer, faults, skip);
            });
        };
        bool shown = false;
        qvxtest::whenShown(r.dlg.get(), [&] {
            shown = true;
            fail();
        });
        if (!whileOpen) fail();
        QCOMPARE(r.dlg->RunFromMainWindow(), whileOpen);
        QCOMPARE(shown, whileOpen);
        QCOMPARE(r.services.statuses.size(), 1);
        QTEST(r.services.statuses.value(0), "status");
        const quint16 option = r.sim([](BoardSimulator& s) { return s.working().option; });
        QCOMPARE(bool(option & BoardCommands::kOptSleep), asleep);
        // The wake is tried after a failed read or write too.
        QVERIFY(r.commands().endsWith(asleep ? QByteArray("\xF1") : kWake));
    }

    void controls_sendTheTrimLive_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("typed"); // empty: one step of the bar
        QTest::addColumn<QString>("shows");
        QTest::addColumn<int>("sent");
        QTest::addRow("typing 400 stops at the top") << 1 << "400"
                                                     << "345" << 16729;
        QTest::addRow("typing -1000 stops at the bottom") << 24 << "-1000"
                                                          << "-345" << 16039;
        QTest::addRow("text that is no integer sends the shown offset") << 1 << "abc"
                                                                        << "116" << 16500;
        QTest::addRow("a huge number does not wrap") << 2 << "2147483647"
                                                     << "345" << 16729;
        QTest::addRow("bar step") << 1 << ""
                                  << "117" << 16501;
    }
    void controls_sendTheTrimLive() {
        QFETCH(int, channel);
        QFETCH(QString, typed);
        TrimRig r(neutralWith({{1, 16500}}));
        QVERIFY(r.ready() && r.open());
        const size_t i = size_t(channel - 1);
        if (typed.isEmpty()) {
            r.dlg->Scroll[i]->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        } else {
            r.dlg->Edit[i]->setText(typed);
            QTest::keyClick(r.dlg->Edit[i], Qt::Key_Return);
        }
        QFETCH(QString, shows);
        QFETCH(int, sent);
        QCOMPARE(r.dlg->Edit[i]->text(), shows);
        QCOMPARE(r.dlg->Scroll[i]->value(), sent);
        QTRY_COMPARE(r.sim([](BoardSimulator& s) { return s.frames; }),
                     QList<QByteArray>{live(channel - 1, quint16(sent))});
        QTRY_COMPARE(r.sim([&](BoardSimulator& s) { return s.working().trim[i]; }), quint16(sent));
    }

    void controls_whileBusyAreRefusedAndShowTheBoardsValue() {
        TrimRig r(neutralWith({{3, 16400}}));
        QVERIFY(r.ready() && r.open());
        {
            const auto other = r.state.link.beginFlow();
            QVERIFY(other);
            r.dlg->Scroll[2]->setValue(16700);
            r.dlg->Edit[2]->setText(QStringLiteral("50"));
            QTest::keyClick(r.dlg->Edit[2], Qt::Key_Return);
        }
        QCOMPARE(r.dlg->Scroll[2]->value(), 16400);
        QCOMPARE(r.dlg->Edit[2]->text(), QStringLiteral("16"));
        QVERIFY(r.services.statuses.contains(BoardLink::BusyText()));
        QVERIFY(r.takeFrames().isEmpty());
    }

    void load_data() {
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("base");
        QTest::addColumn<bool>("usable");
        QTest::addRow("all 24 keys") << 24 << 16400 << true;
        QTest::addRow("CH1..CH23 only") << 23 << 16400 << false;
        QTest::addRow("a value past the bar's range") << 24 << 16710 << false;
        QTest::addRow("CH1=65535") << 24 << 65534 << false;
        QTest::addRow("no section") << 0 << 16400 << false;
    }
    void load() {
        QFETCH(int, keys);
        QFETCH(int, base);
        QFETCH(bool, usable);
        TrimRig r(neutralWith({{1, 16500}}));
        QVERIFY(r.ready() && r.open());
        const QString file = r.path("trim.QMX");
        writeFile(file, keys, base);
        r.services.openAnswers.push_back(FileChoice{file, 0});
        QTest::mouseClick(r.dlg->OpenBtn, Qt::LeftButton);
        const Words before = r.sim([](BoardSimulator& s) { return s.working().trim; });
        if (!usable) {
            QCOMPARE(r.services.lastBoxText(), DocumentFile::CantUseText());
            QCOMPARE(r.services.boxes.back().icon, int(MsgIcon::Warning));
            QVERIFY(r.takeFrames().isEmpty());
            QCOMPARE(r.dlg->Edit[0]->text(), QStringLiteral("116"));
            return;
        }
        QVERIFY(r.services.boxes.empty());
        QCOMPARE(r.commands(), kSleep + "\xFA" + kWake);
        QCOMPARE(r.dlg->Edit[23]->text(), QStringLiteral("40"));
        QCOMPARE(r.dlg->Scroll[0]->value(), 16401);
        QCOMPARE(before[23], quint16(16424));
        QCOMPARE(r.sim([](BoardSimulator& s) { return s.stored().trim; }),
                 neutralWith({{1, 16500}}));
    }

    void load_thatTheBoardRefuses_keepsTheShownTrimAndSaysWhy() {
        TrimRig r(neutralWith({{1, 16500}}));
        QVERIFY(r.ready() && r.open());
        const QString file = r.path("trim.QMX");
        writeFile(file, 24);
        r.services.openAnswers.push_back(FileChoice{file, 0});
        // The sleep pass answers, the write of the working copy is refused.
        r.sim([](BoardSimulator& s) { s.injectFault(BoardSimulator::Fault::BadAck, 1, 5); });
        QTest::mouseClick(r.dlg->OpenBtn, Qt::LeftButton);
        QCOMPARE(r.services.statuses.value(0),
                 TrimFlows::LoadFailedText() +
                     ": the board answered 15 instead of the acknowledge byte");
        QCOMPARE(r.commands(), kSleep + "\xFA" + kWake);
        QCOMPARE(r.dlg->Edit[0]->text(), QStringLiteral("116"));
        QCOMPARE(r.dlg->flows().values(), neutralWith({{1, 16500}}));
    }

    void save_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addRow("first filter replaces the extension") << 0 << "t.txt"
                                                             << "t.QMX";
        QTest::addRow("first filter adds it") << 0 << "t"
                                              << "t.QMX";
        QTest::addRow("second filter keeps the name") << 1 << "t.txt"
                                                      << "t.txt";
    }
    void save() {
        QFETCH(int, filter);
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        TrimRig r(neutralWith({{1, 16500}, {24, 16100}}));
        QVERIFY(r.ready() && r.open());
        const QString target = r.dir.filePath(written);
        // An existing document in the place: its whole content goes.
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("[GraphicalEdit]\r\nItems=3\r\n[Item0]\r\nName=x\r\n");
        old.close();
        r.services.saveAnswers.push_back(FileChoice{r.dir.filePath(chosen), filter});
        QTest::mouseClick(r.dlg->SaveBtn, Qt::LeftButton);
        QVERIFY(r.services.boxes.empty());
        IniFile ini(target);
        QVERIFY(ini.load());
        QCOMPARE(ini.sections(), QStringList{QStringLiteral("TrimData")});
        QCOMPARE(ini.keys(QStringLiteral("TrimData")).size(), 24);
        QVERIFY(ini.toBytes().contains("[TrimData]\r\nCH1=16500\r\n"));
        QVERIFY(r.takeFrames().isEmpty());

        // Loaded into another window, the file gives the same bars.
        TrimRig back;
        QVERIFY(back.ready() && back.open());
        back.services.openAnswers.push_back(FileChoice{target, 0});
        back.dlg->OpenBtnClick();
        QCOMPARE(back.dlg->flows().positions(), r.dlg->flows().positions());
        QCOMPARE(back.dlg->Edit[23]->text(), QStringLiteral("-284"));
    }

    void save_unwritablePlaceShowsTheError() {
        TrimRig r;
        QVERIFY(r.ready() && r.open());
        r.services.saveAnswers.push_back(FileChoice{r.dir.filePath("none/t.QMX"), 0});
        r.dlg->SaveBtnClick();
        QCOMPARE(r.services.lastBoxText(), DocumentFile::CantKeepText());
        QCOMPARE(r.services.boxes.back().icon, int(MsgIcon::Error));
    }

    void run_copiesThePoseWindowsLook() {
        TrimRig r;
        QVERIFY(r.ready());
        PoseWindow prm(r.state.chart, r.state.board, r.services);
        PoseLayout layout;
        layout.clientWidth = 640;
        layout.clientHeight = 400;
        layout.panels[2].place = QPoint(300, 200);
        layout.panels[2].colour = 0x000000FF; // red: white text reads on it
        layout.panels[4].visible = false;
        layout.panels[25].place = QPoint(10, 350);
        layout.panels[25].colour = 0x0000FFFF; // yellow
        layout.channels[2].name = QStringLiteral("Knee");
        prm.ApplyLayout(layout);
        r.dlg->setPoseWindow(&prm);
        QStringList seen;
        qvxtest::whenShown(r.dlg.get(), [&] {
            TrimWindow& d = *r.dlg;
            const auto colour = [](QWidget* w, QPalette::ColorRole role) {
                return w->palette().color(role).name();
            };
            seen << QStringLiteral("%1x%2").arg(d.width()).arg(d.height());
            for (int p : {3, 5, 13})
                seen << QStringLiteral("%1 %2,%3 %4 %5")
                            .arg(d.Label[size_t(p - 1)]->text())
                            .arg(d.Panel[size_t(p - 1)]->x())
                            .arg(d.Panel[size_t(p - 1)]->y())
                            .arg(d.Panel[size_t(p - 1)]->isHidden())
                            .arg(colour(d.Panel[size_t(p - 1)], QPalette::Window) ==
                                 prm.panelColour(p).name());
            seen << colour(d.Label[2], QPalette::WindowText) << colour(d.Panel26, QPalette::Window)
                 << QStringLiteral("%1,%2").arg(d.Panel26->x()).arg(d.Panel26->y());
            seen << QString::number(d.Label[0]->font() == prm.labelFont());
        });
        QVERIFY(r.dlg->RunFromMainWindow());
        QCOMPARE(seen, (QStringList{"640x400", "Knee 300,200 0 1", "CH5 0,96 1 1", "CH13 254,0 0 1",
                                    "#ffffff", "#ffff00", "10,350", "1"}));
    }
};

QVX_TEST_CLASS(TrimDialogTest)
#include "TrimDialogTest.moc"
