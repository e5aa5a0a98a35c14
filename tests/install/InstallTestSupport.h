#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "InstallDeps.h"

namespace InstallTest {

struct Event {
    int code;
    double value;
    std::wstring text;
    bool operator==(const Event&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Event& e);

// Collects callback events from any thread; tests wait on it.
class EventLog {
public:
    DownloadCallback Callback();
    // Waits until an event satisfies `match`; false after the safety timeout.
    bool WaitFor(const std::function<bool(const Event&)>& match);
    bool WaitForCode(int code);
    // Waits until `count` events carry one of the codes.
    bool WaitForCount(std::vector<int> codes, std::size_t count);
    std::vector<Event> Events() const;
    std::vector<int> Codes() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Event> events_;
};

// A fresh folder under the build tree, removed at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// A named pipe the stand-in's "wait" step blocks on until Release().
class Gate {
public:
    explicit Gate(std::string path);
    const std::string& Path() const { return path_; }
    // Lets one waiting stand-in go on; false if none came within the safety timeout.
    bool Release();

private:
    std::string path_;
};

inline constexpr auto kSafetyTimeout = std::chrono::seconds(60);

std::wstring Wide(const std::string& utf8);
std::string ReadFile(const std::string& path);
std::vector<std::string> ReadLines(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);
bool FileExists(const std::string& path);

// Paths of the stand-in programs built beside the tests.
std::string SetupStandIn();
std::string UninstallStandIn();

}  // namespace InstallTest
