#include "ui/InstallLocation.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <limits>

#include "ui/UsageReports.h"
#include "utils/Accounts.h"
#include "utils/FileSystem.h"
#include "utils/HardDiskManager.h"
#include "utils/KnownFolders.h"
#include "utils/Network.h"
#include "utils/PrivateProfile.h"
#include "utils/ProcessList.h"
#include "utils/ShellOpen.h"
#include "utils/SystemInfo.h"
#include "utils/TextConvert.h"
#include "utils/ValueStore.h"

namespace InstallLocation {
namespace {

constexpr std::size_t kMinStartUrlChars = 6;

std::wstring NormalFolder(std::wstring_view path)
{
    std::wstring text = std::filesystem::path(std::wstring(path)).lexically_normal().wstring();
    while (text.size() > 1 && text.back() == Utils::kPathSeparator)
        text.pop_back();
    return text;
}

// printf's %ld of a double: out-of-range values are clamped instead of undefined.
long CodeOf(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<long>::max()))
        return std::numeric_limits<long>::max();
    if (value <= static_cast<double>(std::numeric_limits<long>::min()))
        return std::numeric_limits<long>::min();
    return static_cast<long>(value);
}

std::wstring Cut(std::wstring text)
{
    return std::wstring(Utils::CutToUtf16Units(text, kReportTextChars));
}

std::wstring LocalTimeText()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* t = std::localtime(&now);
    if (t == nullptr)
        return {};
    wchar_t buffer[128];
    std::swprintf(buffer, 128, L"%d-%02d-%02d %02d:%02d:%02d", t->tm_year + 1900, t->tm_mon + 1, t->tm_mday,
                  t->tm_hour, t->tm_min, t->tm_sec);
    return buffer;
}

}  // namespace

void LoadPreviousInstall(Places& places)
{
    places.existingInstallFolder.clear();
    places.oldUninstallerPath.clear();
    std::uint32_t type = 0;
    Utils::ReadProductRegValue(kInstallPathValue, type, places.existingInstallFolder);
    Utils::ReadProductRegValue(kUninstallEntryValue, type, places.oldUninstallerPath);
    if (places.oldUninstallerPath.empty() && !places.existingInstallFolder.empty())
        places.oldUninstallerPath = Utils::JoinPath(places.existingInstallFolder, kUninstallEntryName);
}

std::wstring DefaultInstallFolder(Places& places)
{
    std::wstring consoleUser;
    places.adminact = Utils::GetConsoleUserName(consoleUser) && Utils::IsAdminAccount(consoleUser);
    places.authorizationact = Utils::IsCurrentUserAdmin();
    if (!places.existingInstallFolder.empty() && Utils::FileExists(places.oldUninstallerPath))
        return places.existingInstallFolder;
    std::wstring parent;
    const std::wstring appData = Utils::GetAppDataFolder();
    if (places.adminact && places.authorizationact && !appData.empty() && appData.size() < Utils::kMaxPathChars) {
        parent = Utils::JoinPath(appData, L"brisko");
    } else {
        parent = Utils::GetProgramFilesX86Folder();
        if (parent.empty())
            parent = Utils::GetProgramFilesFolder();
    }
    return Utils::JoinPath(parent, kProductName);
}

bool IsSameFolder(std::wstring_view a, std::wstring_view b)
{
    if (a.empty() || b.empty())
        return false;
    return NormalFolder(a) == NormalFolder(b);
}

bool IsDefaultFolder(Places& places, std::wstring_view path)
{
    return IsSameFolder(DefaultInstallFolder(places), path);
}

std::wstring CustomInstallFolder(Places& places, std::wstring_view editText)
{
    if (IsDefaultFolder(places, editText))
        return DefaultInstallFolder(places);
    return Utils::JoinPath(editText, kProductName);
}

bool SkipsOldUninstall(const Places& places, std::wstring_view path)
{
    if (!IsSameFolder(places.existingInstallFolder, path))
        return false;
    const std::wstring ini = Utils::JoinPath(path, kInstallIniName);
    return Utils::GetPrivateProfileString(L"Uninstall", L"IsOverride", L"true", ini, 20) == L"false";
}

bool IsEnoughSpace(std::uint64_t freeBytes)
{
    return static_cast<double>(freeBytes) / static_cast<double>(kRequiredFreeBytes) >= 1.0;
}

double FreeGigabytes(std::wstring_view path)
{
    Utils::HardDiskManager disk;
    if (!disk.CheckFreeSpace(path))
        return 0.0;
    return static_cast<double>(disk.freeBytesAvailable) / static_cast<double>(kRequiredFreeBytes);
}

