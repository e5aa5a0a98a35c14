#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

/// Resources linked into the executable at build time: the skin archive
/// ("ZIPRES", 147) and the window icon ("ICON", 145, PNG).
class SkinResources {
public:
    static constexpr std::string_view kSkinType = "ZIPRES";
    static constexpr int kSkinId = 147;
    static constexpr std::string_view kIconType = "ICON";
    static constexpr int kIconId = 145;

    /// Bytes of a resource by type (case-insensitive) and id; nullopt when there is none.
    /// Matches SkinUI::Toolkit::ResourceFinder.
    static std::optional<std::span<const std::uint8_t>> Find(std::string_view type, int id);
};
