#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace Utils {

inline constexpr std::uint32_t kRegSz = 1;  // REG_SZ, the type of text values

// A registry key's values kept in one file: names compare without regard to ASCII
// letter case, each value has a type and a text, and every change replaces the file
// atomically under a lock, so that readers and other writers never see a partial file.
// The file holds one value per line, name=type:text, with "\\", "\n", "\r" and "="
// written as backslash escapes.
class ValueStore {
public:
    explicit ValueStore(std::wstring file);

    // Creates the folders and the file as needed; false when they cannot be written.
    bool Write(std::wstring_view name, std::uint32_t type, std::wstring_view text);
    // False when the file or the value is missing; the outputs are left alone then.
    bool Read(std::wstring_view name, std::uint32_t& type, std::wstring& text) const;
    bool Remove(std::wstring_view name);

    const std::wstring& File() const { return file_; }

private:
    std::wstring file_;
};

// HKEY_CURRENT_USER\Software\OrvekSoft\Lumapane: $XDG_CONFIG_HOME/OrvekSoft/Lumapane/values.
std::wstring ProductValueStoreFile();
// Stores the text (up to its first terminator) as a REG_SZ value of the product's key.
bool WriteProductRegValue(std::wstring_view name, std::wstring_view text);
// Reads a value of the product's key: its text up to the first terminator and its type.
bool ReadProductRegValue(std::wstring_view name, std::uint32_t& type, std::wstring& text);

}  // namespace Utils
