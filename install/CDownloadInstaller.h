#pragma once

#include <memory>
#include <string>
#include <vector>

#include "InstallDeps.h"

class CPackageRunner;
class CUnInstaller;

// Chains one install attempt: the old version's uninstaller when there is
// one, the download of the setup package, and the package run. Every stage
// event goes to the owner's callback first; the orchestrator then acts on it.
class CDownloadInstaller {
public:
    CDownloadInstaller(DownloadCallback callback, std::wstring downloadUrl, std::wstring oldUninstallerPath,
                       std::wstring installFolder, bool desktopShortcut, bool quickLaunch, bool adminAct);
    ~CDownloadInstaller();
    CDownloadInstaller(const CDownloadInstaller&) = delete;
    CDownloadInstaller& operator=(const CDownloadInstaller&) = delete;

    void Configure(std::wstring downloadUrl, std::wstring oldUninstallerPath, std::wstring installFolder,
                   bool desktopShortcut, bool quickLaunch, bool adminAct, bool authorizationAct);

    // Begins an attempt on the caller's thread; the stages run on workers.
    void Start();

    // The package file in the current install folder.
    std::wstring PackagePath() const;

    // Where the old uninstaller is copied before it runs; empty without a work folder.
    static std::wstring UninstallerCopyPath();

private:
    void OnDownloadEvent(int code, double value, const wchar_t* text);
    void OnInstallEvent(int code, double value, const wchar_t* text);
    void OnUninstallEvent(int code, double value, const wchar_t* text);
    void StartUninstaller();

    std::unique_ptr<CUnInstaller> uninstaller_;
    std::unique_ptr<CDownloader> downloader_;
    std::unique_ptr<CPackageRunner> runner_;
    std::wstring downloadUrl_;
    std::wstring oldUninstallerPath_;
    std::wstring installFolder_;
    std::wstring packagePath_;
    bool desktopShortcut_;
    bool quickLaunch_;
    bool adminAct_;
    bool authorizationAct_ = false;
    DownloadCallback callback_;
    // Uninstallers replaced by a later attempt; their threads may still run,
    // so they are released with the orchestrator rather than on the UI thread.
    std::vector<std::unique_ptr<CUnInstaller>> retiredUninstallers_;
};
