#pragma once

#include <string>
#include <utility>
#include <vector>

namespace usage_analytics {

using HeaderList = std::vector<std::pair<std::string, std::string>>;

// Posts one batch to the collector; only status 200 counts as accepted.
class BatchSender {
public:
    static constexpr long kTimeoutSeconds = 3;

    explicit BatchSender(std::string collectorUrl) : collectorUrl_(std::move(collectorUrl)) {}

    bool Send(const std::string& jsonArrayText, const HeaderList& headers, const std::string& contentType = {});

    const std::string& collectorUrl() const { return collectorUrl_; }

private:
    std::string collectorUrl_;
};

}  // namespace usage_analytics
