#include "skinui/Control.h"

#include "skinui/ImageCache.h"
#include "skinui/Messages.h"
#include "skinui/Painting.h"
#include "skinui/WindowContext.h"
#include "skinui/markup/ImageSpec.h"
#include "skinui/markup/ValueSyntax.h"

#include <cairo.h>

namespace SkinUI {

using namespace Markup;

Control::Control() = default;

Control::~Control()
{
    if (context_) {
        context_->ReleaseControl(this);
    }
}

std::wstring_view Control::GetClass() const
{
    return L"Control";
}

Control* Control::GetInterface(std::wstring_view name)
{
    return name == L"Control" ? this : nullptr;
}

void Control::SetText(const std::wstring& text)
{
    if (text_ == text) {
        return;
    }
    text_ = text;
    Invalidate();
}

void Control::SetVisible(bool visible)
{
    if (visible_ == visible) {
        return;
    }
    visible_ = visible;
    if (!visible && context_) {
        // Hiding a container hides what it holds: none of it may keep the focus.
        if (Control* focus = context_->GetFocus()) {
            for (Control* c = focus; c; c = c->GetParent()) {
                if (c == this) {
                    context_->SetFocus(nullptr);
                    break;
                }
            }
        }
    }
    NeedParentUpdate();
}

void Control::SetEnabled(bool enabled)
{
    if (enabled_ == enabled) {
        return;
    }
    enabled_ = enabled;
    Invalidate();
}

bool Control::IsFocused() const
{
    return context_ && context_->GetFocus() == this;
}

void Control::SetFocus()
{
    if (context_) {
        context_->SetFocus(this);
    }
}

void Control::SetPos(const Rect& rc)
{
    if (pos_ == rc) {
        return;
    }
    const Rect old = pos_;
    pos_ = rc;
    if (context_) {
        context_->Invalidate(old.Union(rc));
    }
}

void Control::SetFixedWidth(int cx)
{
    if (cx < 0 || cx == fixedWidth_) {
        return;
    }
    fixedWidth_ = cx;
    NeedParentUpdate();
}

void Control::SetFixedHeight(int cy)
{
    if (cy < 0 || cy == fixedHeight_) {
        return;
    }
    fixedHeight_ = cy;
    NeedParentUpdate();
}

void Control::SetPadding(const Rect& rc)
{
    padding_ = rc;
    NeedParentUpdate();
}

void Control::SetBkColor(Color c)
{
    bkColor_ = c;
    Invalidate();
}

void Control::SetBkImage(const std::wstring& image)
{
    if (bkImage_ == image) {
        return;
    }
    bkImage_ = image;
    Invalidate();
}

void Control::SetBorderColor(Color c)
{
    borderColor_ = c;
    Invalidate();
}

void Control::SetBorderSize(int size)
{
    borderSize_ = size < 0 ? 0 : size;
    Invalidate();
}

void Control::SetBorderRound(Size round)
{
    borderRound_ = round;
    Invalidate();
}

void Control::Invalidate()
{
    if (context_) {
        context_->Invalidate(pos_);
    }
}

void Control::NeedParentUpdate()
{
    if (context_) {
        context_->NeedUpdate();
    }
}

void Control::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    const std::wstring v(value);
    if (name == L"name") {
        SetName(v);
    } else if (name == L"text") {
        SetText(v);
    } else if (name == L"userdata") {
        SetUserData(v);
    } else if (name == L"width") {
        SetFixedWidth(static_cast<int>(ParseLong(value)));
    } else if (name == L"height") {
        SetFixedHeight(static_cast<int>(ParseLong(value)));
    } else if (name == L"padding") {
        SetPadding(ParseRect(value));
    } else if (name == L"visible") {
        SetVisible(ParseBool(value));
    } else if (name == L"enabled") {
        SetEnabled(ParseBool(value));
    } else if (name == L"bkcolor") {
        SetBkColor(ParseColor(value));
    } else if (name == L"bkimage") {
        SetBkImage(v);
    } else if (name == L"bordercolor") {
        SetBorderColor(ParseColor(value));
    } else if (name == L"bordersize") {
        SetBorderSize(static_cast<int>(ParseLong(value)));
    } else if (name == L"borderround") {
        SetBorderRound(ParseSize(value));
    }
}

void Control::DoEvent(ControlEvent& event)
{
    if (event.type == EventType::Timer && context_) {
        Notify(NotifyType::Timer, event.wParam, event.lParam);
    }
}

void Control::DoPaint(cairo_t* cr, const Rect& dirty)
{
    if (pos_.Intersect(dirty).IsEmpty()) {
        return;
    }
    cairo_save(cr);
    cairo_rectangle(cr, pos_.left, pos_.top, pos_.Width(), pos_.Height());
    cairo_clip(cr);
    PaintBkColor(cr);
    PaintBkImage(cr);
    PaintStatusImage(cr);
    PaintText(cr);
    PaintBorder(cr);
    cairo_restore(cr);
}

void Control::PaintBkColor(cairo_t* cr)
{
    if (bkColor_ == 0) {
        return;
    }
    if (borderRound_.cx > 0 && borderRound_.cy > 0) {
        RoundRectPath(cr, pos_.left, pos_.top, pos_.Width(), pos_.Height(), borderRound_);
        SetSourceColor(cr, bkColor_);
        cairo_fill(cr);
        return;
    }
    FillRect(cr, pos_, bkColor_);
}

void Control::PaintBkImage(cairo_t* cr)
{
    DrawImage(cr, bkImage_);
}

void Control::PaintBorder(cairo_t* cr)
{
    StrokeBorder(cr, pos_, borderColor_, borderSize_, borderRound_);
}

bool Control::DrawImage(cairo_t* cr, const std::wstring& image)
{
    if (image.empty() || !context_) {
        return false;
    }
    return DrawImageSpec(cr, context_->Images(), pos_, ParseImageSpec(image));
}

void Control::Notify(const wchar_t* type, WParam wParam, LParam lParam)
{
    if (context_) {
        context_->SendNotify(this, type, wParam, lParam, false);
    }
}

void Control::PostNotify(const wchar_t* type, WParam wParam, LParam lParam)
{
    if (context_) {
        context_->SendNotify(this, type, wParam, lParam, true);
    }
}

Control* Control::FindControlAt(Point pt)
{
    if (!visible_ || !pos_.Contains(pt)) {
        return nullptr;
    }
    return this;
}

Control* Control::FindControlByName(std::wstring_view name)
{
    return name_ == name ? this : nullptr;
}

void Control::ForEach(const std::function<void(Control&)>& visit)
{
    visit(*this);
}

void Control::SetContext(WindowContext* context, Control* parent)
{
    if (context_ && context_ != context) {
        context_->ReleaseControl(this);
    }
    context_ = context;
    parent_ = parent;
}

}  // namespace SkinUI
