#include "utils/CommandLine.h"

namespace Utils {
namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

}  // namespace

std::vector<std::wstring> SplitArguments(std::wstring_view s)
{
    std::vector<std::wstring> args;
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    if (i == s.size())
        return args;
    std::wstring current;
    int quotes = 0;  // 1 while inside quotes
    std::size_t backslashes = 0;
    while (i < s.size()) {
        const wchar_t c = s[i];
        if (IsBlank(c) && quotes == 0) {
            args.push_back(std::move(current));
            current.clear();
            backslashes = 0;
            while (i < s.size() && IsBlank(s[i]))
                ++i;
            if (i == s.size())
                return args;
            continue;
        }
        if (c == L'\\') {
            current += c;
            ++backslashes;
            ++i;
            continue;
        }
        if (c == L'"') {
            current.resize(current.size() - backslashes / 2);
            if (backslashes % 2 == 1) {
                current.back() = L'"';
            } else {
                ++quotes;
            }
            ++i;
            backslashes = 0;
            // A run of quotes: every third one is literal.
            while (i < s.size() && s[i] == L'"') {
                if (++quotes == 3) {
                    current += L'"';
                    quotes = 0;
                }
                ++i;
            }
            if (quotes == 2)
                quotes = 0;
            continue;
        }
        current += c;
        backslashes = 0;
        ++i;
    }
    args.push_back(std::move(current));
    return args;
}

std::vector<std::wstring> SplitCommandLine(std::wstring_view s)
{
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    if (i == s.size())
        return {};
    s.remove_prefix(i);
    std::wstring program;
    std::size_t end = 0;
    if (s[0] == L'"') {
        const std::size_t close = s.find(L'"', 1);
        program = s.substr(1, close == s.npos ? s.npos : close - 1);
        end = close == s.npos ? s.size() : close + 1;
    } else {
        while (end < s.size() && !IsBlank(s[end]))
            ++end;
        program = s.substr(0, end);
    }
    std::vector<std::wstring> args{std::move(program)};
    for (auto& arg : SplitArguments(s.substr(end)))
        args.push_back(std::move(arg));
    return args;
}

std::wstring QuoteArgument(std::wstring_view argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\"") == argument.npos)
        return std::wstring(argument);
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            out.append(backslashes * 2 + 1, L'\\');
        } else {
            out.append(backslashes, L'\\');
        }
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    out += L'"';
    return out;
}

}  // namespace Utils
