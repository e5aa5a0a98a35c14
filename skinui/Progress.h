#pragma once

#include "skinui/Label.h"

namespace SkinUI {

/// Horizontal bar whose foreground covers (value - min) / (max - min) of its width.
class Progress : public Label {
public:
    std::wstring_view GetClass() const override;
    Control* GetInterface(std::wstring_view name) override;

    int GetMinValue() const { return min_; }
    int GetMaxValue() const { return max_; }
    void SetMinValue(int v);
    void SetMaxValue(int v);
    int GetValue() const { return value_; }
    /// Clamped to [min, max].
    void SetValue(int v);
    const std::wstring& GetForeImage() const { return foreImage_; }
    void SetForeImage(const std::wstring& image);
    /// The area that the foreground covers at the current value.
    Rect ForegroundRect() const;

    void SetAttribute(std::wstring_view name, std::wstring_view value) override;

protected:
    void PaintStatusImage(cairo_t* cr) override;

private:
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
    std::wstring foreImage_;
};

}  // namespace SkinUI
