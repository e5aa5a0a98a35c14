#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CPackageRunner.h"
#include "CUnInstaller.h"
#include "InstallCodes.h"
#include "InstallTestSupport.h"

using InstallTest::Event;
using InstallTest::EventLog;

namespace {

struct ParseCase {
    const char* name;
    std::wstring text;
    std::vector<Event> events;
    int outcome;
};

const std::wstring kLong(800, L'a');
// 400 characters outside the basic plane take 800 UTF-16 units; 385 fit.
const std::wstring kAstral(400, L'\U0001F600');

TEST(PackageDialect, EachLineGivesItsEvent) {
    const ParseCase cases[] = {
        {"progress", L"Progress=0.35\n", {{IST_CODE_PROGRESS, 0.35, L""}}, PARSE_NO_RESULT},
        {"progress not a number", L"Progress=abc\n", {{IST_CODE_PROGRESS, 0.0, L""}}, PARSE_NO_RESULT},
        {"progress exponent", L"Progress= -2.5e-1x\n", {{IST_CODE_PROGRESS, -0.25, L""}}, PARSE_NO_RESULT},
        {"progress without line feed", L"Progress=0.7", {{IST_CODE_PROGRESS, 0.7, L""}}, PARSE_NO_RESULT},
        {"success with carriage return", L"State=Success\r\n", {{IST_CODE_SUCCESS, 0.0, L""}}, PARSE_SUCCESS},
        {"fail with blanks", L"State= Fail \n", {{IST_CODE_FAIL, 0.0, L"安装包安装失败"}}, PARSE_FAILURE},
        {"state in lower case", L"State=success\n", {}, PARSE_NO_RESULT},
        {"unknown state word", L"State=Done\n", {}, PARSE_NO_RESULT},
        {"instpath keeps carriage return", L"InstPath=/opt/Lumapane\r\n",
         {{IST_INFO_INSTPATH, 0.0, L"/opt/Lumapane\r"}}, PARSE_NO_RESULT},
        {"instpath empty", L"InstPath=\n", {{IST_INFO_INSTPATH, 0.0, L""}}, PARSE_NO_RESULT},
        {"three lines in order", L"Progress=0.5\nState=Success\nMessage=完成\n",
         {{IST_CODE_PROGRESS, 0.5, L""}, {IST_CODE_SUCCESS, 0.0, L""}, {IST_INFO_MESSAGE, 0.0, L"完成"}},
         PARSE_SUCCESS},
        {"error then success", L"Error=磁盘已满\nState=Success\n",
         {{IST_CODE_FAIL, 1000.0, L"磁盘已满"}, {IST_CODE_SUCCESS, 0.0, L""}}, PARSE_SUCCESS},
        {"success then error", L"State=Success\nError=late\n",
         {{IST_CODE_SUCCESS, 0.0, L""}, {IST_CODE_FAIL, 1000.0, L"late"}}, PARSE_FAILURE},
        {"top show -1", L"TopShowDetention=-1\n", {{IST_INFO_TOPSHOW, 4294967295.0, L""}}, PARSE_NO_RESULT},
        {"top show 3000", L"TopShowDetention=3000\n", {{IST_INFO_TOPSHOW, 3000.0, L""}}, PARSE_NO_RESULT},
        {"finish close", L"FinsihCloseDetention=12ms\n", {{IST_INFO_FINISHCLOSE, 12.0, L""}}, PARSE_NO_RESULT},
        {"finish close not a number", L"FinsihCloseDetention=x\n", {{IST_INFO_FINISHCLOSE, 0.0, L""}},
         PARSE_NO_RESULT},
        {"startup styles",
         L"StartupStyle=NonStartup\nStartupStyle=AutoStartup\nStartupStyle= UserStartup\r\nStartupStyle=Later\n",
         {{IST_INFO_STARTUPSTYLE, 0.0, L""},
          {IST_INFO_STARTUPSTYLE, 1.0, L""},
          {IST_INFO_STARTUPSTYLE, 2.0, L""},
          {IST_INFO_STARTUPSTYLE, 0.0, L""}},
         PARSE_NO_RESULT},
        {"text keys",
         L"ExePath=a\nStartExe=b\nUninstExePath=c\nUninstExe=d\nUninstEp=e\nStartUrl=f\nInstallVersion=1.2.3\n",
         {{IST_INFO_EXEPATH, 0.0, L"a"},
          {IST_INFO_EXEPATH, 0.0, L"b"},
          {IST_INFO_UNINSTEXE, 0.0, L"c"},
          {IST_INFO_UNINSTEXE, 0.0, L"d"},
          {IST_INFO_UNINSTEP, 0.0, L"e"},
          {IST_INFO_STARTURL, 0.0, L"f"}},
         PARSE_NO_RESULT},
        {"leading blank", L" Progress=0.5\n", {}, PARSE_NO_RESULT},
        {"garbage and empty lines", L"\n\nfoo=bar\n=\nprogress=1\n", {}, PARSE_NO_RESULT},
        {"key alone at chunk end", L"Prog", {}, PARSE_NO_RESULT},
        {"rest of a split key", L"ress=0.5\n", {}, PARSE_NO_RESULT},
        {"long value is cut", L"Message=" + kLong + L"\n", {{IST_INFO_MESSAGE, 0.0, std::wstring(771, L'a')}},
         PARSE_NO_RESULT},
        {"long value never splits a character", L"Message=" + kAstral,
         {{IST_INFO_MESSAGE, 0.0, std::wstring(385, L'\U0001F600')}}, PARSE_NO_RESULT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EventLog log;
        CPackageRunner runner(log.Callback(), L"\"/nonexistent\"", L"");
        EXPECT_EQ(runner.ParseOutput(c.text.c_str()), c.outcome);
        EXPECT_EQ(log.Events(), c.events);
        EXPECT_EQ(runner.CodePage(), 0);
    }
}

TEST(UninstallDialect, OnlyItsFourKeysCount) {
    const ParseCase cases[] = {
        {"progress", L"Progress=0.25\n", {{UNIST_CODE_PROGRESS, 0.25, L""}}, PARSE_NO_RESULT},
        {"success", L"State=Success\r\n", {{UNIST_CODE_SUCCESS, 0.0, L""}}, PARSE_SUCCESS},
        {"fail", L"State=Fail\n", {{UNIST_CODE_ERROR, 0.0, L"安装包卸载失败"}}, PARSE_FAILURE},
        {"error carries 0.0", L"Error=文件被占用\n", {{UNIST_CODE_ERROR, 0.0, L"文件被占用"}}, PARSE_FAILURE},
        {"error then success", L"Error=x\nState=Success\n",
         {{UNIST_CODE_ERROR, 0.0, L"x"}, {UNIST_CODE_SUCCESS, 0.0, L""}}, PARSE_SUCCESS},
        {"package keys ignored", L"Message=hi\nInstPath=/x\nTopShowDetention=5\nStartupStyle=AutoStartup\n", {},
         PARSE_NO_RESULT},
        {"state in lower case", L"State=fail\n", {}, PARSE_NO_RESULT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EventLog log;
        CUnInstaller uninstaller(log.Callback(), L"", L"");
        EXPECT_EQ(uninstaller.ParseOutput(c.text.c_str()), c.outcome);
        EXPECT_EQ(log.Events(), c.events);
    }
}

struct CodePageCase {
    std::wstring word;
    int package;
    int uninstall;
};

TEST(EncodeLine, ChoosesTheCodePageByDialect) {
    const CodePageCase cases[] = {
        {L"UTF8", 65001, 65001}, {L" UTF8\r", 65001, 65001}, {L"936", 936, 0},    {L"ACP", 0, 0},
        {L"utf8", 0, 0},         {L"GBK", 0, 0},             {L"1252abc", 1252, 0}, {L"-5", -5, 0},
        {L"99999999999", 0, 0},  {L"", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utils::ToNarrow(c.word, 65001));
        EventLog log;
        CPackageRunner runner(log.Callback(), L"", L"");
        CUnInstaller uninstaller(log.Callback(), L"", L"");
        // Start from a code page other than the expected one.
        runner.ParseOutput(L"Encode=UTF8\n");
        uninstaller.ParseOutput(L"Encode=UTF8\n");
        const std::wstring line = L"Encode=" + c.word;
        EXPECT_EQ(runner.ParseOutput(line.c_str()), PARSE_NO_RESULT);
        EXPECT_EQ(uninstaller.ParseOutput(line.c_str()), PARSE_NO_RESULT);
        EXPECT_EQ(runner.CodePage(), c.package);
        EXPECT_EQ(uninstaller.CodePage(), c.uninstall);
        EXPECT_TRUE(log.Events().empty());
    }
}

TEST(EncodeLine, AppliesFromTheNextChunk) {
    EventLog log;
    CPackageRunner runner(log.Callback(), L"", L"");
    const std::string gbkAn = "\xB0\xB2";       // 安 in code page 936
    const std::string utf8An = "\xE5\xAE\x89";  // 安 in UTF-8
    struct Chunk {
        std::string bytes;
        std::vector<Event> events;
        int codePageAfter;
    };
    const Chunk chunks[] = {
        {"Encode=936\n", {}, 936},
        // Decoded as 936 although it switches to UTF-8.
        {"Message=" + gbkAn + "\nEncode=UTF8\nMessage=" + gbkAn + "\n",
         {{IST_INFO_MESSAGE, 0.0, L"安"}, {IST_INFO_MESSAGE, 0.0, L"安"}}, 65001},
        {"Message=" + utf8An + "\n", {{IST_INFO_MESSAGE, 0.0, L"安"}}, 65001},
        // Bytes that are not UTF-8 fail to decode: nothing from the chunk.
        {"Message=" + gbkAn + "\nEncode=936\n", {}, 65001},
        // The chunk ends at its first NUL byte.
        {std::string("Progress=0.1\n\0State=Success\n", 29), {{IST_CODE_PROGRESS, 0.1, L""}}, 65001},
    };
    std::vector<Event> expected;
    for (const auto& chunk : chunks) {
        SCOPED_TRACE(chunk.bytes);
        EXPECT_EQ(runner.ParseChunk(chunk.bytes.data(), chunk.bytes.size()), PARSE_NO_RESULT);
        expected.insert(expected.end(), chunk.events.begin(), chunk.events.end());
        EXPECT_EQ(log.Events(), expected);
        EXPECT_EQ(runner.CodePage(), chunk.codePageAfter);
    }
}

TEST(EncodeLine, UnknownCodePageSilencesLaterChunks) {
    EventLog log;
    CPackageRunner runner(log.Callback(), L"", L"");
    const std::string first = "Encode=12345\n";
    const std::string second = "State=Success\n";
    EXPECT_EQ(runner.ParseChunk(first.data(), first.size()), PARSE_NO_RESULT);
    EXPECT_EQ(runner.ParseChunk(second.data(), second.size()), PARSE_NO_RESULT);
    EXPECT_TRUE(log.Events().empty());
    EXPECT_EQ(runner.CodePage(), 12345);
}

TEST(EncodeLine, UninstallerDecodesUtf8AfterEncodeLine) {
    EventLog log;
    CUnInstaller uninstaller(log.Callback(), L"", L"");
    const std::string first = "Encode=UTF8\n";
    const std::string second = "Error=\xE5\xAE\x89\n";
    uninstaller.ParseChunk(first.data(), first.size());
    EXPECT_EQ(uninstaller.ParseChunk(second.data(), second.size()), PARSE_FAILURE);
    EXPECT_EQ(log.Events(), (std::vector<Event>{{UNIST_CODE_ERROR, 0.0, L"安"}}));
}

}  // namespace
