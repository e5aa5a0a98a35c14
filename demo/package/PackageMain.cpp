// __Package_Lumapane.exe: the Lumapane setup package. The installer starts it as
//   __Package_Lumapane.exe /S -console=show -version=1.0.0 -adminact=<flag>
//     -authorizationact=<flag> -dsc=<flag> -ssc=<flag> [extra] -instdir="<dir>" /D=<dir>
// and follows its progress, facts and result on standard output.
#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "PackageInstaller.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto request = demo::ParsePackageArgs(args, &error);
    if (!request)
        return demo::RefuseArguments("__Package_Lumapane.exe", args, error);
    for (const auto& a : request->ignored)
        std::fprintf(stderr, "__Package_Lumapane.exe: ignoring %s\n", a.c_str());
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    demo::ConsoleReporter out(STDOUT_FILENO, request->console);
    return demo::PackageInstaller(*request, self, out).Run() ? 0 : 1;
}
