#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace SkinUI {

/// Where a window reads its layout and images: an archive read into memory,
/// or a folder on disk. Archive names ignore case and "\" and "/" are alike.
class ResourceStore {
public:
    /// Reads every entry of an archive (7z or any format libarchive reads); false when unreadable or empty.
    bool OpenArchive(std::span<const std::uint8_t> bytes);
    void SetFolder(const std::wstring& folder) { folder_ = folder; }
    const std::wstring& Folder() const { return folder_; }
    bool HasArchive() const { return !entries_.empty(); }
    void Clear();

    /// Bytes of a resource: an absolute path is read from disk, anything else from the
    /// archive if there is one, else from the folder.
    std::optional<std::string> Load(std::wstring_view name) const;
    /// Names in the archive, normalised (lower case, "/").
    std::size_t EntryCount() const { return entries_.size(); }

    static std::string NormaliseName(std::wstring_view name);
    static std::optional<std::string> ReadFile(const std::string& path);

private:
    std::map<std::string, std::string> entries_;
    std::wstring folder_;
};

}  // namespace SkinUI
