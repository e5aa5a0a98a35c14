#pragma once
// A private home for a test: HOME and the XDG folders point into a fresh folder that is
// removed afterwards, so the value store and the INI traces of a test are its own.
#include <string>

namespace UiTest {

class PrivateHome {
public:
    PrivateHome();
    ~PrivateHome();
    PrivateHome(const PrivateHome&) = delete;
    PrivateHome& operator=(const PrivateHome&) = delete;
    const std::string& Root() const { return root_; }
    std::wstring Path(const std::string& relative) const;

private:
    std::string root_;
    std::string saved_[5];
    bool had_[5] = {};
};

std::wstring W(const std::string& text);
std::string N(const std::wstring& text);
bool WriteText(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);

}  // namespace UiTest
