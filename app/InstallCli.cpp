// Headless front end of the install flow: the same orchestrator the main window
// drives, with its events printed instead of shown. Used by the demo and by
// staging checks where no display is available.
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>

#include "app/InstallerConfig.h"
#include "download/CDownloader.h"
#include "install/CDownloadInstaller.h"
#include "install/InstallCodes.h"
#include "utils/TextConvert.h"

namespace {

struct Outcome {
    std::mutex lock;
    std::condition_variable changed;
    bool finished = false;
    bool success = false;
};

bool IsFinal(int code) {
    return code == IST_CODE_SUCCESS || code == IST_CODE_FAIL || code == DL_CODE_FAIL || code == UNIST_CODE_FAIL ||
           code == UNIST_CODE_ERROR;
}

}  // namespace

int main(int argc, char** argv) {
    std::wstring folder;
    std::wstring oldUninstaller;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--folder=", 0) == 0) folder = Utils::ToWide(arg.substr(9), 0);
        if (arg.rfind("--old-uninstaller=", 0) == 0) oldUninstaller = Utils::ToWide(arg.substr(18), 0);
    }
    if (folder.empty()) {
        std::fprintf(stderr, "usage: lumapane-install --folder=<install folder> [--old-uninstaller=<file>] [installer options]\n");
        return 2;
    }

    InstallerConfig& config = InstallerConfig::Instance();
    config.ApplyCommandLine();

    Outcome outcome;
    auto report = [&outcome](int code, double value, const wchar_t* text) {
        const std::string line = Utils::ToNarrow(text ? text : L"", 65001);
        std::printf("event %d %g %s\n", code, value, line.c_str());
        std::fflush(stdout);
        if (!IsFinal(code)) return;
        std::lock_guard guard(outcome.lock);
        outcome.finished = true;
        outcome.success = code == IST_CODE_SUCCESS;
        outcome.changed.notify_all();
    };

    CDownloadInstaller installer(report, config.DownloadUrl, oldUninstaller, folder, true, true, false);
    installer.Start();
    std::unique_lock guard(outcome.lock);
    outcome.changed.wait(guard, [&] { return outcome.finished; });
    const bool success = outcome.success;
    guard.unlock();
    std::printf("%s\n", success ? "installed" : "failed");
    return success ? 0 : 1;
}
