#pragma once
#include <exception>
#include <string>

namespace Utils {

// The utility layer's exception: thrown only when a pipe or a child process cannot be
// created. The message is kept wide and offered narrow in the locale's charset.
class Exception : public std::exception {
public:
    Exception() = default;
    explicit Exception(std::wstring message);

    const char* what() const noexcept override;
    const std::wstring& Message() const noexcept { return message_; }

private:
    std::wstring message_;
    std::string narrow_;
};

}  // namespace Utils
