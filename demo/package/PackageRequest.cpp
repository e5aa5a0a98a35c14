#include "PackageRequest.h"

#include <cstdlib>
#include <map>

#include "Arguments.h"
#include "DemoPaths.h"

namespace demo {

namespace {

std::optional<long> ParseMs(const std::string& text) {
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end || v < -1)
        return std::nullopt;
    return v;
}

}  // namespace

std::optional<PackageRequest> ParsePackageArgs(const std::vector<std::string>& args, std::string* error) {
    TailArgument tail = SplitTail(args, "/D=");
    PackageRequest r;
    bool silent = false;
    std::optional<std::string> version, instdir;
    std::map<std::string, bool*> flags = {{"-adminact", &r.adminact},
                                          {"-authorizationact", &r.authorizationact},
                                          {"-dsc", &r.desktopShortcut},
                                          {"-ssc", &r.quickLaunch}};
    std::map<std::string, bool> seen;
    for (const auto& arg : tail.head) {
        if (arg == "/S") {
            silent = true;
            continue;
        }
        auto option = SplitOption(arg);
        if (!option) {
            *error = "无法识别的参数：" + arg;
            return std::nullopt;
        }
        const auto& [name, value] = *option;
        if (auto f = flags.find(name); f != flags.end()) {
            auto flag = ParseFlag(value);
            if (!flag) {
                *error = "参数值无效：" + arg;
                return std::nullopt;
            }
            *f->second = *flag;
            seen[name] = true;
        } else if (name == "-console") {
            r.console = value == "show";
        } else if (name == "-version") {
            version = value;
        } else if (name == "-instdir") {
            instdir = value;
        } else if (name == "-startupstyle") {
            r.startupStyle = value;
        } else if (name == "-isoverride") {
            r.isOverride = value;
        } else if (name == "-starturl") {
            r.startUrl = value;
        } else if (name == "-topshow" || name == "-finishclose") {
            auto ms = ParseMs(value);
            if (!ms) {
                *error = "参数值无效：" + arg;
                return std::nullopt;
            }
            (name == "-topshow" ? r.topShowMs : r.finishCloseMs) = ms;
        } else if (name == "-simulate") {
            r.simulate = value;
        } else {
            r.ignored.push_back(arg);
        }
    }
    if (!silent) {
        *error = "只支持静默安装（/S）";
        return std::nullopt;
    }
    if (version != kProtocolVersion) {
        *error = "不支持的协议版本：" + version.value_or("");
        return std::nullopt;
    }
    for (const auto& [name, _] : flags) {
        if (!seen[name]) {
            *error = "缺少参数：" + name;
            return std::nullopt;
        }
    }
    // The quoted -instdir keeps the folder exactly; /D= may have lost runs of blanks.
    if (instdir && !instdir->empty())
        r.folder = *instdir;
    else if (tail.value && !tail.value->empty())
        r.folder = *tail.value;
    else
        r.folder = DefaultInstallFolder();
    if (!r.folder.is_absolute()) {
        *error = "安装目录必须是绝对路径：" + r.folder.string();
        return std::nullopt;
    }
    r.folder = r.folder.lexically_normal();
    if (!r.folder.has_filename())
        r.folder = r.folder.parent_path();
    if (r.folder == r.folder.root_path()) {
        *error = "安装目录无效：" + r.folder.string();
        return std::nullopt;
    }
    return r;
}

}  // namespace demo
