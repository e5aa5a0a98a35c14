#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "CDownloadInstaller.h"
#include "InstallCodes.h"
#include "InstallTestSupport.h"
#include "tests/download/TestDownloadServer.h"

using namespace InstallTest;

namespace {

constexpr const char* kEntry = "/software/197";

// A download server that serves the setup stand-in as the package, a work
// folder of the test's own and the stand-ins' scenarios.
class DownloadInstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.IsListening());
        // The downloaders refuse packages under 1 MiB; trailing bytes do not
        // disturb the stand-in program.
        std::string package = ReadFile(SetupStandIn());
        package += lptest::MakeTestBody(std::size_t{3} << 19);
        server_.AddFile(kEntry, "__Package_Lumapane.exe", std::move(package));
        std::filesystem::create_directory(dir_.File("temp"));
        setenv("TMPDIR", dir_.File("temp").c_str(), 1);
        WriteFile(dir_.File("setup.scenario"), "");
        WriteFile(dir_.File("uninstall.scenario"), "");
        setenv("LP_SETUP_SCENARIO", dir_.File("setup.scenario").c_str(), 1);
        setenv("LP_UNINSTALL_SCENARIO", dir_.File("uninstall.scenario").c_str(), 1);
        InstallerConfig::Instance().DownloadType = 1;
    }
    void TearDown() override {
        unsetenv("TMPDIR");
        InstallerConfig::Instance().DownloadType = 1;
    }

    std::wstring Url() const { return Wide(server_.EntryUrl(kEntry)); }
    std::string OldUninstaller() {
        const std::string path = dir_.File("old/Lumapane/uninst.exe");
        std::filesystem::create_directories(dir_.File("old/Lumapane"));
        std::filesystem::copy_file(UninstallStandIn(), path);
        return path;
    }
    std::string CopyPath() const { return dir_.File("temp/~OrvekTemp.92482B06FB471E17/Lumapane_un_asa.exe"); }

    static std::vector<int> WithoutProgress(std::vector<int> codes) {
        std::erase(codes, DL_CODE_PROGRESS);
        return codes;
    }

    lptest::TestDownloadServer server_;
    TempDir dir_;
    EventLog log_;
};

TEST_F(DownloadInstallerTest, DownloadsRunsAndRemovesThePackageWithEachDownloader) {
    for (int type : {0, 1, 2, 3}) {
        SCOPED_TRACE(type);
        InstallerConfig::Instance().DownloadType = type;
        server_.ClearRequests();
        EventLog log;
        const std::string folder = dir_.File("Apps " + std::to_string(type) + "/Lumapane");
        WriteFile(dir_.File("setup.scenario"),
                  "record " + dir_.File("args") + "\nout Progress=0.5\\nInstPath=${DIR}\\nState=Success\\n\n");
        {
            CDownloadInstaller installer(log.Callback(), L"", L"", L"", true, true, true);
            installer.Configure(Url(), L"", Wide(folder), true, false, false, true);
            EXPECT_EQ(installer.PackagePath(), Wide(folder + "/__Package_Lumapane.exe"));
            installer.Start();
            ASSERT_TRUE(log.WaitFor([](const Event& e) {
                return e.code == IST_CODE_SUCCESS || e.code == IST_CODE_FAIL || e.code == DL_CODE_FAIL;
            }));
        }
        const std::vector<Event> events = log.Events();
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events.front(), (Event{DL_CODE_START, 1.0, L""}));
        EXPECT_EQ(WithoutProgress(log.Codes()),
                  (std::vector<int>{DL_CODE_START, DL_CODE_SUCCESS, IST_CODE_START, IST_CODE_PROGRESS,
                                    IST_CODE_PROGRESS, IST_INFO_INSTPATH, IST_CODE_SUCCESS}));
        const std::vector<Event> tail(events.end() - 5, events.end());
        EXPECT_EQ(tail, (std::vector<Event>{{IST_CODE_START, 0.0, L""},
                                            {IST_CODE_PROGRESS, 0.0, L""},
                                            {IST_CODE_PROGRESS, 0.5, L""},
                                            {IST_INFO_INSTPATH, 0.0, Wide(folder)},
                                            {IST_CODE_SUCCESS, 0.0, L""}}));
        EXPECT_FALSE(FileExists(folder + "/__Package_Lumapane.exe"));
        const std::vector<std::string> args = ReadLines(dir_.File("args"));
        ASSERT_EQ(args.size(), 10u);
        EXPECT_EQ(args[3], "-adminact=false");
        EXPECT_EQ(args[4], "-authorizationact=true");
        EXPECT_EQ(args[5], "-dsc=true");
        EXPECT_EQ(args[6], "-ssc=false");
        EXPECT_EQ(args[7], "-instdir=" + folder);
        // Only the two-part downloader asks for ranges of a fresh file.
        const auto requests = server_.Requests();
        const auto ranged = std::count_if(requests.begin(), requests.end(), [](const lptest::RecordedRequest& r) {
            return r.method == "GET" && !r.range.empty();
        });
        if (type == 3) {
            EXPECT_GE(ranged, 1);
        } else {
            EXPECT_EQ(ranged, 0);
        }
    }
}

