#pragma once

#include <memory>

#include "UsageTrackerImpl.h"

namespace orvek::usage {

// What callers hold: forwards every event and turns any failure into a
// "Failed to track..." line on standard output (when the tracker has a log).
class UsageTrackerWrapper : public UsageTracker {
public:
    explicit UsageTrackerWrapper(std::unique_ptr<UsageTrackerImpl> impl) : impl_(std::move(impl)) {}

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
    void setLocale(const std::string& locale) override { impl_->setLocale(locale); }
    TrackLogger* logger() override { return nullptr; }

    UsageTrackerImpl& impl() { return *impl_; }

private:
    template <typename Fn>
    void Guard(const char* operation, Fn&& fn);

    std::unique_ptr<UsageTrackerImpl> impl_;
};

}  // namespace orvek::usage
