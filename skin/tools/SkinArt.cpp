// Draws every image of the skin (and the window icon) into a folder, so that
// no artwork is kept as hand-edited binaries.
// Usage: lp_skin_art <skin folder> <window icon file>
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Rgb {
    double r, g, b;
};

constexpr Rgb Hex(unsigned v)
{
    return {((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0};
}

constexpr Rgb kBlue = Hex(0x0075FF);
constexpr Rgb kBlueLight = Hex(0x3D95FF);
constexpr Rgb kBlueDark = Hex(0x0057FF);

fs::path g_out;
int g_failures = 0;

void Color(cairo_t* cr, Rgb c, double a = 1.0)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, a);
}

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void Save(const std::string& name, int w, int h, const std::function<void(cairo_t*)>& draw, const fs::path& at = {})
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(s);
    draw(cr);
    cairo_destroy(cr);
    const fs::path path = at.empty() ? g_out / name : at;
    fs::create_directories(path.parent_path());
    if (cairo_surface_write_to_png(s, path.c_str()) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        ++g_failures;
    }
    cairo_surface_destroy(s);
}

void Background(const std::string& name, Rgb top, Rgb bottom, double bubbleX)
{
    Save(name, 600, 400, [&](cairo_t* cr) {
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 400);
        cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
        cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
        // Soft light discs give the page some depth without competing with the controls.
        const struct {
            double x, y, r, a;
        } discs[] = {{bubbleX, 420, 190, 0.06}, {bubbleX + 260, 380, 120, 0.05}, {bubbleX - 200, 60, 90, 0.035}};
        for (const auto& d : discs) {
            Color(cr, kBlue, d.a);
            cairo_arc(cr, d.x, d.y, d.r, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    });
}

void Panes(cairo_t* cr, double x, double y, double size)
{
    // The product's mark: four window panes, one lit.
    const double gap = size * 0.08;
    const double cell = (size - gap) / 2;
    for (int i = 0; i < 4; ++i) {
        const double cx = x + (i % 2) * (cell + gap);
        const double cy = y + (i / 2) * (cell + gap);
        RoundRect(cr, cx, cy, cell, cell, cell * 0.18);
        cairo_set_source_rgba(cr, 1, 1, 1, i == 1 ? 1.0 : 0.72);
        cairo_fill(cr);
    }
}

void Logo(const std::string& name, int size, const fs::path& at = {})
{
    Save(name, size, size, [&](cairo_t* cr) {
        RoundRect(cr, 0, 0, size, size, size * 0.24);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, size, size);
        cairo_pattern_add_color_stop_rgb(g, 0, kBlueLight.r, kBlueLight.g, kBlueLight.b);
        cairo_pattern_add_color_stop_rgb(g, 1, kBlueDark.r, kBlueDark.g, kBlueDark.b);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        Panes(cr, size * 0.24, size * 0.24, size * 0.52);
    }, at);
}

void Pill(const std::string& name, int w, int h, Rgb a, Rgb b)
{
    Save(name, w, h, [&](cairo_t* cr) {
        RoundRect(cr, 0.5, 0.5, w - 1, h - 1, h / 2.0);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, w, 0);
        cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
        cairo_pattern_add_color_stop_rgb(g, 1, b.r, b.g, b.b);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    });
}

void Chevron(const std::string& name, Rgb c, bool left)
{
    Save(name, 16, 16, [&](cairo_t* cr) {
        Color(cr, c);
        cairo_set_line_width(cr, 1.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        if (left) {
            cairo_move_to(cr, 10, 3.5);
            cairo_line_to(cr, 5.5, 8);
            cairo_line_to(cr, 10, 12.5);
        } else {
            cairo_move_to(cr, 6, 3.5);
            cairo_line_to(cr, 10.5, 8);
            cairo_line_to(cr, 6, 12.5);
        }
        cairo_stroke(cr);
    });
}

void Cross(const std::string& name, int size, Rgb c, double alpha, bool disc)
{
    Save(name, size, size, [&](cairo_t* cr) {
        if (disc) {
            Color(cr, c, 0.14);
            cairo_arc(cr, size / 2.0, size / 2.0, size / 2.0, 0, 2 * M_PI);
            cairo_fill(cr);
        }
        const double m = size * 0.25;
        Color(cr, c, alpha);
        cairo_set_line_width(cr, size / 9.0 + 0.4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, m, m);
        cairo_line_to(cr, size - m, size - m);
        cairo_move_to(cr, size - m, m);
        cairo_line_to(cr, m, size - m);
        cairo_stroke(cr);
    });
}

void Dash(const std::string& name, Rgb c)
{
    Save(name, 16, 16, [&](cairo_t* cr) {
        Color(cr, c);
        cairo_set_line_width(cr, 1.8);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, 3.5, 8.5);
        cairo_line_to(cr, 12.5, 8.5);
        cairo_stroke(cr);
    });
}

