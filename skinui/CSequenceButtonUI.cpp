#include "skinui/CSequenceButtonUI.h"

namespace SkinUI {

std::wstring_view CSequenceButtonUI::GetClass() const
{
    return L"SequenceButton";
}

Control* CSequenceButtonUI::GetInterface(std::wstring_view name)
{
    return name == L"SequenceButton" ? this : Button::GetInterface(name);
}

void CSequenceButtonUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    if (!anim_.SetAttribute(name, value)) {
        Button::SetAttribute(name, value);
    }
}

void CSequenceButtonUI::DoInit()
{
    Button::DoInit();
    anim_.Init(*this);
}

void CSequenceButtonUI::DoEvent(ControlEvent& event)
{
    Button::DoEvent(event);
    if (event.type == EventType::Timer && event.wParam == kTimerId) {
        anim_.Tick(*this);
    }
}

}  // namespace SkinUI
