#include "download/CurlCommon.h"

#include <sys/stat.h>

#include "app/InstallerConfig.h"
#include "utils/SystemDownload.h"
#include "utils/TextConvert.h"

std::size_t DiscardBody(char*, std::size_t size, std::size_t count, void*) { return size * count; }

std::string NarrowUrl(const std::wstring& url) {
    const bool fileUrl = url.find(L"file:///") == 0;
    return Utils::ToNarrow(url, fileUrl ? Utils::kCodePageAnsi : Utils::kCodePageUtf8);
}

void ApplyHttpsTrust(CURL* handle) {
    const std::string ca = Utils::HttpsCaFile();
    if (!ca.empty()) curl_easy_setopt(handle, CURLOPT_CAINFO, ca.c_str());
}

std::int64_t FileSize(const std::string& ansiPath) {
    struct stat info {};
    if (ansiPath.empty() || ::stat(ansiPath.c_str(), &info) != 0) return -1;
    return static_cast<std::int64_t>(info.st_size);
}

bool CurlIsReady() { return InstallerConfig::Instance().CurlReady; }
