#include <fcntl.h>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

#include "TestSupport.h"
#include "utils/ChildProcess.h"
#include "utils/Exception.h"
#include "utils/FileSystem.h"
#include "utils/TextConvert.h"

namespace {

std::wstring ChildPath()
{
    return Utils::FromSystemPath(LP_TEST_CHILD);
}

std::wstring ChildCommand(const std::wstring& arguments)
{
    return L"\"" + ChildPath() + L"\" " + arguments;
}

std::string ReadAll(Utils::AnonymousPipe& pipe)
{
    std::string all;
    char buffer[512];
    long n;
    while ((n = pipe.Read(buffer, sizeof buffer)) > 0)
        all.append(buffer, static_cast<std::size_t>(n));
    return all;
}

bool IsOpen(int fd)
{
    return fd >= 0 && ::fcntl(fd, F_GETFD) != -1;
}

TEST(ChildProcess, ReadsOutputAndErrorAndExitCode)
{
    Utils::ChildProcess child;
    child.Start(ChildCommand(L"print \"hello child\""));
    EXPECT_EQ(ReadAll(child.OutputPipe()), "hello child");
    EXPECT_EQ(child.Wait(), 0u);
    EXPECT_FALSE(child.IsRunning());
    EXPECT_NE(child.Information().processId, 0);

    Utils::ChildProcess failing;
    failing.Start(ChildCommand(L"stderr oops"));
    EXPECT_EQ(ReadAll(failing.ErrorPipe()), "oops");
    EXPECT_EQ(ReadAll(failing.OutputPipe()), "");

    Utils::ChildProcess exiting;
    exiting.Start(ChildCommand(L"exit 7"));
    EXPECT_EQ(exiting.Wait(), 7u);
    EXPECT_EQ(exiting.GetExitCode(), 7u);
}

TEST(ChildProcess, InputReachesTheChildAndItsEndFinishesIt)
{
    Utils::ChildProcess child;
    child.Start(ChildCommand(L"echo-stdin"));
    const std::string text = "line one\nline two\n";
    ASSERT_EQ(child.InputPipe().Write(text.data(), text.size()), static_cast<long>(text.size()));
    // The child sees the end of its input only if no copy of the write end leaked into it.
    child.InputPipe().CloseWrite();
    EXPECT_EQ(ReadAll(child.OutputPipe()), text);
    EXPECT_EQ(child.Wait(), 0u);
}

TEST(ChildProcess, ParentEndsAreNotInherited)
{
    Utils::ChildProcess child;
    child.Start(ChildCommand(L"fds"));
    const int parentEnds[] = {child.InputPipe().WriteHandle(), child.OutputPipe().ReadHandle(),
                              child.ErrorPipe().ReadHandle()};
    const std::string out = ReadAll(child.OutputPipe());
    ASSERT_EQ(out.rfind("fds:", 0), 0u) << out;
    std::istringstream list(out.substr(4));
    int fd;
    while (list >> fd) {
        for (int end : parentEnds)
            EXPECT_NE(fd, end) << "the child holds a parent end: " << out;
    }
    // The child's own ends are closed in the parent after the start.
    EXPECT_EQ(child.InputPipe().ReadHandle(), Utils::AnonymousPipe::kNoHandle);
    EXPECT_EQ(child.OutputPipe().WriteHandle(), Utils::AnonymousPipe::kNoHandle);
    EXPECT_EQ(child.ErrorPipe().WriteHandle(), Utils::AnonymousPipe::kNoHandle);
    EXPECT_EQ(child.Wait(), 0u);
}

TEST(ChildProcess, ArgumentsAreSplitByTheSystemRules)
{
    struct Case {
        std::wstring arguments;
        std::string lines;
    };
    const Case cases[] = {
        {L"a b", "[a]\n[b]\n"},
        {L"\"a b\"  c", "[a b]\n[c]\n"},
        {L"\"\" x", "[]\n[x]\n"},
        {L"a\\\"b", "[a\"b]\n"},
        {L"\"x\\\\\" y", "[x\\]\n[y]\n"},
        {L"\"say \"\"hi\"\"\"", "[say \"hi\"]\n"},
        {L"-instdir=\"/opt/A B\" /S", "[-instdir=/opt/A B]\n[/S]\n"},
        {L"\x00E9t\x00E9 \x4E2D\x6587", "[\xC3\xA9t\xC3\xA9]\n[\xE4\xB8\xAD\xE6\x96\x87]\n"},
    };
    for (const auto& c : cases) {
        Utils::ChildProcess child;
        child.Start(ChildCommand(L"args " + c.arguments));
        EXPECT_EQ(ReadAll(child.OutputPipe()), c.lines) << Utils::ToNarrow(c.arguments, Utils::kCodePageUtf8);
        EXPECT_EQ(child.Wait(), 0u);
    }
}

TEST(ChildProcess, UnquotedProgramPathWithBlanksIsResolved)
{
    TestSupport::TempDir dir;
    const std::wstring folder = dir.WFile(L"with blank");
    ASSERT_TRUE(Utils::CreateFolderPath(folder));
    const std::wstring program = folder + L"/child";
    ASSERT_TRUE(Utils::CopyFile(ChildPath(), program, true));
    ASSERT_TRUE(Utils::MakeExecutable(program));

    Utils::ChildProcess child;
    child.Start(program + L" args one \"two three\"");
    EXPECT_EQ(ReadAll(child.OutputPipe()), "[one]\n[two three]\n");
    EXPECT_EQ(child.Wait(), 0u);
}

TEST(ChildProcess, FailuresThrowAndCloseAllClosesEveryEnd)
{
    const std::wstring bad[] = {L"/nonexistent/lumapane-no-such-program arg", L"", L"   ",
                                ChildCommand(std::wstring(1100, L'x'))};
    for (const auto& line : bad) {
        Utils::ChildProcess child;
        const int ends[] = {child.InputPipe().WriteHandle(),  child.InputPipe().ReadHandle(),
                            child.OutputPipe().WriteHandle(), child.OutputPipe().ReadHandle(),
                            child.ErrorPipe().WriteHandle(),  child.ErrorPipe().ReadHandle()};
        EXPECT_THROW(child.Start(line), Utils::Exception) << line.size();
        for (int fd : ends)
            EXPECT_TRUE(IsOpen(fd)) << "the pipes stay open for CloseAll";
        child.CloseAll();
        for (int fd : ends)
            EXPECT_FALSE(IsOpen(fd)) << fd;
        EXPECT_EQ(child.InputPipe().WriteHandle(), Utils::AnonymousPipe::kNoHandle);
        EXPECT_EQ(child.ErrorPipe().ReadHandle(), Utils::AnonymousPipe::kNoHandle);
        EXPECT_EQ(child.GetExitCode(), 0u);
    }
}

TEST(ChildProcess, TerminateEndsARunningChild)
{
    Utils::ChildProcess child;
    EXPECT_FALSE(child.Terminate());
    child.Start(ChildCommand(L"echo-stdin"));
    EXPECT_TRUE(child.IsRunning());
    EXPECT_EQ(child.GetExitCode(), Utils::ChildProcess::kStillActive);
    EXPECT_TRUE(child.Terminate());
    EXPECT_EQ(child.Wait(), 128u + 9u);
    EXPECT_FALSE(child.Terminate());
    child.CloseAll();
    EXPECT_EQ(child.OutputPipe().ReadHandle(), Utils::AnonymousPipe::kNoHandle);
}

}  // namespace
