#pragma once
// Identifiers and the operating system's version.
#include <cstdint>
#include <string>

namespace Utils {

// 32 hexadecimal digits of a random (version 4) GUID, no braces or dashes; the third
// group (digits 13 to 16) in lower case, the rest in upper case.
std::wstring NewGuidText();

// Family and version name of the running system. Here the family is "Linux" and the
// name the distribution's PRETTY_NAME (/etc/os-release), else the kernel's name and
// release.
void GetOsVersionName(std::wstring& family, std::wstring& name);

// The Windows version-name table, kept for a Windows backend and for route expansion:
// "XP-", "2K", "XP", "Server 2003", "Server 2003 R2", "XP+", "Vista", "7", "8", "8.1",
// "8.1+", "10", "10+", or "major.minor.build" for any other major from 7 upwards.
std::wstring WindowsVersionName(std::uint32_t major, std::uint32_t minor, std::uint32_t build, bool serverR2);

// The kernel's release numbers (uname), e.g. 6.1.0 for "6.1.0-18-amd64"; false when unknown.
bool GetKernelVersion(std::uint32_t& major, std::uint32_t& minor, std::uint32_t& build);

}  // namespace Utils
