#include "utils/SingleInstanceMutex.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "utils/TextConvert.h"

namespace Utils {
namespace {

// A folder only this user can reach, or empty: a shared folder would let another user
// hold the lock file open and so keep every instance out.
std::string PrivateFolder(const std::string& path)
{
    struct stat st{};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return {};
    return path;
}

std::string LockFolder()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/') {
        if (std::string folder = PrivateFolder(runtime); !folder.empty())
            return folder;
    }
    const char* tmp = std::getenv("TMPDIR");
    std::string base = tmp && *tmp == '/' ? tmp : "/tmp";
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    const std::string folder = base + "/lumapane-" + std::to_string(::geteuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    return PrivateFolder(folder);
}

}  // namespace

SingleInstanceMutex::SingleInstanceMutex(std::wstring baseName) : baseName_(std::move(baseName)) {}

SingleInstanceMutex::~SingleInstanceMutex()
{
    Release();
}

std::string SingleInstanceMutex::LockFilePath(const std::wstring& baseName)
{
    const std::string folder = LockFolder();
    if (folder.empty())
        return {};
    std::string name = ToSystemPath(kNamePrefix + baseName);
    for (char& c : name) {
        if (c == '/')
            c = '_';
    }
    return folder + "/" + name + ".lock";
}

void SingleInstanceMutex::Acquire()
{
    if (handle_ >= 0)
        return;
    const std::string path = LockFilePath(baseName_);
    if (path.empty())
        return;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return;
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return;
    }
    handle_ = fd;
}

void SingleInstanceMutex::Release()
{
    if (handle_ >= 0) {
        ::flock(handle_, LOCK_UN);
        ::close(handle_);
        handle_ = -1;
    }
}

}  // namespace Utils
