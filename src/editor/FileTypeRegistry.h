#pragma once

#include <QString>
#include <functional>

namespace qvx {

// The association of ".qmx" files with this program on the desktop: a
// freedesktop MIME package, an icon for the type and a .desktop file in the
// user's data directory (by default ~/.local/share). The directory is given
// at construction so that tests can point it elsewhere.
class FileTypeRegistry {
  public:
    static constexpr const char* kMimeType = "application/x-quorvex-qmx";

    // Empty arguments take the user's data directory and this program's path.
    explicit FileTypeRegistry(const QString& dataDir = QString(),
                              const QString& programPath = QString());

    // Writes the registration (on) or removes it (off), then tells the desktop
    // that file associations changed. Returns false when a file could not be
    // written or removed.
    bool RegisterFileType(bool on);
    // Whether the MIME package of the type is in place.
    bool FileTypeRegistered() const;

    QString dataDir() const { return m_dataDir; }
    QString mimePackagePath() const;
    QString desktopFilePath() const;
    QString iconPath() const;

    // The text of the MIME package and the .desktop file.
    static QString MimePackageText();
    QString DesktopFileText() const;
    // A program path as one argument of a desktop file's Exec key.
    static QString QuoteExecArgument(const QString& path);

    // Told the data directory after every change; by default it refreshes the
    // desktop's MIME and application caches when their tools are installed.
    std::function<void(const QString& dataDir)> notify;

  private:
    QString m_dataDir;
    QString m_programPath;
};

} // namespace qvx
