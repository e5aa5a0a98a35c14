#pragma once

#include <fstream>
#include <mutex>
#include <string>

#include "TrackLogger.h"

namespace orvek::usage {

// Appends lines "<ms since 1970> <LEVEL> <text>" and "<ms> EVENT <name> <json>" to a file.
class NativeTrackLogger : public TrackLogger {
public:
    ~NativeTrackLogger() override;

    void open(const std::string& path);
    void log(Level level, const std::string& text) override;
    void logEvent(const std::string& event, const usage_analytics::PropertiesNode& properties) override;

    const std::string& path() const { return path_; }

private:
    void WriteLine(const std::string& line);

    std::string path_;
    std::fstream stream_;
    std::mutex lock_;
};

}  // namespace orvek::usage
