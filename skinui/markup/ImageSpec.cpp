#include "skinui/markup/ImageSpec.h"

#include "skinui/markup/ValueSyntax.h"

#include <algorithm>
#include <cwctype>

namespace SkinUI::Markup {
namespace {

bool IsKeyValueList(std::wstring_view text)
{
    return text.find(L"='") != std::wstring_view::npos || text.find(L"=\"") != std::wstring_view::npos;
}

Color ParseMask(std::wstring_view value)
{
    return ParseColor(value) & 0x00FFFFFFu;
}

}  // namespace

ImageSpec ParseImageSpec(std::wstring_view text)
{
    ImageSpec spec;
    if (!IsKeyValueList(text)) {
        spec.file = std::wstring(text);
        return spec;
    }
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::iswspace(static_cast<wint_t>(text[i]))) {
            ++i;
        }
        const std::size_t keyStart = i;
        while (i < text.size() && text[i] != L'=' && !std::iswspace(static_cast<wint_t>(text[i]))) {
            ++i;
        }
        const std::wstring_view key = text.substr(keyStart, i - keyStart);
        if (i >= text.size() || text[i] != L'=' || i + 1 >= text.size()) {
            break;
        }
        const wchar_t quote = text[i + 1];
        if (quote != L'\'' && quote != L'"') {
            break;
        }
        const std::size_t valueStart = i + 2;
        const std::size_t valueEnd = text.find(quote, valueStart);
        if (valueEnd == std::wstring_view::npos) {
            break;
        }
        const std::wstring_view value = text.substr(valueStart, valueEnd - valueStart);
        i = valueEnd + 1;
        if (key == L"file") {
            spec.file = std::wstring(value);
        } else if (key == L"dest") {
            spec.dest = ParseRect(value);
        } else if (key == L"corner") {
            spec.corner = ParseRect(value);
        } else if (key == L"mask") {
            spec.mask = ParseMask(value);
        } else if (key == L"fade") {
            spec.fade = static_cast<int>(std::clamp(ParseLong(value), 0L, 255L));
        } else if (key == L"hole") {
            spec.hole = ParseBool(value);
        } else if (key == L"xtiled") {
            spec.xtiled = ParseBool(value);
        } else if (key == L"ytiled") {
            spec.ytiled = ParseBool(value);
        }
    }
    return spec;
}

}  // namespace SkinUI::Markup
