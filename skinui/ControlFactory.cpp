#include "skinui/ControlFactory.h"

#include "skinui/Button.h"
#include "skinui/CheckBox.h"
#include "skinui/Container.h"
#include "skinui/Edit.h"
#include "skinui/HorizontalLayout.h"
#include "skinui/Label.h"
#include "skinui/Progress.h"
#include "skinui/TabLayout.h"
#include "skinui/Text.h"
#include "skinui/VerticalLayout.h"

namespace SkinUI {
namespace {

template <class T>
std::unique_ptr<Control> Make()
{
    return std::make_unique<T>();
}

struct Entry {
    const wchar_t* element;
    std::unique_ptr<Control> (*create)();
};

constexpr Entry kStandardControls[] = {
    {L"Control", &Make<Control>},
    {L"Container", &Make<Container>},
    {L"VerticalLayout", &Make<VerticalLayout>},
    {L"HorizontalLayout", &Make<HorizontalLayout>},
    {L"TabLayout", &Make<TabLayout>},
    {L"Label", &Make<Label>},
    {L"Text", &Make<Label>},
    {L"Button", &Make<Button>},
    {L"CheckBox", &Make<CheckBox>},
    {L"Option", &Make<CheckBox>},
    {L"Edit", &Make<Edit>},
    {L"Progress", &Make<Progress>},
};

}  // namespace

std::unique_ptr<Control> ControlFactory::Create(std::wstring_view element)
{
    for (const Entry& e : kStandardControls) {
        if (EqualsNoCase(element, e.element)) {
            return e.create();
        }
    }
    return nullptr;
}

}  // namespace SkinUI
