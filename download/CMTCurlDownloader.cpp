#include "download/CMTCurlDownloader.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "app/DebugLog.h"
#include "download/CurlCommon.h"
#include "download/FileMd5.h"
#include "utils/TextConvert.h"

namespace {

constexpr std::int64_t kMinProbedLength = 256;
constexpr long kConnectTimeoutSeconds = 60;
constexpr int kAttemptBudget = 12;
constexpr auto kPartStartPause = std::chrono::milliseconds(100);
constexpr auto kPartRetryPause = std::chrono::milliseconds(400);
constexpr std::size_t kCopyBlock = 1024;
constexpr const wchar_t* kLibCurl = L"LibCurl";

constexpr long kHttpPartialContent = 206;
constexpr long kHttpOk = 200;

int CancelProbe(void* cancel, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<DownloadCancel*>(cancel)->IsCancelled() ? 1 : 0;
}

bool AppendFile(std::FILE* out, const std::string& inPath) {
    std::FILE* in = std::fopen(inPath.c_str(), "rb");
    if (in == nullptr) return false;
    char block[kCopyBlock];
    bool ok = true;
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, in);
        if (got == 0) break;
        if (std::fwrite(block, 1, got, out) != got) {
            ok = false;
            break;
        }
    }
    if (std::ferror(in)) ok = false;
    std::fclose(in);
    return ok;
}

}  // namespace

void DeletePartFiles(const std::string& ansiTarget) {
    std::remove((ansiTarget + "_0").c_str());
    std::remove((ansiTarget + "_1").c_str());
}

CMTCurlDownloader::CMTCurlDownloader(DownloadCallback callback_, std::wstring url_, std::wstring path_)
    : callback(std::move(callback_)), path(std::move(path_)), url(std::move(url_)), worker([this] { Start_Down(); }) {
    const std::string target = Utils::ToNarrow(path, Utils::kCodePageAnsi);
    if (!target.empty()) {
        std::remove(target.c_str());
        DeletePartFiles(target);
    }
}

CMTCurlDownloader::~CMTCurlDownloader() {
    cancel.Cancel();
    worker.Close();
    if (finisher) finisher->Join();
    ReleaseParts();
    // Part files of an unfinished run are never resumed by another process.
    const std::string target = Utils::ToNarrow(path, Utils::kCodePageAnsi);
    if (!target.empty()) DeletePartFiles(target);
}

void CMTCurlDownloader::Start() { worker.Start(); }

int CMTCurlDownloader::PartCount(std::int64_t length) {
    const std::int64_t n = length / kPartUnit;
    return n == 0 ? 1 : n > 2 ? 2 : static_cast<int>(n);
}

void CMTCurlDownloader::Report(int code, double value, const wchar_t* text) {
    if (!cancel.IsCancelled() && callback) callback(code, value, text);
}

