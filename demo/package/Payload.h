#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace demo {

// The package is its installer program followed by a tar archive of the
// product and a fixed-size trailer that tells where the archive starts.
struct PayloadTrailer {
    static constexpr char kMagic[8] = {'L', 'U', 'M', 'A', 'P', 'K', 'G', '1'};
    static constexpr size_t kSize = 24;  // magic, archive offset, archive size (little-endian)
};

struct PayloadEntry {
    std::string name;  // relative path inside the install folder
    unsigned mode = 0644;
    std::string bytes;
};

// Reads the archive carried by the package file `package`.
std::optional<std::vector<PayloadEntry>> ReadPayload(const std::filesystem::path& package, std::string* error);

// Writes `stub` followed by an archive of `entries` and the trailer to `out`.
bool WritePackage(const std::filesystem::path& stub, const std::vector<PayloadEntry>& entries,
                  const std::filesystem::path& out, std::string* error);

}  // namespace demo
