#pragma once
// The program's window classes: the main window's, and the page frame's. A
// page frame is a borderless container window (WS_EX_CONTROLPARENT, so the
// dialog keys walk into it and skip it when hidden). Its caption is not
// drawn. It hands its children's notifications and colour requests to its
// parent and paints the page beneath it.

#include <windows.h>

namespace talmoran::win32 {

inline constexpr const wchar_t* kFrameClassName = L"TalmoranFrame";

// The button face as a class background: the colour index + 1, as classes
// take it. A class must not be given a system brush (GetSysColorBrush).
inline HBRUSH ButtonFaceClassBackground() noexcept
{
    return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
}

// Registers a class with the arrow cursor and the button face; one already
// registered stays as it is.
void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure);

// Registers the frame class once per process.
void RegisterFrameClass(HINSTANCE instance);

// Sent by a frame to its parent to paint its background: wParam is the HDC,
// lParam the frame. The parent returns non-zero when it painted.
inline constexpr UINT kPaintFrameBackground = WM_APP + 1;

} // namespace talmoran::win32
