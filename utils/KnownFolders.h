#pragma once
// The folders the system names, and the process's own path and arguments.
// Folders come without a trailing separator, except GetTempFolder (as GetTempPathW).
#include <string>
#include <vector>

namespace Utils {

inline constexpr wchar_t kPathSeparator = L'/';

// $TMPDIR, else /tmp; ends with the separator.
std::wstring GetTempFolder();
// APPDATA: $XDG_DATA_HOME, else ~/.local/share; empty without a home folder.
std::wstring GetAppDataFolder();
// CSIDL_LOCAL_APPDATA: $XDG_STATE_HOME, else ~/.local/state; empty without a home folder.
std::wstring GetLocalAppDataFolder();
// Per-user settings: $XDG_CONFIG_HOME, else ~/.config; empty without a home folder.
std::wstring GetConfigFolder();
// CSIDL_COMMON_DOCUMENTS: a folder every user shares.
std::wstring GetCommonDocumentsFolder();
// The program files folder; the 32-bit one does not exist here (empty), so callers take
// their fallback.
std::wstring GetProgramFilesFolder();
std::wstring GetProgramFilesX86Folder();
// The user's home folder ($HOME, else the password database); empty when unknown.
std::wstring GetHomeFolder();

// The running executable's full path (GetModuleFileNameW of the process); empty on failure.
std::wstring GetModulePath();
// The process's arguments as it was started, the program first (GetCommandLineW split).
std::vector<std::wstring> GetProcessArguments();

}  // namespace Utils
