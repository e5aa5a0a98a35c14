#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include "utils/Accounts.h"
#include "utils/TextConvert.h"

namespace {

TEST(Accounts, AdministratorChecks)
{
    struct Case {
        std::wstring name;
        bool admin;
    };
    const Case cases[] = {{L"root", true}, {L"", false}, {L"lp-no-such-user-x", false}, {L"nobody", false}};
    for (const auto& c : cases)
        EXPECT_EQ(Utils::IsAdminAccount(c.name), c.admin) << std::string(c.name.begin(), c.name.end());
    if (::geteuid() == 0) {
        EXPECT_TRUE(Utils::IsCurrentUserAdmin());
    }
}

TEST(Accounts, ConsoleUserIsARealAccount)
{
    std::wstring name = L"unchanged";
    ASSERT_TRUE(Utils::GetConsoleUserName(name));
    EXPECT_NE(getpwnam(Utils::ToSystemPath(name).c_str()), nullptr);
}

}  // namespace
