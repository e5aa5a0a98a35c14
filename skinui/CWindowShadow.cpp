#include "skinui/CWindowShadow.h"

#include "skinui/ImageCache.h"
#include "skinui/Messages.h"
#include "skinui/Painting.h"
#include "skinui/host/IHost.h"

#include <cairo.h>

#include <atomic>
#include <cstring>

namespace SkinUI {
namespace {

std::atomic<bool> g_available{false};

constexpr std::uint32_t PackSize(int cx, int cy)
{
    return (static_cast<std::uint32_t>(cx) & 0xFFFF) | ((static_cast<std::uint32_t>(cy) & 0xFFFF) << 16);
}

}  // namespace

CWindowShadow::~CWindowShadow()
{
    if (host_ && shadowWnd_ != kNoWindow && host_->IsWindow(shadowWnd_)) {
        host_->DestroyWindow(shadowWnd_);
    }
    Detach();
}

bool CWindowShadow::Initialize(IHost& host)
{
    (void)host;
    g_available = true;
    return true;
}

bool CWindowShadow::IsAvailable()
{
    return g_available;
}

void CWindowShadow::Create(SkinWindowBase* parent)
{
    if (!g_available || !parent || parent->GetHWND() == kNoWindow || parent_) {
        return;
    }
    host_ = &parent->Host();
    const WindowHandle h = parent->GetHWND();
    shadowWnd_ = host_->CreateShadowWindow(h);
    if (shadowWnd_ == kNoWindow) {
        host_ = nullptr;
        return;
    }
    parent_ = parent;
    if (!host_->IsVisible(h)) {
        status_ = kEnabled;
    } else if (host_->IsMinimized(h) || host_->IsMaximized(h)) {
        status_ = kEnabled | kParentVisible;
    } else {
        status_ = kEnabled | kVisible | kParentVisible;
        host_->ShowWindow(shadowWnd_, ShowCommand::ShowNoActivate);
        Update();
    }
    parent->AddMessageHook(this);
}

bool CWindowShadow::SetSize(int size)
{
    if (size < -20 || size > 20) {
        return false;
    }
    params_.size = static_cast<std::int8_t>(size);
    if (status_ & kVisible) {
        Update();
    }
    return true;
}

bool CWindowShadow::SetSharpness(int sharpness)
{
    if (sharpness < 0 || sharpness > 20) {
        return false;
    }
    params_.sharpness = static_cast<std::uint8_t>(sharpness);
    if (status_ & kVisible) {
        Update();
    }
    return true;
}

bool CWindowShadow::SetDarkness(int darkness)
{
    if (darkness < 0 || darkness > 255) {
        return false;
    }
    params_.darkness = static_cast<std::uint8_t>(darkness);
    if (status_ & kVisible) {
        Update();
    }
    return true;
}

bool CWindowShadow::SetPosition(int x, int y)
{
    if (x < -20 || x > 20 || y < -20 || y > 20) {
        return false;
    }
    params_.xOffset = static_cast<std::int8_t>(x);
    params_.yOffset = static_cast<std::int8_t>(y);
    if (status_ & kVisible) {
        Update();
    }
    return true;
}

bool CWindowShadow::SetColor(std::uint32_t colorRef)
{
    params_.color = colorRef;
    if (status_ & kVisible) {
        Update();
    }
    return true;
}

bool CWindowShadow::SetImage(const std::wstring& image, const Rect& corner, const Rect& holeOffset)
{
    image_ = image;
    imageCorner_ = corner;
    imageHoleOffset_ = holeOffset;
    if (status_ & kVisible) {
        Update();
    }
    return true;
}

Point CWindowShadow::ShadowOrigin() const
{
    const Rect rc = host_->GetWindowRect(parent_->GetHWND());
    return {rc.left + params_.xOffset - params_.size, rc.top + params_.yOffset - params_.size};
}

ArgbImage CWindowShadow::ImageShadow(const Rect& parentRect, Point& pos) const
{
    cairo_surface_t* src = parent_->Context().Images().Get(image_);
    if (!src) {
        return {};
    }
    const Rect& c = imageCorner_;
    ArgbImage out(parentRect.Width() + c.left + c.right, parentRect.Height() + c.top + c.bottom);
    pos = {parentRect.left - c.left, parentRect.top - c.top};
    if (out.width <= 0 || out.height <= 0) {
        return {};
    }
    cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, out.width, out.height);
    cairo_t* cr = cairo_create(target);
    Markup::ImageSpec spec;
    spec.file = image_;
    spec.corner = c;
    DrawImageSpec(cr, parent_->Context().Images(), {0, 0, out.width, out.height}, spec);
    cairo_destroy(cr);
    cairo_surface_flush(target);
    const unsigned char* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    for (int y = 0; y < out.height; ++y) {
        std::memcpy(&out.At(0, y), data + static_cast<std::ptrdiff_t>(y) * stride,
                    static_cast<std::size_t>(out.width) * 4);
    }
    cairo_surface_destroy(target);
    return out;
}

