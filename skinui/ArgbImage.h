#pragma once

#include <cstdint>
#include <vector>

namespace SkinUI {

// Premultiplied 0xAARRGGBB pixels, top row first, no row padding.
struct ArgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    ArgbImage() = default;
    ArgbImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0u) {}
    std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
};

}  // namespace SkinUI
