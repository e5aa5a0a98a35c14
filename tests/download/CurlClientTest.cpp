#include <gtest/gtest.h>

#include <ctime>
#include <thread>

#include "download/CurlClient.h"
#include "download/CurlCommon.h"
#include "download/DownloadAnalytics.h"
#include "tests/download/DownloadTestSupport.h"
#include "tests/download/TestDownloadServer.h"
#include "utils/SystemDownload.h"

namespace {

using lptest::ServerFault;
using lptest::TestDownloadServer;

constexpr const char* kEntry = "/software/197";

struct ProgressSink {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<double> percents;

    static void Capture(void* owner, double, double, double percent) {
        auto* sink = static_cast<ProgressSink*>(owner);
        {
            std::lock_guard lock(sink->mutex);
            sink->percents.push_back(percent);
        }
        sink->changed.notify_all();
    }
    bool WaitFor(double percent) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(60), [&] {
            for (double p : percents)
                if (std::abs(p - percent) < 1e-9) return true;
            return false;
        });
    }
    std::vector<double> Percents() {
        std::lock_guard lock(mutex);
        return percents;
    }
};

class CurlClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.IsListening());
        SetDownloadTaskObserver([this](const std::wstring& label, float, const std::wstring& reason) {
            std::lock_guard lock(mutex);
            tasks.push_back(label + L"|" + reason);
        });
    }
    void TearDown() override { SetDownloadTaskObserver({}); }

    std::wstring EntryUrl() const {
        const std::string url = server.EntryUrl(kEntry);
        return std::wstring(url.begin(), url.end());
    }
    std::vector<std::wstring> Tasks() {
        std::lock_guard lock(mutex);
        return tasks;
    }
    static int CountMethod(const std::vector<lptest::RecordedRequest>& requests, const std::string& method) {
        int n = 0;
        for (const auto& r : requests) n += r.method == method;
        return n;
    }

    TestDownloadServer server;
    lptest::TempFolder folder;
    ProgressSink sink;
    std::mutex mutex;
    std::vector<std::wstring> tasks;
};

TEST_F(CurlClientTest, DownloadsFromOneMebibyteAndRefusesSmallerFiles) {
    const struct {
        std::size_t size;
        int result;
    } cases[] = {{1048576, 0}, {1048575, kClientSizeUnknown}};
    for (const auto& c : cases) {
        const std::string body = lptest::MakeTestBody(c.size, static_cast<unsigned>(c.size));
        server.AddFile(kEntry, "pkg.exe", body);
        server.ClearRequests();
        const std::string target = folder.File("pkg-" + std::to_string(c.size));
        CurlClient client(EntryUrl(), std::wstring(target.begin(), target.end()), &sink, &ProgressSink::Capture);
        EXPECT_EQ(client.Start(), c.result) << c.size;
        if (c.result == 0) {
            EXPECT_EQ(lptest::ReadFileBytes(target), body);
            EXPECT_FALSE(lptest::FileExists(target + ".part"));
            EXPECT_EQ(client.RealUrl(), server.RealUrl(kEntry));
        } else {
            EXPECT_FALSE(lptest::FileExists(target));
            EXPECT_EQ(CountMethod(server.Requests(), "GET"), 0) << "no transfer for a refused size";
        }
    }
}

TEST_F(CurlClientTest, NotFoundProbesAreReportedTwiceAndRefused) {
    server.AddFile(kEntry, "pkg.exe", lptest::MakeTestBody(2 * 1048576));
    server.AddFault(ServerFault::Status("HEAD", 404, -1));
    CurlClient client(EntryUrl(), folder.WideFile("pkg.exe"), &sink, &ProgressSink::Capture);
    EXPECT_EQ(client.Start(), kClientSizeUnknown);
    const std::wstring expected = L"下载失败原因|1.获取文件大小的状态码为=404；";
    EXPECT_EQ(Tasks(), (std::vector<std::wstring>{expected, expected}));
    EXPECT_EQ(CountMethod(server.Requests(), "GET"), 0);
}

TEST_F(CurlClientTest, Status400IsSuccessOnlyForTheLengthByUrl) {
    const std::string body = lptest::MakeTestBody(1048576 + 5);
    server.AddFile(kEntry, "pkg.exe", body);
    server.AddFault(ServerFault::Status("HEAD", 400, 2));
    CurlClient client(EntryUrl(), folder.WideFile("pkg.exe"), &sink, &ProgressSink::Capture);

    // The length is that of the error page the server sends with its status.
    EXPECT_EQ(client.GetDownloadFileLength_Str(server.RealUrl(kEntry)), 5.0);
    EXPECT_TRUE(Tasks().empty());

    CURL* probe = client.Head(server.RealUrl(kEntry));
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(client.GetDownloadFileLength(probe), -1.0);
    curl_easy_cleanup(probe);
    EXPECT_EQ(Tasks(), (std::vector<std::wstring>{L"下载失败原因|1.获取文件大小的状态码为=400；"}));
}

