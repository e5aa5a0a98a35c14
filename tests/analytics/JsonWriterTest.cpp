// Byte-exact JSON text of the analytics core.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>

#include "ObjectNode.h"
#include "PropertiesNode.h"

using usage_analytics::PropertiesNode;
using usage_analytics::utils::ObjectNode;

namespace {

TEST(JsonWriterTest, MembersComeOutInByteOrderWithoutWhiteSpace) {
    ObjectNode node;
    node.SetInteger("abc", 1);
    node.SetInteger("_x", 2);
    node.SetInteger("Zeta", 3);
    node.SetString("$app_version", "1.7.9");
    node.SetBool("b", false);
    node.SetList("list", {"a", "b\"c"});
    ObjectNode inner;
    inner.SetBool("t", true);
    node.SetObject("obj", inner);
    EXPECT_EQ(ObjectNode::ToJson(node),
              R"({"$app_version":"1.7.9","Zeta":3,"_x":2,"abc":1,"b":false,"list":["a","b\"c"],"obj":{"t":true}})");
}

TEST(JsonWriterTest, NumbersAreWrittenLikePrintfG) {
    const struct {
        double value;
        const char* text;
    } doubles[] = {
        {0.1, "0.1"},          {1234.5, "1234.5"},   {1234567.0, "1.23457e+06"}, {100000000.0, "1e+08"},
        {0.0001, "0.0001"},    {0.00001, "1e-05"},   {-2.5, "-2.5"},             {123456.0, "123456"},
        {0.0, "0"},            {1.0 / 3, "0.333333"}, {std::numeric_limits<double>::quiet_NaN(), "null"},
        {std::numeric_limits<double>::infinity(), "null"},
    };
    for (const auto& d : doubles) {
        ObjectNode node;
        node.SetDouble("d", d.value);
        EXPECT_EQ(ObjectNode::ToJson(node), std::string("{\"d\":") + d.text + "}") << d.text;
    }
    ObjectNode ints;
    ints.SetInteger("a", -5);
    ints.SetInteger("b", int64_t{1700000000250});
    EXPECT_EQ(ObjectNode::ToJson(ints), R"({"a":-5,"b":1700000000250})");
}

TEST(JsonWriterTest, StringsUseOnlyTheShortEscapes) {
    ObjectNode node;
    // The list setter applies no checks, so raw control bytes reach the writer.
    node.SetList("l", {std::string("\b\t\n\f\r\"\\/\x01") + "caf\xC3\xA9"});
    EXPECT_EQ(ObjectNode::ToJson(node), "{\"l\":[\"\\b\\t\\n\\f\\r\\\"\\\\/\x01" "caf\xC3\xA9\"]}");
}

TEST(JsonWriterTest, DateTimeIsQuotedLocalTime) {
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "UTC", 1);
    tzset();
    ObjectNode node;
    node.SetDateTime("t", 1700000000, 42);
    EXPECT_EQ(ObjectNode::ToJson(node), R"({"t":"2023-11-14 22:13:20.042"})");
    setenv("TZ", "Asia/Shanghai", 1);
    tzset();
    EXPECT_EQ(ObjectNode::ToJson(node), R"({"t":"2023-11-15 06:13:20.042"})");
    if (old) {
        setenv("TZ", saved.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

TEST(JsonWriterTest, PropertySetsHoldNoNestedObjectAndMergeOverwrites) {
    PropertiesNode props;
    props.SetObject("o", ObjectNode{});
    EXPECT_EQ(props.Find("o"), nullptr);
    PropertiesNode other;
    other.SetInteger("a", 2);
    other.SetString("b", "x");
    props.SetInteger("a", 1);
    props.Merge(other);
    EXPECT_EQ(ObjectNode::ToJson(props), R"({"a":2,"b":"x"})");
}

}  // namespace
