#pragma once

#include <memory>
#include <string>

#include "download/CDownloader.h"

// Values of InstallerConfig.DownloadType; any other value means the single stream.
enum DownloadType : int {
    kDownloadTypeCurl = 1,
    kDownloadTypeSystem = 2,
    kDownloadTypeMultiPart = 3,
};

// 2: CWinDownloader, 3: CMTCurlDownloader, anything else: CCurlDownloader.
std::unique_ptr<CDownloader> MakeDownloader(int downloadType, DownloadCallback callback, std::wstring url,
                                            std::wstring path);
