#include "app/RemoteServer.h"
#include "common/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

using namespace qvx;

namespace {

// The 8 bytes of one message.
QByteArray message(quint32 w, quint32 l) {
    char m[RemoteServer::kMessageSize];
    qToBigEndian<quint32>(w, m);
    qToBigEndian<quint32>(l, m + 4);
    return QByteArray(m, sizeof m);
}

// One message sent on a connection of its own, waiting for the answer byte
// while the event loop (and so the server, which lives on it) keeps running.
// -1 when no answer came.
int ask(const QString& path, quint32 w, quint32 l) {
    QLocalSocket client;
    client.connectToServer(path);
    if (client.state() != QLocalSocket::ConnectedState) {
        QSignalSpy connected(&client, &QLocalSocket::connected);
        if (!connected.wait(3000)) return -1;
    }
    client.write(message(w, l));
    QSignalSpy readable(&client, &QLocalSocket::readyRead);
    while (client.bytesAvailable() < 1)
        if (!readable.wait(3000)) return -1;
    char answer = 0;
    client.getChar(&answer);
    return answer;
}

int connectedCount(const std::vector<std::unique_ptr<QLocalSocket>>& clients) {
    int n = 0;
    for (const auto& c : clients) n += c->state() == QLocalSocket::ConnectedState;
    return n;
}

bool stillConnecting(const std::vector<std::unique_ptr<QLocalSocket>>& clients) {
    for (const auto& c : clients)
        if (c->state() == QLocalSocket::ConnectingState) return true;
    return false;
}

// The highest descriptor number this process has open.
int highestOpenDescriptor() {
    int highest = 2;
    const QStringList names = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System);
    for (const QString& name : names) highest = qMax(highest, name.toInt());
    return highest;
}

} // namespace

