#pragma once

#include "skinui/Control.h"

namespace SkinUI {

namespace TextAlign {
inline constexpr unsigned Left = 0x0;
inline constexpr unsigned Center = 0x1;
inline constexpr unsigned Right = 0x2;
inline constexpr unsigned Top = 0x0;
inline constexpr unsigned VCenter = 0x4;
inline constexpr unsigned Bottom = 0x8;
inline constexpr unsigned HorizontalMask = 0x3;
inline constexpr unsigned VerticalMask = 0xC;
}  // namespace TextAlign

/// A text in one of the window's fonts.
class Label : public Control {
public:
    std::wstring_view GetClass() const override;
    Control* GetInterface(std::wstring_view name) override;

    int GetFont() const { return font_; }
    void SetFont(int id);
    Color GetTextColor() const { return textColor_; }
    void SetTextColor(Color c);
    unsigned GetTextStyle() const { return textStyle_; }
    void SetTextStyle(unsigned style);
    const Rect& GetTextPadding() const { return textPadding_; }
    void SetTextPadding(const Rect& rc);
    bool IsMultiLine() const { return multiLine_; }
    void SetMultiLine(bool multi);

    void SetAttribute(std::wstring_view name, std::wstring_view value) override;

protected:
    void PaintText(cairo_t* cr) override;
    /// Text colour for the current state; labels use the normal one.
    virtual Color CurrentTextColor() const { return textColor_; }

private:
    int font_ = -1;  // -1: the window's default font
    Color textColor_ = 0;
    unsigned textStyle_ = TextAlign::Left | TextAlign::VCenter;
    Rect textPadding_;
    bool multiLine_ = false;
};

}  // namespace SkinUI
