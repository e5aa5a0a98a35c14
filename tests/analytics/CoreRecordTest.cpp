// Validation rules and record building of the analytics core.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "AnalyticsTestSupport.h"
#include "PropertiesNode.h"
#include "Sdk.h"

using usage_analytics::PropertiesNode;
using usage_analytics::Sdk;
using nlohmann::json;

namespace {

constexpr const char* kUnusedCollector = "http://127.0.0.1:9/collect?project=pc";

class CoreRecordTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Sdk::Init(dir_.folder(), kUnusedCollector, "device-1", false)); }
    void TearDown() override { Sdk::Shutdown(); }

    // Runs fn with standard error captured; returns what it printed.
    template <typename Fn>
    static std::string Stderr(Fn&& fn) {
        ::testing::internal::CaptureStderr();
        fn();
        return ::testing::internal::GetCapturedStderr();
    }

    analytics_test::TempDir dir_;
};

TEST_F(CoreRecordTest, EventNamesFollowTheVariableNameRule) {
    const std::string badByte = "The Event Name need to be a valid variable name.";
    const std::string badLength = "The Event Name is empty or too long, max length is 100";
    const struct {
        std::string name;
        bool accepted;
        std::string message;
    } cases[] = {
        {"9lives", false, badByte},          {"my-event", false, badByte},  {"", false, badLength},
        {"a.b", false, badByte},             {"caf\xC3\xA9", false, badByte}, {"$SignUp", true, ""},
        {"_x", true, ""},                    {"Ev3nt_$", true, ""},          {std::string(100, 'e'), true, ""},
        {std::string(101, 'e'), false, badLength},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t before = Sdk::Queue()->Size();
        bool result = false;
        const std::string err = Stderr([&] { result = Sdk::Track(c.name); });
        EXPECT_EQ(result, c.accepted);
        EXPECT_EQ(Sdk::Queue()->Size(), before + (c.accepted ? 1 : 0));
        EXPECT_EQ(err, c.message);
    }
}

