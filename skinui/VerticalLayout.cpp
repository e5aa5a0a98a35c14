#include "skinui/VerticalLayout.h"

#include <algorithm>

namespace SkinUI {

std::wstring_view VerticalLayout::GetClass() const
{
    return L"VerticalLayout";
}

Control* VerticalLayout::GetInterface(std::wstring_view name)
{
    return name == L"VerticalLayout" ? this : Container::GetInterface(name);
}

void VerticalLayout::LayoutChildren(const Rect& inner)
{
    int fixed = 0;
    int flexible = 0;
    for (auto& child : children_) {
        if (!child->IsVisible()) {
            continue;
        }
        fixed += child->GetPadding().top + child->GetPadding().bottom;
        if (child->GetFixedHeight() > 0) {
            fixed += child->GetFixedHeight();
        } else {
            ++flexible;
        }
    }
    const int rest = std::max(inner.Height() - fixed, 0);
    const int share = flexible > 0 ? rest / flexible : 0;
    int leftover = flexible > 0 ? rest - share * flexible : 0;
    int y = inner.top;
    for (auto& child : children_) {
        if (!child->IsVisible()) {
            continue;
        }
        const Rect& pad = child->GetPadding();
        int h = child->GetFixedHeight();
        if (h <= 0) {
            h = share;
            // The last pixels that do not divide evenly go to the last flexible child.
            if (--flexible == 0) {
                h += leftover;
                leftover = 0;
            }
        }
        const int avail = std::max(inner.Width() - pad.left - pad.right, 0);
        const int w = child->GetFixedWidth() > 0 ? std::min(child->GetFixedWidth(), avail) : avail;
        y += pad.top;
        const int x = inner.left + pad.left;
        child->SetPos({x, y, x + w, y + h});
        y += h + pad.bottom;
    }
}

}  // namespace SkinUI
