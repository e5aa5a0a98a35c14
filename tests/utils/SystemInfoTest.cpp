#include <cctype>
#include <gtest/gtest.h>
#include <set>

#include "utils/SystemInfo.h"

namespace {

TEST(SystemInfo, GuidTextHasTheFixedShape)
{
    std::set<std::wstring> seen;
    for (int i = 0; i < 64; ++i) {
        const std::wstring guid = Utils::NewGuidText();
        ASSERT_EQ(guid.size(), 32u);
        for (std::size_t k = 0; k < guid.size(); ++k) {
            const wchar_t c = guid[k];
            const bool lowerGroup = k >= 12 && k < 16;
            const bool ok = (c >= L'0' && c <= L'9') || (lowerGroup ? (c >= L'a' && c <= L'f') : (c >= L'A' && c <= L'F'));
            EXPECT_TRUE(ok) << "position " << k + 1;
        }
        EXPECT_EQ(guid[12], L'4');  // version 4
        seen.insert(guid);
    }
    EXPECT_EQ(seen.size(), 64u);
}

TEST(SystemInfo, WindowsVersionNames)
{
    struct Case {
        std::uint32_t major, minor, build;
        bool r2;
        const wchar_t* name;
    };
    const Case cases[] = {
        {0, 0, 0, false, L"XP-"},   {4, 10, 0, false, L"XP-"},  {5, 0, 0, false, L"2K"},
        {5, 1, 0, false, L"XP"},    {5, 2, 0, false, L"Server 2003"}, {5, 2, 0, true, L"Server 2003 R2"},
        {5, 3, 0, false, L"XP+"},   {6, 0, 0, false, L"Vista"}, {6, 1, 0, false, L"7"},
        {6, 2, 0, false, L"8"},     {6, 3, 0, false, L"8.1"},   {6, 4, 0, false, L"8.1+"},
        {10, 0, 22631, false, L"10"}, {10, 1, 0, false, L"10+"},
        {7, 1, 0x12345, false, L"7.1.9029"}, {11, 0, 100, false, L"11.0.100"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utils::WindowsVersionName(c.major, c.minor, c.build, c.r2), c.name);
}

TEST(SystemInfo, ThisSystemIsLinux)
{
    std::wstring family = L"x", name;
    Utils::GetOsVersionName(family, name);
    EXPECT_EQ(family, L"Linux");
    EXPECT_FALSE(name.empty());
    std::uint32_t major = 0, minor = 0, build = 0;
    ASSERT_TRUE(Utils::GetKernelVersion(major, minor, build));
    EXPECT_GE(major, 3u);
}

}  // namespace
