#include "utils/HardDiskManager.h"

#include <cerrno>
#include <string>
#include <sys/statvfs.h>

#include "app/DebugLog.h"
#include "utils/TextConvert.h"

namespace Utils {

bool HardDiskManager::CheckFreeSpace(std::wstring_view folder)
{
    std::string path = ToSystemPath(folder);
    struct statvfs st{};
    int rc = -1;
    errno = ENOENT;
    while (!path.empty()) {
        rc = ::statvfs(path.c_str(), &st);
        if (rc == 0 || errno != ENOENT)
            break;
        const std::size_t slash = path.find_last_of('/', path.size() > 1 ? path.size() - 2 : 0);
        if (slash == std::string::npos)
            break;
        path.resize(slash == 0 ? 1 : slash);
    }
    if (rc != 0) {
        DEBUG_LOG(L"HardDiskManager::CheckFreeSpace FAIL code=%ld\r\n", static_cast<long>(errno));
        return false;
    }
    const auto unit = static_cast<std::uint64_t>(st.f_frsize);
    freeBytesAvailable = static_cast<std::uint64_t>(st.f_bavail) * unit;
    totalBytes = static_cast<std::uint64_t>(st.f_blocks) * unit;
    totalFreeBytes = static_cast<std::uint64_t>(st.f_bfree) * unit;
    return true;
}

}  // namespace Utils
