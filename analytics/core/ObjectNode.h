#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "PropertyValue.h"

namespace usage_analytics::utils {

// Property map ordered by byte-wise name comparison, which fixes the member
// order of the JSON text.
class ObjectNode {
public:
    using Members = std::map<std::string, PropertyValue>;

    ObjectNode() = default;
    ObjectNode(const ObjectNode&) = default;
    ObjectNode& operator=(const ObjectNode&) = default;
    virtual ~ObjectNode() = default;

    void SetDouble(const std::string& name, double value);
    void SetInteger(const std::string& name, int32_t value);
    void SetInteger(const std::string& name, int64_t value);
    // Refused (and reported) when the value is too long or not well-formed text;
    // an earlier value under the name then stays.
    bool SetString(const std::string& name, const std::string& value);
    bool SetString(const std::string& name, const char* value);
    void SetBool(const std::string& name, bool value);
    void SetList(const std::string& name, const std::vector<std::string>& values);
    void SetDateTime(const std::string& name, int64_t seconds, int milliseconds);
    virtual void SetObject(const std::string& name, const ObjectNode& value);

    void Merge(const ObjectNode& other);

    const PropertyValue* Find(const std::string& name) const;
    bool Remove(const std::string& name);
    bool Empty() const { return members_.empty(); }
    size_t Size() const { return members_.size(); }
    const Members& members() const { return members_; }

    static std::string ToJson(const ObjectNode& node);

protected:
    PropertyValue& Slot(const std::string& name) { return members_[name]; }

private:
    Members members_;
};

}  // namespace usage_analytics::utils