TEST_F(CurlClientTest, ResumesAfterTheSideFileAndCountsTheWholeFile) {
    const std::string body = lptest::MakeTestBody(3 * 1048576 + 77, 3);
    const std::int64_t dropAt = 1048576 + 123;
    const std::int64_t stallAt = 512 * 1024;
    server.AddFile(kEntry, "pkg.exe", body);
    server.AddFault(ServerFault::CloseAfter(dropAt));
    const std::string target = folder.File("pkg.exe");
    CurlClient client(EntryUrl(), folder.WideFile("pkg.exe"), &sink, &ProgressSink::Capture);

    EXPECT_EQ(client.Start(), CURLE_PARTIAL_FILE);
    EXPECT_EQ(lptest::ReadFileBytes(target + ".part"), body.substr(0, dropAt));
    EXPECT_FALSE(lptest::FileExists(target));

    server.ClearRequests();
    server.AddFault(ServerFault::StallAfter(stallAt));
    int result = -1;
    std::thread attempt([&] { result = client.Start(); });
    // While the transfer stands still, the report counts the resumed bytes too.
    const double whole = static_cast<double>(dropAt + stallAt) / static_cast<double>(body.size()) * 100.0;
    EXPECT_TRUE(sink.WaitFor(whole));
    server.ReleaseStall();
    attempt.join();

    EXPECT_EQ(result, 0);
    EXPECT_EQ(lptest::ReadFileBytes(target), body);
    EXPECT_FALSE(lptest::FileExists(target + ".part"));
    const auto requests = server.Requests();
    EXPECT_EQ(CountMethod(requests, "HEAD"), 0) << "a known size is not probed again";
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].range, "bytes=" + std::to_string(dropAt) + "-");
    for (double p : sink.Percents()) EXPECT_GE(p, static_cast<double>(dropAt) * 100.0 / body.size());
}

TEST_F(CurlClientTest, AsksForTheIdentityEncodingOnly) {
    // This server compresses whenever a client offers gzip.
    const std::string body(2 * 1048576, 'L');
    server.AddFile(kEntry, "pkg.exe", body);
    server.SetHonourGzip(true);
    CurlClient client(EntryUrl(), folder.WideFile("pkg.exe"), &sink, &ProgressSink::Capture);
    ASSERT_EQ(client.Start(), 0);
    EXPECT_EQ(lptest::ReadFileBytes(folder.File("pkg.exe")), body);
    for (const auto& request : server.Requests()) {
        if (request.method == "GET") {
            EXPECT_EQ(request.acceptEncoding, "identity");
        }
    }
}

TEST(CurlClientHttps, VerifiesTheServerAgainstTheTrustedAuthorities) {
    TestDownloadServer server(TestDownloadServer::Options::Https());
    ASSERT_TRUE(server.IsListening());
    const std::string body = lptest::MakeTestBody(1048576 + 1);
    server.AddFile(kEntry, "pkg.exe", body);
    const std::string url = server.EntryUrl(kEntry);
    lptest::TempFolder folder;

    {
        CurlClient client(std::wstring(url.begin(), url.end()), folder.WideFile("untrusted"), nullptr, nullptr);
        EXPECT_EQ(client.Start(), kClientSizeUnknown);
        EXPECT_TRUE(server.Requests().empty()) << "no request may pass an unverified handshake";
    }
    Utils::SetHttpsCaFile(server.CaFile());
    CurlClient client(std::wstring(url.begin(), url.end()), folder.WideFile("trusted"), nullptr, nullptr);
    EXPECT_EQ(client.Start(), 0);
    Utils::SetHttpsCaFile("");
    EXPECT_EQ(lptest::ReadFileBytes(folder.File("trusted")), body);
}

TEST(CurlClientProgress, OneReportPerCalendarSecondAndNoneAtZero) {
    for (;;) {
        ProgressSink sink;
        CurlClient client(L"http://127.0.0.1:1/x", L"", &sink, &ProgressSink::Capture);
        CurlClient zero(L"http://127.0.0.1:1/x", L"", &sink, &ProgressSink::Capture);
        const std::time_t before = std::time(nullptr);
        CurlClient::ProgressCallback(&client, 1000, 250, 0, 0);
        CurlClient::ProgressCallback(&client, 1000, 500, 0, 0);
        CurlClient::ProgressCallback(&zero, 1000, 0, 0, 0);
        if (std::time(nullptr) != before) continue;  // crossed a second boundary: the premise does not hold
        EXPECT_EQ(sink.Percents(), (std::vector<double>{25.0}));
        break;
    }
    CurlClient client(L"http://127.0.0.1:1/x", L"", nullptr, nullptr);
    client.Cancel();
    EXPECT_EQ(CurlClient::ProgressCallback(&client, 1000, 10, 0, 0), 1);
}

}  // namespace
