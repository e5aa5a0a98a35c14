#include "app/DebugLog.h"

#include <cwchar>
#include <time.h>
#include <unistd.h>
#include <vector>

#include "utils/FdWrite.h"

namespace LogDetail {
namespace {

constexpr std::size_t kFirstBufferChars = 512;
constexpr std::size_t kMaxLineChars = 1 << 20;

bool IsFlagOrWidth(wchar_t c)
{
    return c == L'-' || c == L'+' || c == L' ' || c == L'#' || c == L'.' || c == L'*' ||
           (c >= L'0' && c <= L'9');
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::wstring TranslateFormat(const wchar_t* format)
{
    std::wstring out;
    for (const wchar_t* p = format; *p;) {
        if (*p != L'%') {
            out += *p++;
            continue;
        }
        out += *p++;
        if (*p == L'%') {
            out += *p++;
            continue;
        }
        while (*p && IsFlagOrWidth(*p))
            out += *p++;
        std::wstring length;
        if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
            length = L"ll";
            p += 3;
        } else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2') {
            p += 3;
        } else {
            while (*p == L'h' || *p == L'l' || *p == L'L' || *p == L'q' || *p == L'j' || *p == L'z' ||
                   *p == L't')
                length += *p++;
        }
        const wchar_t conversion = *p;
        if (!conversion)
            break;
        ++p;
        if (conversion == L's' || conversion == L'c') {
            if (length.empty())
                length = L"l";       // wide text by default
            else if (length == L"h")
                length.clear();      // narrow text
        } else if (conversion == L'S' || conversion == L'C') {
            out += length == L"l" ? L"l" : L"";
            out += conversion == L'S' ? L's' : L'c';
            continue;
        }
        out += length;
        out += conversion;
    }
    return out;
}

std::wstring FormatPrefix(long processId, long threadId, const std::tm& t, int milliseconds,
                          std::string_view function, int line)
{
    wchar_t head[128];
    std::swprintf(head, std::size(head), L"<P%05ld><T%05ld><%04d-%02d-%02d %02d:%02d:%02d.%03d>(", processId,
                  threadId, t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec,
                  milliseconds);
    std::wstring prefix = head;
    for (char c : function)  // function names are plain ASCII identifiers and punctuation
        prefix += static_cast<wchar_t>(static_cast<unsigned char>(c));
    wchar_t tail[32];
    std::swprintf(tail, std::size(tail), L")<%04d>: ", line);
    prefix += tail;
    return prefix;
}

}  // namespace LogDetail

void DebugLogV(std::string_view function, int line, const wchar_t* format, std::va_list args) noexcept
{
    try {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        std::tm local{};
        localtime_r(&now.tv_sec, &local);
        std::wstring text = LogDetail::FormatPrefix(static_cast<long>(getpid()), static_cast<long>(gettid()),
                                                    local, static_cast<int>(now.tv_nsec / 1000000), function,
                                                    line);
        const std::wstring message = LogDetail::TranslateFormat(format ? format : L"");
        std::vector<wchar_t> buffer(LogDetail::kFirstBufferChars);
        for (;;) {
            std::va_list copy;
            va_copy(copy, args);
            const int n = std::vswprintf(buffer.data(), buffer.size(), message.c_str(), copy);
            va_end(copy);
            if (n >= 0) {
                text.append(buffer.data(), static_cast<std::size_t>(n));
                break;
            }
            // vswprintf cannot tell a short buffer from a bad argument; stop growing at a bound.
            if (buffer.size() >= LogDetail::kMaxLineChars)
                return;
            buffer.resize(buffer.size() * 4);
        }
        std::string bytes;
        bytes.reserve(text.size() + 8);
        for (wchar_t c : text)
            LogDetail::AppendUtf8(bytes, static_cast<char32_t>(c));
        // A reader that has gone away must not end the process.
        Utils::WriteAllWithoutSigPipe(STDERR_FILENO, bytes.data(), bytes.size());
    } catch (...) {
        // An allocation failure drops the line.
    }
}

void DebugLog(std::string_view function, int line, const wchar_t* format, ...) noexcept
{
    std::va_list args;
    va_start(args, format);
    DebugLogV(function, line, format, args);
    va_end(args);
}
