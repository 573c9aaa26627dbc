#pragma once

#include "app/AppState.h"
#include "app/BoardFlows.h"
#include "app/MainWindow.h"
#include "common/RecordingServices.h"
#include "common/SimBoard.h"
#include "compiler/ChartMaker.h"
#include "sim/BoardSimulator.h"
#include "sim/SimTransport.h"

#include <QTemporaryDir>
#include <memory>

// The application state and board flows wired to a simulated board: in memory
// by default, or through a pseudo-terminal and QSerialPort (BoardLink's
// OpenCommPort on the host's device path). Short time-outs keep failures cheap.
struct FlowFixture {
    QTemporaryDir dir;
    qvxtest::RecordingServices services;
    std::unique_ptr<qvx::AppState> state = std::make_unique<qvx::AppState>();
    std::unique_ptr<qvx::BoardFlows> flows;
    qvx::BoardSimulator memorySim;
    std::unique_ptr<qvxtest::SimBoard> board;
    qvx::SimTransport* transport = nullptr;

    explicit FlowFixture(bool pty = false) {
        state->link.setServices(&services);
        flows = std::make_unique<qvx::BoardFlows>(*state, services);
        if (pty) {
            board = std::make_unique<qvxtest::SimBoard>();
            state->link.setTimeouts(150, 200);
            if (board->host) state->link.OpenCommPort(qvx::BoardLink::kSimPortIndex, board->port);
        } else {
            state->link.setTimeouts(40, 60);
            auto t = std::make_unique<qvx::SimTransport>(memorySim);
            transport = t.get();
            state->link.OpenTransport(1, std::move(t));
        }
        services.clear();
    }

    bool open() const { return state->link.isOpen(); }

    // Runs f on the simulator, wherever it lives.
    template <typename F> auto sim(F&& f) {
        if (board) return board->sim(std::forward<F>(f));
        return f(memorySim);
    }

    // Puts a chart in place as the open document.
    void setChart(const qvx::Chart& chart) { state->chart = chart; }
    void answerPick(int n) { services.pickAnswers.push_back(n); }
};

// The main window with the in-memory simulated board behind its link and the
// picker and message boxes answered by the recording services.
struct WindowRig {
    QTemporaryDir dir;
    qvxtest::RecordingServices services;
    qvx::AppState state;
    qvx::BoardSimulator sim;
    qvx::SimTransport* transport = nullptr;
    std::unique_ptr<qvx::MainWindow> win;

    explicit WindowRig(int timeoutMs = 40) {
        win = std::make_unique<qvx::MainWindow>(state, services, dir.filePath("QVX3J.ini"));
        state.link.setTimeouts(timeoutMs, timeoutMs + 20);
        auto t = std::make_unique<qvx::SimTransport>(sim);
        transport = t.get();
        state.link.OpenTransport(1, std::move(t));
        services.clear();
    }
};

// A chain of POS items with distinct values, as long as asked.
inline qvx::Chart longChain(int items) {
    qvxtest::ChartMaker m;
    int previous = -1;
    for (int i = 0; i < items; ++i) {
        const int n = m.item(QStringLiteral("P") + QString::number(i), qvx::KindPos,
                             quint8(10 + i % 200), quint16(1000 + 37 * i));
        if (previous >= 0) m.next(previous, n);
        previous = n;
    }
    return m.chart;
}
