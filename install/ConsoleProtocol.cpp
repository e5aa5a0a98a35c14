#include "ConsoleProtocol.h"

#include "InstallDeps.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace ConsoleProtocol {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

std::size_t SkipBlanks(std::wstring_view text, std::size_t pos) {
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    return pos;
}

std::size_t SkipDigits(std::wstring_view text, std::size_t pos) {
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
    }
    return pos;
}

}  // namespace

std::vector<std::wstring_view> SplitLines(std::wstring_view text) {
    std::vector<std::wstring_view> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(L'\n', start);
        if (end == std::wstring_view::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

int MatchKey(std::wstring_view line, const std::wstring_view* keys, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (line.starts_with(keys[i])) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::wstring ReadText(std::wstring_view value) {
    return std::wstring(Utils::CutToUtf16Units(value, kMaxValueUnits));
}

std::wstring ReadWord(std::wstring_view value) {
    std::wstring_view text = Utils::CutToUtf16Units(value, kMaxValueUnits);
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return std::wstring(text.substr(begin, end - begin));
}

double ReadReal(std::wstring_view value) {
    std::size_t pos = SkipBlanks(value, 0);
    std::string number;
    if (pos < value.size() && (value[pos] == L'+' || value[pos] == L'-')) {
        if (value[pos] == L'-') {
            number += '-';
        }
        ++pos;
    }
    const std::size_t intStart = pos;
    pos = SkipDigits(value, pos);
    std::size_t digits = pos - intStart;
    std::size_t end = pos;
    if (pos < value.size() && value[pos] == L'.') {
        const std::size_t fracEnd = SkipDigits(value, pos + 1);
        digits += fracEnd - (pos + 1);
        end = fracEnd;
    }
    if (digits == 0) {
        return 0.0;
    }
    if (end < value.size() && (value[end] == L'e' || value[end] == L'E')) {
        std::size_t exp = end + 1;
        if (exp < value.size() && (value[exp] == L'+' || value[exp] == L'-')) {
            ++exp;
        }
        const std::size_t expEnd = SkipDigits(value, exp);
        if (expEnd > exp) {
            end = expEnd;
        }
    }
    for (std::size_t i = intStart; i < end; ++i) {
        number += static_cast<char>(value[i]);
    }
    double result = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), result);
    if (ec == std::errc::result_out_of_range) {
        // Like the C conversion: an overflow saturates, an underflow gives zero.
        const std::size_t e = number.find_first_of("eE");
        const bool negativeExponent = e != std::string::npos && number.find('-', e) != std::string::npos;
        if (negativeExponent) {
            return 0.0;
        }
        return number.starts_with('-') ? -HUGE_VAL : HUGE_VAL;
    }
    return result;
}

std::int32_t ReadInteger(std::wstring_view value) {
    std::size_t pos = SkipBlanks(value, 0);
    bool negative = false;
    if (pos < value.size() && (value[pos] == L'+' || value[pos] == L'-')) {
        negative = value[pos] == L'-';
        ++pos;
    }
    std::uint32_t magnitude = 0;
    for (; pos < value.size() && IsDigit(value[pos]); ++pos) {
        magnitude = magnitude * 10u + static_cast<std::uint32_t>(value[pos] - L'0');
    }
    if (negative) {
        magnitude = 0u - magnitude;
    }
    return static_cast<std::int32_t>(magnitude);
}

bool ReadCodePageNumber(std::wstring_view word, std::int32_t& number) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < word.size() && (word[pos] == L'+' || word[pos] == L'-')) {
        negative = word[pos] == L'-';
        ++pos;
    }
    if (pos >= word.size() || !IsDigit(word[pos])) {
        return false;
    }
    std::int64_t magnitude = 0;
    for (; pos < word.size() && IsDigit(word[pos]); ++pos) {
        magnitude = magnitude * 10 + (word[pos] - L'0');
        if (magnitude > std::int64_t{1} << 31) {
            return false;
        }
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT32_MAX || signedValue < INT32_MIN) {
        return false;
    }
    number = static_cast<std::int32_t>(signedValue);
    return true;
}

}  // namespace ConsoleProtocol
