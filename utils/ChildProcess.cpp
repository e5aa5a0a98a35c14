#include "utils/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "utils/CommandLine.h"
#include "utils/Exception.h"
#include "utils/TextConvert.h"

extern char** environ;

namespace Utils {
namespace {

// Loader and converter variables that could make the child load foreign code.
constexpr std::string_view kScrubbedVariables[] = {"LD_PRELOAD=", "LD_LIBRARY_PATH=", "LD_AUDIT=", "GCONV_PATH="};

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

bool IsExecutableFile(const std::string& path)
{
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// The program and its arguments, resolving an unquoted program path with blanks.
std::vector<std::wstring> ResolveArguments(std::wstring_view commandLine)
{
    std::vector<std::wstring> args = SplitCommandLine(commandLine);
    if (args.empty())
        return args;
    std::size_t begin = 0;
    while (begin < commandLine.size() && IsBlank(commandLine[begin]))
        ++begin;
    const std::wstring_view raw = commandLine.substr(begin);
    if (raw.front() == L'"' || args[0].find(L'/') == std::wstring::npos || IsExecutableFile(ToSystemPath(args[0])))
        return args;
    std::size_t end = args[0].size();
    while (end < raw.size()) {
        std::size_t next = end;
        while (next < raw.size() && IsBlank(raw[next]))
            ++next;
        while (next < raw.size() && !IsBlank(raw[next]))
            ++next;
        const std::wstring candidate(raw.substr(0, next));
        if (IsExecutableFile(ToSystemPath(candidate))) {
            std::vector<std::wstring> resolved{candidate};
            for (auto& arg : SplitArguments(raw.substr(next)))
                resolved.push_back(std::move(arg));
            return resolved;
        }
        end = next;
    }
    return args;
}

std::vector<char*> ChildEnvironment()
{
    std::vector<char*> env;
    for (char** p = environ; p && *p; ++p) {
        const std::string_view entry(*p);
        bool scrub = false;
        for (std::string_view name : kScrubbedVariables)
            scrub = scrub || entry.starts_with(name);
        if (!scrub)
            env.push_back(*p);
    }
    env.push_back(nullptr);
    return env;
}

class SpawnSetup {
public:
    SpawnSetup()
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
};

}  // namespace

ChildProcess::ChildProcess() = default;

ChildProcess::~ChildProcess()
{
    CloseAll();
}

void ChildProcess::Start(std::wstring_view commandLine)
{
    if (Utf16Length(commandLine) >= kCommandLineUnits)
        throw Exception();
    commandLine_ = commandLine.substr(0, commandLine.find(L'\0'));
    const std::vector<std::wstring> args = ResolveArguments(commandLine_);
    if (args.empty() || args[0].empty() || started_)
        throw Exception();
    std::vector<std::string> narrow;
    for (const auto& arg : args) {
        narrow.push_back(ToSystemPath(arg));
        if (narrow.back().empty() && !arg.empty())
            throw Exception();
    }
    std::vector<char*> argv;
    for (auto& arg : narrow)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<char*> env = ChildEnvironment();

    SpawnSetup setup;
    posix_spawn_file_actions_adddup2(&setup.actions, inputPipe_.ReadHandle(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&setup.actions, outputPipe_.WriteHandle(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&setup.actions, errorPipe_.WriteHandle(), STDERR_FILENO);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&setup.attributes, &none);
    posix_spawnattr_setsigdefault(&setup.attributes, &defaults);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const bool searchPath = narrow[0].find('/') == std::string::npos;
    const int rc = searchPath ? posix_spawnp(&pid, argv[0], &setup.actions, &setup.attributes, argv.data(), env.data())
                              : posix_spawn(&pid, argv[0], &setup.actions, &setup.attributes, argv.data(), env.data());
    if (rc != 0)
        throw Exception();
    {
        std::lock_guard lock(mutex_);
        info_.processId = pid;
        info_.threadId = pid;
        started_ = true;
    }
    outputPipe_.CloseWrite();
    errorPipe_.CloseWrite();
    inputPipe_.CloseRead();
}

void ChildProcess::CloseAll()
{
    {
        std::lock_guard lock(mutex_);
        if (started_ && !reaped_)
            ReapLocked(false);
    }
    inputPipe_.CloseWrite();
    inputPipe_.CloseRead();
    outputPipe_.CloseWrite();
    outputPipe_.CloseRead();
    errorPipe_.CloseWrite();
    errorPipe_.CloseRead();
}

ChildProcess::ProcessInformation ChildProcess::Information() const
{
    std::lock_guard lock(mutex_);
    return info_;
}

bool ChildProcess::ReapLocked(bool block)
{
    int status = 0;
    pid_t r;
    do {
        r = ::waitpid(info_.processId, &status, block ? 0 : WNOHANG);
    } while (r < 0 && errno == EINTR);
    if (r == 0)
        return false;
    reaped_ = true;
    if (r < 0)
        exitCode_ = 0;  // somebody else reaped it; its code is lost
    else if (WIFEXITED(status))
        exitCode_ = static_cast<std::uint32_t>(WEXITSTATUS(status));
    else if (WIFSIGNALED(status))
        exitCode_ = 128u + static_cast<std::uint32_t>(WTERMSIG(status));
    return true;
}

bool ChildProcess::IsRunning()
{
    std::lock_guard lock(mutex_);
    return started_ && !reaped_ && !ReapLocked(false);
}

std::uint32_t ChildProcess::GetExitCode()
{
    std::lock_guard lock(mutex_);
    if (!started_)
        return 0;
    if (!reaped_ && !ReapLocked(false))
        return kStillActive;
    return exitCode_;
}

std::uint32_t ChildProcess::Wait()
{
    int pid = 0;
    {
        std::lock_guard lock(mutex_);
        if (!started_ || reaped_)
            return exitCode_;
        pid = info_.processId;
    }
    // Wait without reaping, so that Terminate never signals a reused process id.
    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) < 0 && errno == EINTR) {
    }
    std::lock_guard lock(mutex_);
    if (!reaped_)
        ReapLocked(true);
    return exitCode_;
}

bool ChildProcess::Terminate()
{
    std::lock_guard lock(mutex_);
    if (!started_ || reaped_)
        return false;
    return ::kill(info_.processId, SIGKILL) == 0;
}

}  // namespace Utils
