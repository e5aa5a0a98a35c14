#pragma once

#include <atomic>
#include <string>

#include "download/CDownloader.h"
#include "download/DownloadWorker.h"
#include "utils/SystemDownload.h"
#include "utils/Thread.h"

// Fallback downloader on the platform's system download, three attempts, no
// digest check. Never reports 1005 or 1006.
class CWinDownloader : public CDownloader {
public:
    // Turns the system download's progress into DL_CODE_PROGRESS reports and
    // aborts the transfer once the downloader is being destroyed.
    class CBindCallback : public Utils::DownloadStatusCallback {
    public:
        ~CBindCallback() override { aborted.store(true); }
        Utils::HResult OnProgress(std::uint64_t progress, std::uint64_t progressMax, std::uint32_t statusCode,
                                  const wchar_t* statusText) override;

        DownloadCallback callback;
        std::atomic<bool> aborted{false};
    };

    CWinDownloader(DownloadCallback callback, std::wstring url, std::wstring path);
    ~CWinDownloader() override;

    // Only the first call starts a run.
    void Start() override;

    // The URL as the system download gets it: UTF-8 bytes 33–126 kept, space as
    // "+", every other byte as "%XX"; "file:///" URLs unchanged.
    static std::wstring EncodeUrl(const std::wstring& url);

private:
    void WinDownloadThread();

    CBindCallback bindCallback;
    DownloadCallback callback;
    std::wstring path;
    std::wstring url;
    DownloadCancel cancel;
    std::atomic<bool> started{false};
    Utils::Thread worker;
};
