#include "skinui/Progress.h"

#include "skinui/Painting.h"
#include "skinui/WindowContext.h"
#include "skinui/markup/ImageSpec.h"
#include "skinui/markup/ValueSyntax.h"

#include <algorithm>

namespace SkinUI {

std::wstring_view Progress::GetClass() const
{
    return L"Progress";
}

Control* Progress::GetInterface(std::wstring_view name)
{
    return name == L"Progress" ? this : Label::GetInterface(name);
}

void Progress::SetMinValue(int v)
{
    min_ = v;
    SetValue(value_);
    Invalidate();
}

void Progress::SetMaxValue(int v)
{
    max_ = v;
    SetValue(value_);
    Invalidate();
}

void Progress::SetValue(int v)
{
    const int lo = std::min(min_, max_);
    const int hi = std::max(min_, max_);
    v = std::clamp(v, lo, hi);
    if (v == value_) {
        return;
    }
    value_ = v;
    Invalidate();
}

void Progress::SetForeImage(const std::wstring& image)
{
    if (foreImage_ == image) {
        return;
    }
    foreImage_ = image;
    Invalidate();
}

Rect Progress::ForegroundRect() const
{
    Rect rc = GetPos();
    if (max_ <= min_) {
        rc.right = rc.left;
        return rc;
    }
    const long long width = rc.Width();
    rc.right = rc.left + static_cast<int>(width * (value_ - min_) / (max_ - min_));
    return rc;
}

void Progress::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    if (name == L"foreimage") {
        SetForeImage(std::wstring(value));
    } else if (name == L"min") {
        SetMinValue(static_cast<int>(Markup::ParseLong(value)));
    } else if (name == L"max") {
        SetMaxValue(static_cast<int>(Markup::ParseLong(value)));
    } else if (name == L"value") {
        SetValue(static_cast<int>(Markup::ParseLong(value)));
    } else {
        Label::SetAttribute(name, value);
    }
}

void Progress::PaintStatusImage(cairo_t* cr)
{
    const Rect fore = ForegroundRect();
    if (foreImage_.empty() || fore.IsEmpty() || !GetContext()) {
        return;
    }
    Markup::ImageSpec spec = Markup::ParseImageSpec(foreImage_);
    spec.dest.reset();
    DrawImageSpec(cr, GetContext()->Images(), fore, spec);
}

}  // namespace SkinUI
