#pragma once

#include "skinui/Label.h"

namespace SkinUI {

/// A label that reacts to the mouse: normal, hot, pushed and disabled looks; posts "click".
class Button : public Label {
public:
    enum class State { Normal, Hot, Pushed, Disabled };

    std::wstring_view GetClass() const override;
    Control* GetInterface(std::wstring_view name) override;
    bool IsInteractive() const override { return true; }

    State GetState() const;
    bool IsHot() const { return hot_; }
    bool IsPushed() const { return pushed_; }

    void SetNormalImage(const std::wstring& image);
    void SetHotImage(const std::wstring& image);
    void SetPushedImage(const std::wstring& image);
    void SetDisabledImage(const std::wstring& image);
    const std::wstring& GetNormalImage() const { return normalImage_; }
    void SetHotTextColor(Color c) { hotTextColor_ = c; }
    void SetPushedTextColor(Color c) { pushedTextColor_ = c; }
    void SetFocusedTextColor(Color c) { focusedTextColor_ = c; }
    void SetHotBkColor(Color c) { hotBkColor_ = c; }
    void SetPushedBkColor(Color c) { pushedBkColor_ = c; }
    void SetPushedBorderColor(Color c) { pushedBorderColor_ = c; }

    /// Posts "click" as a mouse click would.
    virtual void Activate();

    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void DoEvent(ControlEvent& event) override;
    void SetEnabled(bool enabled) override;

protected:
    void PaintBkColor(cairo_t* cr) override;
    void PaintStatusImage(cairo_t* cr) override;
    void PaintBorder(cairo_t* cr) override;
    Color CurrentTextColor() const override;
    /// The state image, falling back to the normal image when it is not given or cannot be loaded.
    void PaintStateImage(cairo_t* cr, const std::wstring& stateImage);

private:
    bool hot_ = false;
    bool pushed_ = false;
    bool captured_ = false;
    std::wstring normalImage_;
    std::wstring hotImage_;
    std::wstring pushedImage_;
    std::wstring disabledImage_;
    Color hotTextColor_ = 0;
    Color pushedTextColor_ = 0;
    Color focusedTextColor_ = 0;
    Color hotBkColor_ = 0;
    Color pushedBkColor_ = 0;
    Color pushedBorderColor_ = 0;
};

}  // namespace SkinUI
