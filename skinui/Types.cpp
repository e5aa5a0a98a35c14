#include "skinui/Types.h"

#include <algorithm>

namespace SkinUI {

Rect Rect::Intersect(const Rect& o) const
{
    Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    if (r.IsEmpty()) {
        return {};
    }
    return r;
}

Rect Rect::Union(const Rect& o) const
{
    if (IsEmpty()) {
        return o;
    }
    if (o.IsEmpty()) {
        return *this;
    }
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
}

}  // namespace SkinUI
