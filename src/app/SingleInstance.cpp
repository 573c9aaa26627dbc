#include "app/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace qvx {

QString SingleInstance::RuntimeDir() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir;
}

SingleInstance::SingleInstance(const QString& dir)
    : m_path((dir.isEmpty() ? RuntimeDir() : dir) + QStringLiteral("/quorvex-QVX3.lock")) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire() {
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock left by a crashed instance is taken over: QLockFile checks whether
    // the owning process still runs.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}

} // namespace qvx
