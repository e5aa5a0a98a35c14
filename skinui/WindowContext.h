#pragma once

#include "skinui/Control.h"
#include "skinui/Notification.h"
#include "skinui/Types.h"

#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace SkinUI {

class FontTable;
class IHost;
class ImageCache;
class ResourceStore;

/// Per-window hub of the control tree: layout, painting, hit testing, focus,
/// per-control timers, notifications, fonts, images and the Window element's settings.
class WindowContext {
public:
    explicit WindowContext(IHost& host);
    ~WindowContext();
    WindowContext(const WindowContext&) = delete;
    WindowContext& operator=(const WindowContext&) = delete;

    IHost& Host() const { return host_; }
    WindowHandle GetHandle() const { return handle_; }
    void SetHandle(WindowHandle h) { handle_ = h; }

    ResourceStore& Resources() const { return *resources_; }
    ImageCache& Images() const { return *images_; }
    FontTable& Fonts() const { return *fonts_; }

    // Tree.
    void AttachRoot(std::unique_ptr<Control> root);
    Control* GetRoot() const { return root_.get(); }
    Control* FindControl(std::wstring_view name) const;
    Control* FindControlAt(Point pt) const;
    /// Called by a control that leaves the window: drops its focus, mouse capture,
    /// timers and pending notifications.
    void ReleaseControl(Control* control);

    // Window element settings.
    Size GetInitSize() const { return initSize_; }
    void SetInitSize(Size s) { initSize_ = s; }
    const Rect& GetCaptionRect() const { return caption_; }
    void SetCaptionRect(const Rect& rc) { caption_ = rc; }
    Size GetRoundCorner() const { return roundCorner_; }
    void SetRoundCorner(Size s) { roundCorner_ = s; }
    /// Attributes of the Window element that the toolkit does not use, by name (case-insensitive).
    void SetCustomAttribute(std::wstring_view name, std::wstring_view value);
    std::optional<std::wstring> GetCustomAttribute(std::wstring_view name) const;

    // Layout and painting.
    Size GetClientSize() const { return clientSize_; }
    /// Sets the client size and lays the tree out again.
    void SetClientSize(Size s);
    void NeedUpdate();
    void Invalidate(const Rect& rc);
    /// Lays out if needed and paints the dirty area into `cr`.
    void Paint(cairo_t* cr, const Rect& dirty);

    // Focus and mouse.
    Control* GetFocus() const { return focus_; }
    void SetFocus(Control* control);
    Control* GetHot() const { return hot_; }
    Control* GetCaptured() const { return captured_; }
    void SetCapture(Control* control) { captured_ = control; }
    void ReleaseCapture() { captured_ = nullptr; }
    Point GetMousePos() const { return mouse_; }

    // Timers.
    /// Repeating timer for one control; the id is the control's own. Setting it again restarts it.
    bool SetTimer(Control* control, unsigned id, unsigned periodMs);
    bool KillTimer(Control* control, unsigned id);
    void KillTimers(Control* control);
    bool HasTimer(const Control* control, unsigned id) const;

    // Notifications.
    void AddNotifier(INotifyReceiver* receiver);
    void RemoveNotifier(INotifyReceiver* receiver);
    /// Sent: every receiver handles it before the call returns (UI thread).
    void SendNotify(Notification& msg);
    /// Posted: delivered later from the window's message loop. Thread-safe.
    void PostNotify(Notification msg);
    void SendNotify(Control* control, const std::wstring& type, WParam wParam, LParam lParam, bool async);

    /// Width in pixels of `text` on one line in font `fontId` (-1: the default font).
    int MeasureText(int fontId, const std::wstring& text) const;

    /// Input, paint, timer and posted-notification messages; true when handled.
    bool HandleMessage(MessageId msg, WParam wParam, LParam lParam, LResult& result);

private:
    struct TimerKey {
        Control* control;
        unsigned id;
        bool operator<(const TimerKey& o) const { return control != o.control ? control < o.control : id < o.id; }
    };
    void OnMouseMove(Point pt);
    void OnButtonDown(Point pt, bool doubleClick);
    void OnButtonUp(Point pt);
    void OnMouseLeave();
    void OnKey(EventType type, WParam key);
    void OnTimer(WParam hostId);
    void DeliverPostedNotification();
    void SetHot(Control* control, Point pt);

    IHost& host_;
    std::atomic<WindowHandle> handle_{kNoWindow};  // read by posting threads
    std::unique_ptr<ResourceStore> resources_;
    std::unique_ptr<ImageCache> images_;
    std::unique_ptr<FontTable> fonts_;
    std::unique_ptr<Control> root_;
    Size initSize_;
    Size clientSize_;
    Rect caption_;
    Size roundCorner_;
    std::vector<std::pair<std::wstring, std::wstring>> customAttributes_;
    bool needUpdate_ = true;
    Rect dirty_;
    Control* focus_ = nullptr;
    Control* hot_ = nullptr;
    Control* captured_ = nullptr;
    Point mouse_;
    std::map<TimerKey, WParam> timers_;
    std::map<WParam, TimerKey> timersByHostId_;
    WParam nextTimerId_ = 0x1000;
    std::vector<INotifyReceiver*> notifiers_;
    mutable std::mutex postedLock_;
    std::deque<Notification> posted_;
};

}  // namespace SkinUI
