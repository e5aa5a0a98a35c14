#include "BatchSender.h"

#include <exception>
#include <iostream>

#include "BodyEncoding.h"
#include "HttpRequest.h"

namespace usage_analytics {
namespace {

constexpr int kHttpOk = 200;

HttpResponse PostBody(const std::string& url, const std::string& body, const HeaderList& headers,
                      const std::string& contentType, long timeout) {
    try {
        HttpRequest request;
        request.SetTimeoutSeconds(timeout);
        if (!contentType.empty()) request.SetHeader("Content-Type", contentType);
        for (const auto& [name, value] : headers) request.SetHeader(name, value);
        return request.Post(url, body);
    } catch (const std::exception& e) {
        std::cerr << e.what() << std::endl;
        return HttpResponse{-1, e.what()};
    }
}

}  // namespace

bool BatchSender::Send(const std::string& jsonArrayText, const HeaderList& headers, const std::string& contentType) {
    auto body = EncodeBatchBody(jsonArrayText);
    if (!body) return false;
    const HttpResponse response = PostBody(collectorUrl_, *body, headers, contentType, kTimeoutSeconds);
    if (response.status == kHttpOk) return true;
    std::cerr << "UsageAnalytics SDK send failed: " << response.body << std::endl;
    return false;
}

}  // namespace usage_analytics
