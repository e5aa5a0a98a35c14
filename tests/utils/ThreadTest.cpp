#include <atomic>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <pthread.h>
#include <unistd.h>

#include "utils/Thread.h"
#include "utils/TickStopwatch.h"

namespace {

struct Shared {
    std::mutex mutex;
    std::condition_variable changed;
    bool release = false;
    std::uint32_t seenId = 0;
    char name[32] = {};
    void* parameter = nullptr;
};

TEST(Thread, RunsOnlyAfterStartWithItsNameAndParameter)
{
    Shared shared;
    std::atomic<int> runs{0};
    int token = 0;
    Utils::Thread thread(&token, L"DownloadWorker", [&](void* parameter) -> std::uint32_t {
        std::unique_lock lock(shared.mutex);
        ++runs;
        shared.seenId = static_cast<std::uint32_t>(gettid());
        pthread_getname_np(pthread_self(), shared.name, sizeof shared.name);
        shared.parameter = parameter;
        shared.changed.wait(lock, [&] { return shared.release; });
        return 5;
    });
    EXPECT_EQ(thread.Id(), Utils::Thread::kNoThreadId);
    EXPECT_EQ(runs.load(), 0);
    ASSERT_TRUE(thread.Start());
    EXPECT_TRUE(thread.Start());  // already running
    {
        std::lock_guard lock(shared.mutex);
        shared.release = true;
    }
    shared.changed.notify_all();
    const std::uint32_t id = thread.Id();
    thread.Join();
    EXPECT_EQ(runs.load(), 1);
    EXPECT_EQ(shared.seenId, id);
    EXPECT_STREQ(shared.name, "DownloadWorker");
    EXPECT_EQ(shared.parameter, &token);
    EXPECT_EQ(thread.Id(), Utils::Thread::kNoThreadId);
    EXPECT_FALSE(thread.Start()) << "a joined thread does not start again";
}

TEST(Thread, NeverStartedThreadIsDiscarded)
{
    std::atomic<bool> ran{false};
    {
        Utils::Thread thread(nullptr, L"x", [&](void*) -> std::uint32_t {
            ran = true;
            return 0;
        });
        thread.Join();
        EXPECT_FALSE(thread.Start());
    }
    EXPECT_FALSE(ran.load());
}

TEST(Thread, DebuggerNames)
{
    struct Case {
        std::wstring name;
        std::uint32_t id;
        std::string expected;
    };
    const Case cases[] = {
        {L"Short", 1, "Short"},
        {L"", 4321, "t4321"},
        {L"ExactlyFifteen!", 1, "ExactlyFifteen!"},
        {L"LongerThanFifteenBytes", 1, "LongerThanFifte"},
        {L"\x4E0B\x8F7D\x7EBF\x7A0B\x4E00\x4E8C", 1, "\xE4\xB8\x8B\xE8\xBD\xBD\xE7\xBA\xBF\xE7\xA8\x8B\xE4\xB8\x80"},
        {L"abcd\x4E0B\x8F7D\x7EBF\x7A0B", 1, "abcd\xE4\xB8\x8B\xE8\xBD\xBD\xE7\xBA\xBF"},  // no half character
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utils::Thread::DebuggerName(c.name, c.id), c.expected);
}

TEST(TickStopwatch, MeasuresAcrossTheCounterWrap)
{
    struct Case {
        std::uint32_t start, now;
        float seconds;
    };
    const Case cases[] = {{1000, 3500, 2.5f}, {0xFFFFFC18u, 1000, 2.0f}, {7, 7, 0.0f}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(Utils::TickStopwatch::SecondsBetween(c.start, c.now), c.seconds);

    Utils::TickStopwatch watch;
    EXPECT_FALSE(watch.IsRunning());
    EXPECT_EQ(watch.ElapsedSeconds(), 0.0f);
    watch.Start();
    EXPECT_TRUE(watch.IsRunning());
    const float first = watch.ElapsedSeconds();
    const float second = watch.ElapsedSeconds();
    EXPECT_GE(first, 0.0f);
    EXPECT_LE(first, second);
}

}  // namespace
