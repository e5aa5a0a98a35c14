#pragma once

#include <curl/curl.h>

#include <cstddef>
#include <cstdint>
#include <string>

// Smallest package the curl downloaders accept, and the part size of the
// multi-part downloader.
constexpr double kMinPackageLength = 1048576.0;
constexpr std::int64_t kPartUnit = 10485760;

// Results of the single-stream client besides libcurl's own codes.
enum ClientResult : int {
    kClientSideFileError = -996,
    kClientNoHandle = -997,
    kClientSizeUnknown = -998,
};

// Write callback of every probe: the body is thrown away.
std::size_t DiscardBody(char* data, std::size_t size, std::size_t count, void* userdata);

// The narrow URL libcurl gets: UTF-8, or the ANSI code page for "file:///" URLs.
std::string NarrowUrl(const std::wstring& url);

// Peer and host verification stay on (libcurl's defaults); this only points
// libcurl at the configured certificate authorities, if any.
void ApplyHttpsTrust(CURL* handle);

// Size of a file in bytes, 64-bit; −1 when it cannot be read.
std::int64_t FileSize(const std::string& ansiPath);

// Asks servers for the bytes as stored: no content coding that would end up in the file.
constexpr const char* kIdentityEncodingHeader = "Accept-Encoding: identity";

// False when the HTTP library's process-wide initialisation failed.
bool CurlIsReady();
