#include "cli/CliPort.h"

#include "board/BoardLink.h"
#include "board/SerialTransport.h"
#include "cli/CliServices.h"

namespace qvx {

namespace {

// Why the port did not open. The link keeps the device's own message to
// itself, so for a device that refused, a second try fetches it.
QString portFailure(const QString& port) {
    const SerialTransport::OpenProblem problem = SerialTransport::Diagnose(port);
    QString detail;
    if (problem == SerialTransport::OpenProblem::Other) {
        SerialTransport again(port);
        if (again.open(&detail)) again.close();
    }
    return SerialTransport::OpenFailureText(port, problem, detail);
}

} // namespace

bool OpenCliPort(BoardLink& link, const QString& port, CliServices& io) {
    const bool quiet = io.quiet;
    // The link's own "PATH completion" is no result of the verb, and its
    // failure text is replaced by the fuller one below.
    io.quiet = true;
    // Every message of the link (time-outs, a lost port) names the device
    // as it was given, not the port box's "COM1".
    link.setPortName(port);
    const bool open = link.OpenTransport(1, std::make_unique<SerialTransport>(port));
    io.quiet = quiet;
    if (!open) io.err() << portFailure(port) << Qt::endl;
    return open;
}

} // namespace qvx
