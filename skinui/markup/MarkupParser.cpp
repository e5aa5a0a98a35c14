#include "skinui/markup/MarkupParser.h"

#include "skinui/Text.h"

#include <pugixml.hpp>

namespace SkinUI::Markup {
namespace {

MarkupElement Convert(const pugi::xml_node& node)
{
    MarkupElement element;
    element.name = FromUtf8(node.name());
    for (const auto& attr : node.attributes()) {
        element.attributes.emplace_back(FromUtf8(attr.name()), FromUtf8(attr.value()));
    }
    for (const auto& child : node.children()) {
        if (child.type() == pugi::node_element) {
            element.children.push_back(Convert(child));
        }
    }
    return element;
}

}  // namespace

ParseResult ParseMarkup(std::string_view utf8)
{
    ParseResult result;
    pugi::xml_document doc;
    const auto parsed = doc.load_buffer(utf8.data(), utf8.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed) {
        result.error = parsed.description();
        result.offset = static_cast<std::size_t>(parsed.offset);
        return result;
    }
    const pugi::xml_node root = doc.document_element();
    if (!root) {
        result.error = "no element";
        return result;
    }
    result.root = Convert(root);
    return result;
}

}  // namespace SkinUI::Markup
