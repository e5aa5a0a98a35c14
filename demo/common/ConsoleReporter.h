#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace demo {

// Writes the key=value lines that the installer reads from the package's or
// the uninstaller's standard output. The reader takes at most 1024 bytes per
// read and treats each read on its own, so a line cut by a read boundary would
// arrive as two broken lines. Each line is therefore written whole, and while
// the output is a pipe no more than 1024 bytes are left unread in it.
class ConsoleReporter {
public:
    static constexpr size_t kReadSize = 1024;

    // fd is the output; enabled false makes every call a no-op (no "-console=show").
    ConsoleReporter(int fd, bool enabled);

    void Line(const std::string& key, const std::string& value);
    void Progress(double fraction);
    // The reader switches its code page from the next read on, so nothing is
    // written after this line until the reader has taken it.
    void EncodeUtf8();
    void Success();
    void Fail();
    void Error(const std::string& text);

    bool enabled() const { return enabled_; }

private:
    void WriteWhole(const std::string& line);
    // Waits until at most `limit` bytes are unread; false when that cannot be told.
    bool WaitUnread(size_t limit, std::chrono::milliseconds patience);

    int fd_;
    bool enabled_;
};

// Answers a command line that could not be understood: an Error line on the
// console when it asked for one, the reason on standard error; returns the exit code.
int RefuseArguments(const char* program, const std::vector<std::string>& args, const std::string& error);

}  // namespace demo
