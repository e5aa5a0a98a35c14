#pragma once

#include <string>

#include "OvContextProperties.h"
#include "OvEvents.h"
#include "TrackLogger.h"

namespace orvek::usage {

// The analytics interface: one operation per business event.
class UsageTracker {
public:
    virtual ~UsageTracker() = default;
    virtual void trackActivity(const OvContextProperties& context) = 0;
    virtual void trackLaunch(const OvContextProperties& context) = 0;
    virtual void trackLogin(const LoginUserInfo& info, bool success, const std::string& reason,
                            const OvContextProperties& context) = 0;
    virtual void trackClick(const OvEventClick& info, const OvContextProperties& context) = 0;
    virtual void trackView(const OvEventView& info, const OvContextProperties& context) = 0;
    virtual void trackCashier(const OvEventCashier& info, const OvContextProperties& context) = 0;
    virtual void trackShare(const OvEventShare& info, const OvContextProperties& context) = 0;
    virtual void trackTask(const OvEventTask& info, const OvContextProperties& context) = 0;
    virtual void trackFile(const OvEventFile& info, const OvContextProperties& context) = 0;
    virtual void trackOrder(const OvEventOrder& info, const OvContextProperties& context) = 0;
    virtual void trackPayment(const OvEventPayment& info, const OvContextProperties& context) = 0;
    virtual void trackUninstall(const std::string& reason, const OvContextProperties& context) = 0;
    virtual void trackCrash(const std::string& reason) = 0;
    virtual void trackUpdate(const OvEventUpdate& info, const OvContextProperties& context) = 0;
    virtual void trackAppOpenNotification(const AppOpenNotification* info, const OvContextProperties& context) = 0;
    virtual void setLocale(const std::string& locale) = 0;
    virtual TrackLogger* logger() = 0;
};

}  // namespace orvek::usage
