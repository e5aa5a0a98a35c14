#include "EventPrinter.h"

#include <chrono>

#include "CollectorService.h"

namespace demo {

namespace {
constexpr auto kWakeUp = std::chrono::milliseconds(200);

std::string Plain(const nlohmann::json& value) {
    return value.is_string() ? value.get<std::string>() : value.dump();
}
}  // namespace

std::string FormatRecord(const nlohmann::json& record) {
    if (!record.is_object())
        return "record " + record.dump();
    std::string line = "event ";
    if (record.contains("event"))
        line += Plain(record["event"]);
    else
        line += "(" + Plain(record.value("type", nlohmann::json("?"))) + ")";
    if (auto p = record.find("properties"); p != record.end() && p->is_object()) {
        for (const auto& [name, value] : p->items()) {
            if (!name.empty() && name[0] == '$')
                continue;
            line += " " + name + "=" + Plain(value);
        }
    }
    return line;
}

EventPrinter::EventPrinter(CollectorService& service, std::function<void(const std::string&)> say)
    : service_(service), say_(std::move(say)), thread_([this] { Run(); }) {}

EventPrinter::~EventPrinter() { Stop(); }

void EventPrinter::Stop() {
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

void EventPrinter::PrintNew() {
    auto batches = service_.Batches();
    for (; printedBatches_ < batches.size(); ++printedBatches_) {
        const auto& batch = batches[printedBatches_];
        if (!batch.decoded) {
            say_("batch rejected (" + std::to_string(batch.status) + "): " + batch.error);
            continue;
        }
        for (const auto& record : batch.records)
            say_(FormatRecord(record));
    }
}

void EventPrinter::Run() {
    while (!stop_) {
        // Wakes at once for a new batch; the timeout only lets Stop be seen.
        service_.WaitForBatches(printedBatches_ + 1, kWakeUp);
        PrintNew();
    }
    PrintNew();
}

}  // namespace demo
