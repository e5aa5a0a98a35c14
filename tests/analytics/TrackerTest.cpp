// The tracker, its lifecycle and the installer glue against a real collector.
#include <gtest/gtest.h>

#include <cstdlib>

#include "AnalyticsTestSupport.h"
#include "CollectorServer.h"
#include "InstallerAnalytics.h"
#include "NativeUserTracker.h"
#include "OvException.h"
#include "SystemFacts.h"
#include "Tracker.h"
#include "app/InstallerConfig.h"
#include "utils/PrivateProfile.h"
#include "utils/TextConvert.h"

using namespace orvek::usage;
using demo::CollectorServer;
using nlohmann::json;

namespace {

class TrackerTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_STATE_HOME", state_.path().c_str(), 1);
        ASSERT_TRUE(server_.Start());
    }
    void TearDown() override { releaseTracker(); }

    TrackerConfig Config(const std::string& url) const {
        TrackerConfig c;
        c.appName = "Lumapane.downloader";
        c.appVersion = "1.7.9";
        c.appStore = "LumapaneSetup";
        c.dlappId = "Lumapane";
        c.serverUrl = url;
        return c;
    }
    std::string LocalFolder() const { return state_.path().string() + "/OVLocal/Lumapane.downloader/"; }
    std::string SettingsFile() const { return LocalFolder() + "Lumapane.downloader_OVSConfigure.ini"; }
    std::vector<json> Accepted() const { return server_.service().AcceptedRecords(); }

    analytics_test::TempDir state_;
    mutable CollectorServer server_{CollectorServer::Scheme::kHttps};
};

std::vector<json> OfEvent(const std::vector<json>& records, const std::string& event) {
    std::vector<json> out;
    for (const auto& r : records)
        if (r.value("event", "") == event) out.push_back(r);
    return out;
}

TEST_F(TrackerTest, FiveClicksGoOutInOneBatchAtShutdown) {
    createTracker(Config(server_.Url()));
    auto tracker = currentTracker();
    ASSERT_TRUE(tracker);
    for (int i = 0; i < 5; ++i) {
        OvEventClick click;
        click.name = "button" + std::to_string(i);
        click.tabIndex = i;
        tracker->trackClick(click, OvContextProperties{});
    }
    EXPECT_EQ(server_.service().RequestCount(), 0u);
    tracker.reset();
    releaseTracker();
    const auto batches = server_.service().Batches();
    ASSERT_EQ(batches.size(), 1u);
    ASSERT_EQ(batches[0].records.size(), 5u);
    const json& r = batches[0].records[4];
    EXPECT_EQ(r["event"], "OvEventClick");
    EXPECT_EQ(r["properties"]["ov_name"], "button4");
    EXPECT_EQ(r["properties"]["ov_click_type"], "Others");
    EXPECT_EQ(r["properties"]["ov_tab_index"], 4);
    EXPECT_EQ(r["properties"]["$is_first_time"], true);
    EXPECT_EQ(r["properties"]["ov_app_id"], "Lumapane.downloader");
    EXPECT_EQ(r["properties"]["ov_dlapp_id"], "Lumapane");
    EXPECT_FALSE(r["properties"].contains("ov_dlapp_version"));
    EXPECT_EQ(r["properties"]["ov_sdk_version"], "3.3.4");
    EXPECT_EQ(r["properties"]["$os"], "Linux");
    EXPECT_EQ(r["properties"]["ov_edition"], "china");
    EXPECT_EQ(r["lib"]["$lib"], "cpp");
    EXPECT_EQ(r["distinct_id"].get<std::string>().size(), 36u);
    EXPECT_EQ(Utils::GetPrivateProfileString("Base", "isLogined", "", SettingsFile()), "NG");
    EXPECT_EQ(Utils::GetPrivateProfileString("Base", "URL", "", SettingsFile()), server_.Url());
    EXPECT_EQ(Utils::GetPrivateProfileString("UninstallInfo", "AppStore", "", SettingsFile()), "LumapaneSetup");
}

