#pragma once

#include "skinui/Types.h"

#include <cstdint>
#include <string>

namespace SkinUI {

class Control;

/// What leaves a control: a named notification for the window.
struct Notification {
    std::wstring type;            // "click", "selectchanged", "tabselect", "timer", or a custom name
    Control* sender = nullptr;
    WParam wParam = 0;            // "tabselect": new page, "timer": timer id, custom: the caller's integer
    LParam lParam = 0;
    Point pt;                     // mouse position (client coordinates) when the notification was raised
    std::uint64_t timestamp = 0;  // host clock, milliseconds
};

/// Receiver of a window's notifications (the window itself, normally).
class INotifyReceiver {
public:
    virtual ~INotifyReceiver() = default;
    virtual void Notify(Notification& msg) = 0;
};

}  // namespace SkinUI
