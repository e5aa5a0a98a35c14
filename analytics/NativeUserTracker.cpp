#include "NativeUserTracker.h"

#include <unordered_map>

#include "OvException.h"
#include "PropertyNames.h"
#include "Sdk.h"
#include "SystemFacts.h"

namespace orvek::usage {
namespace {

using usage_analytics::PropertiesNode;
using usage_analytics::Sdk;

constexpr const char* kUnit = "NativeUserTracker";

const std::unordered_map<std::string, ProfileOperation>& ProfileTable() {
    using enum ProfileOperation;
    static const std::unordered_map<std::string, ProfileOperation> table = {
        {"$first_visit_time", kSetOnce}, {"ov_first_visit_date", kSetOnce}, {"$ios_install_source", kSetOnce},
        {"ov_first_paid_date", kSetOnce}, {"ov_visit_count", kIncrement}, {"ov_paid_count", kIncrement},
        {"ov_consumption", kIncrement}, {"ov_label", kSet}, {"ov_os", kSet}, {"ov_os_version", kSet},
        {"ov_manufacturer", kSet}, {"ov_model", kSet}, {"ov_app_store", kSet}, {"ov_app_platform", kSet},
        {"ov_last_app_id", kSet}, {"ov_last_app_version", kSet}, {"ov_carrier", kSet}, {"ov_last_visit_date", kSet},
        {"aurora_pushid", kSet}, {"ov_user_id", kSet}, {"ov_user_name", kSet}, {"ov_user_type", kSet},
        {"ov_user_nickname", kSet}, {"ov_user_portrait", kSet}, {"ov_user_mobilephone", kSet},
        {"ov_user_email", kSet}, {"ov_user_weixin", kSet}, {"ov_user_qq", kSet}, {"ov_user_did", kSet},
        {"ov_user_created", kSet}, {"ov_user_last_login", kSet}, {"ov_user_last_ip", kSet},
        {"ov_user_vip_level", kSet}, {"ov_user_vip_enddate", kSet}, {"idfa", kSet}, {"imei", kSet},
        {"android_id", kSet}, {"oaid", kSet}, {"ov_ip", kSet}, {"ov_country_code", kSet}, {"ov_country", kSet},
        {"ov_province", kSet}, {"ov_city", kSet}, {"ov_last_paid_date", kSet},
    };
    return table;
}

[[noreturn]] void Unsupported(const char* function, const std::string& name) {
    OV_THROW(kUnit, function, "Not supported user property [" + name + "]!");
}

[[noreturn]] void NotAppendable(const char* function, const std::string& name) {
    OV_THROW(kUnit, function, "user property [" + name + "] is number value, it cannot be append to list!");
}

}  // namespace

ProfileOperation profileOperationOf(const std::string& name) {
    auto it = ProfileTable().find(name);
    return it == ProfileTable().end() ? ProfileOperation::kUnsupported : it->second;
}

void NativeUserTracker::ProfileUserPropertyString(const std::string& name, const std::string& value) {
    constexpr const char* fn = "ProfileUserPropertyString";
    switch (profileOperationOf(name)) {
        case ProfileOperation::kSetOnce: Sdk::ProfileSetOnce(name, value); break;
        case ProfileOperation::kSet: Sdk::ProfileSet(name, value); break;
        case ProfileOperation::kAppend: Sdk::ProfileAppend(name, value); break;
        case ProfileOperation::kIncrement:
            OV_THROW(kUnit, fn, "user property [" + name + "] is string type value, it cannot be accumulated!");
        case ProfileOperation::kUnsupported: Unsupported(fn, name);
    }
}

void NativeUserTracker::ProfileUserPropertyNumber(const std::string& name, int value) {
    constexpr const char* fn = "ProfileUserPropertyNumber";
    switch (profileOperationOf(name)) {
        case ProfileOperation::kSetOnce: Sdk::ProfileSetOnce(name, value); break;
        case ProfileOperation::kSet: Sdk::ProfileSet(name, value); break;
        case ProfileOperation::kIncrement: Sdk::ProfileIncrement(name, value); break;
        case ProfileOperation::kAppend: NotAppendable(fn, name);
        case ProfileOperation::kUnsupported: Unsupported(fn, name);
    }
}

void NativeUserTracker::ProfileUserPropertyNumber(const std::string& name, double value) {
    constexpr const char* fn = "ProfileUserPropertyNumber";
    switch (profileOperationOf(name)) {
        case ProfileOperation::kSetOnce: Sdk::ProfileSetOnce(name, value); break;
        case ProfileOperation::kSet: Sdk::ProfileSet(name, value); break;
        case ProfileOperation::kIncrement: {
            PropertiesNode node;
            node.SetDouble(name, value);
            Sdk::ProfileIncrement(node);
            break;
        }
        case ProfileOperation::kAppend: NotAppendable(fn, name);
        case ProfileOperation::kUnsupported: Unsupported(fn, name);
    }
}

void NativeUserTracker::ProfileUserPropertyDateTime(const std::string& name, int64_t time) {
    constexpr const char* fn = "ProfileUserPropertyDateTime";
    PropertiesNode node;
    if (time > kLargestSecondsValue) {
        node.SetDateTime(name, time / 1000, static_cast<int>(time % 1000));
    } else {
        node.SetDateTime(name, time, 0);
    }
    switch (profileOperationOf(name)) {
        case ProfileOperation::kSetOnce: Sdk::ProfileSetOnce(node); break;
        case ProfileOperation::kSet: Sdk::ProfileSet(node); break;
        case ProfileOperation::kIncrement:
            OV_THROW(kUnit, fn, "user property [" + name + "] is DateTime value, it cannot be accumulated!");
        case ProfileOperation::kAppend:
            OV_THROW(kUnit, fn, "user property [" + name + "] is DateTime value, it cannot be append to list!");
        case ProfileOperation::kUnsupported: Unsupported(fn, name);
    }
}

namespace {

int VisitDates() {
    const int64_t now = facts::trackTime();
    NativeUserTracker::ProfileUserPropertyDateTime(prop::kFirstVisitTime, now);
    NativeUserTracker::ProfileUserPropertyDateTime(prop::kFirstVisitDate, now);
    NativeUserTracker::ProfileUserPropertyDateTime(prop::kLastVisitDate, now);
    return 3;
}

}  // namespace

int NativeUserTracker::activityProfile(const ProfileAppFacts& app) {
    int count = VisitDates();
    ProfileUserPropertyString(prop::kProfileOs, app.osName);
    ProfileUserPropertyString(prop::kProfileOsVersion, app.osVersion);
    ProfileUserPropertyString(prop::kAppStore, app.appStore);
    ProfileUserPropertyString(prop::kAppPlatform, prop::kPlatformWindows);
    ProfileUserPropertyString(prop::kLastAppId, app.appName);
    ProfileUserPropertyString(prop::kLastAppVersion, app.appVersion);
    ProfileUserPropertyString(prop::kInstallSource, prop::kInstallSourceValue);
    return count + 7;
}

int NativeUserTracker::launchProfile() { return VisitDates(); }

int NativeUserTracker::loginProfile(const LoginUserInfo& info) {
    int count = 0;
    auto text = [&](const char* name, const std::string& value, bool always = false) {
        if (!always && value.empty()) return;
        ProfileUserPropertyString(name, value);
        ++count;
    };
    auto date = [&](const char* name, int64_t seconds) {
        if (seconds <= 0) return;
        ProfileUserPropertyDateTime(name, seconds * 1000);
        ++count;
    };
    text(prop::kUserId, info.userId, true);
    text(prop::kUserName, info.userName, true);
    ProfileUserPropertyNumber(prop::kUserType, info.userType);
    ++count;
    text(prop::kUserNickname, info.nickname);
    text(prop::kUserPortrait, info.portrait);
    text(prop::kUserMobilephone, info.mobilephone);
    text(prop::kUserEmail, info.email);
    text(prop::kUserWeixin, info.weixin);
    text(prop::kUserQq, info.qq);
    text(prop::kUserDid, info.did);
    date(prop::kUserCreated, info.created);
    text(prop::kUserLastIp, info.lastIp);
    date(prop::kUserLastLogin, info.lastLogin);
    ProfileUserPropertyNumber(prop::kUserVipLevel, info.vipLevel);
    ++count;
    date(prop::kUserVipEnddate, info.vipEndDate);
    return count + VisitDates();
}

int NativeUserTracker::paymentProfile(double paidAmount) {
    ProfileUserPropertyNumber(prop::kPaidCount, 1);
    ProfileUserPropertyNumber(prop::kConsumption, paidAmount);
    const int64_t now = facts::trackTime();
    ProfileUserPropertyDateTime(prop::kFirstPaidDate, now);
    ProfileUserPropertyDateTime(prop::kLastPaidDate, now);
    return 4;
}

}  // namespace orvek::usage
