#include "Tracker.h"

#include <mutex>

namespace orvek::usage {
namespace {

std::mutex g_lock;
std::shared_ptr<UsageTrackerWrapper> g_tracker;

}  // namespace

void createTracker(const TrackerConfig& config) {
    auto impl = std::make_unique<UsageTrackerImpl>(config);
    try {
        impl->init();
    } catch (...) {
    }
    std::shared_ptr<UsageTrackerWrapper> previous = std::make_shared<UsageTrackerWrapper>(std::move(impl));
    std::lock_guard guard(g_lock);
    g_tracker.swap(previous);
}

void releaseTracker() {
    std::shared_ptr<UsageTrackerWrapper> last;
    {
        std::lock_guard guard(g_lock);
        last.swap(g_tracker);
    }
    // The shutdown (and its flush) runs here, outside the lock.
}

std::shared_ptr<UsageTrackerWrapper> currentTracker() {
    std::lock_guard guard(g_lock);
    return g_tracker;
}

}  // namespace orvek::usage
