#pragma once

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <functional>
#include <optional>

class QLocalServer;
class QLocalSocket;
class QTimer;

namespace qvx {

// Remote command messages from other programs: a local socket in the runtime
// directory that only the owner may use. A message is two 32-bit numbers,
// kindAndData (the message's kind in the top byte, data in the lower three)
// and rowOrData (a motion row, or four more data bytes), sent as 8 bytes (each
// high byte first); the running editor answers each with one byte, 1 when it
// sent a command that succeeded and 0 when it ignored the message or the
// command failed.
//
// The server stays usable under misuse: it keeps at most kMaxConnections
// clients, and when a new one comes while all are taken it closes the one
// that has been idle longest (never one whose message is being handled), so
// that clients which connect and then say nothing cannot keep a real command
// out. It closes a client that has not sent a whole message within the idle
// time-out, and listens again when its listening socket fails (a failed
// accept, for one when the process has no descriptor left, closes it) or its
// socket file disappears.
class RemoteServer : public QObject {
    Q_OBJECT
  public:
    static constexpr int kMessageSize = 8;
    static constexpr int kMaxConnections = 32;
    static constexpr int kIdleTimeoutMs = 2000;
    static constexpr int kWatchIntervalMs = 1000;

    explicit RemoteServer(QObject* parent = nullptr);
    ~RemoteServer() override;

    // The socket of the editor using the current settings folder
    // (Settings::ConfigDir()) in the current runtime directory; see PathFor.
    static QString DefaultPath();
    // "quorvex-remote-" and the settings folder's key (SingleInstance::SettingsKey)
    // in the runtime directory: each settings folder has one editor, and one socket.
    static QString PathFor(const QString& runtimeDir, const QString& settingsDir);

    // Starts listening at the path (default path when empty). A socket left
    // by a program that no longer runs is removed first; the caller holds the
    // single-instance lock, so no other editor listens there. When it fails,
    // the server keeps trying.
    bool listen(const QString& path = {});
    QString path() const { return m_path; }
    bool isListening() const;

    // How long a client may take to send a whole message (from its connection
    // or its last answer), in milliseconds.
    void setIdleTimeout(int ms) { m_idleTimeoutMs = ms; }
    // How often the listening socket is checked, in milliseconds.
    void setWatchInterval(int ms);
    // The clients connected now.
    int connectionCount() const { return int(m_clients.size()); }

    // Handles each message; its result is the answer byte.
    std::function<bool(quint32 kindAndData, quint32 rowOrData)> handler;

    // Sends one message to the running editor and waits for its answer.
    // Nothing (with a reason in error) when no editor listens or it does not answer.
    static std::optional<bool> Send(quint32 kindAndData, quint32 rowOrData, QString* error,
                                    const QString& path = {}, int timeoutMs = 5000);

  signals:
    void messageReceived(quint32 kindAndData, quint32 rowOrData);

  private:
    void onConnection();
    void onReadyRead(QLocalSocket* socket);
    void drop(QLocalSocket* socket);
    // Makes room for one more client: closes the client idle longest. False
    // when every client is waiting for its answer.
    bool dropOldestIdle();
    void watch();
    bool openSocket();

    QLocalServer* m_server = nullptr;
    QTimer* m_watch = nullptr;
    QString m_path;
    // The clients, the one idle longest (since it connected or was last
    // answered) first.
    QList<QLocalSocket*> m_clients;
    // Clients whose message the handler is working on.
    QSet<QLocalSocket*> m_serving;
    int m_idleTimeoutMs = kIdleTimeoutMs;
};

} // namespace qvx
