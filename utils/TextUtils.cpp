#include "utils/TextUtils.h"

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <locale.h>

#include "utils/TextConvert.h"

namespace Utils {
namespace {

// Bounds of the repeated replacement; past them one pass is taken instead.
constexpr std::size_t kMaxReplaceSteps = 1 << 16;
constexpr std::size_t kMaxGrowthFactor = 16;
constexpr std::size_t kMaxGrowthSlack = 4096;

template <class Char>
std::basic_string<Char> ReplaceOnePass(std::basic_string_view<Char> text, std::basic_string_view<Char> pattern,
                                       std::basic_string_view<Char> replacement)
{
    std::basic_string<Char> out;
    std::size_t pos = 0;
    for (std::size_t found; (found = text.find(pattern, pos)) != text.npos; pos = found + pattern.size()) {
        out.append(text.substr(pos, found - pos));
        out.append(replacement);
    }
    out.append(text.substr(pos));
    return out;
}

template <class Char>
std::basic_string<Char> ReplaceAllImpl(std::basic_string_view<Char> text, std::basic_string_view<Char> pattern,
                                       std::basic_string_view<Char> replacement)
{
    if (pattern.empty())
        return std::basic_string<Char>(text);
    if (replacement.find(pattern) != replacement.npos)
        return ReplaceOnePass(text, pattern, replacement);
    const std::size_t maxSize = text.size() * kMaxGrowthFactor + kMaxGrowthSlack;
    std::basic_string<Char> out(text);
    std::size_t from = 0;
    for (std::size_t step = 0;; ++step) {
        const std::size_t found = out.find(pattern, from);
        if (found == out.npos)
            return out;
        if (step == kMaxReplaceSteps || out.size() > maxSize)
            return ReplaceOnePass(text, pattern, replacement);
        out.replace(found, pattern.size(), replacement);
        // Nothing before `found` matched, so a new occurrence can start at most
        // pattern.size() - 1 places earlier.
        from = found + 1 > pattern.size() ? found + 1 - pattern.size() : 0;
    }
}

template <class Char>
bool IsSpace(Char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

template <class Char>
Char FoldAscii(Char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<Char>(c - 'A' + 'a') : c;
}

template <class Char>
bool EqualsIgnoreCaseImpl(std::basic_string_view<Char> a, std::basic_string_view<Char> b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

template <class Char>
std::basic_string_view<Char> TrimImpl(std::basic_string_view<Char> text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

locale_t CLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", locale_t{});
    return loc;
}

}  // namespace

std::string UrlEncode(std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 33 && b <= 126) {
            out += ch;
        } else if (b == ' ') {
            out += '+';
        } else {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 0x0F];
        }
    }
    return out;
}

std::wstring UrlEncode(std::wstring_view text)
{
    return ToWide(UrlEncode(ToNarrow(text, kCodePageUtf8)), kCodePageUtf8);
}

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view pattern, std::wstring_view replacement)
{
    return ReplaceAllImpl(text, pattern, replacement);
}

std::string ReplaceAll(std::string_view text, std::string_view pattern, std::string_view replacement)
{
    return ReplaceAllImpl(text, pattern, replacement);
}

std::wstring ToDecimalText(std::uint32_t value)
{
    return std::to_wstring(value);
}

std::optional<std::int32_t> ParseLeadingInt32(std::wstring_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    if (i >= text.size() || !IsDigit(text[i]))
        return std::nullopt;
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    std::int64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > kMax + 1)
            value = kMax + 1;  // saturated; the clamp below finishes it
    }
    value = negative ? -value : value;
    return static_cast<std::int32_t>(value > kMax ? kMax : (value < kMin ? kMin : value));
}

std::optional<double> ParseLeadingDouble(std::wstring_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    const std::size_t begin = i;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == L'.') {
        ++i;
        while (i < text.size() && IsDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-'))
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    std::string number;
    for (std::size_t k = begin; k < i; ++k)
        number += static_cast<char>(text[k]);
    // Out of range gives +-HUGE_VAL or a value near 0, as strtod does.
    return strtod_l(number.c_str(), nullptr, CLocale());
}

bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b)
{
    return EqualsIgnoreCaseImpl(a, b);
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b)
{
    return EqualsIgnoreCaseImpl(a, b);
}

std::wstring_view TrimWhiteSpace(std::wstring_view text)
{
    return TrimImpl(text);
}

std::string_view TrimWhiteSpace(std::string_view text)
{
    return TrimImpl(text);
}

}  // namespace Utils
