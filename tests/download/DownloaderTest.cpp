#include <gtest/gtest.h>

#include <memory>

#include "download/CCurlDownloader.h"
#include "download/CMTCurlDownloader.h"
#include "download/CWinDownloader.h"
#include "download/CurlCommon.h"
#include "download/DownloaderFactory.h"
#include "tests/download/DownloadTestSupport.h"
#include "tests/download/TestDownloadServer.h"

namespace {

using lptest::DigestMode;
using lptest::ServerFault;

constexpr const char* kEntry = "/software/197";

enum class Kind { Curl, MultiPart, System };

std::unique_ptr<CDownloader> Make(Kind kind, DownloadCallback cb, const std::string& url, const std::wstring& path) {
    const std::wstring wideUrl(url.begin(), url.end());
    switch (kind) {
        case Kind::Curl: return std::make_unique<CCurlDownloader>(cb, wideUrl, path);
        case Kind::MultiPart: return std::make_unique<CMTCurlDownloader>(cb, wideUrl, path);
        case Kind::System: return std::make_unique<CWinDownloader>(cb, wideUrl, path);
    }
    return nullptr;
}

const char* Name(Kind kind) { return kind == Kind::Curl ? "curl" : kind == Kind::MultiPart ? "mtcurl" : "system"; }

struct DownloadRun {
    lptest::ReportLog log;
    std::unique_ptr<CDownloader> downloader;
};

class DownloaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.IsListening()); }

    // Runs to the final report, then destroys the downloader so that nothing can follow.
    std::unique_ptr<DownloadRun> RunToEnd(Kind kind, const std::wstring& path) {
        auto run = std::make_unique<DownloadRun>();
        run->downloader = Make(kind, run->log.Callback(), server.EntryUrl(kEntry), path);
        run->log.RestartOnRetry(run->downloader.get());
        run->downloader->Start();
        EXPECT_TRUE(run->log.WaitForFinal()) << Name(kind);
        run->downloader.reset();
        return run;
    }

    lptest::TestDownloadServer server;
    lptest::TempFolder folder;
};

TEST_F(DownloaderTest, ReportSequences) {
    const std::string body = lptest::MakeTestBody(1048576 + 4096, 5);
    server.AddFile(kEntry, "pkg.exe", body);
    const std::vector<int> success = {DL_CODE_START, DL_CODE_SUCCESS};
    const std::vector<int> noDigest = {DL_CODE_START, DL_CODE_MD5, DL_CODE_SUCCESS};
    const std::vector<int> mismatchTwice = {DL_CODE_START, DL_CODE_MD5, DL_CODE_RETRY,
                                            DL_CODE_START, DL_CODE_MD5, DL_CODE_FAIL};
    const struct {
        Kind kind;
        DigestMode digest;
        std::vector<int> codes;
        const wchar_t* md5Text;
        bool fileKept;
    } cases[] = {
        {Kind::Curl, DigestMode::Correct, success, nullptr, true},
        {Kind::MultiPart, DigestMode::Correct, success, nullptr, true},
        {Kind::System, DigestMode::Correct, success, nullptr, true},
        {Kind::Curl, DigestMode::Missing, noDigest, L"curl获取url-md5失败", true},
        {Kind::MultiPart, DigestMode::Missing, noDigest, L"mtcurl获取url-md5失败", true},
        {Kind::Curl, DigestMode::Wrong, mismatchTwice, L"curl文件md5校验失败", true},
        {Kind::MultiPart, DigestMode::Wrong, mismatchTwice, L"mtcurl文件md5校验失败", false},
        {Kind::Curl, DigestMode::UpperCase, mismatchTwice, L"curl文件md5校验失败", true},
        {Kind::MultiPart, DigestMode::UpperCase, mismatchTwice, L"mtcurl文件md5校验失败", false},
        // The system download makes no digest check.
        {Kind::System, DigestMode::Wrong, success, nullptr, true},
    };
    int index = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(Name(c.kind)) + " case " + std::to_string(index));
        server.SetDigestMode(c.digest);
        const std::string target = folder.File("pkg" + std::to_string(index++));
        auto run = RunToEnd(c.kind, std::wstring(target.begin(), target.end()));
        EXPECT_EQ(run->log.Codes(), c.codes);
        const auto reports = run->log.Reports();
        ASSERT_FALSE(reports.empty());
        EXPECT_EQ(reports.front().value, 1.0);
        const std::wstring finalText = c.kind == Kind::System ? L"URLDownloadToFile" : L"LibCurl";
        EXPECT_EQ(reports.back().text, finalText);
        for (const auto& r : reports) {
            if (r.code == DL_CODE_MD5) {
                EXPECT_EQ(r.text, c.md5Text);
            } else if (r.code == DL_CODE_PROGRESS) {
                // Only the system download may report 0 (its first data notice).
                EXPECT_TRUE((r.value > 0.0 || c.kind == Kind::System) && r.value >= 0.0 && r.value <= 1.0) << r.value;
            } else if (r.code == DL_CODE_RETRY || r.code == DL_CODE_FAIL) {
                EXPECT_EQ(r.value, 0.0);
            }
        }
        if (c.codes.back() == DL_CODE_SUCCESS) {
            EXPECT_EQ(lptest::ReadFileBytes(target), body);
        } else {
            EXPECT_EQ(lptest::FileExists(target), c.fileKept);
        }
        EXPECT_FALSE(lptest::FileExists(target + ".part"));
        EXPECT_FALSE(lptest::FileExists(target + "_0"));
    }
}

