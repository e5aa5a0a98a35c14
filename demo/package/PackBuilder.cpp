// Build tool: appends the product files and generated filler data to the
// package program, making the setup package.
//   lp_demo_pack <stub> <out> <name>=<file>... [<name>=filler:<bytes>]...
#include <cstdio>
#include <fstream>
#include <string>

#include "Payload.h"

namespace {

// Incompressible but reproducible, so the package has the same digest on every build.
std::string Filler(size_t bytes) {
    std::string data(bytes, '\0');
    uint64_t x = 0x9E3779B97F4A7C15ull;
    for (size_t i = 0; i < bytes; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        data[i] = static_cast<char>(x >> 24);
    }
    return data;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: lp_demo_pack <stub> <out> <name>=<file>|<name>=filler:<bytes>...\n");
        return 2;
    }
    std::vector<demo::PayloadEntry> entries;
    for (int i = 3; i < argc; ++i) {
        std::string arg = argv[i];
        size_t eq = arg.find('=');
        if (eq == std::string::npos || eq == 0) {
            std::fprintf(stderr, "lp_demo_pack: bad entry %s\n", argv[i]);
            return 2;
        }
        demo::PayloadEntry e;
        e.name = arg.substr(0, eq);
        std::string source = arg.substr(eq + 1);
        if (source.rfind("filler:", 0) == 0) {
            e.bytes = Filler(std::stoul(source.substr(7)));
        } else {
            std::ifstream in(source, std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "lp_demo_pack: cannot read %s\n", source.c_str());
                return 1;
            }
            e.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            e.mode = 0755;
        }
        entries.push_back(std::move(e));
    }
    std::string error;
    if (!demo::WritePackage(argv[1], entries, argv[2], &error)) {
        std::fprintf(stderr, "lp_demo_pack: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
