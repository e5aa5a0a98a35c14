#include "Arguments.h"

namespace demo {

TailArgument SplitTail(const std::vector<std::string>& args, const std::string& prefix) {
    TailArgument result;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i].rfind(prefix, 0) == 0) {
            std::string value = args[i].substr(prefix.size());
            for (size_t j = i + 1; j < args.size(); ++j)
                value += " " + args[j];
            result.value = value;
            return result;
        }
        result.head.push_back(args[i]);
    }
    return result;
}

std::optional<std::pair<std::string, std::string>> SplitOption(const std::string& arg) {
    size_t eq = arg.find('=');
    if (arg.size() < 2 || arg[0] != '-' || eq == std::string::npos || eq < 2)
        return std::nullopt;
    return std::make_pair(arg.substr(0, eq), arg.substr(eq + 1));
}

std::optional<bool> ParseFlag(const std::string& text) {
    if (text == "true")
        return true;
    if (text == "false")
        return false;
    return std::nullopt;
}

}  // namespace demo
