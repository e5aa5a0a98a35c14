#pragma once

#include "skinui/Control.h"
#include "skinui/Messages.h"
#include "skinui/Notification.h"
#include "skinui/WindowContext.h"
#include "skinui/WindowRegion.h"
#include "skinui/host/IWindowSink.h"

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace SkinUI {

class IHost;

/// Where a window's skin comes from.
enum ResourceKind : int {
    kResourceFile = 1,         // layout and images in the resource folder on disk
    kResourceZipResource = 4,  // an archive held in the executable's resources
};

/// Sees every message of a window before the window does (a shadow follows its parent this way).
class IMessageHook {
public:
    virtual ~IMessageHook() = default;
    virtual void OnWindowMessage(MessageId msg, WParam wParam, LParam lParam) = 0;
};

/// Window base of the toolkit: creates the host window, loads the skin and the
/// layout, owns the control tree, routes messages and notifications.
class SkinWindowBase : public IWindowSink, public INotifyReceiver {
public:
    /// `host` null: the process-wide host (Toolkit::Host()).
    explicit SkinWindowBase(IHost* host = nullptr);
    ~SkinWindowBase() override;
    SkinWindowBase(const SkinWindowBase&) = delete;
    SkinWindowBase& operator=(const SkinWindowBase&) = delete;

    /// Creates the window, loads skin and layout, runs InitWindow. The layout's size
    /// replaces the rectangle's size. Ends the process (exit code 1) after a message
    /// box when the layout is missing or cannot be parsed.
    WindowHandle Create(WindowHandle owner, const std::wstring& title, std::uint32_t style, std::uint32_t exStyle,
                        const Rect& rect = {});
    /// Shows the window, disables the owner and runs a message loop until the window is
    /// gone; returns the close code. The owner is enabled again and gets the focus.
    int ShowModal();
    void ShowWindow(bool show = true, bool takeFocus = true);
    /// Posts a close request; the window is destroyed when it is handled and ShowModal returns `code`.
    void Close(int code = 1);
    /// Centres over the owner, or over the work area when there is no owner or it is
    /// minimised; kept inside the work area.
    void CenterWindow();
    WindowHandle GetHWND() const { return handle_; }
    int GetCloseCode() const { return closeCode_; }

    std::uint32_t GetStyle() const { return style_; }
    void SetStyle(std::uint32_t style);
    std::uint32_t GetExStyle() const { return exStyle_; }
    void SetExStyle(std::uint32_t exStyle);

    // Control operations.
    Control* FindControl(std::wstring_view name) const;
    template <class T>
    T* FindControl(std::wstring_view name) const { return dynamic_cast<T*>(FindControl(name)); }
    /// Repeating timer per control and id: a Timer event to the control and a "timer" notification.
    bool SetTimer(Control* control, unsigned id, unsigned periodMs);
    bool KillTimer(Control* control, unsigned id);
    /// Custom notification: handled before the call returns when `async` is false,
    /// posted to the message loop when true (thread-safe then).
    void SendNotify(Control* control, const std::wstring& type, WParam wParam = 0, LParam lParam = 0, bool async = false);
    /// Width in pixels of one line of `text` in font `fontId` of the layout.
    int MeasureText(int fontId, const std::wstring& text) const;
    /// Attribute of the layout's Window element that the toolkit itself does not use.
    std::optional<std::wstring> GetCustomAttribute(std::wstring_view name) const;
    /// The installer's folder followed by the skin folder, ending in "/".
    std::wstring GetResourcePath() const;
    const std::optional<WindowRegion>& GetWindowRegion() const { return region_; }

    WindowContext& Context() { return context_; }
    const WindowContext& Context() const { return context_; }
    IHost& Host() const { return host_; }
    void AddMessageHook(IMessageHook* hook);
    void RemoveMessageHook(IMessageHook* hook);

    // IWindowSink
    LResult OnHostMessage(MessageId msg, WParam wParam, LParam lParam) override;
    bool IsCaptionPoint(Point pt) const override;
    // INotifyReceiver: "click" goes to OnClick.
    void Notify(Notification& msg) override;

protected:
    // The window's configuration.
    virtual std::wstring GetWindowClassName() const = 0;
    virtual std::wstring GetSkinFolder() const { return {}; }
    virtual std::wstring GetSkinFile() const = 0;
    virtual int GetResourceType() const { return kResourceFile; }
    virtual int GetResourceID() const { return 0; }

    /// Asked first for every markup element; null lets the toolkit build its standard control.
    virtual std::unique_ptr<Control> CreateControl(std::wstring_view name);
    /// Runs once the tree is attached.
    virtual void InitWindow() {}
    /// Sees a message before the toolkit; return true to consume it (with `result`).
    virtual bool MessageFilter(MessageId msg, WParam wParam, LParam lParam, LResult& result);
    /// The window's message handler; the default does the standard handling.
    virtual LResult HandleMessage(MessageId msg, WParam wParam, LParam lParam);
    /// Messages the standard handling does not know; set `handled` when consumed.
    virtual LResult HandleCustomMessage(MessageId msg, WParam wParam, LParam lParam, bool& handled);
    /// "click" notifications: "closebtn" closes (code 1), "minbtn" minimises.
    virtual void OnClick(Notification& msg);
    /// After the window has been destroyed.
    virtual void OnFinalMessage() {}

private:
    friend class WindowBuilder;
    bool LoadSkin();
    void ApplyRoundCorner(Size client, SizeType type);

    IHost& host_;
    WindowContext context_;
    std::atomic<WindowHandle> handle_{kNoWindow};  // read by Close from any thread
    std::uint32_t style_ = 0;
    std::uint32_t exStyle_ = 0;
    int closeCode_ = 0;
    std::optional<WindowRegion> region_;
    std::vector<IMessageHook*> hooks_;
};

}  // namespace SkinUI
