#pragma once

#include "skinui/Label.h"

namespace SkinUI {

/// Single-line text input drawn by the toolkit; typed characters arrive as Char events.
class Edit : public Label {
public:
    std::wstring_view GetClass() const override;
    Control* GetInterface(std::wstring_view name) override;
    bool IsInteractive() const override { return true; }

    void SetText(const std::wstring& text) override;
    std::size_t GetCaret() const { return caret_; }
    /// Inserts committed text (typed characters or an input method's result) at the caret.
    void InsertText(const std::wstring& text);
    int GetMaxChars() const { return maxChars_; }
    void SetMaxChars(int max) { maxChars_ = max; }
    bool IsReadOnly() const { return readOnly_; }
    void SetReadOnly(bool ro) { readOnly_ = ro; }

    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void DoEvent(ControlEvent& event) override;

protected:
    void PaintText(cairo_t* cr) override;

private:
    std::size_t caret_ = 0;
    int maxChars_ = 255;
    bool readOnly_ = false;
};

}  // namespace SkinUI
