#pragma once

#include "skinui/Container.h"

namespace SkinUI {

/// Lines children up left to right; children without a fixed width share the rest.
class HorizontalLayout : public Container {
public:
    std::wstring_view GetClass() const override;
    Control* GetInterface(std::wstring_view name) override;

protected:
    void LayoutChildren(const Rect& inner) override;
};

}  // namespace SkinUI
