#include "Uninstaller.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "Arguments.h"
#include "DemoPaths.h"
#include "InstallManifest.h"

namespace demo {

std::optional<UninstallRequest> ParseUninstallArgs(const std::vector<std::string>& args, std::string* error) {
    TailArgument tail = SplitTail(args, "_?=");
    if (!tail.value || tail.value->empty()) {
        *error = "缺少卸载目录参数 _?=";
        return std::nullopt;
    }
    UninstallRequest request;
    request.folder = std::filesystem::path(*tail.value).lexically_normal();
    bool silent = false;
    for (const auto& arg : tail.head) {
        if (arg == "/S") {
            silent = true;
            continue;
        }
        auto option = SplitOption(arg);
        std::optional<bool> flag = option ? ParseFlag(option->second) : std::nullopt;
        if (option && option->first == "-console" && option->second == "show") {
            request.console = true;
        } else if (option && option->first == "-adminact" && flag) {
            request.adminact = *flag;
        } else if (option && option->first == "-authorizationact" && flag) {
            request.authorizationact = *flag;
        } else {
            *error = "无法识别的参数：" + arg;
            return std::nullopt;
        }
    }
    if (!silent) {
        *error = "只支持静默卸载（/S）";
        return std::nullopt;
    }
    if (!request.folder.is_absolute()) {
        *error = "卸载目录必须是绝对路径：" + request.folder.string();
        return std::nullopt;
    }
    return request;
}

Uninstaller::Uninstaller(UninstallRequest request, ConsoleReporter& out)
    : request_(std::move(request)), out_(out) {}

bool Uninstaller::Fail(const std::string& text) {
    out_.Error(text);
    return false;
}

bool Uninstaller::RemoveFile(const std::filesystem::path& path) {
    if (unlink(path.c_str()) == 0 || errno == ENOENT)
        return true;
    return Fail("无法删除文件：" + path.string() + "（" + std::strerror(errno) + "）");
}

void Uninstaller::RemoveEmptyFolders(const std::vector<std::filesystem::path>& files) {
    // Deepest first, so that a parent is tried after its children.
    std::vector<std::filesystem::path> folders;
    for (const auto& f : files)
        for (auto p = f.parent_path(); !p.empty(); p = p.parent_path())
            folders.push_back(p);
    std::sort(folders.begin(), folders.end(), [](const auto& a, const auto& b) {
        return std::distance(a.begin(), a.end()) > std::distance(b.begin(), b.end());
    });
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    for (const auto& f : folders)
        rmdir((request_.folder / f).c_str());  // fails, as it should, while something is left in it
    rmdir(request_.folder.c_str());
}

bool Uninstaller::Run() {
    out_.EncodeUtf8();
    out_.Progress(0.0);
    std::error_code ec;
    if (!std::filesystem::is_directory(request_.folder, ec))
        return Fail("安装目录不存在：" + request_.folder.string());
    std::string error;
    auto manifest = InstallManifest::Load(request_.folder, &error);
    if (!manifest)
        return Fail(error);

    const auto& files = manifest->files();
    const size_t steps = files.size() + manifest->shortcuts().size();
    size_t done = 0;
    for (const auto& shortcut : manifest->shortcuts()) {
        if (!RemoveFile(shortcut))
            return false;
        out_.Progress(0.9 * static_cast<double>(++done) / static_cast<double>(steps));
    }
    for (const auto& file : files) {
        if (!RemoveFile(request_.folder / file))
            return false;
        out_.Progress(0.9 * static_cast<double>(++done) / static_cast<double>(steps));
    }
    // The manifest goes last: a run that stopped half-way can be repeated.
    if (!RemoveFile(request_.folder / InstallManifest::kFileName))
        return false;
    RemoveEmptyFolders(files);
    out_.Progress(1.0);
    out_.Success();
    return true;
}

}  // namespace demo
