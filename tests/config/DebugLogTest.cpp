// GCC 12 with the sanitizers warns inside <regex> about a member it cannot see initialised.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <ctime>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <thread>
#include <unistd.h>
#include <vector>

#include "TestSupport.h"
#include "app/DebugLog.h"

namespace Lumapane::Probe {

struct Writer {
    static int WriteOne(const wchar_t* text)
    {
        DEBUG_LOG(L"message %s\r\n", text);
        return __LINE__ - 1;
    }
};

}  // namespace Lumapane::Probe

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string Padded(long value, int width)
{
    std::string digits = std::to_string(value);
    return std::string(digits.size() < static_cast<std::size_t>(width) ? width - digits.size() : 0, '0') + digits;
}

TEST(DebugLog, WritesTheExactPrefixToStandardError)
{
    TestSupport::StderrCapture capture;
    const std::time_t before = std::time(nullptr);
    const int line = Lumapane::Probe::Writer::WriteOne(L"\x4E2D\x6587 ok");
    const std::time_t after = std::time(nullptr);
    const std::string out = capture.Stop();

    const std::regex form(
        "<P([0-9]{5,})><T([0-9]{5,})><([0-9]{4})-([0-9]{2})-([0-9]{2}) ([0-9]{2}):([0-9]{2}):([0-9]{2})\\.([0-9]{3})>"
        "\\(([^)]*)\\)<([0-9]{4,})>: ([\\s\\S]*)");
    std::smatch m;
    ASSERT_TRUE(std::regex_match(out, m, form)) << out;
    EXPECT_EQ(m[1].str(), Padded(getpid(), 5));
    EXPECT_EQ(m[2].str(), Padded(gettid(), 5));
    EXPECT_EQ(m[10].str(), "Lumapane::Probe::Writer::WriteOne");
    EXPECT_EQ(m[11].str(), Padded(line, 4));
    EXPECT_EQ(m[12].str(), "message \xE4\xB8\xAD\xE6\x96\x87 ok\r\n");

    // The local time of the call, to the second.
    std::tm local{};
    local.tm_year = std::stoi(m[3]) - 1900;
    local.tm_mon = std::stoi(m[4]) - 1;
    local.tm_mday = std::stoi(m[5]);
    local.tm_hour = std::stoi(m[6]);
    local.tm_min = std::stoi(m[7]);
    local.tm_sec = std::stoi(m[8]);
    local.tm_isdst = -1;
    const std::time_t written = std::mktime(&local);
    EXPECT_GE(written, before);
    EXPECT_LE(written, after);
}

TEST(DebugLog, PrefixFieldsAndWideConventions)
{
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 0;
    t.tm_mday = 2;
    t.tm_hour = 3;
    t.tm_min = 4;
    t.tm_sec = 5;
    struct Case {
        long pid, tid;
        int ms, line;
        std::wstring expected;
    };
    const Case cases[] = {
        {42, 7, 6, 8, L"<P00042><T00007><2026-01-02 03:04:05.006>(F::g)<0008>: "},
        {1234567, 99999, 999, 12345, L"<P1234567><T99999><2026-01-02 03:04:05.999>(F::g)<12345>: "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LogDetail::FormatPrefix(c.pid, c.tid, t, c.ms, "F::g", c.line), c.expected);
    EXPECT_EQ(LogDetail::FormatPrefix(1, 1, t, 0, "", 0).size(), 51u);

    TestSupport::StderrCapture capture;
    DebugLog("f", 1, L"w=%s n=%hs N=%S c=%c d=%d big=%I64d pct=%%", L"\x00E9", "narrow", "N", L'\x4E2D', -3,
             static_cast<long long>(1) << 40);
    DebugLog("f", 2, L"no line end");
    const std::string out = capture.Stop();
    const std::string prefix2 = "(f)<0002>: ";
    EXPECT_NE(out.find("(f)<0001>: w=\xC3\xA9 n=narrow N=N c=\xE4\xB8\xAD d=-3 big=1099511627776 pct=%<P"),
              std::string::npos)
        << out;
    EXPECT_TRUE(out.ends_with(prefix2 + "no line end")) << out;
}

TEST(DebugLog, QualifiedNamesOfFunctions)
{
    struct Case {
        const char* pretty;
        const char* name;
    };
    const Case cases[] = {
        {"static unsigned int Utils::Thread::CallBack(void*)", "Utils::Thread::CallBack"},
        {"int CMTCurlDownloader::downloadExe()", "CMTCurlDownloader::downloadExe"},
        {"void f()", "f"},
        {"std::vector<int> ns::Make(const std::map<int, int>&) const", "ns::Make"},
        {"void ns::C::operator()(int)", "ns::C::operator()"},
        {"bool ns::C::operator<(const ns::C&) const", "ns::C::operator<"},
        {"void ns::Run()::<lambda()>", "ns::Run()::<lambda()>"},
        {"T ns::Get() [with T = int]", "ns::Get"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LogDetail::QualifiedName(c.pretty), c.name) << c.pretty;
}

TEST(DebugLog, LinesFromManyThreadsNeverInterleave)
{
    TestSupport::StderrCapture capture;
    constexpr int kThreads = 4, kEach = 200;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            const std::wstring body(300, static_cast<wchar_t>(L'a' + t));
            for (int i = 0; i < kEach; ++i)
                DebugLog("worker", t, L"%s %d\r\n", body.c_str(), i);
        });
    }
    for (auto& thread : threads)
        thread.join();
    const std::vector<std::string> lines = Lines(capture.Stop());
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kEach));
    const std::regex form("<P[0-9]{5,}><T[0-9]{5,}><[-0-9 :.]{23}>\\(worker\\)<000([0-3])>: ([a-d])\\2{299} [0-9]+\r");
    for (const auto& line : lines) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, form)) << line;
        EXPECT_EQ(m[1].str()[0] - '0', m[2].str()[0] - 'a');
    }
}

}  // namespace
