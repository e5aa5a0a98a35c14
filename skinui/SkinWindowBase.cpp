#include "skinui/SkinWindowBase.h"

#include "skinui/Messages.h"
#include "skinui/ResourceStore.h"
#include "skinui/Toolkit.h"
#include "skinui/WindowBuilder.h"
#include "skinui/host/IHost.h"
#include "skinui/markup/MarkupParser.h"

#include <algorithm>
#include <cstdio>

namespace SkinUI {
namespace {

constexpr const wchar_t* kLoadFailedText = L"加载资源文件失败";
constexpr const wchar_t* kLoadFailedCaption = L"SkinUI";
constexpr const char* kSkinResourceType = "ZIPRES";

IHost& ResolveHost(IHost* host)
{
    if (host) {
        return *host;
    }
    IHost* global = Toolkit::Host();
    if (!global) {
        std::fputs("SkinUI: no window host set\n", stderr);
        std::abort();
    }
    return *global;
}

}  // namespace

SkinWindowBase::SkinWindowBase(IHost* host) : host_(ResolveHost(host)), context_(host_) {}

SkinWindowBase::~SkinWindowBase()
{
    if (handle_ != kNoWindow && host_.IsWindow(handle_)) {
        host_.DestroyWindow(handle_);
    }
    context_.RemoveNotifier(this);
}

WindowHandle SkinWindowBase::Create(WindowHandle owner, const std::wstring& title, std::uint32_t style,
                                    std::uint32_t exStyle, const Rect& rect)
{
    if (handle_ != kNoWindow) {
        return handle_;
    }
    style_ = (style & ~Style::Caption) | Style::ClipChildren | Style::ClipSiblings;
    exStyle_ = exStyle;
    handle_ = host_.CreateWindow(this, owner, title, rect);
    if (handle_ == kNoWindow) {
        return kNoWindow;
    }
    context_.SetHandle(handle_);
    if (exStyle_ & Style::ExTopmost) {
        host_.SetTopmost(handle_, true);
    }
    const Rect placed = host_.GetWindowRect(handle_);
    context_.SetClientSize({placed.Width(), placed.Height()});
    if (!LoadSkin()) {
        return handle_;
    }
    const Size init = context_.GetInitSize();
    if (init.cx > 0 && init.cy > 0) {
        host_.MoveWindow(handle_, {placed.left, placed.top, placed.left + init.cx, placed.top + init.cy});
    }
    const Rect now = host_.GetWindowRect(handle_);
    context_.SetClientSize({now.Width(), now.Height()});
    ApplyRoundCorner({now.Width(), now.Height()}, SizeType::Restored);
    InitWindow();
    return handle_;
}

bool SkinWindowBase::LoadSkin()
{
    ResourceStore& store = context_.Resources();
    store.SetFolder(GetResourcePath());
    if (GetResourceType() == kResourceZipResource) {
        const auto bytes = Toolkit::FindResource(kSkinResourceType, GetResourceID());
        // A skin that cannot be had leaves the window empty, without a message.
        if (!bytes || bytes->empty() || !store.OpenArchive(*bytes)) {
            return false;
        }
    }
    std::unique_ptr<Control> root;
    if (const auto layout = store.Load(GetSkinFile())) {
        const Markup::ParseResult parsed = Markup::ParseMarkup(*layout);
        if (parsed.root) {
            root = WindowBuilder::Build(*parsed.root, context_,
                                        [this](std::wstring_view name) { return CreateControl(name); });
        }
    }
    if (!root) {
        host_.ShowErrorBox(handle_, kLoadFailedText, kLoadFailedCaption);
        host_.ExitProcess(1);
    }
    context_.AttachRoot(std::move(root));
    context_.AddNotifier(this);
    return true;
}

void SkinWindowBase::ApplyRoundCorner(Size client, SizeType type)
{
    const Size round = context_.GetRoundCorner();
    if (type == SizeType::Minimized || (round.cx <= 0 && round.cy <= 0)) {
        return;
    }
    region_ = WindowRegion::RoundRect(client.cx, client.cy, client.cx + 1, client.cy + 1, round.cx, round.cy);
    host_.SetWindowRegion(handle_, region_);
}

int SkinWindowBase::ShowModal()
{
    if (handle_ == kNoWindow || !host_.IsWindow(handle_)) {
        return -1;
    }
    const WindowHandle owner = host_.GetOwner(handle_);
    host_.ShowWindow(handle_, ShowCommand::Show);
    if (owner != kNoWindow) {
        host_.EnableWindow(owner, false);
    }
    host_.RunModalLoop(handle_);
    if (owner != kNoWindow && host_.IsWindow(owner)) {
        host_.EnableWindow(owner, true);
        host_.SetFocus(owner);
    }
    return closeCode_;
}

void SkinWindowBase::ShowWindow(bool show, bool takeFocus)
{
    if (handle_ == kNoWindow) {
        return;
    }
    host_.ShowWindow(handle_, !show ? ShowCommand::Hide : takeFocus ? ShowCommand::Show : ShowCommand::ShowNoActivate);
}

void SkinWindowBase::Close(int code)
{
    if (handle_ != kNoWindow) {
        host_.PostMessage(handle_, Msg::Close, static_cast<WParam>(code), 0);
    }
}

void SkinWindowBase::CenterWindow()
{
    if (handle_ == kNoWindow) {
        return;
    }
    const Rect rc = host_.GetWindowRect(handle_);
    const Rect work = host_.GetWorkArea(handle_);
    const WindowHandle owner = host_.GetOwner(handle_);
    Rect center = work;
    if (owner != kNoWindow && host_.IsWindow(owner) && !host_.IsMinimized(owner)) {
        center = host_.GetWindowRect(owner);
    }
    int x = center.left + (center.Width() - rc.Width()) / 2;
    int y = center.top + (center.Height() - rc.Height()) / 2;
    x = std::max(work.left, std::min(x, work.right - rc.Width()));
    y = std::max(work.top, std::min(y, work.bottom - rc.Height()));
    host_.MoveWindow(handle_, {x, y, x + rc.Width(), y + rc.Height()});
}

void SkinWindowBase::SetStyle(std::uint32_t style)
{
    style_ = style;
}

void SkinWindowBase::SetExStyle(std::uint32_t exStyle)
{
    const bool topmostChanged = ((exStyle ^ exStyle_) & Style::ExTopmost) != 0;
    exStyle_ = exStyle;
    if (topmostChanged && handle_ != kNoWindow) {
        host_.SetTopmost(handle_, (exStyle & Style::ExTopmost) != 0);
    }
}

Control* SkinWindowBase::FindControl(std::wstring_view name) const
{
    return context_.FindControl(name);
}

bool SkinWindowBase::SetTimer(Control* control, unsigned id, unsigned periodMs)
{
    return context_.SetTimer(control, id, periodMs);
}

bool SkinWindowBase::KillTimer(Control* control, unsigned id)
{
    return context_.KillTimer(control, id);
}

void SkinWindowBase::SendNotify(Control* control, const std::wstring& type, WParam wParam, LParam lParam, bool async)
{
    context_.SendNotify(control, type, wParam, lParam, async);
}

int SkinWindowBase::MeasureText(int fontId, const std::wstring& text) const
{
    return context_.MeasureText(fontId, text);
}

std::optional<std::wstring> SkinWindowBase::GetCustomAttribute(std::wstring_view name) const
{
    return context_.GetCustomAttribute(name);
}

std::wstring SkinWindowBase::GetResourcePath() const
{
    std::wstring path = Toolkit::GetInstancePath();
    for (wchar_t c : GetSkinFolder()) {
        path.push_back(c == L'\\' ? L'/' : c);
    }
    if (!path.empty() && path.back() != L'/') {
        path.push_back(L'/');
    }
    return path;
}

void SkinWindowBase::AddMessageHook(IMessageHook* hook)
{
    if (std::find(hooks_.begin(), hooks_.end(), hook) == hooks_.end()) {
        hooks_.push_back(hook);
    }
}

void SkinWindowBase::RemoveMessageHook(IMessageHook* hook)
{
    std::erase(hooks_, hook);
}

LResult SkinWindowBase::OnHostMessage(MessageId msg, WParam wParam, LParam lParam)
{
    const auto hooks = hooks_;
    for (IMessageHook* hook : hooks) {
        hook->OnWindowMessage(msg, wParam, lParam);
    }
    LResult result = 0;
    if (MessageFilter(msg, wParam, lParam, result)) {
        return result;
    }
    result = HandleMessage(msg, wParam, lParam);
    if (msg == Msg::NcDestroy) {
        handle_ = kNoWindow;
        context_.SetHandle(kNoWindow);
        OnFinalMessage();
    }
    return result;
}

bool SkinWindowBase::IsCaptionPoint(Point pt) const
{
    const Rect& caption = context_.GetCaptionRect();
    const Size client = context_.GetClientSize();
    const Rect band{caption.left, caption.top, client.cx - caption.right, caption.bottom};
    if (!band.Contains(pt)) {
        return false;
    }
    const Control* hit = context_.FindControlAt(pt);
    return !(hit && hit->IsInteractive());
}

void SkinWindowBase::Notify(Notification& msg)
{
    if (msg.type == NotifyType::Click) {
        OnClick(msg);
    }
}

std::unique_ptr<Control> SkinWindowBase::CreateControl(std::wstring_view name)
{
    (void)name;
    return nullptr;
}

bool SkinWindowBase::MessageFilter(MessageId msg, WParam wParam, LParam lParam, LResult& result)
{
    (void)msg;
    (void)wParam;
    (void)lParam;
    (void)result;
    return false;
}

LResult SkinWindowBase::HandleMessage(MessageId msg, WParam wParam, LParam lParam)
{
    switch (msg) {
    case Msg::Close:
        closeCode_ = static_cast<int>(wParam);
        host_.DestroyWindow(handle_);
        return 0;
    case Msg::Size: {
        const auto type = static_cast<SizeType>(wParam);
        const Size client{LowWord(lParam), HighWord(lParam)};
        if (type != SizeType::Minimized) {
            context_.SetClientSize(client);
        }
        ApplyRoundCorner(client, type);
        return 0;
    }
    default:
        break;
    }
    bool handled = false;
    const LResult custom = HandleCustomMessage(msg, wParam, lParam, handled);
    if (handled) {
        return custom;
    }
    LResult result = 0;
    context_.HandleMessage(msg, wParam, lParam, result);
    return result;
}

LResult SkinWindowBase::HandleCustomMessage(MessageId msg, WParam wParam, LParam lParam, bool& handled)
{
    (void)msg;
    (void)wParam;
    (void)lParam;
    handled = false;
    return 0;
}

void SkinWindowBase::OnClick(Notification& msg)
{
    if (!msg.sender) {
        return;
    }
    const std::wstring& name = msg.sender->GetName();
    if (name == L"closebtn") {
        Close(1);
    } else if (name == L"minbtn") {
        host_.ShowWindow(handle_, ShowCommand::Minimize);
    } else if (name == L"maxbtn") {
        host_.ShowWindow(handle_, ShowCommand::Maximize);
    } else if (name == L"restorebtn") {
        host_.ShowWindow(handle_, ShowCommand::Restore);
    }
}

}  // namespace SkinUI
