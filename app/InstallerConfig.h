#pragma once
#include <cstdint>
#include <string>
#include <string_view>

class CommandLineArgs;

// The process-wide settings record: compiled-in defaults, then OrvekInstallerConfig.ini
// beside the executable (section "Install"), then the command line. Written only during
// start-up, read without locks afterwards.
//
// DownloadScale is always kept within 0..1 (a larger value counts as 1, a smaller one or
// minus infinity as 0), so the progress bar stays sensible whatever the sources say. An
// INI value that does not start with a number gives 0; a command-line value that does not
// start with a number leaves the value as it was. DownloadType takes any 32-bit number;
// larger and smaller ones are clamped to the 32-bit range.
class InstallerConfig {
public:
    static constexpr const wchar_t* kIniFileName = L"OrvekInstallerConfig.ini";
    static constexpr const wchar_t* kIniSection = L"Install";
    static constexpr const wchar_t* kAppName = L"Lumapane";
    static constexpr const wchar_t* kAppVersion = L"1.7.9";

    std::wstring AppName;
    std::wstring AppVersion;
    std::wstring InstallerFileName;
    std::wstring DlAppNameSuffix;
    std::wstring DlAppVersion;
    std::wstring InstCmd;
    std::wstring DownloadUrl;
    std::int32_t DownloadType = 1;
    bool IsCheckNet = false;
    bool IsEnableAppAnalytics = true;
    double DownloadScale = 0.7;
    bool CurlReady = true;
    std::wstring AbGroup;
    // Collector URL for usage analytics; empty means the build's default collector.
    std::wstring AnalyticsUrl;

    // Defaults, then the INI file beside the running executable.
    InstallerConfig();
    // Defaults, then the INI file beside the given executable path.
    explicit InstallerConfig(std::wstring_view modulePath);

    // The one record of the process, built during static initialisation.
    static InstallerConfig& Instance();

    // The compiled-in URL before route expansion: http://<build-time host>/software/197.
    static std::wstring DefaultDownloadUrl();

    // Expands the route and stores the result in DownloadUrl.
    void SetDownloadUrl(std::wstring_view url);
    // Applies the options of the process's command line.
    void ApplyCommandLine();
    void ApplyCommandLine(const CommandLineArgs& args);

    // The rule above for a DownloadScale from any source.
    static double ClampScale(double value);

private:
    void SetDefaults();
    void ReadIniFile(std::wstring_view modulePath);
};

// Replaces every "${ROUTE}" with "download_silent_xp" on XP systems and with
// "download_silent" elsewhere; a URL without it comes back unchanged.
std::wstring ExpandRoute(std::wstring_view url);
// The same for a given Windows version name ("XP-", "XP" and "XP+" contain "XP").
std::wstring ExpandRoute(std::wstring_view url, std::wstring_view osVersionName);
