#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "InstallDeps.h"

class CConsoleChild;

// Runs the downloaded setup package silently and reports its console output.
class CPackageRunner {
public:
    CPackageRunner(DownloadCallback callback, std::wstring packagePath, std::wstring installFolder);
    ~CPackageRunner();
    CPackageRunner(const CPackageRunner&) = delete;
    CPackageRunner& operator=(const CPackageRunner&) = delete;

    void SetInstallFolder(const std::wstring& folder) { installFolder_ = folder; }
    void SetDesktopShortcut(bool on) { desktopShortcut_ = on; }
    void SetQuickLaunch(bool on) { quickLaunch_ = on; }
    void SetAdminAct(bool on) { adminAct_ = on; }
    void SetAuthorizationAct(bool on) { authorizationAct_ = on; }

    // Builds the command line and runs the package on a new worker thread;
    // waits first for the previous run to end.
    void Start();

    // Handles one decoded chunk in the package dialect; returns its outcome.
    int ParseOutput(const wchar_t* text);
    // Decodes one chunk with the current code page, then parses it.
    int ParseChunk(const char* bytes, std::size_t size);

    std::wstring BuildCommandLine() const;
    std::int32_t CodePage() const { return codePage_; }
    const std::wstring& PackagePath() const { return packagePath_; }

private:
    static std::uint32_t RunThread(void* self);
    void Run();
    void Emit(int code, double value, const wchar_t* text) const;

    DownloadCallback callback_;
    std::wstring packagePath_;
    std::wstring installFolder_;
    std::wstring commandLine_;
    bool quickLaunch_ = false;
    bool desktopShortcut_ = false;
    std::int32_t codePage_ = 0;
    std::unique_ptr<Utils::Thread> worker_;
    std::unique_ptr<CConsoleChild> child_;
    bool adminAct_ = false;
    bool authorizationAct_ = true;
};