TEST_F(DownloaderTest, AnEmptyTargetPathFailsBeforeAnyTransferAndEndsTheRun) {
    server.AddFile(kEntry, "pkg.exe", lptest::MakeTestBody(1048576));
    for (Kind kind : {Kind::Curl, Kind::MultiPart, Kind::System}) {
        SCOPED_TRACE(Name(kind));
        server.ClearRequests();
        auto run = RunToEnd(kind, L"");
        const auto reports = run->log.Reports();
        ASSERT_EQ(reports.size(), 2u);
        EXPECT_EQ(reports[0].code, DL_CODE_START);
        EXPECT_EQ(reports[1].code, DL_CODE_FAIL);
        EXPECT_EQ(reports[1].value, 1.0);
        EXPECT_EQ(reports[1].text, L"");
        EXPECT_TRUE(server.Requests().empty());
    }
}

TEST_F(DownloaderTest, ExhaustedAttemptsReportTheLastCode) {
    server.AddFile(kEntry, "pkg.exe", lptest::MakeTestBody(1048576 + 1));
    server.AddFault(ServerFault::Status("GET", 500, -1));
    const struct {
        Kind kind;
        std::vector<int> codes;
        double value;
    } cases[] = {
        {Kind::Curl, {DL_CODE_START, DL_CODE_FAIL}, CURLE_HTTP_RETURNED_ERROR},
        {Kind::MultiPart, {DL_CODE_START, DL_CODE_RETRY, DL_CODE_START, DL_CODE_FAIL}, CURLE_HTTP_RETURNED_ERROR},
        {Kind::System, {DL_CODE_START, DL_CODE_FAIL}, static_cast<double>(Utils::hresult::kDownloadFailure)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Name(c.kind));
        server.ClearRequests();
        auto run = RunToEnd(c.kind, folder.WideFile(std::string("x-") + Name(c.kind)));
        EXPECT_EQ(run->log.Codes(), c.codes);
        EXPECT_EQ(run->log.Reports().back().value, c.value);
        int gets = 0;
        for (const auto& r : server.Requests()) gets += r.method == "GET" && r.path.rfind("/files/", 0) == 0;
        // 6 attempts of the single stream, 7 per part and run, 3 of the system download.
        const int expected = c.kind == Kind::Curl ? 6 : c.kind == Kind::MultiPart ? 14 : 3;
        EXPECT_EQ(gets, expected);
    }
}

