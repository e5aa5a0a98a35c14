#include <gtest/gtest.h>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "utils/PrivateProfile.h"

namespace {

using Utils::GetPrivateProfileInt;
using Utils::GetPrivateProfileString;
using Utils::WritePrivateProfileString;

const char* const kSample =
    "; comment line\r\n"
    "[Install]\r\n"
    "DownloadUrl = http://h/x=1 \r\n"
    "Quoted=\"  spaced  \"\r\n"
    "Single='q'\r\n"
    "Half=\"open\r\n"
    "Dup=first\r\n"
    "dup=second\r\n"
    "Empty=\r\n"
    "NoEquals\r\n"
    "Num=12ab\r\n"
    "Neg= -5\r\n"
    "Letters=ab\r\n"
    "Huge=99999999999\r\n"
    ";Commented=yes\r\n"
    "\r\n"
    "[ Other ]\r\n"
    "Key=other\r\n"
    "[install]\r\n"
    "Late=ignored\r\n";

TEST(PrivateProfile, ReadsWithTheSystemRules)
{
    TestSupport::TempDir dir;
    TestSupport::WriteTextFile(dir.File("a.ini"), kSample);
    const std::wstring file = dir.WFile(L"a.ini");
    struct Case {
        std::wstring section, key, expected;
    };
    const Case cases[] = {
        {L"Install", L"DownloadUrl", L"http://h/x=1"},
        {L"INSTALL", L"downloadurl", L"http://h/x=1"},
        {L"Install", L"Quoted", L"  spaced  "},
        {L"Install", L"Single", L"q"},
        {L"Install", L"Half", L"\"open"},
        {L"Install", L"Dup", L"first"},
        {L"Install", L"Empty", L""},
        {L"Install", L"NoEquals", L"def"},
        {L"Install", L"Commented", L"def"},
        {L"Install", L"Late", L"def"},  // the first section of a name counts
        {L"Other", L"Key", L"other"},
        {L"Other", L"DownloadUrl", L"def"},
        {L"Missing", L"Key", L"def"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetPrivateProfileString(c.section, c.key, L"def", file), c.expected)
            << std::string(c.key.begin(), c.key.end());
    EXPECT_EQ(GetPrivateProfileString(L"Install", L"Key", L"fallback  ", dir.WFile(L"none.ini")), L"fallback");
    EXPECT_EQ(GetPrivateProfileString("Install", "Dup", "d", dir.File("a.ini")), "first");

    struct IntCase {
        const wchar_t* key;
        int expected;
    };
    const IntCase ints[] = {{L"Num", 12}, {L"Neg", -5}, {L"Letters", 0}, {L"Empty", 7},
                            {L"Missing", 7}, {L"Huge", 2147483647}};
    for (const auto& c : ints)
        EXPECT_EQ(GetPrivateProfileInt(L"Install", c.key, 7, file), c.expected) << c.key;
}

TEST(PrivateProfile, CutsValuesToTheBuffer)
{
    TestSupport::TempDir dir;
    const std::string longValue(400, 'v');
    TestSupport::WriteTextFile(dir.File("a.ini"), "[S]\nLong=" + longValue + "\nCjk=中中中\nAstral=a\xF0\x9F\x98\x80\n");
    const std::wstring file = dir.WFile(L"a.ini");
    EXPECT_EQ(GetPrivateProfileString(L"S", L"Long", L"", file), std::wstring(259, L'v'));
    EXPECT_EQ(GetPrivateProfileString(L"S", L"Long", L"", file, 10), std::wstring(9, L'v'));
    EXPECT_EQ(GetPrivateProfileString(L"S", L"Cjk", L"", file, 3), L"中中");
    EXPECT_EQ(GetPrivateProfileString(L"S", L"Astral", L"", file, 3), L"a");  // no half pair
    EXPECT_EQ(GetPrivateProfileString(L"S", L"Missing", std::wstring(300, L'd'), file), std::wstring(259, L'd'));
    EXPECT_EQ(GetPrivateProfileString("S", "Cjk", "", dir.File("a.ini"), 5), "中");  // whole characters only
}

TEST(PrivateProfile, WritesKeepOtherLines)
{
    TestSupport::TempDir dir;
    const std::wstring file = dir.WFile(L"set.ini");
    ASSERT_TRUE(WritePrivateProfileString(L"Install", L"Path", L"/opt/中文", file));
    EXPECT_EQ(TestSupport::ReadTextFile(dir.File("set.ini")), "[Install]\r\nPath=/opt/中文\r\n");

    TestSupport::WriteTextFile(dir.File("set.ini"), "; keep me\n[A]\nx = 1\n\n[B]\ny=2\n");
    ASSERT_TRUE(WritePrivateProfileString(L"a", L"X", L"one", file));    // in place, its own spelling
    ASSERT_TRUE(WritePrivateProfileString(L"A", L"z", L"3", file));      // end of A, before the blank
    ASSERT_TRUE(WritePrivateProfileString(L"C", L"w", L"4", file));      // new section at the end
    EXPECT_EQ(TestSupport::ReadTextFile(dir.File("set.ini")), "; keep me\n[A]\nx=one\nz=3\n\n[B]\ny=2\n[C]\nw=4\n");
    EXPECT_EQ(GetPrivateProfileString(L"A", L"x", L"", file), L"one");

    ASSERT_TRUE(Utils::DeletePrivateProfileKey(L"B", L"Y", file));
    ASSERT_TRUE(Utils::DeletePrivateProfileSection(L"c", file));
    EXPECT_EQ(TestSupport::ReadTextFile(dir.File("set.ini")), "; keep me\n[A]\nx=one\nz=3\n\n[B]\n");

    // Texts that cannot be one line are refused, and nothing changes.
    const std::string before = TestSupport::ReadTextFile(dir.File("set.ini"));
    EXPECT_FALSE(WritePrivateProfileString(L"A", L"x", L"two\r\n[Evil]", file));
    EXPECT_FALSE(WritePrivateProfileString(L"A", L"k=v", L"x", file));
    EXPECT_FALSE(WritePrivateProfileString(L"A]", L"k", L"x", file));
    EXPECT_FALSE(WritePrivateProfileString(L"", L"k", L"x", file));
    EXPECT_FALSE(WritePrivateProfileString(L"A", L"k", L"x", dir.WFile(L"no/folder.ini")));
    EXPECT_EQ(TestSupport::ReadTextFile(dir.File("set.ini")), before);
}

TEST(PrivateProfile, ConcurrentWritersLoseNothing)
{
    TestSupport::TempDir dir;
    const std::wstring file = dir.WFile(L"shared.ini");
    constexpr int kKeys = 40;
    std::vector<std::thread> writers;
    for (int w = 0; w < 2; ++w) {
        writers.emplace_back([&, w] {
            for (int k = 0; k < kKeys; ++k)
                WritePrivateProfileString(L"S", L"k" + std::to_wstring(w) + L"_" + std::to_wstring(k), L"v", file);
        });
    }
    for (auto& t : writers)
        t.join();
    for (int w = 0; w < 2; ++w) {
        for (int k = 0; k < kKeys; ++k)
            EXPECT_EQ(GetPrivateProfileString(L"S", L"k" + std::to_wstring(w) + L"_" + std::to_wstring(k), L"", file), L"v");
    }
}

}  // namespace
