#pragma once

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "PropertiesNode.h"
#include "PropertyValue.h"

namespace orvek::usage {

// Position of each event in the tracker's interface; context properties are kept per event.
enum OvEventIndex : int {
    kEventActivity = 0,
    kEventLaunch = 1,
    kEventLogin = 2,
    kEventClick = 3,
    kEventView = 4,
    kEventCashier = 5,
    kEventShare = 6,
    kEventTask = 7,
    kEventFile = 8,
    kEventOrder = 9,
    kEventPayment = 10,
    kEventUninstall = 11,
    kEventCrash = 12,
    kEventUpdate = 13,
    kEventNotificationOpen = 14,
    kEventCount = 15,
};

// Extra properties that a caller attaches to chosen events (here the A/B group label).
class OvContextProperties {
public:
    struct Entry {
        std::shared_ptr<const usage_analytics::PropertyValue> value;
        usage_analytics::PropertyValue::Kind kind;
        std::string name;
    };

    // Throws OvException for a label that is too long or has a bad character; an empty
    // label is simply invalid.
    static bool isValidABValue(const std::string& value);

    // Registers the label under "ovc_ab" and lists it for each event index given.
    void setProperty(const std::string& value, const std::vector<int>& events);
    const std::vector<Entry>& getEventProperties(int index) const;
    // Sets the event's entries into the property set; false when it has none.
    bool appendTo(int index, usage_analytics::PropertiesNode& properties) const;

private:
    std::unordered_map<std::string, std::shared_ptr<const usage_analytics::PropertyValue>> registry_;
    std::array<std::vector<Entry>, kEventCount> events_;
};

}  // namespace orvek::usage
