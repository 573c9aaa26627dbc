#include "common/TestRegistry.h"
#include "items/CompareItemDialog.h"
#include "items/SetItemDialog.h"
#include "flows/FlowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

using namespace qvx;
using qvxtest::ChartMaker;

Q_DECLARE_METATYPE(qvx::ChannelValues)

namespace {

ChannelValues all(quint16 v) {
    ChannelValues values;
    values.fill(v);
    return values;
}

// The SET and CMP dialogs on the chart of an application state whose board
// is the in-memory simulator.
struct DialogRig {
    FlowFixture fx;
    QCheckBox sync;
    SetItemDialog set{fx.state->chart, fx.state->board};
    CompareItemDialog comp{fx.state->chart, fx.state->link};

    DialogRig() { set.setSyncSwitch(&sync); }
    Chart& chart() { return fx.state->chart; }
    Item& item(int i) { return chart().items[size_t(i)]; }
    int add(quint8 kind, std::optional<quint16> value = {}) {
        const int i = chart().CreateItem(kind, 20 + 60 * chart().itemCount(), 20);
        if (value) item(i).values.fill(*value);
        return i;
    }
    QList<QByteArray> frames() const { return fx.memorySim.frames; }
};

// A click where a radio button or check box takes it: on its indicator.
void click(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}
void enter(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
}
// Choosing an entry of a closed list, as its close-up does.
void choose(QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}
// The object name of the checked radio button among the widget's, or "".
QString checkedOption(QWidget* dlg) {
    for (QRadioButton* r : dlg->findChildren<QRadioButton*>())
        if (r->isChecked()) return r->objectName();
    return {};
}

QByteArray liveWrite(const Item& item) {
    MotionRecord r;
    r.lead = item.lead;
    r.words = item.values;
    return BoardCommands::Frame(QmxBoard::Command::WriteMotionRecord, {0x01, 0, 0}, r.toBytes());
}

} // namespace

// The SET and CMP item dialogs driven through their controls: the 24 values
// they write, what they show when an item opens, what goes to the robot, and
// items that go away while a dialog is open.
class ItemDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void setOtherPage_everyControlWritesItsCode() {
        DialogRig r;
        const int i = r.add(KindSet);
        r.set.ShowItem(i);
        SetItemDialog& d = r.set;
        QCOMPARE(d.windowTitle(), r.item(i).name);
        QCOMPARE(checkedOption(&d), QStringLiteral("RadBtn1"));
        QCOMPARE(r.item(i).values, all(0x8006));

        // A click on the bar's end at its minimum chooses the loop option as well.
        d.NumBar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QVERIFY(d.RadBtn2->isChecked());
        QCOMPARE(r.item(i).values, all(0x8208));
        click(d.RadBtn1);
        click(d.RadBtn2);
        QCOMPARE(r.item(i).values, all(0x8208));
        d.NumBar->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(r.item(i).values, all(0x8306));
        QCOMPARE(d.Edit1->text(), QStringLiteral("255"));
        for (const char* refused : {"0", "256", "abc"}) {
            enter(d.Edit1, QString::fromLatin1(refused));
            QCOMPARE(d.Edit1->text(), QStringLiteral("255"));
            QCOMPARE(r.item(i).values, all(0x8306));
        }
        click(d.RadBtn1);
        enter(d.Edit1, QStringLiteral("7"));
        QVERIFY(d.RadBtn2->isChecked());
        QCOMPARE(d.NumBar->value(), 7);
        QCOMPARE(r.item(i).values, all(0x820E));

        enter(d.Edit2, QStringLiteral("20000"));
        QVERIFY(d.RadBtn3->isChecked());
        QCOMPARE(d.Edit2->text(), QStringLiteral("16383"));
        QCOMPARE(r.item(i).values, all(0xE004));
        d.Edit2->setText(QStringLiteral("abc"));
        click(d.RadBtn3);
        QCOMPARE(r.item(i).values, all(0xA005));
        QCOMPARE(d.Edit2->text(), QStringLiteral("0"));

