#pragma once

#include "skinui/markup/MarkupElement.h"

#include <optional>
#include <string>
#include <string_view>

namespace SkinUI::Markup {

struct ParseResult {
    std::optional<MarkupElement> root;  // nullopt when the text is not well-formed
    std::string error;
    std::size_t offset = 0;
};

/// Reads a UTF-8 layout document into an element tree.
ParseResult ParseMarkup(std::string_view utf8);

}  // namespace SkinUI::Markup
