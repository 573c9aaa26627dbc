#include "app/RemoteServer.h"

#include "app/Settings.h"
#include "app/SingleInstance.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QtEndian>

#include <sys/stat.h>

namespace qvx {

namespace {
const char* const kIdleTimerName = "qvx_idle";
}

RemoteServer::RemoteServer(QObject* parent)
    : QObject(parent), m_server(new QLocalServer(this)), m_watch(new QTimer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &RemoteServer::onConnection);
    m_watch->setInterval(kWatchIntervalMs);
    connect(m_watch, &QTimer::timeout, this, &RemoteServer::watch);
}

RemoteServer::~RemoteServer() {
    for (QLocalSocket* socket : std::as_const(m_clients)) socket->disconnect(this);
    m_clients.clear();
    m_serving.clear();
    m_server->close();
}

QString RemoteServer::DefaultPath() {
    return PathFor(SingleInstance::RuntimeDir(), Settings::ConfigDir());
}

QString RemoteServer::PathFor(const QString& runtimeDir, const QString& settingsDir) {
    return runtimeDir + QStringLiteral("/quorvex-remote-") + SingleInstance::SettingsKey(settingsDir);
}

bool RemoteServer::listen(const QString& path) {
    m_path = path.isEmpty() ? DefaultPath() : path;
    m_watch->start();
    return openSocket();
}

bool RemoteServer::isListening() const {
    return m_server->isListening();
}

void RemoteServer::setWatchInterval(int ms) {
    m_watch->setInterval(ms);
}

bool RemoteServer::openSocket() {
    m_server->close();
    QLocalServer::removeServer(m_path);
    return m_server->listen(m_path);
}

// QLocalServer closes its listening socket, and removes its file, when an
// accept fails, and says nothing; a cleaner of the runtime directory may
// remove the file under a listening socket. Either way no client could reach
// the editor again, so the socket is opened anew (and retried while that
// fails, as it does while the process has no descriptor left).
void RemoteServer::watch() {
    if (m_path.isEmpty()) return;
    if (m_server->isListening()) {
        struct stat st {};
        if (::lstat(QFile::encodeName(m_path).constData(), &st) == 0 && S_ISSOCK(st.st_mode)) return;
    }
    openSocket();
}

void RemoteServer::onConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        // Each client holds a descriptor; a flood of them must not use up the
        // process's supply (which also ends the listening socket). A new
        // client is more likely to have something to say than one that has
        // been silent longest, so that one makes room.
        if (m_clients.size() >= kMaxConnections && !dropOldestIdle()) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        m_clients.append(socket);
        auto* idle = new QTimer(socket);
        idle->setObjectName(QLatin1String(kIdleTimerName));
        idle->setSingleShot(true);
        connect(idle, &QTimer::timeout, this, [this, socket] { drop(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { drop(socket); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        idle->start(m_idleTimeoutMs);
        if (socket->bytesAvailable() > 0) onReadyRead(socket);
    }
}

void RemoteServer::drop(QLocalSocket* socket) {
    if (!m_clients.removeOne(socket)) return;
    m_serving.remove(socket);
    socket->abort();
    socket->deleteLater();
}

bool RemoteServer::dropOldestIdle() {
    for (QLocalSocket* socket : std::as_const(m_clients)) {
        if (m_serving.contains(socket)) continue;
        drop(socket);
        return true;
    }
    return false;
}

void RemoteServer::onReadyRead(QLocalSocket* socket) {
    QPointer<QLocalSocket> guard(socket);
    while (guard && guard->bytesAvailable() >= kMessageSize) {
        QTimer* idle = guard->findChild<QTimer*>(QLatin1String(kIdleTimerName), Qt::FindDirectChildrenOnly);
        // The time the handler takes is not the client's.
        if (idle) idle->stop();
        const QByteArray m = guard->read(kMessageSize);
        const quint32 w = qFromBigEndian<quint32>(m.constData());
        const quint32 l = qFromBigEndian<quint32>(m.constData() + 4);
        emit messageReceived(w, l);
        // The handler may run a board command, which waits in a nested event
        // loop; the client may be gone by the time it ends. Meanwhile it is
        // not idle, and new clients do not take its place.
        m_serving.insert(socket);
        const bool ok = handler ? handler(w, l) : false;
        m_serving.remove(socket);
        if (!guard) return;
        guard->write(QByteArray(1, ok ? char(1) : char(0)));
        guard->flush();
        if (!m_clients.removeOne(guard)) return;
        // Answered: its idle time starts now.
        m_clients.append(guard);
        if (idle) idle->start(m_idleTimeoutMs);
    }
}

std::optional<bool> RemoteServer::Send(quint32 kindAndData, quint32 rowOrData, QString* error,
                                       const QString& path, int timeoutMs) {
    QLocalSocket socket;
    const QString server = path.isEmpty() ? DefaultPath() : path;
    socket.connectToServer(server);
    if (!socket.waitForConnected(timeoutMs)) {
        if (error)
            *error = QStringLiteral("no editor is running (nothing listens on ") + server + u')';
        return std::nullopt;
    }
    char m[kMessageSize];
    qToBigEndian<quint32>(kindAndData, m);
    qToBigEndian<quint32>(rowOrData, m + 4);
    socket.write(m, kMessageSize);
    socket.flush();
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(timeoutMs)) {
            if (error) *error = QStringLiteral("the editor did not answer");
            return std::nullopt;
        }
    }
    char answer = 0;
    socket.getChar(&answer);
    socket.disconnectFromServer();
    return answer == 1;
}

} // namespace qvx