TEST_F(CoreRecordTest, PropertyKeysAndReservedKindsRefuseTheWholeCall) {
    const struct {
        const char* what;
        PropertiesNode props;
        std::string message;
    } cases[] = {
        {"blank in key", [] { PropertiesNode p; p.SetString("fine", "v"); p.SetString("a b", "v"); return p; }(),
         "The Property Key need to be a valid variable name."},
        {"time as integer", [] { PropertiesNode p; p.SetInteger("$time", int64_t{1700000000}); return p; }(),
         "The property '$time' should be DateTime type."},
        {"project as bool", [] { PropertiesNode p; p.SetBool("$project", true); return p; }(),
         "The property '$project' should be String type."},
        {"long key", [] { PropertiesNode p; p.SetBool(std::string(101, 'k'), true); return p; }(),
         "The Property Key is empty or too long, max length is 100"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        bool result = true;
        const std::string err = Stderr([&] { result = Sdk::Track("Ev", c.props); });
        EXPECT_FALSE(result);
        EXPECT_EQ(err, c.message);
        EXPECT_EQ(Sdk::Queue()->Size(), 0u);
    }
}

TEST_F(CoreRecordTest, StringValuesMustBeShortWellFormedText) {
    const struct {
        const char* what;
        std::string value;
        bool accepted;
    } cases[] = {
        {"8192 bytes", std::string(8192, 'v'), true},
        {"8193 bytes", std::string(8193, 'v'), false},
        {"tab lf cr", "a\tb\nc\r", true},
        {"e acute", "caf\xC3\xA9", true},
        {"CJK", "\xE5\xAE\x89\xE8\xA3\x85", true},
        {"four-byte", "\xF0\x9F\x98\x80", true},
        {"U+10FFFF", "\xF4\x8F\xBF\xBF", true},
        {"0x01", "a\x01z", false},
        {"0x7F", "a\x7Fz", false},
        {"lone continuation", "a\x80z", false},
        {"overlong slash", "\xC0\xAF", false},
        {"overlong three-byte", "\xE0\x80\xAF", false},
        {"surrogate", "\xED\xA0\x80", false},
        {"above U+10FFFF", "\xF4\x90\x80\x80", false},
        {"truncated two-byte", "ab\xC3", false},
        {"truncated four-byte", "\xF0\x9F\x98", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PropertiesNode props;
        ASSERT_TRUE(props.SetString("k", "old"));
        bool stored = false;
        const std::string err = Stderr([&] { stored = props.SetString("k", c.value); });
        EXPECT_EQ(stored, c.accepted);
        EXPECT_EQ(props.Find("k")->stringValue, c.accepted ? c.value : "old");
        if (c.accepted) {
            EXPECT_EQ(err, "");
        } else if (c.value.size() > 8192) {
            EXPECT_EQ(err, "String property 'k' is too long, value: " + c.value + "\n");
        } else {
            EXPECT_EQ(err, "String property 'k' is not valid UTF-8 string, value: " + c.value + "\n");
        }
    }
}

TEST_F(CoreRecordTest, TrackRecordCarriesLibSuperPropertiesAndTimeFromDollarTime) {
    PropertiesNode props;
    props.SetDateTime("$time", 1700000000, 250);
    props.SetString("$project", "");
    props.SetString("ov_name", "x");
    ASSERT_TRUE(Sdk::Track("OvEventClick", props));
    PropertiesNode named;
    named.SetString("$project", "lumapane");
    ASSERT_TRUE(Sdk::Track("OvEventClick", named));

    const auto records = analytics_test::QueuedRecords();
    ASSERT_EQ(records.size(), 2u);
    const json& r = records[0];
    EXPECT_EQ(r["time"], 1700000000250LL);
    EXPECT_EQ(r["type"], "track");
    EXPECT_EQ(r["event"], "OvEventClick");
    EXPECT_EQ(r["distinct_id"], "device-1");
    EXPECT_EQ(r["lib"], json({{"$lib", "cpp"}, {"$lib_method", "code"}, {"$lib_version", "0.7"}}));
    EXPECT_EQ(r["properties"], json({{"$lib", "cpp"}, {"$lib_version", "0.7"}, {"ov_name", "x"}}));
    EXPECT_FALSE(r.contains("project"));
    EXPECT_FALSE(r.contains("original_id"));
    EXPECT_EQ(records[1]["project"], "lumapane");
    EXPECT_FALSE(records[1]["properties"].contains("$project"));
    // Without "$time" the record is stamped with the current time.
    const int64_t now = static_cast<int64_t>(std::time(nullptr)) * 1000;
    EXPECT_LE(std::llabs(records[1]["time"].get<int64_t>() - now), 60000);
}

TEST_F(CoreRecordTest, ProfileAndSignupRecordsHaveTheirOwnShape) {
    Sdk::ProfileSet("ov_label", std::string("L"));
    Sdk::ProfileSetOnce("$first_visit_time", 7);
    Sdk::ProfileIncrement("ov_visit_count", 1);
    Sdk::ProfileAppend("ov_tags", "t");
    PropertiesNode own;
    own.SetString("$ios_install_source", "mine");
    Sdk::TrackInstallation("OvEventActivity", own);
    Sdk::TrackInstallation("OvEventActivity", PropertiesNode{});
    ASSERT_TRUE(Sdk::TrackSignup("user-9"));
    Sdk::Track("After");

    const auto r = analytics_test::QueuedRecords();
    ASSERT_EQ(r.size(), 8u);
    const char* types[] = {"profile_set", "profile_set_once", "profile_increment", "profile_append"};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(types[i]);
        EXPECT_EQ(r[i]["type"], types[i]);
        EXPECT_FALSE(r[i].contains("event"));
        EXPECT_FALSE(r[i]["properties"].contains("$lib"));
        EXPECT_EQ(r[i]["distinct_id"], "device-1");
    }
    EXPECT_EQ(r[0]["properties"], json({{"ov_label", "L"}}));
    EXPECT_EQ(r[3]["properties"], json({{"ov_tags", {"t"}}}));
    EXPECT_EQ(r[4]["properties"]["$ios_install_source"], "mine");
    EXPECT_EQ(r[5]["properties"]["$ios_install_source"], "");
    EXPECT_EQ(r[6]["type"], "track_signup");
    EXPECT_EQ(r[6]["event"], "$SignUp");
    EXPECT_EQ(r[6]["distinct_id"], "user-9");
    EXPECT_EQ(r[6]["original_id"], "device-1");
    EXPECT_EQ(r[6]["properties"]["$lib"], "cpp");
    EXPECT_EQ(r[7]["distinct_id"], "user-9");
    EXPECT_EQ(r[7]["properties"]["$is_login_id"], true);
}

TEST_F(CoreRecordTest, SuperPropertiesAreMergedAndCallerValuesWin) {
    PropertiesNode super;
    super.SetString("ov_app_id", "Lumapane.downloader");
    super.SetString("ov_edition", "china");
    Sdk::RegisterSuperProperties(super);
    PropertiesNode props;
    props.SetString("ov_edition", "overseas");
    Sdk::Track("Ev", props);
    const auto r = analytics_test::QueuedRecords();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0]["properties"]["ov_app_id"], "Lumapane.downloader");
    EXPECT_EQ(r[0]["properties"]["ov_edition"], "overseas");
}

TEST(CoreInitTest, IdentityRuleAndSecondInit) {
    analytics_test::TempDir dir;
    const struct {
        std::string id;
        std::string message;
    } refused[] = {
        {"", "The Distinct ID is empty.\n"},
        {std::string(256, 'i'), "The Distinct ID is too long, max length is 255.\n"},
    };
    for (const auto& c : refused) {
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(Sdk::Init(dir.folder(), kUnusedCollector, c.id, false));
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.message);
        EXPECT_FALSE(Sdk::IsLive());
        EXPECT_FALSE(Sdk::Track("Dropped"));
    }
    ASSERT_TRUE(Sdk::Init(dir.folder(), kUnusedCollector, std::string(255, 'i'), false));
    EXPECT_TRUE(Sdk::Init(dir.folder(), kUnusedCollector, "second", true));
    Sdk::Track("Ev");
    const auto r = analytics_test::QueuedRecords();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0]["distinct_id"], std::string(255, 'i'));
    EXPECT_FALSE(r[0]["properties"].contains("$is_login_id"));
    Sdk::Shutdown();
    EXPECT_FALSE(Sdk::Flush());
}

}  // namespace
