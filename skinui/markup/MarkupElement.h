#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace SkinUI::Markup {

/// One element of a layout: its name, attributes in document order, and children.
struct MarkupElement {
    std::wstring name;
    std::vector<std::pair<std::wstring, std::wstring>> attributes;
    std::vector<MarkupElement> children;

    /// Attribute by exact name.
    std::optional<std::wstring> Attribute(const std::wstring& attr) const;
};

}  // namespace SkinUI::Markup
