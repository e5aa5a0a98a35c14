#pragma once

#include "skinui/Types.h"

#include <vector>

namespace SkinUI {

// A window shape as one horizontal span per row; enough for the rounded
// rectangles that windows use, and what the shadow computation reads.
class WindowRegion {
public:
    struct Span {
        int start = 0;  // first x inside
        int end = 0;    // one past the last x inside; start >= end is empty
        bool operator==(const Span&) const = default;
    };

    WindowRegion() = default;
    WindowRegion(int width, int height);  // every pixel inside

    /// Rounded rectangle from (0,0) to (right,bottom) with corner ellipses of ew x eh,
    /// clipped to a window of width x height.
    static WindowRegion RoundRect(int width, int height, int right, int bottom, int ew, int eh);

    int Width() const { return width_; }
    int Height() const { return static_cast<int>(rows_.size()); }
    const Span& Row(int y) const { return rows_[static_cast<std::size_t>(y)]; }
    void SetRow(int y, Span s) { rows_[static_cast<std::size_t>(y)] = s; }
    bool Contains(int x, int y) const;

private:
    int width_ = 0;
    std::vector<Span> rows_;
};

}  // namespace SkinUI
