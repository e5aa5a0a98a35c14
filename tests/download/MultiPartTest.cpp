#include <gtest/gtest.h>

#include "download/CMTCurlDownloader.h"
#include "tests/download/DownloadTestSupport.h"
#include "tests/download/TestDownloadServer.h"

namespace {

using lptest::ServerFault;

constexpr const char* kEntry = "/software/197";
constexpr std::int64_t kMiB = 1048576;

class MultiPartTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.IsListening()); }

    std::vector<std::string> FileGets() const {
        std::vector<std::string> ranges;
        for (const auto& r : server.Requests()) {
            if (r.method == "GET" && r.path.rfind("/files/", 0) == 0) ranges.push_back(r.range);
        }
        std::sort(ranges.begin(), ranges.end());
        return ranges;
    }

    std::vector<int> Download(const std::string& name) {
        lptest::ReportLog log;
        const std::string url = server.EntryUrl(kEntry);
        CMTCurlDownloader downloader(log.Callback(), std::wstring(url.begin(), url.end()), folder.WideFile(name));
        log.RestartOnRetry(&downloader);
        downloader.Start();
        EXPECT_TRUE(log.WaitForFinal());
        return log.Codes();
    }

    lptest::TestDownloadServer server;
    lptest::TempFolder folder;
};

TEST_F(MultiPartTest, SplitsIntoOneOrTwoRanges) {
    const struct {
        std::int64_t size;
        std::vector<std::string> ranges;
    } cases[] = {
        {20 * kMiB - 1, {"bytes=0-20971518"}},
        {20 * kMiB, {"bytes=0-10485759", "bytes=10485760-20971519"}},
        {30 * kMiB + 1, {"bytes=0-15728639", "bytes=15728640-31457280"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        EXPECT_EQ(CMTCurlDownloader::PartCount(c.size), static_cast<int>(c.ranges.size()));
        const std::string body = lptest::MakeTestBody(static_cast<std::size_t>(c.size), 7);
        server.AddFile(kEntry, "pkg.exe", body);
        server.ClearRequests();
        const std::string name = "split" + std::to_string(c.size);
        EXPECT_EQ(Download(name), (std::vector<int>{DL_CODE_START, DL_CODE_SUCCESS}));
        EXPECT_EQ(FileGets(), c.ranges);
        EXPECT_TRUE(lptest::ReadFileBytes(folder.File(name)) == body);
    }
    for (std::int64_t size : std::vector<std::int64_t>{256 * 1024, 10 * kMiB - 1, 60 * kMiB, 5000 * kMiB})
        EXPECT_EQ(CMTCurlDownloader::PartCount(size), size < 20 * kMiB ? 1 : 2) << size;
}

TEST_F(MultiPartTest, ADroppedPartResumesAfterItsBytes) {
    const std::string body = lptest::MakeTestBody(static_cast<std::size_t>(20 * kMiB), 8);
    server.AddFile(kEntry, "pkg.exe", body);
    server.AddFault(ServerFault::CloseAfter(kMiB + 3).OnRange("bytes=10485760-"));
    EXPECT_EQ(Download("resume"), (std::vector<int>{DL_CODE_START, DL_CODE_SUCCESS}));
    EXPECT_EQ(FileGets(), (std::vector<std::string>{"bytes=0-10485759", "bytes=10485760-20971519",
                                                    "bytes=11534339-20971519"}));
    EXPECT_TRUE(lptest::ReadFileBytes(folder.File("resume")) == body);
}

TEST_F(MultiPartTest, ARetriedRunStartsNoThreadForACompletePart) {
    const std::string body = lptest::MakeTestBody(static_cast<std::size_t>(20 * kMiB), 9);
    server.AddFile(kEntry, "pkg.exe", body);
    // Every attempt of the second part in the first run fails (1 + 6 retries).
    server.AddFault(ServerFault::Status("GET", 500, 7).OnRange("bytes=10485760-"));
    lptest::ReportLog log;
    const std::string url = server.EntryUrl(kEntry);
    CMTCurlDownloader downloader(log.Callback(), std::wstring(url.begin(), url.end()), folder.WideFile("retry"));
    log.RestartOnRetry(&downloader);
    log.OnReport([this](const lptest::Report& r) {
        if (r.code == DL_CODE_RETRY) server.ClearRequests();
    });
    downloader.Start();
    ASSERT_TRUE(log.WaitForFinal());
    EXPECT_EQ(log.Codes(), (std::vector<int>{DL_CODE_START, DL_CODE_RETRY, DL_CODE_START, DL_CODE_SUCCESS}));
    const auto reports = log.Reports();
    const auto retry = std::find_if(reports.begin(), reports.end(), [](const auto& r) { return r.code == DL_CODE_RETRY; });
    EXPECT_EQ(retry->value, 22.0);
    // The second run asks only for the part that is missing, and its progress counts the kept part.
    EXPECT_EQ(FileGets(), (std::vector<std::string>{"bytes=10485760-20971519"}));
    EXPECT_TRUE(lptest::ReadFileBytes(folder.File("retry")) == body);
}

}  // namespace
