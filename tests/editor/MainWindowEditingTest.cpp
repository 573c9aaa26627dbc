#include "EditorFixtures.h"
#include "app/AppState.h"
#include "app/MainWindow.h"
#include "common/RecordingServices.h"
#include "common/TestRegistry.h"
#include "editor/ChartCanvas.h"

#include <QCheckBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace qvx;
using namespace editortest;

// The editor as the main window wires it: keys, tool buttons and status panel.
class MainWindowEditingTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<qvxtest::RecordingServices> m_services;
    std::unique_ptr<MainWindow> m_window;

    Chart& chart() { return m_state->chart; }
    ChartCanvas* canvas() { return m_window->Image1; }

  private slots:
    void init() {
        m_state = std::make_unique<AppState>();
        m_services = std::make_unique<qvxtest::RecordingServices>();
        m_window = std::make_unique<MainWindow>(*m_state, *m_services, m_dir.filePath("QVX3J.ini"));
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void ctrlCCtrlV_pasteAtTheMouse_andClearChartEmptiesTheClipboard() {
        item(chart(), KindPos, 20, 20);
        click(canvas(), {30, 30});
        QTest::keyClick(m_window.get(), Qt::Key_C, Qt::ControlModifier);
        move(canvas(), {200, 100});
        QTest::keyClick(m_window.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(chart().itemCount(), 2);
        QCOMPARE(QPoint(chart().items[1].left, chart().items[1].top), QPoint(200, 100));
        QVERIFY(chart().items[1].selected && !chart().items[0].selected);
        // Ctrl+Shift+V is ignored.
        QTest::keyClick(m_window.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(chart().itemCount(), 2);

        m_window->ClearChart();
        QTest::keyClick(m_window.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(chart().itemCount(), 0);
    }

    void linkButton_thenEsc_endsTheLinkAndClearsSelection() {
        item(chart(), KindPos, 0, 0);
        m_window->Link1Btn->click();
        click(canvas(), {10, 10});
        QCOMPARE(m_window->editState().linkOrigin, 0);
        QVERIFY(chart().items[0].selected);
        m_window->Link2Btn->click(); // a fresh link in progress
        QCOMPARE(m_window->editState().linkOrigin, -1);
        QTest::keyClick(m_window.get(), Qt::Key_Escape);
        QCOMPARE(m_window->editState().toolMode, int(ToolSelect));
        QVERIFY(!m_window->editState().linkDrawing);
        QVERIFY(m_window->SelectBtn->isChecked());
    }

    void clearChart_dropsTheLinkBeingDrawn() {
        for (int i = 0; i < 5; ++i)
            item(chart(), KindPos, i * 100, 0);
        m_window->Link1Btn->click();
        click(canvas(), {210, 10});  // origin: item 2
        click(canvas(), {260, 200}); // a bending point
        QCOMPARE(m_window->editState().linkOrigin, 2);

        // The chart is replaced while the link is half drawn (a drop or a read).
        m_window->ClearChart();
        for (int i = 0; i < 5; ++i)
            item(chart(), KindPos, i * 100, 0);
        QVERIFY(m_window->editState().linkDrawing);
        click(canvas(), {410, 10}); // item 4 starts a new link
        QCOMPARE(chart().linkCount(), 0);
        QCOMPARE(m_window->editState().linkOrigin, 4);
        click(canvas(), {10, 10});
        QCOMPARE(chart().linkCount(), 1);
        QCOMPARE(chart().links[0].origin, 4);
        QCOMPARE(chart().links[0].final, 0);
        QVERIFY(chart().links[0].points.isEmpty());
    }

    void placingAnItem_putsSelectBtnDown_andStatusShowsSnappedPoint() {
        m_window->GridSw->setChecked(true);
        m_window->SetItem3Btn->click();
        move(canvas(), {23, 47});
        QCOMPARE(m_window->StaPanel[0]->text(), QString("X = 25  Y = 45"));
        click(canvas(), {23, 47});
        QCOMPARE(chart().itemCount(), 1);
        QCOMPARE(chart().items[0].kind, quint8(KindCmp));
        QVERIFY(m_window->SelectBtn->isChecked());
        QVERIFY(m_window->FormBtn->isEnabled());
    }
};

QVX_TEST_CLASS(MainWindowEditingTest)
#include "MainWindowEditingTest.moc"
