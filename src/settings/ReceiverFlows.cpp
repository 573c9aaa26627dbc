#include "settings/ReceiverFlows.h"

#include "board/BoardCommands.h"
#include "board/BoardLink.h"

namespace qvx {

using namespace QmxBoard::Receiver;

namespace {

bool validInput(int n) {
    return n >= 0 && n < ReceiverSettings::kInputs;
}

} // namespace

QByteArray ReceiverSettings::referenceBytes() const {
    QByteArray b;
    for (int r : ref)
        b.append(char(quint8(r)));
    return b;
}

ReceiverFlows::ReceiverFlows(BoardCommands& board, ReceiverSettings& settings)
    : m_board(board), m_settings(settings) {}

bool ReceiverFlows::readAll() {
    QByteArray bytes;
    if (!m_board.ReadReceiverReference(true, bytes) || bytes.size() < kReferenceSize) return false;
    for (int n = 0; n < kInputs; ++n)
        m_settings.ref[size_t(n)] = quint8(bytes[n]);
    return true;
}

bool ReceiverFlows::writeAll() {
    return m_board.WriteReceiverReference(true, m_settings.referenceBytes());
}

bool ReceiverFlows::failed(const QString& cause, bool bitCleared) {
    m_problem = cause;
    if (!bitCleared) m_problem += QStringLiteral(". ") + StillReportingText();
    return false;
}

bool ReceiverFlows::ReadAll() {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    return readAll();
}

bool ReceiverFlows::WriteAll() {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    return writeAll();
}

bool ReceiverFlows::Open() {
    m_problem.clear();
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    if (!m_board.SetOptionBit2(1)) return failed(link.failureWith(FailedText()), true);
    if (!readAll()) {
        const QString cause = link.failureWith(FailedText());
        // No dialog shows the reports: the board is asked to stop sending them.
        return failed(cause, m_board.SetOptionBit2(0));
    }
    return true;
}

bool ReceiverFlows::Close() {
    m_problem.clear();
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    // A failed save keeps the reports on, so that opening the window again
    // shows the inputs and its closing saves once more.
    if (!writeAll() || !m_board.SetOptionBit2(0))
        return failed(link.failureWith(FailedText()), false);
    return true;
}

bool ReceiverFlows::MoveReference(int n, int position) {
    if (!validInput(n) || position < 0 || position > kReferenceMax) return false;
    // Nothing is sent, but the references must hold still while a write of
    // them waits, so that what the bars show is what was sent.
    if (m_board.link().RefuseWhileBusy()) return false;
    m_settings.ref[size_t(n)] = position;
    return true;
}

bool ReceiverFlows::EndReference(int n) {
    if (!validInput(n)) return false;
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    return m_board.WriteReceiverReference(false, m_settings.referenceBytes());
}

bool ReceiverFlows::AutoCalibrate(int n) {
    if (!validInput(n)) return false;
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    QByteArray bytes = m_settings.referenceBytes();
    bytes[n] = char(kAutoCalibrate);
    QByteArray back;
    if (!m_board.WriteReceiverReference(false, bytes) ||
        !m_board.ReadReceiverReference(false, back) || back.size() < kReferenceSize)
        return false;
    for (int i = 0; i < kInputs; ++i)
        m_settings.ref[size_t(i)] = quint8(back[i]);
    return true;
}

void ReceiverFlows::TakeReport(int button, const QList<int>& values) {
    m_settings.button = button;
    for (int n = 0; n < kInputs && n < values.size(); ++n)
        m_settings.meas[size_t(n)] = values[n];
}

} // namespace qvx
