#include "skinui/Edit.h"

#include "skinui/FontTable.h"
#include "skinui/Messages.h"
#include "skinui/Painting.h"
#include "skinui/WindowContext.h"
#include "skinui/markup/ValueSyntax.h"

#include <cairo.h>

#include <algorithm>

namespace SkinUI {

std::wstring_view Edit::GetClass() const
{
    return L"Edit";
}

Control* Edit::GetInterface(std::wstring_view name)
{
    return name == L"Edit" ? this : Label::GetInterface(name);
}

void Edit::SetText(const std::wstring& text)
{
    Label::SetText(text);
    caret_ = GetText().size();
}

void Edit::InsertText(const std::wstring& text)
{
    if (readOnly_ || text.empty()) {
        return;
    }
    std::wstring value = GetText();
    std::wstring add;
    for (wchar_t c : text) {
        // One line only: control characters are not text.
        if (c >= 0x20 && c != 0x7F) {
            add.push_back(c);
        }
    }
    const std::size_t room = maxChars_ > 0 && value.size() < static_cast<std::size_t>(maxChars_)
                                 ? static_cast<std::size_t>(maxChars_) - value.size()
                                 : (maxChars_ > 0 ? 0 : add.size());
    add.resize(std::min(add.size(), room));
    if (add.empty()) {
        return;
    }
    const std::size_t at = std::min(caret_, value.size());
    value.insert(at, add);
    Label::SetText(value);
    caret_ = at + add.size();
    Notify(NotifyType::TextChanged);
}

void Edit::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    if (name == L"maxchar") {
        SetMaxChars(static_cast<int>(Markup::ParseLong(value)));
    } else if (name == L"readonly") {
        SetReadOnly(Markup::ParseBool(value));
    } else {
        Label::SetAttribute(name, value);
    }
}

void Edit::DoEvent(ControlEvent& event)
{
    switch (event.type) {
    case EventType::ButtonDown:
    case EventType::DblClick:
        if (IsEnabled()) {
            SetFocus();
            caret_ = GetText().size();
            Invalidate();
        }
        return;
    case EventType::Char:
        if (IsEnabled() && event.wParam >= 0x20) {
            InsertText(std::wstring(1, static_cast<wchar_t>(event.wParam)));
        }
        return;
    case EventType::KeyDown: {
        if (!IsEnabled()) {
            return;
        }
        std::wstring value = GetText();
        caret_ = std::min(caret_, value.size());
        bool changed = false;
        switch (event.wParam) {
        case Key::Back:
            if (!readOnly_ && caret_ > 0) {
                value.erase(--caret_, 1);
                changed = true;
            }
            break;
        case Key::Delete:
            if (!readOnly_ && caret_ < value.size()) {
                value.erase(caret_, 1);
                changed = true;
            }
            break;
        case Key::Left:
            caret_ = caret_ > 0 ? caret_ - 1 : 0;
            break;
        case Key::Right:
            caret_ = std::min(caret_ + 1, value.size());
            break;
        case Key::Home:
            caret_ = 0;
            break;
        case Key::End:
            caret_ = value.size();
            break;
        case Key::Return:
            Notify(NotifyType::Return);
            return;
        default:
            return;
        }
        if (changed) {
            const std::size_t keep = caret_;
            Label::SetText(value);
            caret_ = keep;
            Notify(NotifyType::TextChanged);
        }
        Invalidate();
        return;
    }
    case EventType::SetFocus:
    case EventType::KillFocus:
        Invalidate();
        return;
    default:
        Label::DoEvent(event);
    }
}

void Edit::PaintText(cairo_t* cr)
{
    if (!GetContext()) {
        return;
    }
    const Rect rc = GetPos().Deflate(GetTextPadding());
    if (rc.IsEmpty()) {
        return;
    }
    const FontTable& fonts = GetContext()->Fonts();
    const int caretX = fonts.CaretX(GetFont(), GetText(), caret_);
    // Scroll so that the caret stays inside the text area.
    const int shift = caretX > rc.Width() - 1 ? caretX - (rc.Width() - 1) : 0;
    cairo_save(cr);
    cairo_rectangle(cr, rc.left, rc.top, rc.Width(), rc.Height());
    cairo_clip(cr);
    FontTable::TextLayout how;
    how.align = TextAlign::Left | TextAlign::VCenter;
    how.color = GetTextColor();
    Rect textRect = rc;
    textRect.left -= shift;
    fonts.DrawText(cr, GetFont(), GetText(), textRect, how);
    if (IsFocused()) {
        const int h = fonts.Get(GetFont()).size + 4;
        const int top = rc.top + (rc.Height() - h) / 2;
        FillRect(cr, {rc.left + caretX - shift, top, rc.left + caretX - shift + 1, top + h},
                 GetTextColor() ? GetTextColor() : 0xFF000000);
    }
    cairo_restore(cr);
}

}  // namespace SkinUI