void CMTCurlDownloader::Start_Down() {
    // The finishing thread of the previous run may still be returning from its report.
    if (finisher) {
        finisher->Join();
        finisher.reset();
    }
    Report(DL_CODE_START, 1.0, L"");
    DEBUG_LOG(L"start download");
    if (path.empty()) {
        Report(DL_CODE_FAIL, 1.0, L"");
        return;
    }
    const std::string target = Utils::ToNarrow(path, Utils::kCodePageAnsi);
    if (target.empty()) {
        // Part files named "_0" in the working folder would be no better.
        Report(DL_CODE_FAIL, -2.0, kLibCurl);
        return;
    }
    const std::string narrowUrl = NarrowUrl(url);

    std::remove(target.c_str());
    if (lastPercent.load() == 0.0) DeletePartFiles(target);
    if (realUrl.empty() || fileLength < kMinProbedLength) {
        if (!getRealDownloadUrl(narrowUrl)) {
            Report(DL_CODE_FAIL, 0.0, kLibCurl);
            return;
        }
    }

    const int n = PartCount(fileLength);
    const std::int64_t partSize = fileLength / n;
    std::int64_t base = 0;
    for (int i = 0; i < n; ++i) {
        const std::int64_t size = partSize + (i == n - 1 ? fileLength % n : 0);
        auto node = std::make_unique<DownloadPartNode>();
        node->owner = this;
        node->partPath = target + "_" + std::to_string(i);
        const std::int64_t existing = std::max<std::int64_t>(FileSize(node->partPath), 0);
        node->received.store(existing);
        node->current = base + existing;
        node->last = base + size - 1;
        node->handle = curl_easy_init();
        node->url = realUrl;
        if (node->current > node->last) {
            node->status = 0;
        } else {
            node->status = -1;
            node->file = std::fopen(node->partPath.c_str(), "ab+");
            if (node->file == nullptr) node->status = -2;
        }
        parts.push_back(std::move(node));
        base += size;
    }

    for (auto& node : parts) {
        if (node->status != -1) continue;
        if (cancel.IsCancelled()) break;
        runningParts.fetch_add(1);
        node->thread = std::make_unique<Utils::Thread>(node.get(), L"", [this](void* p) -> std::uint32_t {
            downloadThreadFun(static_cast<DownloadPartNode*>(p));
            return 0;
        });
        if (!node->thread->Start()) {
            node->status = CURLE_FAILED_INIT;
            runningParts.fetch_sub(1);
        }
        cancel.Pause(kPartStartPause);
    }
    finisher = std::make_unique<Utils::Thread>(this, L"", [this](void*) -> std::uint32_t {
        waitForFinishThreadFun();
        return 0;
    });
    if (!finisher->Start()) waitForFinishThreadFun();
}

