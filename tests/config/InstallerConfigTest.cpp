#include <gtest/gtest.h>
#include <optional>

#include "TestSupport.h"
#include "app/CommandLineArgs.h"
#include "app/InstallerConfig.h"

namespace {

const std::wstring kDefaultUrl = InstallerConfig::DefaultDownloadUrl();

// An installer "installed" in a fresh folder, with or without an INI file beside it.
class Installation {
public:
    explicit Installation(std::optional<std::string> ini)
    {
        if (ini)
            TestSupport::WriteTextFile(dir_.File("OrvekInstallerConfig.ini"), *ini);
    }
    InstallerConfig Load() const { return InstallerConfig(dir_.WFile(L"LumapaneSetup.exe")); }

private:
    TestSupport::TempDir dir_;
};

struct Expected {
    std::wstring url = kDefaultUrl;
    std::int32_t type = 1;
    bool checkNet = false;
    bool analytics = true;
    std::wstring suffix = L".downloader";
    std::wstring version;
    double scale = 0.7;
    std::wstring instCmd;
};

void ExpectFields(const InstallerConfig& c, const Expected& e)
{
    EXPECT_EQ(c.DownloadUrl, e.url);
    EXPECT_EQ(c.DownloadType, e.type);
    EXPECT_EQ(c.IsCheckNet, e.checkNet);
    EXPECT_EQ(c.IsEnableAppAnalytics, e.analytics);
    EXPECT_EQ(c.DlAppNameSuffix, e.suffix);
    EXPECT_EQ(c.DlAppVersion, e.version);
    EXPECT_DOUBLE_EQ(c.DownloadScale, e.scale);
    EXPECT_EQ(c.InstCmd, e.instCmd);
    // Fixed whatever the sources say.
    EXPECT_EQ(c.AppName, L"Lumapane");
    EXPECT_EQ(c.AppVersion, L"1.7.9");
    EXPECT_EQ(c.AbGroup, L"IN");
    EXPECT_TRUE(c.CurlReady);
    EXPECT_EQ(c.InstallerFileName, L"LumapaneSetup.exe");
}

Expected With(void (*change)(Expected&))
{
    Expected e;
    change(e);
    return e;
}

TEST(InstallerConfig, DefaultUrlIsPlainHttpOnTheDownloadPath)
{
    EXPECT_EQ(kDefaultUrl.rfind(L"http://", 0), 0u);
    EXPECT_TRUE(kDefaultUrl.ends_with(L"/software/197"));
    EXPECT_EQ(InstallerConfig::Instance().AppName, L"Lumapane");
}

TEST(InstallerConfig, ReadsTheIniFileBesideTheExecutable)
{
    const std::string long300(300, 'v');
    struct Case {
        const char* name;
        std::optional<std::string> ini;
        Expected expected;
    };
    const Case cases[] = {
        {"no INI file", std::nullopt, {}},
        {"empty Install section: IsCheckNet true", "[Install]\n", With([](Expected& e) { e.checkNet = true; })},
        {"empty file: IsCheckNet true", "", With([](Expected& e) { e.checkNet = true; })},
        {"IsCheckNet in capitals", "[Install]\nIsCheckNet=TRUE\n", {}},
        {"IsCheckNet as a digit", "[Install]\nIsCheckNet=1\n", {}},
        {"IsCheckNet empty", "[Install]\nIsCheckNet=\n", {}},
        {"key names ignore letter case", "[install]\nischecknet=true\nISENABLEAPPANALYTICS=false\n",
         With([](Expected& e) {
             e.checkNet = true;
             e.analytics = false;
         })},
        {"every key",
         "[Install]\nDownloadUrl=http://127.0.0.1:8080/${ROUTE}/x?r=${ROUTE}\nDownloadType=3\n"
         "IsCheckNet=true\nIsEnableAppAnalytics=no\nDlAppNameSuffix=.dl\nm_DlAppVersion=2.0\n"
         "DownloadScale=0.25\nInstCmd=/S /quiet\n",
         With([](Expected& e) {
             e.url = L"http://127.0.0.1:8080/download_silent/x?r=download_silent";
             e.type = 3;
             e.checkNet = true;
             e.analytics = false;
             e.suffix = L".dl";
             e.version = L"2.0";
             e.scale = 0.25;
             e.instCmd = L"/S /quiet";
         })},
        {"numbers with trailing text", "[Install]\nIsCheckNet=false\nDownloadType=12ab\nDownloadScale= 0.5e0x\n",
         With([](Expected& e) {
             e.type = 12;
             e.scale = 0.5;
         })},
        {"scale not a number gives 0", "[Install]\nIsCheckNet=false\nDownloadScale=abc\nDownloadType=ab\n",
         With([](Expected& e) {
             e.type = 0;
             e.scale = 0.0;
         })},
        {"out of range numbers are clamped",
         "[Install]\nIsCheckNet=false\nDownloadType=99999999999\nDownloadScale=1e999\n", With([](Expected& e) {
             e.type = 2147483647;
             e.scale = 1.0;
         })},
        {"negative scale", "[Install]\nIsCheckNet=false\nDownloadScale=-0.5\nDownloadType=-4\n",
         With([](Expected& e) {
             e.type = -4;
             e.scale = 0.0;
         })},
        {"values cut to 259 characters", "[Install]\nIsCheckNet=false\nInstCmd=" + long300 + "\n",
         With([](Expected& e) { e.instCmd = std::wstring(259, L'v'); })},
        {"another section only", "[Other]\nIsCheckNet=true\nDownloadType=5\n",
         With([](Expected& e) { e.checkNet = true; })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectFields(Installation(c.ini).Load(), c.expected);
    }
}

TEST(InstallerConfig, RouteIsExpandedEverywhere)
{
    struct Case {
        std::wstring url, osName, expected;
    };
    const Case cases[] = {
        {L"http://h/${ROUTE}/a/${ROUTE}", L"7", L"http://h/download_silent/a/download_silent"},
        {L"http://h/${ROUTE}/a/${ROUTE}", L"XP", L"http://h/download_silent_xp/a/download_silent_xp"},
        {L"http://h/${ROUTE}", L"XP-", L"http://h/download_silent_xp"},
        {L"http://h/${ROUTE}", L"XP+", L"http://h/download_silent_xp"},
        {L"http://h/${ROUTE}", L"Server 2003 R2", L"http://h/download_silent"},
        {L"http://h/${ROUTE}", L"2K", L"http://h/download_silent"},
        {L"http://h/plain?x=XP", L"XP", L"http://h/plain?x=XP"},
        {L"http://h/${route}", L"XP", L"http://h/${route}"},
        {L"", L"7", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandRoute(c.url, c.osName), c.expected);
    // On this system the route is never the XP one.
    EXPECT_EQ(ExpandRoute(L"/${ROUTE}"), L"/download_silent");

    InstallerConfig config(L"");
    config.SetDownloadUrl(L"http://x/${ROUTE}");
    EXPECT_EQ(config.DownloadUrl, L"http://x/download_silent");
}

TEST(InstallerConfig, CommandLineOverridesInTheStatedWay)
{
    struct Case {
        const char* name;
        std::wstring line;
        Expected expected;
    };
    const Case cases[] = {
        {"nothing", L"setup.exe", {}},
        {"every option",
         L"setup.exe -downloadurl=http://127.0.0.1/${ROUTE}?a=b -downloadtype=2 -downloadscale=0.4 "
         L"-ischecknet=true -isenableappanalytics=false -dlappnamesuffix=.x -dlappversion=9 "
         L"\"-instcmd=/D=/opt/A B\"",
         With([](Expected& e) {
             e.url = L"http://127.0.0.1/download_silent?a=b";
             e.type = 2;
             e.scale = 0.4;
             e.checkNet = true;
             e.analytics = false;
             e.suffix = L".x";
             e.version = L"9";
             e.instCmd = L"/D=/opt/A B";
         })},
        {"digits then letters", L"setup.exe -downloadtype=12ab", With([](Expected& e) { e.type = 12; })},
        {"letters", L"setup.exe -downloadtype=ab", With([](Expected& e) { e.type = 0; })},
        {"out of range type", L"setup.exe -downloadtype=-99999999999",
         With([](Expected& e) { e.type = -2147483647 - 1; })},
        {"first duplicate wins", L"setup.exe -downloadtype=4 -downloadtype=5 -dlappversion=a -dlappversion=b",
         With([](Expected& e) {
             e.type = 4;
             e.version = L"a";
         })},
        {"keys are case-sensitive", L"setup.exe -DownloadType=5 -ISCHECKNET=true -DownloadUrl=http://x/", {}},
        {"url without = is empty", L"setup.exe -downloadurl http://x/", With([](Expected& e) { e.url = L""; })},
        {"flag without = is false", L"setup.exe -isenableappanalytics -ischecknet",
         With([](Expected& e) { e.analytics = false; })},
        {"flag not exactly true", L"setup.exe -isenableappanalytics=True", With([](Expected& e) {
             e.analytics = false;
         })},
        {"scale not a number keeps the value", L"setup.exe -downloadscale=abc", {}},
        {"scale empty keeps the value", L"setup.exe -downloadscale=", {}},
        {"scale above 1", L"setup.exe -downloadscale=7.5", With([](Expected& e) { e.scale = 1.0; })},
        {"scale below 0", L"setup.exe -downloadscale=-1e999", With([](Expected& e) { e.scale = 0.0; })},
        {"scale nan text", L"setup.exe -downloadscale=nan", {}},
        {"value with = signs", L"setup.exe -instcmd=a=b=c", With([](Expected& e) { e.instCmd = L"a=b=c"; })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InstallerConfig config = Installation(std::nullopt).Load();
        config.ApplyCommandLine(CommandLineArgs::FromCommandLine(c.line));
        ExpectFields(config, c.expected);
    }
}

TEST(InstallerConfig, CommandLineComesAfterTheIniFile)
{
    InstallerConfig config =
        Installation("[Install]\nDownloadScale=0.3\nDownloadType=7\nInstCmd=/S\n").Load();
    config.ApplyCommandLine(CommandLineArgs::FromCommandLine(L"setup.exe -downloadtype=8 -downloadscale=x"));
    EXPECT_EQ(config.DownloadType, 8);
    EXPECT_DOUBLE_EQ(config.DownloadScale, 0.3);
    EXPECT_EQ(config.InstCmd, L"/S");
    EXPECT_TRUE(config.IsCheckNet);
}

}  // namespace
