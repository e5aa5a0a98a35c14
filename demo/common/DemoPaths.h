#pragma once

#include <filesystem>

namespace demo {

// Per-user places, following the XDG base folders the installer also uses.
std::filesystem::path HomeFolder();
std::filesystem::path DataHome();            // $XDG_DATA_HOME, else ~/.local/share
std::filesystem::path ProductDataFolder();   // DataHome()/OrvekData/Lumapane
std::filesystem::path ApplicationsFolder();  // DataHome()/applications: the launcher menu
std::filesystem::path DesktopFolder();       // $XDG_DESKTOP_DIR, else ~/Desktop

// Where the package installs when the command line names no folder.
std::filesystem::path DefaultInstallFolder();

inline constexpr const char* kProductFile = "lumapane.exe";
inline constexpr const char* kUninstallerFile = "uninst.ep";
inline constexpr const char* kSettingsFile = "set.ini";
inline constexpr const char* kShortcutFile = "lumapane.desktop";
inline constexpr const char* kRunLogFile = "runs.log";

}  // namespace demo