bool CMTCurlDownloader::getRealDownloadUrl(const std::string& narrowUrl) {
    realUrl.clear();
    expectedMd5.clear();
    fileLength = 0;
    if (!CurlIsReady()) return false;
    CURL* probe = curl_easy_init();
    if (probe == nullptr) return false;

    curl_slist* headers = curl_slist_append(nullptr, "Connection: keep-alive");
    int options = curl_easy_setopt(probe, CURLOPT_HTTPHEADER, headers);
    options |= curl_easy_setopt(probe, CURLOPT_URL, narrowUrl.c_str());
    options |= curl_easy_setopt(probe, CURLOPT_FOLLOWLOCATION, 1L);
    options |= curl_easy_setopt(probe, CURLOPT_NOBODY, 1L);
    options |= curl_easy_setopt(probe, CURLOPT_WRITEFUNCTION, &DiscardBody);
    options |= curl_easy_setopt(probe, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    options |= curl_easy_setopt(probe, CURLOPT_NOSIGNAL, 1L);
    options |= curl_easy_setopt(probe, CURLOPT_NOPROGRESS, 0L);
    options |= curl_easy_setopt(probe, CURLOPT_XFERINFOFUNCTION, &CancelProbe);
    options |= curl_easy_setopt(probe, CURLOPT_XFERINFODATA, &cancel);
    // TLS peer and host verification stay on: the package is run with the user's rights.
    ApplyHttpsTrust(probe);
    if (options != CURLE_OK || curl_easy_perform(probe) != CURLE_OK) {
        curl_easy_cleanup(probe);
        curl_slist_free_all(headers);
        return false;
    }

    char* effective = nullptr;
    if (curl_easy_getinfo(probe, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective && *effective) {
        realUrl = effective;
        DEBUG_LOG(L"Download File real url %hs", realUrl.c_str());
        expectedMd5 = GetUrlMd5(realUrl);
    }
    curl_off_t length = -1;
    long status = 0;
    if (curl_easy_getinfo(probe, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK &&
        curl_easy_getinfo(probe, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status >= 200 && status <= 399) {
        fileLength = static_cast<std::int64_t>(length);
        DEBUG_LOG(L"Download File Length %lld", static_cast<long long>(fileLength));
    }
    curl_easy_cleanup(probe);
    curl_slist_free_all(headers);
    return !realUrl.empty() && fileLength >= kMinProbedLength;
}

void CMTCurlDownloader::downloadThreadFun(DownloadPartNode* node) {
    int budget = kAttemptBudget;
    int r = downloadExe(node);
    while (r != CURLE_OK && budget > 0 && !cancel.IsCancelled()) {
        budget -= r == CURLE_PARTIAL_FILE ? 1 : 2;
        DEBUG_LOG(L"CurlDownLoader Code=%d", r);
        if (!cancel.Pause(kPartRetryPause)) break;
        r = downloadExe(node);
    }
    if (node->file != nullptr) {
        std::fclose(node->file);
        node->file = nullptr;
    }
    runningParts.fetch_sub(1);
    runningParts.notify_all();
}

int CMTCurlDownloader::downloadExe(DownloadPartNode* node) {
    if (node->current > node->last) {
        // Completed by an earlier answer that carried more than was asked for.
        if (node->file != nullptr && std::fclose(node->file) != 0) node->status = CURLE_WRITE_ERROR;
        else node->status = CURLE_OK;
        node->file = nullptr;
        return node->status;
    }
    if (node->handle == nullptr) return node->status = CURLE_FAILED_INIT;

    char range[64];
    std::snprintf(range, sizeof range, "%lld-%lld", static_cast<long long>(node->current),
                  static_cast<long long>(node->last));
    CURL* h = node->handle;
    int options = curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    options |= curl_easy_setopt(h, CURLOPT_URL, node->url.c_str());
    options |= curl_easy_setopt(h, CURLOPT_TIMEOUT, 0L);
    options |= curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    options |= curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &CMTCurlDownloader::WritePart);
    options |= curl_easy_setopt(h, CURLOPT_WRITEDATA, node);
    options |= curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    options |= curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &CMTCurlDownloader::OnPartsProgress);
    options |= curl_easy_setopt(h, CURLOPT_XFERINFODATA, this);
    options |= curl_easy_setopt(h, CURLOPT_FAILONERROR, 1L);
    options |= curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    options |= curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    options |= curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, 5L);
    options |= curl_easy_setopt(h, CURLOPT_RANGE, range);
    ApplyHttpsTrust(h);
    if (options != CURLE_OK) return options;

    node->attemptStart = node->current;
    node->responseChecked = false;
    int r = curl_easy_perform(h);
    if (r != CURLE_OK) {
        DEBUG_LOG(L"error:%d:%hs", r, curl_easy_strerror(static_cast<CURLcode>(r)));
    } else {
        DEBUG_LOG(L"curl_easy_cleanup");
    }
    curl_easy_reset(h);
    // A shorter answer than the range asked for leaves the part open for the next attempt.
    if (r == CURLE_OK && node->current <= node->last) r = CURLE_PARTIAL_FILE;
    if (r == CURLE_OK) {
        if (std::fclose(node->file) != 0) r = CURLE_WRITE_ERROR;
        node->file = nullptr;
    }
    node->status = r;
    return r;
}

std::size_t CMTCurlDownloader::WritePart(char* data, std::size_t size, std::size_t count, void* nodePointer) {
    auto* node = static_cast<DownloadPartNode*>(nodePointer);
    const std::size_t offered = size * count;
    if (node == nullptr || node->file == nullptr || node->current > node->last) return 0;
    if (!node->responseChecked) {
        // Bytes of another range (a server that ignores ranges answers 200 from
        // offset 0) must not land in this part.
        node->responseChecked = true;
        long status = 0;
        curl_easy_getinfo(node->handle, CURLINFO_RESPONSE_CODE, &status);
        const bool ranged = status == kHttpPartialContent || status == 0;
        if (!ranged && !(status == kHttpOk && node->attemptStart == 0)) return 0;
    }
    const auto room = static_cast<std::uint64_t>(node->last - node->current + 1);
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(offered, room));
    const std::size_t written = std::fwrite(data, 1, wanted, node->file);
    node->current += static_cast<std::int64_t>(written);
    node->received.fetch_add(static_cast<std::int64_t>(written));
    return written;
}

