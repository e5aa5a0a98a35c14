#include "skinui/markup/ValueSyntax.h"

#include "skinui/Label.h"

#include <cerrno>
#include <climits>
#include <cwchar>
#include <string>

namespace SkinUI::Markup {

long ParseLong(std::wstring_view text, std::wstring_view* rest)
{
    const std::wstring s(text);
    wchar_t* end = nullptr;
    errno = 0;
    const long v = std::wcstol(s.c_str(), &end, 10);
    if (rest) {
        *rest = text.substr(static_cast<std::size_t>(end - s.c_str()));
    }
    return v;
}

Color ParseColor(std::wstring_view text)
{
    if (!text.empty() && text.front() == L'#') {
        text.remove_prefix(1);
    }
    const std::wstring s(text);
    // Base 16 also takes a leading "0x"; a value whose digits cannot be read gives 0.
    const unsigned long v = std::wcstoul(s.c_str(), nullptr, 16);
    return static_cast<Color>(v > 0xFFFFFFFFul ? 0xFFFFFFFFul : v);
}

Rect ParseRect(std::wstring_view text)
{
    int parts[4] = {0, 0, 0, 0};
    std::wstring_view rest = text;
    for (int i = 0; i < 4 && !rest.empty(); ++i) {
        parts[i] = static_cast<int>(ParseLong(rest, &rest));
        if (!rest.empty()) {
            rest.remove_prefix(1);
        }
    }
    return {parts[0], parts[1], parts[2], parts[3]};
}

Size ParseSize(std::wstring_view text)
{
    const Rect r = ParseRect(text);
    return {r.left, r.top};
}

bool ParseBool(std::wstring_view text)
{
    return text == L"true";
}

unsigned ParseAlign(std::wstring_view text, unsigned current)
{
    if (text.find(L"left") != std::wstring_view::npos) {
        current = (current & ~TextAlign::HorizontalMask) | TextAlign::Left;
    }
    if (text.find(L"center") != std::wstring_view::npos) {
        current = (current & ~TextAlign::HorizontalMask) | TextAlign::Center;
    }
    if (text.find(L"right") != std::wstring_view::npos) {
        current = (current & ~TextAlign::HorizontalMask) | TextAlign::Right;
    }
    return current;
}

unsigned ParseVAlign(std::wstring_view text, unsigned current)
{
    if (text.find(L"top") != std::wstring_view::npos) {
        current = (current & ~TextAlign::VerticalMask) | TextAlign::Top;
    }
    if (text.find(L"vcenter") != std::wstring_view::npos) {
        current = (current & ~TextAlign::VerticalMask) | TextAlign::VCenter;
    }
    if (text.find(L"bottom") != std::wstring_view::npos) {
        current = (current & ~TextAlign::VerticalMask) | TextAlign::Bottom;
    }
    return current;
}

}  // namespace SkinUI::Markup
