#include "download/CurlClient.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "app/DebugLog.h"
#include "download/CurlCommon.h"
#include "download/DownloadAnalytics.h"
#include "utils/TextConvert.h"

namespace {

constexpr long kConnectTimeoutSeconds = 60;
constexpr std::size_t kErrorTextLimit = 200;

std::size_t AppendToFile(char* data, std::size_t size, std::size_t count, void* file) {
    return std::fwrite(data, size, count, static_cast<std::FILE*>(file));
}

std::wstring SystemMessage(int error) {
    char buffer[256];
    const char* text = strerror_r(error, buffer, sizeof buffer);
    std::wstring message = Utils::ToWide(text, Utils::kCodePageAnsi);
    if (message.size() > kErrorTextLimit) message.resize(kErrorTextLimit);
    return message;
}

bool StatusIsSuccess(long status, long lastSuccess) { return status >= 200 && status <= lastSuccess; }

}  // namespace

CurlClient::CurlClient(std::wstring url_, std::wstring path_, void* owner_, ClientProgressFn progress)
    : url(std::move(url_)), path(std::move(path_)), owner(owner_), progressFn(progress) {}

CurlClient::~CurlClient() {
    const std::string side = Utils::ToNarrow(GetFilePath(true), Utils::kCodePageAnsi);
    if (!path.empty() && !side.empty()) std::remove(side.c_str());
    cancelled.store(true);
}

int CurlClient::ProbeCancel(void* client, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<CurlClient*>(client)->cancelled.load() ? 1 : 0;
}

