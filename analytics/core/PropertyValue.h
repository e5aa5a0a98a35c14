#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace usage_analytics {

namespace utils {
class ObjectNode;
}

// One typed property value; the kind says which payload member is meaningful.
struct PropertyValue {
    enum Kind {
        kDouble = 0,
        kInteger = 1,
        kString = 2,
        kStringList = 3,
        kDateTime = 4,
        kBool = 5,
        kObject = 6,
        kUnset = 7,
    };

    PropertyValue();
    PropertyValue(const PropertyValue& other);
    PropertyValue& operator=(const PropertyValue& other);
    PropertyValue(PropertyValue&&) noexcept;
    PropertyValue& operator=(PropertyValue&&) noexcept;
    ~PropertyValue();

    Kind kind = kUnset;
    double doubleValue = 0.0;
    int64_t integerValue = 0;
    bool boolValue = false;
    int64_t seconds = 0;
    int milliseconds = 0;
    std::string stringValue;
    std::vector<std::string> listValue;
    std::unique_ptr<utils::ObjectNode> objectValue;
};

}  // namespace usage_analytics
