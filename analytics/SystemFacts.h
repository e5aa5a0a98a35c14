#pragma once

#include <cstdint>
#include <string>

// Machine and user facts that the tracker reports, on top of Utils.
namespace orvek::usage::facts {

struct OsFacts {
    std::string name;     // family: "Linux" here, "Windows" on a Windows backend
    std::string version;  // version text
};

struct LocaleFacts {
    bool ok = false;
    std::string language, country, locale;
};

struct ScreenSize {
    int width = 0, height = 0;
};

// The version table of a Windows backend, kept pure so it stays tested.
std::string windowsVersionText(uint32_t major, uint32_t minor, uint32_t build, bool is64Bit, bool serverR2);

OsFacts osNameAndVersion();
bool is64BitSystem();
// "Mozilla/5.0(" name " " version "; Win64;)" (Win32 on 32-bit); other families
// use their own name in place of "Win".
std::string userAgentFor(const OsFacts& os, bool is64Bit);
std::string userAgent();

// Language and country from a POSIX locale name such as "en_US.UTF-8".
LocaleFacts parseLocaleName(const std::string& name);
// From LC_ALL, LC_MESSAGES or LANG, the first that is set.
LocaleFacts systemLocale();
// The tracker's locale setting when it holds "_", else the system's.
LocaleFacts resolveLocale(const std::string& setting);

// 36 upper-case hex characters in 8-4-4-4-12 groups; a random fallback when no GUID is had.
std::string newDistinctId();
std::string formatDistinctId(const std::string& hex32);
std::string randomDistinctId();

// The per-user base folder (no trailing separator); empty when unknown.
std::string baseFolder();
bool makeDirs(const std::string& path);
bool fileExists(const std::string& path);
// The settings file named by "Set.ini" beside the executable, or empty.
std::string redirectSettingsPath();
std::string redirectSettingsPath(const std::string& setIniPath);
ScreenSize primaryScreenSize();
// Milliseconds since 1970 (the event clock).
int64_t trackTime();

}  // namespace orvek::usage::facts
