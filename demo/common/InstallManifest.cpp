#include "InstallManifest.h"

#include <algorithm>
#include <fstream>

#include "IniText.h"

namespace demo {

namespace {

constexpr const char* kHeader = "# Lumapane install manifest 1";

bool SafeRelative(const std::filesystem::path& p) {
    if (p.empty() || p.is_absolute())
        return false;
    return std::none_of(p.begin(), p.end(), [](const std::filesystem::path& part) { return part == ".."; });
}

bool SafeShortcut(const std::filesystem::path& p) {
    return p.is_absolute() && p.extension() == ".desktop" && p.lexically_normal() == p;
}

}  // namespace

void InstallManifest::AddFile(const std::filesystem::path& relative) {
    if (std::find(files_.begin(), files_.end(), relative) == files_.end())
        files_.push_back(relative);
}

void InstallManifest::AddShortcut(const std::filesystem::path& absolute) {
    if (std::find(shortcuts_.begin(), shortcuts_.end(), absolute) == shortcuts_.end())
        shortcuts_.push_back(absolute);
}

bool InstallManifest::Save(const std::filesystem::path& folder, std::string* error) const {
    std::string text = std::string(kHeader) + "\n";
    for (const auto& f : files_)
        text += "F " + f.string() + "\n";
    for (const auto& s : shortcuts_)
        text += "S " + s.string() + "\n";
    return WriteFileAtomically(folder / kFileName, text, error);
}

std::optional<InstallManifest> InstallManifest::Load(const std::filesystem::path& folder, std::string* error) {
    std::ifstream in(folder / kFileName);
    if (!in) {
        if (error)
            *error = "未找到卸载清单：" + (folder / kFileName).string();
        return std::nullopt;
    }
    InstallManifest manifest;
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        if (first) {
            first = false;
            if (line != kHeader)
                break;
            continue;
        }
        if (line.size() < 3 || line[1] != ' ') {
            if (error)
                *error = "卸载清单已损坏";
            return std::nullopt;
        }
        std::filesystem::path p = line.substr(2);
        if (line[0] == 'F' && SafeRelative(p)) {
            manifest.AddFile(p);
        } else if (line[0] == 'S' && SafeShortcut(p)) {
            manifest.AddShortcut(p);
        } else {
            if (error)
                *error = "卸载清单含有无效条目：" + line;
            return std::nullopt;
        }
    }
    if (first || (manifest.files_.empty() && manifest.shortcuts_.empty())) {
        if (error)
            *error = "卸载清单已损坏";
        return std::nullopt;
    }
    return manifest;
}

}  // namespace demo
