#include <gtest/gtest.h>

#include "utils/CommandLine.h"

namespace {

using Args = std::vector<std::wstring>;

TEST(CommandLine, SplitsByTheSystemRules)
{
    struct Case {
        std::wstring line;
        Args args;
    };
    const Case cases[] = {
        {L"prog a b", {L"prog", L"a", L"b"}},
        {L"  prog\t a   b  ", {L"prog", L"a", L"b"}},
        {L"\"C:\\Program Files\\x.exe\" /S", {L"C:\\Program Files\\x.exe", L"/S"}},
        {L"prog \"a b\" c", {L"prog", L"a b", L"c"}},
        {L"prog a\\\\\"b c\"", {L"prog", L"a\\b c"}},          // 2n backslashes: n and a quote toggle
        {L"prog a\\\"b", {L"prog", L"a\"b"}},                   // 2n+1: n and a literal quote
        {L"prog a\\\\\\\"b", {L"prog", L"a\\\"b"}},
        {L"prog a\\b\\\\c", {L"prog", L"a\\b\\\\c"}},           // no quote: literal
        {L"prog \"a\"\"b\"", {L"prog", L"a\"b"}},               // doubled quote inside quotes
        {L"prog \"\"", {L"prog", L""}},
        {L"prog -instdir=\"D:\\A B\" /D=D:\\A B", {L"prog", L"-instdir=D:\\A B", L"/D=D:\\A", L"B"}},
        {L"\"pr\\\"og\" x", {L"pr\\", L"og x"}},  // the program part knows no escapes
        {L"", {}},
        {L"   ", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utils::SplitCommandLine(c.line), c.args) << std::string(c.line.begin(), c.line.end());
}

TEST(CommandLine, QuotedArgumentsSplitBackUnchanged)
{
    const Args args = {L"plain", L"with blank", L"", L"quote\"inside", L"trailing\\", L"back\\\\slash \\\"",
                       L"tab\there", L"\\\\server\\share\\"};
    std::wstring line = L"prog";
    for (const auto& a : args)
        line += L" " + Utils::QuoteArgument(a);
    Args expected = {L"prog"};
    expected.insert(expected.end(), args.begin(), args.end());
    EXPECT_EQ(Utils::SplitCommandLine(line), expected);
}

}  // namespace
