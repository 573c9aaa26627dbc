#pragma once

#include "board/BoardProtocol.h"
#include "board/BoardTransport.h"
#include "board/ReportFramer.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QObject>
#include <QPointer>
#include <memory>

namespace qvx {

// Every frame sent, answer, retry and time-out of the link, in hex. Off by
// default; QT_LOGGING_RULES="qvx.link.debug=true" turns it on.
Q_DECLARE_LOGGING_CATEGORY(lcLink)

class Services;

// The serial link to the board: opening and closing the port, one synchronous
// exchange at a time (attention byte, request frame, fixed-length answer, retries
// on short answers) and the framing of the reports the board sends on its own.
// One object per application, owned by AppState.
class BoardLink : public QObject {
    Q_OBJECT
  public:
    // Index of the simulated board in the port box.
    static constexpr int kSimPortIndex = 21;
    // Index of a port opened by its path rather than from the port box.
    static constexpr int kPathPortIndex = -1;
    static constexpr quint8 kAttention = QmxBoard::kAttention;
    static constexpr int kNormalTimeoutMs = 300;
    static constexpr int kServoTimeoutMs = 500;
    static constexpr int kDefaultAttempts = 5;

    explicit BoardLink(QObject* parent = nullptr);
    ~BoardLink() override;

    void setServices(Services* services) { m_services = services; }
    Services* services() const { return m_services; }

    // Applies a port box selection: 0 closes the port ("Close"); 1..20 opens the
    // serial device given for COMn; 21 opens the pseudo-terminal of a simulated
    // board the caller has started. Shows the result in the status line.
    bool OpenCommPort(int index, const QString& device);
    // The same with a transport made by the caller (tests, in-memory simulator).
    // Silent shows nothing, neither the success nor a failure: the caller
    // reports the outcome itself.
    enum class OpenNotice { Status, Silent };
    bool OpenTransport(int index, std::unique_ptr<BoardTransport> transport,
                       OpenNotice notice = OpenNotice::Status);
    void ClosePort();
    bool isOpen() const { return m_transport && m_transport->isOpen(); }
    // Port box index of the open port (0 when closed, kPathPortIndex for a
    // port opened by its path).
    int portNumber() const { return m_portNumber; }
    // "COMn", or "SIM" for the simulated board.
    static QString PortLabel(int index);
    // The open (or last opened) port as the user knows it: "COM1 (/dev/ttyUSB0)"
    // for a port box choice, the device path for a port given by its path
    // (setPortName), "SIM" for the simulated board.
    QString portName() const;
    // Names the next opened port by its path rather than by its box index
    // (qvx --port PATH).
    void setPortName(const QString& name) { m_portName = name; }

    // Why the last exchange or command failed, in words a user can act on
    // ("the board did not answer (no reply to the attention byte within 300 ms
    // on COM1 (/dev/ttyUSB0))"); empty after a success. The command layer adds
    // the faults it finds in an answer (checksum, acknowledge byte).
    QString lastFailure() const { return m_lastFailure; }
    void setLastFailure(const QString& cause) { m_lastFailure = cause; }
    // "what: cause", or "what" alone when no cause is known.
    QString failureWith(const QString& what) const;

    // Appends the checksum: the sum of all bytes modulo 256.
    static void AppendSum(QByteArray& frame);
    // False for answers shorter than 2 bytes; otherwise recomputes the last byte
    // from the others and tells whether it was right. The answer keeps its
    // (recomputed) last byte.
    static bool CheckAnswerSum(QByteArray& answer);

    // One exchange; returns the answer of expectedLength bytes, or an empty array
    // when it failed (or when expectedLength is 0). Fails at once, without
    // touching the port, while another exchange is waiting.
    QByteArray Transact(const QByteArray& frame, int expectedLength);
    bool inExchange() const { return m_inExchange; }
    // Bytes that crossed the wire in exchanges since the port was opened: the
    // attention byte and its answer, the frames and the answers received.
    quint64 wireBytes() const { return m_wireBytes; }

