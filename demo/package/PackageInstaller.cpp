#include "PackageInstaller.h"

#include <cerrno>
#include <cstring>

#include "DemoPaths.h"
#include "IniText.h"
#include "Payload.h"

namespace demo {

namespace {

constexpr double kFilesShare = 0.8;

std::string DesktopEntry(const std::filesystem::path& folder) {
    // Exec needs the program quoted when the folder has blanks; '"', '`', '$'
    // and '\' are escaped inside the quotes.
    std::string exec;
    for (char c : (folder / kProductFile).string()) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            exec += "\\\\";
        exec += c;
    }
    return "[Desktop Entry]\nType=Application\nName=Lumapane\nComment=Lumapane\nExec=\"" + exec +
           "\"\nPath=" + folder.string() + "\nTerminal=false\nCategories=Graphics;\n";
}

}  // namespace

PackageInstaller::PackageInstaller(PackageRequest request, std::filesystem::path package, ConsoleReporter& out)
    : request_(std::move(request)), package_(std::move(package)), out_(out) {}

bool PackageInstaller::Fail(const std::string& text) {
    out_.Error(text);
    return false;
}

bool PackageInstaller::InstallFiles() {
    std::string error;
    auto entries = ReadPayload(package_, &error);
    if (!entries)
        return Fail(error);
    size_t total = 0, done = 0;
    for (const auto& e : *entries)
        total += e.bytes.size();
    for (const auto& e : *entries) {
        auto target = request_.folder / e.name;
        std::error_code ec;
        std::filesystem::create_directories(target.parent_path(), ec);
        if (ec)
            return Fail("无法创建目录：" + target.parent_path().string() + "（" + ec.message() + "）");
        if (!WriteFileAtomically(target, e.bytes, &error, e.mode))
            return Fail(error);
        manifest_.AddFile(e.name);
        done += e.bytes.size();
        out_.Progress(0.05 + kFilesShare * static_cast<double>(done) / static_cast<double>(total ? total : 1));
    }
    return true;
}

bool PackageInstaller::WriteSettings() {
    std::string error;
    if (!SetIniValue(request_.folder / kSettingsFile, "Uninstall", "IsOverride", request_.isOverride, &error))
        return Fail(error);
    manifest_.AddFile(kSettingsFile);
    return true;
}

bool PackageInstaller::WriteShortcut(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::string error;
    auto file = folder / kShortcutFile;
    if (ec || !WriteFileAtomically(file, DesktopEntry(request_.folder), &error, 0755))
        return Fail(error.empty() ? "无法创建快捷方式：" + file.string() : error);
    manifest_.AddShortcut(file);
    return true;
}

void PackageInstaller::ReportFacts() {
    out_.Line("InstPath", request_.folder.string());
    out_.Line("ExePath", (request_.folder / kProductFile).string());
    out_.Line("UninstEp", (request_.folder / kUninstallerFile).string());
    out_.Line("InstallVersion", "2.3.0");
    out_.Line("StartUrl", request_.startUrl);
    out_.Line("StartupStyle", request_.startupStyle);
    if (request_.topShowMs)
        out_.Line("TopShowDetention", std::to_string(*request_.topShowMs));
    if (request_.finishCloseMs)
        out_.Line("FinsihCloseDetention", std::to_string(*request_.finishCloseMs));
}

bool PackageInstaller::Run() {
    out_.EncodeUtf8();
    out_.Progress(0.0);
    if (request_.simulate == "error")
        return Fail("模拟的安装错误");
    if (request_.simulate == "fail") {
        out_.Fail();
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(request_.folder, ec);
    if (ec || !std::filesystem::is_directory(request_.folder))
        return Fail("无法创建安装目录：" + request_.folder.string() + (ec ? "（" + ec.message() + "）" : ""));
    // A reinstall over an earlier one keeps what that one recorded, so that the
    // uninstaller still finds all of it.
    if (auto earlier = InstallManifest::Load(request_.folder, nullptr)) {
        for (const auto& f : earlier->files())
            manifest_.AddFile(f);
        for (const auto& s : earlier->shortcuts())
            manifest_.AddShortcut(s);
    }
    if (!InstallFiles() || !WriteSettings())
        return false;
    if (request_.desktopShortcut && !WriteShortcut(DesktopFolder()))
        return false;
    if (request_.quickLaunch && !WriteShortcut(ApplicationsFolder()))
        return false;
    std::string error;
    if (!manifest_.Save(request_.folder, &error))
        return Fail(error);
    out_.Progress(0.95);
    ReportFacts();
    out_.Progress(1.0);
    out_.Success();
    return true;
}

}  // namespace demo
