#include "skinui/host/OffscreenHost.h"

#include "skinui/Text.h"
#include "skinui/host/IPaintSurface.h"
#include "skinui/host/IWindowSink.h"

#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace SkinUI {
namespace {

// The classic window timer's limits: shorter periods are raised, longer ones cut.
constexpr std::uint32_t kMinTimerPeriod = 10;
constexpr std::uint32_t kMaxTimerPeriod = 0x7FFFFFFF;

class ImageSurface : public IPaintSurface {
public:
    ~ImageSurface() override { Reset(0, 0); }

    void Reset(int w, int h)
    {
        if (cr_) {
            cairo_destroy(cr_);
            cr_ = nullptr;
        }
        if (surface_) {
            cairo_surface_destroy(surface_);
            surface_ = nullptr;
        }
        if (w > 0 && h > 0) {
            surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        }
    }

    cairo_t* BeginPaint(const Rect& dirty) override
    {
        if (!surface_ || cr_) {
            return nullptr;
        }
        cr_ = cairo_create(surface_);
        cairo_rectangle(cr_, dirty.left, dirty.top, dirty.Width(), dirty.Height());
        cairo_clip(cr_);
        return cr_;
    }

    void EndPaint() override
    {
        if (cr_) {
            cairo_destroy(cr_);
            cr_ = nullptr;
        }
        if (surface_) {
            cairo_surface_flush(surface_);
        }
    }

    cairo_surface_t* Get() const { return surface_; }

private:
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
};

}  // namespace

struct OffscreenHost::Window {
    IWindowSink* sink = nullptr;
    WindowHandle owner = kNoWindow;
    std::wstring title;
    Rect rect;
    Rect restoreRect;
    bool visible = false;
    bool minimized = false;
    bool maximized = false;
    bool enabled = true;
    bool topmost = false;
    bool dirty = false;
    bool shadow = false;
    std::optional<WindowRegion> region;
    ImageSurface surface;
    ArgbImage layered;
    Point layeredPos;
    std::string icon;
};

OffscreenHost::OffscreenHost(Rect workArea) : workArea_(workArea) {}

OffscreenHost::~OffscreenHost()
{
    while (!windows_.empty()) {
        DestroyWindow(windows_.rbegin()->first);
    }
}

OffscreenHost::Window* OffscreenHost::Find(WindowHandle h) const
{
    const auto it = windows_.find(h);
    return it == windows_.end() ? nullptr : it->second.get();
}

std::uint64_t OffscreenHost::NowMs()
{
    return now_.load();
}

WindowHandle OffscreenHost::CreateWindow(IWindowSink* sink, WindowHandle owner, const std::wstring& title,
                                         const Rect& rect)
{
    const WindowHandle h = nextHandle_++;
    auto w = std::make_unique<Window>();
    w->sink = sink;
    w->owner = owner;
    w->title = title;
    w->rect = {rect.left, rect.top, rect.left + std::max(rect.Width(), 0), rect.top + std::max(rect.Height(), 0)};
    w->surface.Reset(w->rect.Width(), w->rect.Height());
    windows_[h] = std::move(w);
    {
        std::lock_guard lock(queueLock_);
        live_.push_back(h);
    }
    SendMessage(h, Msg::Create, 0, 0);
    return h;
}

void OffscreenHost::DestroyWindow(WindowHandle h)
{
    if (!Find(h)) {
        return;
    }
    // Owned windows go first, as on the classic desktop.
    std::vector<WindowHandle> owned;
    for (const auto& [other, w] : windows_) {
        if (w->owner == h) {
            owned.push_back(other);
        }
    }
    for (WindowHandle o : owned) {
        DestroyWindow(o);
    }
    Window* w = Find(h);
    if (!w) {
        return;
    }
    if (w->visible) {
        w->visible = false;
    }
    SendMessage(h, Msg::Destroy, 0, 0);
    SendMessage(h, Msg::NcDestroy, 0, 0);
    {
        std::lock_guard lock(queueLock_);
        std::erase(live_, h);
        std::erase_if(queue_, [h](const Posted& p) { return p.h == h; });
    }
    std::erase_if(timers_, [h](const TimerEntry& t) { return t.h == h; });
    if (foreground_ == h) {
        foreground_ = kNoWindow;
    }
    if (focused_ == h) {
        focused_ = kNoWindow;
    }
    windows_.erase(h);
    queueCv_.notify_all();
}

