#include "OvContextProperties.h"

#include "OvException.h"
#include "PropertyNames.h"

namespace orvek::usage {
namespace {

constexpr const char* kUnit = "OvContextProperties";
constexpr size_t kMaxAbLength = 3;

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsUpperOrDigit(char c) { return IsUpper(c) || (c >= '0' && c <= '9'); }

[[noreturn]] void ThrowOverflow(const char* function, int index) {
    OV_THROW(kUnit, function, "OvEvent[" + std::to_string(index) + "] overflow!");
}

}  // namespace

bool OvContextProperties::isValidABValue(const std::string& value) {
    if (value.empty()) return false;
    if (value.size() > kMaxAbLength) OV_THROW(kUnit, "isValidABValue", "value's length is great than 3.");
    if (!IsUpper(value[0])) OV_THROW(kUnit, "isValidABValue", "First char is not in A to Z");
    if (value.size() > 1 && !IsUpperOrDigit(value[1]))
        OV_THROW(kUnit, "isValidABValue", "second char is not in A to Z and 0 to 9");
    if (value.size() > 2 && !IsUpperOrDigit(value[2]))
        OV_THROW(kUnit, "isValidABValue", "third char is not in A to Z and 0 to 9");
    return true;
}

void OvContextProperties::setProperty(const std::string& value, const std::vector<int>& events) {
    const std::string name = prop::kAbGroup;
    if (registry_.count(name)) OV_THROW(kUnit, "setProperty", "Property[" + name + "] already exist!");
    auto stored = std::make_shared<usage_analytics::PropertyValue>();
    stored->kind = usage_analytics::PropertyValue::kString;
    stored->stringValue = value;
    registry_.emplace(name, stored);
    for (int index : events) {
        if (index < 0 || index >= kEventCount) ThrowOverflow("setProperty", index);
        events_[index].push_back(Entry{stored, stored->kind, name});
    }
}

const std::vector<OvContextProperties::Entry>& OvContextProperties::getEventProperties(int index) const {
    if (index < 0 || index >= kEventCount) ThrowOverflow("getEventProperties", index);
    return events_[index];
}

bool OvContextProperties::appendTo(int index, usage_analytics::PropertiesNode& properties) const {
    const auto& entries = getEventProperties(index);
    if (entries.empty()) return false;
    for (const auto& e : entries) {
        switch (e.kind) {
            case usage_analytics::PropertyValue::kString: properties.SetString(e.name, e.value->stringValue); break;
            case usage_analytics::PropertyValue::kInteger: properties.SetInteger(e.name, e.value->integerValue); break;
            case usage_analytics::PropertyValue::kDouble: properties.SetDouble(e.name, e.value->doubleValue); break;
            case usage_analytics::PropertyValue::kBool: properties.SetBool(e.name, e.value->boolValue); break;
            default: break;
        }
    }
    return true;
}

}  // namespace orvek::usage
