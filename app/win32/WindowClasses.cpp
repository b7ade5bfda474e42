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

// A class with the arrow cursor and the button face.
WNDCLASSEXW ClassOf(HINSTANCE instance, const wchar_t* name, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = win32::CheckWin32(LoadCursorW(nullptr, IDC_ARROW), L"LoadCursorW");
    windowClass.hbrBackground = ButtonFaceClassBackground();
    windowClass.lpszClassName = name;
    return windowClass;
}

} // namespace

void RegisterWindowClasses(HINSTANCE instance, WNDPROC procedure, UINT dpi)
{
    // Once a process (the frames' class goes last): a second window, as the
    // tests make, loads no icons again.
    WNDCLASSEXW registered{};
    registered.cbSize = sizeof registered;
    if (GetClassInfoExW(instance, kFrameClassName, &registered) == FALSE) {
        WNDCLASSEXW main = ClassOf(instance, kWindowClassName, procedure);
        WindowIcons::LoadForClass(main, dpi);
        win32::CheckWin32(RegisterClassExW(&main), L"RegisterClassExW");
        const WNDCLASSEXW frame = ClassOf(instance, kFrameClassName, FrameProc);
        win32::CheckWin32(RegisterClassExW(&frame), L"RegisterClassExW");
    }
}

} // namespace talmoran
