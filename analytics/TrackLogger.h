#pragma once

#include <string>

#include "PropertiesNode.h"

namespace orvek::usage {

// The tracker's own log.
class TrackLogger {
public:
    enum Level : int { kDebug = 0, kInfo = 1, kWarning = 2, kError = 3 };

    virtual ~TrackLogger() = default;
    virtual void log(Level level, const std::string& text) = 0;
    virtual void logEvent(const std::string& event, const usage_analytics::PropertiesNode& properties) = 0;
};

}  // namespace orvek::usage
