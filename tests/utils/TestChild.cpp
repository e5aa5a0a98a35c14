// A child program for the process tests. The first argument picks what it does.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <string>
#include <unistd.h>

#include "utils/SingleInstanceMutex.h"
#include "utils/TextConvert.h"

namespace {

void Put(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

void WaitForEndOfInput()
{
    char buffer[256];
    while (::read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "args") {  // every further argument on its own line, in brackets
        for (int i = 2; i < argc; ++i)
            Put(std::string("[") + argv[i] + "]\n");
        return 0;
    }
    if (mode == "print" && argc > 2) {
        Put(argv[2]);
        return 0;
    }
    if (mode == "stderr" && argc > 2) {
        std::fputs(argv[2], stderr);
        return 0;
    }
    if (mode == "exit" && argc > 2)
        return std::atoi(argv[2]);
    if (mode == "echo-stdin") {
        char buffer[256];
        ssize_t n;
        while ((n = ::read(STDIN_FILENO, buffer, sizeof buffer)) > 0)
            Put(std::string(buffer, static_cast<std::size_t>(n)));
        return 0;
    }
    if (mode == "fds") {  // open descriptors above 2
        DIR* dir = opendir("/proc/self/fd");
        const int own = dirfd(dir);
        std::string list;
        while (dirent* e = readdir(dir)) {
            const int fd = std::atoi(e->d_name);
            if (e->d_name[0] != '.' && fd > 2 && fd != own)
                list += std::to_string(fd) + " ";
        }
        closedir(dir);
        Put("fds:" + list + "\n");
        return 0;
    }
    if (mode == "env" && argc > 2) {
        const char* value = std::getenv(argv[2]);
        Put(value ? value : "(unset)");
        return 0;
    }
    if (mode == "hold-mutex" && argc > 2) {  // report, then hold until the input ends
        Utils::SingleInstanceMutex mutex(Utils::FromSystemPath(argv[2]));
        mutex.Acquire();
        Put(mutex.IsHeld() ? "held\n" : "busy\n");
        WaitForEndOfInput();
        return 0;
    }
    std::fprintf(stderr, "unknown mode\n");
    return 99;
}
