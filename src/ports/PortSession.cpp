#include "ports/PortSession.h"

#include "base/Services.h"
#include "board/BoardLink.h"
#include "board/SerialTransport.h"
#include "sim/SimPtyHost.h"

#include <QCoreApplication>

namespace qvx {

PortSession::PortSession(BoardLink& link) : m_link(link) {}

PortSession::~PortSession() = default;

bool PortSession::choose(int index, const QString& device) {
    if (index == BoardLink::kSimPortIndex) {
        if (simIsOpen()) {
            powerCycleSim();
            return true;
        }
        if (!m_simHost && !startSim()) return false;
        return m_link.OpenCommPort(index, m_simHost->devicePath());
    }
    const bool open = m_link.OpenCommPort(index, device);
    // The simulated board stops once another port is chosen; a choice refused
    // under a waiting exchange leaves it running.
    if (!m_link.inExchange()) m_simHost.reset();
    return open && index > 0;
}

bool PortSession::chooseDevice(int boxIndex, const QString& path) {
    // Nothing changes under a waiting exchange, not even the port's name.
    if (m_link.inExchange()) return false;
    m_link.setPortName(path);
    const bool open = m_link.OpenTransport(boxIndex, std::make_unique<SerialTransport>(path));
    m_simHost.reset();
    return open;
}

bool PortSession::startSim() {
    SimPtyHost::Options options;
    options.statePath = m_simStatePath;
    QString error;
    m_simHost = SimPtyHost::Start(options, &error);
    if (m_simHost) return true;
    // As a failed open does, the port that was open is closed.
    m_link.ClosePort();
    if (Services* services = m_link.services())
        services->ShowStatus(
            QCoreApplication::translate("PortSession", "SIM does not exist: %1").arg(error));
    return false;
}

bool PortSession::openPath(const QString& path) {
    m_openFailure.clear();
    m_simHost.reset();
    // Every message of the link (time-outs, a lost port) names the device as
    // it was given.
    m_link.setPortName(path);
    if (m_link.OpenTransport(BoardLink::kPathPortIndex, std::make_unique<SerialTransport>(path),
                             BoardLink::OpenNotice::Silent))
        return true;
    // The link keeps the device's own message to itself, so for a device that
    // refused, a second try fetches it.
    const SerialTransport::OpenProblem problem = SerialTransport::Diagnose(path);
    QString detail;
    if (problem == SerialTransport::OpenProblem::Other) {
        SerialTransport again(path);
        if (again.open(&detail)) again.close();
    }
    m_openFailure = SerialTransport::OpenFailureText(path, problem, detail);
    return false;
}

QString PortSession::simDevice() const {
    return m_simHost ? m_simHost->devicePath() : QString();
}

bool PortSession::simIsOpen() const {
    return m_simHost && m_link.isOpen() && m_link.portNumber() == BoardLink::kSimPortIndex;
}

std::optional<BigEndian::Words> PortSession::simServoOutput() const {
    if (!simIsOpen()) return std::nullopt;
    // Copied out under the host's lock: the simulator moves on its own thread.
    return m_simHost->withSimulator([](BoardSimulator& sim) { return sim.servoOutput(); });
}

void PortSession::powerCycleSim() {
    if (!m_simHost) return;
    m_simHost->powerCycle();
    // Report bytes from before belong to no report the board sends now.
    m_link.ClearReportBuffer();
    if (Services* services = m_link.services()) services->ShowStatus(SimPtyHost::PowerCycledText());
}

void PortSession::flushSim() {
    if (m_simHost) m_simHost->flushState();
}

} // namespace qvx
