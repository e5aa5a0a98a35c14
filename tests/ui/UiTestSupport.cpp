#include "UiTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "utils/TextConvert.h"

namespace UiTest {
namespace {
const char* const kVars[5] = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME", "TMPDIR"};
}

PrivateHome::PrivateHome()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lp_ui_home_XXXXXX").string();
    root_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    const std::string values[5] = {root_ + "/home", root_ + "/home/.local/share", root_ + "/home/.config",
                                   root_ + "/home/.local/state", root_ + "/tmp"};
    for (int i = 0; i < 5; ++i) {
        if (const char* old = std::getenv(kVars[i])) {
            had_[i] = true;
            saved_[i] = old;
        }
        std::filesystem::create_directories(values[i]);
        ::setenv(kVars[i], values[i].c_str(), 1);
    }
}

PrivateHome::~PrivateHome()
{
    for (int i = 0; i < 5; ++i) {
        if (had_[i])
            ::setenv(kVars[i], saved_[i].c_str(), 1);
        else
            ::unsetenv(kVars[i]);
    }
    std::error_code ec;
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(root_, ec);
}

std::wstring PrivateHome::Path(const std::string& relative) const
{
    return W(root_ + "/" + relative);
}

std::wstring W(const std::string& text)
{
    return Utils::ToWide(text, 65001);
}

std::string N(const std::wstring& text)
{
    return Utils::ToNarrow(text, 65001);
}

bool WriteText(const std::string& path, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

}  // namespace UiTest
