#pragma once

#include <cstdint>
#include <string>

#include "OvEvents.h"

namespace orvek::usage {

enum class ProfileOperation { kSet, kSetOnce, kIncrement, kAppend, kUnsupported };

// Which operation a user-profile name is sent with.
ProfileOperation profileOperationOf(const std::string& name);

// Application facts that the profile updates report.
struct ProfileAppFacts {
    std::string appStore, appName, appVersion, osName, osVersion;
};

// Sends user-profile properties, each with the operation its name requires;
// a call that does not fit raises OvException.
class NativeUserTracker {
public:
    // Above this a DateTime value is taken as milliseconds.
    static constexpr int64_t kLargestSecondsValue = 157789439999;

    static void ProfileUserPropertyString(const std::string& name, const std::string& value);
    static void ProfileUserPropertyNumber(const std::string& name, int value);
    static void ProfileUserPropertyNumber(const std::string& name, double value);
    static void ProfileUserPropertyDateTime(const std::string& name, int64_t time);

    // Profile updates after the tracker's events; each returns the records it queued.
    static int activityProfile(const ProfileAppFacts& app);
    static int launchProfile();
    static int loginProfile(const LoginUserInfo& info);
    static int paymentProfile(double paidAmount);
};

}  // namespace orvek::usage
