#include "DemoPaths.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace demo {

namespace {

std::filesystem::path FromEnv(const char* name) {
    const char* v = std::getenv(name);
    if (v && *v == '/')
        return v;
    return {};
}

}  // namespace

std::filesystem::path HomeFolder() {
    if (auto home = FromEnv("HOME"); !home.empty())
        return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/tmp";
}

std::filesystem::path DataHome() {
    if (auto v = FromEnv("XDG_DATA_HOME"); !v.empty())
        return v;
    return HomeFolder() / ".local" / "share";
}

std::filesystem::path ProductDataFolder() { return DataHome() / "OrvekData" / "Lumapane"; }

std::filesystem::path ApplicationsFolder() { return DataHome() / "applications"; }

std::filesystem::path DesktopFolder() {
    if (auto v = FromEnv("XDG_DESKTOP_DIR"); !v.empty())
        return v;
    return HomeFolder() / "Desktop";
}

std::filesystem::path DefaultInstallFolder() { return "/opt/Lumapane"; }

}  // namespace demo
