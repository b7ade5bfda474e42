#pragma once
// The program's window classes and its private messages. The main window's
// class is Talmoran. A page frame is a borderless container window
// (WS_EX_CONTROLPARENT, so the dialog keys walk into it and skip it when
// hidden); its caption is not drawn. It hands its children's notifications
// and colour requests to its parent and paints the page beneath it.

#include <windows.h>

namespace talmoran {

inline constexpr const wchar_t* kWindowClassName = L"Talmoran";
inline constexpr const wchar_t* kFrameClassName = L"TalmoranFrame";

// The button face as a class background: the colour index + 1, as classes
// take it. A class must not be given a system brush (GetSysColorBrush).
inline HBRUSH ButtonFaceClassBackground() noexcept
{
    return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
}

// Registers the main window's class, with `procedure` and icons at `dpi`, and
// the page frame's, both with the arrow cursor and the button face. Only the
// frame's class is looked up: registered, it stands for both, and nothing is
// registered again. A main class registered without the frame's makes
// RegisterClassExW fail (ERROR_CLASS_ALREADY_EXISTS), raised as a run-time
// error.
void RegisterWindowClasses(HINSTANCE instance, WNDPROC procedure, UINT dpi);

enum PrivateMessage : UINT {
    // Sent by a frame to its parent to paint its background: wParam is the
    // HDC, lParam the frame. The parent returns non-zero when it painted.
    kPaintFrameBackground = WM_APP + 1,
    // Posted after a paint that failed, so that its error is reported from a
    // message that is not a paint.
    kReportDeferredError,
};

} // namespace talmoran