TEST_F(TrackerTest, CrashFlushesEverythingQueuedAtOnce) {
    createTracker(Config(server_.Url()));
    auto tracker = currentTracker();
    OvEventTask task;
    task.name = "t";
    task.result = kResultUnknown;
    tracker->trackTask(task, OvContextProperties{});
    task.result = kResultSuccess;
    tracker->trackTask(task, OvContextProperties{});
    tracker->trackCrash("崩溃");
    const auto records = Accepted();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_FALSE(records[0]["properties"].contains("ov_task_result"));
    EXPECT_EQ(records[1]["properties"]["ov_task_result"], "Success");
    EXPECT_EQ(records[2]["event"], "AppCrashed");
    EXPECT_EQ(records[2]["properties"]["app_crashed_reason"], "崩溃");
}

TEST_F(TrackerTest, EmptyAppStoreFailsStartUpSilently) {
    TrackerConfig config = Config(server_.Url());
    config.appStore.clear();
    createTracker(config);
    auto tracker = currentTracker();
    ASSERT_TRUE(tracker);
    ::testing::internal::CaptureStdout();
    OvEventClick click;
    click.name = "ok";
    tracker->trackClick(click, OvContextProperties{});
    tracker->trackClick(OvEventClick{}, OvContextProperties{});
    tracker->trackCrash("x");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    tracker.reset();
    releaseTracker();
    EXPECT_EQ(server_.service().RequestCount(), 0u);
}

TEST_F(TrackerTest, RefusedRecordsPrintTheWrapperLineAndSendNothing) {
    createTracker(Config(server_.Url()));
    auto tracker = currentTracker();
    OvEventPayment cancelled;
    cancelled.orderId = "o";
    cancelled.currency = kUSD;
    cancelled.paidPlatform = kPayPal;
    cancelled.result = kResultCancelled;
    OvEventPayment negative = cancelled;
    negative.result = kResultSuccess;
    negative.paidAmount = -1.5f;
    OvEventOrder order;
    order.suitId = "s";
    order.currency = kCNY;
    order.originalAmount = 5;
    OvEventUpdate downloadEnd{kDownloadEnd, kUpdateSuccess, std::nullopt};
    ::testing::internal::CaptureStdout();
    tracker->trackClick(OvEventClick{}, OvContextProperties{});
    tracker->trackPayment(cancelled, OvContextProperties{});
    tracker->trackPayment(negative, OvContextProperties{});
    tracker->trackOrder(order, OvContextProperties{});
    tracker->trackUpdate(downloadEnd, OvContextProperties{});
    tracker->trackAppOpenNotification(nullptr, OvContextProperties{});
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Failed to trackClick\nFailed to trackPayment\nFailed to trackPayment\nFailed to trackOrder\n"
              "Failed to trackUpdate\nFailed to trackAppOpenNotification\n");
    EXPECT_EQ(usage_analytics::Sdk::Queue()->Size(), 0u);

    const struct {
        const char* what;
        std::function<void(UsageTrackerImpl&)> call;
        std::string message;
    } messages[] = {
        {"cancelled", [&](UsageTrackerImpl& t) { t.trackPayment(cancelled, {}); }, "ovEventPayment.result is invalid"},
        {"negative", [&](UsageTrackerImpl& t) { t.trackPayment(negative, {}); }, "paidAmount = -1.500000 is invalid"},
        {"elapsed", [&](UsageTrackerImpl& t) { t.trackUpdate(downloadEnd, {}); }, "invalid elapsed info"},
        {"null", [&](UsageTrackerImpl& t) { t.trackAppOpenNotification(nullptr, {}); },
         "&appOpenNotification is nullptr"},
        {"iap 0", [&](UsageTrackerImpl&) { toString(static_cast<OvIapType>(0)); }, "Unknown ovIapType [0]!"},
    };
    for (const auto& m : messages) {
        SCOPED_TRACE(m.what);
        try {
            m.call(tracker->impl());
            ADD_FAILURE() << "no exception";
        } catch (const OvException& e) {
            EXPECT_EQ(e.what(), m.message);
        }
    }
    EXPECT_EQ(toString(kLoginOrvekUserId), "orvekuserid");
}

