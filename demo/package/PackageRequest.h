#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace demo {

// The package's command line, as the installer builds it:
//   /S -console=show -version=1.0.0 -adminact=<flag> -authorizationact=<flag>
//   -dsc=<flag> -ssc=<flag> [extra text] [-instdir="<folder>" /D=<folder>]
// The extra text may carry the demo's own options below; other "-name=value"
// options are accepted and ignored, as a real package ignores what it does not know.
struct PackageRequest {
    std::filesystem::path folder;
    bool console = false;
    bool adminact = false;
    bool authorizationact = false;
    bool desktopShortcut = false;
    bool quickLaunch = false;

    // Demo options.
    std::string startupStyle = "UserStartup";  // -startupstyle=
    std::string isOverride = "true";           // -isoverride=, written to set.ini
    std::string startUrl;                      // -starturl=
    std::optional<long> topShowMs = 3000;      // -topshow=
    std::optional<long> finishCloseMs;         // -finishclose=
    std::string simulate;                      // -simulate=fail|error
    std::vector<std::string> ignored;
};

inline constexpr const char* kProtocolVersion = "1.0.0";

std::optional<PackageRequest> ParsePackageArgs(const std::vector<std::string>& args, std::string* error);

}  // namespace demo
