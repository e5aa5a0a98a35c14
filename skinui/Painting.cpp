#include "skinui/Painting.h"

#include "skinui/ImageCache.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace SkinUI {

void SetSourceColor(cairo_t* cr, Color c)
{
    cairo_set_source_rgba(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0,
                          ((c >> 24) & 0xFF) / 255.0);
}

void FillRect(cairo_t* cr, const Rect& rc, Color argb)
{
    if (rc.IsEmpty()) {
        return;
    }
    SetSourceColor(cr, argb);
    cairo_rectangle(cr, rc.left, rc.top, rc.Width(), rc.Height());
    cairo_fill(cr);
}

void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, Size round)
{
    const double rx = std::min(round.cx / 2.0, w / 2.0);
    const double ry = std::min(round.cy / 2.0, h / 2.0);
    if (rx <= 0 || ry <= 0) {
        cairo_rectangle(cr, x, y, w, h);
        return;
    }
    cairo_new_sub_path(cr);
    const auto corner = [&](double cx, double cy, double a0, double a1) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, a0, a1);
        cairo_restore(cr);
    };
    corner(x + w - rx, y + ry, -M_PI / 2, 0);
    corner(x + w - rx, y + h - ry, 0, M_PI / 2);
    corner(x + rx, y + h - ry, M_PI / 2, M_PI);
    corner(x + rx, y + ry, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void StrokeBorder(cairo_t* cr, const Rect& rc, Color argb, int size, Size round)
{
    if (size <= 0 || argb == 0 || rc.IsEmpty()) {
        return;
    }
    const double half = size / 2.0;
    RoundRectPath(cr, rc.left + half, rc.top + half, rc.Width() - size, rc.Height() - size, round);
    SetSourceColor(cr, argb);
    cairo_set_line_width(cr, size);
    cairo_stroke(cr);
}

namespace {

// Draws source rectangle (sx,sy,sw,sh) of the image into (dx,dy,dw,dh), stretched or tiled.
void DrawPart(cairo_t* cr, cairo_surface_t* img, double sx, double sy, double sw, double sh, double dx, double dy,
              double dw, double dh, bool xtiled, bool ytiled, double alpha)
{
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) {
        return;
    }
    cairo_save(cr);
    cairo_rectangle(cr, dx, dy, dw, dh);
    cairo_clip(cr);
    cairo_surface_t* part = cairo_surface_create_for_rectangle(img, sx, sy, sw, sh);
    cairo_pattern_t* pat = cairo_pattern_create_for_surface(part);
    cairo_matrix_t m;
    const double scaleX = xtiled ? 1.0 : sw / dw;
    const double scaleY = ytiled ? 1.0 : sh / dh;
    cairo_matrix_init_scale(&m, scaleX, scaleY);
    cairo_matrix_translate(&m, -dx, -dy);
    cairo_pattern_set_matrix(pat, &m);
    cairo_pattern_set_extend(pat, (xtiled || ytiled) ? CAIRO_EXTEND_REPEAT : CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(pat, CAIRO_FILTER_BILINEAR);
    cairo_set_source(cr, pat);
    cairo_paint_with_alpha(cr, alpha);
    cairo_pattern_destroy(pat);
    cairo_surface_destroy(part);
    cairo_restore(cr);
}

}  // namespace

bool DrawImageSpec(cairo_t* cr, ImageCache& images, const Rect& control, const Markup::ImageSpec& spec)
{
    cairo_surface_t* img = images.Get(spec.file, spec.mask);
    if (!img) {
        return false;
    }
    Rect dest = control;
    if (spec.dest) {
        dest = spec.dest->Offset(control.left, control.top);
        dest.right = std::min(dest.right, control.right);
        dest.bottom = std::min(dest.bottom, control.bottom);
    }
    if (dest.IsEmpty()) {
        return true;
    }
    const double iw = cairo_image_surface_get_width(img);
    const double ih = cairo_image_surface_get_height(img);
    const double alpha = spec.fade / 255.0;
    const Rect& c = spec.corner;
    const double l = std::min<double>(c.left, iw);
    const double t = std::min<double>(c.top, ih);
    const double r = std::min<double>(c.right, iw - l);
    const double b = std::min<double>(c.bottom, ih - t);
    const double dl = std::min<double>(l, dest.Width());
    const double dt = std::min<double>(t, dest.Height());
    const double dr = std::min<double>(r, dest.Width() - dl);
    const double db = std::min<double>(b, dest.Height() - dt);
    const double x0 = dest.left, y0 = dest.top, x3 = dest.right, y3 = dest.bottom;
    const double x1 = x0 + dl, x2 = x3 - dr, y1 = y0 + dt, y2 = y3 - db;
    const double cw = iw - l - r, ch = ih - t - b;
    // Nine parts: corners unscaled, edges stretched (or tiled) in one direction, centre in both.
    DrawPart(cr, img, 0, 0, l, t, x0, y0, dl, dt, false, false, alpha);
    DrawPart(cr, img, l, 0, cw, t, x1, y0, x2 - x1, dt, spec.xtiled, false, alpha);
    DrawPart(cr, img, iw - r, 0, r, t, x2, y0, dr, dt, false, false, alpha);
    DrawPart(cr, img, 0, t, l, ch, x0, y1, dl, y2 - y1, false, spec.ytiled, alpha);
    if (!spec.hole) {
        DrawPart(cr, img, l, t, cw, ch, x1, y1, x2 - x1, y2 - y1, spec.xtiled, spec.ytiled, alpha);
    }
    DrawPart(cr, img, iw - r, t, r, ch, x2, y1, dr, y2 - y1, false, spec.ytiled, alpha);
    DrawPart(cr, img, 0, ih - b, l, b, x0, y2, dl, db, false, false, alpha);
    DrawPart(cr, img, l, ih - b, cw, b, x1, y2, x2 - x1, db, spec.xtiled, false, alpha);
    DrawPart(cr, img, iw - r, ih - b, r, b, x2, y2, dr, db, false, false, alpha);
    return true;
}

}  // namespace SkinUI