    // A board flow (a sequence of commands that belong together) marks the
    // link as in use for its whole length, so that nothing a click starts can
    // slip in between its commands or change what it works on.
    class Flow {
      public:
        Flow(Flow&& other) noexcept : m_link(other.m_link) { other.m_link = nullptr; }
        Flow& operator=(Flow&&) = delete;
        Flow(const Flow&) = delete;
        Flow& operator=(const Flow&) = delete;
        ~Flow() {
            if (m_link) --m_link->m_flowDepth;
        }
        // False when the flow was refused because the link was busy.
        explicit operator bool() const { return m_link != nullptr; }

      private:
        friend class BoardLink;
        explicit Flow(BoardLink* link) : m_link(link) {
            if (m_link) ++m_link->m_flowDepth;
        }
        BoardLink* m_link;
    };
    // Starts a flow, or, while busy, shows BusyText and hands back a refused
    // (false) one. The link stays marked until the returned object goes.
    [[nodiscard]] Flow beginFlow() { return Flow(RefuseWhileBusy() ? nullptr : this); }
    // True while a flow runs or an exchange waits: actions that would start
    // another flow or change what a flow works on are refused then.
    bool busy() const { return m_flowDepth > 0 || m_inExchange; }
    // The status text of an action refused for that reason.
    static QString BusyText() { return tr("Wait: the board is still busy"); }
    // True, after showing BusyText, while busy.
    bool RefuseWhileBusy();

    // Busy title, counted so that a refused nested command cannot clear the mark
    // of the one still running.
    void beginBusy();
    void endBusy();

    // The status text of a port this user may not open.
    static QString PermissionText(const QString& label);
    // Why exchanges fail once the port has gone away.
    static QString DisconnectedText(const QString& label) {
        return tr("%1 was disconnected").arg(label);
    }

    // Link state.
    int AttemptCount = kDefaultAttempts;
    int receiveTimeoutMs = kNormalTimeoutMs;
    // The two receive time-outs in force (tests make them short).
    void setTimeouts(int normalMs, int servoMs);
    int normalTimeoutMs() const { return m_normalTimeoutMs; }
    int servoTimeoutMs() const { return m_servoTimeoutMs; }

    // Bytes received outside an exchange and not yet framed.
    const ReportFramer& framer() const { return m_framer; }
    // Empties the report buffer (also done on every open).
    void ClearReportBuffer() { m_framer.clear(); }

  signals:
    // A port was opened: whatever was known of the board before may belong
    // to another one now.
    void portOpened();
    // One complete report (lead byte first), at most one per receive event.
    void reportReceived(const QByteArray& report);
    // The open port went away; it has been closed.
    void portLost(const QString& reason);

  private:
    // The receive event: reads what came in outside an exchange, frames it and
    // hands on at most one report.
    void CommX1Receive();
    void scheduleReceive();
    // Waits until n bytes are readable or the receive time-out passes. `due`
    // is when the last of them would be through the wire; until shortly
    // before that the event loop waits, so the window stays live, and the last
    // moments are waited for in the transport, which sees the bytes sooner.
    using Clock = BoardTransport::Clock;
    bool waitForBytes(int n, Clock::time_point due);
    // The event loop's part: until n bytes are readable or `until` passes.
    bool waitInLoop(int n, Clock::time_point until);
    // Still worth waiting on: the device is there and was not lost.
    bool deviceLive() const { return m_device && m_lostReason.isEmpty(); }
    void onTransportLost(const QString& reason);
    void closeNow();

    Services* m_services = nullptr;
    std::unique_ptr<BoardTransport> m_transport;
    QPointer<QIODevice> m_device;
    int m_portNumber = 0;
    int m_openedIndex = 0;
    ReportFramer m_framer;
    bool m_inExchange = false;
    quint64 m_wireBytes = 0;
    int m_flowDepth = 0;
    bool m_closePending = false;
    bool m_receiveQueued = false;
    int m_busyDepth = 0;
    int m_normalTimeoutMs = kNormalTimeoutMs;
    int m_servoTimeoutMs = kServoTimeoutMs;
    QString m_lostReason;
    QString m_portName;
    QString m_deviceName;
    QString m_lastFailure;
};

} // namespace qvx
