#pragma once

#include "skinui/Types.h"

namespace SkinUI {

enum class EventType {
    MouseEnter,
    MouseLeave,
    MouseMove,
    ButtonDown,
    ButtonUp,
    DblClick,
    KeyDown,   // wParam: virtual key
    Char,      // wParam: character
    SetFocus,
    KillFocus,
    Timer,     // wParam: the control's timer id
};

/// An input or timer event delivered to one control.
struct ControlEvent {
    EventType type = EventType::MouseMove;
    Point pt;          // client coordinates
    WParam wParam = 0;
    LParam lParam = 0;
};

}  // namespace SkinUI
