#pragma once

#include "skinui/Control.h"
#include "skinui/markup/MarkupElement.h"

#include <functional>
#include <memory>
#include <string_view>

namespace SkinUI {

class WindowContext;

/// Turns a parsed layout into a control tree and the window's settings (size,
/// caption, corners, fonts, custom attributes).
class WindowBuilder {
public:
    using CreateCallback = std::function<std::unique_ptr<Control>(std::wstring_view element)>;

    /// Null when the document has no Window element with a control inside.
    static std::unique_ptr<Control> Build(const Markup::MarkupElement& window, WindowContext& context,
                                          const CreateCallback& create);
};

}  // namespace SkinUI
