#include "skinui/WindowContext.h"

#include "skinui/FontTable.h"
#include "skinui/ImageCache.h"
#include "skinui/Messages.h"
#include "skinui/ResourceStore.h"
#include "skinui/Text.h"
#include "skinui/host/IHost.h"
#include "skinui/host/IPaintSurface.h"

#include <cairo.h>

#include <algorithm>

namespace SkinUI {

WindowContext::WindowContext(IHost& host)
    : host_(host),
      resources_(std::make_unique<ResourceStore>()),
      images_(std::make_unique<ImageCache>(*resources_)),
      fonts_(std::make_unique<FontTable>())
{
}

WindowContext::~WindowContext()
{
    // Controls release their timers and notifications while the tables still exist.
    root_.reset();
    for (const auto& [key, hostId] : timers_) {
        host_.KillTimer(handle_, hostId);
    }
}

void WindowContext::AttachRoot(std::unique_ptr<Control> root)
{
    root_ = std::move(root);
    if (!root_) {
        return;
    }
    root_->SetContext(this, nullptr);
    root_->ForEach([](Control& c) { c.DoInit(); });
    NeedUpdate();
}

Control* WindowContext::FindControl(std::wstring_view name) const
{
    return root_ && !name.empty() ? root_->FindControlByName(name) : nullptr;
}

Control* WindowContext::FindControlAt(Point pt) const
{
    return root_ ? root_->FindControlAt(pt) : nullptr;
}

void WindowContext::ReleaseControl(Control* control)
{
    if (focus_ == control) {
        focus_ = nullptr;
    }
    if (hot_ == control) {
        hot_ = nullptr;
    }
    if (captured_ == control) {
        captured_ = nullptr;
    }
    KillTimers(control);
    std::lock_guard lock(postedLock_);
    std::erase_if(posted_, [control](const Notification& n) { return n.sender == control; });
}

void WindowContext::SetCustomAttribute(std::wstring_view name, std::wstring_view value)
{
    for (auto& [key, v] : customAttributes_) {
        if (EqualsNoCase(key, name)) {
            v = value;
            return;
        }
    }
    customAttributes_.emplace_back(std::wstring(name), std::wstring(value));
}

std::optional<std::wstring> WindowContext::GetCustomAttribute(std::wstring_view name) const
{
    for (const auto& [key, v] : customAttributes_) {
        if (EqualsNoCase(key, name)) {
            return v;
        }
    }
    return std::nullopt;
}

void WindowContext::SetClientSize(Size s)
{
    if (s == clientSize_) {
        return;
    }
    clientSize_ = s;
    NeedUpdate();
}

void WindowContext::NeedUpdate()
{
    needUpdate_ = true;
    Invalidate({0, 0, clientSize_.cx, clientSize_.cy});
}

void WindowContext::Invalidate(const Rect& rc)
{
    const Rect clipped = rc.Intersect({0, 0, clientSize_.cx, clientSize_.cy});
    if (clipped.IsEmpty()) {
        return;
    }
    dirty_ = dirty_.Union(clipped);
    if (handle_ != kNoWindow) {
        host_.Invalidate(handle_, clipped);
    }
}

void WindowContext::Paint(cairo_t* cr, const Rect& dirty)
{
    if (needUpdate_ && root_) {
        needUpdate_ = false;
        root_->SetPos({0, 0, clientSize_.cx, clientSize_.cy});
    }
    cairo_save(cr);
    cairo_rectangle(cr, dirty.left, dirty.top, dirty.Width(), dirty.Height());
    cairo_clip(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    if (root_ && root_->IsVisible()) {
        root_->DoPaint(cr, dirty);
    }
    cairo_restore(cr);
}

void WindowContext::SetFocus(Control* control)
{
    if (control == focus_) {
        return;
    }
    if (control && (!control->IsVisible() || !control->IsEnabled())) {
        return;
    }
    Control* old = focus_;
    focus_ = control;
    if (old) {
        ControlEvent e{EventType::KillFocus, mouse_, 0, 0};
        old->DoEvent(e);
    }
    if (focus_) {
        ControlEvent e{EventType::SetFocus, mouse_, 0, 0};
        focus_->DoEvent(e);
    }
}

bool WindowContext::SetTimer(Control* control, unsigned id, unsigned periodMs)
{
    if (!control || handle_ == kNoWindow) {
        return false;
    }
    const TimerKey key{control, id};
    auto it = timers_.find(key);
    if (it == timers_.end()) {
        const WParam hostId = nextTimerId_++;
        it = timers_.emplace(key, hostId).first;
        timersByHostId_[hostId] = key;
    }
    host_.SetTimer(handle_, it->second, periodMs);
    return true;
}

bool WindowContext::KillTimer(Control* control, unsigned id)
{
    const auto it = timers_.find({control, id});
    if (it == timers_.end()) {
        return false;
    }
    host_.KillTimer(handle_, it->second);
    timersByHostId_.erase(it->second);
    timers_.erase(it);
    return true;
}

void WindowContext::KillTimers(Control* control)
{
    for (auto it = timers_.begin(); it != timers_.end();) {
        if (it->first.control == control) {
            host_.KillTimer(handle_, it->second);
            timersByHostId_.erase(it->second);
            it = timers_.erase(it);
        } else {
            ++it;
        }
    }
}

bool WindowContext::HasTimer(const Control* control, unsigned id) const
{
    return timers_.count({const_cast<Control*>(control), id}) != 0;
}

void WindowContext::AddNotifier(INotifyReceiver* receiver)
{
    if (std::find(notifiers_.begin(), notifiers_.end(), receiver) == notifiers_.end()) {
        notifiers_.push_back(receiver);
    }
}

void WindowContext::RemoveNotifier(INotifyReceiver* receiver)
{
    std::erase(notifiers_, receiver);
}

void WindowContext::SendNotify(Notification& msg)
{
    if (msg.timestamp == 0) {
        msg.timestamp = host_.NowMs();
    }
    const auto receivers = notifiers_;
    for (INotifyReceiver* r : receivers) {
        r->Notify(msg);
    }
}

void WindowContext::PostNotify(Notification msg)
{
    if (msg.timestamp == 0) {
        msg.timestamp = host_.NowMs();
    }
    {
        std::lock_guard lock(postedLock_);
        posted_.push_back(std::move(msg));
    }
    host_.PostMessage(handle_, Msg::PostedNotify, 0, 0);
}

void WindowContext::SendNotify(Control* control, const std::wstring& type, WParam wParam, LParam lParam, bool async)
{
    Notification msg;
    msg.type = type;
    msg.sender = control;
    msg.wParam = wParam;
    msg.lParam = lParam;
    if (async) {
        PostNotify(std::move(msg));
    } else {
        msg.pt = mouse_;
        SendNotify(msg);
    }
}

void WindowContext::DeliverPostedNotification()
{
    Notification msg;
    {
        std::lock_guard lock(postedLock_);
        if (posted_.empty()) {
            return;
        }
        msg = std::move(posted_.front());
        posted_.pop_front();
    }
    msg.pt = mouse_;
    SendNotify(msg);
}

int WindowContext::MeasureText(int fontId, const std::wstring& text) const
{
    return fonts_->Measure(fontId, text).cx;
}

void WindowContext::SetHot(Control* control, Point pt)
{
    if (control == hot_) {
        return;
    }
    Control* old = hot_;
    hot_ = control;
    if (old) {
        ControlEvent e{EventType::MouseLeave, pt, 0, 0};
        old->DoEvent(e);
    }
    if (hot_) {
        ControlEvent e{EventType::MouseEnter, pt, 0, 0};
        hot_->DoEvent(e);
    }
}

void WindowContext::OnMouseMove(Point pt)
{
    mouse_ = pt;
    if (captured_) {
        ControlEvent e{EventType::MouseMove, pt, 0, 0};
        captured_->DoEvent(e);
        return;
    }
    Control* hit = FindControlAt(pt);
    SetHot(hit, pt);
    if (hit) {
        ControlEvent e{EventType::MouseMove, pt, 0, 0};
        hit->DoEvent(e);
    }
}

void WindowContext::OnButtonDown(Point pt, bool doubleClick)
{
    mouse_ = pt;
    Control* hit = FindControlAt(pt);
    SetHot(hit, pt);
    if (hit) {
        ControlEvent e{doubleClick ? EventType::DblClick : EventType::ButtonDown, pt, 0, 0};
        hit->DoEvent(e);
    }
}

void WindowContext::OnButtonUp(Point pt)
{
    mouse_ = pt;
    Control* target = captured_ ? captured_ : FindControlAt(pt);
    if (target) {
        ControlEvent e{EventType::ButtonUp, pt, 0, 0};
        target->DoEvent(e);
    }
}

void WindowContext::OnMouseLeave()
{
    if (!captured_) {
        SetHot(nullptr, mouse_);
    }
}

void WindowContext::OnKey(EventType type, WParam key)
{
    if (focus_) {
        ControlEvent e{type, mouse_, key, 0};
        focus_->DoEvent(e);
    }
}

void WindowContext::OnTimer(WParam hostId)
{
    const auto it = timersByHostId_.find(hostId);
    if (it == timersByHostId_.end()) {
        return;
    }
    const TimerKey key = it->second;
    ControlEvent e{EventType::Timer, mouse_, key.id, 0};
    key.control->DoEvent(e);
}

bool WindowContext::HandleMessage(MessageId msg, WParam wParam, LParam lParam, LResult& result)
{
    result = 0;
    const Point pt{LowWord(lParam), HighWord(lParam)};
    switch (msg) {
    case Msg::Paint: {
        IPaintSurface* surface = host_.Surface(handle_);
        if (!surface) {
            return true;
        }
        if (needUpdate_ && root_) {
            needUpdate_ = false;
            root_->SetPos({0, 0, clientSize_.cx, clientSize_.cy});
        }
        Rect dirty = dirty_.IsEmpty() ? Rect{0, 0, clientSize_.cx, clientSize_.cy} : dirty_;
        dirty_ = {};
        if (cairo_t* cr = surface->BeginPaint(dirty)) {
            Paint(cr, dirty);
            surface->EndPaint();
        }
        return true;
    }
    case Msg::MouseMove:
        OnMouseMove(pt);
        return true;
    case Msg::LButtonDown:
        OnButtonDown(pt, false);
        return true;
    case Msg::LButtonDblClk:
        OnButtonDown(pt, true);
        return true;
    case Msg::LButtonUp:
        OnButtonUp(pt);
        return true;
    case Msg::MouseLeave:
        OnMouseLeave();
        return true;
    case Msg::KeyDown:
        OnKey(EventType::KeyDown, wParam);
        return true;
    case Msg::Char:
        OnKey(EventType::Char, wParam);
        return true;
    case Msg::Timer:
        OnTimer(wParam);
        return true;
    case Msg::PostedNotify:
        DeliverPostedNotification();
        return true;
    case Msg::KillFocus:
        SetFocus(nullptr);
        return true;
    default:
        return false;
    }
}

}  // namespace SkinUI
