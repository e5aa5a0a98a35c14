#pragma once

#include <string>

#include "download/CDownloader.h"
#include "download/CurlClient.h"
#include "download/DownloadWorker.h"

// Single-stream downloader over CurlClient: up to 12 attempts' worth of
// resumes, then the MD5 check against the digest in the real URL.
class CCurlDownloader : public CDownloader {
public:
    CCurlDownloader(DownloadCallback callback, std::wstring url, std::wstring path);
    // Stops a running transfer at its next progress notification and waits
    // for the worker; no report is made after destruction began.
    ~CCurlDownloader() override;

    void Start() override;

    static void OnClientProgress(void* owner, double speed, double reserved, double percent);

private:
    void dlThreadFun();
    void Report(int code, double value, const wchar_t* text);

    DownloadCallback callback;
    std::wstring path;
    std::wstring url;
    CurlClient client;
    DownloadCancel cancel;
    DownloadWorker worker;
    bool retried = false;
};
