#pragma once

namespace qvx {

// The program's settings file: its name and the section that holds the main
// window's keys and the pose window's layout.
namespace SettingsFile {
inline constexpr char kFileName[] = "QVX3J.ini";
inline constexpr char kSection[] = "QVX3";
} // namespace SettingsFile

} // namespace qvx
