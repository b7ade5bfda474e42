#include "app/win32/WindowClasses.h"

#include "platform/win32/Win32Error.h"

namespace talmoran {
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

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = win32::CheckWin32(LoadCursorW(nullptr, IDC_ARROW), L"LoadCursorW");
    windowClass.hbrBackground = ButtonFaceClassBackground();
    windowClass.lpszClassName = name;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw win32::LastWin32Error(L"RegisterClassExW");
    }
}

} // namespace

void RegisterWindowClasses(HINSTANCE instance, WNDPROC procedure)
{
    // No icons: the window sets both at its own DPI before it is shown; a
    // third load, at the system's DPI, cost start-up time.
    RegisterWindowClass(instance, kWindowClassName, procedure);
    RegisterWindowClass(instance, kFrameClassName, FrameProc);
}

} // namespace talmoran
