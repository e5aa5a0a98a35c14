#include <gtest/gtest.h>

#include <filesystem>
#include <poll.h>
#include <fcntl.h>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "UiTestSupport.h"
#include "ui/InstallLocation.h"
#include "utils/Accounts.h"
#include "utils/ChildProcess.h"
#include "utils/FileSystem.h"
#include "utils/KnownFolders.h"
#include "utils/PrivateProfile.h"
#include "utils/ValueStore.h"

namespace IL = InstallLocation;
using UiTest::N;
using UiTest::W;

namespace {

std::wstring ComputedDefault()
{
    std::wstring user;
    const bool both = Utils::GetConsoleUserName(user) && Utils::IsAdminAccount(user) && Utils::IsCurrentUserAdmin();
    return both ? Utils::GetAppDataFolder() + L"/brisko/Lumapane" : L"/opt/Lumapane";
}

TEST(InstallLocation, PreviousInstallComesFromTheValueStore)
{
    struct Case {
        const char* installPath;  // nullptr: value absent
        const char* uninstallEp;
        const char* wantFolder;
        const char* wantUninstaller;
    } cases[] = {
        {nullptr, nullptr, "", ""},
        {"/srv/old", nullptr, "/srv/old", "/srv/old/uninst.ep"},
        {"/srv/old", "/srv/old/custom.ep", "/srv/old", "/srv/old/custom.ep"},
        {nullptr, "/srv/x/uninst.ep", "", "/srv/x/uninst.ep"},
    };
    for (const Case& c : cases) {
        UiTest::PrivateHome home;
        if (c.installPath) {
            ASSERT_TRUE(Utils::WriteProductRegValue(L"InstallPath", W(c.installPath)));
        }
        if (c.uninstallEp) {
            ASSERT_TRUE(Utils::WriteProductRegValue(L"UnInstallEp", W(c.uninstallEp)));
        }
        IL::Places places;
        places.existingInstallFolder = L"stale";
        places.oldUninstallerPath = L"stale";
        IL::LoadPreviousInstall(places);
        EXPECT_EQ(N(places.existingInstallFolder), c.wantFolder);
        EXPECT_EQ(N(places.oldUninstallerPath), c.wantUninstaller);
    }
}

TEST(InstallLocation, DefaultFolderIsThePreviousOneOnlyWhileItsEntryFileExists)
{
    UiTest::PrivateHome home;
    const std::string old = home.Root() + "/apps/Lumapane";
    IL::Places places;
    places.existingInstallFolder = W(old);
    places.oldUninstallerPath = W(old + "/uninst.ep");
    EXPECT_EQ(IL::DefaultInstallFolder(places), ComputedDefault()) << "entry file missing";
    ASSERT_TRUE(UiTest::WriteText(old + "/uninst.ep", "x"));
    EXPECT_EQ(N(IL::DefaultInstallFolder(places)), old);

    std::wstring user;
    EXPECT_EQ(places.authorizationact, Utils::IsCurrentUserAdmin());
    EXPECT_EQ(places.adminact, Utils::GetConsoleUserName(user) && Utils::IsAdminAccount(user));
}

TEST(InstallLocation, CustomFolderGetsTheProductFolderUnlessItIsTheDefault)
{
    UiTest::PrivateHome home;
    IL::Places places;
    const std::wstring def = IL::DefaultInstallFolder(places);
    struct Case {
        std::wstring edit;
        std::wstring want;
        bool isDefault;
    } cases[] = {
        {L"/data/Apps", L"/data/Apps/Lumapane", false},
        {def, def, true},
        {def + L"/", def, true},
        {def + L"/./", def, true},
        {L"/data/Apps/Lumapane", L"/data/Apps/Lumapane/Lumapane", false},
        {def + L"/sub/..", def, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IL::IsDefaultFolder(places, c.edit), c.isDefault) << N(c.edit);
        EXPECT_EQ(IL::CustomInstallFolder(places, c.edit), c.want) << N(c.edit);
    }
}

TEST(InstallLocation, OldUninstallIsSkippedOnlyForTheSameFolderMarkedNotToOverride)
{
    UiTest::PrivateHome home;
    const std::string folder = home.Root() + "/apps/Lumapane";
    struct Case {
        const char* ini;  // nullptr: no set.ini
        std::string target;
        bool skips;
    } cases[] = {
        {"[Uninstall]\nIsOverride=false\n", folder, true},
        {"[Uninstall]\nIsOverride=false\n", folder + "/", true},
        {"[Uninstall]\nIsOverride=false\n", home.Root() + "/other/Lumapane", false},
        {"[Uninstall]\nIsOverride=False\n", folder, false},
        {"[Uninstall]\nIsOverride=true\n", folder, false},
        {"[Install]\nIsOverride=false\n", folder, false},
        {nullptr, folder, false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        if (c.ini) {
            ASSERT_TRUE(UiTest::WriteText(folder + "/set.ini", c.ini));
        }
        std::filesystem::create_directories(c.target);
        IL::Places places;
        places.existingInstallFolder = W(folder);
        EXPECT_EQ(IL::SkipsOldUninstall(places, W(c.target)), c.skips) << (c.ini ? c.ini : "none") << c.target;
    }
    IL::Places none;
    EXPECT_FALSE(IL::SkipsOldUninstall(none, W(folder))) << "no previous installation";
}

TEST(InstallLocation, OneGibibyteFreeIsEnough)
{
    struct Case {
        std::uint64_t bytes;
        bool enough;
    } cases[] = {{0, false}, {(1ULL << 30) - 1, false}, {1ULL << 30, true}, {5ULL << 30, true}};
    for (const Case& c : cases)
        EXPECT_EQ(IL::IsEnoughSpace(c.bytes), c.enough) << c.bytes;
    EXPECT_FALSE(IL::HasEnoughSpace(L"")) << "a failed check counts as full";
    EXPECT_EQ(IL::FreeGigabytes(L""), 0.0);
}

TEST(InstallLocation, RunningProgramIsFoundByItsExactFileName)
{
    UiTest::PrivateHome home;
    const std::string program = home.Root() + "/bin/lumapane.exe";
    std::filesystem::create_directories(home.Root() + "/bin");
    std::filesystem::copy_file("/bin/sleep", program);
    EXPECT_EQ(IL::FindProcessId(L"lumapane.exe"), 0u);
    Utils::ChildProcess child;
    child.Start(W(program + " 1000"));
    EXPECT_EQ(IL::FindProcessId(L"lumapane.exe"), static_cast<std::uint32_t>(child.Information().processId));
    EXPECT_EQ(IL::FindProcessId(L"Lumapane.exe"), 0u);
    EXPECT_EQ(IL::FindProcessId(L"LUMAPANE.EXE"), 0u);
    EXPECT_EQ(IL::FindProcessId(L""), 0u);
    // A replaced program file still counts.
    std::filesystem::remove(program);
    EXPECT_EQ(IL::FindProcessId(L"lumapane.exe"), static_cast<std::uint32_t>(child.Information().processId));
    child.Terminate();
    child.Wait();
    EXPECT_EQ(IL::FindProcessId(L"lumapane.exe"), 0u);
}

TEST(InstallLocation, ProductDataFolderFallsBackToTheSharedFolder)
{
    UiTest::PrivateHome home;
    EXPECT_EQ(N(IL::ProductDataFolder()), home.Root() + "/home/.local/share/OrvekData/Lumapane");
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("HOME");
    if (Utils::GetAppDataFolder().empty()) {
        EXPECT_EQ(IL::ProductDataFolder(), Utils::GetCommonDocumentsFolder() + L"/OrvekData/Lumapane");
    }
}

TEST(InstallLocation, TracesOfASuccessfulInstall)
{
    UiTest::PrivateHome home;
    const std::string folder = home.Root() + "/apps/Lumapane";
    std::filesystem::create_directories(folder);
    IL::Places places;
    places.installFolder = W(folder);

    IL::WriteInstallIni(places);
    const std::wstring ini = W(folder + "/set.ini");
    const std::wstring dataIni = W(home.Root() + "/home/.local/share/OrvekData/Lumapane/OVUsageAnalytics.ini");
    EXPECT_EQ(Utils::GetPrivateProfileString(L"Install", L"APPStore", L"", ini),
              Utils::FileNameOf(Utils::GetModulePath()));
    EXPECT_EQ(Utils::GetPrivateProfileString(L"Install", L"AppName", L"", ini), L"Lumapane");
    EXPECT_EQ(Utils::GetPrivateProfileString(L"Install", L"OVUsageAnalyticsIni", L"", ini), dataIni);
    const std::wstring device = Utils::GetPrivateProfileString(L"Install", L"DeviceID", L"", ini);
    EXPECT_TRUE(std::regex_match(N(device), std::regex("[0-9A-F]{12}[0-9a-f]{4}[0-9A-F]{16}"))) << N(device);
    const std::string time = N(Utils::GetPrivateProfileString(L"Init", L"UpdateTime", L"", dataIni));
    EXPECT_TRUE(std::regex_match(time, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)"))) << time;
    IL::WriteInstallIni(places);
    EXPECT_NE(Utils::GetPrivateProfileString(L"Install", L"DeviceID", L"", ini), device) << "a fresh id each time";

    // Without an entry file only the folder is recorded.
    IL::WriteInstallRegistry(places);
    std::uint32_t type = 0;
    std::wstring text;
    EXPECT_TRUE(Utils::ReadProductRegValue(L"InstallPath", type, text));
    EXPECT_EQ(text, W(folder));
    EXPECT_EQ(type, Utils::kRegSz);
    EXPECT_FALSE(Utils::ReadProductRegValue(L"UnInstallEp", type, text));
    EXPECT_EQ(N(places.uninstallEntryPath), folder + "/uninst.ep");

    ASSERT_TRUE(UiTest::WriteText(folder + "/uninst.ep", "entry"));
    IL::WriteInstallRegistry(places);
    EXPECT_TRUE(Utils::ReadProductRegValue(L"UnInstallEp", type, text));
    EXPECT_EQ(N(text), folder + "/uninst.ep");

    // The next run sees this installation.
    IL::Places next;
    IL::LoadPreviousInstall(next);
    EXPECT_EQ(next.existingInstallFolder, W(folder));
    EXPECT_EQ(IL::DefaultInstallFolder(next), W(folder));
}

TEST(InstallLocation, UncreatableDataFolderLeavesOutTheAnalyticsKeys)
{
    UiTest::PrivateHome home;
    ASSERT_TRUE(UiTest::WriteText(home.Root() + "/blocker", "file"));
    ::setenv("XDG_DATA_HOME", (home.Root() + "/blocker/share").c_str(), 1);
    const std::string folder = home.Root() + "/apps/Lumapane";
    std::filesystem::create_directories(folder);
    IL::Places places;
    places.installFolder = W(folder);
    IL::WriteInstallIni(places);
    const std::wstring ini = W(folder + "/set.ini");
    EXPECT_EQ(Utils::GetPrivateProfileString(L"Install", L"AppName", L"", ini), L"Lumapane");
    EXPECT_EQ(Utils::GetPrivateProfileString(L"Install", L"OVUsageAnalyticsIni", L"none", ini), L"none");
}

TEST(InstallLocation, LaunchOpensTheStartUrlAndAnExistingProgram)
{
    UiTest::PrivateHome home;
    const std::string program = home.Root() + "/apps/lumapane.exe";
    ASSERT_TRUE(UiTest::WriteText(program, "#!/bin/sh\n"));
    struct Case {
        std::wstring url;
        bool programExists;
        std::vector<std::wstring> opened;
    } cases[] = {
        {L"", true, {W(program)}},
        {L"http:", true, {W(program)}},
        {L"http:/", false, {L"http:/"}},
        {L"https://example.test/start", true, {L"https://example.test/start", W(program)}},
        {L"https://example.test/start", false, {L"https://example.test/start"}},
    };
    for (const Case& c : cases) {
        std::vector<std::wstring> opened;
        int pumps = 0;
        IL::Launcher launcher{[&](std::wstring_view t) {
                                  opened.emplace_back(t);
                                  return true;
                              },
                              [&] { ++pumps; }};
        IL::Places places;
        places.startUrl = c.url;
        places.programPath = c.programExists ? W(program) : W(program + ".missing");
        IL::LaunchProduct(places, launcher);
        EXPECT_EQ(opened, c.opened) << N(c.url);
        EXPECT_EQ(pumps, c.programExists ? 1 : 0);
    }
}

TEST(InstallLocation, SystemLauncherStartsTheProgramDetached)
{
    UiTest::PrivateHome home;
    const std::string fifo = home.Root() + "/started";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int fd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    const std::string program = home.Root() + "/apps/lumapane.exe";
    ASSERT_TRUE(UiTest::WriteText(program, "#!/bin/sh\necho started > '" + fifo + "'\n"));
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    IL::Places places;
    places.programPath = W(program);
    IL::LaunchProduct(places, IL::SystemLauncher({}));
    std::string got;
    pollfd p{fd, POLLIN, 0};
    while (got.find('\n') == std::string::npos && ::poll(&p, 1, 30000) > 0) {
        char buffer[64];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            got.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0)
            p.revents = 0;
    }
    ::close(fd);
    EXPECT_EQ(got, "started\n");
}

TEST(InstallLocation, FailureTexts)
{
    struct Case {
        double code;
        std::wstring msg;
        double gb;
        bool writable;
        std::uint32_t net;
        std::wstring want;
    } cases[] = {
        {28, L"timeout", 12.345, true, 0x40,
         L"1.code=28；2.msg=timeout；3.缓存磁盘容量=12.35G；4.缓存读写权限=可读；5.服务器连接状态code=64"},
        {-998.7, L"", 0, false, 0x10000,
         L"1.code=-998；2.msg=；3.缓存磁盘容量=0.00G；4.缓存读写权限=无权限；5.服务器连接状态code=65536"},
        {1e300, L"x", 1, true, 0, L"1.code=" + std::to_wstring(std::numeric_limits<long>::max()) +
                                     L"；2.msg=x；3.缓存磁盘容量=1.00G；4.缓存读写权限=可读；5.服务器连接状态code=0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IL::DownloadFailureText(c.code, c.msg, c.gb, c.writable, c.net), c.want);
    EXPECT_EQ(IL::FailureText(1000.0, L"bad"), L":1.code=1000；2.msg=bad");
    EXPECT_EQ(IL::FailureText(0.0 / 1.0, L""), L":1.code=0；2.msg=");
    const std::wstring longText = IL::FailureText(2, std::wstring(500, L'字'));
    EXPECT_EQ(longText.size(), 199u);
    EXPECT_EQ(longText.substr(0, 15), L":1.code=2；2.msg");
    EXPECT_EQ(IL::DownloadFailureText(1, std::wstring(300, L'a'), 0, true, 0).size(), 199u);
}

TEST(InstallLocation, WritabilityProbeOnRealFolders)
{
    UiTest::PrivateHome home;
    const std::string folder = home.Root() + "/cache";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(IL::IsPathWritable(W(folder + "/pkg.exe")));
    EXPECT_FALSE(std::filesystem::exists(folder + "/pkg.exe")) << "the probe leaves nothing";
    ASSERT_TRUE(UiTest::WriteText(folder + "/old.exe", "partial"));
    EXPECT_TRUE(IL::IsPathWritable(W(folder + "/old.exe")));
    EXPECT_FALSE(std::filesystem::exists(folder + "/old.exe"));
    EXPECT_FALSE(IL::IsPathWritable(W(home.Root() + "/missing/dir/pkg.exe")));
    if (::geteuid() != 0) {
        ASSERT_TRUE(UiTest::WriteText(folder + "/ro/kept.exe", "x"));
        std::filesystem::permissions(folder + "/ro", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        EXPECT_FALSE(IL::IsPathWritable(W(folder + "/ro/new.exe")));
        EXPECT_FALSE(IL::IsPathWritable(W(folder + "/ro/kept.exe")));
        std::filesystem::permissions(folder + "/ro", std::filesystem::perms::owner_all);
    }
}

}  // namespace