void CWindowShadow::Update()
{
    if (!parent_ || !host_ || shadowWnd_ == kNoWindow || !host_->IsWindow(shadowWnd_)) {
        return;
    }
    const Rect rc = host_->GetWindowRect(parent_->GetHWND());
    if (!image_.empty()) {
        Point pos;
        const ArgbImage img = ImageShadow(rc, pos);
        if (img.width > 0) {
            host_->UpdateLayeredWindow(shadowWnd_, pos, img);
            return;
        }
    }
    WindowRegion region(rc.Width(), rc.Height());
    if (const auto& shape = parent_->GetWindowRegion(); shape && shape->Width() == rc.Width() &&
                                                        shape->Height() == rc.Height()) {
        region = *shape;
    } else {
        // No window region: no shadow is cast.
        for (int y = 0; y < region.Height(); ++y) {
            region.SetRow(y, {rc.Width(), 0});
        }
    }
    host_->UpdateLayeredWindow(shadowWnd_, ShadowOrigin(), ComputeShadowImage(region, params_));
}

void CWindowShadow::ShowShadow(bool show)
{
    if (host_ && shadowWnd_ != kNoWindow) {
        host_->ShowWindow(shadowWnd_, show ? ShowCommand::ShowNoActivate : ShowCommand::Hide);
    }
}

void CWindowShadow::Detach()
{
    if (parent_) {
        parent_->RemoveMessageHook(this);
    }
    parent_ = nullptr;
    status_ = 0;
}

void CWindowShadow::OnWindowMessage(MessageId msg, WParam wParam, LParam lParam)
{
    if (!parent_) {
        return;
    }
    switch (msg) {
    case Msg::Destroy:
        if (shadowWnd_ != kNoWindow && host_->IsWindow(shadowWnd_)) {
            host_->DestroyWindow(shadowWnd_);
        }
        shadowWnd_ = kNoWindow;
        break;
    case Msg::Move:
        if (status_ & kVisible) {
            const Rect cur = host_->GetWindowRect(shadowWnd_);
            const Point at = ShadowOrigin();
            host_->MoveWindow(shadowWnd_, {at.x, at.y, at.x + cur.Width(), at.y + cur.Height()});
        }
        break;
    case Msg::Size:
        if (status_ & kEnabled) {
            const auto type = static_cast<SizeType>(wParam);
            const int cx = LowWord(lParam);
            const int cy = HighWord(lParam);
            if (type == SizeType::Maximized || type == SizeType::Minimized) {
                ShowShadow(false);
                status_ &= static_cast<std::uint8_t>(~kVisible);
            } else if (status_ & kParentVisible) {
                // A shrinking window has its new shape already; a growing one gets it by its next paint.
                if (cx <= static_cast<int>(lastSize_ & 0xFFFF) && cy <= static_cast<int>(lastSize_ >> 16)) {
                    Update();
                } else {
                    updatePending_ = true;
                }
                if (!(status_ & kVisible)) {
                    ShowShadow(true);
                    status_ |= kVisible;
                }
            }
            lastSize_ = PackSize(cx, cy);
        }
        break;
    case Msg::Activate:
    case Msg::ExitSizeMove:
        if (status_ & kVisible) {
            Update();
        }
        break;
    case Msg::Paint:
        if (updatePending_) {
            Update();
            updatePending_ = false;
        }
        break;
    case Msg::ShowWindow:
        if (status_ & kEnabled) {
            if (wParam == 0) {
                ShowShadow(false);
                status_ &= static_cast<std::uint8_t>(~(kVisible | kParentVisible));
            } else if (!(status_ & kParentVisible)) {
                updatePending_ = true;
                ShowShadow(true);
                status_ |= kVisible | kParentVisible;
            }
        }
        break;
    case Msg::NcDestroy:
        Detach();
        break;
    default:
        break;
    }
}

}  // namespace SkinUI
