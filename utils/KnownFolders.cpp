#include "utils/KnownFolders.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits.h>
#include <pwd.h>
#include <unistd.h>

#include "utils/TextConvert.h"

namespace Utils {
namespace {

constexpr const char* kCommonDocumentsFolder = "/var/tmp";
constexpr const char* kProgramFilesFolder = "/opt";

std::wstring WithoutTrailingSeparators(std::wstring path)
{
    while (path.size() > 1 && path.back() == kPathSeparator)
        path.pop_back();
    return path;
}

// An XDG base folder: the variable when it holds an absolute path, else home + fallback.
std::wstring XdgFolder(const char* variable, const wchar_t* homeRelative)
{
    if (const char* value = std::getenv(variable); value && *value == '/')
        return WithoutTrailingSeparators(FromSystemPath(value));
    const std::wstring home = GetHomeFolder();
    return home.empty() ? std::wstring() : home + homeRelative;
}

}  // namespace

std::wstring GetTempFolder()
{
    std::wstring folder;
    if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp == '/')
        folder = WithoutTrailingSeparators(FromSystemPath(tmp));
    if (folder.empty())
        folder = L"/tmp";
    if (folder.back() != kPathSeparator)
        folder += kPathSeparator;
    return folder;
}

std::wstring GetHomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home == '/')
        return WithoutTrailingSeparators(FromSystemPath(home));
    passwd entry{};
    passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(::geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_dir &&
        *found->pw_dir == '/')
        return WithoutTrailingSeparators(FromSystemPath(found->pw_dir));
    return {};
}

std::wstring GetAppDataFolder()
{
    return XdgFolder("XDG_DATA_HOME", L"/.local/share");
}

std::wstring GetLocalAppDataFolder()
{
    return XdgFolder("XDG_STATE_HOME", L"/.local/state");
}

std::wstring GetConfigFolder()
{
    return XdgFolder("XDG_CONFIG_HOME", L"/.config");
}

std::wstring GetCommonDocumentsFolder()
{
    return FromSystemPath(kCommonDocumentsFolder);
}

std::wstring GetProgramFilesFolder()
{
    return FromSystemPath(kProgramFilesFolder);
}

std::wstring GetProgramFilesX86Folder()
{
    return {};
}

std::wstring GetModulePath()
{
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer)
        return {};
    return FromSystemPath(std::string_view(buffer, static_cast<std::size_t>(n)));
}

std::vector<std::wstring> GetProcessArguments()
{
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::wstring> args;
    std::size_t begin = 0;
    while (begin < all.size()) {
        std::size_t end = all.find('\0', begin);
        if (end == std::string::npos)
            end = all.size();
        args.push_back(ToWide(std::string_view(all).substr(begin, end - begin), kCodePageAnsi));
        begin = end + 1;
    }
    return args;
}

}  // namespace Utils