// The remote command socket under hostile use: more clients than it keeps,
// clients that never finish a message, and failures of the listening socket.
class RemoteServerTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QList<QPair<quint32, quint32>> m_got;

    void listen(RemoteServer& server, const QString& path) {
        server.handler = [this](quint32 w, quint32 l) {
            m_got.append({w, l});
            return true;
        };
        QVERIFY(server.listen(path));
    }
    // Listens at a path of its own, with the idle time-out given, and connects
    // one client to it.
    QString listenWithClient(RemoteServer& server, const QString& name, int idleMs,
                             QLocalSocket& client) {
        server.setIdleTimeout(idleMs);
        const QString path = m_dir.filePath(name);
        listen(server, path);
        client.connectToServer(path);
        client.waitForConnected(2000);
        return path;
    }

  private slots:
    void init() { m_got.clear(); }

    void flood_keepsAtMostTheBoundDropsIdleClientsAndStillAnswers() {
        RemoteServer server;
        server.setIdleTimeout(3000);
        const QString path = m_dir.filePath(QStringLiteral("flood"));
        listen(server, path);

        // Far more clients than the server keeps; none of them sends anything.
        const int bound = RemoteServer::kMaxConnections;
        std::vector<std::unique_ptr<QLocalSocket>> clients;
        for (int i = 0; i < bound * 3; ++i) {
            clients.push_back(std::make_unique<QLocalSocket>());
            clients.back()->connectToServer(path);
        }
        // Those beyond the bound are closed as soon as the server sees them.
        QTRY_VERIFY_WITH_TIMEOUT(!stillConnecting(clients) && connectedCount(clients) <= bound, 3000);
        QCOMPARE(server.connectionCount(), bound);

        // None of the kept ones stays past the time-out without sending a
        // whole message, and a real message is answered afterwards.
        QTRY_COMPARE_WITH_TIMEOUT(connectedCount(clients), 0, 8000);
        QTRY_COMPARE_WITH_TIMEOUT(server.connectionCount(), 0, 2000);
        QCOMPARE(ask(path, 0, 7), 1);
        QCOMPARE(m_got, (QList<QPair<quint32, quint32>>{{0, 7}}));
    }

    void allTakenByIdleClients_aNewOneTakesThePlaceOfTheOldestIdle() {
        RemoteServer server;
        QLocalSocket first;
        // Nobody is timed out while the test runs: only a new client makes room.
        const QString path = listenWithClient(server, QStringLiteral("full"), 60000, first);
        QCOMPARE(first.state(), QLocalSocket::ConnectedState);
        std::vector<std::unique_ptr<QLocalSocket>> idle;
        for (int i = 1; i < RemoteServer::kMaxConnections; ++i) {
            idle.push_back(std::make_unique<QLocalSocket>());
            idle.back()->connectToServer(path);
        }
        QTRY_COMPARE_WITH_TIMEOUT(server.connectionCount(), RemoteServer::kMaxConnections, 3000);

        // While the first (and oldest) client's message is handled, a command
        // comes in on a connection of its own, as `qvx remote play` sends it.
        int nested = -2;
        server.handler = [&](quint32 w, quint32 l) {
            m_got.append({w, l});
            if (l == 1) nested = ask(path, 0, 2);
            return true;
        };
        first.write(message(0, 1));
        QTRY_COMPARE_WITH_TIMEOUT(first.bytesAvailable(), qint64(1), 8000);
        QCOMPARE(first.readAll(), QByteArray(1, char(1)));
        QCOMPARE(nested, 1);
        QCOMPARE(m_got, (QList<QPair<quint32, quint32>>{{0, 1}, {0, 2}}));

        // The idle client that came first made room; the one being handled
        // and the later idle ones kept their connections.
        QTRY_COMPARE_WITH_TIMEOUT(idle[0]->state(), QLocalSocket::UnconnectedState, 2000);
        QCOMPARE(first.state(), QLocalSocket::ConnectedState);
        for (size_t i = 1; i < idle.size(); ++i)
            QCOMPARE(idle[i]->state(), QLocalSocket::ConnectedState);
    }

    void halfMessage_isDroppedAfterTheTimeOut_wholeOnesKeepTheConnection() {
        RemoteServer server;
        QLocalSocket half;
        const QString path = listenWithClient(server, QStringLiteral("half"), 1000, half);
        QCOMPARE(half.state(), QLocalSocket::ConnectedState);
        half.write(QByteArray(RemoteServer::kMessageSize - 1, '\0'));
        half.flush();

        // A client sending a whole message now and then stays connected well
        // past the time-out, and is answered each time.
        QLocalSocket steady;
        steady.connectToServer(path);
        QVERIFY(steady.waitForConnected(2000));
        for (quint32 i = 1; i <= 4; ++i) {
            // Time must pass between messages: four of these outlast the time-out.
            QTest::qWait(400);
            steady.write(message(0, i));
            QTRY_COMPARE_WITH_TIMEOUT(steady.bytesAvailable(), qint64(1), 2000);
            QCOMPARE(steady.readAll(), QByteArray(1, char(1)));
        }
        QCOMPARE(steady.state(), QLocalSocket::ConnectedState);
        QTRY_COMPARE_WITH_TIMEOUT(half.state(), QLocalSocket::UnconnectedState, 2000);
        QCOMPARE(m_got, (QList<QPair<quint32, quint32>>{{0, 1}, {0, 2}, {0, 3}, {0, 4}}));
    }

    void acceptFailure_listeningResumesAfterwards() {
        RemoteServer server;
        const QString path = m_dir.filePath(QStringLiteral("accept"));
        listen(server, path);

        // A client socket made while descriptors are still free; it connects
        // once none is left, so the server's accept fails.
        const int client = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        QVERIFY(client >= 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const QByteArray native = QFile::encodeName(path);
        QVERIFY(size_t(native.size()) < sizeof addr.sun_path);
        memcpy(addr.sun_path, native.constData(), size_t(native.size()));

        rlimit old{};
        QVERIFY(getrlimit(RLIMIT_NOFILE, &old) == 0);
        rlimit low = old;
        low.rlim_cur = rlim_t(highestOpenDescriptor() + 1);
        QVERIFY(setrlimit(RLIMIT_NOFILE, &low) == 0);
        std::vector<int> fillers;
        for (;;) {
            const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
            if (fd < 0) break;
            fillers.push_back(fd);
        }
        const int connected = ::connect(client, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        const int connectErrno = errno;
        // Let the server try (and fail) to accept while nothing is free. No
        // test macro may return here: the descriptors must be given back first.
        const bool goneMeanwhile = QTest::qWaitFor([&] { return !QFile::exists(path); }, 2000);
        for (int fd : fillers) ::close(fd);
        setrlimit(RLIMIT_NOFILE, &old);
        ::close(client);
        QVERIFY2(connected == 0, strerror(connectErrno));
        // The failed accept closed the listening socket and removed its file...
        QVERIFY(goneMeanwhile);

        // ...and the server listens again by itself.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path), 5000);
        QCOMPARE(ask(path, 0, 11), 1);
        QCOMPARE(m_got, (QList<QPair<quint32, quint32>>{{0, 11}}));
    }

    void socketFileRemoved_isMadeAgain() {
        RemoteServer server;
        const QString path = m_dir.filePath(QStringLiteral("removed"));
        listen(server, path);
        QCOMPARE(ask(path, 0, 1), 1);

        QVERIFY(QFile::remove(path));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path), 5000);
        QCOMPARE(ask(path, 0, 2), 1);
        QCOMPARE(m_got, (QList<QPair<quint32, quint32>>{{0, 1}, {0, 2}}));
    }
};

QVX_TEST_CLASS(RemoteServerTest)
#include "RemoteServerTest.moc"
