#pragma once

#include "skinui/Container.h"

namespace SkinUI {

/// Stacks children top to bottom; children without a fixed height share the rest.
class VerticalLayout : public Container {
public:
    std::wstring_view GetClass() const override;
    Control* GetInterface(std::wstring_view name) override;

protected:
    void LayoutChildren(const Rect& inner) override;
};

}  // namespace SkinUI
