#include "TrackerSettings.h"

#include <cstdlib>

#include "SystemFacts.h"
#include "utils/PrivateProfile.h"

namespace orvek::usage {
namespace {

constexpr size_t kValueBufferBytes = 128;
constexpr const char* kLoggedIn = "OK";
constexpr const char* kLoggedOut = "NG";

}  // namespace

void TrackerSettings::load() {
    userId.clear();
    distinctId.clear();
    isLoggedIn = false;
    savedUrl.clear();
    if (facts::fileExists(settingsFilePath)) {
        auto read = [&](const char* key) {
            return Utils::GetPrivateProfileString(kSection, key, "", settingsFilePath, kValueBufferBytes);
        };
        distinctId = read("DistinctId");
        userId = read("UserId");
        vipLevel = Utils::GetPrivateProfileInt(kSection, "UserVipLevel", 0, settingsFilePath);
        isLoggedIn = read("isLogined") == kLoggedIn;
        savedUrl = read("URL");
    }
    if (distinctId.empty()) {
        distinctId = facts::newDistinctId();
        save();
    }
}

bool TrackerSettings::save() const {
    const auto& f = settingsFilePath;
    bool ok = Utils::WritePrivateProfileString(kSection, "DistinctId", distinctId, f);
    ok = Utils::WritePrivateProfileString(kSection, "UserId", userId, f) && ok;
    ok = Utils::WritePrivateProfileString(kSection, "UserVipLevel", std::to_string(vipLevel), f) && ok;
    ok = Utils::WritePrivateProfileString(kSection, "URL", savedUrl, f) && ok;
    ok = Utils::WritePrivateProfileString(kSection, "isLogined", isLoggedIn ? kLoggedIn : kLoggedOut, f) && ok;
    return ok;
}

bool TrackerSettings::writeUninstallInfo(const std::string& appStore, const std::string& appName,
                                         const std::string& appVersion) const {
    const auto& f = settingsFilePath;
    bool ok = Utils::WritePrivateProfileString(kUninstallSection, "AppStore", appStore, f);
    ok = Utils::WritePrivateProfileString(kUninstallSection, "AppName", appName, f) && ok;
    ok = Utils::WritePrivateProfileString(kUninstallSection, "AppVersion", appVersion, f) && ok;
    return ok;
}

}  // namespace orvek::usage

