#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Reading the key=value lines that a setup package or an uninstaller writes
// to its standard output. Both dialects share the framing and value syntax;
// each reader keeps its own key table.
namespace ConsoleProtocol {

// Largest text value, in UTF-16 units (a 772-unit buffer with its terminator).
inline constexpr std::size_t kMaxValueUnits = 771;
// Largest chunk handled per read.
inline constexpr std::size_t kChunkBytes = 1024;

// Lines of one decoded chunk: split at each line feed, which is dropped.
// Text after the last line feed forms one more line.
std::vector<std::wstring_view> SplitLines(std::wstring_view text);

// Index of the first key in `keys` with which `line` begins, or -1.
int MatchKey(std::wstring_view line, const std::wstring_view* keys, std::size_t count);

// "%[^\n]": the rest of the line verbatim, cut to the value buffer.
std::wstring ReadText(std::wstring_view value);

// A text value with white space (U+0009..U+000D, U+0020) removed at both ends.
std::wstring ReadWord(std::wstring_view value);

// "%lf": leading white space, sign, digits, fraction, exponent; 0.0 when the
// value does not begin with a number.
double ReadReal(std::wstring_view value);

// "%d": leading white space, sign, digits; 0 when the value does not begin
// with a number. Digits beyond 32 bits wrap around.
std::int32_t ReadInteger(std::wstring_view value);

// Base-10 number at the start of a word (optional sign, leading digits);
// false when there is none or it does not fit in 32 bits.
bool ReadCodePageNumber(std::wstring_view word, std::int32_t& number);

// "true" or "false", as flags are written on a child's command line.
inline const wchar_t* BoolWord(bool on) {
    return on ? L"true" : L"false";
}

}  // namespace ConsoleProtocol
