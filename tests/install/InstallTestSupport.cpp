#include "InstallTestSupport.h"

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace InstallTest {
namespace {
// The installer runs in the user's locale; tests fix it to UTF-8 so that the
// code page 0 of a fresh reader decodes the stand-ins' UTF-8 text.
[[maybe_unused]] const bool kUtf8Locale = [] { return std::setlocale(LC_ALL, "C.UTF-8") != nullptr; }();
}  // namespace

std::ostream& operator<<(std::ostream& os, const Event& e) {
    os << "{" << e.code << ", " << e.value << ", \"" << Utils::ToNarrow(e.text, 65001) << "\"}";
    return os;
}

DownloadCallback EventLog::Callback() {
    return [this](int code, double value, const wchar_t* text) {
        std::lock_guard lock(mutex_);
        events_.push_back({code, value, text});
        changed_.notify_all();
    };
}

bool EventLog::WaitFor(const std::function<bool(const Event&)>& match) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kSafetyTimeout, [&] {
        for (const auto& e : events_) {
            if (match(e)) {
                return true;
            }
        }
        return false;
    });
}

bool EventLog::WaitForCode(int code) {
    return WaitFor([code](const Event& e) { return e.code == code; });
}

bool EventLog::WaitForCount(std::vector<int> codes, std::size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kSafetyTimeout, [&] {
        std::size_t seen = 0;
        for (const auto& e : events_) {
            for (int code : codes) {
                seen += e.code == code ? 1 : 0;
            }
        }
        return seen >= count;
    });
}

std::vector<Event> EventLog::Events() const {
    std::lock_guard lock(mutex_);
    return events_;
}

std::vector<int> EventLog::Codes() const {
    std::lock_guard lock(mutex_);
    std::vector<int> codes;
    for (const auto& e : events_) {
        codes.push_back(e.code);
    }
    return codes;
}

TempDir::TempDir() {
    std::string pattern = std::filesystem::current_path().string() + "/install-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

Gate::Gate(std::string path) : path_(std::move(path)) {
    mkfifo(path_.c_str(), 0600);
}

bool Gate::Release() {
    // Opening without blocking fails until the stand-in has opened its end.
    const auto deadline = std::chrono::steady_clock::now() + kSafetyTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        const int fd = open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            close(fd);
            return true;
        }
        if (errno != ENXIO) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

std::wstring Wide(const std::string& utf8) {
    return Utils::ToWide(utf8, 65001);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

bool FileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

std::string SetupStandIn() {
    return LP_STANDIN_SETUP;
}

std::string UninstallStandIn() {
    return LP_STANDIN_UNINSTALL;
}

}  // namespace InstallTest
