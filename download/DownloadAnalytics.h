#pragma once

#include <functional>
#include <map>
#include <string>

using DownloadTaskOptions = std::map<std::wstring, std::wstring>;

// Failure reports of the download engine go through this one function.
// TODO(analytics): wire to the analytics glue reportTask(label, elapsed, reason, options).
void ReportDownloadTask(const std::wstring& label, float elapsed, const std::wstring& reason,
                        const DownloadTaskOptions& options);

// Lets tests see the reports; pass an empty function to stop.
using DownloadTaskObserver =
    std::function<void(const std::wstring& label, float elapsed, const std::wstring& reason)>;
void SetDownloadTaskObserver(DownloadTaskObserver observer);
