#pragma once

#include "skinui/Types.h"

namespace SkinUI {

/// What a host calls on a window: every message of that window goes through here,
/// on the UI thread.
class IWindowSink {
public:
    virtual ~IWindowSink() = default;
    virtual LResult OnHostMessage(MessageId msg, WParam wParam, LParam lParam) = 0;
    /// True when a left press at `pt` (client coordinates) should start moving the window.
    virtual bool IsCaptionPoint(Point pt) const = 0;
};

}  // namespace SkinUI