        choose(d.AdList, 2);
        QVERIFY(d.RadBtn4->isChecked());
        QCOMPARE(r.item(i).values, all(0xFEF6));
        click(d.Sck[5]);
        QVERIFY(d.RadBtn6->isChecked());
        QCOMPARE(r.item(i).values, all(0xFF17));
        click(d.RadBtn7);
        QCOMPARE(r.item(i).values, all(0xFBF2));
        click(d.RadBtn8);
        QCOMPARE(r.item(i).values, all(0xFBF3));
        // The check boxes were left as they were: the sensor option takes them.
        click(d.RadBtn6);
        QCOMPARE(r.item(i).values, all(0xFF17));
        QVERIFY(r.frames().isEmpty());
    }

    void setItem_opensOnItsOperation_data() {
        QTest::addColumn<ChannelValues>("values");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("shown");
        auto row = [](const char* name, const ChannelValues& v, const char* option,
                      const char* shown) {
            QTest::newRow(name) << v << QString::fromLatin1(option) << QString::fromLatin1(shown);
        };
        ChannelValues teachAndZero = all(0x8006);
        teachAndZero[4] = 0;
        row("teach, one 0", teachAndZero, "RadBtn1", "");
        row("loop 55", all(0x8207 + 55), "RadBtn2", "55");
        row("compare 100", all(0xA005 + 100), "RadBtn3", "100");
        row("AD3 reference", all(0xFEF6), "RadBtn4", "AD3");
        row("sensor Sck2 Sck6", all(0xFEF7 + 0x22), "RadBtn6", "Sck2 Sck6");
        row("receiver off", all(0xFBF3), "RadBtn8", "");
        ChannelValues teachAndReceiver = all(0x8006);
        teachAndReceiver[9] = 0xFBF2;
        row("two kinds", teachAndReceiver, "", "");
        row("reserved", all(0xFFF9), "", "");
    }
    void setItem_opensOnItsOperation() {
        QFETCH(ChannelValues, values);
        QFETCH(QString, option);
        QFETCH(QString, shown);
        DialogRig r;
        // A dialog that showed another item first: nothing of it survives.
        const int before = r.add(KindSet, 0xFEF7 + 0x3F);
        r.set.ShowItem(before);
        enter(r.set.Edit1, QStringLiteral("9"));
        const int i = r.add(KindSet);
        r.item(i).values = values;
        r.sync.setChecked(true);
        r.set.ShowItem(i);
        SetItemDialog& d = r.set;
        QCOMPARE(d.PageControl1->currentWidget(), d.TabSheet1);
        QCOMPARE(checkedOption(&d), option);
        QStringList boxes;
        for (QCheckBox* b : d.Sck)
            if (b->isChecked()) boxes << b->objectName();
        const bool loop = option == QLatin1String("RadBtn2");
        QCOMPARE(d.Edit1->text(), loop ? shown : QStringLiteral("1"));
        QCOMPARE(d.NumBar->value(), loop ? shown.toInt() : 1);
        if (option == QLatin1String("RadBtn3")) QCOMPARE(d.Edit2->text(), shown);
        QCOMPARE(d.AdList->currentText(),
                 option == QLatin1String("RadBtn4") ? shown : QStringLiteral("AD1"));
        QCOMPARE(boxes.join(u' '), option == QLatin1String("RadBtn6") ? shown : QString());
        // Opening changes nothing and sends nothing that is not mixing.
        QCOMPARE(r.item(i).values, values);
        QVERIFY(r.frames().isEmpty());
    }

    void mixingPage_decodesWritesAndSendsWithSync() {
        DialogRig r;
        ChannelValues v = all(0xFBF4);
        v[0] = 0xFCF4 + 0x85; // AD2-R x 5
        v[1] = 0xFDF4 + 0xC3; // AD3-R x -3
        v[2] = 0x9606 + 0x87; // a range never written: source OFF, x 7
        v[3] = 0;
        const int i = r.add(KindSet);
        r.item(i).values = v;
        r.sync.setChecked(true);
        r.set.ShowItem(i);
        SetItemDialog& d = r.set;
        QCOMPARE(d.PageControl1->currentWidget(), d.TabSheet2);
        QCOMPARE(d.MixNum[0]->currentText() + d.MixList[0]->currentText(),
                 QStringLiteral("AD2-Rx 5"));
        QCOMPARE(d.MixNum[1]->currentText() + d.MixList[1]->currentText(),
                 QStringLiteral("AD3-Rx -3"));
        QCOMPARE(d.MixNum[2]->currentText() + d.MixList[2]->currentText(),
                 QStringLiteral("OFFx 7"));
        QCOMPARE(d.MixNum[3]->currentText() + d.MixList[3]->currentText(),
                 QStringLiteral("OFFOFF"));
        QCOMPARE(r.item(i).values, v);
        QCOMPARE(r.frames(), QList<QByteArray>{liveWrite(r.item(i))});

        // One close-up rewrites all 24 channels in the AD ranges and sends them.
        choose(d.MixList[4], AnalogSettings::kGainOff - 5);
        ChannelValues expected = all(0xFBF4);
        expected[0] = 0xFD79;
        expected[1] = 0xFDF4 + 0xC3;
        expected[2] = 0xFBF4 + 0x07;
        expected[4] = 0xFC39;
        QCOMPARE(r.item(i).values, expected);
        QCOMPARE(r.frames().size(), 2);
        QCOMPARE(r.frames().last(), liveWrite(r.item(i)));
        QCOMPARE(r.fx.memorySim.working().livePose.words, expected);
        // The robot mixes as the item says: AD2 drives CH1, AD3 drives CH2.
        QCOMPARE(quint8(r.fx.memorySim.working().mixing[1].at(0)), quint8(0x85));
        QCOMPARE(quint8(r.fx.memorySim.working().mixing[2].at(1)), quint8(0xC3));

        r.sync.setChecked(false);
        choose(d.MixNum[4], 1);
        QCOMPARE(r.item(i).values[4], quint16(0xFBF4 + 0xC5));
        QCOMPARE(r.frames().size(), 2);
    }

    void labelsAndSensorCaptions_comeFromThePoseAndAnalogWindows() {
        DialogRig r;
        SensorInterrupts sensors{};
        sensors[0] = {200, 1};
        sensors[3] = {-7, 85};
        r.set.setSensorSource([&] { return sensors; });
        r.set.SetChannelLabels({QStringLiteral("Head"), QStringLiteral("Arm")},
                               {QColor(Qt::black), QColor(Qt::yellow)});
        r.set.ShowItem(r.add(KindSet));
        QCOMPARE(r.set.Sck[0]->text(),
                 QStringLiteral("AD1 Playing200when an amount of M1change exceeds"));
        QCOMPARE(r.set.Sck[1]->text(), QStringLiteral("AD1 OFF"));
        QCOMPARE(r.set.Sck[3]->text(),
                 QStringLiteral("AD2 Playing-7when an amount of S5change exceeds"));
        QCOMPARE(r.set.MixLabel[0]->text(), QStringLiteral("Head"));
        QCOMPARE(r.set.MixLabel[0]->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(r.set.MixLabel[1]->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(r.set.MixLabel[1]->palette().color(QPalette::Window), QColor(Qt::yellow));
        QCOMPARE(r.set.MixLabel[2]->text(), QStringLiteral("CH3"));
    }

    void enteringTheCompareBox_choosesTheCompareOption() {
        DialogRig r;
        const int i = r.add(KindSet);
        r.set.ShowItem(i);
        r.set.Edit2->setText(QStringLiteral("12"));
        r.set.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&r.set));
        r.set.RadBtn1->setFocus(Qt::OtherFocusReason);
        QCOMPARE(r.item(i).values, all(0x8006));
        r.set.Edit2->setFocus(Qt::MouseFocusReason);
        QCOMPARE(r.item(i).values, all(0xA005 + 12));
        QVERIFY(r.set.RadBtn3->isChecked());
        // Opening another item while the box holds the focus writes nothing into it.
        const int mixing = r.add(KindSet, 0xFBF4);
        r.set.ShowItem(mixing);
        QCOMPARE(r.item(mixing).values, all(0xFBF4));
    }

    void cmpConditions_writeTheirCodeBase_data() {
        QTest::addColumn<int>("tag");
        QTest::addColumn<int>("code");
        const int codes[] = {0x8307, 0x8C06, 0x8D06, 0x8E06, 0x9206,
                             0x9306, 0x9406, 0x9506, 0x9A06, 0x9B06};
        for (int tag = 0; tag < 10; ++tag)
            QTest::addRow("RadBtn%d", tag + 1) << tag << codes[tag];
    }
    void cmpConditions_writeTheirCodeBase() {
        QFETCH(int, tag);
        QFETCH(int, code);
        DialogRig r;
        const int i = r.add(KindCmp);
        r.comp.ShowItem(i);
        QCOMPARE(r.comp.windowTitle(), r.item(i).name);
        QCOMPARE(checkedOption(&r.comp), QStringLiteral("RadBtn1"));
        click(r.comp.RadBtn[size_t(tag)]);
        QCOMPARE(r.item(i).values, all(quint16(code)));
        // Compiled with a target in it, the item still opens on its condition.
        r.item(i).values = all(quint16(code + 5));
        r.comp.ShowItem(i);
        QCOMPARE(checkedOption(&r.comp), QStringLiteral("RadBtn%1").arg(tag + 1));
    }

    void cmpItemOfTwoConditions_opensWithNoneUntilOneIsChosen() {
        DialogRig r;
        ChannelValues v = all(0x8C06);
        v[23] = 0x8D06;
        const int i = r.add(KindCmp);
        r.item(i).values = v;
        r.comp.ShowItem(i);
        QCOMPARE(checkedOption(&r.comp), QString());
        QCOMPARE(r.item(i).values, v);
        click(r.comp.RadBtn[1]);
        QCOMPARE(r.item(i).values, all(0x8C06));
    }

    void itemsGoingAway_areFollowedByIdentity() {
        DialogRig r;
        const int firstSet = r.add(KindSet), set = r.add(KindSet);
        const int firstCmp = r.add(KindCmp), cmp = r.add(KindCmp);
        const QString cmpName = r.item(cmp).name;
        r.set.ShowItem(set);
        r.comp.ShowItem(cmp);
        // Items before them go: the dialogs still edit their own items.
        r.item(firstSet).selected = true;
        r.item(firstCmp).selected = true;
        r.chart().DeleteSelected();
        r.set.ChartChanged();
        r.comp.ChartChanged();
        click(r.set.RadBtn7);
        click(r.comp.RadBtn[9]);
        QCOMPARE(r.item(0).values, all(0xFBF2));
        QCOMPARE(r.item(1).name, cmpName);
        QCOMPARE(r.item(1).values, all(0x9B06));

        // Their items go while the dialogs are open: no edit lands anywhere.
        const int survivor = r.add(KindSet);
        const std::vector<Item> kept = {r.item(survivor)};
        r.chart().items[0].selected = r.chart().items[1].selected = true;
        r.chart().DeleteSelected();
        r.set.NumBar->triggerAction(QAbstractSlider::SliderSingleStepAdd); // not yet announced
        choose(r.set.MixList[0], 70);
        QVERIFY(!r.set.currentItem());
        QCOMPARE(r.chart().items, kept);
        r.comp.ChartChanged();
        QVERIFY(!r.comp.Panel1->isEnabled());
        QCOMPARE(checkedOption(&r.comp), QString());
        QCOMPARE(r.set.windowTitle(), QStringLiteral("SET"));
        QVERIFY(!r.set.TabSheet1->isEnabled());

        // A replaced chart: the dialog lets go as well.
        r.set.ShowItem(0);
        r.chart().ClearChart();
        r.chart().CreateItem(KindSet, 20, 20);
        r.set.ChartChanged();
        QVERIFY(!r.set.currentItem());
        QCOMPARE(r.item(0).values, all(0x8006));
    }

    void editsWhileAFlowRuns_areRefused() {
        DialogRig r;
        const int set = r.add(KindSet, 0xFBF4), cmp = r.add(KindCmp);
        r.set.ShowItem(set);
        r.comp.ShowItem(cmp);
        const auto flow = r.fx.state->link.beginFlow();
        QVERIFY(flow);
        choose(r.set.MixList[0], 70);
        click(r.comp.RadBtn[3]);
        QCOMPARE(r.item(set).values, all(0xFBF4));
        QCOMPARE(r.item(cmp).values, all(0x8307));
        QCOMPARE(r.set.MixList[0]->currentIndex(), AnalogSettings::kGainOff);
        QCOMPARE(checkedOption(&r.comp), QStringLiteral("RadBtn1"));
        QCOMPARE(r.fx.services.statuses.last(), BoardLink::BusyText());
    }

    // A motion compiled from a chart with a SET loop counter and a CMP branch,
    // written to the simulator and played, takes the branch the loop count says.
    void playedLoop_takesTheBranchAsOftenAsTheLoopCountSays_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("once") << 1;
        QTest::newRow("three times") << 3;
        QTest::newRow("twelve times") << 12;
    }
    void playedLoop_takesTheBranchAsOftenAsTheLoopCountSays() {
        QFETCH(int, count);
        DialogRig r;
        ChartMaker m;
        const int load = m.item(QStringLiteral("LOAD"), KindSet, 1, CodeBase::TeachValue);
        const int a = m.item(QStringLiteral("A"), KindPos, 1, 15000);
        const int c = m.cmp(QStringLiteral("C"), CodeBase::ButtonAnd);
        const int e = m.item(QStringLiteral("E"), KindPos, 1, 17000);
        m.next(load, a);
        m.next(a, c);
        m.branch(c, a);
        m.next(c, e);
        r.fx.setChart(m.chart);
        // The loop count and the condition are chosen in the dialogs.
        r.set.ShowItem(load);
        enter(r.set.Edit1, QString::number(count));
        r.comp.ShowItem(c);
        click(r.comp.RadBtn[0]);

        r.fx.answerPick(4);
        QVERIFY(r.fx.flows->Write());
        // LOAD, A, C branching to A's step, E, the end mark.
        const std::vector<MotionRecord>& image = r.fx.state->compiler.MotionImage();
        QCOMPARE(image.size(), size_t(5));
        QCOMPARE(image[2].words, all(CodeBase::LoopNotZero + 1));
        r.fx.answerPick(4);
        QVERIFY(r.fx.flows->Play());
        BoardSimulator& sim = r.fx.memorySim;
        for (int t = 0; t < 1000 && (sim.playing() || sim.executedRecords.isEmpty()); ++t)
            r.fx.transport->advance(BoardSimulator::kTickMs);
        QVERIFY(!sim.playing());
        QList<int> expected{0};
        for (int k = 0; k < count; ++k)
            expected << 1 << 2;
        expected << 3 << 4;
        QCOMPARE(sim.executedRecords, expected);
        QCOMPARE(sim.loopCounter(), 0);
        QCOMPARE(sim.pose()[0], quint16(17000));
    }
};

QVX_TEST_CLASS(ItemDialogsTest)
#include "ItemDialogsTest.moc"