TEST_F(DownloadInstallerTest, SuccessfulUninstallRunsBeforeTheDownload) {
    const std::string old = OldUninstaller();
    WriteFile(dir_.File("uninstall.scenario"), "record " + dir_.File("uninstall.args") +
                                                   "\nout Progress=0.5\\n\nout State=Success\\n\n");
    const std::string folder = dir_.File("Lumapane");
    {
        CDownloadInstaller installer(log_.Callback(), Url(), Wide(old), Wide(folder), true, true, true);
        installer.Start();
        ASSERT_TRUE(log_.WaitForCode(IST_CODE_SUCCESS));
    }
    EXPECT_EQ(WithoutProgress(log_.Codes()),
              (std::vector<int>{UNIST_CODE_PROGRESS, UNIST_CODE_PROGRESS, UNIST_CODE_SUCCESS, DL_CODE_START,
                                DL_CODE_SUCCESS, IST_CODE_START, IST_CODE_PROGRESS, IST_CODE_SUCCESS}));
    const std::vector<std::string> args = ReadLines(dir_.File("uninstall.args"));
    ASSERT_EQ(args.size(), 5u);
    EXPECT_EQ(args[4], "_?=" + dir_.File("old/Lumapane"));
    // The copy in the work folder stays, and stays runnable.
    struct stat st {};
    ASSERT_EQ(stat(CopyPath().c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IXUSR, 0u);
    EXPECT_TRUE(FileExists(old));
    EXPECT_FALSE(FileExists(folder + "/__Package_Lumapane.exe"));
}

TEST_F(DownloadInstallerTest, FailedUninstallStopsTheAttempt) {
    struct Case {
        const char* name;
        std::string steps;
        bool folderInPlace;
        std::vector<Event> events;
    };
    const Case cases[] = {
        {"fail line", "out State=Fail\\n\n", false,
         {{UNIST_CODE_PROGRESS, 0.0, L""}, {UNIST_CODE_ERROR, 0.0, L"安装包卸载失败"}}},
        {"error line", "out Error=文件被占用\\n\n", false,
         {{UNIST_CODE_PROGRESS, 0.0, L""}, {UNIST_CODE_ERROR, 0.0, L"文件被占用"}}},
        {"a folder in place of the uninstaller", "", true, {{UNIST_CODE_FAIL, 1.0, L"可执行卸载文件不存在"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(dir_.File("temp/~OrvekTemp.92482B06FB471E17"));
        std::filesystem::remove_all(dir_.File("old"));
        std::string old;
        if (c.folderInPlace) {
            old = dir_.File("old/Lumapane/uninst.exe");
            std::filesystem::create_directories(old);
        } else {
            old = OldUninstaller();
        }
        WriteFile(dir_.File("uninstall.scenario"), c.steps);
        EventLog log;
        {
            CDownloadInstaller installer(log.Callback(), Url(), Wide(old), Wide(dir_.File("Lumapane")), true, true,
                                         true);
            installer.Start();
            ASSERT_TRUE(log.WaitFor(
                [](const Event& e) { return e.code == UNIST_CODE_FAIL || e.code == UNIST_CODE_ERROR; }));
        }  // waits for the uninstaller's run
        EXPECT_EQ(log.Events(), c.events);
    }
    EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(DownloadInstallerTest, SecondStartInAnotherFolderKeepsTheFirstPackagePath) {
    const std::string first = dir_.File("First/Lumapane");
    const std::string second = dir_.File("Second Folder/Lumapane");
    auto installer = std::make_unique<CDownloadInstaller>(log_.Callback(), L"", L"", L"", true, true, true);

    WriteFile(dir_.File("setup.scenario"), "out State=Fail\\n\n");
    installer->Configure(Url(), L"", Wide(first), false, false, false, false);
    installer->Start();
    ASSERT_TRUE(log_.WaitForCode(IST_CODE_FAIL));

    // A file at the second folder's package path shows which file a success deletes.
    std::filesystem::create_directories(second);
    WriteFile(second + "/__Package_Lumapane.exe", "decoy");
    WriteFile(dir_.File("setup.scenario"), "record " + dir_.File("args") + "\nout State=Success\\n\n");
    installer->Configure(Url(), L"", Wide(second), true, true, true, true);
    EXPECT_EQ(installer->PackagePath(), Wide(second + "/__Package_Lumapane.exe"));
    installer->Start();
    ASSERT_TRUE(log_.WaitForCode(IST_CODE_SUCCESS));
    installer.reset();  // waits for the stages to finish their work

    // Downloaded and run from the first folder, installed into the second; the
    // file deleted on success is the second folder's, so the first one stays.
    const std::vector<std::string> args = ReadLines(dir_.File("args"));
    ASSERT_EQ(args.size(), 10u);
    EXPECT_EQ(args[3], "-adminact=true");
    EXPECT_EQ(args[7], "-instdir=" + second);
    EXPECT_EQ(args[8] + " " + args[9], "/D=" + second);
    EXPECT_TRUE(FileExists(first + "/__Package_Lumapane.exe"));
    EXPECT_FALSE(FileExists(second + "/__Package_Lumapane.exe"));
    EXPECT_EQ(WithoutProgress(log_.Codes()),
              (std::vector<int>{DL_CODE_START, DL_CODE_SUCCESS, IST_CODE_START, IST_CODE_PROGRESS, IST_CODE_FAIL,
                                DL_CODE_START, DL_CODE_SUCCESS, IST_CODE_START, IST_CODE_PROGRESS,
                                IST_CODE_SUCCESS}));
}

TEST_F(DownloadInstallerTest, FailedDownloadDeletesThePackageFile) {
    lptest::ServerFault fault;
    fault.method = "GET";
    fault.status = 500;
    fault.times = -1;
    server_.AddFault(fault);
    const std::string folder = dir_.File("Lumapane");
    // A package file left in the folder is removed on the failure.
    std::filesystem::create_directories(folder);
    WriteFile(folder + "/__Package_Lumapane.exe", "stale");
    {
        CDownloadInstaller installer(log_.Callback(), Url(), L"", Wide(folder), true, true, true);
        installer.Start();
        ASSERT_TRUE(log_.WaitForCode(DL_CODE_FAIL));
    }
    const std::vector<int> codes = WithoutProgress(log_.Codes());
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front(), DL_CODE_START);
    EXPECT_EQ(codes.back(), DL_CODE_FAIL);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), IST_CODE_START), 0);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_FALSE(FileExists(folder + "/__Package_Lumapane.exe"));
}

}  // namespace
