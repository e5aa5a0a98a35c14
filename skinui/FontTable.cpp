#include "skinui/FontTable.h"

#include "skinui/Label.h"
#include "skinui/Text.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <map>
#include <mutex>

namespace SkinUI {
namespace {

bool HasNonAscii(const std::wstring& s)
{
    return std::any_of(s.begin(), s.end(), [](wchar_t c) { return c > 0x7F; });
}

void SetSourceColor(cairo_t* cr, Color c)
{
    if (c == 0) {
        c = 0xFF000000;
    }
    cairo_set_source_rgba(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0,
                          ((c >> 24) & 0xFF) / 255.0);
}

struct ScratchContext {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(surface);
    ~ScratchContext()
    {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
};

PangoLayout* MakeLayout(cairo_t* cr, PangoFontDescription* desc, const std::wstring& text)
{
    PangoLayout* layout = pango_cairo_create_layout(cr);
    pango_layout_set_font_description(layout, desc);
    const std::string utf8 = ToUtf8(text);
    pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));
    return layout;
}

}  // namespace

FontTable::FontTable()
{
    fallback_.name = L"微软雅黑";
    fallback_.family = ResolveFamily(fallback_.name);
    fallback_.size = 12;
}

FontTable::~FontTable() = default;

std::string FontTable::ResolveFamily(const std::wstring& name)
{
    static std::mutex lock;
    static std::map<std::wstring, std::string> resolved;
    std::lock_guard guard(lock);
    if (const auto it = resolved.find(name); it != resolved.end()) {
        return it->second;
    }
    std::string family = ToUtf8(name);
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    // A Chinese face name is rarely installed under that name; ask for a face that covers Chinese.
    if (HasNonAscii(name)) {
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    if (match) {
        FcChar8* matched = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &matched) == FcResultMatch && matched) {
            family = reinterpret_cast<const char*>(matched);
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    resolved[name] = family;
    return family;
}

void FontTable::Add(int id, const std::wstring& name, int size, bool isDefault, bool bold, bool underline, bool italic)
{
    Font f;
    f.name = name;
    f.family = ResolveFamily(name.empty() ? fallback_.name : name);
    f.size = size > 0 ? size : 12;
    f.bold = bold;
    f.underline = underline;
    f.italic = italic;
    fonts_[id] = f;
    if (isDefault || defaultId_ < 0) {
        defaultId_ = id;
    }
}

const FontTable::Font& FontTable::Get(int id) const
{
    if (const auto it = fonts_.find(id); it != fonts_.end()) {
        return it->second;
    }
    if (const auto it = fonts_.find(defaultId_); it != fonts_.end()) {
        return it->second;
    }
    return fallback_;
}

PangoFontDescription* FontTable::Description(const Font& font) const
{
    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, font.family.c_str());
    pango_font_description_set_absolute_size(desc, font.size * PANGO_SCALE);
    pango_font_description_set_weight(desc, font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(desc, font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    return desc;
}

void FontTable::DrawText(cairo_t* cr, int fontId, const std::wstring& text, const Rect& rc, const TextLayout& how) const
{
    if (text.empty() || rc.IsEmpty()) {
        return;
    }
    const Font& font = Get(fontId);
    PangoFontDescription* desc = Description(font);
    PangoLayout* layout = MakeLayout(cr, desc, text);
    if (font.underline) {
        PangoAttrList* attrs = pango_attr_list_new();
        pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    const unsigned h = how.align & TextAlign::HorizontalMask;
    if (how.multiLine) {
        pango_layout_set_width(layout, rc.Width() * PANGO_SCALE);
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        pango_layout_set_alignment(layout, h == TextAlign::Center  ? PANGO_ALIGN_CENTER
                                           : h == TextAlign::Right ? PANGO_ALIGN_RIGHT
                                                                   : PANGO_ALIGN_LEFT);
    }
    int lw = 0;
    int lh = 0;
    pango_layout_get_pixel_size(layout, &lw, &lh);
    double x = rc.left;
    if (!how.multiLine) {
        if (h == TextAlign::Center) {
            x = rc.left + (rc.Width() - lw) / 2.0;
        } else if (h == TextAlign::Right) {
            x = rc.right - lw;
        }
    }
    const unsigned v = how.align & TextAlign::VerticalMask;
    double y = rc.top;
    if (v == TextAlign::VCenter) {
        y = rc.top + (rc.Height() - lh) / 2.0;
    } else if (v == TextAlign::Bottom) {
        y = rc.bottom - lh;
    }
    cairo_save(cr);
    cairo_rectangle(cr, rc.left, rc.top, rc.Width(), rc.Height());
    cairo_clip(cr);
    SetSourceColor(cr, how.color);
    cairo_move_to(cr, static_cast<int>(x), static_cast<int>(y));
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
    g_object_unref(layout);
    pango_font_description_free(desc);
}

Size FontTable::Measure(int fontId, const std::wstring& text) const
{
    ScratchContext scratch;
    PangoFontDescription* desc = Description(Get(fontId));
    PangoLayout* layout = MakeLayout(scratch.cr, desc, text);
    int w = 0;
    int h = 0;
    pango_layout_get_pixel_size(layout, &w, &h);
    g_object_unref(layout);
    pango_font_description_free(desc);
    return {w, h};
}

int FontTable::CaretX(int fontId, const std::wstring& text, std::size_t index) const
{
    if (index == 0) {
        return 0;
    }
    return Measure(fontId, text.substr(0, std::min(index, text.size()))).cx;
}

}  // namespace SkinUI
