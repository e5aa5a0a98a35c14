#include "SystemFacts.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <vector>

#include "utils/FileSystem.h"
#include "utils/KnownFolders.h"
#include "utils/PrivateProfile.h"
#include "utils/SystemInfo.h"
#include "utils/TextConvert.h"

namespace orvek::usage::facts {
namespace {

constexpr size_t kRedirectBufferBytes = 128;
constexpr int kGuidAttempts = 10;
constexpr const char* kRedirectFileName = "Set.ini";

std::string Narrow(const std::wstring& text) { return Utils::ToNarrow(text, Utils::kCodePageUtf8); }
std::wstring Wide(const std::string& text) { return Utils::ToWide(text, Utils::kCodePageUtf8); }

}  // namespace

std::string windowsVersionText(uint32_t major, uint32_t minor, uint32_t build, bool is64Bit, bool serverR2) {
    if (major <= 4) return "XP-";
    if (major == 5) {
        if (minor == 0) return "2K";
        if (minor == 1) return "XP";
        if (minor == 2) return is64Bit ? "XP64" : (serverR2 ? "Server 2003 R2" : "Server 2003");
        return "XP+";
    }
    if (major == 6) {
        if (minor == 0) return is64Bit ? "Vista64" : "Vista";
        if (minor == 1) return is64Bit ? "7" : "7-32";
        if (minor == 2) return is64Bit ? "8" : "8-32";
        if (minor == 3) return "8.1";
        return "8.1+";
    }
    if (major == 10) return minor == 0 ? "10" : "10+";
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(build & 0xFFFF);
}

OsFacts osNameAndVersion() {
    std::wstring family, name;
    Utils::GetOsVersionName(family, name);
    return OsFacts{Narrow(family), Narrow(name)};
}

bool is64BitSystem() { return sizeof(void*) == 8; }

std::string userAgentFor(const OsFacts& os, bool is64Bit) {
    const std::string token = os.name == "Windows" ? "Win" : os.name;
    return "Mozilla/5.0(" + os.name + " " + os.version + "; " + token + (is64Bit ? "64;)" : "32;)");
}

std::string userAgent() { return userAgentFor(osNameAndVersion(), is64BitSystem()); }

LocaleFacts parseLocaleName(const std::string& name) {
    LocaleFacts facts;
    const size_t end = name.find_first_of(".@");
    const std::string base = name.substr(0, end);
    const size_t sep = base.find('_');
    if (sep == std::string::npos || sep == 0 || sep + 1 >= base.size()) return facts;
    facts.language = base.substr(0, sep);
    facts.country = base.substr(sep + 1);
    facts.locale = facts.language + "_" + facts.country;
    facts.ok = true;
    return facts;
}

LocaleFacts systemLocale() {
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(var);
        if (value && *value) return parseLocaleName(value);
    }
    return {};
}

LocaleFacts resolveLocale(const std::string& setting) {
    const size_t sep = setting.find('_');
    if (!setting.empty() && sep != std::string::npos && sep > 0) {
        return LocaleFacts{true, setting.substr(0, sep), setting.substr(sep + 1), setting};
    }
    return systemLocale();
}

std::string formatDistinctId(const std::string& hex32) {
    if (hex32.size() != 32) return {};
    std::string up = hex32;
    std::transform(up.begin(), up.end(), up.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return up.substr(0, 8) + "-" + up.substr(8, 4) + "-" + up.substr(12, 4) + "-" + up.substr(16, 4) + "-" +
           up.substr(20, 12);
}

std::string randomDistinctId() {
    static std::mutex lock;
    static std::mt19937 engine;  // default seed 5489
    std::uniform_int_distribution<unsigned> dist(0, 2147483646);
    unsigned n[8];
    {
        std::lock_guard guard(lock);
        for (auto& v : n) v = dist(engine);
    }
    char buf[128];
    std::snprintf(buf, sizeof buf, "%x%x-%x-%x-%x-%x%x%x", n[0], n[1], n[2], (n[3] & 0xFFF) + 0x4000,
                  n[4] % 0x3FFF + 0x8000, n[5], n[6], n[7]);
    return buf;
}

std::string newDistinctId() {
    for (int i = 0; i < kGuidAttempts; ++i) {
        const std::string id = formatDistinctId(Narrow(Utils::NewGuidText()));
        if (!id.empty()) return id;
    }
    return randomDistinctId();
}

std::string baseFolder() { return Narrow(Utils::GetLocalAppDataFolder()); }

bool makeDirs(const std::string& path) { return !path.empty() && Utils::CreateFolderPath(Wide(path)); }

bool fileExists(const std::string& path) { return !path.empty() && Utils::FileExists(Wide(path)); }

std::string redirectSettingsPath(const std::string& setIniPath) {
    if (!fileExists(setIniPath)) return {};
    std::string path = Utils::GetPrivateProfileString("Install", "OVUsageAnalyticsIni", "", setIniPath,
                                                      kRedirectBufferBytes);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string redirectSettingsPath() {
    const std::wstring module = Utils::GetModulePath();
    if (module.empty()) return {};
    return redirectSettingsPath(Narrow(Utils::JoinPath(Utils::FolderOf(module), Wide(kRedirectFileName))));
}

ScreenSize primaryScreenSize() {
    // The preferred mode of the first connected display, as the kernel lists it;
    // nothing here needs a display server.
    std::error_code ec;
    std::vector<std::filesystem::path> outputs;
    for (const auto& entry : std::filesystem::directory_iterator("/sys/class/drm", ec)) outputs.push_back(entry.path());
    std::sort(outputs.begin(), outputs.end());
    for (const auto& output : outputs) {
        std::ifstream status(output / "status");
        std::string state;
        if (!(status >> state) || state != "connected") continue;
        std::ifstream modes(output / "modes");
        ScreenSize size;
        char x = 0;
        if (modes >> size.width >> x >> size.height && x == 'x') return size;
    }
    return {};
}

int64_t trackTime() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace orvek::usage::facts