TEST_F(TrackerTest, ChangedCollectorUrlGivesAFreshIdentity) {
    createTracker(Config(server_.Url()));
    const std::string first = Utils::GetPrivateProfileString("Base", "DistinctId", "", SettingsFile());
    releaseTracker();
    createTracker(Config(server_.Url()));
    EXPECT_EQ(Utils::GetPrivateProfileString("Base", "DistinctId", "", SettingsFile()), first);
    releaseTracker();
    Utils::WritePrivateProfileString("Base", "UserId", "u1", SettingsFile());
    Utils::WritePrivateProfileString("Base", "isLogined", "OK", SettingsFile());
    createTracker(Config(server_.Url() + "&other=1"));
    const std::string second = Utils::GetPrivateProfileString("Base", "DistinctId", "", SettingsFile());
    EXPECT_NE(second, first);
    EXPECT_EQ(second.size(), 36u);
    EXPECT_EQ(Utils::GetPrivateProfileString("Base", "UserId", "x", SettingsFile()), "");
    EXPECT_EQ(Utils::GetPrivateProfileString("Base", "isLogined", "", SettingsFile()), "NG");
}

TEST_F(TrackerTest, LowerCaseOkReadsAsLoggedOut) {
    createTracker(Config(server_.Url()));
    releaseTracker();
    Utils::WritePrivateProfileString("Base", "UserId", "u1", SettingsFile());
    Utils::WritePrivateProfileString("Base", "isLogined", "ok", SettingsFile());
    createTracker(Config(server_.Url()));
    currentTracker()->trackCrash("c");
    ASSERT_EQ(Accepted().size(), 1u);
    EXPECT_NE(Accepted()[0]["distinct_id"], "u1");
    EXPECT_FALSE(Accepted()[0]["properties"].contains("$is_login_id"));
}

TEST_F(TrackerTest, LoginSwitchesIdentityEvenWhenItFailed) {
    createTracker(Config(server_.Url()));
    LoginUserInfo info;
    info.userId = "user-7";
    info.userType = kLoginEmail;
    currentTracker()->trackLogin(info, false, "bad password", OvContextProperties{});
    const auto records = Accepted();
    ASSERT_FALSE(OfEvent(records, "OvEventLogin").empty());
    const json login = OfEvent(records, "OvEventLogin")[0];
    EXPECT_EQ(login["properties"]["ov_result"], "Fail");
    EXPECT_EQ(login["properties"]["ov_type"], "email");
    const auto signup = OfEvent(records, "$SignUp");
    ASSERT_EQ(signup.size(), 1u);
    EXPECT_EQ(signup[0]["distinct_id"], "user-7");
    EXPECT_EQ(records.back()["distinct_id"], "user-7");
    EXPECT_EQ(records.back()["type"], "profile_set");
    EXPECT_EQ(Utils::GetPrivateProfileString("Base", "isLogined", "", SettingsFile()), "OK");
}

TEST_F(TrackerTest, WithoutCollectorRecordsSurviveInStagingForTheNextRun) {
    const std::string url = server_.Url();
    server_.Stop();
    createTracker(Config(url));
    OvEventView view;
    view.name = "v";
    currentTracker()->trackView(view, OvContextProperties{});
    ::testing::internal::CaptureStderr();
    releaseTracker();
    const std::string err = ::testing::internal::GetCapturedStderr();
    size_t failures = 0;
    for (size_t pos = 0; (pos = err.find("send failed", pos)) != std::string::npos; ++pos) ++failures;
    EXPECT_EQ(failures, 3u);
    const auto lines = analytics_test::Lines(analytics_test::ReadFile(LocalFolder() + "OVSStaging.txt"));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("\"OvEventView\""), std::string::npos);

    // The next run (here with another collector) merges the staging file and sends it.
    CollectorServer next(CollectorServer::Scheme::kHttp);
    ASSERT_TRUE(next.Start());
    createTracker(Config(next.Url()));
    currentTracker()->trackCrash("c");
    const auto sent = next.service().AcceptedRecords();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0]["event"], "OvEventView");
    EXPECT_EQ(sent[1]["event"], "AppCrashed");
    releaseTracker();
    EXPECT_EQ(analytics_test::ReadFile(LocalFolder() + "OVSStaging.txt"), "");
}

