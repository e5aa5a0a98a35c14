#include "skinui/Container.h"

#include "skinui/WindowContext.h"
#include "skinui/markup/ValueSyntax.h"

#include <cairo.h>

namespace SkinUI {

std::wstring_view Container::GetClass() const
{
    return L"Container";
}

Control* Container::GetInterface(std::wstring_view name)
{
    return name == L"Container" ? this : Control::GetInterface(name);
}

Control* Container::Add(std::unique_ptr<Control> child)
{
    if (!child) {
        return nullptr;
    }
    Control* raw = child.get();
    children_.push_back(std::move(child));
    raw->SetContext(GetContext(), this);
    NeedParentUpdate();
    return raw;
}

Control* Container::GetItemAt(int index) const
{
    if (index < 0 || index >= GetCount()) {
        return nullptr;
    }
    return children_[static_cast<std::size_t>(index)].get();
}

int Container::GetItemIndex(const Control* child) const
{
    for (std::size_t i = 0; i < children_.size(); ++i) {
        if (children_[i].get() == child) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void Container::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    if (name == L"inset") {
        SetInset(Markup::ParseRect(value));
    } else {
        Control::SetAttribute(name, value);
    }
}

void Container::SetPos(const Rect& rc)
{
    Control::SetPos(rc);
    LayoutChildren(rc.Deflate(inset_));
}

void Container::LayoutChildren(const Rect& inner)
{
    for (auto& child : children_) {
        if (child->IsVisible()) {
            child->SetPos(inner.Deflate(child->GetPadding()));
        }
    }
}

void Container::DoPaint(cairo_t* cr, const Rect& dirty)
{
    if (GetPos().Intersect(dirty).IsEmpty()) {
        return;
    }
    Control::DoPaint(cr, dirty);
    cairo_save(cr);
    cairo_rectangle(cr, GetPos().left, GetPos().top, GetPos().Width(), GetPos().Height());
    cairo_clip(cr);
    for (auto& child : children_) {
        if (child->IsVisible()) {
            child->DoPaint(cr, dirty);
        }
    }
    cairo_restore(cr);
}

Control* Container::FindControlAt(Point pt)
{
    if (!IsVisible() || !GetPos().Contains(pt)) {
        return nullptr;
    }
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        if (Control* hit = (*it)->FindControlAt(pt)) {
            return hit;
        }
    }
    return this;
}

Control* Container::FindControlByName(std::wstring_view name)
{
    if (Control* self = Control::FindControlByName(name)) {
        return self;
    }
    for (auto& child : children_) {
        if (Control* found = child->FindControlByName(name)) {
            return found;
        }
    }
    return nullptr;
}

void Container::ForEach(const std::function<void(Control&)>& visit)
{
    visit(*this);
    for (auto& child : children_) {
        child->ForEach(visit);
    }
}

void Container::SetContext(WindowContext* context, Control* parent)
{
    Control::SetContext(context, parent);
    for (auto& child : children_) {
        child->SetContext(context, this);
    }
}

}  // namespace SkinUI
