#pragma once

#include "common/SimBoard.h"
#include "editor/ChartCanvas.h"
#include "editor/EditorFixtures.h"
#include "flows/FlowFixture.h"
#include "pose/PoseWindow.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <functional>

namespace posetest {

using namespace qvx;
using Cmd = QmxBoard::Command;

// The main window with its pose window, talking to the simulated board through
// a pseudo-terminal and QSerialPort, as the program does with the SIM port.
struct PoseWindowRig : qvxtest::SimBoard {
    qvxtest::RecordingServices services;
    AppState state;
    std::unique_ptr<MainWindow> win;

    // `prepare` may put a settings or pattern file into the rig's folder
    // before the window reads them.
    explicit PoseWindowRig(const std::function<void(const QTemporaryDir&)>& prepare = {}) {
        // The pattern file and the layout come from this rig's own folder.
        qputenv("QVX_CONFIG_DIR", QFile::encodeName(dir.path()));
        if (prepare) prepare(dir);
        win = std::make_unique<MainWindow>(state, services, dir.filePath("QVX3J.ini"));
        state.link.setTimeouts(150, 200);
        if (host) state.link.OpenCommPort(BoardLink::kSimPortIndex, host->devicePath());
        clearFrames();
        services.clear();
    }

    bool ready() const { return host && state.link.isOpen(); }
    PoseWindow& dlg() { return *win->poseWindow(); }
    void clearFrames() {
        if (host) takeFrames();
    }
    QList<quint8> commands() {
        QList<quint8> c;
        for (const QByteArray& f : frames()) c << quint8(f[0]);
        return c;
    }
    BigEndian::Words servos() {
        return sim([](BoardSimulator& s) { return s.pose(); });
    }

    // A POS item on the canvas with these words and speed.
    int addPos(const ChannelValues& values, quint8 speed, int x) {
        const int i = state.chart.CreateItem(KindPos, x, 20);
        state.chart.items[size_t(i)].values = values;
        state.chart.items[size_t(i)].lead = speed;
        return i;
    }
    Item& item(int i) { return state.chart.items[size_t(i)]; }

    // Double-clicks the item on the canvas, as the user opens it.
    void open(int i) {
        editortest::doubleClick(win->Image1, state.chart.ItemCentre(i));
    }
    void setSync(bool on) { win->Sync->setChecked(on); }
};

inline ChannelValues words(std::initializer_list<quint16> first) {
    ChannelValues v{};
    size_t k = 0;
    for (quint16 w : first) v[k++] = w;
    return v;
}

inline QByteArray moveFrame(int channel, quint16 value) {
    QByteArray word;
    word.append(char(value >> 8)).append(char(value & 0xFF));
    return BoardCommands::Frame(Cmd::MoveChannel, {0x00, channel, 1}, word);
}

inline QByteArray liveWrite(const MotionRecord& r) {
    return BoardCommands::Frame(Cmd::WriteMotionRecord, {0x01, 0, 0}, r.toBytes());
}

inline MotionRecord block(quint8 speed, const ChannelValues& w) {
    MotionRecord r;
    r.lead = speed;
    r.words = w;
    return r;
}

inline quint8 cmd(Cmd c) { return quint8(c); }

// Which of channel n's controls are visible, as one word: E edit, B servo bar,
// H/L output buttons, F/1/2/3 FREE and SET buttons, P parameter bar and caption.
inline QString shown(PoseWindow& d, int n) {
    const size_t k = size_t(n - 1);
    QString s;
    if (d.Edit[k]->isVisible()) s += u'E';
    if (d.Scroll[k]->isVisible()) s += u'B';
    const char marks[] = "HLF123";
    for (size_t g = 0; g < 6; ++g)
        if (d.CkBtn[g * 24 + k]->isVisible()) s += QLatin1Char(marks[g]);
    if (d.SSL[k]->isVisible() && d.SLB[k]->isVisible()) s += u'P';
    return s;
}

} // namespace posetest
