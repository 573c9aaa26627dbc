#include "app/RemoteServer.h"
#include "app/SingleInstance.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace qvx;

namespace {

const QString kLockName = QStringLiteral("quorvex-QVX3.lock");
const QString kTakenOver = QStringLiteral("A stale lock was taken over: ");

// Sets an environment variable for the life of the object.
class EnvGuard {
  public:
    EnvGuard(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        qputenv(name, value);
    }
    ~EnvGuard() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

  private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

// The pid written in a lock file by QLockFile, 0 when it has none.
qint64 lockOwner(const QString& path) {
    QLockFile reader(path);
    qint64 pid = 0;
    return reader.getLockInfo(&pid, nullptr, nullptr) ? pid : 0;
}

// An editor start in another process: this test program running
// InstanceLockHolder with the given settings and runtime folders.
class Holder {
  public:
    Holder(const QString& settingsDir, const QString& runtimeDir) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QVX_CONFIG_DIR"), settingsDir);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_process.setProcessEnvironment(env);
        m_process.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("-class"), QStringLiteral("InstanceLockHolder")});
    }
    ~Holder() {
        if (m_process.state() == QProcess::NotRunning) return;
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // "held" or "refused", once the child has tried; empty when it said nothing.
    QString outcome() {
        while (m_outcome.isEmpty()) {
            const QByteArray line = m_process.readLine();
            if (line.startsWith("lock: ")) {
                m_outcome = QString::fromLatin1(line.mid(6).trimmed());
            } else if (line.isEmpty() && !m_process.waitForReadyRead(20000)) {
                break;
            }
        }
        return m_outcome;
    }
    // Ends the child as a crash would: its lock file stays behind.
    void crash() {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    void end() {
        m_process.closeWriteChannel();
        m_process.waitForFinished(10000);
    }

  private:
    QProcess m_process;
    QString m_outcome;
};

} // namespace

// Run in a child process by InstanceLockTest: starts as the editor does (the
// settings folder and runtime folder from the environment), says whether it
// holds the lock, and keeps it until its standard input closes.
class InstanceLockHolder : public QObject {
    Q_OBJECT
  private slots:
    void hold() {
        SingleInstance instance;
        const bool held = instance.acquire();
        std::printf("lock: %s\n", held ? "held" : "refused");
        std::fflush(stdout);
        if (held)
            while (std::fgetc(stdin) != EOF) {
            }
    }
};

// The single-instance lock: taken over when damaged or left by a process that
// ended, refused while a live editor holds it, and tied to the settings folder.
class InstanceLockTest : public QObject {
    Q_OBJECT

