// The tracker's event operations: check the record, build the property set,
// add the context, send it through the core, ask for a flush.
#include "UsageTrackerImpl.h"

#include <cstdio>

#include "NativeUserTracker.h"
#include "OvException.h"
#include "PropertyNames.h"
#include "Sdk.h"
#include "SystemFacts.h"

namespace orvek::usage {
namespace {

using usage_analytics::PropertiesNode;
using usage_analytics::Sdk;

constexpr const char* kUnit = "UsageTrackerImpl";

void SetText(PropertiesNode& p, const char* name, const std::string& value) {
    if (!value.empty()) p.SetString(name, value);
}

template <typename T>
void SetOptionalInt(PropertiesNode& p, const char* name, const std::optional<T>& value) {
    if (value) p.SetInteger(name, static_cast<int32_t>(*value));
}

void SetOptionalDouble(PropertiesNode& p, const char* name, const std::optional<float>& value) {
    if (value) p.SetDouble(name, *value);
}

void SetPositive(PropertiesNode& p, const char* name, float value) {
    if (value > 0) p.SetDouble(name, value);
}

// Results other than Unknown (Success, Cancelled, Fail) are sent.
void SetKnownResult(PropertiesNode& p, const char* name, const std::optional<OvResult>& result) {
    if (result && *result >= kResultSuccess && *result <= kResultFail) p.SetString(name, toString(*result));
}

void FirstTime(PropertiesNode& p) { p.SetBool(prop::kIsFirstTime, true); }

std::string Fixed6(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", value);
    return buf;
}

}  // namespace

void UsageTrackerImpl::trackActivity(const OvContextProperties& context) {
    PropertiesNode p;
    context.appendTo(kEventActivity, p);
    const facts::OsFacts os = facts::osNameAndVersion();
    SetText(p, prop::kAppStore, appStore_);
    SetText(p, prop::kAppIdOv, appName_);
    SetText(p, prop::kAppId, appName_);
    SetText(p, prop::kAppVersion, appVersion_);
    p.SetString(prop::kInstallSource, prop::kInstallSourceValue);
    p.SetString(prop::kUserAgent, facts::userAgent());
    FirstTime(p);
    p.SetString(prop::kOs, os.name);
    p.SetString(prop::kOsVersion, os.version);
    Sdk::TrackInstallation("OvEventActivity", p);
    const int profiles = NativeUserTracker::activityProfile({appStore_, appName_, appVersion_, os.name, os.version});
    if (settings_) settings_->pendingCount += profiles;
    requestFlush(true);
}

void UsageTrackerImpl::trackLaunch(const OvContextProperties& context) {
    PropertiesNode p;
    context.appendTo(kEventLaunch, p);
    Sdk::Track("OvEventLaunch", p);
    if (settings_ && !settings_->userId.empty()) settings_->pendingCount += NativeUserTracker::launchProfile();
    requestFlush(true);
}

void UsageTrackerImpl::trackLogin(const LoginUserInfo& info, bool success, const std::string& reason,
                                  const OvContextProperties& context) {
    PropertiesNode p;
    if (!info.userId.empty()) {
        p.SetString(prop::kUserId, info.userId);
        p.SetString(prop::kLoginId, info.userId);
    }
    p.SetString(prop::kLoginType, toString(static_cast<LoginType>(info.userType)));
    p.SetString(prop::kResult, success ? "Success" : "Fail");
    SetText(p, prop::kReason, reason);
    if (info.userId.empty()) {
        context.appendTo(kEventLogin, p);
        Sdk::Track("OvEventLogin", p);
        requestFlush(true);
        return;
    }
    FirstTime(p);
    context.appendTo(kEventLogin, p);
    Sdk::Track("OvEventLogin", p);
    if (settings_) {
        TrackerSettings& s = *settings_;
        s.vipLevel = info.vipLevel;
        if (!s.isLoggedIn || s.userId.empty()) {
            Sdk::TrackSignup(info.userId);
            s.isLoggedIn = true;
            s.userId = info.userId;
            s.distinctId = info.userId;
            Sdk::SetIdentity(info.userId, true);
            PropertiesNode user;
            user.SetString(prop::kUserId, info.userId);
            Sdk::RegisterSuperProperties(user);
        }
        s.save();
        s.pendingCount += NativeUserTracker::loginProfile(info);
    }
    requestFlush(true);
}

void UsageTrackerImpl::trackClick(const OvEventClick& info, const OvContextProperties& context) {
    if (info.name.empty()) OV_THROW(kUnit, "trackClick", "ovEventClick.name is empty");
    PropertiesNode p;
    p.SetString(prop::kName, info.name);
    p.SetString(prop::kClickType, toString(info.clickType));
    SetText(p, prop::kAname, info.aname);
    SetText(p, prop::kTitle, info.title);
    SetText(p, prop::kPosition, info.position);
    SetText(p, prop::kModule, info.module);
    SetText(p, prop::kTabName, info.tabName);
    SetOptionalInt(p, prop::kTabIndex, info.tabIndex);
    SetText(p, prop::kBannerName, info.bannerName);
    SetOptionalInt(p, prop::kBannerIndex, info.bannerIndex);
    FirstTime(p);
    context.appendTo(kEventClick, p);
    Sdk::Track("OvEventClick", p);
    requestFlush(false);
}

void UsageTrackerImpl::trackView(const OvEventView& info, const OvContextProperties& context) {
    if (info.name.empty()) OV_THROW(kUnit, "trackView", "ovEventView.name is empty");
    PropertiesNode p;
    p.SetString(prop::kName, info.name);
    SetText(p, prop::kAname, info.aname);
    SetText(p, prop::kTitle, info.title);
    SetText(p, prop::kPosition, info.position);
    FirstTime(p);
    context.appendTo(kEventView, p);
    Sdk::Track("OvEventView", p);
    requestFlush(false);
}

void UsageTrackerImpl::trackCashier(const OvEventCashier& info, const OvContextProperties& context) {
    if (info.cashierName.empty()) OV_THROW(kUnit, "trackCashier", "ovEventCashier.ov_cashier_name is empty");
    PropertiesNode p;
    p.SetString(prop::kCashierName, info.cashierName);
    SetText(p, prop::kCashierTitle, info.cashierTitle);
    SetText(p, prop::kSubitem, info.subitem);
    FirstTime(p);
    context.appendTo(kEventCashier, p);
    Sdk::Track("OvEventCashier", p);
    requestFlush(false);
}

void UsageTrackerImpl::trackShare(const OvEventShare& info, const OvContextProperties& context) {
    PropertiesNode p;
    SetText(p, prop::kAname, info.aname);
    SetText(p, prop::kChannel, info.channel);
    SetText(p, prop::kPosition, info.position);
    SetText(p, prop::kSharedName, info.sharedName);
    if (info.result) p.SetString(prop::kResult, toString(*info.result));
    FirstTime(p);
    context.appendTo(kEventShare, p);
    Sdk::Track("OvEventShare", p);
    requestFlush(false);
}

void UsageTrackerImpl::trackTask(const OvEventTask& info, const OvContextProperties& context) {
    if (info.name.empty()) OV_THROW(kUnit, "trackTask", "ovEventTask.name is empty");
    PropertiesNode p;
    p.SetString(prop::kTaskName, info.name);
    SetOptionalDouble(p, prop::kTaskElapsed, info.elapsed);
    SetKnownResult(p, prop::kTaskResult, info.result);
    SetText(p, prop::kAname, info.aname);
    SetText(p, prop::kReason, info.reason);
    FirstTime(p);
    context.appendTo(kEventTask, p);
    Sdk::Track("OvEventTask", p);
    requestFlush(false);
}

void UsageTrackerImpl::trackFile(const OvEventFile& info, const OvContextProperties& context) {
    if (info.aname.empty()) OV_THROW(kUnit, "trackFile", "ovEventFile.aname is empty");
    PropertiesNode p;
    p.SetString(prop::kAname, info.aname);
    if (info.io) p.SetString(prop::kIo, toString(*info.io));
    SetKnownResult(p, prop::kResult, info.result);
    SetText(p, prop::kName, info.name);
    SetText(p, prop::kExt, info.ext);
    if (info.size && *info.size > 0) p.SetDouble(prop::kSize, *info.size);
    SetOptionalInt(p, prop::kDuration, info.duration);
    SetOptionalDouble(p, prop::kFps, info.fps);
    SetOptionalDouble(p, prop::kBps, info.bps);
    SetOptionalInt(p, prop::kWidth, info.width);
    SetOptionalInt(p, prop::kHeight, info.height);
    SetOptionalInt(p, prop::kDepth, info.depth);
    FirstTime(p);
    context.appendTo(kEventFile, p);
    Sdk::Track("OvEventFile", p);
    requestFlush(false);
}

void UsageTrackerImpl::trackOrder(const OvEventOrder& info, const OvContextProperties& context) {
    constexpr const char* fn = "trackOrder";
    if (info.suitId.empty()) OV_THROW(kUnit, fn, "ovEventOrder.ovSuitId is empty");
    if (!info.currency) OV_THROW(kUnit, fn, "ovEventOrder.ovCurrency is nullptr");
    if (!(info.originalAmount > 0)) OV_THROW(kUnit, fn, "ovEventOrder.originalAmount is less than zero");
    if (!(info.paidAmount > 0)) OV_THROW(kUnit, fn, "ovEventOrder.paidAmount is not greater than zero");
    PropertiesNode p;
    p.SetString(prop::kSuitId, info.suitId);
    p.SetString(prop::kCurrency, toString(*info.currency));
    p.SetDouble(prop::kPaidAmount, info.paidAmount);
    p.SetDouble(prop::kOriginalAmount, info.originalAmount);
    FirstTime(p);
    SetText(p, prop::kOrderId, info.orderId);
    SetText(p, prop::kSubitem, info.subitem);
    SetText(p, prop::kSku, info.sku);
    SetOptionalInt(p, prop::kCampaignCode, info.campaignCode);
    SetText(p, prop::kVoucherId, info.voucherId);
    SetPositive(p, prop::kCurOriginalAmount, info.curOriginalAmount);
    SetPositive(p, prop::kCurPaidAmount, info.curPaidAmount);
    SetText(p, prop::kCashierName, info.cashierName);
    SetText(p, prop::kCashierTitle, info.cashierTitle);
    context.appendTo(kEventOrder, p);
    Sdk::Track("OvEventOrder", p);
    requestFlush(false);
}

void UsageTrackerImpl::trackPayment(const OvEventPayment& info, const OvContextProperties& context) {
    constexpr const char* fn = "trackPayment";
    if (info.orderId.empty()) OV_THROW(kUnit, fn, "ovEventPayment.ovOrderId is empty");
    if (info.paidAmount < 0) OV_THROW(kUnit, fn, "paidAmount = " + Fixed6(info.paidAmount) + " is invalid");
    if (info.originalAmount < 0)
        OV_THROW(kUnit, fn, "originalAmount = " + Fixed6(info.originalAmount) + " is invalid");
    if (!info.result || (*info.result != kResultSuccess && *info.result != kResultFail))
        OV_THROW(kUnit, fn, "ovEventPayment.result is invalid");
    // The caller guarantees currency and platform; a record without them is refused
    // rather than read through an empty value.
    if (!info.currency) OV_THROW(kUnit, fn, "ovEventPayment.ovCurrency is nullptr");
    if (!info.paidPlatform) OV_THROW(kUnit, fn, "ovEventPayment.ovPaidPlatform is nullptr");
    PropertiesNode p;
    p.SetString(prop::kOrderId, info.orderId);
    p.SetString(prop::kPaidPlatform, toString(*info.paidPlatform));
    p.SetString(prop::kCurrency, toString(*info.currency));
    p.SetDouble(prop::kPaidAmount, info.paidAmount);
    p.SetDouble(prop::kOriginalAmount, info.originalAmount);
    p.SetString(prop::kResult, toString(*info.result));
    FirstTime(p);
    SetText(p, prop::kSuitId, info.suitId);
    if (info.iapType) p.SetString(prop::kIapType, toString(*info.iapType));
    SetText(p, prop::kSubitem, info.subitem);
    SetText(p, prop::kSku, info.sku);
    SetText(p, prop::kVoucherId, info.voucherId);
    SetText(p, prop::kUsedVoucherId, info.usedVoucherId);
    SetOptionalInt(p, prop::kCampaignCode, info.campaignCode);
    SetPositive(p, prop::kCurOriginalAmount, info.curOriginalAmount);
    SetPositive(p, prop::kCurPaidAmount, info.curPaidAmount);
    SetText(p, prop::kCashierName, info.cashierName);
    SetText(p, prop::kCashierTitle, info.cashierTitle);
    context.appendTo(kEventPayment, p);
    Sdk::Track("OvEventPayment", p);
    const int profiles = NativeUserTracker::paymentProfile(info.paidAmount);
    if (settings_) {
        settings_->pendingCount += profiles;
        if (*info.result == kResultSuccess) {
            settings_->vipLevel = 1;
            settings_->save();
        }
    }
    requestFlush(true);
}

void UsageTrackerImpl::trackUninstall(const std::string& reason, const OvContextProperties& context) {
    PropertiesNode p;
    SetText(p, prop::kUninstallReason, reason);
    context.appendTo(kEventUninstall, p);
    Sdk::Track("OvEventUninstall", p);
    requestFlush(true);
}

void UsageTrackerImpl::trackCrash(const std::string& reason) {
    PropertiesNode p;
    SetText(p, prop::kCrashReason, reason);
    Sdk::Track("AppCrashed", p);
    requestFlush(true);
}

void UsageTrackerImpl::trackUpdate(const OvEventUpdate& info, const OvContextProperties& context) {
    constexpr const char* fn = "trackUpdate";
    PropertiesNode p;
    p.SetString(prop::kUpdateOp, toString(info.operation));
    const std::string result = info.result ? toString(*info.result) : std::string();
    auto requireResult = [&] {
        if (!info.result) OV_THROW(kUnit, fn, "Unknown updateResultInfo info");
        p.SetString(prop::kUpdateResult, result);
    };
    auto requireElapsed = [&] {
        if (!info.elapsed) OV_THROW(kUnit, fn, "invalid elapsed info");
        p.SetDouble(prop::kElapsed, *info.elapsed);
    };
    switch (info.operation) {
        case kUpdateCheck: p.SetString(prop::kUpdateResult, result); break;
        case kDownloadStart:
        case kUpgrateStart: break;
        case kDownloadEnd:
            requireResult();
            requireElapsed();
            break;
        case kUpgrateEnd:
            requireResult();
            FirstTime(p);
            requireElapsed();
            break;
    }
    context.appendTo(kEventUpdate, p);
    Sdk::Track("OvEventUpdate", p);
    requestFlush(true);
}

void UsageTrackerImpl::trackAppOpenNotification(const AppOpenNotification* info, const OvContextProperties& context) {
    constexpr const char* fn = "trackAppOpenNotification";
    if (!info) OV_THROW(kUnit, fn, "&appOpenNotification is nullptr");
    if (info->planId.empty()) OV_THROW(kUnit, fn, "planID is emptry");
    if (info->planType.empty()) OV_THROW(kUnit, fn, "planType is emptry");
    if (info->msgTitle.empty()) OV_THROW(kUnit, fn, "msgTitle is emptry");
    PropertiesNode p;
    p.SetString(prop::kPnMsgTitle, info->msgTitle);
    p.SetString(prop::kPnPlanId, info->planId);
    p.SetString(prop::kPnPlanType, info->planType);
    FirstTime(p);
    SetText(p, prop::kPnMsgContent, info->msgContent);
    SetText(p, prop::kPnLinkUrl, info->linkUrl);
    SetText(p, prop::kPnAudienceId, info->audienceId);
    SetText(p, prop::kPnPlanStrategyId, info->planStrategyId);
    SetText(p, prop::kPnStrategyUnitId, info->strategyUnitId);
    context.appendTo(kEventNotificationOpen, p);
    Sdk::Track("AppOpenNotification", p);
    requestFlush(false);
}

}  // namespace orvek::usage
