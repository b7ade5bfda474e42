#include "platform/win32/FrameWindow.h"

#include "platform/win32/Win32Error.h"

namespace talmoran::win32 {
namespace {

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: return SendMessageW(GetParent(frame), message, wParam, lParam);
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
        if (SendMessageW(GetParent(frame), kPaintFrameBackground, wParam, reinterpret_cast<LPARAM>(frame)) != 0) {
            return TRUE;
        }
        break;
    default: break;
    }
    return DefWindowProcW(frame, message, wParam, lParam);
}

void RegisterFrameClassNow(HINSTANCE instance)
{
    WNDCLASSEXW frameClass{};
    frameClass.cbSize = sizeof frameClass;
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = instance;
    frameClass.hCursor = CheckWin32(LoadCursorW(nullptr, IDC_ARROW), L"LoadCursorW");
    frameClass.hbrBackground = ButtonFaceClassBackground();
    frameClass.lpszClassName = kFrameClassName;
    if (RegisterClassExW(&frameClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw LastWin32Error(L"RegisterClassExW");
    }
}

} // namespace

void RegisterFrameClass(HINSTANCE instance)
{
    static const bool registered = (RegisterFrameClassNow(instance), true);
    (void)registered;
}

} // namespace talmoran::win32
