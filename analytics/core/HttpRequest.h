#pragma once

#include <map>
#include <string>

namespace usage_analytics {

struct HttpResponse {
    int status = -1;   // HTTP status, or -1 when no response was obtained
    std::string body;  // response body, or the error text when status is -1
};

// One libcurl easy handle; the peer's certificate is not checked.
class HttpRequest {
public:
    explicit HttpRequest(std::string baseUrl = {});  // throws std::runtime_error without a handle
    ~HttpRequest();
    HttpRequest(const HttpRequest&) = delete;
    HttpRequest& operator=(const HttpRequest&) = delete;

    void SetHeader(const std::string& name, const std::string& value) { headers_[name] = value; }
    void SetTimeoutSeconds(long seconds) { timeoutSeconds_ = seconds; }

    HttpResponse Post(const std::string& path, const std::string& body);

private:
    void* handle_;  // CURL*
    std::string baseUrl_;
    std::map<std::string, std::string> headers_;
    long timeoutSeconds_ = 0;
};

inline constexpr const char* kUserAgent = "UsageAnalytics CPP SDK 0.7";

}  // namespace usage_analytics
