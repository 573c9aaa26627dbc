#pragma once

#include "document/IniFile.h"
#include "document/SettingsFile.h"

#include <QString>

namespace qvx {

// The main window's keys of "QVX3J.ini", section "QVX3". Other keys of the
// file (the pose window's layout, the port table) are kept as they are.
struct MainSettings {
    bool grid = false;
    int gridWidth = 2;
    int gridHeight = 2;
    int commPort = 0;         // 0 = "OFF", n = "COMn", 21 = "SIM"
    QString commPath;         // a device chosen from those found, by its path
    bool verifyWrite = false; // read every motion record back after writing it
    int undoLimit = 200;      // undo steps kept; read only, from key UndoLimit
};

class Settings {
  public:
    static constexpr const char* kFileName = SettingsFile::kFileName;
    static constexpr const char* kSection = SettingsFile::kSection;
    static constexpr int kPortCount = 20;
    // Port box index of the simulated board, after "OFF" and COM1..COM20.
    static constexpr int kSimIndex = 21;

    // The directory of the settings and pattern files: $QVX_CONFIG_DIR when set;
    // beside the program when a QVX3J.ini already lies there; otherwise
    // $XDG_CONFIG_HOME/quorvex (default ~/.config/quorvex), created on demand.
    static QString ConfigDir();
    static QString SettingsPath();

    // Reads the keys (defaults when missing) and writes the file back
    // unchanged, which creates it when missing; a failed write is ignored.
    static MainSettings LoadSettings(const QString& path);
    // Writes the keys, keeping every other key; VerifyWrite only when it is on
    // or already in the file, so a file that never had it stays as it was. Returns false, and
    // writes nothing, when the file cannot be written.
    static bool SaveSettings(const QString& path, const MainSettings& s);

    // Key Language of the main section (auto, en or ja; auto when missing),
    // read only: a language chosen in the program is written with
    // WriteLanguage and applies at the next start.
    static QString ReadLanguage(const QString& path);
    static bool WriteLanguage(const QString& path, const QString& language);

    // The device that "COMn" opens: key COMn of section Ports, by default
    // /dev/ttyUSB(n-1).
    static QString PortDevice(const IniFile& ini, int n);
    static QString PortDevice(const QString& path, int n);
};

} // namespace qvx
