#pragma once
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "utils/AnonymousPipe.h"

namespace Utils {

// A hidden child process whose standard error, output and input are anonymous pipes.
// The child receives only its ends of the three pipes, as descriptors 2, 1 and 0; the
// parent's ends are never inherited. After Start the parent holds only its own ends, so
// a read from the output pipe reports the end once the child (and whatever inherited its
// output) is gone.
class ChildProcess {
public:
    static constexpr std::size_t kCommandLineUnits = 1024;  // at most 1023 UTF-16 units
    static constexpr std::uint32_t kStillActive = 259;

    struct ProcessInformation {
        int processId = 0;
        int threadId = 0;  // the main thread's id, the same number on Linux
    };

    // Creates the error, output and input pipes in that order; throws Utils::Exception.
    ChildProcess();
    // Closes every end still open. A child that still runs is left running.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Splits the command line by the CommandLineToArgvW rules and starts the program in
    // the parent's folder with its environment (less the dynamic loader's variables). An
    // unquoted program path with blanks is resolved as CreateProcessW does: the shortest
    // prefix, up to a blank, that names an executable file. Throws Utils::Exception when
    // the command line is empty or has 1024 UTF-16 units or more, or when the program
    // cannot be started; the pipes then stay open for CloseAll().
    void Start(std::wstring_view commandLine);

    // Forgets the process (reaping it if it has ended) and closes the pipe ends that are
    // open: input write, input read, output write, output read, error write, error read.
    void CloseAll();

    AnonymousPipe& ErrorPipe() { return errorPipe_; }
    AnonymousPipe& OutputPipe() { return outputPipe_; }
    AnonymousPipe& InputPipe() { return inputPipe_; }
    const std::wstring& CommandLine() const { return commandLine_; }
    ProcessInformation Information() const;

    // Whether the started child is still running (not waiting).
    bool IsRunning();
    // The exit code, or kStillActive while the child runs. A child ended by a signal
    // gives 128 plus the signal number. A process that was never started gives 0.
    std::uint32_t GetExitCode();
    // Waits without time-out for the child to end; returns its exit code (0 with no child).
    std::uint32_t Wait();
    // Kills the child (SIGKILL); false when there is no running child.
    bool Terminate();

private:
    bool ReapLocked(bool block);

    std::wstring commandLine_;
    AnonymousPipe errorPipe_;
    AnonymousPipe outputPipe_;
    AnonymousPipe inputPipe_;
    mutable std::mutex mutex_;  // guards the process state against Terminate from another thread
    ProcessInformation info_;
    bool started_ = false;
    bool reaped_ = false;
    std::uint32_t exitCode_ = 0;
};

}  // namespace Utils
