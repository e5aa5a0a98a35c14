#pragma once
// INI files with the semantics of GetPrivateProfileString, GetPrivateProfileInt and
// WritePrivateProfileString. Files are UTF-8 (an optional BOM is skipped); the wide
// forms convert through UTF-8, the narrow forms take UTF-8 as it is.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Utils {

inline constexpr std::size_t kProfileBufferChars = 260;

// The value, or the default (trimmed of trailing blanks) when the file, the section or
// the key is missing; cut to bufferChars - 1 UTF-16 units (bytes for the narrow form).
std::wstring GetPrivateProfileString(std::wstring_view section, std::wstring_view key,
                                     std::wstring_view defaultValue, std::wstring_view file,
                                     std::size_t bufferChars = kProfileBufferChars);
std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    std::string_view file, std::size_t bufferChars = kProfileBufferChars);

// The decimal value (sign and leading blanks accepted, trailing text ignored, clamped to
// 32 bits); 0 when the value does not start with a number; the default when the key is
// missing or its value is empty.
std::int32_t GetPrivateProfileInt(std::wstring_view section, std::wstring_view key, std::int32_t defaultValue,
                                  std::wstring_view file);
std::int32_t GetPrivateProfileInt(std::string_view section, std::string_view key, std::int32_t defaultValue,
                                  std::string_view file);

// Sets the value, creating the file and the section when missing and keeping every
// other line; the file is replaced atomically. The folder must exist. False when the
// file cannot be written or the text cannot be stored on one line.
bool WritePrivateProfileString(std::wstring_view section, std::wstring_view key, std::wstring_view value,
                               std::wstring_view file);
bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               std::string_view file);

// WritePrivateProfileString with a null value (the key goes) or a null key (the section goes).
bool DeletePrivateProfileKey(std::wstring_view section, std::wstring_view key, std::wstring_view file);
bool DeletePrivateProfileSection(std::wstring_view section, std::wstring_view file);

}  // namespace Utils
