#pragma once

#include <curl/curl.h>

#include <atomic>
#include <cstdint>
#include <string>

// Progress sink: (owner, speed in bytes per second, reserved 0.0, percent done).
using ClientProgressFn = void (*)(void* owner, double speed, double reserved, double percent);

// Single-stream HTTP download into "<path>.part", resumed after the bytes the
// side file holds, renamed to `path` when complete. Runs on its owner's worker.
class CurlClient {
public:
    CurlClient(std::wstring url, std::wstring path, void* owner, ClientProgressFn progress);
    ~CurlClient();
    CurlClient(const CurlClient&) = delete;
    CurlClient& operator=(const CurlClient&) = delete;

    // 0 when the file is complete; a libcurl code or a ClientResult otherwise.
    int Start();

    static int ProgressCallback(void* client, curl_off_t dltotal, curl_off_t dlnow, curl_off_t ultotal,
                                curl_off_t ulnow);

    // Probes. The caller cleans up the handle Head returns (null: none could be made).
    CURL* Head(std::string url);
    double GetDownloadFileLength(CURL* handle);
    double GetDownloadFileLength_Str(std::string url);
    std::string GetRealUrl_Str(std::string url);

    std::wstring GetFilePath(bool part) const { return part ? path + L".part" : path; }

    // Stops the transfer at its next progress notification; set from any thread.
    void Cancel() { cancelled.store(true); }

    const std::string& RealUrl() const { return realUrl; }
    double FileLength() const { return fileLength; }
    std::int64_t ResumeFrom() const { return resumeFrom; }
    const std::wstring& ErrorText() const { return errorText; }

private:
    CURL* NewProbe(const std::string& url);
    void ReportProbeStatus(long status);
    static int ProbeCancel(void* client, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

    std::wstring url;
    std::wstring path;
    void* owner;
    CURL* handle = nullptr;
    ClientProgressFn progressFn;
    double fileLength = -1.0;
    std::int64_t resumeFrom = -1;
    std::int64_t lastProgressTime = 0;
    std::atomic<bool> cancelled{false};
    std::wstring errorText;
    std::string realUrl;
};
