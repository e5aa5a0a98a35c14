#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include "utils/Accounts.h"
#include "utils/TextConvert.h"

namespace {

TEST(Accounts, RootIsAnAdministratorAndUnknownNamesAreNot)
{
    EXPECT_TRUE(Utils::IsAdminAccount(L"root"));
    EXPECT_FALSE(Utils::IsAdminAccount(L""));
    EXPECT_FALSE(Utils::IsAdminAccount(L"no-such-user-lumapane-xyz"));
    // "nobody" is in no administrator group on a sound system.
    EXPECT_FALSE(Utils::IsAdminAccount(L"nobody"));
}

TEST(Accounts, CurrentUserAgreesWithItsAccount)
{
    const passwd* self = getpwuid(geteuid());
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(Utils::IsCurrentUserAdmin(), geteuid() == 0 || Utils::IsAdminAccount(Utils::FromSystemPath(self->pw_name)));

    std::wstring name = L"unchanged";
    ASSERT_TRUE(Utils::GetConsoleUserName(name));
    EXPECT_FALSE(name.empty());
    EXPECT_NE(name, L"unchanged");
}

}  // namespace
