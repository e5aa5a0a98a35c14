#include "skinui/Toolkit.h"

#include "skinui/Text.h"

#include <mutex>
#include <unistd.h>

namespace SkinUI {
namespace {

struct State {
    std::mutex lock;
    IHost* host = nullptr;
    Toolkit::ResourceFinder finder;
    std::wstring instancePath;
};

State& Global()
{
    static State state;
    return state;
}

std::wstring ExecutableFolder()
{
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) {
        return L"./";
    }
    std::string path(buf, static_cast<std::size_t>(n));
    const auto slash = path.rfind('/');
    return FromUtf8(path.substr(0, slash + 1));
}

}  // namespace

void Toolkit::SetHost(IHost* host)
{
    std::lock_guard lock(Global().lock);
    Global().host = host;
}

IHost* Toolkit::Host()
{
    std::lock_guard lock(Global().lock);
    return Global().host;
}

void Toolkit::SetResourceFinder(ResourceFinder finder)
{
    std::lock_guard lock(Global().lock);
    Global().finder = std::move(finder);
}

std::optional<std::span<const std::uint8_t>> Toolkit::FindResource(std::string_view type, int id)
{
    ResourceFinder finder;
    {
        std::lock_guard lock(Global().lock);
        finder = Global().finder;
    }
    if (!finder) {
        return std::nullopt;
    }
    return finder(type, id);
}

void Toolkit::SetInstancePath(const std::wstring& folder)
{
    std::lock_guard lock(Global().lock);
    Global().instancePath = folder;
    if (!folder.empty() && folder.back() != L'/') {
        Global().instancePath.push_back(L'/');
    }
}

std::wstring Toolkit::GetInstancePath()
{
    std::lock_guard lock(Global().lock);
    if (Global().instancePath.empty()) {
        Global().instancePath = ExecutableFolder();
    }
    return Global().instancePath;
}

}  // namespace SkinUI
