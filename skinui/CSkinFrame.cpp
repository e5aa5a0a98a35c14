#include "skinui/CSkinFrame.h"

#include "skinui/Messages.h"
#include "skinui/Text.h"
#include "skinui/markup/ValueSyntax.h"

#include <cwchar>

namespace SkinUI {

using Markup::ParseLong;
using Markup::ParseRect;

CSkinFrame::CSkinFrame(int resourceKind, int resourceId, std::wstring skinFolder, std::wstring layoutFile,
                       std::wstring windowClassName, IHost* host)
    : SkinWindowBase(host),
      resourceKind_(resourceKind),
      resourceId_(resourceId),
      skinFolder_(std::move(skinFolder)),
      layoutFile_(std::move(layoutFile)),
      className_(std::move(windowClassName))
{
}

CSkinFrame::~CSkinFrame() = default;

std::wstring CSkinFrame::ClassNameFromLayout(const std::wstring& layoutFile)
{
    return layoutFile.substr(0, layoutFile.find(L'.'));
}

void CSkinFrame::InitWindow()
{
    SetStyle(GetStyle() & ~(Style::Caption | Style::MaximizeBox));
    const auto show = GetCustomAttribute(L"showshadow");
    if (!show || !EqualsNoCase(*show, L"true")) {
        return;
    }
    shadow_.Create(this);
    ApplyShadowAttributes();
}

void CSkinFrame::ApplyShadowAttributes()
{
    // Out-of-range values are refused by the setters and simply not applied.
    if (const auto v = GetCustomAttribute(L"shadowsize")) {
        shadow_.SetSize(static_cast<int>(ParseLong(*v)));
    }
    if (const auto v = GetCustomAttribute(L"shadowsharpness")) {
        shadow_.SetSharpness(static_cast<int>(ParseLong(*v)));
    }
    if (const auto v = GetCustomAttribute(L"shadowdarkness")) {
        shadow_.SetDarkness(static_cast<int>(ParseLong(*v)));
    }
    if (const auto v = GetCustomAttribute(L"shadowposition")) {
        std::wstring_view rest;
        const long x = ParseLong(*v, &rest);
        if (!rest.empty()) {
            rest.remove_prefix(1);
        }
        shadow_.SetPosition(static_cast<int>(x), static_cast<int>(ParseLong(rest)));
    }
    if (const auto v = GetCustomAttribute(L"shadowcolor")) {
        std::wstring digits = *v;
        if (!digits.empty() && digits.front() == L'#') {
            digits.erase(0, 1);
        }
        shadow_.SetColor(static_cast<std::uint32_t>(std::wcstoul(digits.c_str(), nullptr, 16)));
    }
    if (const auto image = GetCustomAttribute(L"shadowimage")) {
        const Rect corner = ParseRect(GetCustomAttribute(L"shadowcorner").value_or(L""));
        const Rect hole = ParseRect(GetCustomAttribute(L"shadowholeoffset").value_or(L""));
        shadow_.SetImage(*image, corner, hole);
    }
}

bool CSkinFrame::MessageFilter(MessageId msg, WParam wParam, LParam lParam, LResult& result)
{
    // Escape never closes an installer window.
    if (msg == Msg::KeyDown && wParam == Key::Escape) {
        result = 0;
        return true;
    }
    return SkinWindowBase::MessageFilter(msg, wParam, lParam, result);
}

}  // namespace SkinUI