int CMTCurlDownloader::OnPartsProgress(void* downloader, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* self = static_cast<CMTCurlDownloader*>(downloader);
    if (self->cancel.IsCancelled()) return 1;
    const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    std::int64_t previous = self->lastProgressTime.load();
    // One part per second passes; the other sees the exchange fail.
    if (now - previous < 1 || !self->lastProgressTime.compare_exchange_strong(previous, now)) return 0;

    double x = 0.0;
    if (self->fileLength >= kMinProbedLength) {
        for (const auto& node : self->parts) {
            const std::int64_t received = node->received.load();
            if (received > 0) x += static_cast<double>(received) * 100.0 / static_cast<double>(self->fileLength);
        }
    }
    if (x > 100.0) return 0;
    if (x - self->lastPercent.load() >= 1.0) {
        self->lastPercent.store(x);
        self->Report(DL_CODE_PROGRESS, x / 100.0, L"");
    }
    return 0;
}

bool CMTCurlDownloader::JoinParts(const std::string& target) {
    std::FILE* first = std::fopen(parts.front()->partPath.c_str(), "ab+");
    if (first == nullptr) return false;
    bool ok = true;
    for (std::size_t i = 1; i < parts.size() && ok; ++i) {
        ok = AppendFile(first, parts[i]->partPath);
        DEBUG_LOG(L"partPath::%hs", parts[i]->partPath.c_str());
    }
    if (std::fclose(first) != 0) ok = false;
    ok = ok && FileSize(parts.front()->partPath) == fileLength;
    ok = ok && std::rename(parts.front()->partPath.c_str(), target.c_str()) == 0;
    DeletePartFiles(target);
    return ok;
}

void CMTCurlDownloader::waitForFinishThreadFun() {
    for (int running = runningParts.load(); running > 0; running = runningParts.load()) runningParts.wait(running);
    for (auto& node : parts) {
        if (node->thread) node->thread->Join();
    }
    if (cancel.IsCancelled()) {
        ReleaseParts();
        return;
    }
    const std::string target = Utils::ToNarrow(path, Utils::kCodePageAnsi);
    int st = 0;
    for (const auto& node : parts) {
        if (node->status != 0) {
            st = node->status;
            break;
        }
    }
    if (st == 0) {
        lastPercent.store(0.0);
        // A join that fails leaves no trustworthy file; it counts as a failed run.
        if (!JoinParts(target)) st = CURLE_WRITE_ERROR;
    }
    if (st == 0) {
        if (expectedMd5.size() == kMd5TextLength) {
            const std::string digest = GetFileMd5(target);
            if (digest.size() == kMd5TextLength && digest != expectedMd5) {
                Report(DL_CODE_MD5, 0.0, L"mtcurl文件md5校验失败");
                std::remove(target.c_str());
                ReleaseParts();
                if (!retried) {
                    retried = true;
                    DEBUG_LOG(L"finish recv, md5 chaek failed retry once.");
                    Report(DL_CODE_RETRY, 0.0, kLibCurl);
                } else {
                    DEBUG_LOG(L"finish recv, md5 chaek failed and retry failed.");
                    Report(DL_CODE_FAIL, 0.0, kLibCurl);
                }
                return;
            }
        } else {
            Report(DL_CODE_MD5, 0.0, L"mtcurl获取url-md5失败");
        }
        DEBUG_LOG(L"finish recv");
        ReleaseParts();
        Report(DL_CODE_SUCCESS, 0.0, kLibCurl);
        return;
    }

    ReleaseParts();
    if (lastPercent.load() == 0.0) DeletePartFiles(target);
    if (!retried) {
        retried = true;
        Report(DL_CODE_RETRY, static_cast<double>(st), kLibCurl);
    } else {
        lastPercent.store(0.0);
        Report(DL_CODE_FAIL, static_cast<double>(st), kLibCurl);
    }
}

void CMTCurlDownloader::ReleaseParts() {
    for (auto& node : parts) {
        if (node->thread) node->thread->Join();
        if (node->handle != nullptr) curl_easy_cleanup(node->handle);
        if (node->file != nullptr) std::fclose(node->file);
    }
    parts.clear();
}
