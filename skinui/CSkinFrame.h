#pragma once

#include "skinui/CWindowShadow.h"
#include "skinui/SkinWindowBase.h"

#include <string>

namespace SkinUI {

/// Base of the installer's windows: the window configuration record, a borderless
/// skinned frame, Escape ignored, and the layout's drop shadow.
class CSkinFrame : public SkinWindowBase {
public:
    CSkinFrame(int resourceKind, int resourceId, std::wstring skinFolder, std::wstring layoutFile,
               std::wstring windowClassName, IHost* host = nullptr);
    ~CSkinFrame() override;

    /// The layout file name up to its first "." ("MainWnd" for "MainWnd.xml").
    static std::wstring ClassNameFromLayout(const std::wstring& layoutFile);

    CWindowShadow& Shadow() { return shadow_; }
    const CWindowShadow& Shadow() const { return shadow_; }

protected:
    std::wstring GetWindowClassName() const override { return className_; }
    std::wstring GetSkinFolder() const override { return skinFolder_; }
    std::wstring GetSkinFile() const override { return layoutFile_; }
    int GetResourceType() const override { return resourceKind_; }
    int GetResourceID() const override { return resourceId_; }

    /// Drops caption and maximise box, then sets the shadow up from the Window attributes.
    void InitWindow() override;
    /// Consumes Escape key presses.
    bool MessageFilter(MessageId msg, WParam wParam, LParam lParam, LResult& result) override;

private:
    void ApplyShadowAttributes();

    int resourceKind_;
    int resourceId_;
    std::wstring skinFolder_;
    std::wstring layoutFile_;
    std::wstring className_;
    CWindowShadow shadow_;
};

}  // namespace SkinUI
