#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace SkinUI {

class IHost;

/// Process-wide set-up of the toolkit, done once before the first window.
class Toolkit {
public:
    /// Bytes of a resource linked into the executable, by type and id; nullopt when absent.
    using ResourceFinder = std::function<std::optional<std::span<const std::uint8_t>>(std::string_view type, int id)>;

    /// The host that windows use when they are given none.
    static void SetHost(IHost* host);
    static IHost* Host();
    /// Stands in for the module instance: where resources are found.
    static void SetResourceFinder(ResourceFinder finder);
    static std::optional<std::span<const std::uint8_t>> FindResource(std::string_view type, int id);
    /// The installer's own folder (default: the executable's folder), ending in "/".
    static void SetInstancePath(const std::wstring& folder);
    static std::wstring GetInstancePath();
};

}  // namespace SkinUI