void Check(cairo_t* cr, double x, double y, double s, double width)
{
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, x + s * 0.22, y + s * 0.52);
    cairo_line_to(cr, x + s * 0.43, y + s * 0.72);
    cairo_line_to(cr, x + s * 0.78, y + s * 0.32);
    cairo_stroke(cr);
}

void CheckBoxes()
{
    Save("res/mainWnd/Cb1.png", 16, 16, [](cairo_t* cr) {
        RoundRect(cr, 1.5, 1.5, 13, 13, 3);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill_preserve(cr);
        Color(cr, Hex(0xB8C0CF));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    });
    Save("res/mainWnd/Cb2.png", 16, 16, [](cairo_t* cr) {
        RoundRect(cr, 1, 1, 14, 14, 3);
        Color(cr, kBlue);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        Check(cr, 1, 1, 14, 1.8);
    });
}

void EditAndProgress()
{
    Save("res/mainWnd/installDirEdit.png", 340, 40, [](cairo_t* cr) {
        RoundRect(cr, 0.5, 0.5, 339, 39, 4);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill_preserve(cr);
        Color(cr, Hex(0xD5DCE8));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    });
    Save("res/mainWnd/installPrg1.png", 12, 8, [](cairo_t* cr) {
        RoundRect(cr, 0, 0, 12, 8, 2);
        Color(cr, Hex(0xE3E8F0));
        cairo_fill(cr);
    });
    Save("res/mainWnd/installPrg2.png", 12, 8, [](cairo_t* cr) {
        RoundRect(cr, 0, 0, 12, 8, 2);
        Color(cr, kBlue);
        cairo_fill(cr);
    });
}

void Finished()
{
    Save("res/mainWnd/finished.png", 40, 40, [](cairo_t* cr) {
        cairo_arc(cr, 20, 20, 19, 0, 2 * M_PI);
        Color(cr, Hex(0x1BC47D));
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        Check(cr, 4, 4, 32, 3.4);
    });
}

void TipLabel()
{
    // A call-out pointing down at the agreement check box.
    Save("res/mainWnd/tipLbl.png", 116, 32, [](cairo_t* cr) {
        RoundRect(cr, 0.5, 0.5, 115, 25, 5);
        cairo_move_to(cr, 20, 25);
        cairo_line_to(cr, 26, 31.5);
        cairo_line_to(cr, 32, 25);
        cairo_close_path(cr);
        Color(cr, Hex(0xFF8A3D));
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_arc(cr, 14, 13, 6.5, 0, 2 * M_PI);
        cairo_fill(cr);
        Color(cr, Hex(0xFF8A3D));
        cairo_set_line_width(cr, 1.8);
        cairo_move_to(cr, 14, 9.5);
        cairo_line_to(cr, 14, 13.5);
        cairo_stroke(cr);
        cairo_arc(cr, 14, 16.3, 1.1, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
        for (int i = 0; i < 3; ++i) {
            RoundRect(cr, 28, 7 + i * 4.5, i == 2 ? 48 : 78, 2.4, 1.2);
            cairo_fill(cr);
        }
    });
}

void AnimationFrames()
{
    constexpr int kFrames = 85;
    for (int i = 0; i < kFrames; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "res/mainWnd/installBtnAnimate/%03d.png", i);
        const double t = static_cast<double>(i) / kFrames;
        Save(name, 158, 158, [t](cairo_t* cr) {
            const double c = 79;
            // Track, a sweeping arc, and the product mark breathing in the middle.
            Color(cr, Hex(0xE3ECFA));
            cairo_set_line_width(cr, 8);
            cairo_arc(cr, c, c, 62, 0, 2 * M_PI);
            cairo_stroke(cr);
            const double start = -M_PI / 2 + t * 2 * M_PI;
            const double sweep = M_PI * (0.55 + 0.35 * std::sin(t * 2 * M_PI));
            cairo_pattern_t* g = cairo_pattern_create_linear(c - 62, c - 62, c + 62, c + 62);
            cairo_pattern_add_color_stop_rgb(g, 0, kBlueLight.r, kBlueLight.g, kBlueLight.b);
            cairo_pattern_add_color_stop_rgb(g, 1, kBlueDark.r, kBlueDark.g, kBlueDark.b);
            cairo_set_source(cr, g);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_arc(cr, c, c, 62, start, start + sweep);
            cairo_stroke(cr);
            cairo_pattern_destroy(g);
            const double pulse = 1.0 + 0.06 * std::sin(t * 4 * M_PI);
            const double size = 56 * pulse;
            RoundRect(cr, c - size / 2, c - size / 2, size, size, size * 0.24);
            Color(cr, kBlue);
            cairo_fill(cr);
            Panes(cr, c - size * 0.26, c - size * 0.26, size * 0.52);
        });
    }
}

