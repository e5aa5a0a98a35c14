#include "skinui/CSequenceLabelUI.h"

namespace SkinUI {

std::wstring_view CSequenceLabelUI::GetClass() const
{
    return L"SequenceLabel";
}

Control* CSequenceLabelUI::GetInterface(std::wstring_view name)
{
    return name == L"SequenceLabel" ? this : Label::GetInterface(name);
}

void CSequenceLabelUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    if (!anim_.SetAttribute(name, value)) {
        Label::SetAttribute(name, value);
    }
}

void CSequenceLabelUI::DoInit()
{
    Label::DoInit();
    anim_.Init(*this);
}

void CSequenceLabelUI::DoEvent(ControlEvent& event)
{
    Label::DoEvent(event);
    if (event.type == EventType::Timer && event.wParam == kTimerId) {
        anim_.Tick(*this);
    }
}

}  // namespace SkinUI
