#pragma once

#include <cstdint>
#include <string>

namespace SkinUI {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    bool operator==(const Size&) const = default;
};

// Half-open rectangle: [left, right) x [top, bottom).
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    Rect Intersect(const Rect& o) const;
    Rect Union(const Rect& o) const;
    Rect Deflate(const Rect& by) const { return {left + by.left, top + by.top, right - by.right, bottom - by.bottom}; }
    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool operator==(const Rect&) const = default;
};

// 0xAARRGGBB, as the markup writes colours.
using Color = std::uint32_t;

// Opaque window identifier handed out by the host; 0 is no window.
using WindowHandle = std::uintptr_t;
inline constexpr WindowHandle kNoWindow = 0;

using MessageId = std::uint32_t;
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

inline constexpr LParam MakeLParam(int low, int high)
{
    return static_cast<LParam>((static_cast<std::uint32_t>(high & 0xFFFF) << 16) | static_cast<std::uint32_t>(low & 0xFFFF));
}
inline constexpr int LowWord(LParam v) { return static_cast<std::int16_t>(v & 0xFFFF); }
inline constexpr int HighWord(LParam v) { return static_cast<std::int16_t>((v >> 16) & 0xFFFF); }

}  // namespace SkinUI
