#pragma once

#include <optional>
#include <string>
#include <vector>

namespace demo {

// The installer hands its children one command line, split by the Windows
// quoting rules. A folder given without quotes as the last argument ("/D=",
// "_?=") may thus arrive cut into several arguments at its blanks; the rest of
// the command line from that argument on is the folder.
struct TailArgument {
    std::vector<std::string> head;      // the arguments before it
    std::optional<std::string> value;   // the folder, blanks restored
};
TailArgument SplitTail(const std::vector<std::string>& args, const std::string& prefix);

// "-name=value" → (name with its "-", value); nullopt for other shapes.
std::optional<std::pair<std::string, std::string>> SplitOption(const std::string& arg);

// Flags are exactly "true" or "false".
std::optional<bool> ParseFlag(const std::string& text);

}  // namespace demo
