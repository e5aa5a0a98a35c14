// The demo setup package and its uninstaller, run as the installer runs them:
// the real command lines (split as the installer splits them), output read
// through a pipe and checked line by line against the console dialects.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "ChildRun.h"
#include "IniText.h"

namespace fs = std::filesystem;
using demo_test::Child;

namespace {

const fs::path kPackage = LUMAPANE_DEMO_PACKAGE;

const std::vector<std::string> kPackageKeys = {
    "Progress=", "InstPath=", "State=", "InstallVersion=", "ExePath=", "StartExe=", "UninstExePath=", "UninstExe=",
    "UninstEp=", "Error=", "TopShowDetention=", "FinsihCloseDetention=", "StartUrl=", "StartupStyle=", "Encode=",
    "Message="};
const std::vector<std::string> kUninstallerKeys = {"Progress=", "Error=", "State=", "Encode="};

struct Output {
    int status = -1;
    std::vector<std::string> lines;
    std::string Value(const std::string& key) const {
        for (const auto& l : lines)
            if (l.rfind(key, 0) == 0)
                return l.substr(key.size());
        return "<missing " + key + ">";
    }
};

Output RunChild(const fs::path& program, const std::vector<std::string>& args, const fs::path& home) {
    Child child(program, args,
                {{"HOME", home.string()},
                 {"XDG_DATA_HOME", (home / "data").string()},
                 {"XDG_DESKTOP_DIR", (home / "Desktop").string()}});
    Output out;
    out.status = child.Finish(&out.lines);
    return out;
}

// Every line is one the reader knows, starts with the switch to UTF-8, has
// progress rising from 0 to 1, and ends with the one result line.
void ExpectDialect(const Output& out, const std::vector<std::string>& keys, const std::string& result) {
    ASSERT_FALSE(out.lines.empty());
    EXPECT_EQ(out.lines.front(), "Encode=UTF8");
    double last = -1.0;
    int results = 0;
    for (const auto& line : out.lines) {
        EXPECT_TRUE(std::any_of(keys.begin(), keys.end(), [&](const auto& k) { return line.rfind(k, 0) == 0; }))
            << "line the reader does not know: " << line;
        EXPECT_EQ(line.find('\r'), std::string::npos) << line;
        if (line.rfind("Progress=", 0) == 0) {
            double p = std::strtod(line.c_str() + 9, nullptr);
            EXPECT_GE(p, last) << line;
            EXPECT_LE(p, 1.0) << line;
            last = p;
        }
        results += line.rfind("State=", 0) == 0 || line.rfind("Error=", 0) == 0;
    }
    EXPECT_EQ(results, 1);
    EXPECT_EQ(out.lines.back(), result);
    if (result == "State=Success") {
        EXPECT_EQ(last, 1.0);
    }
}

bool Executable(const fs::path& p) {
    struct stat st{};
    return stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & S_IXUSR);
}

std::vector<std::string> PackageArgs(const std::string& folder, const std::vector<std::string>& extra = {}) {
    std::vector<std::string> args = {"/S", "-console=show", "-version=1.0.0", "-adminact=true",
                                     "-authorizationact=false", "-dsc=true", "-ssc=true"};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back("-instdir=" + folder);
    // The installer passes "/D=<folder>" unquoted, so a folder with blanks arrives in pieces.
    std::string d = "/D=" + folder;
    for (size_t start = 0;;) {
        size_t blank = d.find(' ', start);
        args.push_back(d.substr(start, blank - start));
        if (blank == std::string::npos)
            break;
        start = blank + 1;
    }
    return args;
}

class DemoPackage : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = demo_test::MakeTempFolder("package");
        ASSERT_FALSE(root_.empty());
        home_ = root_ / "home";
        fs::create_directories(home_);
    }
    void TearDown() override { fs::remove_all(root_); }
    fs::path root_, home_;
};

