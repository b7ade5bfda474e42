#include "app/win32/WindowClasses.h"

#include "app/win32/PageLook.h"
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

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, bool withIcons)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = win32::CheckWin32(LoadCursorW(nullptr, IDC_ARROW), L"LoadCursorW");
    windowClass.hbrBackground = ButtonFaceClassBackground();
    windowClass.lpszClassName = name;
    if (withIcons) {
        WindowIcons::LoadForClass(windowClass);
    }
    win32::CheckWin32(RegisterClassExW(&windowClass), L"RegisterClassExW");
}

} // namespace

void RegisterWindowClasses(HINSTANCE instance, WNDPROC procedure)
{
    // Once a process (the frames' class goes last): a second window, as the
    // tests make, loads no icons again.
    WNDCLASSEXW registered{};
    registered.cbSize = sizeof registered;
    if (GetClassInfoExW(instance, kFrameClassName, &registered) == FALSE) {
        RegisterWindowClass(instance, kWindowClassName, procedure, true);
        RegisterWindowClass(instance, kFrameClassName, FrameProc, false);
    }
}

} // namespace talmoran