bool OffscreenHost::IsWindow(WindowHandle h)
{
    return Find(h) != nullptr;
}

WindowHandle OffscreenHost::GetOwner(WindowHandle h)
{
    const Window* w = Find(h);
    return w ? w->owner : kNoWindow;
}

IPaintSurface* OffscreenHost::Surface(WindowHandle h)
{
    Window* w = Find(h);
    return w ? &w->surface : nullptr;
}

void OffscreenHost::Invalidate(WindowHandle h, const Rect& area)
{
    (void)area;
    if (Window* w = Find(h)) {
        w->dirty = true;
    }
}

void OffscreenHost::SetTitle(WindowHandle h, const std::wstring& title)
{
    if (Window* w = Find(h)) {
        w->title = title;
    }
}

void OffscreenHost::SetIcon(WindowHandle h, const std::string& pngBytes)
{
    if (Window* w = Find(h)) {
        w->icon = pngBytes;
    }
}

Rect OffscreenHost::GetWindowRect(WindowHandle h)
{
    const Window* w = Find(h);
    return w ? w->rect : Rect{};
}

void OffscreenHost::MoveWindow(WindowHandle h, const Rect& rect)
{
    Window* w = Find(h);
    if (!w) {
        return;
    }
    const Rect old = w->rect;
    w->rect = {rect.left, rect.top, rect.left + std::max(rect.Width(), 0), rect.top + std::max(rect.Height(), 0)};
    const bool moved = old.left != w->rect.left || old.top != w->rect.top;
    const bool resized = old.Width() != w->rect.Width() || old.Height() != w->rect.Height();
    const Rect now = w->rect;
    if (resized) {
        w->surface.Reset(now.Width(), now.Height());
        w->dirty = true;
    }
    if (moved) {
        SendMessage(h, Msg::Move, 0, MakeLParam(now.left, now.top));
    }
    if (resized) {
        SendMessage(h, Msg::Size, static_cast<WParam>(SizeType::Restored), MakeLParam(now.Width(), now.Height()));
    }
}

void OffscreenHost::ShowWindow(WindowHandle h, ShowCommand cmd)
{
    Window* w = Find(h);
    if (!w) {
        return;
    }
    const auto makeVisible = [&] {
        if (!w->visible) {
            w->visible = true;
            w->dirty = true;
            SendMessage(h, Msg::ShowWindow, 1, 0);
        }
    };
    switch (cmd) {
    case ShowCommand::Hide:
        if (w->visible) {
            w->visible = false;
            SendMessage(h, Msg::ShowWindow, 0, 0);
        }
        return;
    case ShowCommand::Show:
    case ShowCommand::ShowNoActivate:
        makeVisible();
        if (cmd == ShowCommand::Show && !w->shadow) {
            foreground_ = h;
            SetFocus(h);
            SendMessage(h, Msg::Activate, 1, 0);
        }
        return;
    case ShowCommand::Minimize:
        makeVisible();
        if (!w->minimized) {
            w->minimized = true;
            SendMessage(h, Msg::Size, static_cast<WParam>(SizeType::Minimized), 0);
        }
        return;
    case ShowCommand::Maximize:
        makeVisible();
        if (!w->maximized) {
            if (!w->minimized) {
                w->restoreRect = w->rect;
            }
            w->minimized = false;
            w->maximized = true;
            w->rect = workArea_;
            w->surface.Reset(w->rect.Width(), w->rect.Height());
            w->dirty = true;
            SendMessage(h, Msg::Size, static_cast<WParam>(SizeType::Maximized),
                        MakeLParam(w->rect.Width(), w->rect.Height()));
        }
        return;
    case ShowCommand::Restore:
        makeVisible();
        if (w->minimized || w->maximized) {
            if (w->maximized) {
                w->rect = w->restoreRect;
                w->surface.Reset(w->rect.Width(), w->rect.Height());
            }
            w->minimized = false;
            w->maximized = false;
            w->dirty = true;
            SendMessage(h, Msg::Size, static_cast<WParam>(SizeType::Restored),
                        MakeLParam(w->rect.Width(), w->rect.Height()));
        }
        return;
    }
}

bool OffscreenHost::IsVisible(WindowHandle h)
{
    const Window* w = Find(h);
    return w && w->visible;
}

