#pragma once

#include <string>

#include "OvEvents.h"

namespace orvek::usage {

// What the creator of the tracker hands over; all strings UTF-8.
struct TrackerConfig {
    std::string appName;
    std::string appVersion;
    std::string appStore;
    std::string dlappId;
    std::string dlappVersion;
    std::string reserved;
    std::string logPath;     // empty: the default log file
    int edition = kEditionChina;
    std::string serverUrl;   // empty: the default collector
};

// The collector used when the config names none: https://<build-time host>/collect?project=pc
std::string defaultCollectorUrl();

}  // namespace orvek::usage
