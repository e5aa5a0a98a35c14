#pragma once

#include "skinui/Control.h"

#include <memory>
#include <string_view>

namespace SkinUI {

/// The one table from markup element names to the standard controls.
class ControlFactory {
public:
    /// A new standard control for the element name (case-insensitive), or null.
    static std::unique_ptr<Control> Create(std::wstring_view element);
};

}  // namespace SkinUI
