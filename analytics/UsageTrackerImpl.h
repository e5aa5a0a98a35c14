#pragma once

#include <memory>
#include <string>

#include "NativeTrackLogger.h"
#include "PropertiesNode.h"
#include "TrackerConfig.h"
#include "TrackerSettings.h"
#include "UsageTracker.h"

namespace orvek::usage {

// The tracker: checks each event record, sends it through the core and
// applies the flush policy. All sending happens on the callers' threads.
class UsageTrackerImpl : public UsageTracker {
public:
    static constexpr int kFlushAttempts = 3;

    explicit UsageTrackerImpl(const TrackerConfig& config);
    ~UsageTrackerImpl() override;  // the shutdown: save, flush what is pending, close the core

    // Start-up; raises OvException when the facts are missing or the core refuses.
    void init();
    void requestFlush(bool now);

    void trackActivity(const OvContextProperties& context) override;
    void trackLaunch(const OvContextProperties& context) override;
    void trackLogin(const LoginUserInfo& info, bool success, const std::string& reason,
                    const OvContextProperties& context) override;
    void trackClick(const OvEventClick& info, const OvContextProperties& context) override;
    void trackView(const OvEventView& info, const OvContextProperties& context) override;
    void trackCashier(const OvEventCashier& info, const OvContextProperties& context) override;
    void trackShare(const OvEventShare& info, const OvContextProperties& context) override;
    void trackTask(const OvEventTask& info, const OvContextProperties& context) override;
    void trackFile(const OvEventFile& info, const OvContextProperties& context) override;
    void trackOrder(const OvEventOrder& info, const OvContextProperties& context) override;
    void trackPayment(const OvEventPayment& info, const OvContextProperties& context) override;
    void trackUninstall(const std::string& reason, const OvContextProperties& context) override;
    void trackCrash(const std::string& reason) override;
    void trackUpdate(const OvEventUpdate& info, const OvContextProperties& context) override;
    void trackAppOpenNotification(const AppOpenNotification* info, const OvContextProperties& context) override;
    void setLocale(const std::string& locale) override;
    TrackLogger* logger() override { return logger_.get(); }

    const TrackerSettings* settings() const { return settings_.get(); }
    const std::string& serverUrl() const { return serverUrl_; }

private:
    void SetUpFolders();
    void RegisterCommonProperties();
    usage_analytics::PropertiesNode LocaleProperties() const;

    std::string serverUrl_;
    std::string appName_;
    std::string appVersion_;
    std::string appStore_;
    std::string dlappId_;
    std::string dlappVersion_;
    std::string configLogPath_;
    std::unique_ptr<NativeTrackLogger> logger_;
    int edition_;
    std::unique_ptr<TrackerSettings> settings_;
    bool coreStarted_ = false;
};

}  // namespace orvek::usage