TEST(ContextPropertiesTest, AbLabelChecks) {
    const struct {
        std::string value;
        bool valid;
        std::string message;
    } cases[] = {
        {"IN", true, ""}, {"A", true, ""}, {"B2", true, ""}, {"X9Z", true, ""}, {"", false, ""},
        {"ABCD", false, "value's length is great than 3."}, {"aB", false, "First char is not in A to Z"},
        {"2A", false, "First char is not in A to Z"}, {"A-", false, "second char is not in A to Z and 0 to 9"},
        {"Ab", false, "second char is not in A to Z and 0 to 9"},
        {"AB_", false, "third char is not in A to Z and 0 to 9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        if (c.message.empty()) {
            EXPECT_EQ(OvContextProperties::isValidABValue(c.value), c.valid);
        } else {
            try {
                OvContextProperties::isValidABValue(c.value);
                ADD_FAILURE() << "no exception";
            } catch (const OvException& e) {
                EXPECT_EQ(e.what(), c.message);
                EXPECT_EQ(e.function(), "isValidABValue");
            }
        }
    }
    OvContextProperties context;
    try {
        context.setProperty("IN", {7, 15});
        ADD_FAILURE();
    } catch (const OvException& e) {
        EXPECT_EQ(std::string(e.what()), "OvEvent[15] overflow!");
    }
    EXPECT_EQ(context.getEventProperties(7).size(), 1u);
    EXPECT_TRUE(context.getEventProperties(14).empty());
    EXPECT_THROW(context.getEventProperties(15), OvException);
    try {
        context.setProperty("B", {1});
        ADD_FAILURE();
    } catch (const OvException& e) {
        EXPECT_EQ(std::string(e.what()), "Property[ovc_ab] already exist!");
    }
    usage_analytics::PropertiesNode p;
    EXPECT_TRUE(context.appendTo(7, p));
    EXPECT_EQ(p.Find("ovc_ab")->stringValue, "IN");
    EXPECT_FALSE(context.appendTo(3, p));
}

TEST(FactsTest, VersionTextsUserAgentLocaleAndProfileOperations) {
    EXPECT_EQ(facts::windowsVersionText(10, 0, 19045, true, false), "10");
    EXPECT_EQ(facts::windowsVersionText(6, 1, 7601, false, false), "7-32");
    EXPECT_EQ(facts::windowsVersionText(11, 0, 22000, true, false), "11.0.22000");
    EXPECT_EQ(facts::windowsVersionText(5, 2, 0, false, true), "Server 2003 R2");
    EXPECT_EQ(facts::windowsVersionText(4, 0, 0, false, false), "XP-");
    EXPECT_EQ(facts::userAgentFor({"Windows", "10"}, true), "Mozilla/5.0(Windows 10; Win64;)");
    EXPECT_EQ(facts::userAgentFor({"Windows", "7-32"}, false), "Mozilla/5.0(Windows 7-32; Win32;)");
    const auto en = facts::resolveLocale("en_US");
    EXPECT_EQ(en.language + "|" + en.country + "|" + en.locale, "en|US|en_US");
    setenv("LC_ALL", "zh_CN.UTF-8", 1);
    const auto sys = facts::resolveLocale("english");
    EXPECT_EQ(sys.language + "|" + sys.country + "|" + sys.locale, "zh|CN|zh_CN");
    EXPECT_EQ(profileOperationOf("ov_visit_count"), ProfileOperation::kIncrement);
    EXPECT_EQ(profileOperationOf("ov_user_name"), ProfileOperation::kSet);
    EXPECT_EQ(profileOperationOf("$first_visit_time"), ProfileOperation::kSetOnce);
    EXPECT_EQ(profileOperationOf("nope"), ProfileOperation::kUnsupported);
    EXPECT_THROW(NativeUserTracker::ProfileUserPropertyString("ov_visit_count", "1"), OvException);
    EXPECT_THROW(NativeUserTracker::ProfileUserPropertyString("nope", "1"), OvException);
    EXPECT_EQ(facts::newDistinctId().size(), 36u);
}

