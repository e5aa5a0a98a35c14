#include "skin/SkinResources.h"

#include <algorithm>
#include <cctype>

extern "C" {
extern const std::uint8_t lp_skin_zipres_147[];
extern const std::uint8_t lp_skin_zipres_147_end[];
extern const std::uint8_t lp_skin_icon_145[];
extern const std::uint8_t lp_skin_icon_145_end[];
}

namespace {

bool SameType(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

std::span<const std::uint8_t> Between(const std::uint8_t* begin, const std::uint8_t* end)
{
    return {begin, static_cast<std::size_t>(end - begin)};
}

}  // namespace

std::optional<std::span<const std::uint8_t>> SkinResources::Find(std::string_view type, int id)
{
    if (SameType(type, kSkinType) && id == kSkinId) {
        return Between(lp_skin_zipres_147, lp_skin_zipres_147_end);
    }
    if (SameType(type, kIconType) && id == kIconId) {
        return Between(lp_skin_icon_145, lp_skin_icon_145_end);
    }
    return std::nullopt;
}