bool OffscreenHost::IsMinimized(WindowHandle h)
{
    const Window* w = Find(h);
    return w && w->minimized;
}

bool OffscreenHost::IsMaximized(WindowHandle h)
{
    const Window* w = Find(h);
    return w && w->maximized;
}

Rect OffscreenHost::GetWorkArea(WindowHandle h)
{
    (void)h;
    return workArea_;
}

void OffscreenHost::SetWindowRegion(WindowHandle h, const std::optional<WindowRegion>& region)
{
    if (Window* w = Find(h)) {
        w->region = region;
        w->dirty = true;
    }
}

void OffscreenHost::EnableWindow(WindowHandle h, bool enable)
{
    Window* w = Find(h);
    if (!w || w->enabled == enable) {
        return;
    }
    w->enabled = enable;
    SendMessage(h, Msg::Enable, enable ? 1 : 0, 0);
}

bool OffscreenHost::IsWindowEnabled(WindowHandle h)
{
    const Window* w = Find(h);
    return w && w->enabled;
}

void OffscreenHost::SetFocus(WindowHandle h)
{
    if (h == focused_ || !Find(h)) {
        return;
    }
    const WindowHandle old = focused_;
    focused_ = h;
    if (old != kNoWindow) {
        SendMessage(old, Msg::KillFocus, 0, 0);
    }
    SendMessage(h, Msg::SetFocus, 0, 0);
}

void OffscreenHost::SetForeground(WindowHandle h)
{
    if (Find(h)) {
        foreground_ = h;
    }
}

void OffscreenHost::SetTopmost(WindowHandle h, bool topmost)
{
    if (Window* w = Find(h)) {
        w->topmost = topmost;
    }
}

WindowHandle OffscreenHost::CreateShadowWindow(WindowHandle parent)
{
    if (!shadowsSupported_ || !Find(parent)) {
        return kNoWindow;
    }
    const WindowHandle h = CreateWindow(nullptr, parent, L"", {});
    Find(h)->shadow = true;
    return h;
}

void OffscreenHost::UpdateLayeredWindow(WindowHandle h, Point pos, const ArgbImage& image)
{
    Window* w = Find(h);
    if (!w) {
        return;
    }
    w->layered = image;
    w->layeredPos = pos;
    w->rect = {pos.x, pos.y, pos.x + image.width, pos.y + image.height};
}

bool OffscreenHost::PostMessage(WindowHandle h, MessageId msg, WParam wParam, LParam lParam)
{
    {
        std::lock_guard lock(queueLock_);
        if (std::find(live_.begin(), live_.end(), h) == live_.end()) {
            return false;
        }
        queue_.push_back({h, msg, wParam, lParam});
    }
    queueCv_.notify_all();
    return true;
}

LResult OffscreenHost::SendMessage(WindowHandle h, MessageId msg, WParam wParam, LParam lParam)
{
    Window* w = Find(h);
    if (!w || !w->sink) {
        return 0;
    }
    return w->sink->OnHostMessage(msg, wParam, lParam);
}

void OffscreenHost::SetTimer(WindowHandle h, WParam id, std::uint32_t periodMs)
{
    if (!Find(h)) {
        return;
    }
    const std::uint32_t period = std::clamp(periodMs, kMinTimerPeriod, kMaxTimerPeriod);
    KillTimer(h, id);
    timers_.push_back({h, id, period, now_.load() + period, timerSeq_++});
}

void OffscreenHost::KillTimer(WindowHandle h, WParam id)
{
    std::erase_if(timers_, [&](const TimerEntry& t) { return t.h == h && t.id == id; });
}

std::optional<std::uint64_t> OffscreenHost::NextTimerDue() const
{
    if (timers_.empty()) {
        return std::nullopt;
    }
    std::uint64_t due = timers_.front().due;
    for (const auto& t : timers_) {
        due = std::min(due, t.due);
    }
    return due;
}

bool OffscreenHost::FireNextTimer(std::uint64_t until)
{
    auto best = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->due <= until && (best == timers_.end() || it->due < best->due ||
                                 (it->due == best->due && it->seq < best->seq))) {
            best = it;
        }
    }
    if (best == timers_.end()) {
        return false;
    }
    const WindowHandle h = best->h;
    const WParam id = best->id;
    now_ = std::max(now_.load(), best->due);
    best->due += best->period;
    best->seq = timerSeq_++;
    SendMessage(h, Msg::Timer, id, 0);
    PumpMessages();
    return true;
}

