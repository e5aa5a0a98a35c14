#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Event records and enumerations of the tracker's interface. An optional
// member that is empty is left out of the record.
namespace orvek::usage {

enum Edition : int { kEditionChina = 0, kEditionOverseas = 1 };
enum LoginType : int {
    kLoginUnknown = 0, kLoginMobilephone, kLoginEmail, kLoginWeixin, kLoginQq, kLoginDeviceId, kLoginBaidu,
    kLoginHuawei, kLoginApple, kLoginOrvekUserId, kLoginGoogle, kLoginFacebook,
};
enum OvResult : int { kResultSuccess = 0, kResultCancelled = 1, kResultFail = 2, kResultUnknown = 3 };
enum ClickType : int { kClickButton = 0, kClickBanner, kClickTutorial, kClickFile, kClickOthers };
enum IoType : int { kIoInput = 0, kIoOutput = 1 };
enum Currency : int { kCNY = 0, kUSD, kEUR, kHKD, kTWD, kMOP, kSGD, kJPY, kKRW, kINR, kGBP };
enum PaidPlatform : int {
    kAlipay = 0, kWeChatPay, kPayPal, kTenpay, kCIECC, kGooglePay, kHuaweiPay, kAppleIAP, kPaddle, kChinaUnionPay,
};
enum OvIapType : int { kIapConsumable = 1, kIapNonConsumable, kIapAutoRenewable, kIapNonRenewable };
enum OvUpdateOp : int { kUpdateCheck = 0, kDownloadStart, kDownloadEnd, kUpgrateStart, kUpgrateEnd };
enum OvUpdateResult : int {
    kUpdateSuccess = 0, kUpdateCancelled, kUpdateTimeout, kUpdateFail, kUpdateLatest, kUpdateUpdateable,
};

// Texts of the enumerations; any other value raises OvException.
std::string toString(Edition v);
std::string toString(LoginType v);
std::string toString(OvResult v);
std::string toString(ClickType v);
std::string toString(IoType v);
std::string toString(Currency v);
std::string toString(PaidPlatform v);
std::string toString(OvIapType v);
std::string toString(OvUpdateOp v);
std::string toString(OvUpdateResult v);

struct OvEventClick {
    std::string aname, name;
    ClickType clickType = kClickOthers;
    std::string title, module, position;
    std::optional<int> tabIndex;
    std::string tabName;
    std::optional<int> bannerIndex;
    std::string bannerName;
};

struct OvEventView {
    std::string aname, name, title, position;
};

struct OvEventCashier {
    std::string cashierName, cashierTitle, subitem;
};

struct OvEventShare {
    std::string aname, channel, position, sharedName;
    std::optional<OvResult> result;
};

struct OvEventTask {
    std::string aname, name, reason;
    std::optional<float> elapsed;
    std::optional<OvResult> result;
};

struct OvEventFile {
    std::string aname, name;
    std::optional<IoType> io;
    std::string ext;
    std::optional<float> size;
    std::optional<int> duration;
    std::optional<float> fps, bps;
    std::optional<int> width, height, depth;
    std::optional<OvResult> result;
};

struct OvEventOrder {
    std::string orderId, subitem, sku, suitId;
    std::optional<Currency> currency;
    float originalAmount = 0;
    std::string voucherId;
    float paidAmount = 0;
    std::string cashierName, cashierTitle;
    std::optional<int> campaignCode;
    float curOriginalAmount = 0, curPaidAmount = 0;
};

struct OvEventPayment {
    std::string orderId, subitem, sku;
    std::optional<Currency> currency;
    float originalAmount = 0;
    std::optional<int> campaignCode;
    std::string voucherId, usedVoucherId;
    float paidAmount = 0;
    std::string suitId, cashierName, cashierTitle;
    std::optional<PaidPlatform> paidPlatform;
    std::optional<OvResult> result;
    std::optional<OvIapType> iapType;
    float curOriginalAmount = 0, curPaidAmount = 0;
};

struct OvEventUpdate {
    OvUpdateOp operation = kUpdateCheck;
    std::optional<OvUpdateResult> result;
    std::optional<float> elapsed;
};

struct AppOpenNotification {
    std::string msgTitle, msgContent, linkUrl, planId, audienceId, planStrategyId, planType, strategyUnitId;
};

struct LoginUserInfo {
    std::string userId, userName;
    int userType = kLoginUnknown;
    std::string nickname, portrait, mobilephone, email, weixin, qq, did;
    int64_t created = 0, lastLogin = 0;
    std::string lastIp;
    int vipLevel = 0;
    int64_t vipEndDate = 0;
};

}  // namespace orvek::usage
