#pragma once

#include "skinui/ArgbImage.h"
#include "skinui/WindowRegion.h"

#include <cstdint>

namespace SkinUI {

struct ShadowParams {
    std::uint8_t darkness = 150;  // opacity of the solid part
    std::uint8_t sharpness = 5;   // width of the soft edge
    std::int8_t size = 0;         // extent beyond the window on every side
    std::int8_t xOffset = 5;
    std::int8_t yOffset = 5;
    std::uint32_t color = 0;      // red in the lowest byte, then green, then blue
};

/// The shadow's premultiplied pixels for a window of region.Width() x region.Height():
/// an image of (W + 2 size) x (H + 2 size), top row first.
ArgbImage ComputeShadowImage(const WindowRegion& region, const ShadowParams& params);

}  // namespace SkinUI
