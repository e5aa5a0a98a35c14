#include "utils/ProcessList.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <memory>
#include <string>
#include <unistd.h>

#include "utils/FileSystem.h"
#include "utils/TextConvert.h"

namespace Utils {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

std::string BaseName(std::string path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file name of the process's executable; empty when it cannot be told.
std::string ExecutableName(const std::string& pidText)
{
    const std::string proc = "/proc/" + pidText;
    char target[4096];
    const ssize_t n = ::readlink((proc + "/exe").c_str(), target, sizeof target - 1);
    if (n > 0) {
        std::string path(target, static_cast<std::size_t>(n));
        // A replaced or removed executable still runs under its old name.
        constexpr std::string_view kDeleted = " (deleted)";
        if (path.size() > kDeleted.size() && path.ends_with(kDeleted))
            path.resize(path.size() - kDeleted.size());
        return BaseName(path);
    }
    std::string cmdline;
    if (!ReadFileBytes(FromSystemPath(proc + "/cmdline"), cmdline))
        return {};
    return BaseName(cmdline.substr(0, cmdline.find('\0')));
}

}  // namespace

std::uint32_t FindProcessId(std::wstring_view exeFileName)
{
    if (exeFileName.empty())
        return 0;
    const std::string wanted = ToSystemPath(exeFileName);
    std::unique_ptr<DIR, DirCloser> dir(::opendir("/proc"));
    if (!dir)
        return 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        if (ExecutableName(name) == wanted)
            return static_cast<std::uint32_t>(std::strtoul(name.c_str(), nullptr, 10));
    }
    return 0;
}

}  // namespace Utils
