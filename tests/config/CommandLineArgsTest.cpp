#include <gtest/gtest.h>
#include <limits>
#include <map>

#include "app/CommandLineArgs.h"

namespace {

using Map = std::map<std::wstring, std::wstring, std::less<>>;

TEST(CommandLineArgs, ParsesKeysAndValues)
{
    struct Case {
        std::wstring line;
        Map values;
    };
    const Case cases[] = {
        {L"C:\\setup.exe", {{L"C:\\setup.exe", L""}}},
        {L"/opt/s -a=1 -b= -c=x=y plain -d", {{L"/opt/s", L""}, {L"-a", L"1"}, {L"-b", L""}, {L"-c", L"x=y"},
                                               {L"plain", L""}, {L"-d", L""}}},
        {L"s a=1", {{L"s", L""}, {L"a=1", L""}}},  // without "-" the "=" is part of the key
        {L"s -a=1 -a=2 -A=3", {{L"s", L""}, {L"-a", L"1"}, {L"-A", L"3"}}},
        {L"s \"-p=A B\" -q=\"x y\"", {{L"s", L""}, {L"-p", L"A B"}, {L"-q", L"x y"}}},
        {L"s -=v", {{L"s", L""}, {L"-", L"v"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommandLineArgs::FromCommandLine(c.line).Values(), c.values)
            << std::string(c.line.begin(), c.line.end());
}

TEST(CommandLineArgs, TypedGetters)
{
    const CommandLineArgs args = CommandLineArgs::FromCommandLine(
        L"s -i=12ab -n=ab -neg=\" -7\" -big=4294967296 -f=0.25x -fe=1e-1 -fn=x -t=true -T=TRUE -e=");
    struct IntCase {
        std::wstring key;
        std::int32_t value;
    };
    const IntCase ints[] = {{L"-i", 12},  {L"-n", 0},   {L"-neg", -7}, {L"-big", std::numeric_limits<std::int32_t>::max()},
                            {L"-e", 0},   {L"-none", 0}};
    for (const auto& c : ints)
        EXPECT_EQ(args.GetInt(c.key), c.value) << std::string(c.key.begin(), c.key.end());

    EXPECT_DOUBLE_EQ(args.GetDouble(L"-f", 9.0), 0.25);
    EXPECT_DOUBLE_EQ(args.GetDouble(L"-fe", 9.0), 0.1);
    EXPECT_DOUBLE_EQ(args.GetDouble(L"-fn", 9.0), 9.0);
    EXPECT_DOUBLE_EQ(args.GetDouble(L"-e", 9.0), 9.0);
    EXPECT_DOUBLE_EQ(args.GetDouble(L"-none", 9.0), 9.0);

    EXPECT_TRUE(args.GetBool(L"-t"));
    EXPECT_FALSE(args.GetBool(L"-T"));
    EXPECT_FALSE(args.GetBool(L"-e"));
    EXPECT_FALSE(args.GetBool(L"-none"));
    EXPECT_EQ(args.GetString(L"-neg"), L" -7");
    EXPECT_EQ(args.GetString(L"-none"), L"");
    EXPECT_TRUE(args.Contains(L"-e"));
    EXPECT_FALSE(args.Contains(L"-none"));
}

TEST(CommandLineArgs, ProcessArgumentsStartWithTheProgram)
{
    const CommandLineArgs args = CommandLineArgs::FromProcess();
    ASSERT_FALSE(args.Values().empty());
    bool sawProgram = false;
    for (const auto& [key, value] : args.Values())
        sawProgram = sawProgram || key.find(L"config_tests") != std::wstring::npos;
    EXPECT_TRUE(sawProgram);
}

}  // namespace
