#pragma once

#include <atomic>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>

namespace demo {

class CollectorService;

// One readable line for a usage record: its event (or action type), then the
// properties outside the collector's "$" vocabulary as name=value.
std::string FormatRecord(const nlohmann::json& record);

// Prints every record that the collector accepts, as it arrives, on its own thread.
class EventPrinter {
public:
    EventPrinter(CollectorService& service, std::function<void(const std::string&)> say);
    ~EventPrinter();
    EventPrinter(const EventPrinter&) = delete;
    EventPrinter& operator=(const EventPrinter&) = delete;

    // Prints what is left and ends the thread.
    void Stop();

private:
    void Run();
    void PrintNew();

    CollectorService& service_;
    std::function<void(const std::string&)> say_;
    size_t printedBatches_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace demo
