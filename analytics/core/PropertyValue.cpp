#include "PropertyValue.h"

#include "ObjectNode.h"

namespace usage_analytics {

PropertyValue::PropertyValue() = default;
PropertyValue::PropertyValue(PropertyValue&&) noexcept = default;
PropertyValue& PropertyValue::operator=(PropertyValue&&) noexcept = default;
PropertyValue::~PropertyValue() = default;

PropertyValue::PropertyValue(const PropertyValue& other)
    : kind(other.kind),
      doubleValue(other.doubleValue),
      integerValue(other.integerValue),
      boolValue(other.boolValue),
      seconds(other.seconds),
      milliseconds(other.milliseconds),
      stringValue(other.stringValue),
      listValue(other.listValue),
      objectValue(other.objectValue ? std::make_unique<utils::ObjectNode>(*other.objectValue) : nullptr) {}

PropertyValue& PropertyValue::operator=(const PropertyValue& other) {
    if (this != &other) {
        PropertyValue copy(other);
        *this = std::move(copy);
    }
    return *this;
}

}  // namespace usage_analytics
