#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "CUnInstaller.h"
#include "InstallCodes.h"
#include "InstallTestSupport.h"

using namespace InstallTest;

namespace {

void UseUninstallScenario(const std::string& file, const std::string& steps) {
    WriteFile(file, steps);
    setenv("LP_UNINSTALL_SCENARIO", file.c_str(), 1);
}

// The account facts as the platform sees them; the command line must carry them.
std::wstring AccountFlags() {
    std::wstring user;
    if (!Utils::GetConsoleUserName(user)) {
        user.clear();
    }
    return std::wstring(L" -adminact=") + (Utils::IsAdminAccount(user) ? L"true" : L"false") +
           L" -authorizationact=" + (Utils::IsCurrentUserAdmin() ? L"true" : L"false");
}

TEST(UnInstallerCommandLine, PathAndFolderUnquoted) {
    struct Case {
        std::wstring path, folder, expected;
    };
    const Case cases[] = {
        {L"/tmp/W/Lumapane_un_asa.exe", L"/opt/Lumapane",
         L"/tmp/W/Lumapane_un_asa.exe /S" + AccountFlags() + L" -console=show _?=/opt/Lumapane"},
        {L"/tmp/my temp/Lumapane_un_asa.exe", L"/opt/My Apps/Lumapane",
         L"/tmp/my temp/Lumapane_un_asa.exe /S" + AccountFlags() + L" -console=show _?=/opt/My Apps/Lumapane"},
        {L"", L"", L" /S" + AccountFlags() + L" -console=show _?="},
    };
    for (const auto& c : cases) {
        CUnInstaller uninstaller([](int, double, const wchar_t*) {}, c.path, c.folder);
        EXPECT_EQ(uninstaller.BuildCommandLine(), c.expected);
    }
}

struct RunCase {
    const char* name;
    std::string steps;
    std::vector<Event> events;
};

TEST(UnInstallerRun, EventsOfRealUninstallers) {
    const Event start{UNIST_CODE_PROGRESS, 0.0, L""};
    const RunCase cases[] = {
        {"writes nothing", "exit 1\n", {start, {UNIST_CODE_SUCCESS, 1.0, L""}}},
        {"success line", "out State=Success\\n\n", {start, {UNIST_CODE_SUCCESS, 0.0, L""}}},
        {"error then success", "out Progress=0.5\\nError=文件被占用\\n\nout State=Success\\n\n",
         {start, {UNIST_CODE_PROGRESS, 0.5, L""}, {UNIST_CODE_ERROR, 0.0, L"文件被占用"}, {UNIST_CODE_SUCCESS, 0.0, L""}}},
        {"fail and exit at once", "out State=Fail\\n\n", {start, {UNIST_CODE_ERROR, 0.0, L"安装包卸载失败"}}},
        {"floods standard error", "flood-err 1048576\nout State=Success\\n\nflood-err 1048576\n",
         {start, {UNIST_CODE_SUCCESS, 0.0, L""}}},
        {"exit code of a live process", "exit 259\n", {start, {UNIST_CODE_SUCCESS, 1.0, L""}}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseUninstallScenario(dir.File("scenario"), c.steps);
        EventLog log;
        {
            CUnInstaller uninstaller(log.Callback(), Wide(UninstallStandIn()), L"/opt/Lumapane");
            uninstaller.Start();
        }
        EXPECT_EQ(log.Events(), c.events);
    }
}

TEST(UnInstallerRun, KeepsReadingAfterTheResultUntilTheEnd) {
    TempDir dir;
    Gate gate(dir.File("gate"));
    UseUninstallScenario(dir.File("scenario"), "record " + dir.File("args") + "\nout State=Success\\n\nwait " +
                                                   gate.Path() + "\nout Error=late\\n\n");
    EventLog log;
    {
        CUnInstaller uninstaller(log.Callback(), Wide(UninstallStandIn()), Wide(dir.File("old dir")));
        uninstaller.Start();
        ASSERT_TRUE(log.WaitForCode(UNIST_CODE_SUCCESS));
        ASSERT_TRUE(gate.Release());
    }
    EXPECT_EQ(log.Events(), (std::vector<Event>{{UNIST_CODE_PROGRESS, 0.0, L""},
                                                {UNIST_CODE_SUCCESS, 0.0, L""},
                                                {UNIST_CODE_ERROR, 0.0, L"late"}}));
    const std::vector<std::string> args = ReadLines(dir.File("args"));
    ASSERT_EQ(args.size(), 6u);
    EXPECT_EQ(args[0], "/S");
    EXPECT_EQ(args[3], "-console=show");
    EXPECT_EQ(args[4], "_?=" + dir.File("old"));
    EXPECT_EQ(args[5], "dir");
}

TEST(UnInstallerRun, MissingCopyAndOverlongCommandLine) {
    TempDir dir;
    UseUninstallScenario(dir.File("scenario"), "record " + dir.File("args") + "\n");
    struct Case {
        const char* name;
        std::wstring path, folder;
        std::vector<Event> events;
    };
    const Case cases[] = {
        {"missing copy", Wide(dir.File("Lumapane_un_asa.exe")), L"/opt/Lumapane",
         {{UNIST_CODE_FAIL, 1.0, L"可执行卸载文件不存在"}}},
        {"empty path", L"", L"/opt/Lumapane", {{UNIST_CODE_FAIL, 1.0, L"可执行卸载文件不存在"}}},
        {"command line over 1023 units", Wide(UninstallStandIn()), std::wstring(1000, L'o'),
         {{UNIST_CODE_PROGRESS, 0.0, L""}, {UNIST_CODE_FAIL, 2.0, L""}}},
        {"a folder in place of the copy", Wide(dir.Path()), L"/opt/Lumapane",
         {{UNIST_CODE_PROGRESS, 0.0, L""}, {UNIST_CODE_FAIL, 2.0, L""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EventLog log;
        {
            CUnInstaller uninstaller(log.Callback(), c.path, c.folder);
            uninstaller.Start();
        }
        EXPECT_EQ(log.Events(), c.events);
        EXPECT_FALSE(FileExists(dir.File("args")));
    }
}

}  // namespace
