#include <gtest/gtest.h>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "utils/PrivateProfile.h"

namespace {

TEST(PrivateProfile, ReadsLikeGetPrivateProfileString)
{
    TestSupport::TempDir dir;
    const std::string file = dir.File("set.ini");
    TestSupport::WriteTextFile(file,
                               "\xEF\xBB\xBF; comment=no\r\n"
                               "[Install]\r\n"
                               "  Path = /opt/Lumapane  \r\n"
                               "Quoted=\"  kept  \"\r\n"
                               "Single='x'\r\n"
                               "Empty=\r\n"
                               "Path=second is ignored\r\n"
                               "Chinese=\xE5\xAE\x89\xE8\xA3\x85\r\n"
                               "Number= -42xyz\r\n"
                               "Letters=abc\r\n"
                               "Big=99999999999\r\n"
                               "[install]\r\n"
                               "Later=in a second section of the same name\r\n"
                               "[Other]\r\n"
                               "Path=other\r\n");
    const std::wstring wfile = dir.WFile(L"set.ini");
    struct Case {
        std::wstring section, key, def, expected;
    };
    const Case cases[] = {
        {L"Install", L"Path", L"d", L"/opt/Lumapane"},
        {L"INSTALL", L"path", L"d", L"/opt/Lumapane"},
        {L"Other", L"Path", L"d", L"other"},
        {L"Install", L"Quoted", L"d", L"  kept  "},
        {L"Install", L"Single", L"d", L"x"},
        {L"Install", L"Empty", L"d", L""},
        {L"Install", L"Chinese", L"d", L"\x5B89\x88C5"},
        {L"Install", L"Missing", L"def  ", L"def"},
        {L"Missing", L"Path", L"", L""},
        {L"Install", L"; comment", L"d", L"d"},
        {L"Install", L"Later", L"d", L"d"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utils::GetPrivateProfileString(c.section, c.key, c.def, wfile), c.expected)
            << std::string(c.key.begin(), c.key.end());
    }
    EXPECT_EQ(Utils::GetPrivateProfileString(L"Install", L"Path", L"", dir.WFile(L"none.ini")), L"");
    EXPECT_EQ(Utils::GetPrivateProfileString(L"Install", L"Path", L"", wfile, 5), L"/opt");
    EXPECT_EQ(Utils::GetPrivateProfileString(L"Install", L"Path", L"", wfile, 0), L"");

    struct IntCase {
        std::wstring key;
        std::int32_t def, expected;
    };
    const IntCase ints[] = {
        {L"Number", 5, -42}, {L"Letters", 5, 0}, {L"Empty", 5, 5}, {L"Missing", 5, 5}, {L"Big", 5, 2147483647},
    };
    for (const auto& c : ints)
        EXPECT_EQ(Utils::GetPrivateProfileInt(L"Install", c.key, c.def, wfile), c.expected)
            << std::string(c.key.begin(), c.key.end());
}

TEST(PrivateProfile, WritesKeepOtherLinesAndCreateWhatIsMissing)
{
    TestSupport::TempDir dir;
    const std::wstring file = dir.WFile(L"a.ini");
    ASSERT_TRUE(Utils::WritePrivateProfileString(L"S", L"k", L"v1", file));
    EXPECT_EQ(TestSupport::ReadTextFile(dir.File("a.ini")), "[S]\r\nk=v1\r\n");

    TestSupport::WriteTextFile(dir.File("b.ini"), "; keep me\n[S]\nK=old\nother=1\n[T]\nx=2\n");
    const std::wstring b = dir.WFile(L"b.ini");
    ASSERT_TRUE(Utils::WritePrivateProfileString(L"s", L"k", L"new", b));
    ASSERT_TRUE(Utils::WritePrivateProfileString(L"T", L"y", L"\x4E2D", b));
    ASSERT_TRUE(Utils::WritePrivateProfileString(L"U", L"z", L"3", b));
    EXPECT_EQ(TestSupport::ReadTextFile(dir.File("b.ini")),
              "; keep me\n[S]\nK=new\nother=1\n[T]\nx=2\ny=\xE4\xB8\xAD\n[U]\nz=3\n");

    EXPECT_FALSE(Utils::WritePrivateProfileString(L"S", L"k", L"two\nlines", b));
    EXPECT_FALSE(Utils::WritePrivateProfileString(L"S", L"k", L"v", dir.WFile(L"missing/x.ini")));

    ASSERT_TRUE(Utils::DeletePrivateProfileKey(L"S", L"OTHER", b));
    ASSERT_TRUE(Utils::DeletePrivateProfileSection(L"t", b));
    EXPECT_EQ(TestSupport::ReadTextFile(dir.File("b.ini")), "; keep me\n[S]\nK=new\n[U]\nz=3\n");
}

TEST(PrivateProfile, ConcurrentWritersLoseNothing)
{
    TestSupport::TempDir dir;
    const std::wstring file = dir.WFile(L"c.ini");
    constexpr int kThreads = 4, kEach = 20;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i)
                Utils::WritePrivateProfileString(L"S", L"k" + std::to_wstring(t * 100 + i), std::to_wstring(i), file);
        });
    }
    for (auto& w : writers)
        w.join();
    for (int t = 0; t < kThreads; ++t) {
        for (int i = 0; i < kEach; ++i)
            EXPECT_EQ(Utils::GetPrivateProfileInt(L"S", L"k" + std::to_wstring(t * 100 + i), -1, file), i);
    }
}

}  // namespace