void Icons()
{
    Save("res/MessageBoxWnd/icoQuest.png", 40, 40, [](cairo_t* cr) {
        cairo_arc(cr, 20, 20, 19, 0, 2 * M_PI);
        Color(cr, kBlue);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_set_line_width(cr, 3.4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_arc(cr, 20, 15.5, 5.5, M_PI, M_PI * 2.35);
        cairo_line_to(cr, 20, 22.5);
        cairo_stroke(cr);
        cairo_arc(cr, 20, 28.5, 2.1, 0, 2 * M_PI);
        cairo_fill(cr);
    });
    Save("res/MessageBoxWnd/icoWarn.png", 40, 40, [](cairo_t* cr) {
        cairo_move_to(cr, 20, 2.5);
        cairo_line_to(cr, 38, 35.5);
        cairo_line_to(cr, 2, 35.5);
        cairo_close_path(cr);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, 3);
        Color(cr, Hex(0xFF9F1A));
        cairo_fill_preserve(cr);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_set_line_width(cr, 3.4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, 20, 13);
        cairo_line_to(cr, 20, 24);
        cairo_stroke(cr);
        cairo_arc(cr, 20, 29.5, 2.1, 0, 2 * M_PI);
        cairo_fill(cr);
    });
    Save("res/MessageBoxWnd/icoNetwork.png", 40, 40, [](cairo_t* cr) {
        cairo_arc(cr, 20, 20, 19, 0, 2 * M_PI);
        Color(cr, Hex(0x8A94A6));
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_set_line_width(cr, 2.8);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int i = 0; i < 3; ++i) {
            cairo_arc(cr, 20, 29, 5.0 + i * 5.5, M_PI * 1.25, M_PI * 1.75);
            cairo_stroke(cr);
        }
        cairo_arc(cr, 20, 29, 2.2, 0, 2 * M_PI);
        cairo_fill(cr);
        // The slash: the connection is poor.
        Color(cr, Hex(0xFF5A4E));
        cairo_move_to(cr, 11, 10);
        cairo_line_to(cr, 30, 31);
        cairo_stroke(cr);
    });
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <skin folder> <window icon file>\n", argv[0]);
        return 2;
    }
    g_out = argv[1];

    Background("res/mainWnd/bg1.png", Hex(0xFFFFFF), Hex(0xEAF3FF), 140);
    Background("res/mainWnd/bg2.png", Hex(0xFFFFFF), Hex(0xEEF2FA), 460);
    Background("res/mainWnd/bg3.png", Hex(0xF8FBFF), Hex(0xE4EFFF), 300);
    Background("res/mainWnd/bg4.png", Hex(0xFFFFFF), Hex(0xE9F8F1), 220);
    Logo("res/mainWnd/logo.png", 70);
    Logo("icon.png", 48, argv[2]);
    for (int i = 1; i <= 3; ++i) {
        const std::string n = std::to_string(i);
        const Rgb a = i == 1 ? kBlueLight : i == 2 ? Hex(0x5CA8FF) : Hex(0x0068E6);
        const Rgb b = i == 1 ? kBlue : i == 2 ? Hex(0x1F86FF) : kBlueDark;
        Pill("res/mainWnd/installBtn" + n + ".png", 234, 50, a, b);
        const Rgb grey = i == 1 ? Hex(0x888888) : i == 2 ? Hex(0x464251) : Hex(0x2D2A36);
        Chevron("res/mainWnd/backBtn" + n + ".png", grey, true);
        Chevron("res/mainWnd/customeBtn" + n + ".png", grey, false);
        const Rgb title = i == 1 ? Hex(0x9AA3B5) : i == 2 ? Hex(0x464251) : kBlue;
        Cross("res/common/closebtn" + n + ".png", 16, title, 1.0, false);
        Dash("res/common/minbtn" + n + ".png", title);
    }
    for (int i = 1; i <= 4; ++i) {
        const Rgb c = i == 1 ? Hex(0x9AA3B5) : i == 2 ? Hex(0xFF5A4E) : i == 3 ? Hex(0xD93A2F) : Hex(0xCCD1DB);
        Cross("res/common/closebtnM_" + std::to_string(i) + ".png", 12, c, 1.0, i == 2 || i == 3);
    }
    CheckBoxes();
    EditAndProgress();
    Finished();
    TipLabel();
    AnimationFrames();
    Icons();
    cairo_debug_reset_static_data();
    return g_failures == 0 ? 0 : 1;
}
