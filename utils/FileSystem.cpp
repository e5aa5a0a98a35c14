#include "utils/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "utils/FdWrite.h"
#include "utils/KnownFolders.h"
#include "utils/TextConvert.h"

namespace Utils {
namespace {

class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    ~FileHandle()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

bool WriteBytes(int fd, std::string_view bytes)
{
    return WriteAll(fd, bytes.data(), bytes.size()) >= 0;
}

bool MakeFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0777) == 0)
        return true;
    struct stat st{};
    return errno == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

bool FileExists(std::wstring_view path)
{
    struct stat st{};
    const std::string p = ToSystemPath(path);
    return !p.empty() && ::stat(p.c_str(), &st) == 0;
}

bool IsDirectory(std::wstring_view path)
{
    struct stat st{};
    const std::string p = ToSystemPath(path);
    return !p.empty() && ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateFolderPath(std::wstring_view path)
{
    if (path.size() > kMaxPathChars)
        return false;
    const std::string p = ToSystemPath(path);
    if (p.empty())
        return false;
    for (std::size_t slash = p.find('/', 1); slash != std::string::npos; slash = p.find('/', slash + 1)) {
        if (!MakeFolder(p.substr(0, slash + 1)))
            return false;
    }
    return p.back() == '/' || MakeFolder(p);
}

std::wstring GetWorkFolder()
{
    const std::wstring folder = GetTempFolder() + kWorkFolderName + kPathSeparator;
    const std::string p = ToSystemPath(folder.substr(0, folder.size() - 1));
    if (p.empty())
        return {};
    if (::mkdir(p.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat st{};
    if (::lstat(p.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return {};
    return folder;
}

std::wstring FileNameOf(std::wstring_view path)
{
    const std::size_t slash = path.find_last_of(kPathSeparator);
    return std::wstring(slash == path.npos ? path : path.substr(slash + 1));
}

std::wstring FolderOf(std::wstring_view path)
{
    const std::size_t slash = path.find_last_of(kPathSeparator);
    if (slash == path.npos)
        return {};
    return std::wstring(path.substr(0, slash == 0 ? 1 : slash));
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name)
{
    std::wstring joined(folder);
    if (!joined.empty() && joined.back() != kPathSeparator)
        joined += kPathSeparator;
    joined.append(name);
    return joined;
}

bool MakeExecutable(std::wstring_view path)
{
    const std::string p = ToSystemPath(path);
    struct stat st{};
    if (p.empty() || ::stat(p.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    const mode_t read = st.st_mode & (S_IRUSR | S_IRGRP | S_IROTH);
    return ::chmod(p.c_str(), (st.st_mode & 07777) | S_IXUSR | (read >> 2)) == 0;
}

bool ReadFileBytes(std::wstring_view path, std::string& bytes)
{
    const std::string p = ToSystemPath(path);
    FileHandle fd(p.empty() ? -1 : ::open(p.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.ok())
        return false;
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    bytes = std::move(content);
    return true;
}

bool WriteFileAtomically(std::wstring_view path, std::string_view bytes, mode_t newFileMode)
{
    const std::string target = ToSystemPath(path);
    if (target.empty())
        return false;
    const std::size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
    std::string temp = target + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    FileHandle fd(::mkostemp(name.data(), O_CLOEXEC));
    if (!fd.ok())
        return false;
    temp = name.data();
    struct stat st{};
    const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : newFileMode;
    bool ok = ::fchmod(fd.get(), mode) == 0 && WriteBytes(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    ok = ::close(fd.release()) == 0 && ok;
    if (ok)
        ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    FileHandle dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.ok())
        ::fsync(dir.get());
    return true;
}

bool CopyFile(std::wstring_view source, std::wstring_view target, bool failIfExists)
{
    std::string bytes;
    if (!ReadFileBytes(source, bytes))
        return false;
    if (failIfExists && FileExists(target))
        return false;
    struct stat st{};
    const std::string src = ToSystemPath(source);
    const mode_t mode = ::stat(src.c_str(), &st) == 0 ? (st.st_mode & 0777) : 0644;
    const std::string dst = ToSystemPath(target);
    FileHandle fd(::open(dst.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (failIfExists ? O_EXCL : 0), mode));
    return fd.ok() && WriteBytes(fd.get(), bytes) && ::fchmod(fd.get(), mode) == 0;
}

bool DeleteFile(std::wstring_view path)
{
    const std::string p = ToSystemPath(path);
    return !p.empty() && ::unlink(p.c_str()) == 0;
}

}  // namespace Utils
