#include "download/CCurlDownloader.h"

#include <cstdio>

#include "app/DebugLog.h"
#include "download/CurlCommon.h"
#include "download/FileMd5.h"
#include "utils/TextConvert.h"

namespace {

constexpr int kAttemptBudget = 12;
constexpr auto kRetryPause = std::chrono::milliseconds(500);
constexpr const wchar_t* kLibCurl = L"LibCurl";

}  // namespace

CCurlDownloader::CCurlDownloader(DownloadCallback callback_, std::wstring url_, std::wstring path_)
    : callback(std::move(callback_)),
      path(std::move(path_)),
      url(std::move(url_)),
      client(url, path, this, &CCurlDownloader::OnClientProgress),
      worker([this] { dlThreadFun(); }) {
    // A side file of an earlier process is never resumed.
    if (!path.empty()) {
        const std::string side = Utils::ToNarrow(client.GetFilePath(true), Utils::kCodePageAnsi);
        if (!side.empty()) std::remove(side.c_str());
    }
}

CCurlDownloader::~CCurlDownloader() {
    cancel.Cancel();
    client.Cancel();
    worker.Close();
}

void CCurlDownloader::Start() { worker.Start(); }

void CCurlDownloader::Report(int code, double value, const wchar_t* text) {
    if (!cancel.IsCancelled() && callback) callback(code, value, text);
}

void CCurlDownloader::OnClientProgress(void* owner, double speed, double, double percent) {
    if (speed > 0 && percent <= 100.0) static_cast<CCurlDownloader*>(owner)->Report(DL_CODE_PROGRESS, percent / 100.0, L"");
}

void CCurlDownloader::dlThreadFun() {
    Report(DL_CODE_START, 1.0, L"");
    if (path.empty()) {
        // Nothing can be stored: the run ends with this failure instead of
        // downloading into the working folder and reporting success after it.
        Report(DL_CODE_FAIL, 1.0, L"");
        return;
    }

    int r = client.Start();
    int budget = kAttemptBudget;
    while (r != CURLE_OK) {
        budget -= r == CURLE_PARTIAL_FILE ? 1 : 2;
        if (budget <= 0 || cancel.IsCancelled()) {
            Report(DL_CODE_FAIL, static_cast<double>(r), kLibCurl);
            return;
        }
        DEBUG_LOG(L"CurlDownLoader Code=%d", r);
        if (!cancel.Pause(kRetryPause)) return;
        r = client.Start();
    }

    const std::string expected = GetUrlMd5(client.RealUrl());
    if (expected.size() != kMd5TextLength) {
        Report(DL_CODE_MD5, 0.0, L"curl获取url-md5失败");
        Report(DL_CODE_SUCCESS, 0.0, kLibCurl);
        return;
    }
    const std::string digest = GetFileMd5(Utils::ToNarrow(path, Utils::kCodePageAnsi));
    if (digest.size() == kMd5TextLength && digest != expected) {
        Report(DL_CODE_MD5, 0.0, L"curl文件md5校验失败");
        if (retried) {
            Report(DL_CODE_FAIL, 0.0, kLibCurl);
        } else {
            retried = true;
            Report(DL_CODE_RETRY, 0.0, kLibCurl);
        }
        return;
    }
    Report(DL_CODE_SUCCESS, 0.0, kLibCurl);
}
