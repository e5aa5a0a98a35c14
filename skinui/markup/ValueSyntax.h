#pragma once

#include "skinui/Types.h"

#include <string_view>

namespace SkinUI::Markup {

/// Decimal integer as wcstol with base 10 reads it (leading blanks, sign; 0 when unreadable).
long ParseLong(std::wstring_view text, std::wstring_view* rest = nullptr);
/// "#AARRGGBB" or "0xAARRGGBB"; digits that cannot be read count as 0.
Color ParseColor(std::wstring_view text);
/// "a,b,c,d" decimal; missing parts are 0.
Rect ParseRect(std::wstring_view text);
/// "cx,cy".
Size ParseSize(std::wstring_view text);
/// Exactly "true".
bool ParseBool(std::wstring_view text);
/// TextAlign horizontal flags from "left", "center", "right" (substring match).
unsigned ParseAlign(std::wstring_view text, unsigned current);
/// TextAlign vertical flags from "top", "vcenter", "bottom" (substring match); other values keep `current`.
unsigned ParseVAlign(std::wstring_view text, unsigned current);

}  // namespace SkinUI::Markup
