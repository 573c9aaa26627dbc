#pragma once

#include <QProcess>
#include <QSignalSpy>
#include <QStringList>

#include <functional>

namespace qvxtest {

// What a run of the qvx tool gave: exit status (-1 when it did not finish in
// time), standard output and standard error.
struct CliRun {
    int code = -1;
    QString out, err;
};

// How to run qvx: its environment (the test's own by default) and anything to
// set up in the child before it starts (e.g. a resource limit).
struct CliSetup {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    std::function<void()> inChild;
    int timeoutMs = 60000;

    // Points qvx at its own settings folder.
    CliSetup& configDir(const QString& dir) {
        env.insert(QStringLiteral("QVX_CONFIG_DIR"), dir);
        return *this;
    }
};

// Runs qvx with the arguments, waiting in an event loop so that anything this
// thread serves (a socket, a window) stays live meanwhile.
inline CliRun runQvx(const QStringList& args, const CliSetup& setup) {
    QProcess p;
    p.setProcessEnvironment(setup.env);
    if (setup.inChild) p.setChildProcessModifier(setup.inChild);
    p.start(QStringLiteral(QVX_CLI_PATH), args);
    QSignalSpy done(&p, &QProcess::finished);
    if (!done.wait(setup.timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

inline CliRun runQvx(const QStringList& args, int timeoutMs = 60000) {
    CliSetup setup;
    setup.timeoutMs = timeoutMs;
    return runQvx(args, setup);
}

} // namespace qvxtest
