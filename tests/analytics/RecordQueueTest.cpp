// Record queue and transport against a real collector on loopback.
#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <set>
#include <thread>

#include "AnalyticsTestSupport.h"
#include "BodyEncoding.h"
#include "CollectorServer.h"
#include "RecordQueue.h"

using demo::CollectorServer;
using usage_analytics::RecordQueue;
using nlohmann::json;
using namespace std::chrono_literals;

namespace {

constexpr auto kSafety = 30s;

usage_analytics::utils::ObjectNode Numbered(int64_t n) {
    usage_analytics::utils::ObjectNode record;
    record.SetInteger("n", n);
    return record;
}

void AddRange(RecordQueue& queue, int from, int to) {
    for (int i = from; i <= to; ++i) queue.Add(Numbered(i));
}

std::vector<int64_t> Numbers(const std::deque<std::string>& texts) {
    std::vector<int64_t> out;
    for (const auto& t : texts) out.push_back(json::parse(t)["n"].get<int64_t>());
    return out;
}

std::vector<int64_t> Numbers(const json& records) {
    std::vector<int64_t> out;
    for (const auto& r : records) out.push_back(r["n"].get<int64_t>());
    return out;
}

std::vector<int64_t> Range(int from, int to) {
    std::vector<int64_t> out;
    for (int i = from; i <= to; ++i) out.push_back(i);
    return out;
}

class RecordQueueTest : public ::testing::TestWithParam<CollectorServer::Scheme> {
protected:
    void SetUp() override { ASSERT_TRUE(server_.Start()); }

    std::string staging() const { return (dir_.path() / "staging.txt").string(); }

    analytics_test::TempDir dir_;
    CollectorServer server_{GetParam()};
};

TEST_P(RecordQueueTest, SendsBatchesOfThirtyWithTheEncodedBody) {
    RecordQueue queue(server_.Url(), staging());
    AddRange(queue, 1, 65);
    ASSERT_TRUE(queue.Flush());
    EXPECT_EQ(queue.Size(), 0u);

    const auto batches = server_.service().Batches();
    ASSERT_EQ(batches.size(), 3u);
    const size_t sizes[] = {30, 30, 5};
    int next = 1;
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const auto& b = batches[i];
        ASSERT_TRUE(b.decoded) << b.error;
        EXPECT_EQ(b.records.size(), sizes[i]);
        EXPECT_EQ(Numbers(b.records), Range(next, next + static_cast<int>(sizes[i]) - 1));
        next += static_cast<int>(sizes[i]);
        EXPECT_EQ(b.body.rfind("data_list=H4sI", 0), 0u);
        ASSERT_GE(b.body.size(), 17u);
        EXPECT_EQ(b.body.substr(b.body.size() - 7), "&gzip=1");
        const std::string encoded = b.body.substr(10, b.body.size() - 17);
        EXPECT_EQ(encoded.find_first_of("+/="), std::string::npos);
        EXPECT_EQ(b.userAgent, "UsageAnalytics CPP SDK 0.7");
        EXPECT_EQ(b.contentType, "application/x-www-form-urlencoded");
        EXPECT_EQ(b.json.front(), '[');
        EXPECT_EQ(b.json.find(' '), std::string::npos);
    }
}

TEST_P(RecordQueueTest, FailedSecondBatchGoesBackInOrder) {
    server_.service().ScriptStatuses({200, 500});
    RecordQueue queue(server_.Url(), staging());
    AddRange(queue, 1, 65);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(queue.Flush());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "UsageAnalytics SDK send failed: refused\n");
    EXPECT_EQ(server_.service().RequestCount(), 2u);
    EXPECT_EQ(Numbers(queue.Snapshot()), Range(31, 65));
    // The next flush sends what was put back.
    ASSERT_TRUE(queue.Flush());
    EXPECT_EQ(Numbers(json(server_.service().AcceptedRecords())), Range(1, 65));
}

TEST_P(RecordQueueTest, OnlyStatus200IsSuccess) {
    const int statuses[] = {201, 204, 302, 404, 500};
    for (int status : statuses) {
        SCOPED_TRACE(status);
        server_.service().SetDefaultStatus(status);
        RecordQueue queue(server_.Url(), staging());
        AddRange(queue, 1, 3);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(queue.Flush());
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(err.rfind("UsageAnalytics SDK send failed: ", 0), 0u) << err;
        EXPECT_EQ(Numbers(queue.Snapshot()), Range(1, 3));
    }
}

