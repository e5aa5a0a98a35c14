#pragma once

#include <memory>

#include "TrackerConfig.h"
#include "UsageTrackerWrapper.h"

namespace orvek::usage {

// Builds and starts the process-wide tracker. A failed start-up is dropped
// silently: the tracker still exists and the core discards its records.
void createTracker(const TrackerConfig& config);
// Drops the process-wide pointer; the last owner's release shuts the tracker down.
void releaseTracker();
// The process-wide tracker, or null.
std::shared_ptr<UsageTrackerWrapper> currentTracker();

}  // namespace orvek::usage
