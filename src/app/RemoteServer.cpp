#include "app/RemoteServer.h"

#include "app/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QtEndian>

namespace qvx {

RemoteServer::RemoteServer(QObject* parent) : QObject(parent), m_server(new QLocalServer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &RemoteServer::onConnection);
}

RemoteServer::~RemoteServer() {
    m_server->close();
}

QString RemoteServer::DefaultPath() {
    return SingleInstance::RuntimeDir() + QStringLiteral("/quorvex-remote");
}

bool RemoteServer::listen(const QString& path) {
    m_path = path.isEmpty() ? DefaultPath() : path;
    QLocalServer::removeServer(m_path);
    return m_server->listen(m_path);
}

void RemoteServer::onConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        if (socket->bytesAvailable() > 0) onReadyRead(socket);
    }
}

void RemoteServer::onReadyRead(QLocalSocket* socket) {
    QPointer<QLocalSocket> guard(socket);
    while (guard && guard->bytesAvailable() >= kMessageSize) {
        const QByteArray m = guard->read(kMessageSize);
        const quint32 w = qFromBigEndian<quint32>(m.constData());
        const quint32 l = qFromBigEndian<quint32>(m.constData() + 4);
        emit messageReceived(w, l);
        // The handler may run a board command, which waits in a nested event
        // loop; the client may be gone by the time it ends.
        const bool ok = handler ? handler(w, l) : false;
        if (!guard) return;
        guard->write(QByteArray(1, ok ? char(1) : char(0)));
        guard->flush();
    }
}

std::optional<bool> RemoteServer::Send(quint32 wParam, quint32 lParam, QString* error,
                                       const QString& path, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(path.isEmpty() ? DefaultPath() : path);
    if (!socket.waitForConnected(timeoutMs)) {
        if (error)
            *error = QStringLiteral("The editor is not running (") + socket.errorString() + u')';
        return std::nullopt;
    }
    char m[kMessageSize];
    qToBigEndian<quint32>(wParam, m);
    qToBigEndian<quint32>(lParam, m + 4);
    socket.write(m, kMessageSize);
    socket.flush();
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(timeoutMs)) {
            if (error) *error = QStringLiteral("The editor did not answer");
            return std::nullopt;
        }
    }
    char answer = 0;
    socket.getChar(&answer);
    socket.disconnectFromServer();
    return answer == 1;
}

} // namespace qvx
