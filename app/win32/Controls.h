#pragma once
// The layout's controls in Win32: each kind's window class and styles and the
// containers in creation order (shared with the start-up benchmark's plain
// window, so that the floor is measured with the very same controls); then
// creating them, placing them again and giving them their font.

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <map>

#include "app/Layout.h"
#include "app/win32/WindowClasses.h"
#include "platform/Twips.h"

namespace talmoran {

using ControlMap = std::map<ControlId, HWND>;

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
    case ControlKind::Frame: return {kFrameClassName, kChild | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
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

// Creates every control of the layout in `window` at its place at `dpi`,
// container by container in tab order: Win32's tab order is the z-order, and
// the tab strip, last, lies beneath everything on its page.
[[nodiscard]] ControlMap CreateControls(HWND window, HINSTANCE instance, UINT dpi);

// Places every control again, at a new DPI.
void PlaceControls(const ControlMap& controls, UINT dpi);

// Gives every control `font`, without redrawing it.
void SetControlsFont(const ControlMap& controls, HFONT font);

} // namespace talmoran
