#include "editor/FileTypeRegistry.h"

#include "editor/FileTypeData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace qvx {

namespace {

const char* const kBaseName = "quorvex-qmx";

bool writeText(const QString& path, const QString& text) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = text.toUtf8();
    // commit() does not see a flush that falls short; checked here so that a
    // cut file never replaces the old one.
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool removeFile(const QString& path) {
    return !QFile::exists(path) || QFile::remove(path);
}

// Refreshes the desktop's caches for the data directory, when the tools exist.
void refreshDesktopCaches(const QString& dataDir) {
    const QString mime = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (!mime.isEmpty()) QProcess::startDetached(mime, {dataDir + QStringLiteral("/mime")});
    const QString apps = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
    if (!apps.isEmpty()) QProcess::startDetached(apps, {dataDir + QStringLiteral("/applications")});
}


} // namespace

FileTypeRegistry::FileTypeRegistry(const QString& dataDir, const QString& programPath)
    : notify(refreshDesktopCaches), m_dataDir(dataDir), m_programPath(programPath) {
    if (m_dataDir.isEmpty())
        m_dataDir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (m_programPath.isEmpty()) m_programPath = QCoreApplication::applicationFilePath();
}

QString FileTypeRegistry::mimePackagePath() const {
    return m_dataDir + QStringLiteral("/mime/packages/") + QLatin1String(kBaseName) +
           QStringLiteral(".xml");
}

QString FileTypeRegistry::desktopFilePath() const {
    return m_dataDir + QStringLiteral("/applications/") + QLatin1String(kBaseName) +
           QStringLiteral(".desktop");
}

QString FileTypeRegistry::iconPath() const {
    return m_dataDir + QStringLiteral("/icons/hicolor/scalable/mimetypes/application-x-") +
           QLatin1String(kBaseName) + QStringLiteral(".svg");
}

QString FileTypeRegistry::MimePackageText() {
    return QString::fromUtf8(FileTypeData::kMimePackage);
}

QString FileTypeRegistry::QuoteExecArgument(const QString& path) {
    // Inside a quoted argument ", `, $ and \ are escaped with a backslash; a
    // literal % is written %% because Exec gives % its own meaning.
    QString out;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') out += u'\\';
        if (c == u'%') out += u'%';
        out += c;
    }
    // The desktop file is read with its own escapes first, so every backslash doubles again.
    out.replace(QStringLiteral("\\"), QStringLiteral("\\\\"));
    return u'"' + out + u'"';
}

QString FileTypeRegistry::DesktopFileText() const {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Quorvex J\n"
                          "Comment=QMX data file\n"
                          "Comment[ja]=QMXデータファイル\n"
                          "Exec=%1 %f\n"
                          "Icon=application-x-%2\n"
                          "MimeType=%3;\n"
                          "NoDisplay=true\n"
                          "Terminal=false\n")
        .arg(QuoteExecArgument(m_programPath), QLatin1String(kBaseName), QLatin1String(kMimeType));
}

bool FileTypeRegistry::RegisterFileType(bool on) {
    bool ok;
    if (on) {
        ok = writeText(mimePackagePath(), MimePackageText()) &&
             writeText(iconPath(), QString::fromUtf8(FileTypeData::kTypeIcon)) &&
             writeText(desktopFilePath(), DesktopFileText());
    } else {
        ok = removeFile(mimePackagePath());
        ok = removeFile(iconPath()) && ok;
        ok = removeFile(desktopFilePath()) && ok;
    }
    if (notify) notify(m_dataDir);
    return ok;
}

bool FileTypeRegistry::FileTypeRegistered() const {
    return QFile::exists(mimePackagePath());
}

} // namespace qvx
