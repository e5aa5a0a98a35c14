#include <gtest/gtest.h>

#include "utils/TextConvert.h"

namespace {

using Utils::ToNarrow;
using Utils::ToWide;

TEST(TextConvert, ConvertsBetweenWideAndCodePages)
{
    struct Case {
        const char* name;
        std::string bytes;
        int codePage;
        std::wstring wide;
    };
    const Case cases[] = {
        {"ascii utf8", "Lumapane 1.7.9", 65001, L"Lumapane 1.7.9"},
        {"chinese utf8", "\xE5\xB4\xA9\xE6\xBA\x83\xE9\x80\x80\xE5\x87\xBA", 65001, L"崩溃退出"},
        {"chinese gbk", "\xD6\xD0\xCE\xC4", 936, L"中文"},
        {"cp1252 euro", "\x80 \xE9", 1252, L"€ é"},
        {"astral utf8", "\xF0\x9F\x98\x80", 65001, L"\U0001F600"},
        {"locale page", "abc", 0, L"abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ToWide(c.bytes, c.codePage), c.wide);
        EXPECT_EQ(ToNarrow(c.wide, c.codePage), c.bytes);
    }
}

TEST(TextConvert, FailureGivesEmptyText)
{
    struct Case {
        const char* name;
        std::string bytes;
        int codePage;
    };
    const Case cases[] = {
        {"invalid utf8 byte", "ab\xFF" "cd", 65001},
        {"truncated utf8", "ab\xE5\xB4", 65001},
        {"encoded surrogate", "\xED\xA0\x80", 65001},
        {"overlong", "\xC0\xAF", 65001},
        {"unknown code page", "abc", 4242},
        {"negative code page", "abc", -1},
        {"invalid gbk", "\xD6", 936},
        {"empty", "", 65001},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ToWide(c.bytes, c.codePage), L"");
    }
    EXPECT_EQ(ToNarrow(std::wstring(1, static_cast<wchar_t>(0xD800)), 65001), "");
    EXPECT_EQ(ToNarrow(L"\U0001F600", 936), "");  // not in GBK
    EXPECT_EQ(ToNarrow(L"abc", 4242), "");
}

TEST(TextConvert, ResultEndsAtFirstTerminator)
{
    EXPECT_EQ(ToWide(std::string("ab\0cd", 5), 65001), L"ab");
    EXPECT_EQ(ToNarrow(std::wstring(L"ab\0cd", 5), 65001), "ab");
}

TEST(TextConvert, CodePagesMapToCharsets)
{
    EXPECT_EQ(Utils::CharsetOfCodePage(65001), "UTF-8");
    EXPECT_EQ(Utils::CharsetOfCodePage(936), "CP936");
    EXPECT_EQ(Utils::CharsetOfCodePage(1252), "CP1252");
    EXPECT_FALSE(Utils::CharsetOfCodePage(0).empty());
}

TEST(TextConvert, CountsAndCutsUtf16Units)
{
    const std::wstring text = L"a\U0001F600b";
    EXPECT_EQ(Utils::Utf16Length(text), 4u);
    EXPECT_EQ(Utils::CutToUtf16Units(text, 4), text);
    EXPECT_EQ(Utils::CutToUtf16Units(text, 3), L"a\U0001F600");
    EXPECT_EQ(Utils::CutToUtf16Units(text, 2), L"a");  // the pair is not split
    EXPECT_EQ(Utils::CutToUtf16Units(text, 0), L"");
}

}  // namespace
