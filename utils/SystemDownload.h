#pragma once

#include <cstdint>
#include <string>

namespace Utils {

// HRESULT-style result: 0 is success, negative values are failures.
using HResult = std::int32_t;

namespace hresult {
constexpr HResult kOk = 0;
constexpr HResult kAbort = static_cast<HResult>(0x80004004u);         // E_ABORT
constexpr HResult kFail = static_cast<HResult>(0x80004005u);          // E_FAIL
constexpr HResult kOutOfMemory = static_cast<HResult>(0x8007000Eu);   // E_OUTOFMEMORY
constexpr HResult kInvalidArg = static_cast<HResult>(0x80070057u);    // E_INVALIDARG
constexpr HResult kAccessDenied = static_cast<HResult>(0x80070005u);  // E_ACCESSDENIED
constexpr HResult kPathNotFound = static_cast<HResult>(0x80070003u);  // ERROR_PATH_NOT_FOUND
constexpr HResult kInvalidUrl = static_cast<HResult>(0x800C0002u);    // INET_E_INVALID_URL
constexpr HResult kCannotConnect = static_cast<HResult>(0x800C0004u);
constexpr HResult kResourceNotFound = static_cast<HResult>(0x800C0005u);
constexpr HResult kDownloadFailure = static_cast<HResult>(0x800C0008u);
constexpr HResult kConnectionTimeout = static_cast<HResult>(0x800C000Bu);
constexpr HResult kUnknownProtocol = static_cast<HResult>(0x800C000Du);
constexpr HResult kSecurityProblem = static_cast<HResult>(0x800C000Eu);
constexpr HResult kNotImplemented = static_cast<HResult>(0x80004001u);  // E_NOTIMPL
}  // namespace hresult

// Stages reported with OnProgress, numbered as the URL-moniker binding does.
enum BindStatus : std::uint32_t {
    BINDSTATUS_FINDINGRESOURCE = 1,
    BINDSTATUS_CONNECTING = 2,
    BINDSTATUS_BEGINDOWNLOADDATA = 4,
    BINDSTATUS_DOWNLOADINGDATA = 5,
    BINDSTATUS_ENDDOWNLOADDATA = 6,
};

// Receives the progress of a system download. A failure result (negative)
// aborts the download, which then returns hresult::kAbort.
class DownloadStatusCallback {
public:
    virtual ~DownloadStatusCallback() = default;
    virtual HResult OnProgress(std::uint64_t progress, std::uint64_t progressMax, std::uint32_t statusCode,
                               const wchar_t* statusText) = 0;
};

// Downloads `url` into the file `path`, synchronously, on the calling thread.
// Redirects are followed; an HTTP status of 400 or above fails. The file appears
// at `path` only when the download is complete. `callback` may be null.
HResult DownloadUrlToFile(const std::wstring& url, const std::wstring& path, DownloadStatusCallback* callback);

// The certificate authorities HTTPS transfers verify servers against: a PEM
// file, or empty for the system's store (the default).
void SetHttpsCaFile(const std::string& pemFile);
std::string HttpsCaFile();

}  // namespace Utils
