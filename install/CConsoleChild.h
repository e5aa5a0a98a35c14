#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "InstallDeps.h"

// A hidden child process whose standard output is read as console protocol.
// Its standard error is drained on a helper thread from the start, so a child
// that floods it never blocks; standard input is never written.
class CConsoleChild {
public:
    explicit CConsoleChild(std::wstring threadName);
    ~CConsoleChild();
    CConsoleChild(const CConsoleChild&) = delete;
    CConsoleChild& operator=(const CConsoleChild&) = delete;

    // False when the pipes or the process cannot be created.
    bool Start(const std::wstring& commandLine);
    // Blocks until the child writes; 0 once every writer has closed the pipe.
    std::size_t ReadOutput(char* buffer, std::size_t size);
    // Reads and discards standard output up to its end.
    void DrainOutput();
    // Waits for the end of standard error and for the process itself.
    void Wait();
    void CloseAll();

private:
    static std::uint32_t DrainErrors(void* self);

    std::wstring threadName_;
    std::unique_ptr<Utils::ChildProcess> process_;
    std::unique_ptr<Utils::Thread> errorDrain_;
};
