#include "skinui/WindowRegion.h"

#include <algorithm>
#include <cmath>

namespace SkinUI {

WindowRegion::WindowRegion(int width, int height)
    : width_(width), rows_(static_cast<std::size_t>(std::max(height, 0)), Span{0, width})
{
}

WindowRegion WindowRegion::RoundRect(int width, int height, int right, int bottom, int ew, int eh)
{
    WindowRegion region(width, height);
    const double rx = ew / 2.0;
    const double ry = eh / 2.0;
    for (int y = 0; y < height; ++y) {
        if (y >= bottom) {
            region.rows_[static_cast<std::size_t>(y)] = {width, 0};
            continue;
        }
        int inset = 0;
        if (rx >= 1.0 && ry >= 1.0) {
            // Distance of the pixel row's centre from the nearer corner ellipse's centre line.
            const double cy = y + 0.5;
            double dy = 0.0;
            if (cy < ry) {
                dy = ry - cy;
            } else if (cy > bottom - ry) {
                dy = cy - (bottom - ry);
            }
            if (dy > 0.0) {
                const double t = std::min(dy / ry, 1.0);
                inset = static_cast<int>(std::lround(rx - rx * std::sqrt(1.0 - t * t)));
            }
        }
        const int start = inset;
        const int end = std::min(right - inset, width);
        region.rows_[static_cast<std::size_t>(y)] = start < end ? Span{start, end} : Span{width, 0};
    }
    return region;
}

bool WindowRegion::Contains(int x, int y) const
{
    if (y < 0 || y >= Height()) {
        return false;
    }
    const Span& s = Row(y);
    return x >= s.start && x < s.end;
}

}  // namespace SkinUI
