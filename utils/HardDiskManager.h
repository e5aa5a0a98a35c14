#pragma once
#include <cstdint>
#include <string_view>

namespace Utils {

// Free space of the file system that holds a folder (the folder need not exist yet:
// its nearest existing parent is measured). The fields keep the last successful check.
class HardDiskManager {
public:
    virtual ~HardDiskManager() = default;

    bool CheckFreeSpace(std::wstring_view folder);

    std::uint64_t freeBytesAvailable = 0;  // free for this user
    std::uint64_t totalBytes = 0;
    std::uint64_t totalFreeBytes = 0;
};

}  // namespace Utils