TEST_P(RecordQueueTest, RecordsArrivingDuringAFailedSendLeaveRoomForTheNewestOfTheBatch) {
    RecordQueue queue(server_.Url(), staging());
    AddRange(queue, 1, 30);
    server_.service().Hold();
    bool flushed = true;
    std::thread flusher([&] {
        ::testing::internal::CaptureStderr();
        flushed = queue.Flush();
        ::testing::internal::GetCapturedStderr();
    });
    ASSERT_TRUE(server_.service().WaitForRequests(1, kSafety));
    AddRange(queue, 1001, 2010);
    server_.service().Release(500);
    flusher.join();
    EXPECT_FALSE(flushed);
    std::vector<int64_t> expected = Range(17, 30);
    const auto arrivals = Range(1001, 2010);
    expected.insert(expected.end(), arrivals.begin(), arrivals.end());
    EXPECT_EQ(Numbers(queue.Snapshot()), expected);
}

TEST_P(RecordQueueTest, HangingCollectorTimesOutAndKeepsTheBatch) {
    server_.service().Hold();
    RecordQueue queue(server_.Url(), staging());
    AddRange(queue, 1, 4);
    ::testing::internal::CaptureStderr();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(queue.Flush());
    const auto took = std::chrono::steady_clock::now() - start;
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Timeout"), std::string::npos) << err;
    EXPECT_GE(took, 2900ms);
    EXPECT_EQ(Numbers(queue.Snapshot()), Range(1, 4));
}

INSTANTIATE_TEST_SUITE_P(Schemes, RecordQueueTest,
                         ::testing::Values(CollectorServer::Scheme::kHttp, CollectorServer::Scheme::kHttps),
                         [](const auto& info) {
                             return info.param == CollectorServer::Scheme::kHttp ? "Http" : "Https";
                         });

TEST(RecordQueueLocalTest, KeepsTheNewest1024) {
    analytics_test::TempDir dir;
    RecordQueue queue("http://127.0.0.1:9/collect", (dir.path() / "s.txt").string());
    AddRange(queue, 1, 1025);
    EXPECT_EQ(Numbers(queue.Snapshot()), Range(2, 1025));
}

TEST(RecordQueueLocalTest, EmptyQueueFlushSendsNothing) {
    CollectorServer server;
    ASSERT_TRUE(server.Start());
    analytics_test::TempDir dir;
    RecordQueue queue(server.Url(), (dir.path() / "s.txt").string());
    EXPECT_TRUE(queue.Flush());
    EXPECT_EQ(server.service().RequestCount(), 0u);
}

TEST(RecordQueueLocalTest, UnreachableCollectorFails) {
    analytics_test::TempDir dir;
    int freePort;
    {
        CollectorServer gone;
        ASSERT_TRUE(gone.Start());
        freePort = gone.port();
    }
    RecordQueue queue("http://127.0.0.1:" + std::to_string(freePort) + "/collect?project=pc",
                      (dir.path() / "s.txt").string());
    AddRange(queue, 1, 2);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(queue.Flush());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "UsageAnalytics SDK send failed: Couldn't connect to server\n");
    EXPECT_EQ(queue.Size(), 2u);
}

TEST(RecordQueueStagingTest, FirstFlushMergesTheNewestLinesAndEmptiesTheFile) {
    CollectorServer server;
    ASSERT_TRUE(server.Start());
    server.service().SetDefaultStatus(503);
    analytics_test::TempDir dir;
    const auto path = dir.path() / "staging.txt";
    std::string file = "\n[1]\n{\"n\":-1\n";
    for (int i = 0; i < 100; ++i) {
        file += "{\"n\":" + std::to_string(5000 + i) + "}" + (i % 2 ? "\r\n" : "\n");
        if (i == 50) file += "not a record\n \n";
    }
    analytics_test::WriteFile(path, file);

    RecordQueue queue(server.Url(), path.string());
    AddRange(queue, 1, 1000);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(queue.Flush());
    ::testing::internal::GetCapturedStderr();
    std::vector<int64_t> expected = Range(5076, 5099);
    const auto held = Range(1, 1000);
    expected.insert(expected.end(), held.begin(), held.end());
    EXPECT_EQ(Numbers(queue.Snapshot()), expected);
    EXPECT_EQ(analytics_test::ReadFile(path), "");

    // Read once per run: a second flush does not merge the file again.
    analytics_test::WriteFile(path, "{\"n\":-7}\n");
    ::testing::internal::CaptureStderr();
    queue.Flush();
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(queue.Size(), 1024u);
    EXPECT_EQ(analytics_test::ReadFile(path), "{\"n\":-7}\n");
}

