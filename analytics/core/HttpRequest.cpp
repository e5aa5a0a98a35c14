#include "HttpRequest.h"

#include <curl/curl.h>

#include <stdexcept>

namespace usage_analytics {
namespace {

size_t AppendBody(char* data, size_t size, size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

size_t IgnoreHeader(char*, size_t size, size_t count, void*) { return size * count; }

}  // namespace

HttpRequest::HttpRequest(std::string baseUrl) : handle_(curl_easy_init()), baseUrl_(std::move(baseUrl)) {
    if (!handle_) throw std::runtime_error("Couldn't initialize curl handle");
}

HttpRequest::~HttpRequest() { curl_easy_cleanup(static_cast<CURL*>(handle_)); }

HttpResponse HttpRequest::Post(const std::string& path, const std::string& body) {
    CURL* curl = static_cast<CURL*>(handle_);
    HttpResponse response;
    const std::string url = baseUrl_ + path;

    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.c_str());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &response.body);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, IgnoreHeader);
    curl_slist* headerList = nullptr;
    for (const auto& [name, value] : headers_) headerList = curl_slist_append(headerList, (name + ": " + value).c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headerList);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
    if (timeoutSeconds_ > 0) {
        curl_easy_setopt(curl, CURLOPT_TIMEOUT, timeoutSeconds_);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    }

    const CURLcode rc = curl_easy_perform(curl);
    if (rc != CURLE_OK) {
        response.status = -1;
        response.body = curl_easy_strerror(rc);
    } else {
        long code = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
        response.status = static_cast<int>(code);
    }
    curl_slist_free_all(headerList);
    curl_easy_reset(curl);
    return response;
}

}  // namespace usage_analytics
