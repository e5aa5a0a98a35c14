#include "skinui/TabLayout.h"

#include "skinui/Messages.h"
#include "skinui/WindowContext.h"
#include "skinui/markup/ValueSyntax.h"

namespace SkinUI {

std::wstring_view TabLayout::GetClass() const
{
    return L"TabLayout";
}

Control* TabLayout::GetInterface(std::wstring_view name)
{
    return name == L"TabLayout" ? this : Container::GetInterface(name);
}

void TabLayout::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    if (name == L"selectedid") {
        curSel_ = static_cast<int>(Markup::ParseLong(value));
    } else {
        Container::SetAttribute(name, value);
    }
}

void TabLayout::DoInit()
{
    if (curSel_ < 0 || curSel_ >= GetCount()) {
        curSel_ = 0;
    }
    for (int i = 0; i < GetCount(); ++i) {
        GetItemAt(i)->SetVisible(i == curSel_);
    }
}

bool TabLayout::SelectItem(int index)
{
    if (index < 0 || index >= GetCount()) {
        return false;
    }
    if (index == curSel_) {
        return true;
    }
    const int old = curSel_;
    curSel_ = index;
    for (int i = 0; i < GetCount(); ++i) {
        GetItemAt(i)->SetVisible(i == curSel_);
    }
    NeedParentUpdate();
    Invalidate();
    Notify(NotifyType::TabSelect, static_cast<WParam>(curSel_), old);
    return true;
}

void TabLayout::LayoutChildren(const Rect& inner)
{
    for (auto& child : children_) {
        if (child->IsVisible()) {
            child->SetPos(inner.Deflate(child->GetPadding()));
        }
    }
}

}  // namespace SkinUI
