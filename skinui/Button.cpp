#include "skinui/Button.h"

#include "skinui/Messages.h"
#include "skinui/Painting.h"
#include "skinui/WindowContext.h"
#include "skinui/markup/ValueSyntax.h"

#include <cairo.h>

namespace SkinUI {

using namespace Markup;

std::wstring_view Button::GetClass() const
{
    return L"Button";
}

Control* Button::GetInterface(std::wstring_view name)
{
    return name == L"Button" ? this : Label::GetInterface(name);
}

Button::State Button::GetState() const
{
    if (!IsEnabled()) {
        return State::Disabled;
    }
    if (pushed_) {
        return State::Pushed;
    }
    if (hot_) {
        return State::Hot;
    }
    return State::Normal;
}

void Button::SetNormalImage(const std::wstring& image)
{
    normalImage_ = image;
    Invalidate();
}

void Button::SetHotImage(const std::wstring& image)
{
    hotImage_ = image;
    Invalidate();
}

void Button::SetPushedImage(const std::wstring& image)
{
    pushedImage_ = image;
    Invalidate();
}

void Button::SetDisabledImage(const std::wstring& image)
{
    disabledImage_ = image;
    Invalidate();
}

void Button::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    const std::wstring v(value);
    if (name == L"normalimage") {
        SetNormalImage(v);
    } else if (name == L"hotimage") {
        SetHotImage(v);
    } else if (name == L"pushedimage") {
        SetPushedImage(v);
    } else if (name == L"disabledimage") {
        SetDisabledImage(v);
    } else if (name == L"hottextcolor") {
        SetHotTextColor(ParseColor(value));
    } else if (name == L"pushedtextcolor") {
        SetPushedTextColor(ParseColor(value));
    } else if (name == L"focusedtextcolor") {
        SetFocusedTextColor(ParseColor(value));
    } else if (name == L"hotbkcolor") {
        SetHotBkColor(ParseColor(value));
    } else if (name == L"pushedbkcolor") {
        SetPushedBkColor(ParseColor(value));
    } else if (name == L"pushedbordercolor") {
        SetPushedBorderColor(ParseColor(value));
    } else {
        Label::SetAttribute(name, value);
    }
}

void Button::Activate()
{
    if (IsEnabled()) {
        PostNotify(NotifyType::Click);
    }
}

void Button::SetEnabled(bool enabled)
{
    if (!enabled) {
        hot_ = false;
        pushed_ = false;
        if (captured_ && GetContext()) {
            GetContext()->ReleaseCapture();
        }
        captured_ = false;
    }
    Label::SetEnabled(enabled);
}

void Button::DoEvent(ControlEvent& event)
{
    switch (event.type) {
    case EventType::MouseEnter:
        if (IsEnabled()) {
            hot_ = true;
            Invalidate();
        }
        return;
    case EventType::MouseLeave:
        if (hot_) {
            hot_ = false;
            Invalidate();
        }
        return;
    case EventType::ButtonDown:
    case EventType::DblClick:
        if (IsEnabled() && GetContext()) {
            pushed_ = true;
            captured_ = true;
            GetContext()->SetCapture(this);
            SetFocus();
            Invalidate();
        }
        return;
    case EventType::MouseMove:
        if (captured_) {
            const bool inside = GetPos().Contains(event.pt);
            if (inside != pushed_) {
                pushed_ = inside;
                Invalidate();
            }
        }
        return;
    case EventType::ButtonUp:
        if (captured_) {
            captured_ = false;
            pushed_ = false;
            if (GetContext()) {
                GetContext()->ReleaseCapture();
            }
            Invalidate();
            if (GetPos().Contains(event.pt)) {
                Activate();
            }
        }
        return;
    case EventType::KeyDown:
        if (event.wParam == Key::Space || event.wParam == Key::Return) {
            Activate();
        }
        return;
    default:
        Label::DoEvent(event);
    }
}

void Button::PaintBkColor(cairo_t* cr)
{
    // Each state has its own colour; the normal one shows where a state has none.
    Color c = GetBkColor();
    const State state = GetState();
    if (state == State::Pushed && pushedBkColor_ != 0) {
        c = pushedBkColor_;
    } else if (state == State::Hot && hotBkColor_ != 0) {
        c = hotBkColor_;
    }
    if (c == 0) {
        return;
    }
    const Rect& rc = GetPos();
    RoundRectPath(cr, rc.left, rc.top, rc.Width(), rc.Height(), GetBorderRound());
    SetSourceColor(cr, c);
    cairo_fill(cr);
}

void Button::PaintStateImage(cairo_t* cr, const std::wstring& stateImage)
{
    if (!stateImage.empty() && DrawImage(cr, stateImage)) {
        return;
    }
    DrawImage(cr, normalImage_);
}

void Button::PaintStatusImage(cairo_t* cr)
{
    switch (GetState()) {
    case State::Disabled:
        PaintStateImage(cr, disabledImage_);
        break;
    case State::Pushed:
        PaintStateImage(cr, pushedImage_);
        break;
    case State::Hot:
        PaintStateImage(cr, hotImage_);
        break;
    case State::Normal:
        PaintStateImage(cr, {});
        break;
    }
}

void Button::PaintBorder(cairo_t* cr)
{
    const Color c = GetState() == State::Pushed && pushedBorderColor_ != 0 ? pushedBorderColor_ : GetBorderColor();
    StrokeBorder(cr, GetPos(), c, GetBorderSize(), GetBorderRound());
}

Color Button::CurrentTextColor() const
{
    // A state colour of 0 is "not set": the normal colour shows.
    switch (GetState()) {
    case State::Pushed:
        return pushedTextColor_ != 0 ? pushedTextColor_ : GetTextColor();
    case State::Hot:
        return hotTextColor_ != 0 ? hotTextColor_ : GetTextColor();
    default:
        return IsFocused() && focusedTextColor_ != 0 ? focusedTextColor_ : GetTextColor();
    }
}

}  // namespace SkinUI
