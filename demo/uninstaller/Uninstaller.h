#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ConsoleReporter.h"

namespace demo {

// What the uninstaller was asked to do, from its command line
// "/S -adminact=<flag> -authorizationact=<flag> -console=show _?=<folder>".
struct UninstallRequest {
    std::filesystem::path folder;
    bool console = false;
    bool adminact = false;
    bool authorizationact = false;
};

// nullopt with *error set when the command line is not the uninstaller's.
std::optional<UninstallRequest> ParseUninstallArgs(const std::vector<std::string>& args, std::string* error);

// Removes what the package recorded in its manifest: the installed files, the
// launcher entries, the settings file, the manifest, and the folders that end
// up empty. Files the user added stay, and with them their folders.
class Uninstaller {
public:
    Uninstaller(UninstallRequest request, ConsoleReporter& out);
    // true on success; the result line has been written either way.
    bool Run();

private:
    bool Fail(const std::string& text);
    bool RemoveFile(const std::filesystem::path& path);
    void RemoveEmptyFolders(const std::vector<std::filesystem::path>& files);

    UninstallRequest request_;
    ConsoleReporter& out_;
};

}  // namespace demo
