#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include "utils/TextUtils.h"

namespace {

TEST(UrlEncode, EncodesBytesOutsidePrintableRange)
{
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"a b", "a+b"},
        {"k=v&x=y?/%+", "k=v&x=y?/%+"},
        {std::string("\x7F", 1), "%7F"},
        {"\xC3\xA9", "%C3%A9"},
        {std::string("\0\x01\x1F\xFF", 4), "%00%01%1F%FF"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utils::UrlEncode(std::string_view(c.in)), c.out) << c.in;
    EXPECT_EQ(Utils::UrlEncode(std::wstring_view(L"é &\x7F")), L"%C3%A9+&%7F");
}

TEST(ReplaceAll, ReplacesUntilNoneIsLeft)
{
    struct Case {
        std::wstring text, pattern, replacement, expected;
    };
    const Case cases[] = {
        {L"a${ROUTE}b${ROUTE}c${ROUTE}", L"${ROUTE}", L"download_silent", L"adownload_silentbdownload_silentcdownload_silent"},
        {L"none here", L"${ROUTE}", L"x", L"none here"},
        {L"", L"ab", L"x", L""},
        {L"abc", L"", L"x", L"abc"},
        // Repeated leftmost replacement: occurrences formed by a replacement go too.
        {L"aabb", L"ab", L"", L""},
        {L"xaabbx", L"ab", L"", L"xx"},
        // The replacement holds the pattern: one left-to-right pass.
        {L"a.a", L"a", L"aa", L"aa.aa"},
        {L"abab", L"ab", L"xaby", L"xabyxaby"},
        // A rule that re-forms its pattern without end stops at the bound with one pass.
        {L"aab", L"ab", L"bbaa", L"abbaa"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utils::ReplaceAll(c.text, c.pattern, c.replacement), c.expected)
            << std::string(c.text.begin(), c.text.end());
    }
    EXPECT_EQ(Utils::ReplaceAll(std::string_view("x--y--"), "--", "+"), "x+y+");
}

TEST(NumberText, ParsesLeadingIntegers)
{
    struct Case {
        std::wstring text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {L"12", 12},          {L"12ab", 12},       {L"  \t-7x", -7},    {L"+3", 3},
        {L"ab", std::nullopt}, {L"", std::nullopt}, {L"-", std::nullopt}, {L" ", std::nullopt},
        {L"2147483647", 2147483647}, {L"2147483648", 2147483647}, {L"99999999999999999999", 2147483647},
        {L"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {L"-99999999999", std::numeric_limits<std::int32_t>::min()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utils::ParseLeadingInt32(c.text), c.value) << std::string(c.text.begin(), c.text.end());
}

TEST(NumberText, ParsesLeadingDecimalNumbers)
{
    struct Case {
        std::wstring text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {L"0.7", 0.7},      {L" 0.5abc", 0.5}, {L".25", 0.25},   {L"1.", 1.0},    {L"-2e-1", -0.2},
        {L"3e", 3.0},       {L"4E+1x", 40.0},  {L"abc", std::nullopt}, {L"", std::nullopt},
        {L".", std::nullopt}, {L"nan", std::nullopt}, {L"inf", std::nullopt}, {L"0x10", 0.0},
        {L"1e999", std::numeric_limits<double>::infinity()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utils::ParseLeadingDouble(c.text), c.value) << std::string(c.text.begin(), c.text.end());
}

TEST(NumberText, DecimalTextAndCaseFolding)
{
    EXPECT_EQ(Utils::ToDecimalText(0), L"0");
    EXPECT_EQ(Utils::ToDecimalText(4294967295u), L"4294967295");
    EXPECT_TRUE(Utils::EqualsIgnoreCase(std::wstring_view(L"Install"), std::wstring_view(L"iNSTALL")));
    EXPECT_FALSE(Utils::EqualsIgnoreCase(std::wstring_view(L"Install"), std::wstring_view(L"Instal")));
    EXPECT_EQ(Utils::TrimWhiteSpace(std::wstring_view(L" \t x y \r")), L"x y");
}

}  // namespace
