#pragma once

#include "skinui/Control.h"

#include <memory>
#include <vector>

namespace SkinUI {

/// A control that owns and places children.
class Container : public Control {
public:
    std::wstring_view GetClass() const override;
    Control* GetInterface(std::wstring_view name) override;

    /// Appends a child; the container owns it.
    Control* Add(std::unique_ptr<Control> child);
    int GetCount() const { return static_cast<int>(children_.size()); }
    Control* GetItemAt(int index) const;
    int GetItemIndex(const Control* child) const;

    /// Inner padding: left, top, right, bottom.
    const Rect& GetInset() const { return inset_; }
    void SetInset(const Rect& rc) { inset_ = rc; }

    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void SetPos(const Rect& rc) override;
    void DoPaint(cairo_t* cr, const Rect& dirty) override;
    Control* FindControlAt(Point pt) override;
    Control* FindControlByName(std::wstring_view name) override;
    void ForEach(const std::function<void(Control&)>& visit) override;
    void SetContext(WindowContext* context, Control* parent) override;

protected:
    /// Places the visible children inside `inner` (the position less the inset).
    virtual void LayoutChildren(const Rect& inner);

    std::vector<std::unique_ptr<Control>> children_;

private:
    Rect inset_;
};

}  // namespace SkinUI
