#include "skinui/WindowBuilder.h"

#include "skinui/Container.h"
#include "skinui/ControlFactory.h"
#include "skinui/FontTable.h"
#include "skinui/Text.h"
#include "skinui/WindowContext.h"
#include "skinui/markup/ValueSyntax.h"

namespace SkinUI {
namespace {

using Markup::MarkupElement;

std::unique_ptr<Control> BuildControl(const MarkupElement& element, const WindowBuilder::CreateCallback& create)
{
    std::unique_ptr<Control> control = create ? create(element.name) : nullptr;
    if (!control) {
        control = ControlFactory::Create(element.name);
    }
    if (!control) {
        return nullptr;
    }
    for (const auto& [name, value] : element.attributes) {
        control->SetAttribute(name, value);
    }
    if (auto* container = dynamic_cast<Container*>(control.get())) {
        for (const auto& child : element.children) {
            container->Add(BuildControl(child, create));
        }
    }
    return control;
}

void AddFont(const MarkupElement& element, WindowContext& context)
{
    int id = -1;
    std::wstring name;
    int size = 12;
    bool isDefault = false;
    bool bold = false;
    bool underline = false;
    bool italic = false;
    for (const auto& [key, value] : element.attributes) {
        if (key == L"id") {
            id = static_cast<int>(Markup::ParseLong(value));
        } else if (key == L"name") {
            name = value;
        } else if (key == L"size") {
            size = static_cast<int>(Markup::ParseLong(value));
        } else if (key == L"default") {
            isDefault = Markup::ParseBool(value);
        } else if (key == L"bold") {
            bold = Markup::ParseBool(value);
        } else if (key == L"underline") {
            underline = Markup::ParseBool(value);
        } else if (key == L"italic") {
            italic = Markup::ParseBool(value);
        }
    }
    context.Fonts().Add(id, name, size, isDefault, bold, underline, italic);
}

}  // namespace

std::unique_ptr<Control> WindowBuilder::Build(const MarkupElement& window, WindowContext& context,
                                              const CreateCallback& create)
{
    if (!EqualsNoCase(window.name, L"Window")) {
        return nullptr;
    }
    for (const auto& [key, value] : window.attributes) {
        if (key == L"size") {
            context.SetInitSize(Markup::ParseSize(value));
        } else if (key == L"caption") {
            context.SetCaptionRect(Markup::ParseRect(value));
        } else if (key == L"roundcorner") {
            context.SetRoundCorner(Markup::ParseSize(value));
        } else {
            context.SetCustomAttribute(key, value);
        }
    }
    std::unique_ptr<Control> root;
    for (const auto& child : window.children) {
        if (EqualsNoCase(child.name, L"Font")) {
            AddFont(child, context);
        } else if (!root) {
            root = BuildControl(child, create);
        }
    }
    return root;
}

}  // namespace SkinUI