TEST_F(TrackerTest, DateTimeProfileValuesInMillisecondsOrSeconds) {
    createTracker(Config(server_.Url()));
    NativeUserTracker::ProfileUserPropertyDateTime("ov_last_visit_date", 1700000000000);
    NativeUserTracker::ProfileUserPropertyDateTime("ov_last_visit_date", 1700000000);
    const auto queued = analytics_test::QueuedRecords();
    ASSERT_EQ(queued.size(), 2u);
    EXPECT_EQ(queued[0]["properties"]["ov_last_visit_date"], queued[1]["properties"]["ov_last_visit_date"]);
    EXPECT_EQ(queued[0]["type"], "profile_set");
}

class GlueTest : public TrackerTest {
protected:
    void SetUp() override {
        TrackerTest::SetUp();
        InstallerConfig& cfg = InstallerConfig::Instance();
        cfg.IsEnableAppAnalytics = true;
        cfg.AnalyticsUrl = Utils::ToWide(server_.Url(), Utils::kCodePageUtf8);
    }
};

TEST_F(GlueTest, ScriptedReportsGoOutWithTheGroupLabel) {
    startAnalytics();
    const AnalyticsOptions options{{L"AB", L"IN"}};
    reportTask(L"下载器启动", 0, L"", options);
    reportView(options);
    reportClick(options, L"立即安装");
    reportTask(L"大包下载完毕", 12.5f, L"", options);
    stopAnalytics();
    const auto records = Accepted();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0]["properties"]["ov_task_name"], "下载器启动");
    EXPECT_EQ(records[1]["event"], "OvEventView");
    EXPECT_EQ(records[1]["properties"]["ov_name"], "安装中");
    EXPECT_EQ(records[2]["properties"]["ov_name"], "立即安装");
    EXPECT_EQ(records[3]["properties"]["ov_task_elapsed"], 12.5);
    for (const auto& r : records) {
        EXPECT_EQ(r["properties"]["ovc_ab"], "IN");
        EXPECT_EQ(r["properties"]["ov_app_id"], "Lumapane.downloader");
        if (r["event"] == "OvEventTask") {
            EXPECT_EQ(r["properties"]["ov_task_result"], "Success");
        }
    }
}

TEST_F(GlueTest, CrashSendsAtOnceAndSwitchOffDoesNothing) {
    startAnalytics();
    reportTask(L"崩溃退出", 0, L"", {{L"AB", L"IN"}});
    reportCrash();
    ASSERT_EQ(Accepted().size(), 2u);
    EXPECT_FALSE(Accepted()[1]["properties"].contains("ovc_ab"));
    stopAnalytics();

    InstallerConfig::Instance().IsEnableAppAnalytics = false;
    analytics_test::TempDir other;
    setenv("XDG_STATE_HOME", other.path().c_str(), 1);
    startAnalytics();
    EXPECT_FALSE(currentTracker());
    reportCrash();
    stopAnalytics();
    // Switched on after start-up (the command line): still no tracker, nothing sent.
    InstallerConfig::Instance().IsEnableAppAnalytics = true;
    reportClick({{L"AB", L"IN"}}, L"立即体验");
    stopAnalytics();
    EXPECT_EQ(Accepted().size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(other.path() / "OVLocal"));
}

}  // namespace
