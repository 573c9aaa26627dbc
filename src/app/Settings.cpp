#include "app/Settings.h"

#include "base/Language.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace qvx {

QString Settings::ConfigDir() {
    const QString env = qEnvironmentVariable("QVX_CONFIG_DIR");
    if (!env.isEmpty()) {
        QDir().mkpath(env);
        return env;
    }
    if (QCoreApplication::instance()) {
        const QString beside = QCoreApplication::applicationDirPath();
        if (QFileInfo::exists(beside + u'/' + QLatin1String(kFileName))) return beside;
    }
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
    const QString dir = base + QStringLiteral("/quorvex");
    QDir().mkpath(dir);
    return dir;
}

QString Settings::SettingsPath() {
    return ConfigDir() + u'/' + QLatin1String(kFileName);
}

MainSettings Settings::LoadSettings(const QString& path) {
    IniFile ini(path);
    const bool read = ini.load();
    const QString sec = QLatin1String(kSection);
    MainSettings s;
    s.grid = ini.readBool(sec, QStringLiteral("Grid"), false);
    s.gridWidth = ini.readInteger(sec, QStringLiteral("GridWidth"), 2);
    s.gridHeight = ini.readInteger(sec, QStringLiteral("GridHeight"), 2);
    s.commPort = ini.readInteger(sec, QStringLiteral("CommPort"), 0);
    s.commPath = ini.readString(sec, QStringLiteral("CommPath"), QString());
    s.verifyWrite = ini.readBool(sec, QStringLiteral("VerifyWrite"), false);
    // A hand-written key; kept within what memory allows.
    s.undoLimit = std::clamp(ini.readInteger(sec, QStringLiteral("UndoLimit"), 200), 1, 100000);
    // The test write puts back what was read, unchanged; a file that could not
    // be read is left alone rather than replaced by an empty one.
    if (read) ini.save();
    return s;
}

bool Settings::SaveSettings(const QString& path, const MainSettings& s) {
    IniFile ini(path);
    if (!ini.loadAndTestWrite()) return false;
    const QString sec = QLatin1String(kSection);
    ini.writeBool(sec, QStringLiteral("Grid"), s.grid);
    ini.writeInteger(sec, QStringLiteral("GridWidth"), s.gridWidth);
    ini.writeInteger(sec, QStringLiteral("GridHeight"), s.gridHeight);
    ini.writeInteger(sec, QStringLiteral("CommPort"), s.commPort);
    // Only a file that knows a device keeps the key, as VerifyWrite below.
    if (!s.commPath.isEmpty() || ini.valueExists(sec, QStringLiteral("CommPath")))
        ini.writeString(sec, QStringLiteral("CommPath"), s.commPath);
    if (s.verifyWrite || ini.valueExists(sec, QStringLiteral("VerifyWrite")))
        ini.writeBool(sec, QStringLiteral("VerifyWrite"), s.verifyWrite);
    return ini.save();
}

QString Settings::ReadLanguage(const QString& path) {
    IniFile ini(path);
    ini.load();
    return ini.readString(QLatin1String(kSection), QLatin1String(Language::kKey),
                          QStringLiteral("auto"));
}

bool Settings::WriteLanguage(const QString& path, const QString& language) {
    IniFile ini(path);
    if (!ini.load() && QFileInfo::exists(path)) return false;
    ini.writeString(QLatin1String(kSection), QLatin1String(Language::kKey), language);
    return ini.save();
}

QString Settings::PortDevice(const IniFile& ini, int n) {
    const QString def = QStringLiteral("/dev/ttyUSB") + QString::number(n - 1);
    return ini.readString(QStringLiteral("Ports"), QStringLiteral("COM") + QString::number(n), def);
}

QString Settings::PortDevice(const QString& path, int n) {
    IniFile ini(path);
    ini.load();
    return PortDevice(ini, n);
}

} // namespace qvx
