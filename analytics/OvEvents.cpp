#include "OvEvents.h"

#include <iterator>

#include "OvException.h"

namespace orvek::usage {
namespace {

constexpr const char* kUnit = "UsageTrackerImpl";

template <size_t N>
std::string Text(int value, const char* const (&texts)[N], int first, const std::string& prefix,
                 const char* suffix = "]!") {
    const int index = value - first;
    if (index >= 0 && index < static_cast<int>(N)) return texts[index];
    if (!suffix) OV_THROW(kUnit, "toString", prefix);
    OV_THROW(kUnit, "toString", prefix + std::to_string(value) + suffix);
}

}  // namespace

std::string toString(Edition v) {
    static const char* const t[] = {"china", "overseas"};
    return Text(v, t, 0, "Unknown edition [");
}

std::string toString(LoginType v) {
    static const char* const t[] = {"unknown", "mobilephone", "email",  "weixin",      "qq",     "deviceid",
                                    "baidu",   "huawei",      "apple",  "orvekuserid", "google", "facebook"};
    return Text(v, t, 0, "Unknown user type [");
}

std::string toString(OvResult v) {
    static const char* const t[] = {"Success", "Cancelled", "Fail", "Unknown"};
    return Text(v, t, 0, "Unknown task result [");
}

std::string toString(ClickType v) {
    static const char* const t[] = {"Button", "Banner", "Tutorial", "File", "Others"};
    return Text(v, t, 0, "Unknown ClickType [");
}

std::string toString(IoType v) {
    static const char* const t[] = {"Input", "Output"};
    return Text(v, t, 0, "the io type is invalid", nullptr);
}

std::string toString(Currency v) {
    static const char* const t[] = {"CNY", "USD", "EUR", "HKD", "TWD", "MOP", "SGD", "JPY", "KRW", "INR", "GBP"};
    return Text(v, t, 0, "Unknown currency [");
}

std::string toString(PaidPlatform v) {
    static const char* const t[] = {"Alipay",    "WeChatPay", "PayPal",   "Tenpay", "CIECC",
                                    "GooglePay", "HuaweiPay", "AppleIAP", "Paddle", "ChinaUnionPay"};
    return Text(v, t, 0, "Unknown paid platform [");
}

std::string toString(OvIapType v) {
    static const char* const t[] = {"Consumable", "NonConsumable", "AutoRenewable", "NonRenewable"};
    return Text(v, t, 1, "Unknown ovIapType [");
}

std::string toString(OvUpdateOp v) {
    static const char* const t[] = {"UpdateCheck", "DownloadStart", "DownloadEnd", "UpgrateStart", "UpgrateEnd"};
    return Text(v, t, 0, "Unknown OvUpdateOp [");
}

std::string toString(OvUpdateResult v) {
    static const char* const t[] = {"Success", "Cancelled", "Timeout", "Fail", "Latest", "Updateable"};
    return Text(v, t, 0, "Unknown OvUpdateResult [");
}

}  // namespace orvek::usage
