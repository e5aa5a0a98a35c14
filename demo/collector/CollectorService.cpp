#include "CollectorService.h"

#include <httplib.h>

#include "CollectorBody.h"

namespace demo {
namespace {

constexpr int kBadRequest = 400;
constexpr int kUnavailable = 503;

}  // namespace

CollectorService::~CollectorService() {
    Shutdown();
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return handlersInside_ == 0; });
}

void CollectorService::Mount(httplib::Server& server, const std::string& path) {
    server.Post(path, [this](const httplib::Request& req, httplib::Response& res) {
        CollectorBatch batch = Handle(req.body, req.get_header_value("User-Agent"), req.get_header_value("Content-Type"));
        res.status = batch.status;
        res.set_content(batch.status == kAccepted ? "ok" : (batch.error.empty() ? "refused" : batch.error),
                        "text/plain");
    });
}

CollectorBatch CollectorService::Handle(const std::string& body, const std::string& userAgent,
                                        const std::string& contentType) {
    CollectorBatch batch;
    batch.body = body;
    batch.userAgent = userAgent;
    batch.contentType = contentType;
    if (auto json = DecodeCollectorBody(body, &batch.error)) {
        batch.json = *json;
        batch.records = nlohmann::json::parse(batch.json, nullptr, false);
        batch.decoded = batch.records.is_array();
        if (!batch.decoded) batch.error = "not a JSON array";
    }

    std::unique_lock lock(mutex_);
    ++requests_;
    ++handlersInside_;
    changed_.notify_all();
    int status = defaultStatus_;
    if (!scripted_.empty()) {
        status = scripted_.front();
        scripted_.pop_front();
    }
    if (holding_ && !shutdown_) {
        const uint64_t generation = releaseGeneration_;
        changed_.wait(lock, [&] { return shutdown_ || releaseGeneration_ != generation; });
        status = releaseStatus_;
    }
    if (!batch.decoded && status == kAccepted) status = kBadRequest;
    batch.status = status;
    batches_.push_back(batch);
    --handlersInside_;
    changed_.notify_all();
    return batch;
}

void CollectorService::SetDefaultStatus(int status) {
    std::lock_guard lock(mutex_);
    defaultStatus_ = status;
}

void CollectorService::ScriptStatuses(std::vector<int> statuses) {
    std::lock_guard lock(mutex_);
    scripted_.assign(statuses.begin(), statuses.end());
}

void CollectorService::Hold() {
    std::lock_guard lock(mutex_);
    holding_ = true;
}

void CollectorService::Release(int status) {
    std::lock_guard lock(mutex_);
    holding_ = false;
    releaseStatus_ = status;
    ++releaseGeneration_;
    changed_.notify_all();
}

void CollectorService::Shutdown() {
    std::lock_guard lock(mutex_);
    if (!shutdown_) releaseStatus_ = kUnavailable;
    shutdown_ = true;
    holding_ = false;
    changed_.notify_all();
}

size_t CollectorService::RequestCount() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

bool CollectorService::WaitForRequests(size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return requests_ >= count; });
}

bool CollectorService::WaitForBatches(size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return batches_.size() >= count; });
}

std::vector<CollectorBatch> CollectorService::Batches() const {
    std::lock_guard lock(mutex_);
    return batches_;
}

std::vector<nlohmann::json> CollectorService::AcceptedRecords() const {
    std::lock_guard lock(mutex_);
    std::vector<nlohmann::json> records;
    for (const auto& batch : batches_) {
        if (batch.status != kAccepted) continue;
        for (const auto& record : batch.records) records.push_back(record);
    }
    return records;
}

void CollectorService::Clear() {
    std::lock_guard lock(mutex_);
    batches_.clear();
    scripted_.clear();
    requests_ = 0;
}

}  // namespace demo
