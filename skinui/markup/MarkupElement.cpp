#include "skinui/markup/MarkupElement.h"

namespace SkinUI::Markup {

std::optional<std::wstring> MarkupElement::Attribute(const std::wstring& attr) const
{
    for (const auto& [key, value] : attributes) {
        if (key == attr) {
            return value;
        }
    }
    return std::nullopt;
}

}  // namespace SkinUI::Markup
