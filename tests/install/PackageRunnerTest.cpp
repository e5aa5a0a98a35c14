#include <gtest/gtest.h>

#include <cstdlib>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "CPackageRunner.h"
#include "InstallCodes.h"
#include "InstallTestSupport.h"

using namespace InstallTest;

namespace {

std::wstring Quoted(const std::string& path) {
    return L"\"" + Wide(path) + L"\"";
}

// Points the setup stand-in at a scenario for the runs that follow.
void UseSetupScenario(const std::string& file, const std::string& steps) {
    WriteFile(file, steps);
    setenv("LP_SETUP_SCENARIO", file.c_str(), 1);
}

struct CommandLineCase {
    const char* name;
    std::wstring folder;
    bool admin, authorization, desktop, quickLaunch;
    std::wstring instCmd;
    std::wstring expected;
};

TEST(PackageRunnerCommandLine, CarriesFlagsExtraTextAndFolder) {
    const std::wstring pkg = L"\"/opt/Lumapane/__Package_Lumapane.exe\"";
    const std::wstring fixed = pkg + L" /S -console=show -version=1.0.0";
    const CommandLineCase cases[] = {
        {"all flags and a folder", L"/opt/Lumapane", true, true, true, true, L"",
         fixed + L" -adminact=true -authorizationact=true -dsc=true -ssc=true -instdir=\"/opt/Lumapane\""
                 L" /D=/opt/Lumapane"},
        {"no folder", L"", false, false, false, false, L"",
         fixed + L" -adminact=false -authorizationact=false -dsc=false -ssc=false"},
        {"extra text, no folder", L"", false, true, true, false, L"-x=1",
         fixed + L" -adminact=false -authorizationact=true -dsc=true -ssc=false -x=1"},
        {"extra text before the folder", L"/opt/My Apps/Lumapane", true, false, false, true, L"-x=1",
         fixed + L" -adminact=true -authorizationact=false -dsc=false -ssc=true -x=1"
                 L" -instdir=\"/opt/My Apps/Lumapane\" /D=/opt/My Apps/Lumapane"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InstallerConfig::Instance().InstCmd = c.instCmd;
        CPackageRunner runner([](int, double, const wchar_t*) {}, pkg, L"/somewhere/else");
        runner.SetInstallFolder(c.folder);
        runner.SetAdminAct(c.admin);
        runner.SetAuthorizationAct(c.authorization);
        runner.SetDesktopShortcut(c.desktop);
        runner.SetQuickLaunch(c.quickLaunch);
        EXPECT_EQ(runner.BuildCommandLine(), c.expected);
    }
    InstallerConfig::Instance().InstCmd.clear();
}

TEST(PackageRunnerCommandLine, DefaultsBeforeAnySetter) {
    CPackageRunner runner([](int, double, const wchar_t*) {}, L"\"/p/x.exe\"", L"/p");
    EXPECT_EQ(runner.BuildCommandLine(), L"\"/p/x.exe\" /S -console=show -version=1.0.0 -adminact=false"
                                         L" -authorizationact=true -dsc=false -ssc=false -instdir=\"/p\" /D=/p");
}

struct RunCase {
    const char* name;
    std::string steps;
    std::vector<Event> tail;  // events after 2001 and 2002 (0.0)
};

TEST(PackageRunnerRun, EventsOfRealPackages) {
    const RunCase cases[] = {
        {"writes nothing, exit code 1", "exit 1\n", {{IST_CODE_SUCCESS, 1.0, L""}}},
        {"exit code of a live process", "exit 259\n", {{IST_CODE_SUCCESS, 1.0, L""}}},
        {"error line, exit code 0", "out Progress=0.4\\n\nout Error=磁盘空间不足\\n\nexit 0\n",
         {{IST_CODE_PROGRESS, 0.4, L""}, {IST_CODE_FAIL, 1000.0, L"磁盘空间不足"}}},
        {"fail and exit at once", "out State=Fail\\n\n", {{IST_CODE_FAIL, 0.0, L"安装包安装失败"}}},
        {"facts then success",
         "out Encode=UTF8\\nProgress=0.5\\nInstPath=${DIR}\\nStartupStyle=AutoStartup\\nState=Success\\n\n",
         {{IST_CODE_PROGRESS, 0.5, L""},
          {IST_INFO_INSTPATH, 0.0, L"/opt/Lumapane"},
          {IST_INFO_STARTUPSTYLE, 1.0, L""},
          {IST_CODE_SUCCESS, 0.0, L""}}},
        {"floods standard error first", "flood-err 1048576\nout State=Success\\n\n", {{IST_CODE_SUCCESS, 0.0, L""}}},
        {"writes a lot after its result", "out State=Success\\n\nflood-out 1048576\nflood-err 1048576\n",
         {{IST_CODE_SUCCESS, 0.0, L""}}},
        {"closes its output and goes on", "close-out\nflood-err 200000\nexit 3\n", {{IST_CODE_SUCCESS, 1.0, L""}}},
        {"line split over two writes", "out Prog\nout ress=0.25\\nState=Success\\n\n",
         {{IST_CODE_SUCCESS, 0.0, L""}}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseSetupScenario(dir.File("scenario"), c.steps);
        EventLog log;
        {
            CPackageRunner runner(log.Callback(), Quoted(SetupStandIn()), L"/opt/Lumapane");
            runner.Start();
        }  // destruction waits for the run
        std::vector<Event> expected = {{IST_CODE_START, 0.0, L""}, {IST_CODE_PROGRESS, 0.0, L""}};
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        std::vector<Event> got = log.Events();
        if (std::string(c.name) == "line split over two writes") {
            // Whether the two writes arrive as one chunk or two is up to the
            // system; only the progress event may differ.
            std::erase_if(got, [](const Event& e) { return e.code == IST_CODE_PROGRESS && e.value == 0.25; });
        }
        EXPECT_EQ(got, expected);
    }
}

TEST(PackageRunnerRun, MissingPackageAndOverlongCommandLineDoNotStart) {
    TempDir dir;
    UseSetupScenario(dir.File("scenario"), "record " + dir.File("args") + "\n");
    struct Case {
        const char* name;
        std::wstring package;
        std::wstring folder;
    };
    // 1023 units in all is the most a child can be given.
    const std::wstring base = Quoted(SetupStandIn()) +
                              L" /S -console=show -version=1.0.0 -adminact=false -authorizationact=true"
                              L" -dsc=false -ssc=false -instdir=\"\" /D=";
    const std::size_t room = (1023 - base.size()) / 2;
    const Case cases[] = {
        {"missing package", L"\"" + Wide(dir.File("absent.exe")) + L"\"", L"/opt/Lumapane"},
        {"command line of 1024 units", Quoted(SetupStandIn()), std::wstring(room + 1, L'd')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EventLog log;
        {
            CPackageRunner runner(log.Callback(), c.package, c.folder);
            runner.Start();
        }
        EXPECT_EQ(log.Events(), (std::vector<Event>{{IST_CODE_START, 0.0, L""},
                                                    {IST_CODE_PROGRESS, 0.0, L""},
                                                    {IST_CODE_FAIL, 2.0, L""}}));
        EXPECT_FALSE(FileExists(dir.File("args")));
    }
    // The longest command line that fits still starts, whole.
    EventLog log;
    const std::wstring folder(room, L'd');
    {
        CPackageRunner runner(log.Callback(), Quoted(SetupStandIn()), folder);
        ASSERT_GE(runner.BuildCommandLine().size(), 1022u);
        ASSERT_LE(runner.BuildCommandLine().size(), 1023u);
        runner.Start();
    }
    EXPECT_EQ(log.Codes(), (std::vector<int>{IST_CODE_START, IST_CODE_PROGRESS, IST_CODE_SUCCESS}));
    ASSERT_TRUE(FileExists(dir.File("args")));
    EXPECT_EQ(ReadLines(dir.File("args")).back(), "/D=" + std::string(folder.begin(), folder.end()));
}

TEST(PackageRunnerRun, PackageReceivesTheCommandLine) {
    TempDir dir;
    const std::string folder = dir.File("My Apps/Lumapane");
    UseSetupScenario(dir.File("scenario"), "record " + dir.File("args") + "\n");
    InstallerConfig::Instance().InstCmd = L"-x=1";
    EventLog log;
    {
        CPackageRunner runner(log.Callback(), Quoted(SetupStandIn()), Wide(folder));
        runner.SetAdminAct(true);
        runner.SetDesktopShortcut(true);
        runner.Start();
    }
    InstallerConfig::Instance().InstCmd.clear();
    // The system splits the command line; /D= takes the rest of it.
    const std::vector<std::string> expected = {
        "/S",    "-console=show", "-version=1.0.0", "-adminact=true", "-authorizationact=true", "-dsc=true",
        "-ssc=false", "-x=1", "-instdir=" + folder, "/D=" + dir.File("My"), "Apps/Lumapane"};
    EXPECT_EQ(ReadLines(dir.File("args")), expected);
    EXPECT_EQ(log.Codes(), (std::vector<int>{IST_CODE_START, IST_CODE_PROGRESS, IST_CODE_SUCCESS}));
}

TEST(PackageRunnerRun, SuccessIsReportedWhileThePackageStillRuns) {
    TempDir dir;
    Gate gate(dir.File("gate"));
    UseSetupScenario(dir.File("scenario"),
                     "out State=Success\\n\nflood-out 300000\nwait " + gate.Path() + "\nmark " + dir.File("marks") +
                         " ended\nexit 7\n");
    EventLog log;
    {
        CPackageRunner runner(log.Callback(), Quoted(SetupStandIn()), L"");
        runner.Start();
        ASSERT_TRUE(log.WaitForCode(IST_CODE_SUCCESS));
        EXPECT_FALSE(FileExists(dir.File("marks")));  // the package is still waiting at the gate
        ASSERT_TRUE(gate.Release());
    }
    EXPECT_EQ(ReadLines(dir.File("marks")), std::vector<std::string>{"ended"});
    EXPECT_EQ(log.Events(), (std::vector<Event>{{IST_CODE_START, 0.0, L""},
                                                {IST_CODE_PROGRESS, 0.0, L""},
                                                {IST_CODE_SUCCESS, 0.0, L""}}));
}

TEST(PackageRunnerRun, SecondStartWaitsForTheFirstPackage) {
    TempDir dir;
    Gate gate(dir.File("gate"));
    const std::string marks = dir.File("marks");
    UseSetupScenario(dir.File("scenario"), "mark " + marks + " start\nout Progress=0.5\\n\nwait " + gate.Path() +
                                               "\nmark " + marks + " end\n");
    EventLog log;
    auto runner = std::make_unique<CPackageRunner>(log.Callback(), Quoted(SetupStandIn()), L"");
    runner->Start();
    ASSERT_TRUE(log.WaitFor([](const Event& e) { return e.value == 0.5; }));
    auto second = std::async(std::launch::async, [&] { runner->Start(); });
    // The second call cannot return while the first package waits at the gate.
    EXPECT_EQ(second.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout);
    ASSERT_TRUE(gate.Release());
    second.get();
    ASSERT_TRUE(gate.Release());
    runner.reset();  // waits for the second run
    EXPECT_EQ(ReadLines(marks), (std::vector<std::string>{"start", "end", "start", "end"}));
    const std::vector<Event> one = {{IST_CODE_START, 0.0, L""},
                                    {IST_CODE_PROGRESS, 0.0, L""},
                                    {IST_CODE_PROGRESS, 0.5, L""},
                                    {IST_CODE_SUCCESS, 1.0, L""}};
    std::vector<Event> expected = one;
    expected.insert(expected.end(), one.begin(), one.end());
    EXPECT_EQ(log.Events(), expected);
}

}  // namespace
