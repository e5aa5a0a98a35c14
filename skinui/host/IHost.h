#pragma once

#include "skinui/ArgbImage.h"
#include "skinui/Messages.h"
#include "skinui/Types.h"
#include "skinui/WindowRegion.h"

#include <cstdint>
#include <optional>
#include <string>

namespace SkinUI {

class IPaintSurface;
class IWindowSink;

/// System services of a window host: windows, placement, time, timers, the
/// message queue, modal loops and the process. Everything but PostMessage and
/// NowMs is called on the UI thread only.
class IHost {
public:
    virtual ~IHost() = default;

    // Time.
    /// Milliseconds on the host's monotonic clock.
    virtual std::uint64_t NowMs() = 0;

    // Windows.
    /// Creates a hidden window of the given client rectangle (screen coordinates).
    /// The sink receives Msg::Create before the call returns.
    virtual WindowHandle CreateWindow(IWindowSink* sink, WindowHandle owner, const std::wstring& title, const Rect& rect) = 0;
    /// Sends Msg::Destroy then Msg::NcDestroy, then forgets the window, its timers and its queued messages.
    virtual void DestroyWindow(WindowHandle h) = 0;
    virtual bool IsWindow(WindowHandle h) = 0;
    virtual WindowHandle GetOwner(WindowHandle h) = 0;
    virtual IPaintSurface* Surface(WindowHandle h) = 0;
    /// Schedules a Msg::Paint for the area (coalesced).
    virtual void Invalidate(WindowHandle h, const Rect& area) = 0;
    virtual void SetTitle(WindowHandle h, const std::wstring& title) = 0;
    /// PNG bytes of the window icon.
    virtual void SetIcon(WindowHandle h, const std::string& pngBytes) = 0;

    // Placement and state.
    virtual Rect GetWindowRect(WindowHandle h) = 0;
    /// Moves and resizes; sends Msg::Move and/or Msg::Size when they change.
    virtual void MoveWindow(WindowHandle h, const Rect& rect) = 0;
    /// Sends Msg::ShowWindow, and Msg::Size with the size type for minimise, maximise and restore.
    virtual void ShowWindow(WindowHandle h, ShowCommand cmd) = 0;
    virtual bool IsVisible(WindowHandle h) = 0;
    virtual bool IsMinimized(WindowHandle h) = 0;
    virtual bool IsMaximized(WindowHandle h) = 0;
    /// Work area of the monitor that holds most of the window (or the primary one).
    virtual Rect GetWorkArea(WindowHandle h) = 0;
    /// Window shape; nullopt removes it.
    virtual void SetWindowRegion(WindowHandle h, const std::optional<WindowRegion>& region) = 0;
    virtual void EnableWindow(WindowHandle h, bool enable) = 0;
    virtual bool IsWindowEnabled(WindowHandle h) = 0;
    virtual void SetFocus(WindowHandle h) = 0;
    virtual void SetForeground(WindowHandle h) = 0;
    virtual void SetTopmost(WindowHandle h, bool topmost) = 0;

    // Layered click-through windows (drop shadows).
    /// Creates a hidden click-through, never-activated window owned by `parent`;
    /// kNoWindow when the host cannot show per-pixel alpha.
    virtual WindowHandle CreateShadowWindow(WindowHandle parent) = 0;
    /// Places a layered window at `pos` with the image's size and shows its pixels.
    virtual void UpdateLayeredWindow(WindowHandle h, Point pos, const ArgbImage& image) = 0;

    // Messages and timers.
    /// Thread-safe. Queues the message for the window's thread; false when the window does not exist.
    virtual bool PostMessage(WindowHandle h, MessageId msg, WParam wParam, LParam lParam) = 0;
    /// Dispatches at once to the window's sink.
    virtual LResult SendMessage(WindowHandle h, MessageId msg, WParam wParam, LParam lParam) = 0;
    /// Repeating timer; Msg::Timer with `id` as wParam every `periodMs`. Setting it again restarts it.
    virtual void SetTimer(WindowHandle h, WParam id, std::uint32_t periodMs) = 0;
    virtual void KillTimer(WindowHandle h, WParam id) = 0;
    /// Runs the message loop until `h` no longer exists.
    virtual void RunModalLoop(WindowHandle h) = 0;

    // Process.
    virtual void ShowErrorBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption) = 0;
    [[noreturn]] virtual void ExitProcess(int code) = 0;
};

}  // namespace SkinUI
