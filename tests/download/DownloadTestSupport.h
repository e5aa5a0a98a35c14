#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "download/CDownloader.h"

namespace lptest {

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    std::wstring WideFile(const std::string& name) const;

private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

struct Report {
    int code;
    double value;
    std::wstring text;
};

// Collects a downloader's reports and behaves as its owner does: Start() again
// from within 1005.
class ReportLog {
public:
    DownloadCallback Callback();
    void RestartOnRetry(CDownloader* downloader) { downloader_ = downloader; }
    // Called inside the reporting thread for every report, after it was recorded.
    void OnReport(std::function<void(const Report&)> hook) { hook_ = std::move(hook); }

    // Waits for a report that ends a run for good (1003 or 1004 as the latest report).
    bool WaitForFinal(std::chrono::milliseconds timeout = std::chrono::seconds(120));
    bool WaitFor(const std::function<bool(const std::vector<Report>&)>& ready,
                 std::chrono::milliseconds timeout = std::chrono::seconds(120));
    std::vector<Report> Reports() const;
    // Codes in order, progress reports left out.
    std::vector<int> Codes() const;
    std::vector<double> ProgressValues() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Report> reports_;
    CDownloader* downloader_ = nullptr;
    std::function<void(const Report&)> hook_;
};

}  // namespace lptest
