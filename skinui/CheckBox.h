#pragma once

#include "skinui/Button.h"

namespace SkinUI {

/// A button with a selected state; a click posts "click", then toggles and posts "selectchanged".
class CheckBox : public Button {
public:
    std::wstring_view GetClass() const override;
    Control* GetInterface(std::wstring_view name) override;

    bool IsSelected() const { return selected_; }
    /// Changes the selected state; a change posts "selectchanged".
    void Selected(bool selected);
    void SetSelectedImage(const std::wstring& image) { selectedImage_ = image; Invalidate(); }
    void SetSelectedTextColor(Color c) { selectedTextColor_ = c; }

    void Activate() override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;

protected:
    void PaintStatusImage(cairo_t* cr) override;
    Color CurrentTextColor() const override;

private:
    bool selected_ = false;
    std::wstring selectedImage_;
    Color selectedTextColor_ = 0;
};

}  // namespace SkinUI
