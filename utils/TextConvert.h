#pragma once
// Conversion between wide text and byte text in a code page, with the results of
// MultiByteToWideChar/WideCharToMultiByte: the text ends at its first terminator, and a
// failure (unknown code page, invalid input) gives the empty text.
#include <cstddef>
#include <string>
#include <string_view>

namespace Utils {

inline constexpr int kCodePageAnsi = 0;      // the charset of the process locale
inline constexpr int kCodePageUtf8 = 65001;
inline constexpr int kCodePageGbk = 936;

std::wstring ToWide(std::string_view bytes, int codePage);
std::string ToNarrow(std::wstring_view text, int codePage);

// The iconv name of a code page; empty for a number with no known name.
std::string CharsetOfCodePage(int codePage);

// Paths and command lines handed to the system are UTF-8 bytes.
std::string ToSystemPath(std::wstring_view path);
std::wstring FromSystemPath(std::string_view path);

// Length of a text counted in UTF-16 units, the unit of the system's fixed buffers.
std::size_t Utf16Length(std::wstring_view text);
// The longest leading part of a text that fits in `units` UTF-16 units (a character that
// would be split is left out).
std::wstring_view CutToUtf16Units(std::wstring_view text, std::size_t units);

}  // namespace Utils
