#pragma once

// Property names shared by every unit of the tracker. "$" names belong to the
// collector's vocabulary, "ov_" names to the maker.
namespace orvek::usage::prop {

// Common (super) properties.
inline constexpr const char* kAppIdOv = "ov_app_id";
inline constexpr const char* kAppId = "$app_id";
inline constexpr const char* kAppVersion = "$app_version";
inline constexpr const char* kAppStore = "ov_app_store";
inline constexpr const char* kEdition = "ov_edition";
inline constexpr const char* kDlAppId = "ov_dlapp_id";
inline constexpr const char* kDlAppVersion = "ov_dlapp_version";
inline constexpr const char* kAppPlatform = "ov_app_platform";
inline constexpr const char* kTrackType = "ov_track_type";
inline constexpr const char* kSdkVersion = "ov_sdk_version";
inline constexpr const char* kSdk = "ov_sdk";
inline constexpr const char* kOs = "$os";
inline constexpr const char* kOsVersion = "$os_version";
inline constexpr const char* kLocale = "ov_l10n_locale";
inline constexpr const char* kLanguage = "ov_l10n_language";
inline constexpr const char* kCountry = "ov_l10n_country";
inline constexpr const char* kScreenHeight = "$screen_height";
inline constexpr const char* kScreenWidth = "$screen_width";
inline constexpr const char* kUserId = "ov_user_id";

// Event properties.
inline constexpr const char* kIsFirstTime = "$is_first_time";
inline constexpr const char* kAname = "ov_aname";
inline constexpr const char* kName = "ov_name";
inline constexpr const char* kTitle = "ov_title";
inline constexpr const char* kPosition = "ov_position";
inline constexpr const char* kModule = "ov_module";
inline constexpr const char* kClickType = "ov_click_type";
inline constexpr const char* kTabIndex = "ov_tab_index";
inline constexpr const char* kTabName = "ov_tab_name";
inline constexpr const char* kBannerIndex = "ov_banner_index";
inline constexpr const char* kBannerName = "ov_banner_name";
inline constexpr const char* kLoginType = "ov_type";
inline constexpr const char* kLoginId = "ov_login_id";
inline constexpr const char* kResult = "ov_result";
inline constexpr const char* kReason = "ov_reason";
inline constexpr const char* kCashierName = "ov_cashier_name";
inline constexpr const char* kCashierTitle = "ov_cashier_title";
inline constexpr const char* kSubitem = "ov_subitem";
inline constexpr const char* kChannel = "ov_channel";
inline constexpr const char* kSharedName = "ov_shared_name";
inline constexpr const char* kTaskName = "ov_task_name";
inline constexpr const char* kTaskElapsed = "ov_task_elapsed";
inline constexpr const char* kTaskResult = "ov_task_result";
inline constexpr const char* kIo = "ov_io";
inline constexpr const char* kExt = "ov_ext";
inline constexpr const char* kSize = "ov_size";
inline constexpr const char* kDuration = "ov_duration";
inline constexpr const char* kWidth = "ov_width";
inline constexpr const char* kHeight = "ov_height";
inline constexpr const char* kDepth = "ov_depth";
inline constexpr const char* kFps = "ov_fps";
inline constexpr const char* kBps = "ov_bps";
inline constexpr const char* kOrderId = "ov_order_id";
inline constexpr const char* kSku = "ov_sku";
inline constexpr const char* kSuitId = "ov_suit_id";
inline constexpr const char* kVoucherId = "ov_voucher_id";
inline constexpr const char* kUsedVoucherId = "ov_used_voucher_id";
inline constexpr const char* kCurrency = "ov_currency";
inline constexpr const char* kOriginalAmount = "ov_original_amount";
inline constexpr const char* kPaidAmount = "ov_paid_amount";
inline constexpr const char* kCurOriginalAmount = "ov_cur_original_amount";
inline constexpr const char* kCurPaidAmount = "ov_cur_paid_amount";
inline constexpr const char* kCampaignCode = "ov_campaign_code";
inline constexpr const char* kPaidPlatform = "ov_paid_platform";
inline constexpr const char* kIapType = "ov_iap_type";
inline constexpr const char* kUninstallReason = "ov_uninstall_reason";
inline constexpr const char* kCrashReason = "app_crashed_reason";
inline constexpr const char* kUpdateOp = "ov_update_op";
inline constexpr const char* kUpdateResult = "ov_update_result";
inline constexpr const char* kElapsed = "ov_elapsed";
inline constexpr const char* kPnMsgTitle = "$pn_msg_title";
inline constexpr const char* kPnMsgContent = "$pn_msg_content";
inline constexpr const char* kPnLinkUrl = "$pn_link_url";
inline constexpr const char* kPnPlanId = "$pn_plan_id";
inline constexpr const char* kPnAudienceId = "$pn_audience_id";
inline constexpr const char* kPnPlanStrategyId = "$pn_plan_strategy_id";
inline constexpr const char* kPnPlanType = "$pn_plan_type";
inline constexpr const char* kPnStrategyUnitId = "$pn_strategy_unit_id";
inline constexpr const char* kInstallSource = "$ios_install_source";
inline constexpr const char* kUserAgent = "$user_agent";
inline constexpr const char* kAbGroup = "ovc_ab";

// User-profile properties.
inline constexpr const char* kFirstVisitTime = "$first_visit_time";
inline constexpr const char* kFirstVisitDate = "ov_first_visit_date";
inline constexpr const char* kLastVisitDate = "ov_last_visit_date";
inline constexpr const char* kFirstPaidDate = "ov_first_paid_date";
inline constexpr const char* kLastPaidDate = "ov_last_paid_date";
inline constexpr const char* kVisitCount = "ov_visit_count";
inline constexpr const char* kPaidCount = "ov_paid_count";
inline constexpr const char* kConsumption = "ov_consumption";
inline constexpr const char* kProfileOs = "ov_os";
inline constexpr const char* kProfileOsVersion = "ov_os_version";
inline constexpr const char* kLastAppId = "ov_last_app_id";
inline constexpr const char* kLastAppVersion = "ov_last_app_version";
inline constexpr const char* kUserName = "ov_user_name";
inline constexpr const char* kUserType = "ov_user_type";
inline constexpr const char* kUserNickname = "ov_user_nickname";
inline constexpr const char* kUserPortrait = "ov_user_portrait";
inline constexpr const char* kUserMobilephone = "ov_user_mobilephone";
inline constexpr const char* kUserEmail = "ov_user_email";
inline constexpr const char* kUserWeixin = "ov_user_weixin";
inline constexpr const char* kUserQq = "ov_user_qq";
inline constexpr const char* kUserDid = "ov_user_did";
inline constexpr const char* kUserCreated = "ov_user_created";
inline constexpr const char* kUserLastLogin = "ov_user_last_login";
inline constexpr const char* kUserLastIp = "ov_user_last_ip";
inline constexpr const char* kUserVipLevel = "ov_user_vip_level";
inline constexpr const char* kUserVipEnddate = "ov_user_vip_enddate";

// Fixed values.
inline constexpr const char* kPlatformWindows = "Windows";
inline constexpr const char* kTrackTypeClient = "Client";
inline constexpr const char* kSdkVersionValue = "3.3.4";
inline constexpr const char* kSdkValue = "WindowsCPP";
inline constexpr const char* kInstallSourceValue = "android_id=123##imei=1234##mac=123";

}  // namespace orvek::usage::prop