TEST_F(DemoPackage, InstallsAndUninstallsThroughTheInstallersCommandLines) {
    ASSERT_GE(fs::file_size(kPackage), 1048576u);
    const fs::path folder = root_ / "程序 文件" / "Lumapane";

    Output install = RunChild(kPackage, PackageArgs(folder.string(), {"-x=1"}), home_);
    EXPECT_EQ(install.status, 0);
    ExpectDialect(install, kPackageKeys, "State=Success");
    EXPECT_EQ(install.Value("InstPath="), folder.string());
    EXPECT_EQ(install.Value("ExePath="), (folder / "lumapane.exe").string());
    EXPECT_EQ(install.Value("UninstEp="), (folder / "uninst.ep").string());
    EXPECT_EQ(install.Value("StartupStyle="), "UserStartup");
    EXPECT_EQ(install.Value("StartUrl="), "");

    EXPECT_TRUE(Executable(folder / "lumapane.exe"));
    EXPECT_TRUE(Executable(folder / "uninst.ep"));
    EXPECT_EQ(demo::GetIniValue(folder / "set.ini", "Uninstall", "IsOverride"), "true");
    const fs::path desktop = home_ / "Desktop" / "lumapane.desktop";
    const fs::path menu = home_ / "data" / "applications" / "lumapane.desktop";
    EXPECT_NE(demo_test::ReadFile(desktop).find("Exec=\"" + (folder / "lumapane.exe").string() + "\""),
              std::string::npos);
    EXPECT_TRUE(fs::exists(menu));

    // The installer writes its own keys into set.ini between install and uninstall.
    ASSERT_TRUE(demo::SetIniValue(folder / "set.ini", "Install", "AppName", "Lumapane", nullptr));
    std::ofstream(folder / "notes.txt") << "the user's own file\n";

    // The installer runs a copy of uninst.ep from its work folder, folder unquoted and last.
    const fs::path copy = root_ / "work" / "Lumapane_un_asa.exe";
    fs::create_directories(copy.parent_path());
    fs::copy_file(folder / "uninst.ep", copy);
    std::vector<std::string> args = {"/S", "-adminact=true", "-authorizationact=false", "-console=show",
                                     "_?=" + (root_ / "程序").string(), "文件/Lumapane"};
    Output uninstall = RunChild(copy, args, home_);
    EXPECT_EQ(uninstall.status, 0);
    ExpectDialect(uninstall, kUninstallerKeys, "State=Success");
    for (const char* gone : {"lumapane.exe", "uninst.ep", "set.ini", "uninst.lst", "resources"})
        EXPECT_FALSE(fs::exists(folder / gone)) << gone;
    EXPECT_FALSE(fs::exists(desktop));
    EXPECT_FALSE(fs::exists(menu));
    EXPECT_TRUE(fs::exists(folder / "notes.txt")) << "a file the package did not put there stays";

    fs::remove(folder / "notes.txt");
    Output again = RunChild(kPackage, PackageArgs(folder.string(), {"-isoverride=false", "-startupstyle=AutoStartup"}),
                       home_);
    ExpectDialect(again, kPackageKeys, "State=Success");
    EXPECT_EQ(again.Value("StartupStyle="), "AutoStartup");
    EXPECT_EQ(demo::GetIniValue(folder / "set.ini", "Uninstall", "IsOverride"), "false");
    Output clean = RunChild(copy, {"/S", "-adminact=false", "-authorizationact=false", "-console=show",
                              "_?=" + folder.string()}, home_);
    ExpectDialect(clean, kUninstallerKeys, "State=Success");
    EXPECT_FALSE(fs::exists(folder)) << "an emptied install folder is removed";
}

TEST_F(DemoPackage, RefusesWhatIsNotItsCommandLine) {
    const std::string folder = (root_ / "Lumapane").string();
    auto without = [&](const std::string& arg) {
        auto args = PackageArgs(folder);
        args.erase(std::find(args.begin(), args.end(), arg));
        return args;
    };
    struct Case {
        const char* what;
        std::vector<std::string> args;
        int status;
        std::string last;
    } cases[] = {
        {"not silent", without("/S"), 2, "Error=只支持静默安装（/S）"},
        {"other protocol", [&] { auto a = without("-version=1.0.0"); a.insert(a.begin(), "-version=2.0.0"); return a; }(),
         2, "Error=不支持的协议版本：2.0.0"},
        {"flag missing", without("-ssc=true"), 2, "Error=缺少参数：-ssc"},
        {"flag not a flag", [&] { auto a = without("-dsc=true"); a.insert(a.begin(), "-dsc=TRUE"); return a; }(), 2,
         "Error=参数值无效：-dsc=TRUE"},
        {"relative folder", PackageArgs("Lumapane"), 2, "Error=安装目录必须是绝对路径：Lumapane"},
        {"package says fail", PackageArgs(folder, {"-simulate=fail"}), 1, "State=Fail"},
        {"package reports an error", PackageArgs(folder, {"-simulate=error"}), 1, "Error=模拟的安装错误"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Output out = RunChild(kPackage, c.args, home_);
        EXPECT_EQ(out.status, c.status);
        ASSERT_FALSE(out.lines.empty());
        EXPECT_EQ(out.lines.back(), c.last);
        EXPECT_FALSE(fs::exists(fs::path(folder) / "lumapane.exe"));
    }

    // Without "-console=show" the package stays silent, and still installs.
    auto quiet = without("-console=show");
    Output silent = RunChild(kPackage, quiet, home_);
    EXPECT_EQ(silent.status, 0);
    EXPECT_TRUE(silent.lines.empty());
    EXPECT_TRUE(Executable(fs::path(folder) / "lumapane.exe"));
}

TEST_F(DemoPackage, UninstallerFailsLoudlyWithoutAnInstallation) {
    const fs::path uninstaller = root_ / "Lumapane_un_asa.exe";
    ASSERT_EQ(RunChild(kPackage, PackageArgs((root_ / "src").string()), home_).status, 0);
    fs::copy_file(root_ / "src" / "uninst.ep", uninstaller);
    fs::create_directories(root_ / "empty");
    struct Case {
        std::vector<std::string> args;
        std::string last;
    } cases[] = {
        {{"/S", "-adminact=true", "-authorizationact=true", "-console=show", "_?=" + (root_ / "none").string()},
         "Error=安装目录不存在：" + (root_ / "none").string()},
        {{"/S", "-adminact=true", "-authorizationact=true", "-console=show", "_?=" + (root_ / "empty").string()},
         "Error=未找到卸载清单：" + (root_ / "empty" / "uninst.lst").string()},
        {{"/S", "-adminact=true", "-console=show"}, "Error=缺少卸载目录参数 _?="},
    };
    for (const auto& c : cases) {
        Output out = RunChild(uninstaller, c.args, home_);
        EXPECT_NE(out.status, 0);
        ASSERT_FALSE(out.lines.empty());
        EXPECT_EQ(out.lines.back(), c.last);
    }
    EXPECT_TRUE(fs::exists(root_ / "empty"));
}

}  // namespace