TEST(RecordQueueStagingTest, CloseWritesHeldRecordsForTheNextRun) {
    CollectorServer server;
    ASSERT_TRUE(server.Start());
    analytics_test::TempDir dir;
    {
        RecordQueue first(server.Url(), dir.folder());
        EXPECT_EQ(first.stagingFilePath(), dir.folder() + RecordQueue::kStagingFileName);
        AddRange(first, 1, 40);
        first.Close();
        first.Add(Numbered(99));  // ignored once closed
    }
    const auto lines = analytics_test::Lines(analytics_test::ReadFile(dir.folder() + RecordQueue::kStagingFileName));
    ASSERT_EQ(lines.size(), 40u);
    EXPECT_EQ(lines[0], R"({"n":1})");

    RecordQueue second(server.Url(), dir.folder());
    AddRange(second, 41, 45);
    ASSERT_TRUE(second.Flush());
    EXPECT_EQ(Numbers(json(server.service().AcceptedRecords())), Range(1, 45));
    EXPECT_EQ(server.service().Batches().size(), 2u);
    EXPECT_EQ(analytics_test::ReadFile(dir.folder() + RecordQueue::kStagingFileName), "");
}

TEST(RecordQueueConcurrencyTest, AddsFromSeveralThreadsWhileFlushing) {
    CollectorServer server;
    ASSERT_TRUE(server.Start());
    analytics_test::TempDir dir;
    RecordQueue queue(server.Url(), dir.folder());
    constexpr int kThreads = 4;
    constexpr int kPerThread = 150;
    std::atomic<bool> adding{true};
    std::thread flusher([&] {
        while (adding.load()) queue.Flush();
    });
    std::vector<std::thread> adders;
    for (int t = 0; t < kThreads; ++t) {
        adders.emplace_back([&, t] {
            for (int i = 0; i < kPerThread; ++i) queue.Add(Numbered(t * 10000 + i));
        });
    }
    for (auto& a : adders) a.join();
    adding = false;
    flusher.join();
    ASSERT_TRUE(queue.Flush());

    std::multiset<int64_t> seen;
    for (const auto& r : server.service().AcceptedRecords()) seen.insert(r["n"].get<int64_t>());
    ASSERT_EQ(seen.size(), static_cast<size_t>(kThreads * kPerThread));
    for (int t = 0; t < kThreads; ++t) {
        for (int i = 0; i < kPerThread; ++i) EXPECT_EQ(seen.count(t * 10000 + i), 1u);
    }
    for (const auto& b : server.service().Batches()) EXPECT_LE(b.records.size(), RecordQueue::kBatchSize);
}

TEST(CollectorTest, RefusesBodiesThatAreNotTheAnalyticsEncoding) {
    CollectorServer server;
    ASSERT_TRUE(server.Start());
    const std::string good = *usage_analytics::EncodeBatchBody(R"([{"n":1}])");
    const std::string payload = good.substr(10, good.size() - 17);
    const struct {
        const char* what;
        std::string body;
        int status;
    } cases[] = {
        {"good", good, 200},
        {"no gzip field", "data_list=" + payload, 400},
        {"unencoded plus", "data_list=" + payload + "+&gzip=1", 400},
        {"bad percent", "data_list=%G1" + payload + "&gzip=1", 400},
        {"not gzip", "data_list=" + usage_analytics::Base64Encode("plain") + "&gzip=1", 400},
        {"not an array", *usage_analytics::EncodeBatchBody(R"({"n":1})"), 400},
    };
    httplib::Client client("127.0.0.1", server.port());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto res = client.Post("/collect?project=pc", c.body, "application/x-www-form-urlencoded");
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, c.status);
    }
    EXPECT_EQ(server.service().AcceptedRecords().size(), 1u);
}

}  // namespace
