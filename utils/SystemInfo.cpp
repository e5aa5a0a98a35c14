#include "utils/SystemInfo.h"

#include <cstdio>
#include <fstream>
#include <sys/random.h>
#include <sys/utsname.h>

#include "utils/TextConvert.h"
#include "utils/TextUtils.h"

namespace Utils {
namespace {

bool FillRandom(unsigned char* bytes, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = getrandom(bytes + done, size - done, 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string OsReleasePrettyName()
{
    for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.starts_with("PRETTY_NAME="))
                continue;
            std::string value = line.substr(12);
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
                value = value.substr(1, value.size() - 2);
            return value;
        }
    }
    return {};
}

}  // namespace

std::wstring NewGuidText()
{
    unsigned char b[16];
    if (!FillRandom(b, sizeof b))
        return {};
    const std::uint32_t data1 = static_cast<std::uint32_t>(b[0]) << 24 | static_cast<std::uint32_t>(b[1]) << 16 |
                                static_cast<std::uint32_t>(b[2]) << 8 | b[3];
    const unsigned data2 = static_cast<unsigned>(b[4]) << 8 | b[5];
    const unsigned data3 = ((static_cast<unsigned>(b[6]) << 8 | b[7]) & 0x0FFFu) | 0x4000u;  // version 4
    b[8] = static_cast<unsigned char>((b[8] & 0x3F) | 0x80);                                    // RFC 4122 variant
    wchar_t text[40];
    std::swprintf(text, std::size(text), L"%08X%04X%04x%02X%02X%02X%02X%02X%02X%02X%02X", data1, data2, data3,
                  b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
    return text;
}

std::wstring WindowsVersionName(std::uint32_t major, std::uint32_t minor, std::uint32_t build, bool serverR2)
{
    if (major <= 4)
        return L"XP-";
    if (major == 5) {
        if (minor == 0)
            return L"2K";
        if (minor == 1)
            return L"XP";
        if (minor == 2)
            return serverR2 ? L"Server 2003 R2" : L"Server 2003";
        return L"XP+";
    }
    if (major == 6) {
        static constexpr const wchar_t* kNames[] = {L"Vista", L"7", L"8", L"8.1"};
        return minor < std::size(kNames) ? kNames[minor] : L"8.1+";
    }
    if (major == 10)
        return minor == 0 ? L"10" : L"10+";
    return std::to_wstring(major) + L"." + std::to_wstring(minor) + L"." + std::to_wstring(build & 0xFFFFu);
}

void GetOsVersionName(std::wstring& family, std::wstring& name)
{
    family = L"Linux";
    std::string pretty = OsReleasePrettyName();
    if (pretty.empty()) {
        utsname u{};
        if (uname(&u) == 0)
            pretty = std::string(u.sysname) + " " + u.release;
    }
    name = ToWide(pretty, kCodePageUtf8);
}

bool GetKernelVersion(std::uint32_t& major, std::uint32_t& minor, std::uint32_t& build)
{
    utsname u{};
    if (uname(&u) != 0)
        return false;
    unsigned a = 0, b = 0, c = 0;
    if (std::sscanf(u.release, "%u.%u.%u", &a, &b, &c) < 2)
        return false;
    major = a;
    minor = b;
    build = c;
    return true;
}

}  // namespace Utils
