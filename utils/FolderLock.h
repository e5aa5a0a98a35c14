#pragma once
#include <string>

namespace Utils {

// An exclusive flock on a folder for the life of the object: writers that replace files
// in the folder by renaming (the lock cannot sit on the file, whose inode changes) take
// it around their read-change-write. Threads and processes exclude each other alike.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool IsLocked() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace Utils