  private slots:
    void damagedLock_isTakenOverAndSaidSo_data() {
        QTest::addColumn<QString>("form");
        QTest::newRow("empty file") << "empty";
        QTest::newRow("garbage bytes") << "garbage";
        QTest::newRow("empty directory") << "directory";
        QTest::newRow("directory with files") << "full directory";
        QTest::newRow("another host") << "another host";
        QTest::newRow("symbolic link") << "symlink";
        QTest::newRow("named pipe") << "fifo";
    }
    void damagedLock_isTakenOverAndSaidSo() {
        QFETCH(QString, form);
        QTemporaryDir settings;
        const QString lock = settings.filePath(kLockName);
        if (form == QLatin1String("empty")) {
            QVERIFY(qvxtest::writeFile(lock, {}));
        } else if (form == QLatin1String("garbage")) {
            QVERIFY(qvxtest::writeFile(lock, QByteArray("\x89\xff\0zz\n\n\x01", 8).repeated(100)));
        } else if (form == QLatin1String("directory")) {
            QVERIFY(QDir().mkdir(lock));
        } else if (form == QLatin1String("full directory")) {
            QVERIFY(QDir().mkpath(lock + QStringLiteral("/inner")));
            QVERIFY(qvxtest::writeFile(lock + QStringLiteral("/inner/file"), "x"));
        } else if (form == QLatin1String("another host")) {
            // Process 1 runs on every host, so the pid alone cannot decide.
            QVERIFY(qvxtest::writeFile(lock, "1\nquorvex\nelsewhere.invalid\n"));
        } else if (form == QLatin1String("symlink")) {
            QVERIFY(QFile::link(settings.filePath(QStringLiteral("nowhere")), lock));
        } else if (form == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(lock).constData(), 0600), 0);
        }

        auto instance = std::make_unique<SingleInstance>(settings.path());
        QVERIFY(instance->acquire());
        QCOMPARE(instance->lockPath(), lock);
        QCOMPARE(instance->takeOverMessage(), kTakenOver + lock);
        QCOMPARE(lockOwner(lock), QCoreApplication::applicationPid());

        // The lock now taken is a sound one: a second start is refused...
        SingleInstance second(settings.path());
        QVERIFY(!second.acquire());
        QVERIFY(second.takeOverMessage().isEmpty());
        // ...until the first ends, which leaves nothing to take over.
        instance.reset();
        QVERIFY(!QFileInfo::exists(lock));
        SingleInstance third(settings.path());
        QVERIFY(third.acquire());
        QVERIFY(third.takeOverMessage().isEmpty());
    }

    void anotherHostsLock_stillInUse_isRefused() {
        // A lock naming another host whose file someone holds locked, as an
        // editor on that host sharing this folder over a network would.
        QTemporaryDir settings;
        const QString lock = settings.filePath(kLockName);
        QVERIFY(qvxtest::writeFile(lock, "4242\nquorvex\nelsewhere.invalid\n"));
        const int fd = ::open(QFile::encodeName(lock).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(fd >= 0);
        QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);
        {
            SingleInstance instance(settings.path());
            QVERIFY(!instance.acquire());
        }
        QCOMPARE(qvxtest::readFile(lock), QByteArray("4242\nquorvex\nelsewhere.invalid\n"));
        ::close(fd);
        SingleInstance instance(settings.path());
        QVERIFY(instance.acquire());
        QCOMPARE(instance.takeOverMessage(), kTakenOver + lock);
    }

    void liveLockOfAnotherProcess_isRefused_crashedOneTakenOver() {
        QTemporaryDir settings, runtime;
        const QString lock = settings.filePath(kLockName);
        {
            Holder other(settings.path(), runtime.path());
            QCOMPARE(other.outcome(), QStringLiteral("held"));
            const qint64 pid = lockOwner(lock);
            QVERIFY(pid > 0 && pid != QCoreApplication::applicationPid());

            SingleInstance instance(settings.path());
            QVERIFY(!instance.acquire());
            QCOMPARE(lockOwner(lock), pid);

            other.crash();
        }
        // The crashed editor's lock stays behind and is taken over.
        QVERIFY(QFileInfo::exists(lock));
        SingleInstance instance(settings.path());
        QVERIFY(instance.acquire());
        QCOMPARE(instance.takeOverMessage(), kTakenOver + lock);
    }

    void sameSettingsFolder_isOneInstanceWhateverTheRuntimeFolder() {
        QTemporaryDir settings, otherSettings, runtimeA, runtimeB;
        Holder first(settings.path(), runtimeA.path());
        QCOMPARE(first.outcome(), QStringLiteral("held"));
        Holder sameSettings(settings.path(), runtimeB.path());
        QCOMPARE(sameSettings.outcome(), QStringLiteral("refused"));
        Holder otherFolder(otherSettings.path(), runtimeB.path());
        QCOMPARE(otherFolder.outcome(), QStringLiteral("held"));
        first.end();
        Holder afterFirst(settings.path(), runtimeB.path());
        QCOMPARE(afterFirst.outcome(), QStringLiteral("held"));
    }

    void unusableSettingsFolder_lockGoesToTheRuntimeFolder() {
        // A folder that cannot hold the lock file (here: a path under a plain
        // file) must not keep the editor from starting.
        QTemporaryDir scratch, runtime;
        const QString plain = scratch.filePath(QStringLiteral("plain"));
        QVERIFY(qvxtest::writeFile(plain, "x"));
        const EnvGuard env("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        const QString settings = plain + QStringLiteral("/sub");
        SingleInstance first(settings);
        QVERIFY(first.acquire());
        QCOMPARE(QFileInfo(first.lockPath()).absolutePath(), runtime.path());
        SingleInstance second(settings);
        QVERIFY(!second.acquire());
    }

    void helpAndVersion_answerWithoutDisplayWindowOrLock_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("starts");
        QTest::newRow("--help") << "--help"
                                << "Usage: quorvex [FILE]\n";
        QTest::newRow("-h") << "-h"
                            << "Usage: quorvex [FILE]\n";
        QTest::newRow("--version") << "--version"
                                   << "quorvex 3.";
    }
    void helpAndVersion_answerWithoutDisplayWindowOrLock() {
        QFETCH(QString, option);
        QFETCH(QString, starts);
        QTemporaryDir settings;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* display : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QLatin1String(display));
        env.insert(QStringLiteral("QVX_CONFIG_DIR"), settings.path());
        QProcess editor;
        editor.setProcessEnvironment(env);
        editor.start(QStringLiteral(QVX_BUILD_DIR "/quorvex"), {option});
        QVERIFY(editor.waitForFinished(20000));
        QCOMPARE(editor.exitCode(), 0);
        QVERIFY(QString::fromUtf8(editor.readAllStandardOutput()).startsWith(starts));
        QCOMPARE(editor.readAllStandardError(), QByteArray());
        QVERIFY(!QFile::exists(QDir(settings.path()).filePath(kLockName)));
    }

    void remoteSocket_isNamedAfterTheSettingsFolder() {
        QTemporaryDir settings, otherSettings, runtime;
        const QString link = otherSettings.filePath(QStringLiteral("link"));
        QVERIFY(QFile::link(settings.path(), link));
        const QString path = RemoteServer::PathFor(runtime.path(), settings.path());
        QCOMPARE(QFileInfo(path).absolutePath(), runtime.path());
        // Every spelling of the same folder gives the same socket...
        QCOMPARE(RemoteServer::PathFor(runtime.path(), settings.path() + QStringLiteral("/")), path);
        QCOMPARE(RemoteServer::PathFor(runtime.path(), link), path);
        QCOMPARE(RemoteServer::PathFor(runtime.path(), settings.path() + QStringLiteral("/x/..")), path);
        // ...and another folder another one.
        QVERIFY(RemoteServer::PathFor(runtime.path(), otherSettings.path()) != path);

        // The editor's own socket follows QVX_CONFIG_DIR and XDG_RUNTIME_DIR.
        const EnvGuard config("QVX_CONFIG_DIR", QFile::encodeName(link));
        const EnvGuard run("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        QCOMPARE(RemoteServer::DefaultPath(), path);
    }
};

QVX_TEST_CLASS(InstanceLockTest)
QVX_TEST_CLASS_ON_REQUEST(InstanceLockHolder)
#include "InstanceLockTest.moc"
