#include "NativeTrackLogger.h"

#include "SystemFacts.h"

namespace orvek::usage {

NativeTrackLogger::~NativeTrackLogger() {
    std::lock_guard guard(lock_);
    if (stream_.is_open()) stream_.close();
}

void NativeTrackLogger::open(const std::string& path) {
    std::lock_guard guard(lock_);
    if (!path_.empty() && path == path_) return;
    if (stream_.is_open()) stream_.close();
    if (!facts::fileExists(path)) std::ofstream(path, std::ios::out);
    stream_.open(path, std::ios::in | std::ios::out | std::ios::app);
    path_ = path;
}

void NativeTrackLogger::log(Level level, const std::string& text) {
    static const char* const kNames[] = {"DEBUG", "INFO", "WARNING", "ERROR"};
    const char* name = level >= kDebug && level <= kError ? kNames[level] : "INFO";
    WriteLine(std::to_string(facts::trackTime()) + " " + name + " " + text);
}

void NativeTrackLogger::logEvent(const std::string& event, const usage_analytics::PropertiesNode& properties) {
    WriteLine(std::to_string(facts::trackTime()) + " EVENT " + event + " " +
              usage_analytics::utils::ObjectNode::ToJson(properties));
}

void NativeTrackLogger::WriteLine(const std::string& line) {
    std::lock_guard guard(lock_);
    if (!stream_.is_open()) return;
    stream_ << line << '\n';
    stream_.flush();
}

}  // namespace orvek::usage
