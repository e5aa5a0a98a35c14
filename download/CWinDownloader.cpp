#include "download/CWinDownloader.h"

#include "utils/TextUtils.h"

namespace {

constexpr int kAttempts = 3;
constexpr auto kRetryPause = std::chrono::milliseconds(1000);
constexpr const wchar_t* kSystemDownload = L"URLDownloadToFile";

}  // namespace

Utils::HResult CWinDownloader::CBindCallback::OnProgress(std::uint64_t progress, std::uint64_t progressMax,
                                                         std::uint32_t, const wchar_t*) {
    if (aborted.load()) return Utils::hresult::kAbort;
    if (progressMax == 0) return Utils::hresult::kOk;
    if (callback)
        callback(DL_CODE_PROGRESS, static_cast<double>(progress) / static_cast<double>(progressMax), L"");
    return Utils::hresult::kOk;
}

CWinDownloader::CWinDownloader(DownloadCallback callback_, std::wstring url_, std::wstring path_)
    : callback(std::move(callback_)),
      path(std::move(path_)),
      url(std::move(url_)),
      worker(this, L"ABDEF", [](void* self) -> std::uint32_t {
          static_cast<CWinDownloader*>(self)->WinDownloadThread();
          return 0;
      }) {}

CWinDownloader::~CWinDownloader() {
    bindCallback.aborted.store(true);
    cancel.Cancel();
    worker.Join();
}

void CWinDownloader::Start() {
    if (started.exchange(true)) return;
    bindCallback.callback = callback;
    worker.Start();
}

std::wstring CWinDownloader::EncodeUrl(const std::wstring& u) {
    if (u.find(L"file:///") == 0) return u;
    return Utils::UrlEncode(u);
}

void CWinDownloader::WinDownloadThread() {
    auto report = [this](int code, double value, const wchar_t* text) {
        if (!cancel.IsCancelled() && callback) callback(code, value, text);
    };
    report(DL_CODE_START, 1.0, L"");
    if (path.empty()) {
        // Nothing can be stored; ending here keeps 1004 the run's last report.
        report(DL_CODE_FAIL, 1.0, L"");
        return;
    }
    const std::wstring encoded = EncodeUrl(url);
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        const Utils::HResult hr = Utils::DownloadUrlToFile(encoded, path, &bindCallback);
        if (hr == Utils::hresult::kOk) {
            report(DL_CODE_SUCCESS, 0.0, kSystemDownload);
            return;
        }
        if (!cancel.Pause(kRetryPause)) return;
        if (attempt == kAttempts) report(DL_CODE_FAIL, static_cast<double>(hr), kSystemDownload);
    }
}
