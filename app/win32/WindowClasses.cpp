#include "app/win32/WindowClasses.h"

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

} // namespace

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = CheckWin32(LoadCursorW(nullptr, IDC_ARROW), L"LoadCursorW");
    windowClass.hbrBackground = ButtonFaceClassBackground();
    windowClass.lpszClassName = name;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw LastWin32Error(L"RegisterClassExW");
    }
}

void RegisterFrameClass(HINSTANCE instance)
{
    static const bool registered = (RegisterWindowClass(instance, kFrameClassName, FrameProc), true);
    (void)registered;
}

} // namespace talmoran::win32
