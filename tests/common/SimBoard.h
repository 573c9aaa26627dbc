#pragma once

#include "sim/BoardSimulator.h"
#include "sim/SimPtyHost.h"

#include <QByteArray>
#include <QList>
#include <QTemporaryDir>
#include <memory>
#include <utility>

namespace qvxtest {

// A simulated board behind a pseudo-terminal, its link ("qmx") in a temporary
// folder that tests may also use for their own files.
struct SimBoard {
    QTemporaryDir dir;
    QString port = dir.filePath(QStringLiteral("qmx"));
    QString error;
    std::unique_ptr<qvx::SimPtyHost> host;

    explicit SimBoard(qvx::SimPtyHost::Options options = {}) {
        options.linkPath = port;
        host = qvx::SimPtyHost::Start(options, &error);
    }

    // Options for a board whose memory is kept in the file at path.
    static qvx::SimPtyHost::Options keptIn(const QString& path) {
        qvx::SimPtyHost::Options options;
        options.statePath = path;
        return options;
    }
    // Options for a board that takes and sends bytes at the line's own speed.
    static qvx::SimPtyHost::Options paced() {
        qvx::SimPtyHost::Options options;
        options.pace = true;
        return options;
    }

    // Runs f on the simulator, in step with the host's own thread.
    template <typename F> auto sim(F&& f) { return host->withSimulator(std::forward<F>(f)); }

    // The frames the board took so far.
    QList<QByteArray> frames() {
        return sim([](qvx::BoardSimulator& s) { return s.frames; });
    }
    // The frames the board took so far, forgetting them.
    QList<QByteArray> takeFrames() {
        return sim([](qvx::BoardSimulator& s) { return std::exchange(s.frames, {}); });
    }
    // The command bytes of the frames taken so far, forgetting them.
    QByteArray takeCommands() { return commandsOf(takeFrames()); }

    static QByteArray commandsOf(const QList<QByteArray>& frames) {
        QByteArray c;
        for (const QByteArray& f : frames)
            c += f[0];
        return c;
    }
};

} // namespace qvxtest
