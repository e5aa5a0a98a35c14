#include "download/DownloadAnalytics.h"

#include <mutex>

namespace {

std::mutex& ObserverMutex() {
    static std::mutex mutex;
    return mutex;
}

DownloadTaskObserver& Observer() {
    static DownloadTaskObserver observer;
    return observer;
}

}  // namespace

void ReportDownloadTask(const std::wstring& label, float elapsed, const std::wstring& reason,
                        const DownloadTaskOptions& options) {
    // TODO(analytics): reportTask(label, elapsed, reason, options) once the analytics glue exists.
    (void)options;
    std::lock_guard lock(ObserverMutex());
    if (Observer()) Observer()(label, elapsed, reason);
}

void SetDownloadTaskObserver(DownloadTaskObserver observer) {
    std::lock_guard lock(ObserverMutex());
    Observer() = std::move(observer);
}
