#pragma once

#include <stdexcept>
#include <string>

namespace orvek::usage {

// Raised by the tracker layer for every refused input; the wrapper swallows it.
class OvException : public std::exception {
public:
    OvException(std::string unit, std::string function, int line, std::string message)
        : unit_(std::move(unit)), function_(std::move(function)), line_(line), message_(std::move(message)) {}

    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& unit() const { return unit_; }
    const std::string& function() const { return function_; }
    int line() const { return line_; }

private:
    std::string unit_;
    std::string function_;
    int line_;
    int reserved1_ = -1;
    int reserved2_ = -1;
    std::string message_;
};

}  // namespace orvek::usage

#define OV_THROW(unit, function, message) throw ::orvek::usage::OvException((unit), (function), __LINE__, (message))
