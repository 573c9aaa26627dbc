#pragma once

#include <QProcess>
#include <QSignalSpy>
#include <QStringList>

namespace qvxtest {

// What a run of the qvx tool gave: exit status (-1 when it did not finish in
// time), standard output and standard error.
struct CliRun {
    int code = -1;
    QString out, err;
};

// Runs qvx with the arguments, waiting in an event loop so that anything this
// thread serves (a socket, a window) stays live meanwhile.
inline CliRun runQvx(const QStringList& args, int timeoutMs = 60000) {
    QProcess p;
    p.start(QStringLiteral(QVX_CLI_PATH), args);
    QSignalSpy done(&p, &QProcess::finished);
    if (!done.wait(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace qvxtest
