#include "UsageTrackerWrapper.h"

#include <iostream>

namespace orvek::usage {

template <typename Fn>
void UsageTrackerWrapper::Guard(const char* operation, Fn&& fn) {
    try {
        fn();
    } catch (...) {
        if (impl_->logger()) std::cout << "Failed to " << operation << std::endl;
    }
}

void UsageTrackerWrapper::trackActivity(const OvContextProperties& c) {
    Guard("trackActivity", [&] { impl_->trackActivity(c); });
}
void UsageTrackerWrapper::trackLaunch(const OvContextProperties& c) {
    Guard("trackLaunch", [&] { impl_->trackLaunch(c); });
}
void UsageTrackerWrapper::trackLogin(const LoginUserInfo& info, bool success, const std::string& reason,
                                     const OvContextProperties& c) {
    Guard("trackLogin", [&] { impl_->trackLogin(info, success, reason, c); });
}
void UsageTrackerWrapper::trackClick(const OvEventClick& info, const OvContextProperties& c) {
    Guard("trackClick", [&] { impl_->trackClick(info, c); });
}
void UsageTrackerWrapper::trackView(const OvEventView& info, const OvContextProperties& c) {
    Guard("trackView", [&] { impl_->trackView(info, c); });
}
void UsageTrackerWrapper::trackCashier(const OvEventCashier& info, const OvContextProperties& c) {
    Guard("trackCashier", [&] { impl_->trackCashier(info, c); });
}
void UsageTrackerWrapper::trackShare(const OvEventShare& info, const OvContextProperties& c) {
    Guard("trackShare", [&] { impl_->trackShare(info, c); });
}
void UsageTrackerWrapper::trackTask(const OvEventTask& info, const OvContextProperties& c) {
    Guard("trackTask", [&] { impl_->trackTask(info, c); });
}
void UsageTrackerWrapper::trackFile(const OvEventFile& info, const OvContextProperties& c) {
    Guard("trackFile", [&] { impl_->trackFile(info, c); });
}
void UsageTrackerWrapper::trackOrder(const OvEventOrder& info, const OvContextProperties& c) {
    Guard("trackOrder", [&] { impl_->trackOrder(info, c); });
}
void UsageTrackerWrapper::trackPayment(const OvEventPayment& info, const OvContextProperties& c) {
    Guard("trackPayment", [&] { impl_->trackPayment(info, c); });
}
void UsageTrackerWrapper::trackUninstall(const std::string& reason, const OvContextProperties& c) {
    Guard("trackUninstall", [&] { impl_->trackUninstall(reason, c); });
}
void UsageTrackerWrapper::trackCrash(const std::string& reason) {
    Guard("trackCrash", [&] { impl_->trackCrash(reason); });
}
void UsageTrackerWrapper::trackUpdate(const OvEventUpdate& info, const OvContextProperties& c) {
    Guard("trackUpdate", [&] { impl_->trackUpdate(info, c); });
}
void UsageTrackerWrapper::trackAppOpenNotification(const AppOpenNotification* info, const OvContextProperties& c) {
    Guard("trackAppOpenNotification", [&] { impl_->trackAppOpenNotification(info, c); });
}

}  // namespace orvek::usage
