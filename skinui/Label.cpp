#include "skinui/Label.h"

#include "skinui/FontTable.h"
#include "skinui/WindowContext.h"
#include "skinui/markup/ValueSyntax.h"

namespace SkinUI {

using namespace Markup;

std::wstring_view Label::GetClass() const
{
    return L"Label";
}

Control* Label::GetInterface(std::wstring_view name)
{
    return name == L"Label" ? this : Control::GetInterface(name);
}

void Label::SetFont(int id)
{
    font_ = id;
    Invalidate();
}

void Label::SetTextColor(Color c)
{
    textColor_ = c;
    Invalidate();
}

void Label::SetTextStyle(unsigned style)
{
    textStyle_ = style;
    Invalidate();
}

void Label::SetTextPadding(const Rect& rc)
{
    textPadding_ = rc;
    Invalidate();
}

void Label::SetMultiLine(bool multi)
{
    multiLine_ = multi;
    Invalidate();
}

void Label::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    if (name == L"font") {
        SetFont(static_cast<int>(ParseLong(value)));
    } else if (name == L"textcolor") {
        SetTextColor(ParseColor(value));
    } else if (name == L"align") {
        SetTextStyle(ParseAlign(value, textStyle_));
    } else if (name == L"valign") {
        SetTextStyle(ParseVAlign(value, textStyle_));
    } else if (name == L"textpadding") {
        SetTextPadding(ParseRect(value));
    } else if (name == L"multiline") {
        SetMultiLine(ParseBool(value));
    } else {
        Control::SetAttribute(name, value);
    }
}

void Label::PaintText(cairo_t* cr)
{
    if (GetText().empty() || !GetContext()) {
        return;
    }
    FontTable::TextLayout how;
    how.align = textStyle_;
    how.multiLine = multiLine_;
    how.color = CurrentTextColor();
    GetContext()->Fonts().DrawText(cr, font_, GetText(), GetPos().Deflate(textPadding_), how);
}

}  // namespace SkinUI
