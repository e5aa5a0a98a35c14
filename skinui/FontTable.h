#pragma once

#include "skinui/Types.h"

#include <map>
#include <string>

typedef struct _PangoFontDescription PangoFontDescription;
typedef struct _cairo cairo_t;

namespace SkinUI {

/// The layout's fonts by id, resolved through fontconfig, with text drawing and measuring.
class FontTable {
public:
    struct Font {
        std::wstring name;   // as the markup names it
        std::string family;  // installed family that fontconfig chose
        int size = 12;       // character height in pixels
        bool bold = false;
        bool underline = false;
        bool italic = false;
    };

    FontTable();
    ~FontTable();
    FontTable(const FontTable&) = delete;
    FontTable& operator=(const FontTable&) = delete;

    void Add(int id, const std::wstring& name, int size, bool isDefault, bool bold, bool underline, bool italic);
    /// The font of `id`, or the default font (-1 or an unknown id).
    const Font& Get(int id) const;

    struct TextLayout {
        unsigned align = 0;  // TextAlign flags
        bool multiLine = false;
        Color color = 0xFF000000;
    };
    /// Draws text inside `rc` with the alignment rules of labels.
    void DrawText(cairo_t* cr, int fontId, const std::wstring& text, const Rect& rc, const TextLayout& how) const;
    /// Width and height of one line of `text`.
    Size Measure(int fontId, const std::wstring& text) const;
    /// x offset in pixels of the character boundary `index` of one line of `text`.
    int CaretX(int fontId, const std::wstring& text, std::size_t index) const;

    /// Installed family that fontconfig picks for a typeface name (CJK faces for Chinese names).
    static std::string ResolveFamily(const std::wstring& name);

private:
    PangoFontDescription* Description(const Font& font) const;

    std::map<int, Font> fonts_;
    int defaultId_ = -1;
    Font fallback_;
};

}  // namespace SkinUI
