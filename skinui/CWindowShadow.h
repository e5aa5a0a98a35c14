#pragma once

#include "skinui/ShadowImage.h"
#include "skinui/SkinWindowBase.h"

#include <cstdint>
#include <string>

namespace SkinUI {

/// Soft drop shadow behind a window: a click-through layered window that follows its parent.
class CWindowShadow : public IMessageHook {
public:
    enum StatusFlag : std::uint8_t { kEnabled = 1, kVisible = 2, kParentVisible = 4 };

    CWindowShadow() = default;
    ~CWindowShadow() override;
    CWindowShadow(const CWindowShadow&) = delete;
    CWindowShadow& operator=(const CWindowShadow&) = delete;

    /// Process-wide: false (and shadows stay off) when the host cannot show layered windows.
    static bool Initialize(IHost& host);
    static bool IsAvailable();

    /// Attaches to a created parent window; nothing when shadows are unavailable.
    void Create(SkinWindowBase* parent);
    bool SetSize(int size);             // -20..20
    bool SetSharpness(int sharpness);  // 0..20
    bool SetDarkness(int darkness);    // 0..255
    bool SetPosition(int x, int y);     // each -20..20
    bool SetColor(std::uint32_t colorRef);
    /// Image-based shadow: a nine-part stretch of `image` with `corner` kept unscaled.
    bool SetImage(const std::wstring& image, const Rect& corner, const Rect& holeOffset);
    /// Recomputes and shows the image for the parent's current shape.
    void Update();

    const ShadowParams& Params() const { return params_; }
    std::uint8_t Status() const { return status_; }
    WindowHandle GetShadowWindow() const { return shadowWnd_; }
    std::uint32_t LastSize() const { return lastSize_; }
    bool IsUpdatePending() const { return updatePending_; }
    const std::wstring& GetImage() const { return image_; }

    void OnWindowMessage(MessageId msg, WParam wParam, LParam lParam) override;

private:
    Point ShadowOrigin() const;
    ArgbImage ImageShadow(const Rect& parentRect, Point& pos) const;
    void Detach();
    void ShowShadow(bool show);

    SkinWindowBase* parent_ = nullptr;
    IHost* host_ = nullptr;
    WindowHandle shadowWnd_ = kNoWindow;
    std::uint8_t status_ = 0;
    ShadowParams params_;
    std::uint32_t lastSize_ = 0;
    bool updatePending_ = false;
    std::wstring image_;
    Rect imageCorner_;
    Rect imageHoleOffset_;
};

}  // namespace SkinUI
