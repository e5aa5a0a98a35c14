#include "utils/ShellOpen.h"

#include <cerrno>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "app/DebugLog.h"
#include "utils/TextConvert.h"

extern char** environ;

namespace Utils {

bool ShellOpen(std::wstring_view target)
{
    if (target.empty())
        return false;
    const std::string path = ToSystemPath(target);
    const bool program = ::access(path.c_str(), X_OK) == 0 && path.find("://") == std::string::npos;
    // A short-lived shell puts the target in the background and ends, so the target is
    // adopted by init and nothing is left for us to reap.
    const std::string script = program ? "\"$0\" </dev/null >/dev/null 2>&1 &"
                                       : "xdg-open \"$0\" </dev/null >/dev/null 2>&1 &";
    const char* argv[] = {"/bin/sh", "-c", script.c_str(), path.c_str(), nullptr};
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, "/bin/sh", nullptr, &attributes, const_cast<char* const*>(argv), environ);
    posix_spawnattr_destroy(&attributes);
    if (rc != 0) {
        DEBUG_LOG(L"ShellOpen FAIL code=%ld\r\n", static_cast<long>(rc));
        return false;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace Utils
