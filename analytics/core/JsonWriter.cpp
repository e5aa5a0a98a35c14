// The JSON text of a record: no white space, member names unescaped, only the
// short escapes, doubles as "%g" would print them.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "ObjectNode.h"

namespace usage_analytics::utils {
namespace {

void AppendString(std::string& out, const std::string& text) {
    out += '"';
    for (char c : text) {
        switch (c) {
            case '\b': out += "\\b"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\f': out += "\\f"; break;
            case '\r': out += "\\r"; break;
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            default: out += c;
        }
    }
    out += '"';
}

void AppendDouble(std::string& out, double value) {
    // A non-finite number has no JSON form and would make the collector refuse
    // the whole batch, so it goes out as null.
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 6);
    out.append(buf, res.ptr);
}

void AppendDateTime(std::string& out, int64_t seconds, int milliseconds) {
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_r(&t, &local);
    char buf[64];
    std::snprintf(buf, sizeof buf, "\"%04d-%02d-%02d %02d:%02d:%02d.%03d\"", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, milliseconds);
    out += buf;
}

void AppendObject(std::string& out, const ObjectNode& node);

void AppendValue(std::string& out, const PropertyValue& v) {
    switch (v.kind) {
        case PropertyValue::kDouble: AppendDouble(out, v.doubleValue); break;
        case PropertyValue::kInteger: out += std::to_string(v.integerValue); break;
        case PropertyValue::kString: AppendString(out, v.stringValue); break;
        case PropertyValue::kStringList:
            out += '[';
            for (size_t i = 0; i < v.listValue.size(); ++i) {
                if (i) out += ',';
                AppendString(out, v.listValue[i]);
            }
            out += ']';
            break;
        case PropertyValue::kDateTime: AppendDateTime(out, v.seconds, v.milliseconds); break;
        case PropertyValue::kBool: out += v.boolValue ? "true" : "false"; break;
        case PropertyValue::kObject:
            if (v.objectValue) {
                AppendObject(out, *v.objectValue);
            } else {
                out += "{}";
            }
            break;
        case PropertyValue::kUnset: out += "null"; break;
    }
}

void AppendObject(std::string& out, const ObjectNode& node) {
    out += '{';
    bool first = true;
    for (const auto& [name, value] : node.members()) {
        if (!first) out += ',';
        first = false;
        out += '"';
        out += name;
        out += "\":";
        AppendValue(out, value);
    }
    out += '}';
}

}  // namespace

std::string ObjectNode::ToJson(const ObjectNode& node) {
    std::string out;
    AppendObject(out, node);
    return out;
}

}  // namespace usage_analytics::utils
