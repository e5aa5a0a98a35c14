#include "download/FileMd5.h"

#include <cstdio>
#include <memory>

#include "download/Md5Context.h"

std::string GetFileMd5(const std::string& ansiPath) {
    if (ansiPath.empty()) return {};
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(ansiPath.c_str(), "rb"), &std::fclose);
    if (!file) return {};

    Md5Context context;
    unsigned char block[1024];
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, file.get());
        if (got == 0) break;
        context.Update(block, got);
    }
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(kMd5TextLength);
    for (std::uint8_t byte : context.Final()) {
        text.push_back(kHex[byte >> 4]);
        text.push_back(kHex[byte & 0x0F]);
    }
    return text;
}

std::string GetUrlMd5(const std::string& url) {
    if (url.empty()) return {};
    const std::size_t last = url.rfind('/');
    if (last == std::string::npos) return {};
    const std::string head = url.substr(0, last);
    const std::size_t previous = head.rfind('/');
    if (previous == std::string::npos) return {};
    return head.substr(previous + 1);
}
