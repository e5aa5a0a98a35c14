#include "skinui/CheckBox.h"

#include "skinui/Messages.h"
#include "skinui/markup/ValueSyntax.h"

namespace SkinUI {

std::wstring_view CheckBox::GetClass() const
{
    return L"CheckBox";
}

Control* CheckBox::GetInterface(std::wstring_view name)
{
    return name == L"CheckBox" ? this : Button::GetInterface(name);
}

void CheckBox::Selected(bool selected)
{
    if (selected_ == selected) {
        return;
    }
    selected_ = selected;
    Invalidate();
    PostNotify(NotifyType::SelectChanged);
}

void CheckBox::Activate()
{
    if (!IsEnabled()) {
        return;
    }
    Button::Activate();
    Selected(!selected_);
}

void CheckBox::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    if (name == L"selected") {
        Selected(Markup::ParseBool(value));
    } else if (name == L"selectedimage") {
        SetSelectedImage(std::wstring(value));
    } else if (name == L"selectedtextcolor") {
        SetSelectedTextColor(Markup::ParseColor(value));
    } else {
        Button::SetAttribute(name, value);
    }
}

void CheckBox::PaintStatusImage(cairo_t* cr)
{
    if (selected_ && !selectedImage_.empty() && DrawImage(cr, selectedImage_)) {
        return;
    }
    Button::PaintStatusImage(cr);
}

Color CheckBox::CurrentTextColor() const
{
    if (selected_ && selectedTextColor_ != 0) {
        return selectedTextColor_;
    }
    return Button::CurrentTextColor();
}

}  // namespace SkinUI
