#pragma once

#include "skinui/host/IHost.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace SkinUI {

/// A host without a display: windows paint into memory, the clock moves only when
/// told to, and tests inject input. Posting is thread-safe; everything else runs on
/// the thread that created the host.
class OffscreenHost : public IHost {
public:
    struct ErrorBox {
        std::wstring text;
        std::wstring caption;
    };
    /// Called by a modal loop when nothing is queued. Return false to let the loop wait
    /// for messages posted from other threads.
    using IdleHandler = std::function<bool()>;

    explicit OffscreenHost(Rect workArea = {0, 0, 1920, 1040});
    ~OffscreenHost() override;

    // Clock.
    /// Moves the clock forward, delivering due timers in time order.
    void Advance(std::uint64_t ms);
    /// Time of the next due timer, if any.
    std::optional<std::uint64_t> NextTimerDue() const;
    /// Loops jump the clock to the next timer when idle (default off).
    void SetAutoAdvance(bool on) { autoAdvance_ = on; }
    void SetIdleHandler(IdleHandler handler) { idle_ = std::move(handler); }

    // Message queue.
    /// Dispatches queued messages (and pending paints) until the queue is empty; returns how many.
    int PumpMessages();
    /// Waits until a message is queued (or `timeoutMs` passes); true when one is.
    bool WaitForMessage(std::uint64_t timeoutMs);

    // Input, in client coordinates; each dispatches at once (and pumps what it posts).
    void MouseMove(WindowHandle h, Point pt);
    void MouseDown(WindowHandle h, Point pt);
    void MouseUp(WindowHandle h, Point pt);
    void Click(WindowHandle h, Point pt);
    void MouseLeave(WindowHandle h);
    void KeyDown(WindowHandle h, WParam key);
    void TypeText(WindowHandle h, const std::wstring& text);

    // Output.
    /// Paints the whole window and writes it as PNG; with `shadow`, the shadow window is composited behind it.
    bool RenderToPng(WindowHandle h, const std::string& path, bool shadow = false);
    /// Paints what is dirty and returns the window's pixel (premultiplied ARGB).
    std::uint32_t Pixel(WindowHandle h, Point pt);
    const std::vector<ErrorBox>& ErrorBoxes() const;
    std::optional<WindowRegion> Region(WindowHandle h) const;
    const ArgbImage* LayeredImage(WindowHandle h) const;
    Point LayeredPos(WindowHandle h) const;
    bool IsTopmost(WindowHandle h) const;
    WindowHandle Foreground() const { return foreground_; }
    WindowHandle Focused() const { return focused_; }
    /// Windows that exist, in creation order.
    std::vector<WindowHandle> Windows() const;
    void SetShadowsSupported(bool on) { shadowsSupported_ = on; }

    // IHost
    std::uint64_t NowMs() override;
    WindowHandle CreateWindow(IWindowSink* sink, WindowHandle owner, const std::wstring& title, const Rect& rect) override;
    void DestroyWindow(WindowHandle h) override;
    bool IsWindow(WindowHandle h) override;
    WindowHandle GetOwner(WindowHandle h) override;
    IPaintSurface* Surface(WindowHandle h) override;
    void Invalidate(WindowHandle h, const Rect& area) override;
    void SetTitle(WindowHandle h, const std::wstring& title) override;
    void SetIcon(WindowHandle h, const std::string& pngBytes) override;
    Rect GetWindowRect(WindowHandle h) override;
    void MoveWindow(WindowHandle h, const Rect& rect) override;
    void ShowWindow(WindowHandle h, ShowCommand cmd) override;
    bool IsVisible(WindowHandle h) override;
    bool IsMinimized(WindowHandle h) override;
    bool IsMaximized(WindowHandle h) override;
    Rect GetWorkArea(WindowHandle h) override;
    void SetWindowRegion(WindowHandle h, const std::optional<WindowRegion>& region) override;
    void EnableWindow(WindowHandle h, bool enable) override;
    bool IsWindowEnabled(WindowHandle h) override;
    void SetFocus(WindowHandle h) override;
    void SetForeground(WindowHandle h) override;
    void SetTopmost(WindowHandle h, bool topmost) override;
    WindowHandle CreateShadowWindow(WindowHandle parent) override;
    void UpdateLayeredWindow(WindowHandle h, Point pos, const ArgbImage& image) override;
    bool PostMessage(WindowHandle h, MessageId msg, WParam wParam, LParam lParam) override;
    LResult SendMessage(WindowHandle h, MessageId msg, WParam wParam, LParam lParam) override;
    void SetTimer(WindowHandle h, WParam id, std::uint32_t periodMs) override;
    void KillTimer(WindowHandle h, WParam id) override;
    void RunModalLoop(WindowHandle h) override;
    void ShowErrorBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption) override;
    [[noreturn]] void ExitProcess(int code) override;

private:
    struct Window;
    struct Posted {
        WindowHandle h;
        MessageId msg;
        WParam wParam;
        LParam lParam;
    };
    struct TimerEntry {
        WindowHandle h;
        WParam id;
        std::uint32_t period;
        std::uint64_t due;
        std::uint64_t seq;
    };
    Window* Find(WindowHandle h) const;
    bool DispatchOne();
    void PaintDirty(WindowHandle h, bool force);
    void PaintAllDirty();
    bool FireNextTimer(std::uint64_t until);

    Rect workArea_;
    std::map<WindowHandle, std::unique_ptr<Window>> windows_;
    WindowHandle nextHandle_ = 0x100;
    std::atomic<std::uint64_t> now_{0};
    std::vector<TimerEntry> timers_;
    std::uint64_t timerSeq_ = 0;
    mutable std::mutex queueLock_;
    std::condition_variable queueCv_;
    std::deque<Posted> queue_;
    std::vector<WindowHandle> live_;  // guarded by queueLock_: which handles accept posts
    bool autoAdvance_ = false;
    IdleHandler idle_;
    std::vector<ErrorBox> errors_;
    WindowHandle foreground_ = kNoWindow;
    WindowHandle focused_ = kNoWindow;
    bool shadowsSupported_ = true;
};

}  // namespace SkinUI
