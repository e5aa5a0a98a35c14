#include "download/DownloaderFactory.h"

#include "download/CCurlDownloader.h"
#include "download/CMTCurlDownloader.h"
#include "download/CWinDownloader.h"

std::unique_ptr<CDownloader> MakeDownloader(int downloadType, DownloadCallback callback, std::wstring url,
                                            std::wstring path) {
    switch (downloadType) {
        case kDownloadTypeSystem:
            return std::make_unique<CWinDownloader>(std::move(callback), std::move(url), std::move(path));
        case kDownloadTypeMultiPart:
            return std::make_unique<CMTCurlDownloader>(std::move(callback), std::move(url), std::move(path));
        default:
            return std::make_unique<CCurlDownloader>(std::move(callback), std::move(url), std::move(path));
    }
}