void OffscreenHost::Advance(std::uint64_t ms)
{
    const std::uint64_t until = now_.load() + ms;
    while (FireNextTimer(until)) {
    }
    now_ = until;
    PumpMessages();
}

bool OffscreenHost::DispatchOne()
{
    Posted p{};
    {
        std::lock_guard lock(queueLock_);
        if (queue_.empty()) {
            return false;
        }
        p = queue_.front();
        queue_.pop_front();
    }
    SendMessage(p.h, p.msg, p.wParam, p.lParam);
    return true;
}

void OffscreenHost::PaintDirty(WindowHandle h, bool force)
{
    Window* w = Find(h);
    if (!w || !w->sink || (!force && (!w->dirty || !w->visible || w->minimized))) {
        return;
    }
    w->dirty = false;
    SendMessage(h, Msg::Paint, 0, 0);
}

void OffscreenHost::PaintAllDirty()
{
    std::vector<WindowHandle> handles;
    for (const auto& [h, w] : windows_) {
        if (w->dirty) {
            handles.push_back(h);
        }
    }
    for (WindowHandle h : handles) {
        PaintDirty(h, false);
    }
}

int OffscreenHost::PumpMessages()
{
    int count = 0;
    for (;;) {
        while (DispatchOne()) {
            ++count;
        }
        PaintAllDirty();
        std::lock_guard lock(queueLock_);
        if (queue_.empty()) {
            return count;
        }
    }
}

bool OffscreenHost::WaitForMessage(std::uint64_t timeoutMs)
{
    std::unique_lock lock(queueLock_);
    return queueCv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !queue_.empty(); });
}

void OffscreenHost::RunModalLoop(WindowHandle h)
{
    while (Find(h)) {
        if (DispatchOne()) {
            continue;
        }
        PaintAllDirty();
        if (!Find(h)) {
            break;
        }
        {
            std::lock_guard lock(queueLock_);
            if (!queue_.empty()) {
                continue;
            }
        }
        if (idle_ && idle_()) {
            continue;
        }
        if (autoAdvance_) {
            if (const auto due = NextTimerDue()) {
                Advance(*due - std::min(*due, now_.load()));
                continue;
            }
        }
        std::unique_lock lock(queueLock_);
        queueCv_.wait(lock, [this] { return !queue_.empty(); });
    }
}

void OffscreenHost::MouseMove(WindowHandle h, Point pt)
{
    if (IsWindowEnabled(h)) {
        SendMessage(h, Msg::MouseMove, 0, MakeLParam(pt.x, pt.y));
    }
    PumpMessages();
}

void OffscreenHost::MouseDown(WindowHandle h, Point pt)
{
    if (IsWindowEnabled(h)) {
        SendMessage(h, Msg::LButtonDown, 0, MakeLParam(pt.x, pt.y));
    }
    PumpMessages();
}

void OffscreenHost::MouseUp(WindowHandle h, Point pt)
{
    if (IsWindowEnabled(h)) {
        SendMessage(h, Msg::LButtonUp, 0, MakeLParam(pt.x, pt.y));
    }
    PumpMessages();
}

void OffscreenHost::Click(WindowHandle h, Point pt)
{
    if (!IsWindowEnabled(h)) {
        return;
    }
    SendMessage(h, Msg::MouseMove, 0, MakeLParam(pt.x, pt.y));
    SendMessage(h, Msg::LButtonDown, 0, MakeLParam(pt.x, pt.y));
    SendMessage(h, Msg::LButtonUp, 0, MakeLParam(pt.x, pt.y));
    PumpMessages();
}

void OffscreenHost::MouseLeave(WindowHandle h)
{
    SendMessage(h, Msg::MouseLeave, 0, 0);
    PumpMessages();
}

void OffscreenHost::KeyDown(WindowHandle h, WParam key)
{
    if (IsWindowEnabled(h)) {
        SendMessage(h, Msg::KeyDown, key, 0);
        SendMessage(h, Msg::KeyUp, key, 0);
    }
    PumpMessages();
}

void OffscreenHost::TypeText(WindowHandle h, const std::wstring& text)
{
    if (IsWindowEnabled(h)) {
        for (wchar_t c : text) {
            SendMessage(h, Msg::Char, static_cast<WParam>(c), 0);
        }
    }
    PumpMessages();
}

