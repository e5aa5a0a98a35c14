// Start-up, flush policy and shutdown of the tracker.
#include <chrono>
#include <thread>

#include "NativeUserTracker.h"
#include "OvException.h"
#include "PropertyNames.h"
#include "Sdk.h"
#include "SystemFacts.h"
#include "UsageTrackerImpl.h"

#ifndef LUMAPANE_ANALYTICS_HOST
#define LUMAPANE_ANALYTICS_HOST "analytics.orvek.invalid"
#endif

namespace orvek::usage {
namespace {

using usage_analytics::PropertiesNode;
using usage_analytics::Sdk;

constexpr const char* kUnit = "UsageTrackerImpl";
constexpr const char* kLocalFolderName = "OVLocal";
constexpr const char* kSettingsSuffix = "_OVSConfigure.ini";
constexpr const char* kLogSuffix = "_OVSLog.txt";

}  // namespace

std::string defaultCollectorUrl() { return std::string("https://") + LUMAPANE_ANALYTICS_HOST + "/collect?project=pc"; }

UsageTrackerImpl::UsageTrackerImpl(const TrackerConfig& config)
    : serverUrl_(config.serverUrl),
      appName_(config.appName),
      appVersion_(config.appVersion),
      appStore_(config.appStore),
      dlappId_(config.dlappId),
      dlappVersion_(config.dlappVersion),
      configLogPath_(config.logPath),
      edition_(config.edition) {}

void UsageTrackerImpl::SetUpFolders() {
    TrackerSettings& s = *settings_;
    s.settingsFilePath = facts::redirectSettingsPath();
    if (s.settingsFilePath.find('/') == std::string::npos) {
        const std::string base = facts::baseFolder();
        if (base.empty()) OV_THROW(kUnit, "init", "local folder is unknown");
        const std::string local = base + "/" + kLocalFolderName + "/";
        facts::makeDirs(local);
        s.localFolder = local + appName_ + "/";
        facts::makeDirs(s.localFolder);
        s.settingsFilePath = s.localFolder + appName_ + kSettingsSuffix;
    } else {
        s.localFolder = s.settingsFilePath.substr(0, s.settingsFilePath.rfind('/') + 1);
        facts::makeDirs(s.localFolder);
    }
}

void UsageTrackerImpl::init() {
    if (appName_.empty()) OV_THROW(kUnit, "init", "appName is empty");
    if (appVersion_.empty()) OV_THROW(kUnit, "init", "appVersion is empty");
    if (appStore_.empty()) OV_THROW(kUnit, "init", "appStore is empty");
    settings_ = std::make_unique<TrackerSettings>();
    settings_->pendingCount = 0;
    SetUpFolders();
    if (serverUrl_.empty()) serverUrl_ = defaultCollectorUrl();

    TrackerSettings& s = *settings_;
    s.load();
    if (s.savedUrl != serverUrl_ || s.distinctId.empty()) {
        s.userId.clear();
        s.isLoggedIn = false;
        s.distinctId = facts::newDistinctId();
        s.savedUrl = serverUrl_;
        s.save();
    }
    if (s.userId.empty()) s.isLoggedIn = false;

    s.logPath = configLogPath_.empty() ? s.localFolder + appName_ + kLogSuffix : configLogPath_;
    logger_ = std::make_unique<NativeTrackLogger>();
    logger_->open(s.logPath);

    const std::string identity = s.isLoggedIn ? s.userId : s.distinctId;
    if (!Sdk::Init(s.localFolder, serverUrl_, identity, s.isLoggedIn))
        OV_THROW(kUnit, "init", "usage_analytics::Sdk::Init is failed");
    coreStarted_ = true;
    RegisterCommonProperties();
    s.writeUninstallInfo(appStore_, appName_, appVersion_);
}

PropertiesNode UsageTrackerImpl::LocaleProperties() const {
    const facts::LocaleFacts locale = facts::resolveLocale(settings_ ? settings_->locale : std::string());
    PropertiesNode p;
    p.SetString(prop::kLocale, locale.locale);
    p.SetString(prop::kLanguage, locale.language);
    p.SetString(prop::kCountry, locale.country);
    return p;
}

void UsageTrackerImpl::RegisterCommonProperties() {
    const facts::OsFacts os = facts::osNameAndVersion();
    const facts::ScreenSize screen = facts::primaryScreenSize();
    PropertiesNode p;
    p.SetString(prop::kAppIdOv, appName_);
    p.SetString(prop::kAppVersion, appVersion_);
    p.SetString(prop::kAppId, appName_);
    p.SetString(prop::kAppStore, appStore_);
    p.SetString(prop::kEdition, toString(static_cast<Edition>(edition_)));
    if (!dlappId_.empty()) p.SetString(prop::kDlAppId, dlappId_);
    if (!dlappVersion_.empty()) p.SetString(prop::kDlAppVersion, dlappVersion_);
    p.SetString(prop::kAppPlatform, prop::kPlatformWindows);
    p.SetString(prop::kTrackType, prop::kTrackTypeClient);
    p.SetString(prop::kSdkVersion, prop::kSdkVersionValue);
    p.SetString(prop::kSdk, prop::kSdkValue);
    p.SetString(prop::kOs, os.name);
    p.SetString(prop::kOsVersion, os.version);
    p.Merge(LocaleProperties());
    p.SetInteger(prop::kScreenHeight, screen.height);
    p.SetInteger(prop::kScreenWidth, screen.width);
    if (!settings_->userId.empty()) p.SetString(prop::kUserId, settings_->userId);
    Sdk::RegisterSuperProperties(p);
}

void UsageTrackerImpl::setLocale(const std::string& locale) {
    if (!settings_) return;
    settings_->locale = locale;
    Sdk::RegisterSuperProperties(LocaleProperties());
}

void UsageTrackerImpl::requestFlush(bool now) {
    if (!now) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (settings_) ++settings_->pendingCount;
        return;
    }
    for (int attempt = 0; attempt < kFlushAttempts; ++attempt) {
        if (!Sdk::IsLive()) return;
        if (Sdk::Flush()) {
            if (settings_) settings_->pendingCount = 0;
            return;
        }
    }
}

UsageTrackerImpl::~UsageTrackerImpl() {
    if (settings_) {
        settings_->save();
        if (settings_->pendingCount > 0) requestFlush(true);
    }
    // Only the tracker that started the core closes it.
    if (coreStarted_) Sdk::Shutdown();
    settings_.reset();
    logger_.reset();
}

}  // namespace orvek::usage
