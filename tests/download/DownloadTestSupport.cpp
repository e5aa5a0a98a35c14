#include "tests/download/DownloadTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace lptest {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lp-download-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::wstring TempFolder::WideFile(const std::string& name) const {
    const std::string narrow = File(name);
    return std::wstring(narrow.begin(), narrow.end());
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

DownloadCallback ReportLog::Callback() {
    return [this](int code, double value, const wchar_t* text) {
        Report report{code, value, text ? text : L"<null>"};
        {
            std::lock_guard lock(mutex_);
            reports_.push_back(report);
        }
        changed_.notify_all();
        if (hook_) hook_(report);
        if (code == DL_CODE_RETRY && downloader_ != nullptr) downloader_->Start();
    };
}

bool ReportLog::WaitForFinal(std::chrono::milliseconds timeout) {
    return WaitFor(
        [](const std::vector<Report>& reports) {
            return !reports.empty() &&
                   (reports.back().code == DL_CODE_SUCCESS || reports.back().code == DL_CODE_FAIL);
        },
        timeout);
}

bool ReportLog::WaitFor(const std::function<bool(const std::vector<Report>&)>& ready,
                        std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return ready(reports_); });
}

std::vector<Report> ReportLog::Reports() const {
    std::lock_guard lock(mutex_);
    return reports_;
}

std::vector<int> ReportLog::Codes() const {
    std::vector<int> codes;
    for (const Report& report : Reports()) {
        if (report.code != DL_CODE_PROGRESS) codes.push_back(report.code);
    }
    return codes;
}

std::vector<double> ReportLog::ProgressValues() const {
    std::vector<double> values;
    for (const Report& report : Reports()) {
        if (report.code == DL_CODE_PROGRESS) values.push_back(report.value);
    }
    return values;
}

}  // namespace lptest
