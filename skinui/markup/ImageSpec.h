#pragma once

#include "skinui/Types.h"

#include <optional>
#include <string>
#include <string_view>

namespace SkinUI::Markup {

/// An image reference: a plain path, or key='value' pairs.
struct ImageSpec {
    std::wstring file;
    std::optional<Rect> dest;    // inside the control; default the whole control
    Rect corner;                 // kept unscaled when stretching
    std::optional<Color> mask;   // 0xRRGGBB drawn transparent
    int fade = 255;
    bool hole = false;
    bool xtiled = false;
    bool ytiled = false;

    bool operator==(const ImageSpec&) const = default;
};

ImageSpec ParseImageSpec(std::wstring_view text);

}  // namespace SkinUI::Markup
