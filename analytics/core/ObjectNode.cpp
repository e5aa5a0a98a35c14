#include "ObjectNode.h"

#include "PropertiesNode.h"
#include "ValueRules.h"

namespace usage_analytics::utils {

void ObjectNode::SetDouble(const std::string& name, double value) {
    PropertyValue v;
    v.kind = PropertyValue::kDouble;
    v.doubleValue = value;
    members_[name] = std::move(v);
}

void ObjectNode::SetInteger(const std::string& name, int32_t value) { SetInteger(name, static_cast<int64_t>(value)); }

void ObjectNode::SetInteger(const std::string& name, int64_t value) {
    PropertyValue v;
    v.kind = PropertyValue::kInteger;
    v.integerValue = value;
    members_[name] = std::move(v);
}

bool ObjectNode::SetString(const std::string& name, const std::string& value) {
    if (!CheckStringValue(name, value)) return false;
    PropertyValue v;
    v.kind = PropertyValue::kString;
    v.stringValue = value;
    members_[name] = std::move(v);
    return true;
}

bool ObjectNode::SetString(const std::string& name, const char* value) {
    return SetString(name, std::string(value ? value : ""));
}

void ObjectNode::SetBool(const std::string& name, bool value) {
    PropertyValue v;
    v.kind = PropertyValue::kBool;
    v.boolValue = value;
    members_[name] = std::move(v);
}

void ObjectNode::SetList(const std::string& name, const std::vector<std::string>& values) {
    PropertyValue v;
    v.kind = PropertyValue::kStringList;
    v.listValue = values;
    members_[name] = std::move(v);
}

void ObjectNode::SetDateTime(const std::string& name, int64_t seconds, int milliseconds) {
    PropertyValue v;
    v.kind = PropertyValue::kDateTime;
    v.seconds = seconds;
    v.milliseconds = milliseconds;
    members_[name] = std::move(v);
}

void ObjectNode::SetObject(const std::string& name, const ObjectNode& value) {
    PropertyValue v;
    v.kind = PropertyValue::kObject;
    v.objectValue = std::make_unique<ObjectNode>(value);
    members_[name] = std::move(v);
}

void ObjectNode::Merge(const ObjectNode& other) {
    if (&other == this) return;
    for (const auto& [name, value] : other.members_) members_[name] = value;
}

const PropertyValue* ObjectNode::Find(const std::string& name) const {
    auto it = members_.find(name);
    return it == members_.end() ? nullptr : &it->second;
}

bool ObjectNode::Remove(const std::string& name) { return members_.erase(name) > 0; }

}  // namespace usage_analytics::utils

namespace usage_analytics {

void PropertiesNode::SetObject(const std::string&, const utils::ObjectNode&) {}

}  // namespace usage_analytics
