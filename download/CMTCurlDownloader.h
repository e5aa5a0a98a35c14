#pragma once

#include <curl/curl.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "download/CDownloader.h"
#include "download/DownloadWorker.h"

class CMTCurlDownloader;

// One byte range of the file and the part file that collects it.
struct DownloadPartNode {
    std::FILE* file = nullptr;
    std::int64_t current = 0;  // absolute offset of the next byte this part needs
    std::int64_t last = 0;     // absolute offset of the part's last byte
    CURL* handle = nullptr;
    std::string url;
    std::string partPath;
    int status = -1;  // −1 to do, 0 complete, −2 part file not opened, else libcurl's code
    std::atomic<std::int64_t> received{0};  // read by every part's progress callback

    CMTCurlDownloader* owner = nullptr;
    std::unique_ptr<Utils::Thread> thread;
    std::int64_t attemptStart = 0;
    bool responseChecked = false;
};

// Up to two ranged streams into "<path>_0" and "<path>_1", joined into `path`
// and checked against the digest in the real URL. One retry per object.
class CMTCurlDownloader : public CDownloader {
public:
    CMTCurlDownloader(DownloadCallback callback, std::wstring url, std::wstring path);
    // Stops the part transfers at their next progress notification and waits
    // for every thread; no report is made after destruction began.
    ~CMTCurlDownloader() override;

    void Start() override;

    // Number of parts and the size of each (the last takes the remainder).
    static int PartCount(std::int64_t fileLength);

    static std::size_t WritePart(char* data, std::size_t size, std::size_t count, void* node);
    static int OnPartsProgress(void* downloader, curl_off_t dltotal, curl_off_t dlnow, curl_off_t ultotal,
                               curl_off_t ulnow);

private:
    void Start_Down();
    bool getRealDownloadUrl(const std::string& narrowUrl);
    void downloadThreadFun(DownloadPartNode* node);
    int downloadExe(DownloadPartNode* node);
    void waitForFinishThreadFun();
    bool JoinParts(const std::string& target);
    void ReleaseParts();
    void Report(int code, double value, const wchar_t* text);

    std::vector<std::unique_ptr<DownloadPartNode>> parts;
    DownloadCallback callback;
    std::wstring path;
    std::wstring url;
    std::string realUrl;
    std::int64_t fileLength = -1;
    std::string expectedMd5;
    std::atomic<double> lastPercent{0.0};
    std::atomic<int> runningParts{0};
    std::atomic<std::int64_t> lastProgressTime{0};
    bool retried = false;

    DownloadCancel cancel;
    std::unique_ptr<Utils::Thread> finisher;
    DownloadWorker worker;
};

// Deletes "<target>_0" and "<target>_1".
void DeletePartFiles(const std::string& ansiTarget);
