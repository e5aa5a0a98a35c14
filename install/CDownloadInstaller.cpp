#include "CDownloadInstaller.h"

#include "CPackageRunner.h"
#include "CUnInstaller.h"
#include "InstallCodes.h"

namespace {

constexpr const wchar_t* kPackageFileName = L"__Package_Lumapane.exe";
constexpr const wchar_t* kUninstallerCopyName = L"Lumapane_un_asa.exe";

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

}  // namespace

CDownloadInstaller::CDownloadInstaller(DownloadCallback callback, std::wstring downloadUrl,
                                       std::wstring oldUninstallerPath, std::wstring installFolder,
                                       bool desktopShortcut, bool quickLaunch, bool adminAct)
    : downloadUrl_(std::move(downloadUrl)),
      oldUninstallerPath_(std::move(oldUninstallerPath)),
      installFolder_(std::move(installFolder)),
      desktopShortcut_(desktopShortcut),
      quickLaunch_(quickLaunch),
      adminAct_(adminAct),
      callback_(std::move(callback)) {}

CDownloadInstaller::~CDownloadInstaller() {
    downloader_.reset();
    runner_.reset();
    uninstaller_.reset();
    retiredUninstallers_.clear();
}

void CDownloadInstaller::Configure(std::wstring downloadUrl, std::wstring oldUninstallerPath,
                                   std::wstring installFolder, bool desktopShortcut, bool quickLaunch, bool adminAct,
                                   bool authorizationAct) {
    downloadUrl_ = std::move(downloadUrl);
    oldUninstallerPath_ = std::move(oldUninstallerPath);
    installFolder_ = std::move(installFolder);
    desktopShortcut_ = desktopShortcut;
    quickLaunch_ = quickLaunch;
    adminAct_ = adminAct;
    authorizationAct_ = authorizationAct;
}

std::wstring CDownloadInstaller::PackagePath() const {
    return Utils::JoinPath(installFolder_, kPackageFileName);
}

std::wstring CDownloadInstaller::UninstallerCopyPath() {
    const std::wstring workFolder = Utils::GetWorkFolder();
    return workFolder.empty() ? std::wstring() : Utils::JoinPath(workFolder, kUninstallerCopyName);
}

void CDownloadInstaller::Start() {
    packagePath_ = PackagePath();
    DEBUG_LOG(L"DL_TYPE=%d\r\n", InstallerConfig::Instance().DownloadType);
    if (!downloader_) {
        // The download type picks the downloader once, for the orchestrator's life.
        downloader_ = MakeDownloader(
            InstallerConfig::Instance().DownloadType,
            [this](int code, double value, const wchar_t* text) { OnDownloadEvent(code, value, text); },
            downloadUrl_, packagePath_);
    }
    if (!runner_) {
        runner_ = std::make_unique<CPackageRunner>(
            [this](int code, double value, const wchar_t* text) { OnInstallEvent(code, value, text); },
            Quoted(packagePath_), installFolder_);
    }
    runner_->SetInstallFolder(installFolder_);
    runner_->SetDesktopShortcut(desktopShortcut_);
    runner_->SetQuickLaunch(quickLaunch_);
    runner_->SetAdminAct(adminAct_);
    runner_->SetAuthorizationAct(authorizationAct_);
    if (Utils::FileExists(oldUninstallerPath_)) {
        StartUninstaller();
    } else {
        downloader_->Start();
    }
}

void CDownloadInstaller::StartUninstaller() {
    const std::wstring copyPath = UninstallerCopyPath();
    const std::wstring oldFolder = Utils::FolderOf(oldUninstallerPath_);
    // A failed copy leaves an earlier copy, or nothing, for the run to find.
    if (!copyPath.empty()) {
        Utils::CopyFile(oldUninstallerPath_, copyPath, false);
    }
    if (uninstaller_) {
        retiredUninstallers_.push_back(std::move(uninstaller_));
    }
    uninstaller_ = std::make_unique<CUnInstaller>(
        [this](int code, double value, const wchar_t* text) { OnUninstallEvent(code, value, text); }, copyPath,
        oldFolder);
    uninstaller_->Start();
}

// Each handler takes what it acts on before the owner sees the event, because
// the owner may configure and start the next attempt as soon as it has seen it.
void CDownloadInstaller::OnDownloadEvent(int code, double value, const wchar_t* text) {
    const std::wstring installFolder = installFolder_;
    const std::wstring packagePath = packagePath_;
    callback_(code, value, text);
    switch (code) {
    case DL_CODE_START:
        DEBUG_LOG(L"DL_CODE_START\r\n");
        Utils::CreateFolderPath(installFolder);
        break;
    case DL_CODE_PROGRESS:
        DEBUG_LOG(L"DL_CODE_PROGRESS\r\n");
        break;
    case DL_CODE_SUCCESS:
        DEBUG_LOG(L"DOWNLOAD_SUCCESS\r\n");
        runner_->Start();
        DEBUG_LOG(L"DL_CODE_SUCCESS\r\n");
        break;
    case DL_CODE_FAIL:
        DEBUG_LOG(L"DL_CODE_FAIL\r\n");
        Utils::DeleteFile(packagePath);
        break;
    case DL_CODE_RETRY:
        DEBUG_LOG(L"DL_CODE_RETRY\r\n");
        downloader_->Start();
        break;
    default:
        break;
    }
}

void CDownloadInstaller::OnUninstallEvent(int code, double value, const wchar_t* text) {
    callback_(code, value, text);
    switch (code) {
    case UNIST_CODE_PROGRESS:
        DEBUG_LOG(L"UNIST_CODE_PROGRESS\r\n");
        break;
    case UNIST_CODE_SUCCESS:
        DEBUG_LOG(L"UNIST_CODE_SUCCESS\r\n");
        downloader_->Start();
        break;
    case UNIST_CODE_FAIL:
        DEBUG_LOG(L"UNIST_CODE_FAIL\r\n");
        break;
    case UNIST_CODE_ERROR:
        DEBUG_LOG(L"UNIST_CODE_ERROR\r\n");
        break;
    default:
        break;
    }
}

void CDownloadInstaller::OnInstallEvent(int code, double value, const wchar_t* text) {
    const std::wstring packagePath = packagePath_;
    callback_(code, value, text);
    switch (code) {
    case IST_CODE_START:
        DEBUG_LOG(L"IST_CODE_START\r\n");
        break;
    case IST_CODE_SUCCESS:
        DEBUG_LOG(L"INSTALL_SUCCESS\r\n");
        Utils::DeleteFile(packagePath);
        break;
    case IST_CODE_FAIL:
        DEBUG_LOG(L"IST_CODE_FAIL\r\n");
        Utils::DeleteFile(packagePath);
        break;
    default:
        break;
    }
}
