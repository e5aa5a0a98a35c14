#pragma once
// Account checks. An administrator here is root or a member of the sudo, wheel or admin
// group.
#include <string>
#include <string_view>

namespace Utils {

// The process's own account (effective user and its groups) is an administrator.
bool IsCurrentUserAdmin();
// The named local account is an administrator; false for an unknown or empty name.
bool IsAdminAccount(std::wstring_view userName);
// The user of the active session on seat0 when it can be found, else the process's
// login name; false when neither is known (the name is left alone then).
bool GetConsoleUserName(std::wstring& userName);

}  // namespace Utils
