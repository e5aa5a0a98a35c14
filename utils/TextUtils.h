#pragma once
// Small text helpers: URL encoding, replace-all, decimal text and number prefixes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Utils {

// Bytes 33..126 are kept, a space becomes "+", every other byte "%XX" (upper-case hex).
std::string UrlEncode(std::string_view bytes);
// The wide form: UTF-8 bytes encoded, the result read back as UTF-8.
std::wstring UrlEncode(std::wstring_view text);

// Replaces the leftmost occurrence of the pattern again and again until none is left.
// When that cannot end (the replacement contains the pattern, or the text keeps
// re-forming it past a bound), the result is that of one left-to-right pass over the
// original text. An empty pattern leaves the text as it is.
std::wstring ReplaceAll(std::wstring_view text, std::wstring_view pattern, std::wstring_view replacement);
std::string ReplaceAll(std::string_view text, std::string_view pattern, std::string_view replacement);

// Plain decimal digits, no sign, no grouping.
std::wstring ToDecimalText(std::uint32_t value);

// Decimal integer at the start of a text: leading white space and a sign accepted,
// trailing text ignored; values outside the 32-bit range are clamped to it.
// No digits: nothing.
std::optional<std::int32_t> ParseLeadingInt32(std::wstring_view text);

// Decimal floating-point number at the start of a text, as strtod reads one in the C
// locale but without its "inf", "nan" and hexadecimal forms: leading white space
// skipped, the longest leading number used, trailing text ignored. No number: nothing.
std::optional<double> ParseLeadingDouble(std::wstring_view text);

// ASCII letter case folded, as the system compares section, key and value names.
bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

std::wstring_view TrimWhiteSpace(std::wstring_view text);
std::string_view TrimWhiteSpace(std::string_view text);

}  // namespace Utils
