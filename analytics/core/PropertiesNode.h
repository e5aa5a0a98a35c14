#pragma once

#include "ObjectNode.h"

namespace usage_analytics {

// The property set that callers fill; it never holds a nested object.
class PropertiesNode : public utils::ObjectNode {
public:
    void SetObject(const std::string& name, const utils::ObjectNode& value) override;
    ~PropertiesNode() override = default;
};

}  // namespace usage_analytics
