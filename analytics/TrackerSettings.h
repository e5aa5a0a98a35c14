#pragma once

#include <atomic>
#include <string>

namespace orvek::usage {

// The tracker's persisted identity and paths (an INI file, section "Base").
struct TrackerSettings {
    static constexpr const char* kSection = "Base";
    static constexpr const char* kUninstallSection = "UninstallInfo";

    bool isLoggedIn = false;
    std::string userId;
    std::string distinctId;
    int vipLevel = 0;
    std::string logPath;
    std::string locale;
    std::string localFolder;
    std::string settingsFilePath;
    std::string savedUrl;
    std::atomic<int> pendingCount{0};

    // Reads the file; without a stored distinct id a new one is made and saved.
    void load();
    bool save() const;
    bool writeUninstallInfo(const std::string& appStore, const std::string& appName,
                            const std::string& appVersion) const;
};

}  // namespace orvek::usage
