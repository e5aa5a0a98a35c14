#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace httplib {
class Server;
}

namespace demo {

// One POST that reached the collector.
struct CollectorBatch {
    std::string body;        // the raw form body
    std::string userAgent;
    std::string contentType;
    bool decoded = false;    // body decoded and parsed as a JSON array
    std::string error;       // why decoding failed
    std::string json;        // the JSON array text
    nlohmann::json records;  // the parsed array
    int status = 0;          // the status answered
};

// The analytics collector endpoint: decodes each batch, keeps it for
// inspection and answers 200, a chosen status, or holds the request until
// released. Mountable on any httplib::Server; thread-safe.
class CollectorService {
public:
    static constexpr const char* kPath = "/collect";
    static constexpr int kAccepted = 200;

    CollectorService() = default;
    ~CollectorService();
    CollectorService(const CollectorService&) = delete;
    CollectorService& operator=(const CollectorService&) = delete;

    void Mount(httplib::Server& server, const std::string& path = kPath);

    // Status for requests without a scripted one (200 at first).
    void SetDefaultStatus(int status);
    // Statuses for the next requests, one each, before the default applies again.
    void ScriptStatuses(std::vector<int> statuses);
    // From now on requests wait inside the handler until Release or Shutdown.
    void Hold();
    // Answers held requests (and later ones) with the given status; ends holding.
    void Release(int status);
    // Releases every held request and holds no more; call before the server stops.
    void Shutdown();

    // Requests that entered the handler (held ones included).
    size_t RequestCount() const;
    bool WaitForRequests(size_t count, std::chrono::milliseconds timeout) const;
    // Answered requests.
    bool WaitForBatches(size_t count, std::chrono::milliseconds timeout) const;
    std::vector<CollectorBatch> Batches() const;
    // Records of the batches answered 200, in arrival order.
    std::vector<nlohmann::json> AcceptedRecords() const;
    void Clear();

private:
    CollectorBatch Handle(const std::string& body, const std::string& userAgent, const std::string& contentType);

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    int defaultStatus_ = kAccepted;
    std::deque<int> scripted_;
    bool holding_ = false;
    bool shutdown_ = false;
    uint64_t releaseGeneration_ = 0;
    int releaseStatus_ = 0;
    size_t requests_ = 0;
    size_t handlersInside_ = 0;
    std::vector<CollectorBatch> batches_;
};

}  // namespace demo
