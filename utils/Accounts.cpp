#include "utils/Accounts.h"

#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>
#include <vector>

#include "utils/TextConvert.h"

namespace Utils {
namespace {

constexpr const char* kAdminGroups[] = {"sudo", "wheel", "admin"};
constexpr const char* kSeatFile = "/run/systemd/seats/seat0";
constexpr int kMaxGroups = 1024;

bool IsAdminGroup(gid_t gid)
{
    group entry{};
    group* found = nullptr;
    std::vector<char> buffer(16384);
    if (getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return false;
    for (const char* name : kAdminGroups) {
        if (std::string_view(found->gr_name) == name)
            return true;
    }
    return false;
}

std::string UserNameOf(uid_t uid)
{
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return {};
    return found->pw_name;
}

// ACTIVE_UID= of the seat's state file, written by systemd-logind.
std::string ActiveSeatUser()
{
    std::ifstream in(kSeatFile);
    std::string line;
    while (std::getline(in, line)) {
        if (line.starts_with("ACTIVE_UID=")) {
            try {
                return UserNameOf(static_cast<uid_t>(std::stoul(line.substr(11))));
            } catch (...) {
                return {};
            }
        }
    }
    return {};
}

}  // namespace

bool IsCurrentUserAdmin()
{
    if (::geteuid() == 0)
        return true;
    if (IsAdminGroup(::getegid()))
        return true;
    std::vector<gid_t> groups(kMaxGroups);
    const int n = ::getgroups(kMaxGroups, groups.data());
    for (int i = 0; i < n; ++i) {
        if (IsAdminGroup(groups[static_cast<std::size_t>(i)]))
            return true;
    }
    return false;
}

bool IsAdminAccount(std::wstring_view userName)
{
    const std::string name = ToSystemPath(userName);
    if (name.empty())
        return false;
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwnam_r(name.c_str(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return false;
    if (found->pw_uid == 0)
        return true;
    int count = kMaxGroups;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    if (getgrouplist(name.c_str(), found->pw_gid, groups.data(), &count) < 0)
        return false;
    for (int i = 0; i < count; ++i) {
        if (IsAdminGroup(groups[static_cast<std::size_t>(i)]))
            return true;
    }
    return false;
}

bool GetConsoleUserName(std::wstring& userName)
{
    std::string name = ActiveSeatUser();
    if (name.empty()) {
        char login[256];
        if (getlogin_r(login, sizeof login) == 0)
            name = login;
    }
    if (name.empty())
        name = UserNameOf(::geteuid());
    if (name.empty())
        return false;
    userName = FromSystemPath(name);
    return !userName.empty();
}

}  // namespace Utils
