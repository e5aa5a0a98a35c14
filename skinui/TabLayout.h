#pragma once

#include "skinui/Container.h"

namespace SkinUI {

/// Shows exactly one child (page) at a time, the first at start.
class TabLayout : public Container {
public:
    std::wstring_view GetClass() const override;
    Control* GetInterface(std::wstring_view name) override;

    int GetCurSel() const { return curSel_; }
    /// Shows page `index` and raises "tabselect" (wParam new, lParam old index)
    /// when the page changes; false for an index out of range.
    bool SelectItem(int index);

    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void DoInit() override;

protected:
    void LayoutChildren(const Rect& inner) override;

private:
    int curSel_ = 0;
};

}  // namespace SkinUI
