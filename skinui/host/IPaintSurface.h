#pragma once

#include "skinui/Types.h"

typedef struct _cairo cairo_t;

namespace SkinUI {

/// The pixels of one window's client area, provided by the host.
class IPaintSurface {
public:
    virtual ~IPaintSurface() = default;
    /// Cairo context on the client area (origin top left, device pixels), clipped to `dirty`.
    virtual cairo_t* BeginPaint(const Rect& dirty) = 0;
    /// Ends the paint started by BeginPaint and makes the pixels visible.
    virtual void EndPaint() = 0;
};

}  // namespace SkinUI
