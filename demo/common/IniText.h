#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace demo {

// Sets key=value in [section] of an INI file, keeping every other line; the
// file and the section are created when missing. Names compare without regard
// to letter case, as the installer's INI reader does.
bool SetIniValue(const std::filesystem::path& file, const std::string& section, const std::string& key,
                 const std::string& value, std::string* error);
std::optional<std::string> GetIniValue(const std::filesystem::path& file, const std::string& section,
                                       const std::string& key);

// Writes through a temporary file in the same folder and a rename, so that a
// reader never sees half a file and a running program file can be replaced.
bool WriteFileAtomically(const std::filesystem::path& file, const std::string& bytes, std::string* error,
                         unsigned mode = 0644);

}  // namespace demo