CURL* CurlClient::NewProbe(const std::string& probeUrl) {
    CURL* probe = curl_easy_init();
    if (probe == nullptr) return nullptr;
    CURLcode r = curl_easy_setopt(probe, CURLOPT_URL, probeUrl.c_str());
    if (r == CURLE_OK) r = curl_easy_setopt(probe, CURLOPT_NOBODY, 1L);
    if (r == CURLE_OK) r = curl_easy_setopt(probe, CURLOPT_WRITEFUNCTION, &DiscardBody);
    if (r == CURLE_OK) r = curl_easy_setopt(probe, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    // Not in the original option list: lets destruction stop a probe, and keeps
    // libcurl's timers off signals in this multi-threaded process.
    if (r == CURLE_OK) r = curl_easy_setopt(probe, CURLOPT_NOSIGNAL, 1L);
    if (r == CURLE_OK) r = curl_easy_setopt(probe, CURLOPT_NOPROGRESS, 0L);
    if (r == CURLE_OK) r = curl_easy_setopt(probe, CURLOPT_XFERINFOFUNCTION, &CurlClient::ProbeCancel);
    if (r == CURLE_OK) r = curl_easy_setopt(probe, CURLOPT_XFERINFODATA, this);
    if (r == CURLE_OK) ApplyHttpsTrust(probe);
    if (r != CURLE_OK) {
        curl_easy_cleanup(probe);
        return nullptr;
    }
    return probe;
}

CURL* CurlClient::Head(std::string probeUrl) {
    CURL* probe = NewProbe(probeUrl);
    if (probe == nullptr) return nullptr;
    CURLcode r = curl_easy_setopt(probe, CURLOPT_FOLLOWLOCATION, 1L);
    if (r == CURLE_OK) {
        r = curl_easy_perform(probe);
        if (r != CURLE_OK) DEBUG_LOG(L"error:%d:%hs", static_cast<int>(r), curl_easy_strerror(r));
    }
    DEBUG_LOG(L"error:%d:%hs", static_cast<int>(r), curl_easy_strerror(r));
    return probe;
}

std::string CurlClient::GetRealUrl_Str(std::string probeUrl) {
    CURL* probe = NewProbe(probeUrl);
    if (probe == nullptr) return probeUrl;
    std::string effective;
    CURLcode r = curl_easy_setopt(probe, CURLOPT_FOLLOWLOCATION, 1L);
    if (r == CURLE_OK) {
        r = curl_easy_perform(probe);
        if (r != CURLE_OK) {
            DEBUG_LOG(L"error:%d:%hs", static_cast<int>(r), curl_easy_strerror(r));
        } else {
            char* text = nullptr;
            if (curl_easy_getinfo(probe, CURLINFO_EFFECTIVE_URL, &text) == CURLE_OK && text != nullptr)
                effective = text;
        }
    }
    curl_easy_cleanup(probe);
    return effective.empty() ? probeUrl : effective;
}

void CurlClient::ReportProbeStatus(long status) {
    wchar_t detail[kErrorTextLimit];
    std::swprintf(detail, kErrorTextLimit, L"1.获取文件大小的状态码为=%ld；", status);
    ReportDownloadTask(L"下载失败原因", 0.0f, detail, {});
}

double CurlClient::GetDownloadFileLength(CURL* probe) {
    double length = -1.0;
    curl_off_t size = -1;
    const CURLcode r = curl_easy_getinfo(probe, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
    if (r == CURLE_OK && size >= 0) length = static_cast<double>(size);
    DEBUG_LOG(L"error:%d:%hs", static_cast<int>(r), curl_easy_strerror(r));
    long status = 0;
    if (curl_easy_getinfo(probe, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && StatusIsSuccess(status, 399))
        return length;
    ReportProbeStatus(status);
    return -1.0;
}

double CurlClient::GetDownloadFileLength_Str(std::string probeUrl) {
    CURL* probe = NewProbe(probeUrl);
    if (probe == nullptr) return -1.0;
    double length = -1.0;
    if (curl_easy_setopt(probe, CURLOPT_HEADER, 1L) == CURLE_OK) {
        curl_easy_perform(probe);
        curl_off_t size = -1;
        if (curl_easy_getinfo(probe, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size) == CURLE_OK && size >= 0)
            length = static_cast<double>(size);
    }
    long status = 0;
    const CURLcode r = curl_easy_getinfo(probe, CURLINFO_RESPONSE_CODE, &status);
    // This probe's success range ends at 400 inclusive, one more than the others.
    if (r != CURLE_OK || !StatusIsSuccess(status, 400)) ReportProbeStatus(r == CURLE_OK ? status : 0);
    DEBUG_LOG(L"error:%d:%hs", static_cast<int>(r), curl_easy_strerror(r));
    curl_easy_cleanup(probe);
    return length;
}

int CurlClient::Start() {
    DEBUG_LOG(L"start download");
    const std::string sidePath = Utils::ToNarrow(GetFilePath(true), Utils::kCodePageAnsi);
    const std::string targetPath = Utils::ToNarrow(path, Utils::kCodePageAnsi);
    const std::string narrowUrl = NarrowUrl(url);

    int result = CURLE_OK;
    if (realUrl.empty() || fileLength < kMinPackageLength) {
        if (CURL* probe = Head(narrowUrl)) {
            char* effective = nullptr;
            realUrl = curl_easy_getinfo(probe, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective
                          ? effective
                          : "";
            fileLength = GetDownloadFileLength(probe);
            curl_easy_cleanup(probe);
        }
    }
    if (realUrl.empty() || fileLength < kMinPackageLength) {
        realUrl = GetRealUrl_Str(narrowUrl);
        if (!realUrl.empty()) fileLength = GetDownloadFileLength_Str(realUrl);
        if (fileLength < kMinPackageLength) result = kClientSizeUnknown;
    }

    std::FILE* side = nullptr;
    if (result == CURLE_OK) {
        handle = curl_easy_init();
        if (handle == nullptr) result = kClientNoHandle;
    }
    if (result == CURLE_OK) {
        // A path the ANSI code page cannot hold must not turn into a bare ".part" in the working folder.
        side = targetPath.empty() == path.empty() ? std::fopen(sidePath.c_str(), "ab+") : nullptr;
        if (side == nullptr) {
            errorText = SystemMessage(targetPath.empty() ? EILSEQ : errno);
            result = kClientSideFileError;
        }
    }
    curl_slist* headers = nullptr;
    if (result == CURLE_OK) {
        headers = curl_slist_append(headers, "Connection: keep-alive");
        headers = curl_slist_append(headers, kIdentityEncodingHeader);
        curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
        curl_easy_setopt(handle, CURLOPT_TCP_KEEPALIVE, 1L);
        curl_easy_setopt(handle, CURLOPT_TCP_KEEPIDLE, 10L);
        curl_easy_setopt(handle, CURLOPT_TCP_KEEPINTVL, 10L);
        curl_easy_setopt(handle, CURLOPT_TIMEOUT, 0L);
        int options = curl_easy_setopt(handle, CURLOPT_URL, realUrl.c_str());
        options |= curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
        options |= curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &AppendToFile);
        options |= curl_easy_setopt(handle, CURLOPT_WRITEDATA, side);
        options |= curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
        options |= curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &CurlClient::ProgressCallback);
        options |= curl_easy_setopt(handle, CURLOPT_XFERINFODATA, this);
        options |= curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
        options |= curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
        options |= curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
        ApplyHttpsTrust(handle);

        // 64-bit size: side files of 2 GiB and more resume at the right offset.
        resumeFrom = FileSize(sidePath);
        if (static_cast<double>(resumeFrom) > 1e-10)
            options |= curl_easy_setopt(handle, CURLOPT_RESUME_FROM_LARGE, static_cast<curl_off_t>(resumeFrom));
        result = options == CURLE_OK ? static_cast<int>(curl_easy_perform(handle)) : options;
    }
    DEBUG_LOG(L"error:%d:%hs", result, curl_easy_strerror(static_cast<CURLcode>(result)));

    if (handle != nullptr) curl_easy_cleanup(handle);
    handle = nullptr;
    curl_slist_free_all(headers);
    if (side != nullptr && std::fclose(side) != 0 && result == CURLE_OK) result = CURLE_WRITE_ERROR;

    if (result == CURLE_OK) {
        std::remove(targetPath.c_str());
        // A file that is not where the caller expects it is not a success.
        if (std::rename(sidePath.c_str(), targetPath.c_str()) != 0) result = CURLE_WRITE_ERROR;
    }
    DEBUG_LOG(L"end download");
    return result;
}

int CurlClient::ProgressCallback(void* clientPointer, curl_off_t dltotal, curl_off_t dlnow, curl_off_t, curl_off_t) {
    auto* client = static_cast<CurlClient*>(clientPointer);
    if (client->cancelled.load()) return 1;
    const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    if (now - client->lastProgressTime < 1) return 0;
    client->lastProgressTime = now;

    curl_off_t bytesPerSecond = 0;
    if (client->handle == nullptr ||
        curl_easy_getinfo(client->handle, CURLINFO_SPEED_DOWNLOAD_T, &bytesPerSecond) != CURLE_OK)
        bytesPerSecond = 0;
    const double speed = static_cast<double>(bytesPerSecond);

    double percent;
    if (client->fileLength > kMinPackageLength) {
        const double resumed = client->resumeFrom > 0 ? static_cast<double>(client->resumeFrom) : 0.0;
        percent = (static_cast<double>(dlnow) + resumed) / client->fileLength * 100.0;
    } else {
        if (dlnow <= 0 || dltotal <= 0) return 0;
        percent = static_cast<double>(dlnow) * 100.0 / static_cast<double>(dltotal);
    }
    if (percent == 0.0) return 0;
    if (client->progressFn != nullptr) client->progressFn(client->owner, speed, 0.0, percent);
    if (dltotal != 0) {
        DEBUG_LOG(L" %dM %dM   progress:%f%%  speed:%f \n", static_cast<int>(dlnow / 1048576),
                  static_cast<int>(dltotal / 1048576), static_cast<double>(static_cast<float>(percent)),
                  static_cast<double>(static_cast<float>(speed / 1024.0)));
    }
    return 0;
}