bool HasEnoughSpace(std::wstring_view folder)
{
    Utils::HardDiskManager disk;
    return disk.CheckFreeSpace(folder) && IsEnoughSpace(disk.freeBytesAvailable);
}

std::uint32_t FindProcessId(std::wstring_view exeFileName)
{
    return Utils::FindProcessId(exeFileName);
}

std::wstring ProductDataFolder()
{
    std::wstring base = Utils::GetAppDataFolder();
    if (base.empty() || base.size() >= Utils::kMaxPathChars)
        base = Utils::GetCommonDocumentsFolder();
    return Utils::JoinPath(Utils::JoinPath(base, L"OrvekData"), kProductName);
}

void WriteInstallRegistry(Places& places)
{
    Utils::WriteProductRegValue(kInstallPathValue, places.installFolder);
    if (places.uninstallEntryPath.empty())
        places.uninstallEntryPath = Utils::JoinPath(places.installFolder, kUninstallEntryName);
    if (Utils::FileExists(places.uninstallEntryPath))
        Utils::WriteProductRegValue(kUninstallEntryValue, places.uninstallEntryPath);
}

void WriteInstallIni(const Places& places)
{
    const std::wstring ini = Utils::JoinPath(places.installFolder, kInstallIniName);
    Utils::WritePrivateProfileString(L"Install", L"APPStore", Utils::FileNameOf(Utils::GetModulePath()), ini);
    Utils::WritePrivateProfileString(L"Install", L"AppName", kProductName, ini);
    Utils::WritePrivateProfileString(L"Install", L"DeviceID", Utils::NewGuidText(), ini);
    const std::wstring dataFolder = ProductDataFolder();
    if (!Utils::CreateFolderPath(dataFolder))
        return;
    const std::wstring analyticsIni = Utils::JoinPath(dataFolder, kAnalyticsIniName);
    Utils::WritePrivateProfileString(L"Install", L"OVUsageAnalyticsIni", analyticsIni, ini);
    Utils::WritePrivateProfileString(L"Init", L"UpdateTime", LocalTimeText(), analyticsIni);
}

Launcher SystemLauncher(std::function<void()> pumpBriefly)
{
    return Launcher{[](std::wstring_view target) { return Utils::ShellOpen(target); }, std::move(pumpBriefly)};
}

void LaunchProduct(const Places& places, const Launcher& launcher)
{
    if (places.startUrl.size() >= kMinStartUrlChars)
        launcher.open(places.startUrl);
    if (!places.programPath.empty() && Utils::FileExists(places.programPath)) {
        if (launcher.pumpBriefly)
            launcher.pumpBriefly();
        launcher.open(places.programPath);
    }
}

std::wstring DownloadFailureText(double code, std::wstring_view message, double freeGb, bool writable,
                                 std::uint32_t network)
{
    wchar_t space[64];
    std::swprintf(space, 64, L"%.2f", freeGb);
    std::wstring text = L"1.code=" + std::to_wstring(CodeOf(code)) + L"；2.msg=" + std::wstring(message) +
                        L"；3.缓存磁盘容量=" + space + L"G；4.缓存读写权限=" + (writable ? L"可读" : L"无权限") +
                        L"；5.服务器连接状态code=" + std::to_wstring(static_cast<int>(network));
    return Cut(std::move(text));
}

std::wstring FailureText(double code, std::wstring_view message)
{
    return Cut(L":1.code=" + std::to_wstring(CodeOf(code)) + L"；2.msg=" + std::wstring(message));
}

bool IsPathWritable(std::wstring_view path)
{
    if (Utils::FileExists(path) && !Utils::DeleteFile(path))
        return false;
    if (!Utils::WriteFileAtomically(path, {}))
        return false;
    Utils::DeleteFile(path);
    return true;
}

void ReportDownloadFailure(std::wstring_view packagePath, double code, std::wstring_view message)
{
    const std::uint32_t network = Utils::CheckNetwork();
    const bool writable = IsPathWritable(packagePath);
    const double freeGb = FreeGigabytes(Utils::FolderOf(packagePath));
    UsageReports::Task(L"下载失败原因", 0.0F, DownloadFailureText(code, message, freeGb, writable, network));
}

void ReportFailure(double code, std::wstring_view message, bool isDownload)
{
    UsageReports::Task(isDownload ? L"下载失败原因" : L"安装失败原因", 0.0F, FailureText(code, message));
}

}  // namespace InstallLocation
