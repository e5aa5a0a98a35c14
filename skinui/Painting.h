#pragma once

#include "skinui/Types.h"
#include "skinui/markup/ImageSpec.h"

typedef struct _cairo cairo_t;

namespace SkinUI {

class ImageCache;

// Drawing primitives shared by the controls.
void SetSourceColor(cairo_t* cr, Color argb);
void FillRect(cairo_t* cr, const Rect& rc, Color argb);
/// Rectangle path with corner ellipses of round.cx x round.cy (0: square corners).
void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, Size round);
void StrokeBorder(cairo_t* cr, const Rect& rc, Color argb, int size, Size round);
/// Draws an image spec into `control`; false when the image cannot be loaded.
bool DrawImageSpec(cairo_t* cr, ImageCache& images, const Rect& control, const Markup::ImageSpec& spec);

}  // namespace SkinUI