std::uint32_t OffscreenHost::Pixel(WindowHandle h, Point pt)
{
    PumpMessages();
    PaintDirty(h, Find(h) && Find(h)->dirty);
    Window* w = Find(h);
    cairo_surface_t* s = w ? w->surface.Get() : nullptr;
    if (!s || pt.x < 0 || pt.y < 0 || pt.x >= cairo_image_surface_get_width(s) ||
        pt.y >= cairo_image_surface_get_height(s)) {
        return 0;
    }
    cairo_surface_flush(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    std::uint32_t px = 0;
    std::memcpy(&px, data + static_cast<std::ptrdiff_t>(pt.y) * cairo_image_surface_get_stride(s) + pt.x * 4, 4);
    return px;
}

bool OffscreenHost::RenderToPng(WindowHandle h, const std::string& path, bool shadow)
{
    PumpMessages();
    PaintDirty(h, true);
    Window* w = Find(h);
    if (!w || !w->surface.Get()) {
        return false;
    }
    const Window* shadowWnd = nullptr;
    if (shadow) {
        for (const auto& [other, o] : windows_) {
            if (o->shadow && o->owner == h && o->layered.width > 0) {
                shadowWnd = o.get();
            }
        }
    }
    Rect canvas = w->rect;
    if (shadowWnd) {
        canvas = canvas.Union({shadowWnd->layeredPos.x, shadowWnd->layeredPos.y,
                               shadowWnd->layeredPos.x + shadowWnd->layered.width,
                               shadowWnd->layeredPos.y + shadowWnd->layered.height});
        canvas = canvas.Deflate({-8, -8, -8, -8});
    }
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, canvas.Width(), canvas.Height());
    cairo_t* cr = cairo_create(out);
    if (shadowWnd) {
        // A light desk so that the shadow can be seen.
        cairo_set_source_rgb(cr, 0.94, 0.94, 0.94);
        cairo_paint(cr);
        const ArgbImage& img = shadowWnd->layered;
        cairo_surface_t* s = cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(img.pixels.data())), CAIRO_FORMAT_ARGB32,
            img.width, img.height, img.width * 4);
        cairo_set_source_surface(cr, s, shadowWnd->layeredPos.x - canvas.left, shadowWnd->layeredPos.y - canvas.top);
        cairo_paint(cr);
        cairo_surface_destroy(s);
    }
    cairo_save(cr);
    cairo_translate(cr, w->rect.left - canvas.left, w->rect.top - canvas.top);
    if (w->region) {
        for (int y = 0; y < w->region->Height(); ++y) {
            const auto& span = w->region->Row(y);
            if (span.start < span.end) {
                cairo_rectangle(cr, span.start, y, span.end - span.start, 1);
            }
        }
        cairo_clip(cr);
    }
    cairo_set_source_surface(cr, w->surface.Get(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(out, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(out);
    return ok;
}

const std::vector<OffscreenHost::ErrorBox>& OffscreenHost::ErrorBoxes() const
{
    return errors_;
}

std::optional<WindowRegion> OffscreenHost::Region(WindowHandle h) const
{
    const Window* w = Find(h);
    return w ? w->region : std::nullopt;
}

const ArgbImage* OffscreenHost::LayeredImage(WindowHandle h) const
{
    const Window* w = Find(h);
    return w && w->layered.width > 0 ? &w->layered : nullptr;
}

Point OffscreenHost::LayeredPos(WindowHandle h) const
{
    const Window* w = Find(h);
    return w ? w->layeredPos : Point{};
}

bool OffscreenHost::IsTopmost(WindowHandle h) const
{
    const Window* w = Find(h);
    return w && w->topmost;
}

std::vector<WindowHandle> OffscreenHost::Windows() const
{
    std::vector<WindowHandle> out;
    for (const auto& [h, w] : windows_) {
        out.push_back(h);
    }
    return out;
}

void OffscreenHost::ShowErrorBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption)
{
    (void)owner;
    errors_.push_back({text, caption});
    std::fprintf(stderr, "[%s] %s\n", ToUtf8(caption).c_str(), ToUtf8(text).c_str());
    std::fflush(stderr);
}

void OffscreenHost::ExitProcess(int code)
{
    std::fflush(nullptr);
    std::_Exit(code);
}

}  // namespace SkinUI
