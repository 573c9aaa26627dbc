#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace qvx {

// Keeps a second copy of the program from starting on the same settings: a
// lock file in the settings folder, held for the life of the process. Two
// editors sharing one settings folder would overwrite each other's QVX3J.ini,
// whatever their runtime folders, so the settings folder is what the lock
// guards.
class SingleInstance {
public:
    static constexpr const char* kLockName = "quorvex-QVX3.lock";

    // settingsDir: the settings folder this instance uses; empty = Settings::ConfigDir().
    explicit SingleInstance(const QString& settingsDir = {});
    ~SingleInstance();

    // True when this process is the only instance (and now holds the lock).
    // A lock whose owner cannot be running (left by a crash, damaged, or not a
    // lock file at all) is taken over, and takeOverMessage() says so.
    bool acquire();
    // Where the lock is (or was last tried).
    QString lockPath() const { return m_path; }
    // "A stale lock was taken over: <path>" after acquire() replaced one; empty otherwise.
    QString takeOverMessage() const { return m_takeOverMessage; }

    static QString RuntimeDir();
    // A short name of a settings folder, the same for every spelling of the
    // same folder (links, trailing slashes, "..").
    static QString SettingsKey(const QString& settingsDir);

private:
    enum class Outcome { Held, Refused, Unusable };
    Outcome acquireAt(const QString& path);
    bool clearNonLockFile(const QString& path);
    bool ownerMayRun(const QString& path) const;

    QString m_settingsDir;
    QString m_path;
    QString m_takeOverMessage;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace qvx
