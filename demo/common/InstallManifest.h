#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace demo {

// What the package put on the machine, kept in the install folder so that the
// uninstaller removes exactly that and nothing the user added.
class InstallManifest {
public:
    static constexpr const char* kFileName = "uninst.lst";

    // Paths inside the install folder, relative to it.
    void AddFile(const std::filesystem::path& relative);
    // Launcher entries outside the install folder, absolute.
    void AddShortcut(const std::filesystem::path& absolute);

    const std::vector<std::filesystem::path>& files() const { return files_; }
    const std::vector<std::filesystem::path>& shortcuts() const { return shortcuts_; }

    bool Save(const std::filesystem::path& folder, std::string* error) const;
    // nullopt when the file is missing or holds an entry that is not safe to
    // remove (absolute or ".." in a file entry, a shortcut that is no .desktop file).
    static std::optional<InstallManifest> Load(const std::filesystem::path& folder, std::string* error);

private:
    std::vector<std::filesystem::path> files_;
    std::vector<std::filesystem::path> shortcuts_;
};

}  // namespace demo
