#pragma once

#include <string>
#include <string_view>

namespace SkinUI {

// UTF-8 <-> wide (UTF-32 on this platform) for markup, pango and file names.
std::wstring FromUtf8(std::string_view text);
std::string ToUtf8(std::wstring_view text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
std::wstring ToLower(std::wstring_view text);

}  // namespace SkinUI
