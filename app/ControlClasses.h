#pragma once
// How each kind of control of the layout is made in Win32: its window class
// and styles, the order of the containers, and its place in pixels at a DPI.
// Shared by the window and by the start-up benchmark's plain window, so that
// the floor is measured with the very same controls.

#include <windows.h>
#include <commctrl.h>

#include <array>

#include "app/Layout.h"
#include "platform/Twips.h"
#include "platform/win32/FrameWindow.h"

namespace talmoran {

// Containers in creation order: a frame exists before its children.
inline constexpr std::array<ControlId, 3> kContainers = {ControlId::Window, ControlId::ChoiceFrame0,
                                                         ControlId::ChoiceFrame1};

struct WindowClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

inline WindowClass ClassFor(ControlKind kind)
{
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    switch (kind) {
    case ControlKind::Frame: return {win32::kFrameClassName, kChild | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::Button: return {WC_BUTTONW, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::CheckBox: return {WC_BUTTONW, kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    // Notes are plain text on the page: they take no focus, so no key can
    // reach them. (A multiline edit outside a dialog closes its parent on Esc
    // and asks it, with WM_NEXTDLGCTL, to move the focus on Tab.)
    case ControlKind::Note: return {WC_STATICW, kChild | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 0};
    case ControlKind::TabStrip: break;
    }
    // Clips the controls lying on it, which are above it in the z-order.
    return {WC_TABCONTROLW, kChild | WS_TABSTOP | WS_CLIPSIBLINGS, 0};
}

struct PixelBox {
    int left;
    int top;
    int width;
    int height;
};

// A layout rectangle in pixels at `dpi`: each of the four values converted
// on its own, as the layout gives them.
inline PixelBox PixelRect(const TwipsRect& r, UINT dpi)
{
    return {TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi), TwipsToPixels(r.width, dpi),
            TwipsToPixels(r.height, dpi)};
}

} // namespace talmoran
