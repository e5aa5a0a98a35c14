#include "utils/SystemDownload.h"

#include <curl/curl.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include <unistd.h>

#include "utils/TextConvert.h"

namespace Utils {
namespace {

std::mutex& CaMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string& CaFile() {
    static std::string file;
    return file;
}

HResult FromErrno(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
        case EROFS: return hresult::kAccessDenied;
        case ENOENT:
        case ENOTDIR: return hresult::kPathNotFound;
        case ENOMEM: return hresult::kOutOfMemory;
        default: return hresult::kFail;
    }
}

HResult FromCurl(CURLcode code, long status) {
    switch (code) {
        case CURLE_OK: return hresult::kOk;
        case CURLE_ABORTED_BY_CALLBACK: return hresult::kAbort;
        case CURLE_UNSUPPORTED_PROTOCOL: return hresult::kUnknownProtocol;
        case CURLE_URL_MALFORMAT: return hresult::kInvalidUrl;
        case CURLE_COULDNT_RESOLVE_PROXY:
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_REMOTE_FILE_NOT_FOUND:
        case CURLE_FILE_COULDNT_READ_FILE: return hresult::kResourceNotFound;
        case CURLE_COULDNT_CONNECT: return hresult::kCannotConnect;
        case CURLE_OPERATION_TIMEDOUT: return hresult::kConnectionTimeout;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_CERTPROBLEM: return hresult::kSecurityProblem;
        case CURLE_OUT_OF_MEMORY: return hresult::kOutOfMemory;
        case CURLE_HTTP_RETURNED_ERROR:
            if (status == 404 || status == 410) return hresult::kResourceNotFound;
            if (status == 401 || status == 403) return hresult::kAccessDenied;
            return hresult::kDownloadFailure;
        default: return hresult::kDownloadFailure;
    }
}

struct Transfer {
    DownloadStatusCallback* callback = nullptr;
    std::FILE* file = nullptr;
    const wchar_t* statusText = L"";
    std::uint64_t lastReported = 0;
    bool begun = false;
    bool aborted = false;
    int writeErrno = 0;

    bool Report(std::uint64_t progress, std::uint64_t max, std::uint32_t status) {
        if (callback == nullptr || aborted) return !aborted;
        if (callback->OnProgress(progress, max, status, statusText) < 0) aborted = true;
        return !aborted;
    }
};

std::size_t WriteToFile(char* data, std::size_t size, std::size_t count, void* userdata) {
    auto* transfer = static_cast<Transfer*>(userdata);
    const std::size_t bytes = size * count;
    const std::size_t written = std::fwrite(data, 1, bytes, transfer->file);
    if (written != bytes) transfer->writeErrno = errno;
    return written;
}

int OnTransferInfo(void* clientp, curl_off_t dltotal, curl_off_t dlnow, curl_off_t, curl_off_t) {
    auto* transfer = static_cast<Transfer*>(clientp);
    if (transfer->aborted) return 1;
    const auto now = static_cast<std::uint64_t>(dlnow);
    const auto total = static_cast<std::uint64_t>(dltotal > 0 ? dltotal : 0);
    if (!transfer->begun && (now > 0 || total > 0)) {
        transfer->begun = true;
        if (!transfer->Report(0, total, BINDSTATUS_BEGINDOWNLOADDATA)) return 1;
    }
    // Like the moniker binding, progress is told when data arrived, not on every tick.
    if (now != transfer->lastReported) {
        transfer->lastReported = now;
        if (!transfer->Report(now, total, BINDSTATUS_DOWNLOADINGDATA)) return 1;
    }
    return 0;
}

void ApplyCa(CURL* handle) {
    const std::string ca = HttpsCaFile();
    if (!ca.empty()) curl_easy_setopt(handle, CURLOPT_CAINFO, ca.c_str());
}

}  // namespace

void SetHttpsCaFile(const std::string& pemFile) {
    std::lock_guard lock(CaMutex());
    CaFile() = pemFile;
}

std::string HttpsCaFile() {
    std::lock_guard lock(CaMutex());
    return CaFile();
}

HResult DownloadUrlToFile(const std::wstring& url, const std::wstring& path, DownloadStatusCallback* callback) {
    if (url.empty() || path.empty()) return hresult::kInvalidArg;
    const bool fileUrl = url.rfind(L"file:///", 0) == 0;
    const std::string narrowUrl = ToNarrow(url, fileUrl ? kCodePageAnsi : kCodePageUtf8);
    const std::string target = ToNarrow(path, kCodePageAnsi);
    if (narrowUrl.empty() || target.empty()) return hresult::kInvalidArg;

    Transfer transfer;
    transfer.callback = callback;
    transfer.statusText = url.c_str();
    if (!transfer.Report(0, 0, BINDSTATUS_FINDINGRESOURCE) || !transfer.Report(0, 0, BINDSTATUS_CONNECTING))
        return hresult::kAbort;

    // The data goes to a temporary file beside the target, which is renamed on success.
    std::string temporary = target + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) return FromErrno(errno);
    transfer.file = fdopen(fd, "wb");
    if (transfer.file == nullptr) {
        const int error = errno;
        close(fd);
        std::remove(temporary.c_str());
        return FromErrno(error);
    }

    CURL* handle = curl_easy_init();
    if (handle == nullptr) {
        std::fclose(transfer.file);
        std::remove(temporary.c_str());
        return hresult::kOutOfMemory;
    }
    curl_easy_setopt(handle, CURLOPT_URL, narrowUrl.c_str());
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, 60L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &WriteToFile);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &OnTransferInfo);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);
    ApplyCa(handle);

    const CURLcode code = curl_easy_perform(handle);
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(handle);

    const bool closed = std::fclose(transfer.file) == 0;
    HResult result = FromCurl(code, status);
    if (code == CURLE_WRITE_ERROR && transfer.writeErrno != 0) result = FromErrno(transfer.writeErrno);
    if (transfer.aborted) result = hresult::kAbort;
    if (result == hresult::kOk && !closed) result = FromErrno(errno);
    if (result == hresult::kOk) {
        if (std::rename(temporary.c_str(), target.c_str()) != 0) result = FromErrno(errno);
    }
    if (result != hresult::kOk) {
        std::remove(temporary.c_str());
        return result;
    }
    transfer.Report(transfer.lastReported, transfer.lastReported, BINDSTATUS_ENDDOWNLOADDATA);
    return hresult::kOk;
}

}  // namespace Utils
