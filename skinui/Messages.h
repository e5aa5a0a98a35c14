#pragma once

#include "skinui/Types.h"

// Window messages, keys and styles keep their classic numeric values so that
// window code written against them (WM_USER + n, VK_ESCAPE, style masks) reads
// the same on every host.
namespace SkinUI {

namespace Msg {
inline constexpr MessageId Create = 0x0001;
inline constexpr MessageId Destroy = 0x0002;
inline constexpr MessageId Move = 0x0003;          // lParam: MakeLParam(x, y) of the window
inline constexpr MessageId Size = 0x0005;          // wParam: SizeType, lParam: MakeLParam(cx, cy)
inline constexpr MessageId Activate = 0x0006;      // wParam: 0 inactive, 1 active
inline constexpr MessageId SetFocus = 0x0007;
inline constexpr MessageId KillFocus = 0x0008;
inline constexpr MessageId Enable = 0x000A;
inline constexpr MessageId Paint = 0x000F;
inline constexpr MessageId Close = 0x0010;         // wParam: close code
inline constexpr MessageId ShowWindow = 0x0018;    // wParam: 1 shown, 0 hidden
inline constexpr MessageId NcDestroy = 0x0082;
inline constexpr MessageId KeyDown = 0x0100;       // wParam: virtual key
inline constexpr MessageId KeyUp = 0x0101;
inline constexpr MessageId Char = 0x0102;          // wParam: character (UTF-32)
inline constexpr MessageId Timer = 0x0113;         // wParam: host timer id
inline constexpr MessageId MouseMove = 0x0200;     // lParam: MakeLParam(x, y) in client coordinates
inline constexpr MessageId LButtonDown = 0x0201;
inline constexpr MessageId LButtonUp = 0x0202;
inline constexpr MessageId LButtonDblClk = 0x0203;
inline constexpr MessageId ExitSizeMove = 0x0232;
inline constexpr MessageId MouseLeave = 0x02A3;
inline constexpr MessageId User = 0x0400;
// Internal: wakes the window to deliver one posted notification.
inline constexpr MessageId PostedNotify = User + 0x3F00;
}  // namespace Msg

enum class SizeType : WParam { Restored = 0, Minimized = 1, Maximized = 2 };

enum class ShowCommand { Hide, Show, ShowNoActivate, Minimize, Maximize, Restore };

namespace Key {
inline constexpr WParam Back = 0x08;
inline constexpr WParam Tab = 0x09;
inline constexpr WParam Return = 0x0D;
inline constexpr WParam Escape = 0x1B;
inline constexpr WParam Space = 0x20;
inline constexpr WParam End = 0x23;
inline constexpr WParam Home = 0x24;
inline constexpr WParam Left = 0x25;
inline constexpr WParam Right = 0x27;
inline constexpr WParam Delete = 0x2E;
inline constexpr WParam F4 = 0x73;
}  // namespace Key

namespace Style {
inline constexpr std::uint32_t MaximizeBox = 0x00010000;
inline constexpr std::uint32_t MinimizeBox = 0x00020000;
inline constexpr std::uint32_t ThickFrame = 0x00040000;
inline constexpr std::uint32_t SysMenu = 0x00080000;
inline constexpr std::uint32_t Caption = 0x00C00000;
inline constexpr std::uint32_t Maximize = 0x01000000;
inline constexpr std::uint32_t ClipChildren = 0x02000000;
inline constexpr std::uint32_t ClipSiblings = 0x04000000;
inline constexpr std::uint32_t Disabled = 0x08000000;
inline constexpr std::uint32_t Visible = 0x10000000;
inline constexpr std::uint32_t Minimize = 0x20000000;
inline constexpr std::uint32_t Popup = 0x80000000;
inline constexpr std::uint32_t OverlappedWindow = 0x00CF0000;
inline constexpr std::uint32_t ExTopmost = 0x00000008;
}  // namespace Style

// Notification type names raised by the standard controls.
namespace NotifyType {
inline constexpr const wchar_t* Click = L"click";
inline constexpr const wchar_t* SelectChanged = L"selectchanged";
inline constexpr const wchar_t* TabSelect = L"tabselect";
inline constexpr const wchar_t* Timer = L"timer";
inline constexpr const wchar_t* SetFocus = L"setfocus";
inline constexpr const wchar_t* KillFocus = L"killfocus";
inline constexpr const wchar_t* TextChanged = L"textchanged";
inline constexpr const wchar_t* Return = L"return";
inline constexpr const wchar_t* WindowInit = L"windowinit";
}  // namespace NotifyType

}  // namespace SkinUI
