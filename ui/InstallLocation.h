#pragma once
// Where the product goes and what the installer leaves behind: the proposed folder, a
// previous installation, the free-space rule, blocking programs, the registry and INI
// traces, the start of the installed product and the texts of the failure reports.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace InstallLocation {

inline constexpr const wchar_t* kProductName = L"Lumapane";
inline constexpr const wchar_t* kProgramFileName = L"lumapane.exe";
inline constexpr const wchar_t* kCopiedUninstallerName = L"Lumapane_un_asa.exe";
inline constexpr const wchar_t* kUninstallEntryName = L"uninst.ep";
inline constexpr const wchar_t* kInstallIniName = L"set.ini";
inline constexpr const wchar_t* kAnalyticsIniName = L"OVUsageAnalytics.ini";
inline constexpr const wchar_t* kInstallPathValue = L"InstallPath";
inline constexpr const wchar_t* kUninstallEntryValue = L"UnInstallEp";
inline constexpr std::uint64_t kRequiredFreeBytes = 1ULL << 30;
inline constexpr std::size_t kReportTextChars = 199;

// The main window's part of the state that these rules read and write.
struct Places {
    std::wstring existingInstallFolder;
    std::wstring oldUninstallerPath;
    std::wstring installFolder;
    std::wstring uninstallEntryPath;
    std::wstring programPath;
    std::wstring startUrl;
    bool adminact = false;
    bool authorizationact = false;
};

void LoadPreviousInstall(Places& places);
// Also refreshes the two account facts.
std::wstring DefaultInstallFolder(Places& places);
// The folder for the custom page's edit text.
std::wstring CustomInstallFolder(Places& places, std::wstring_view editText);
bool IsDefaultFolder(Places& places, std::wstring_view path);
// Both name the same folder, as PathRelativePathToW giving ".".
bool IsSameFolder(std::wstring_view a, std::wstring_view b);
// True when installing into `path` must not run the old uninstaller.
bool SkipsOldUninstall(const Places& places, std::wstring_view path);
bool IsEnoughSpace(std::uint64_t freeBytes);
bool HasEnoughSpace(std::wstring_view folder);
std::uint32_t FindProcessId(std::wstring_view exeFileName);
std::wstring ProductDataFolder();
void WriteInstallRegistry(Places& places);
void WriteInstallIni(const Places& places);

// How LaunchProduct reaches the desktop; tests put their own in.
struct Launcher {
    std::function<bool(std::wstring_view)> open;  // ShellExecuteW "open"
    std::function<void()> pumpBriefly;           // about 100 ms of the UI thread's messages
};
Launcher SystemLauncher(std::function<void()> pumpBriefly);
void LaunchProduct(const Places& places, const Launcher& launcher);

// Failure texts of the usage reports, cut to 199 characters.
std::wstring DownloadFailureText(double code, std::wstring_view message, double freeGb, bool writable,
                                 std::uint32_t network);
std::wstring FailureText(double code, std::wstring_view message);
// Whether a file can be made at the path (an existing one is deleted to find out).
bool IsPathWritable(std::wstring_view path);
// Free space for the caller in GiB; 0 when it cannot be measured.
double FreeGigabytes(std::wstring_view path);
// Download failure (event 1004): the package path of the attempt and the event.
void ReportDownloadFailure(std::wstring_view packagePath, double code, std::wstring_view message);
// Events 1006 (download) and 2004 (package run).
void ReportFailure(double code, std::wstring_view message, bool isDownload);

}  // namespace InstallLocation
