#include "skinui/HorizontalLayout.h"

#include <algorithm>

namespace SkinUI {

std::wstring_view HorizontalLayout::GetClass() const
{
    return L"HorizontalLayout";
}

Control* HorizontalLayout::GetInterface(std::wstring_view name)
{
    return name == L"HorizontalLayout" ? this : Container::GetInterface(name);
}

void HorizontalLayout::LayoutChildren(const Rect& inner)
{
    int fixed = 0;
    int flexible = 0;
    for (auto& child : children_) {
        if (!child->IsVisible()) {
            continue;
        }
        fixed += child->GetPadding().left + child->GetPadding().right;
        if (child->GetFixedWidth() > 0) {
            fixed += child->GetFixedWidth();
        } else {
            ++flexible;
        }
    }
    const int rest = std::max(inner.Width() - fixed, 0);
    const int share = flexible > 0 ? rest / flexible : 0;
    int leftover = flexible > 0 ? rest - share * flexible : 0;
    int x = inner.left;
    for (auto& child : children_) {
        if (!child->IsVisible()) {
            continue;
        }
        const Rect& pad = child->GetPadding();
        int w = child->GetFixedWidth();
        if (w <= 0) {
            w = share;
            // The last pixels that do not divide evenly go to the last flexible child.
            if (--flexible == 0) {
                w += leftover;
                leftover = 0;
            }
        }
        const int avail = std::max(inner.Height() - pad.top - pad.bottom, 0);
        const int h = child->GetFixedHeight() > 0 ? std::min(child->GetFixedHeight(), avail) : avail;
        x += pad.left;
        const int y = inner.top + pad.top;
        child->SetPos({x, y, x + w, y + h});
        x += w + pad.right;
    }
}

}  // namespace SkinUI
