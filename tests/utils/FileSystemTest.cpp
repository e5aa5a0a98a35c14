#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TestSupport.h"
#include "utils/FileSystem.h"
#include "utils/HardDiskManager.h"
#include "utils/KnownFolders.h"

namespace {

TEST(FileSystem, CreateFolderPathMakesParentsAndRefusesWhatCannotBe)
{
    TestSupport::TempDir dir;
    TestSupport::WriteTextFile(dir.File("file"), "x");
    struct Case {
        std::wstring path;
        bool created;
    };
    const Case cases[] = {
        {dir.wpath(), true},                              // exists already
        {dir.WFile(L"a"), true},                          // one level
        {dir.WFile(L"b/c/d"), true},                      // several levels
        {dir.WFile(L"b/c/d/"), true},                     // trailing separator, existing
        {dir.WFile(L"\x4E2D\x6587/\x00E9"), true},        // not ASCII
        {dir.WFile(L"file"), false},                      // a file of that name
        {dir.WFile(L"file/sub"), false},                  // a parent that cannot be created
        {dir.WFile(L"a/" + std::wstring(300, L'x')), false},  // longer than 260 characters
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utils::CreateFolderPath(c.path), c.created) << c.path.size();
        if (c.created) {
            EXPECT_TRUE(Utils::IsDirectory(c.path));
        }
    }
    EXPECT_FALSE(Utils::IsDirectory(dir.WFile(L"file")));
    EXPECT_TRUE(Utils::FileExists(dir.WFile(L"file")));
}

TEST(FileSystem, WorkFolderIsPrivateAndRefusesForeignNames)
{
    TestSupport::TempDir tmp;
    TestSupport::ScopedEnv env("TMPDIR", tmp.path());
    const std::wstring work = Utils::GetWorkFolder();
    ASSERT_EQ(work, tmp.wpath() + L"/" + Utils::kWorkFolderName + L"/");
    struct stat st{};
    ASSERT_EQ(::stat((tmp.path() + "/~OrvekTemp.92482B06FB471E17").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(Utils::GetWorkFolder(), work);  // an existing one is taken as it is

    TestSupport::TempDir other;
    TestSupport::ScopedEnv env2("TMPDIR", other.path());
    TestSupport::WriteTextFile(other.File("~OrvekTemp.92482B06FB471E17"), "not a folder");
    EXPECT_EQ(Utils::GetWorkFolder(), L"");
}

TEST(FileSystem, PathPartsAndAtomicWrites)
{
    EXPECT_EQ(Utils::FileNameOf(L"/opt/a/setup.exe"), L"setup.exe");
    EXPECT_EQ(Utils::FileNameOf(L"setup.exe"), L"setup.exe");
    EXPECT_EQ(Utils::FolderOf(L"/opt/a/setup.exe"), L"/opt/a");
    EXPECT_EQ(Utils::FolderOf(L"/setup.exe"), L"/");
    EXPECT_EQ(Utils::JoinPath(L"/opt", L"x"), L"/opt/x");
    EXPECT_EQ(Utils::JoinPath(L"/opt/", L"x"), L"/opt/x");

    TestSupport::TempDir dir;
    const std::wstring file = dir.WFile(L"f");
    ASSERT_TRUE(Utils::WriteFileAtomically(file, "first", 0600));
    ASSERT_TRUE(Utils::WriteFileAtomically(file, std::string("second\0x", 8)));
    std::string bytes;
    ASSERT_TRUE(Utils::ReadFileBytes(file, bytes));
    EXPECT_EQ(bytes, std::string("second\0x", 8));
    struct stat st{};
    ASSERT_EQ(::stat(dir.File("f").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u) << "an existing file keeps its bits";
    EXPECT_FALSE(Utils::WriteFileAtomically(dir.WFile(L"missing/f"), "x"));

    EXPECT_TRUE(Utils::CopyFile(file, dir.WFile(L"g"), true));
    EXPECT_FALSE(Utils::CopyFile(file, dir.WFile(L"g"), true));
    EXPECT_TRUE(Utils::CopyFile(file, dir.WFile(L"g"), false));
    EXPECT_FALSE(Utils::CopyFile(dir.WFile(L"none"), dir.WFile(L"h"), false));
    EXPECT_TRUE(Utils::DeleteFile(dir.WFile(L"g")));
    EXPECT_FALSE(Utils::FileExists(dir.WFile(L"g")));
}

TEST(HardDiskManager, MeasuresTheNearestExistingFolder)
{
    TestSupport::TempDir dir;
    Utils::HardDiskManager here, below;
    ASSERT_TRUE(here.CheckFreeSpace(dir.wpath()));
    EXPECT_GT(here.totalBytes, 0u);
    EXPECT_LE(here.freeBytesAvailable, here.totalFreeBytes);
    EXPECT_LE(here.totalFreeBytes, here.totalBytes);
    ASSERT_TRUE(below.CheckFreeSpace(dir.WFile(L"not/yet/made/")));
    EXPECT_EQ(below.totalBytes, here.totalBytes);
    EXPECT_FALSE(Utils::IsDirectory(dir.WFile(L"not")));

    Utils::HardDiskManager failing;
    TestSupport::WriteTextFile(dir.File("file"), "x");
    EXPECT_FALSE(failing.CheckFreeSpace(dir.WFile(L"file/below")));
    EXPECT_EQ(failing.totalBytes, 0u);
}

}  // namespace
