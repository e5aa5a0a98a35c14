#pragma once
// Diagnostic lines: one line per call, written to standard error in a single write.
//
// Message formats follow the wide printf conventions of the system the installer comes
// from: "%s" and "%c" take wide text (wchar_t), "%hs"/"%S" take narrow text.
#include <cstdarg>
#include <ctime>
#include <string>
#include <string_view>

namespace LogDetail {

// The qualified name of a function out of its __PRETTY_FUNCTION__ text: no return type,
// no parameter list, no qualifiers ("static unsigned int Utils::Thread::CallBack(void*)"
// gives "Utils::Thread::CallBack"). A lambda keeps the compiler's generated name.
constexpr std::string_view QualifiedName(std::string_view text) noexcept
{
    if (!text.empty() && text.back() == ']') {  // template arguments: " [with T = int]"
        int depth = 0;
        for (std::size_t i = text.size(); i-- > 0;) {
            if (text[i] == ']') {
                ++depth;
            } else if (text[i] == '[' && --depth == 0) {
                text = text.substr(0, (i > 0 && text[i - 1] == ' ') ? i - 1 : i);
                break;
            }
        }
    }
    constexpr std::string_view kOperatorChars = "<>=!+-*/%^&|~[],";
    int depth = 0;
    std::size_t lastSpace = std::string_view::npos;
    std::size_t candidate = std::string_view::npos, candidateSpace = std::string_view::npos;
    std::size_t params = std::string_view::npos, paramsSpace = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (depth == 0 && text.substr(i).starts_with("operator") &&
            (i == 0 || text[i - 1] == ':' || text[i - 1] == ' ')) {
            i += 8;
            if (text.substr(i).starts_with("()")) {
                ++i;
                continue;
            }
            while (i < text.size() && kOperatorChars.find(text[i]) != std::string_view::npos)
                ++i;
            --i;
            continue;
        }
        if (c == '(' || c == '<' || c == '[' || c == '{') {
            if (c == '(' && depth == 0) {
                candidate = i;
                candidateSpace = lastSpace;
            }
            ++depth;
        } else if (c == ')' || c == '>' || c == ']' || c == '}') {
            if (depth > 0)
                --depth;
            if (depth == 0 && c == ')' && !text.substr(i + 1).starts_with("::")) {
                params = candidate;
                paramsSpace = candidateSpace;
            }
        } else if (c == ' ' && depth == 0) {
            lastSpace = i;
        }
    }
    if (params != std::string_view::npos) {
        const std::size_t begin = paramsSpace == std::string_view::npos ? 0 : paramsSpace + 1;
        return text.substr(begin, params - begin);
    }
    return text.substr(lastSpace == std::string_view::npos ? 0 : lastSpace + 1);
}

// "%s" -> "%ls", "%hs"/"%S" -> "%s", "%I64d" -> "%lld": the wide conventions above turned
// into the C library's.
std::wstring TranslateFormat(const wchar_t* format);

// The fixed prefix of a line: "<P%05d><T%05d><%04d-%02d-%02d %02d:%02d:%02d.%03d>(%s)<%04d>: ".
std::wstring FormatPrefix(long processId, long threadId, const std::tm& localTime, int milliseconds,
                          std::string_view function, int line);

}  // namespace LogDetail

// Writes one line: the prefix, then the formatted message as it is (no line end added).
// Never fails visibly; a line that cannot be built is dropped.
void DebugLog(std::string_view function, int line, const wchar_t* format, ...) noexcept;
void DebugLogV(std::string_view function, int line, const wchar_t* format, std::va_list args) noexcept;

// The call-site form: supplies the qualified function name and the line.
#define DEBUG_LOG(format, ...)                                                                  \
    ::DebugLog(::LogDetail::QualifiedName(__PRETTY_FUNCTION__), __LINE__, format __VA_OPT__(, ) \
                   __VA_ARGS__)
