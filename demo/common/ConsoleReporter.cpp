#include "ConsoleReporter.h"

#include <cerrno>
#include <cstdio>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

namespace demo {

namespace {
constexpr auto kDrainPatience = std::chrono::seconds(30);
constexpr auto kDrainPoll = std::chrono::milliseconds(5);
}  // namespace

ConsoleReporter::ConsoleReporter(int fd, bool enabled) : fd_(fd), enabled_(enabled) {}

bool ConsoleReporter::WaitUnread(size_t limit, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        int unread = 0;
        if (ioctl(fd_, FIONREAD, &unread) != 0 || unread < 0)
            return false;
        if (static_cast<size_t>(unread) <= limit)
            return true;
        // A reader that stopped reading (it has its result) must not hold us for ever.
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kDrainPoll);
    }
}

void ConsoleReporter::WriteWhole(const std::string& line) {
    if (line.size() <= kReadSize)
        WaitUnread(kReadSize - line.size(), kDrainPatience);
    size_t done = 0;
    while (done < line.size()) {
        ssize_t n = write(fd_, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;  // nobody listens any more; the install itself goes on
        done += static_cast<size_t>(n);
    }
}

void ConsoleReporter::Line(const std::string& key, const std::string& value) {
    if (!enabled_)
        return;
    // A line end inside a value would start a line of its own on the reader's side.
    std::string clean = value;
    for (char& c : clean)
        if (c == '\n' || c == '\r')
            c = ' ';
    WriteWhole(key + "=" + clean + "\n");
}

void ConsoleReporter::Progress(double fraction) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", fraction);
    Line("Progress", text);
}

void ConsoleReporter::EncodeUtf8() {
    if (!enabled_)
        return;
    WriteWhole("Encode=UTF8\n");
    WaitUnread(0, kDrainPatience);
}

void ConsoleReporter::Success() { Line("State", "Success"); }
void ConsoleReporter::Fail() { Line("State", "Fail"); }
void ConsoleReporter::Error(const std::string& text) { Line("Error", text); }

int RefuseArguments(const char* program, const std::vector<std::string>& args, const std::string& error) {
    bool console = false;
    for (const auto& a : args)
        console = console || a == "-console=show";
    ConsoleReporter(STDOUT_FILENO, console).Error(error);
    std::fprintf(stderr, "%s: %s\n", program, error.c_str());
    return 2;
}

}  // namespace demo
