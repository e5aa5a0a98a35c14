#pragma once

#include "skinui/ControlEvent.h"
#include "skinui/Types.h"

#include <functional>
#include <string>
#include <string_view>

typedef struct _cairo cairo_t;

namespace SkinUI {

class WindowContext;

/// Base of every control: position, visibility, background, border, user data,
/// and the event/paint entry points that subclasses refine.
class Control {
public:
    Control();
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    /// Class name as in markup ("Control", "Label", ...).
    virtual std::wstring_view GetClass() const;
    /// This control when it is of (or derives from) the named class, else null.
    virtual Control* GetInterface(std::wstring_view name);

    const std::wstring& GetName() const { return name_; }
    void SetName(std::wstring name) { name_ = std::move(name); }
    virtual const std::wstring& GetText() const { return text_; }
    /// Setting the same text again does nothing; another text repaints.
    virtual void SetText(const std::wstring& text);
    const std::wstring& GetUserData() const { return userData_; }
    void SetUserData(std::wstring data) { userData_ = std::move(data); }

    bool IsVisible() const { return visible_; }
    /// Hides or shows; the layout is recomputed; a hidden control loses the focus.
    virtual void SetVisible(bool visible);
    bool IsEnabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    bool IsFocused() const;
    virtual void SetFocus();
    /// Controls that take clicks; the window's drag band ignores presses on them.
    virtual bool IsInteractive() const { return false; }

    const Rect& GetPos() const { return pos_; }
    /// Places the control (layout calls this); containers place their children.
    virtual void SetPos(const Rect& rc);
    int GetFixedWidth() const { return fixedWidth_; }
    int GetFixedHeight() const { return fixedHeight_; }
    /// Negative values are ignored.
    void SetFixedWidth(int cx);
    void SetFixedHeight(int cy);
    /// Outer margin in the parent layout: left, top, right, bottom.
    const Rect& GetPadding() const { return padding_; }
    void SetPadding(const Rect& rc);

    Color GetBkColor() const { return bkColor_; }
    void SetBkColor(Color c);
    const std::wstring& GetBkImage() const { return bkImage_; }
    /// A path inside the skin, an absolute file path, or an image spec.
    void SetBkImage(const std::wstring& image);
    Color GetBorderColor() const { return borderColor_; }
    void SetBorderColor(Color c);
    int GetBorderSize() const { return borderSize_; }
    void SetBorderSize(int size);
    Size GetBorderRound() const { return borderRound_; }
    void SetBorderRound(Size round);

    /// Repaints the control's area.
    void Invalidate();
    /// Recomputes the layout of the parent (size or visibility changed).
    void NeedParentUpdate();

    Control* GetParent() const { return parent_; }
    WindowContext* GetContext() const { return context_; }

    /// Applies one markup attribute; unknown names are ignored.
    virtual void SetAttribute(std::wstring_view name, std::wstring_view value);

    /// Called once the control belongs to a window (after its children).
    virtual void DoInit() {}
    /// Entry for input and timer events.
    virtual void DoEvent(ControlEvent& event);
    /// Paints in order: background colour, background image, state image, text, border.
    virtual void DoPaint(cairo_t* cr, const Rect& dirty);

    /// Deepest visible control under `pt` that accepts the mouse.
    virtual Control* FindControlAt(Point pt);
    /// Control of that name in this subtree, or null.
    virtual Control* FindControlByName(std::wstring_view name);
    /// Visits this control and its subtree, depth first.
    virtual void ForEach(const std::function<void(Control&)>& visit);

    /// Joins or leaves a window; containers pass it on to their children.
    virtual void SetContext(WindowContext* context, Control* parent);

protected:
    virtual void PaintBkColor(cairo_t* cr);
    virtual void PaintBkImage(cairo_t* cr);
    virtual void PaintStatusImage(cairo_t* cr) { (void)cr; }
    virtual void PaintText(cairo_t* cr) { (void)cr; }
    virtual void PaintBorder(cairo_t* cr);
    /// Draws an image (path or spec) into the control; false when it could not be loaded.
    bool DrawImage(cairo_t* cr, const std::wstring& image);
    /// Sends a notification from this control (at once).
    void Notify(const wchar_t* type, WParam wParam = 0, LParam lParam = 0);
    /// Posts a notification from this control (delivered from the message loop).
    void PostNotify(const wchar_t* type, WParam wParam = 0, LParam lParam = 0);

    std::wstring text_;

private:
    std::wstring name_;
    std::wstring userData_;
    WindowContext* context_ = nullptr;
    Control* parent_ = nullptr;
    Rect pos_;
    Rect padding_;
    int fixedWidth_ = 0;
    int fixedHeight_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    Color bkColor_ = 0;
    std::wstring bkImage_;
    Color borderColor_ = 0;
    int borderSize_ = 0;
    Size borderRound_;
};

}  // namespace SkinUI
