#include "app/InstallerConfig.h"

#include <cmath>

#include "app/CommandLineArgs.h"
#include "utils/FileSystem.h"
#include "utils/KnownFolders.h"
#include "utils/PrivateProfile.h"
#include "utils/SystemInfo.h"
#include "utils/TextUtils.h"

#ifndef LUMAPANE_DOWNLOAD_HOST
#define LUMAPANE_DOWNLOAD_HOST "download.orvek.invalid"
#endif

namespace {

constexpr const wchar_t* kRoutePlaceholder = L"${ROUTE}";
constexpr const wchar_t* kRouteXp = L"download_silent_xp";
constexpr const wchar_t* kRouteDefault = L"download_silent";
constexpr const wchar_t* kDefaultSuffix = L".downloader";
constexpr const wchar_t* kDefaultScaleText = L"0.7";
constexpr double kDefaultScale = 0.7;
constexpr std::int32_t kDefaultDownloadType = 1;

// Build the record before main() runs, as the rest of start-up expects.
[[maybe_unused]] const InstallerConfig& g_builtAtStart = InstallerConfig::Instance();

std::wstring WideHost()
{
    const std::string_view host = LUMAPANE_DOWNLOAD_HOST;
    return std::wstring(host.begin(), host.end());
}

}  // namespace

std::wstring ExpandRoute(std::wstring_view url, std::wstring_view osVersionName)
{
    if (url.find(kRoutePlaceholder) == std::wstring_view::npos)
        return std::wstring(url);
    const bool xp = osVersionName.find(L"XP") != std::wstring_view::npos;
    return Utils::ReplaceAll(url, kRoutePlaceholder, xp ? kRouteXp : kRouteDefault);
}

std::wstring ExpandRoute(std::wstring_view url)
{
    std::wstring family, name;
    Utils::GetOsVersionName(family, name);
    // Only a Windows version name can mean XP; other systems' names are free text.
    return ExpandRoute(url, family == L"Windows" ? std::wstring_view(name) : std::wstring_view());
}

std::wstring InstallerConfig::DefaultDownloadUrl()
{
    return L"http://" + WideHost() + L"/software/197";
}

double InstallerConfig::ClampScale(double value)
{
    if (std::isnan(value))
        return kDefaultScale;
    return value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value);
}

InstallerConfig::InstallerConfig() : InstallerConfig(Utils::GetModulePath()) {}

InstallerConfig::InstallerConfig(std::wstring_view modulePath)
{
    SetDefaults();
    ReadIniFile(modulePath);
    AppName = kAppName;
    AppVersion = kAppVersion;
}

InstallerConfig& InstallerConfig::Instance()
{
    static InstallerConfig instance;
    return instance;
}

void InstallerConfig::SetDefaults()
{
    AppName = kAppName;
    AppVersion = kAppVersion;
    InstallerFileName = L"NULL";
    DlAppNameSuffix = kDefaultSuffix;
    DlAppVersion.clear();
    InstCmd.clear();
    DownloadUrl = ExpandRoute(DefaultDownloadUrl());
    DownloadType = kDefaultDownloadType;
    IsCheckNet = false;
    IsEnableAppAnalytics = true;
    DownloadScale = kDefaultScale;
    CurlReady = true;
    AbGroup = L"IN";
    AnalyticsUrl.clear();
}

void InstallerConfig::ReadIniFile(std::wstring_view modulePath)
{
    if (!modulePath.empty())
        InstallerFileName = Utils::FileNameOf(modulePath);
    const std::wstring ini = Utils::JoinPath(Utils::FolderOf(modulePath), kIniFileName);
    if (modulePath.empty() || !Utils::FileExists(ini))
        return;
    const auto text = [&](const wchar_t* key, std::wstring_view fallback) {
        return Utils::GetPrivateProfileString(kIniSection, key, fallback, ini);
    };
    SetDownloadUrl(text(L"DownloadUrl", DefaultDownloadUrl()));
    DownloadType = Utils::GetPrivateProfileInt(kIniSection, L"DownloadType", kDefaultDownloadType, ini);
    IsCheckNet = text(L"IsCheckNet", L"true") == L"true";
    IsEnableAppAnalytics = text(L"IsEnableAppAnalytics", L"true") == L"true";
    DlAppNameSuffix = text(L"DlAppNameSuffix", kDefaultSuffix);
    DlAppVersion = text(L"m_DlAppVersion", L"");
    DownloadScale = ClampScale(Utils::ParseLeadingDouble(text(L"DownloadScale", kDefaultScaleText)).value_or(0.0));
    InstCmd = text(L"InstCmd", L"");
    AnalyticsUrl = text(L"AnalyticsUrl", L"");
}

void InstallerConfig::SetDownloadUrl(std::wstring_view url)
{
    DownloadUrl = ExpandRoute(url);
}

void InstallerConfig::ApplyCommandLine()
{
    ApplyCommandLine(CommandLineArgs::FromProcess());
}

void InstallerConfig::ApplyCommandLine(const CommandLineArgs& args)
{
    if (args.Contains(L"-downloadurl"))
        SetDownloadUrl(args.GetString(L"-downloadurl"));
    if (args.Contains(L"-downloadtype"))
        DownloadType = args.GetInt(L"-downloadtype");
    if (args.Contains(L"-downloadscale"))
        DownloadScale = ClampScale(args.GetDouble(L"-downloadscale", DownloadScale));
    if (args.Contains(L"-ischecknet"))
        IsCheckNet = args.GetBool(L"-ischecknet");
    if (args.Contains(L"-isenableappanalytics"))
        IsEnableAppAnalytics = args.GetBool(L"-isenableappanalytics");
    if (args.Contains(L"-dlappnamesuffix"))
        DlAppNameSuffix = args.GetString(L"-dlappnamesuffix");
    if (args.Contains(L"-dlappversion"))
        DlAppVersion = args.GetString(L"-dlappversion");
    if (args.Contains(L"-instcmd"))
        InstCmd = args.GetString(L"-instcmd");
    if (args.Contains(L"-analyticsurl"))
        AnalyticsUrl = args.GetString(L"-analyticsurl");
}