TEST_F(DownloaderTest, NotFoundProbeFailsTheCurlDownloadersWithoutTransfer) {
    server.AddFile(kEntry, "pkg.exe", lptest::MakeTestBody(2 * 1048576));
    server.AddFault(ServerFault::Status("HEAD", 404, -1));
    auto curl = RunToEnd(Kind::Curl, folder.WideFile("a"));
    EXPECT_EQ(curl->log.Codes(), (std::vector<int>{DL_CODE_START, DL_CODE_FAIL}));
    EXPECT_EQ(curl->log.Reports().back().value, static_cast<double>(kClientSizeUnknown));
    auto mt = RunToEnd(Kind::MultiPart, folder.WideFile("b"));
    EXPECT_EQ(mt->log.Codes(), (std::vector<int>{DL_CODE_START, DL_CODE_FAIL}));
    EXPECT_EQ(mt->log.Reports().back().value, 0.0);
    for (const auto& r : server.Requests()) EXPECT_NE(r.method, "GET");
}

// Disabled: it hangs in destruction while the server holds the transfer stalled; open defect.
TEST_F(DownloaderTest, DISABLED_DestructionDuringATransferStopsEveryThreadAndReportsNothingMore) {
    server.AddFile(kEntry, "pkg.exe", lptest::MakeTestBody(24 * 1048576));
    for (Kind kind : {Kind::Curl, Kind::MultiPart, Kind::System}) {
        SCOPED_TRACE(Name(kind));
        server.AddFault(ServerFault::StallAfter(256 * 1024, -1));
        lptest::ReportLog log;
        auto downloader = Make(kind, log.Callback(), server.EntryUrl(kEntry), folder.WideFile(Name(kind)));
        downloader->Start();
        ASSERT_TRUE(server.WaitForStall());
        downloader.reset();  // must return although the server never finishes
        const auto codes = log.Codes();
        EXPECT_EQ(codes, (std::vector<int>{DL_CODE_START}));
        server.ClearFaults();
        server.ReleaseStall();
        ASSERT_TRUE(server.WaitForNoStall());
    }
}

TEST(DownloaderFactory, SelectsByDownloadType) {
    const struct {
        int type;
        Kind kind;
    } cases[] = {{0, Kind::Curl}, {1, Kind::Curl}, {4, Kind::Curl}, {-1, Kind::Curl},
                 {2, Kind::System}, {3, Kind::MultiPart}};
    for (const auto& c : cases) {
        auto downloader = MakeDownloader(c.type, [](int, double, const wchar_t*) {}, L"http://127.0.0.1:1/x", L"");
        const bool matches = c.kind == Kind::Curl        ? dynamic_cast<CCurlDownloader*>(downloader.get()) != nullptr
                             : c.kind == Kind::System    ? dynamic_cast<CWinDownloader*>(downloader.get()) != nullptr
                                                         : dynamic_cast<CMTCurlDownloader*>(downloader.get()) != nullptr;
        EXPECT_TRUE(matches) << c.type;
    }
}

TEST(CWinDownloader, EncodesEverythingButFileUrls) {
    const struct {
        const wchar_t* url;
        const wchar_t* expected;
    } cases[] = {
        {L"http://h/a b/é?x=1&y", L"http://h/a+b/%C3%A9?x=1&y"},
        {L"http://h/\x7f", L"http://h/%7F"},
        {L"file:///tmp/a b/é", L"file:///tmp/a b/é"},
    };
    for (const auto& c : cases) EXPECT_EQ(CWinDownloader::EncodeUrl(c.url), c.expected);
}

TEST_F(DownloaderTest, SystemDownloadRequestsTheEncodedUrl) {
    const std::string body = lptest::MakeTestBody(4096, 2);
    // The server decodes "%C3%A9" and keeps "+" in a path.
    server.AddFile("/soft+ware/\xC3\xA9", "pkg.exe", body);
    lptest::ReportLog log;
    const std::string url = server.BaseUrl() + "/soft ware/";
    std::wstring wideUrl(url.begin(), url.end());
    wideUrl += L"é";
    CWinDownloader downloader(log.Callback(), wideUrl, folder.WideFile("enc"));
    downloader.Start();
    ASSERT_TRUE(log.WaitForFinal());
    EXPECT_EQ(log.Codes(), (std::vector<int>{DL_CODE_START, DL_CODE_SUCCESS}));
    EXPECT_EQ(lptest::ReadFileBytes(folder.File("enc")), body);
}

}  // namespace
