#pragma once

#include <filesystem>
#include <string>

#include "ConsoleReporter.h"
#include "InstallManifest.h"
#include "PackageRequest.h"

namespace demo {

// Installs the product carried by the package file into the requested folder
// and tells the installer about it in the package's console dialect.
class PackageInstaller {
public:
    PackageInstaller(PackageRequest request, std::filesystem::path package, ConsoleReporter& out);
    // true on success; the result line has been written either way.
    bool Run();

private:
    bool Fail(const std::string& text);
    bool InstallFiles();
    bool WriteSettings();
    bool WriteShortcut(const std::filesystem::path& folder);
    void ReportFacts();

    PackageRequest request_;
    std::filesystem::path package_;
    ConsoleReporter& out_;
    InstallManifest manifest_;
};

}  // namespace demo
