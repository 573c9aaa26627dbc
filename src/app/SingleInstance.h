#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace qvx {

// Keeps a second copy of the program from starting: a lock file in the user's
// runtime directory, held for the life of the process.
class SingleInstance {
public:
    // dir: where the lock lives; empty = the runtime directory.
    explicit SingleInstance(const QString& dir = {});
    ~SingleInstance();

    // True when this process is the only instance (and now holds the lock).
    bool acquire();
    QString lockPath() const { return m_path; }

    static QString RuntimeDir();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace qvx
