#include "base/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace qvx {

QString FindDataFolder(const QString& subfolder) {
    const QString relative = QStringLiteral("share/quorvex/") + subfolder;
    QDir dir(QCoreApplication::applicationDirPath());
    for (int up = 0; up < 4; ++up) {
        if (QFileInfo(dir.filePath(relative)).isDir()) return dir.filePath(relative);
        if (!dir.cdUp()) break;
    }
    return {};
}

} // namespace qvx
