#include <gtest/gtest.h>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "utils/ValueStore.h"

namespace {

TEST(ValueStore, ProductValuesRoundTrip)
{
    TestSupport::TempDir config;
    TestSupport::ScopedEnv env("XDG_CONFIG_HOME", config.path());
    EXPECT_EQ(Utils::ProductValueStoreFile(), config.wpath() + L"/OrvekSoft/Lumapane/values");

    std::uint32_t type = 77;
    std::wstring text = L"untouched";
    EXPECT_FALSE(Utils::ReadProductRegValue(L"InstallPath", type, text));
    EXPECT_EQ(type, 77u);
    EXPECT_EQ(text, L"untouched");

    const std::pair<std::wstring, std::wstring> values[] = {
        {L"InstallPath", L"/opt/Lumapane"},
        {L"Empty", L""},
        {L"Tricky", L"a=b\\c\nd\re =x"},
        {L"Chinese", L"\x5B89\x88C5\x76EE\x5F55"},
        {L"Spaced name", L" leading and trailing "},
    };
    for (const auto& [name, value] : values)
        ASSERT_TRUE(Utils::WriteProductRegValue(name, value)) << name.size();
    for (const auto& [name, value] : values) {
        type = 0;
        ASSERT_TRUE(Utils::ReadProductRegValue(name, type, text));
        EXPECT_EQ(type, Utils::kRegSz);
        EXPECT_EQ(text, value);
    }
    // Names compare without letter case; a write replaces the value.
    ASSERT_TRUE(Utils::WriteProductRegValue(L"INSTALLPATH", L"/srv/L"));
    ASSERT_TRUE(Utils::ReadProductRegValue(L"installpath", type, text));
    EXPECT_EQ(text, L"/srv/L");
    // The text ends at its first terminator.
    ASSERT_TRUE(Utils::WriteProductRegValue(L"Cut", std::wstring(L"ab\0cd", 5)));
    ASSERT_TRUE(Utils::ReadProductRegValue(L"Cut", type, text));
    EXPECT_EQ(text, L"ab");
}

TEST(ValueStore, RemoveAndConcurrentWritersKeepEveryValue)
{
    TestSupport::TempDir dir;
    Utils::ValueStore store(dir.WFile(L"deep/key/values"));
    ASSERT_TRUE(store.Write(L"a", Utils::kRegSz, L"1"));
    EXPECT_TRUE(store.Remove(L"A"));
    std::uint32_t type = 0;
    std::wstring text;
    EXPECT_FALSE(store.Read(L"a", type, text));

    constexpr int kThreads = 4, kEach = 25;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([&, t] {
            Utils::ValueStore own(store.File());
            for (int i = 0; i < kEach; ++i)
                own.Write(L"v" + std::to_wstring(t) + L"_" + std::to_wstring(i), Utils::kRegSz, std::to_wstring(i));
        });
    }
    for (auto& w : writers)
        w.join();
    for (int t = 0; t < kThreads; ++t) {
        for (int i = 0; i < kEach; ++i) {
            ASSERT_TRUE(store.Read(L"v" + std::to_wstring(t) + L"_" + std::to_wstring(i), type, text));
            EXPECT_EQ(text, std::to_wstring(i));
        }
    }
}

TEST(ValueStore, UnwritableFileFails)
{
    TestSupport::TempDir dir;
    TestSupport::WriteTextFile(dir.File("blocker"), "x");
    Utils::ValueStore store(dir.WFile(L"blocker/values"));
    EXPECT_FALSE(store.Write(L"a", Utils::kRegSz, L"1"));
}

}  // namespace
