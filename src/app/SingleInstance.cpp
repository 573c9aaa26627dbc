#include "app/SingleInstance.h"

#include "app/Settings.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>

#include <cerrno>
#include <signal.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qvx {

namespace {

// What QLockFile writes: pid, program name, host name, machine id, boot id,
// one a line. A file it did not write (whole) may hold anything.
struct LockInfo {
    qint64 pid = 0;
    QByteArray host, hostId, bootId;
};

bool readLockInfo(const QString& path, LockInfo* info) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return false;
    // A real lock is well under a kilobyte; more is garbage and not read.
    char buffer[1024];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    if (n <= 0) return false;
    const QList<QByteArray> lines = QByteArray(buffer, qsizetype(n)).split('\n');
    bool ok = false;
    info->pid = lines.value(0).toLongLong(&ok);
    info->host = lines.value(2);
    info->hostId = lines.value(3);
    info->bootId = lines.value(4);
    return ok && info->pid > 0;
}

} // namespace

QString SingleInstance::RuntimeDir() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir;
}

QString SingleInstance::SettingsKey(const QString& settingsDir) {
    const QString clean = QDir::cleanPath(QFileInfo(settingsDir).absoluteFilePath());
    const QString canonical = QFileInfo(clean).canonicalFilePath();
    const QByteArray name = (canonical.isEmpty() ? clean : canonical).toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(name, QCryptographicHash::Sha256).toHex().left(12));
}

SingleInstance::SingleInstance(const QString& settingsDir)
    : m_settingsDir(settingsDir.isEmpty() ? Settings::ConfigDir() : settingsDir) {
    m_path = QDir(m_settingsDir).filePath(QLatin1String(kLockName));
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire() {
    m_takeOverMessage.clear();
    switch (acquireAt(QDir(m_settingsDir).filePath(QLatin1String(kLockName)))) {
    case Outcome::Held: return true;
    case Outcome::Refused: return false;
    case Outcome::Unusable: break;
    }
    // The settings folder cannot hold the lock (read-only, or not a folder).
    // Nothing is saved there then either, so a lock in the runtime folder,
    // named after the settings folder, guards well enough.
    const QString fallback = RuntimeDir() + QStringLiteral("/quorvex-QVX3-") + SettingsKey(m_settingsDir) +
                             QStringLiteral(".lock");
    return acquireAt(fallback) == Outcome::Held;
}

SingleInstance::Outcome SingleInstance::acquireAt(const QString& path) {
    m_path = path;
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    const bool existed = ::lstat(native.constData(), &st) == 0;
    if (!clearNonLockFile(path)) return Outcome::Unusable;

    m_lock = std::make_unique<QLockFile>(path);
    // No age limit: the lock is held for as long as the editor runs.
    // QLockFile itself takes over a lock of this host whose process has ended.
    m_lock->setStaleLockTime(0);
    bool held = m_lock->tryLock(0);
    if (!held) {
        if (m_lock->error() != QLockFile::LockFailedError) return Outcome::Unusable;
        if (ownerMayRun(path)) return Outcome::Refused;
        // The file names no process of this host that still runs: it is
        // damaged (empty, garbled, cut short) or names another host. QLockFile
        // keeps an advisory lock on the file while its owner lives, and on a
        // network folder that lock reaches other hosts too; removeStaleLockFile()
        // takes that lock before deleting the file and fails while anyone holds
        // it. So an editor on another host sharing this folder keeps its lock,
        // and one that no longer runs (or a host that was renamed, as containers
        // are at every start) does not keep every later start out.
        // Two starts taking over at once go one after the other, and the
        // second finds the first's sound lock.
        QLockFile turn(path + QStringLiteral(".rmlock"));
        if (!turn.tryLock(0)) return Outcome::Refused;
        if (ownerMayRun(path) || !m_lock->removeStaleLockFile()) return Outcome::Refused;
        held = m_lock->tryLock(0);
        if (!held) return m_lock->error() == QLockFile::LockFailedError ? Outcome::Refused : Outcome::Unusable;
    }
    // Something lay at the path before and is gone now: a lock left by an
    // editor that ended without removing it, or one of the forms above.
    if (existed)
        m_takeOverMessage =
            QCoreApplication::translate("qvx::SingleInstance", "A stale lock was taken over: %1")
                .arg(path);
    return Outcome::Held;
}

// A lock file is a plain file. Anything else at its path (a folder, a link, a
// pipe) keeps QLockFile from ever creating one, and a pipe would even block
// the reading of its contents, so it is cleared away first: a folder with
// something in it is renamed aside rather than deleted, anything else only
// loses its name. False when it cannot be cleared.
bool SingleInstance::clearNonLockFile(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0 || S_ISREG(st.st_mode)) return true;
    if (!S_ISDIR(st.st_mode)) return ::unlink(native.constData()) == 0;
    if (::rmdir(native.constData()) == 0) return true;
    const QByteArray aside =
        native + ".damaged-" + QByteArray::number(QDateTime::currentMSecsSinceEpoch());
    return ::rename(native.constData(), aside.constData()) == 0;
}

// True when the lock names a process of this host that is still there; then
// the lock is honoured whatever the state of the file's advisory lock.
bool SingleInstance::ownerMayRun(const QString& path) const {
    LockInfo info;
    if (!readLockInfo(path, &info)) return false;
    bool sameHost = info.host.isEmpty() || info.host == QSysInfo::machineHostName().toUtf8();
    const QByteArray ourId = QSysInfo::machineUniqueId();
    if (!info.hostId.isEmpty() && !ourId.isEmpty()) sameHost = info.hostId == ourId;
    if (!sameHost) return false;
    if (!info.bootId.isEmpty() && info.bootId != QSysInfo::bootUniqueId()) return false;
    return ::kill(pid_t(info.pid), 0) == 0 || errno != ESRCH;
}

} // namespace qvx
