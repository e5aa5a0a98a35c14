#include <atomic>
#include <gtest/gtest.h>
#include <pthread.h>
#include <semaphore>
#include <unistd.h>

#include "TestSupport.h"
#include "utils/Thread.h"

namespace {

struct Seen {
    std::uint32_t tid = 0;
    std::string name;
};

std::uint32_t RecordSelf(void* p)
{
    auto* seen = static_cast<Seen*>(p);
    seen->tid = static_cast<std::uint32_t>(gettid());
    char name[32] = {};
    pthread_getname_np(pthread_self(), name, sizeof name);
    seen->name = name;
    return 5;  // discarded
}

TEST(Thread, NamesTheThreadForDebuggers)
{
    struct Case {
        std::wstring name;
        std::string expected;  // empty: "t" and the id
    };
    const Case cases[] = {{L"ABDEF", "ABDEF"}, {L"UnInstaller", "UnInstaller"}, {L"", ""},
                          {L"a-very-long-thread-name", "a-very-long-thr"}};
    for (const auto& c : cases) {
        Seen seen;
        Utils::Thread thread(&seen, c.name, RecordSelf);
        ASSERT_TRUE(thread.Start());
        EXPECT_NE(thread.Id(), Utils::Thread::kNoThreadId);
        const std::uint32_t id = thread.Id();
        thread.Join();
        EXPECT_EQ(seen.tid, id);
        EXPECT_EQ(seen.name, c.expected.empty() ? "t" + std::to_string(id) : c.expected);
        EXPECT_EQ(thread.Id(), Utils::Thread::kNoThreadId);
    }
}

TEST(Thread, RunsOnlyAfterStartAndLogsBeginAndEnd)
{
    TestSupport::StderrCapture capture;
    std::atomic<int> runs{0};
    {
        Utils::Thread never(&runs, L"x", [](void* p) -> std::uint32_t { ++*static_cast<std::atomic<int>*>(p); return 0; });
    }  // destroyed unstarted: never runs, does not hang
    EXPECT_EQ(runs.load(), 0);
    Utils::Thread thread(&runs, L"ABDEF", [](void* p) -> std::uint32_t { ++*static_cast<std::atomic<int>*>(p); return 0; });
    ASSERT_TRUE(thread.Start());
    EXPECT_TRUE(thread.Start());  // running already: no second run
    thread.Join();
    thread.Join();  // returns at once
    EXPECT_FALSE(thread.Start());
    EXPECT_EQ(runs.load(), 1);
    const std::string log = capture.Stop();
    EXPECT_NE(log.find("(Utils::Thread::CallBack)<"), std::string::npos) << log;
    EXPECT_NE(log.find(">: THREAD BEGIN\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find(">: THREAD END\r\n"), std::string::npos) << log;
}

TEST(Thread, DestructionWaitsForTheThread)
{
    struct Shared {
        std::binary_semaphore go{0};
        std::atomic<bool> done{false};
    } shared;
    {
        Utils::Thread thread(&shared, L"waiter", [](void* p) -> std::uint32_t {
            auto* s = static_cast<Shared*>(p);
            s->go.acquire();
            s->done = true;
            return 0;
        });
        ASSERT_TRUE(thread.Start());
        shared.go.release();
    }
    EXPECT_TRUE(shared.done.load());
}

}  // namespace
