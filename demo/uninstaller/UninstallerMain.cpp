// uninst.ep: removes a Lumapane installation. The installer runs a copy of it as
//   uninst.ep /S -adminact=<flag> -authorizationact=<flag> -console=show _?=<folder>
// and reads its progress and result from standard output.
#include <cstdio>
#include <unistd.h>

#include "Uninstaller.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto request = demo::ParseUninstallArgs(args, &error);
    if (!request)
        return demo::RefuseArguments("uninst.ep", args, error);
    demo::ConsoleReporter out(STDOUT_FILENO, request->console);
    return demo::Uninstaller(*request, out).Run() ? 0 : 1;
}
