#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "InstallDeps.h"

class CConsoleChild;

// Runs the copied uninstaller of an old version silently and reports its
// console output.
class CUnInstaller {
public:
    CUnInstaller(DownloadCallback callback, std::wstring uninstallerPath, std::wstring oldFolder);
    ~CUnInstaller();
    CUnInstaller(const CUnInstaller&) = delete;
    CUnInstaller& operator=(const CUnInstaller&) = delete;

    // Builds the command line and runs the uninstaller on a worker thread.
    void Start();

    // Handles one decoded chunk in the uninstaller dialect; returns its outcome.
    int ParseOutput(const wchar_t* text);
    // Decodes one chunk with the current code page, then parses it.
    int ParseChunk(const char* bytes, std::size_t size);

    std::wstring BuildCommandLine() const;
    std::int32_t CodePage() const { return codePage_; }

private:
    static std::uint32_t RunThread(void* self);
    void Run();
    void Emit(int code, double value, const wchar_t* text) const;

    DownloadCallback callback_;
    std::wstring commandLine_;
    std::wstring uninstallerPath_;
    std::wstring oldFolder_;
    std::int32_t codePage_ = 0;
    std::unique_ptr<Utils::Thread> worker_;
    std::unique_ptr<CConsoleChild> child_;
};
