// One download or digest for the benchmark script: prints seconds taken and
// the process's peak resident memory.
#include <sys/resource.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

#include "download/CCurlDownloader.h"
#include "download/CMTCurlDownloader.h"
#include "download/FileMd5.h"

namespace {

long PeakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::wstring Wide(const char* text) {
    const std::string s(text);
    return std::wstring(s.begin(), s.end());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s curl|mtcurl <url> <target> | md5 <file>\n", argv[0]);
        return 2;
    }
    const std::string mode = argv[1];
    const auto begin = std::chrono::steady_clock::now();
    int result = 0;
    if (mode == "md5") {
        result = GetFileMd5(argv[2]).size() == kMd5TextLength ? 0 : 1;
    } else if (argc >= 4) {
        std::mutex mutex;
        std::condition_variable done;
        int final = 0;
        auto callback = [&](int code, double, const wchar_t*) {
            if (code != DL_CODE_SUCCESS && code != DL_CODE_FAIL) return;
            std::lock_guard lock(mutex);
            final = code;
            done.notify_all();
        };
        std::unique_ptr<CDownloader> downloader;
        if (mode == "mtcurl")
            downloader = std::make_unique<CMTCurlDownloader>(callback, Wide(argv[2]), Wide(argv[3]));
        else
            downloader = std::make_unique<CCurlDownloader>(callback, Wide(argv[2]), Wide(argv[3]));
        downloader->Start();
        std::unique_lock lock(mutex);
        done.wait(lock, [&] { return final != 0; });
        result = final == DL_CODE_SUCCESS ? 0 : 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    std::printf("%.3f %ld\n", seconds, PeakRssKiB());
    return result;
}
